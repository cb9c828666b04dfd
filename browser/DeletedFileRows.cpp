// The cell texts of the deleted-file lists.
#include "DeletedFileRows.h"

#include <type_traits>
#include <utility>

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

namespace
{

// A text in the string type of the cells that are being built; the same type is moved, not copied.
template <class Text, class Source> Text As(Source&& text)
{
    if constexpr (std::is_same_v<Text, std::decay_t<Source>>)
        return std::forward<Source>(text);
    else
        return Text(text.begin(), text.end());
}

template <class Text> Text DateTimeTextAs(const ICellFormat& format, nw::TDateTime value)
{
    const nw::TDateParts parts = nw::DecodeDateTime(value);
    const std::u16string_view date = format.ShortDate(parts.year, parts.month, parts.day);
    if (parts.hour == 0 && parts.minute == 0 && parts.second == 0)
        return Text(date.begin(), date.end());
    const std::u16string_view time = format.LongTime(parts.hour, parts.minute, parts.second);
    // Grown once: a listing builds five of these per row.
    Text text;
    text.reserve(date.size() + 1 + time.size());
    text.append(date.begin(), date.end());
    text += typename Text::value_type(' ');
    text.append(time.begin(), time.end());
    return text;
}

template <class Text>
Text DeletedFileCellAs(const ICellFormat& format, const nw::TNWDeletedFileInfoX& info, TDeletedColumn column)
{
    switch (column)
    {
    case dcSize:
        return As<Text>(SizeText(info.Size));
    case dcDeleted:
        return DateTimeTextAs<Text>(format, info.Deleted);
    case dcDeletedBy:
        return As<Text>(format.UserName(info.DeletedBy));
    case dcOwner:
        return As<Text>(format.UserName(info.Owner));
    case dcAccessed:
        return DateTimeTextAs<Text>(format, info.Accessed);
    case dcCreated:
        return DateTimeTextAs<Text>(format, info.Created);
    case dcAttributes:
        return As<Text>(AttributeText(info.Attributes));
    case dcArchived:
        return DateTimeTextAs<Text>(format, info.Archived);
    case dcArchivedBy:
        return As<Text>(format.UserName(info.ArchivedBy));
    case dcUpdated:
        return DateTimeTextAs<Text>(format, info.Updated);
    case dcUpdatedBy:
        return As<Text>(format.UserName(info.UpdatedBy));
    case dcName:
    case dcCount:
        break;
    }
    return Text();
}

template <class Text>
std::vector<Text> DeletedFileSubItemsAs(const ICellFormat& format, const nw::TNWDeletedFileInfoX& info)
{
    std::vector<Text> cells;
    cells.reserve(dcCount - 1);
    for (int column = dcSize; column < dcCount; ++column)
        cells.push_back(DeletedFileCellAs<Text>(format, info, static_cast<TDeletedColumn>(column)));
    return cells;
}

} // namespace

std::u16string DateTimeText(const ICellFormat& format, nw::TDateTime value)
{
    return DateTimeTextAs<std::u16string>(format, value);
}

std::vector<std::u16string> DeletedFileSubItems(const ICellFormat& format,
                                                const nw::TNWDeletedFileInfoX& info)
{
    return DeletedFileSubItemsAs<std::u16string>(format, info);
}

std::vector<std::wstring> DeletedFileSubItemsWide(const ICellFormat& format,
                                                  const nw::TNWDeletedFileInfoX& info)
{
    return DeletedFileSubItemsAs<std::wstring>(format, info);
}

std::wstring DeletedFileCellWide(const ICellFormat& format, const nw::TNWDeletedFileInfoX& info,
                                 TDeletedColumn column)
{
    return DeletedFileCellAs<std::wstring>(format, info, column);
}
