// The cell texts of the deleted-file lists.
#include "DeletedFileRows.h"

namespace
{

struct TAttributeMark
{
    uint32_t bit;
    const char* set;
    const char* clear;
};

constexpr std::array<TAttributeMark, 7> kAttributeMarks{{
    {0x01, "Ro", "  "},
    {0x02, "H", " "},
    {0x04, "S", " "},
    {0x08, "Eo", "  "},
    {0x10, "D", " "},
    {0x80, "Sh", "  "},
    {kTransactionalAttribute, "T", " "},
}};

std::u16string Ascii(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

} // namespace

std::string AttributeText(uint32_t attributes)
{
    std::string text;
    text.reserve(10);
    for (const TAttributeMark& mark : kAttributeMarks)
        text += (attributes & mark.bit) != 0 ? mark.set : mark.clear;
    return text;
}

std::u16string SizeText(int32_t size)
{
    return Ascii(std::to_string(size));
}

std::u16string DateTimeText(const ICellFormat& format, nw::TDateTime value)
{
    const nw::TDateParts parts = nw::DecodeDateTime(value);
    std::u16string text = format.ShortDate(parts.year, parts.month, parts.day);
    if (parts.hour != 0 || parts.minute != 0 || parts.second != 0)
    {
        // Grown once: a listing builds five of these per row.
        const std::u16string time = format.LongTime(parts.hour, parts.minute, parts.second);
        text.reserve(text.size() + 1 + time.size());
        text += u' ';
        text += time;
    }
    return text;
}

std::vector<std::u16string> DeletedFileSubItems(const ICellFormat& format,
                                                const nw::TNWDeletedFileInfoX& info)
{
    return {
        SizeText(info.Size),
        DateTimeText(format, info.Deleted),
        format.ClientText(info.DeletedBy),
        format.ClientText(info.Owner),
        DateTimeText(format, info.Accessed),
        DateTimeText(format, info.Created),
        Ascii(AttributeText(info.Attributes)),
        DateTimeText(format, info.Archived),
        format.ClientText(info.ArchivedBy),
        DateTimeText(format, info.Updated),
        format.ClientText(info.UpdatedBy),
    };
}
