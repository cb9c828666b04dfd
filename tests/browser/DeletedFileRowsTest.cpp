// The cell texts of the deleted-file lists, with a fixed locale.
#include "DeletedFileRows.h"
#include "TDeletedRecord.h"

#include <gtest/gtest.h>

#include <list>
#include <tuple>

namespace
{

std::u16string Ascii(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

std::string Narrow(const std::u16string& text)
{
    return std::string(text.begin(), text.end());
}

// Day first with dots, a 24-hour clock: distinct enough to see which part went where.
class TFixedFormat : public ICellFormat
{
public:
    std::u16string ClientText(const std::string& text) const override { return Ascii(text); }
    std::u16string_view ShortDate(int year, int month, int day) const override
    {
        return Keep(std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(year));
    }
    std::u16string_view LongTime(int hour, int minute, int second) const override
    {
        return Keep(std::to_string(hour) + ":" + std::to_string(minute) + ":" + std::to_string(second));
    }
    std::u16string_view UserName(const std::string& name) const override { return Keep(name); }

private:
    // Every text given out, so that the views stay valid as long as the format.
    std::u16string_view Keep(const std::string& text) const { return kept_.emplace_back(Ascii(text)); }
    mutable std::list<std::u16string> kept_;
};

} // namespace

TEST(DeletedFileRowsTest, AttributeMarksFollowTheirBitsInTenCharacters)
{
    EXPECT_EQ(AttributeText(0x81), "Ro     Sh ");
    EXPECT_EQ(AttributeText(0x12).substr(0, 9), "  H   D  ");
    EXPECT_EQ(AttributeText(0x00), std::string(10, ' '));
    EXPECT_EQ(AttributeText(0x9F | kTransactionalAttribute), "RoHSEoDShT");
    EXPECT_EQ(AttributeText(kTransactionalAttribute), "         T");
    // Archive, the unused 0x40 and the other high bits show nothing.
    EXPECT_EQ(AttributeText(0x60 | 0xFFFF0000u | 0x0E00 | 0x0100), std::string(10, ' '));
    for (uint32_t bits : {0x00u, 0x01u, 0x12u, 0x81u, 0xFFFFFFFFu})
        EXPECT_EQ(AttributeText(bits).size(), 10u) << bits;
}

TEST(DeletedFileRowsTest, ADateTimeShowsItsTimeUnlessItIsExactlyMidnight)
{
    const TFixedFormat format;
    EXPECT_EQ(Narrow(DateTimeText(format, nw::EncodeDate(2026, 11, 30) + nw::EncodeTime(9, 15, 20, 0))),
              "30.11.2026 9:15:20");
    EXPECT_EQ(Narrow(DateTimeText(format, nw::EncodeDate(2026, 12, 1))), "1.12.2026");
    EXPECT_EQ(Narrow(DateTimeText(format, nw::EncodeDate(2026, 12, 1) + nw::EncodeTime(0, 0, 1, 0))),
              "1.12.2026 0:0:1");
    EXPECT_EQ(Narrow(DateTimeText(format, nw::EncodeDate(1980, 1, 1))), "1.1.1980");
}

TEST(DeletedFileRowsTest, SizesArePlainSignedDecimals)
{
    EXPECT_EQ(Narrow(SizeText(0)), "0");
    EXPECT_EQ(Narrow(SizeText(1234567)), "1234567");
    EXPECT_EQ(Narrow(SizeText(-1)), "-1");
}

TEST(DeletedFileRowsTest, TheElevenCellsAfterTheNameComeInColumnOrder)
{
    nw::TNWDeletedFileInfoX info;
    info.Size = 4096;
    info.Deleted = nw::EncodeDate(2026, 11, 30) + nw::EncodeTime(17, 45, 30, 0);
    info.DeletedBy = "ALICE";
    info.Owner = "SUPERVISOR";
    info.Accessed = nw::EncodeDate(2026, 11, 2);
    info.Created = nw::EncodeDate(2025, 3, 4) + nw::EncodeTime(5, 6, 8, 0);
    info.Attributes = 0x81;
    info.Archived = nw::EncodeDate(1980, 1, 1);
    info.ArchivedBy = "";
    info.Updated = nw::EncodeDate(2026, 7, 8) + nw::EncodeTime(9, 10, 12, 0);
    info.UpdatedBy = "BOB";
    const TFixedFormat format;
    const std::vector<std::u16string> cells = DeletedFileSubItems(format, info);
    std::vector<std::string> texts;
    for (const std::u16string& cell : cells)
        texts.push_back(Narrow(cell));
    // The list control's own character type holds the same texts.
    std::vector<std::string> wideTexts;
    for (const std::wstring& cell : DeletedFileSubItemsWide(format, info))
        wideTexts.push_back(std::string(cell.begin(), cell.end()));
    EXPECT_EQ(wideTexts, texts);
    const std::vector<std::string> expected{"4096",      "30.11.2026 17:45:30", "ALICE",      "SUPERVISOR",
                                            "2.11.2026", "4.3.2025 5:6:8",      "Ro     Sh ", "1.1.1980",
                                            "",          "8.7.2026 9:10:12",    "BOB"};
    EXPECT_EQ(texts, expected);
    ASSERT_EQ(kDeletedColumnCaptions.size(), cells.size() + 1);
    EXPECT_EQ(std::u16string(kDeletedColumnCaptions[dcAttributes]), u"Attributes");
    EXPECT_EQ(std::u16string(kDeletedColumnCaptions[dcUpdatedBy]), u"Updated By");
}

namespace
{

nw::TNWDeletedEntry ScannedEntry(const std::string& entryName, const std::string& infoName, uint8_t rights)
{
    nw::TNWDeletedEntry entry;
    entry.Connection = 7;
    entry.DirHandle = 201;
    entry.Sequence = 0xFFFFFFFE;
    entry.Volume = 3;
    entry.DirBase = 0x80000001;
    entryName.copy(entry.Name, entryName.size());
    auto info = std::make_shared<nw::TNWDeletedFileInfoX>();
    info->Attributes = 0x1010;
    info->Flags = 2;
    info->NameSpace = 4;
    info->NameLength = static_cast<uint8_t>(entryName.size());
    info->Name = infoName;
    info->Created = nw::EncodeDate(2025, 3, 4) + nw::EncodeTime(5, 6, 8, 0);
    info->Owner = "SUPERVISOR";
    info->Archived = nw::EncodeDate(1980, 1, 1);
    info->Updated = nw::EncodeDate(2026, 7, 8);
    info->UpdatedBy = "BOB";
    info->Size = -2;
    info->RightRead = (rights & 1) != 0;
    info->RightErase = (rights & 2) != 0;
    info->RightAnyNonSupervisor = (rights & 4) != 0;
    info->Accessed = nw::EncodeDate(2026, 11, 2);
    info->Deleted = nw::EncodeDate(2026, 11, 30) + nw::EncodeTime(17, 45, 30, 0);
    info->DeletedBy = "ALICE";
    entry.Info = std::move(info);
    return entry;
}

void ExpectSameEntry(const nw::TNWDeletedEntry& kept, const nw::TNWDeletedEntry& scanned)
{
    EXPECT_EQ(std::string(kept.Name), std::string(scanned.Name));
    EXPECT_EQ(
        std::tie(kept.Connection, kept.DirHandle, kept.Sequence, kept.Volume, kept.DirBase),
        std::tie(scanned.Connection, scanned.DirHandle, scanned.Sequence, scanned.Volume, scanned.DirBase));
    const nw::TNWDeletedFileInfoX& a = *kept.Info;
    const nw::TNWDeletedFileInfoX& b = *scanned.Info;
    EXPECT_EQ(std::tie(a.Attributes, a.Flags, a.NameSpace, a.NameLength, a.Name, a.Size),
              std::tie(b.Attributes, b.Flags, b.NameSpace, b.NameLength, b.Name, b.Size));
    EXPECT_EQ(std::tie(a.Created, a.Archived, a.Updated, a.Accessed, a.Deleted),
              std::tie(b.Created, b.Archived, b.Updated, b.Accessed, b.Deleted));
    EXPECT_EQ(std::tie(a.Owner, a.ArchivedBy, a.UpdatedBy, a.DeletedBy),
              std::tie(b.Owner, b.ArchivedBy, b.UpdatedBy, b.DeletedBy));
    EXPECT_EQ(std::tie(a.RightRead, a.RightWrite, a.RightOpen, a.RightCreate, a.RightDelete, a.RightErase,
                       a.RightAccessControl, a.RightSearch, a.RightFileScan, a.RightModify, a.RightAny,
                       a.RightSupervisor, a.RightAnyNonSupervisor),
              std::tie(b.RightRead, b.RightWrite, b.RightOpen, b.RightCreate, b.RightDelete, b.RightErase,
                       b.RightAccessControl, b.RightSearch, b.RightFileScan, b.RightModify, b.RightAny,
                       b.RightSupervisor, b.RightAnyNonSupervisor));
}

} // namespace

// A row keeps its entry compactly and gives the same entry back for the client's calls and the same cells.
TEST(DeletedFileRowsTest, ARowsRecordGivesBackTheScannedEntryAndItsCells)
{
    TUserNamePool names;
    const std::vector<nw::TNWDeletedEntry> scanned{
        ScannedEntry("REPORT.TXT", "REPORT.TXT", 1),
        // The server's length cut the name short; the details keep the whole of it.
        ScannedEntry("LONGNA", "LONGNAME.TXT", 2),
        // An entry name that is not the start of the details' name is kept on its own.
        ScannedEntry("ÉTÉ.DOC", "SUMMER.DOC", 4),
        ScannedEntry("", "", 7),
    };
    std::vector<TDeletedRecord> records;
    for (const nw::TNWDeletedEntry& entry : scanned)
        records.emplace_back(entry, names);
    for (size_t i = 0; i < scanned.size(); ++i)
    {
        SCOPED_TRACE(scanned[i].Info->Name);
        ExpectSameEntry(records[i].Entry(names), scanned[i]);
    }
    // Four users over four rows, plus the empty name of the archiver: each kept once.
    EXPECT_EQ(names.Count(), 4u);

    const TFixedFormat format;
    const nw::TNWDeletedFileInfoX info = records[1].Info(names);
    const std::vector<std::wstring> cells = DeletedFileSubItemsWide(format, info);
    for (int column = dcSize; column < dcCount; ++column)
        EXPECT_EQ(DeletedFileCellWide(format, info, static_cast<TDeletedColumn>(column)),
                  cells[static_cast<size_t>(column) - 1])
            << column;
    EXPECT_EQ(DeletedFileCellWide(format, info, dcName), L"");
}
