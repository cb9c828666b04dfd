// The columns of every deleted-file list and the texts of their cells, shared by the main list, the Find
// window and the properties dialog. Portable: the locale's formats come in through ICellFormat.
#pragma once

#include "TDateTime.h"
#include "TNWDeletedFileInfoX.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kDeletedColumnWidth = 100;

// Design indexes of the twelve columns.
enum TDeletedColumn : int
{
    dcName,
    dcSize,
    dcDeleted,
    dcDeletedBy,
    dcOwner,
    dcAccessed,
    dcCreated,
    dcAttributes,
    dcArchived,
    dcArchivedBy,
    dcUpdated,
    dcUpdatedBy,
    dcCount,
};

inline constexpr std::array<const char16_t*, dcCount> kDeletedColumnCaptions{
    u"Name",    u"Size",       u"Deleted",  u"Deleted By",  u"Owner",   u"Accessed",
    u"Created", u"Attributes", u"Archived", u"Archived By", u"Updated", u"Updated By"};

// The Find window's result list has the same columns with Path after Name: 13 in all.
inline constexpr const char16_t* kFoundPathCaption = u"Path";
inline constexpr int kFoundPathColumn = 1;
inline constexpr int kFoundColumnCount = dcCount + 1;
// Where a column of the main list stands in the Find window's list.
constexpr int FoundColumn(TDeletedColumn column)
{
    return column == dcName ? 0 : column + 1;
}

// The attribute bit behind the tenth mark, "T": NetWare's transactional bit.
inline constexpr uint32_t kTransactionalAttribute = 0x1000;

// What the cells need of the user's locale and of the client's code page. The views it gives stay valid as
// long as the format: a listing asks for the same few days, times and names over and over, so a format keeps
// each text once.
class ICellFormat
{
public:
    virtual ~ICellFormat() = default;
    // A text of the access layer, in the client's code page, as the list shows it.
    virtual std::u16string ClientText(const std::string& text) const = 0;
    // The locale's short date format.
    virtual std::u16string_view ShortDate(int year, int month, int day) const = 0;
    // The locale's long time format.
    virtual std::u16string_view LongTime(int hour, int minute, int second) const = 0;
    // A user's name, as ClientText gives it.
    virtual std::u16string_view UserName(const std::string& name) const = 0;
};

// Ten characters: "Ro", "H", "S", "Eo", "D", "Sh" and "T" where their bits are set, blanks of the same width
// where they are not. Bits 0x20 and 0x40 and the higher bits other than the transactional one show nothing.
std::string AttributeText(uint32_t attributes);

// A plain signed decimal, without grouping or unit.
std::u16string SizeText(int32_t size);

// The short date, then a blank and the long time unless the time of day is exactly midnight.
std::u16string DateTimeText(const ICellFormat& format, nw::TDateTime value);

// The texts of the eleven columns after Name, in column order.
std::vector<std::u16string> DeletedFileSubItems(const ICellFormat& format,
                                                const nw::TNWDeletedFileInfoX& info);
// The same texts built straight in the list control's character type, without a copy per cell.
std::vector<std::wstring> DeletedFileSubItemsWide(const ICellFormat& format,
                                                  const nw::TNWDeletedFileInfoX& info);
// One of those cells: empty for the name, which is the row's caption.
std::wstring DeletedFileCellWide(const ICellFormat& format, const nw::TNWDeletedFileInfoX& info,
                                 TDeletedColumn column);
