#include <gtest/gtest.h>

#include "core/map/allocation.h"
#include "core/map/edit_form.h"
#include "core/messages/show_message.h"
#include "scripted_presenter.h"
#include "allocation_failures.h"
#include "test_support.h"

#include <QObject>

#include <algorithm>
#include <memory>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zol {
namespace {

using test::Map_From_Text;
using test::Map_To_Text;

// Puts a small grid into the slot so that it counts as in use.
void Occupy(DocumentTable& table, int slot)
{
    table[slot] = Map_From_Text("1");
}

TEST(DocumentTable, FirstFreeSlotIsLowestWithoutGrid)
{
    DocumentTable table;
    EXPECT_EQ(table.First_Free_Slot(), 0);
    Occupy(table, 0);
    Occupy(table, 1);
    EXPECT_EQ(table.First_Free_Slot(), 2);
    Occupy(table, 3);
    EXPECT_EQ(table.First_Free_Slot(), 2);
    Occupy(table, 2);
    EXPECT_EQ(table.First_Free_Slot(), 4);
    Occupy(table, 4);
    EXPECT_EQ(table.First_Free_Slot(), kMaxDocuments);
    Reset_Map(table[2]);
    EXPECT_EQ(table.First_Free_Slot(), 2);
}

TEST(DocumentTable, WindowLookups)
{
    DocumentTable table;
    QObject w0, w3;
    table[0].window = &w0;
    table[3].window = &w3;
    EXPECT_EQ(table.First_Slot_Without_Window(), 1);
    EXPECT_EQ(table.Slot_Of_Window(&w3), 3);
    EXPECT_EQ(table.Slot_Of_Window(nullptr), -1);
    QObject other;
    EXPECT_EQ(table.Slot_Of_Window(&other), -1);
    {
        auto gone = std::make_unique<QObject>();
        table[1].window = gone.get();
    }
    // A destroyed window leaves the slot without one.
    EXPECT_EQ(table.First_Slot_Without_Window(), 1);
}

TEST(DocumentTable, ResetMapReleasesEverythingAndIsHarmlessRepeated)
{
    edit_form free_slot;
    Reset_Map(free_slot);
    Reset_Map(free_slot);
    EXPECT_FALSE(free_slot.has_grid());
    EXPECT_EQ(free_slot.saved, 1);

    edit_form doc = Map_From_Text("1 2\n3 4");
    doc.links.x = {1};
    doc.links.y = {1};
    doc.links.target_map = {2};
    doc.links.target_x = {3};
    doc.links.target_y = {4};
    doc.events.number = {9};
    doc.events.x = {0};
    doc.events.y = {0};
    doc.palette_name = "pal";
    doc.saved = 0;
    Reset_Map(doc);
    EXPECT_FALSE(doc.has_grid());
    EXPECT_EQ(doc.links.count(), 0);
    EXPECT_EQ(doc.events.count(), 0);
    EXPECT_TRUE(doc.links.target_map.empty());
    EXPECT_TRUE(doc.events.number.empty());
    EXPECT_TRUE(doc.flags.empty());
    EXPECT_TRUE(doc.palette_name.isEmpty());
    EXPECT_EQ(doc.saved, 1);
    Reset_Map(doc);
    EXPECT_FALSE(doc.has_grid());
}

TEST(DocumentTable, NewMapIsBlank201By201WithNumberedName)
{
    ScriptedPresenter presenter;
    for (int slot = 0; slot < kMaxDocuments; ++slot) {
        SCOPED_TRACE(slot);
        DocumentTable table;
        for (int s = 0; s < slot; ++s) Occupy(table, s);
        ASSERT_EQ(table.First_Free_Slot(), slot);
        ASSERT_TRUE(Create_New_Map(table, slot));
        const edit_form& doc = table[slot];
        EXPECT_EQ(doc.file_path, QStringLiteral("新規マップデータ(%1).zol").arg(slot + 1));
        EXPECT_EQ(doc.width(), 201);
        EXPECT_EQ(doc.height(), 201);
        ASSERT_EQ(doc.grid.width(), 201);
        ASSERT_EQ(doc.grid.height(), 201);
        EXPECT_TRUE(std::all_of(doc.grid.data(), doc.grid.data() + doc.grid.size(),
                                [](uint8_t cell) { return cell == 0; }));
        EXPECT_EQ(doc.links.count(), 0);
        EXPECT_EQ(doc.events.count(), 0);
        EXPECT_EQ(doc.flags.size(), std::size_t(kCellCount));
        EXPECT_EQ(doc.saved, 1);
    }
    EXPECT_TRUE(presenter.calls().empty());
    EXPECT_EQ(New_Map_Name(4), QStringLiteral("新規マップデータ(5).zol"));
}

TEST(DocumentTable, NewMapFlagTableComesFromSlotZero)
{
    ScriptedPresenter presenter;
    DocumentTable table;
    ASSERT_TRUE(Create_New_Map(table, 0));
    EXPECT_EQ(table[0].flags, std::vector<uint8_t>(kCellCount, 0));

    for (int n = 0; n < kCellCount; ++n) table[0].flags[std::size_t(n)] = uint8_t(n % 4);
    Occupy(table, 1);
    table[1].flags.assign(kCellCount, 3);
    ASSERT_TRUE(Create_New_Map(table, 2));
    EXPECT_EQ(table[2].flags, table[0].flags);

    // Landing in slot 0 while a higher slot has a table still gives zeros.
    Reset_Map(table[0]);
    ASSERT_TRUE(Create_New_Map(table, 0));
    EXPECT_EQ(table[0].flags, std::vector<uint8_t>(kCellCount, 0));
}

TEST(DocumentTable, NewMapMemoryFailuresLeaveSlotFree)
{
    // Allocation 1 is the grid's block, 2 the flag table.
    const struct {
        const char* name;
        int fail_at;
        const char* caption;
    } rows[] = {
        {"grid", 1, "ERROR(10)"},
        {"flag_table", 2, "ERROR(11.1)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedPresenter presenter;
        DocumentTable table;
        Occupy(table, 0);
        table[0].flags.assign(kCellCount, 2);
        {
            AllocationFailureScope fail(row.fail_at);
            EXPECT_FALSE(Create_New_Map(table, 1));
        }
        ASSERT_EQ(presenter.calls().size(), 1u);
        EXPECT_EQ(presenter.last().caption, QString::fromLatin1(row.caption));
        EXPECT_EQ(presenter.last().text, QStringLiteral("メモリの確保に失敗しました"));
        EXPECT_EQ(presenter.last().buttons, std::vector<MessageButton>{MessageButton::Ok});
        EXPECT_EQ(presenter.last().icon, MessageIcon::Stop);
        EXPECT_FALSE(table[1].has_grid());
        EXPECT_TRUE(table[1].flags.empty());
        EXPECT_EQ(table.First_Free_Slot(), 1);
        // The next attempt, with memory, succeeds in the same slot.
        EXPECT_TRUE(Create_New_Map(table, 1));
        EXPECT_EQ(table[1].flags, table[0].flags);
    }
}

TEST(DocumentTable, NewMapAllocationCountIsAsExpected)
{
    // Guards the failure table above: one more allocation would shift every row.
    ScriptedPresenter presenter;
    DocumentTable table;
    Fail_Allocation_At(0);
    ASSERT_TRUE(Create_New_Map(table, 0));
    EXPECT_EQ(Allocation_Count(), 2);
}

TEST(DocumentTable, SwapCellNumbersKeepsFlagBits)
{
    const struct {
        const char* name;
        int a, b;
        const char* before;
        const char* after;
    } rows[] = {
        {"plain", 1, 2, "1 2 3\n2 1 0", "2 1 3\n1 2 0"},
        // 193 = cell 1 flag 3, 66 = cell 2 flag 1.
        {"flags_stay", 1, 2, "193 66\n2 0", "194 65\n1 0"},
        {"high_numbers", 0, 63, "0 63 127\n255 64 5", "63 0 64\n192 127 5"},
        {"same_number", 5, 5, "5 69\n6 7", "5 69\n6 7"},
        {"absent_number", 8, 9, "1 2", "1 2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        edit_form doc = Map_From_Text(row.before);
        for (int n = 0; n < kCellCount; ++n) doc.flags[std::size_t(n)] = uint8_t(n % 4);
        std::vector<uint8_t> expected_flags = doc.flags;
        if (row.a != row.b) std::swap(expected_flags[std::size_t(row.a)], expected_flags[std::size_t(row.b)]);
        Swap_Cell_Numbers(doc, row.a, row.b);
        EXPECT_EQ(Map_To_Text(doc), QString::fromLatin1(row.after));
        EXPECT_EQ(doc.flags, expected_flags);
    }
}

TEST(DocumentTable, SwapCellsTouchesOnlyMapsWithAWindow)
{
    DocumentTable table;
    QObject window0, window2;
    table[0] = Map_From_Text("1 2\n193 0");
    table[0].window = &window0;
    table[0].flags[1] = 3;
    table[0].flags[2] = 1;
    table[1] = Map_From_Text("1 2"); // filling: grid without window
    table[2] = Map_From_Text("2 2 1");
    table[2].window = &window2;
    table[3].window = &window2; // a window but no grid: nothing to change

    Swap_Cells_In_Maps(table, 1, 2);

    EXPECT_EQ(Map_To_Text(table[0]), QStringLiteral("2 1\n194 0"));
    EXPECT_EQ(table[0].flags[1], 1);
    EXPECT_EQ(table[0].flags[2], 3);
    EXPECT_EQ(table[0].saved, 0);
    EXPECT_EQ(Map_To_Text(table[1]), QStringLiteral("1 2"));
    EXPECT_EQ(table[1].saved, 1);
    EXPECT_EQ(Map_To_Text(table[2]), QStringLiteral("1 1 2"));
    EXPECT_EQ(table[2].saved, 0);
    EXPECT_FALSE(table[3].has_grid());

    table[0].saved = 1;
    Swap_Cells_In_Maps(table, 4, 4);
    EXPECT_EQ(Map_To_Text(table[0]), QStringLiteral("2 1\n194 0"));
    EXPECT_EQ(table[0].saved, 1);
}

TEST(DocumentTable, DrawingValueUsesFlagTable)
{
    edit_form doc = Map_From_Text("0");
    doc.flags[7] = 2;
    EXPECT_EQ(doc.drawing_value(7), 7 + 128);
    doc.flags[9] = 4; // an entry a short flag file left unknown wraps to flag 0
    EXPECT_EQ(uint8_t(doc.drawing_value(9)), 9);
}

} // namespace
} // namespace zol
