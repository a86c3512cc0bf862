// The save record codec, the slot files and the slot summaries.
#include "saves/save_record.h"

#include <gtest/gtest.h>

#include "game/question_record.h"
#include "save_world.h"
#include "saves/save_slots.h"
#include "saves/slot_summary.h"
#include "tests/support/system.h"

using namespace tolarka;

namespace {
SaveRecord Sample() { return tolarka::testing::MakeSave("Řehoř Žák", 8, false); }
}  // namespace

TEST(SaveRecord, EachFieldHasItsExactBytesAndSurvivesARoundTrip) {
    // "Řehoř Žák" in Windows-1250 and 31 spaces; the level, little-endian; date; time; then the
    // audience, the 50:50 and the phone as 16-bit -1 (available) or 0. Each flag alone, so that
    // a swapped pair of offsets cannot pass; levels above 255 and below 0 check the high byte.
    const std::string name = std::string("\xD8") + "eho\xF8 \x8E\xE1k" + std::string(31, ' ');
    const std::string on("\xFF\xFF", 2), off("\x00\x00", 2);
    const std::pair<int, std::string> cases[] = {{8, std::string("\x08\x00", 2) + on + off + off},
                                                 {301, std::string("\x2D\x01", 2) + off + on + off},
                                                 {-2, std::string("\xFE\xFF", 2) + off + off + on}};
    for (int i = 0; i < 3; ++i) {
        const auto& [level, bytes] = cases[i];
        SaveRecord r = tolarka::testing::MakeSave("Řehoř Žák", level, i == 1, i == 0, i == 2);
        const auto encoded = EncodeSaveRecord(r);
        const std::string expected = name + bytes.substr(0, 2) + "04.12.202609:05" + bytes.substr(2);
        EXPECT_EQ(std::string(encoded.begin(), encoded.end()), expected) << level;
        r.PlayerName += std::string(31, ' ');
        EXPECT_EQ(DecodeSaveRecord(encoded), r) << level;
    }
}

TEST(SaveRecord, LongNamesAreCutAndForeignCharactersBecomeQuestionMarks) {
    SaveRecord r = Sample();
    r.PlayerName = std::string(30, 'x') + "ěščřžýáíéů" + "ABCDE";  // 45 characters
    EXPECT_EQ(DecodeSaveRecord(EncodeSaveRecord(r)).PlayerName, std::string(30, 'x') + "ěščřžýáíéů");
    r.PlayerName = "Jan 王";
    EXPECT_EQ(Trimmed(DecodeSaveRecord(EncodeSaveRecord(r)).PlayerName), "Jan ?");
    // Over-long date and time texts cannot spill into the next field.
    r.SaveDate = "04.12.2026 extra";
    r.SaveTime = "09:05:33";
    const auto bytes = EncodeSaveRecord(r);
    EXPECT_EQ(bytes[57], 0xFF);
    EXPECT_EQ(DecodeSaveRecord(bytes).SaveTime, "09:05");
}

TEST(SaveRecord, ShortOrOddBuffersStillDecode) {
    using tolarka::testing::MakeSave;
    const auto full = EncodeSaveRecord(Sample());
    const std::string name = "Řehoř Žák" + std::string(31, ' ');
    // Cut inside the date, or inside the level (its low byte only): the rest reads as spaces and
    // zeros.
    EXPECT_EQ(DecodeSaveRecord(std::span(full.data(), 47)),
              MakeSave(name, 8, false, false, false, "04.12     ", "     "));
    EXPECT_EQ(DecodeSaveRecord(std::span(full.data(), 41)),
              MakeSave(name, 8, false, false, false, std::string(10, ' '), "     "));
    EXPECT_EQ(DecodeSaveRecord({}),
              MakeSave(std::string(40, ' '), 0, false, false, false, std::string(10, ' '), "     "));
    // A flag that is neither 0 nor -1 counts as set.
    auto odd = full;
    odd[59] = 1;
    odd[60] = 0;
    EXPECT_TRUE(DecodeSaveRecord(odd).FiftyFiftyAvailable);
}

TEST(SaveSlots, WriteReadListAndDelete) {
    ScratchDir dir;
    const auto app = dir.path();
    // Which of the nine slots are filled, as "-3---7---", and whether any is.
    const auto filled = [&] {
        std::string out;
        for (int slot = 1; slot <= 9; ++slot) out += SlotFilled(app, slot) ? char('0' + slot) : '-';
        return out + (AnySlotFilled(app) ? " any" : "");
    };
    EXPECT_EQ(SlotPath(app, 3), app / "save" / "03.sav");
    EXPECT_EQ(filled(), "---------");
    EXPECT_FALSE(ReadSlot(app, 3).has_value());
    // The save directory is created when missing; saving over an older save replaces every
    // field, also over a longer foreign file.
    ASSERT_TRUE(WriteSlot(app, 3, Sample()));
    WriteFile(app / "save" / "05.sav", std::vector<unsigned char>(100, 'z'));
    const SaveRecord other = tolarka::testing::MakeSave("Petr", 3, true, false, false, "31.01.2027", "23:59");
    ASSERT_TRUE(WriteSlot(app, 5, other));
    for (int slot : {3, 5}) EXPECT_EQ(ReadFile(SlotPath(app, slot)).size(), 63u);
    EXPECT_EQ(Trimmed(ReadSlot(app, 3)->PlayerName), "Řehoř Žák");
    SaveRecord back = *ReadSlot(app, 5);
    back.PlayerName = Trimmed(back.PlayerName);
    EXPECT_EQ(back, other);
    EXPECT_FALSE(std::filesystem::exists(app / "save" / "03.sav.tmp"));
    EXPECT_EQ(filled(), "--3-5---- any");

    EXPECT_TRUE(DeleteSlot(app, 3));
    EXPECT_FALSE(DeleteSlot(app, 3));
    // A directory of a slot's name is not a filled slot; the last slot alone counts.
    std::filesystem::create_directories(app / "save" / "07.sav");
    EXPECT_FALSE(ReadSlot(app, 7).has_value());
    EXPECT_TRUE(DeleteSlot(app, 5));
    EXPECT_EQ(filled(), "---------");
    ASSERT_TRUE(WriteSlot(app, 9, other));
    EXPECT_EQ(filled(), "--------9 any");
}

TEST(SaveSlots, AFailedWriteLeavesTheOldSaveWholeAndNoTemporaryFile) {
    TOLARKA_SKIP_WITHOUT(Feature::FileSizeLimit);
    ScratchDir dir;
    const auto app = dir.path();
    SaveRecord old = Sample();
    ASSERT_TRUE(WriteSlot(app, 4, old));
    const auto before = ReadFile(SlotPath(app, 4));

    // The file system refuses to let any file grow past 20 bytes: the write of the temporary
    // file fails half-way, as on a full disk.
    ASSERT_TRUE(tolarka::testing::LimitFileSize(20));
    SaveRecord fresh = Sample();
    fresh.PlayerName = "Nový hráč";
    const bool written = WriteSlot(app, 4, fresh);
    tolarka::testing::LiftFileSizeLimit();

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFile(SlotPath(app, 4)), before);
    EXPECT_FALSE(std::filesystem::exists(app / "save" / "04.sav.tmp"));
    // A save directory that cannot be made (a file stands in its place) fails cleanly too.
    ScratchDir other;
    WriteFile(other.path() / "save", {'x'});
    EXPECT_FALSE(WriteSlot(other.path(), 1, fresh));
}

TEST(SlotSummary, LeftTextIsTheNameAndThePrizeOfTheResumeLevel) {
    const auto left = [](const std::string& name, int level) {
        return MakeSlotSummary(tolarka::testing::MakeSave(name + std::string(40 - name.size(), ' '), level))
            .Left;
    };
    // A blank name is still not an empty row.
    EXPECT_EQ(left("  Petr", 7) + "|" + left("Petr", 12) + "|" + left("", 0),
              "Petr    40.000 Kč|Petr    1,250.000 Kč|    ");
    for (int outside : {0, -1, 16, 300}) EXPECT_EQ(left("Petr", outside), "Petr    ") << outside;
}

TEST(SlotSummary, RightTextIsTheLongCzechDateAndTheShortTime) {
    SaveRecord r = Sample();
    EXPECT_EQ(MakeSlotSummary(r).Right, "4. prosince 2026  9:05");
    r.SaveDate = "          ";
    r.SaveTime = "?????";
    EXPECT_EQ(MakeSlotSummary(r).Right, "            ?????");
    // What does not read as a date or time (three digits are no minute) is shown as it stands.
    EXPECT_EQ(
        LongCzechDate("01.01.2027") + "|" + LongCzechDate("29.02.2028") + "|" + LongCzechDate("4.7.2026"),
        "1. ledna 2027|29. února 2028|4. července 2026");
    for (const char* bad : {"29.02.2027", "31.04.2026", "00.01.2026", "12.13.2026", "xx.12.2026",
                            "04-12-2026", "04.12.", "", "04.12.2026.1"})
        EXPECT_EQ(LongCzechDate(bad), bad);
    EXPECT_EQ(ShortTime("23:59") + "|" + ShortTime("00:00") + "|" + ShortTime("09:59"), "23:59|0:00|9:59");
    for (const char* bad : {"24:00", "09:60", "9", "ab:cd", "", "1:2:3", "9:005"})
        EXPECT_EQ(ShortTime(bad), bad);
}
