// The whole-map view's picture and outline arithmetic, the list lines, and resizing a map.

#include "allocation_failures.h"
#include "core/render/whole_map.h"
#include "core/map/events_links.h"
#include "core/editing/undo.h"
#include "scripted_presenter.h"
#include "test_support.h"
#include "core/editing/map_size.h"

#include <gtest/gtest.h>

namespace zol {
namespace {

using test::Map_From_Text;
using test::Map_To_Text;

TEST(WholeMap, OnePixelPerCellInItsNumbersColour)
{
    const PaletteColours colours = Default_Palette_Colours();
    edit_form doc = Map_From_Text("1 69\n63 0"); // 69: cell 5 with flag 1
    QImage image = New_View_Image();
    Render_Whole_Map(image, &doc, colours, qRgb(9, 9, 9));
    EXPECT_EQ(image.pixel(0, 0), colours[1]);
    EXPECT_EQ(image.pixel(1, 0), colours[5]) << "flags do not show";
    EXPECT_EQ(image.pixel(0, 1), colours[63]);
    EXPECT_EQ(image.pixel(2, 0), qRgb(9, 9, 9)) << "beside a small map, the background";
    EXPECT_EQ(image.pixel(255, 255), qRgb(9, 9, 9));

    // The last column and row of a largest map are shown; a changed pixel matches a redraw.
    edit_form big;
    big.max_x = big.max_y = 255;
    big.grid.Allocate(256, 256, 7);
    big.cell(255, 255) = 9;
    Render_Whole_Map(image, &big, colours, 0);
    EXPECT_EQ(image.pixel(255, 255), colours[9]);
    big.cell(255, 0) = 60;
    Render_Map_Pixel(image, big, colours, 255, 0);
    QImage full = New_View_Image();
    Render_Whole_Map(full, &big, colours, 0);
    EXPECT_EQ(image, full);
}

TEST(WholeMap, OutlineAndRecentring)
{
    edit_form doc;
    doc.max_x = doc.max_y = 99;
    doc.grid.Allocate(100, 100);
    // A window of 20 x 15 cells recentred on (50, 40).
    const std::optional<QPoint> at = Recentre(doc, 20, 15, 50, 40);
    ASSERT_TRUE(at);
    doc.scroll_x = at->x();
    doc.scroll_y = at->y();
    EXPECT_EQ(View_Rectangle_Text(Visible_Cells(doc, 640, 480, 32)), QStringLiteral("(40,33)～(60,48)"));
    EXPECT_FALSE(Recentre(doc, 20, 15, 5, 40)) << "it would leave the map on the left";
    EXPECT_FALSE(Recentre(doc, 20, 15, 95, 40));
    EXPECT_TRUE(Recentre(doc, 20, 15, 90, 92));
    EXPECT_FALSE(Recentre(doc, 20, 15, 90, 93));
}

TEST(ListLines, AsTheListsShowThem)
{
    EXPECT_EQ(Event_Line(5, 7, 3), QStringLiteral("( 5 ,7 )       Event = 3"));
    EXPECT_EQ(Event_Line(12, 130, 255), QStringLiteral("( 12 ,130 )    Event = 255"));
    EXPECT_EQ(Flag_Line(3, 2), QStringLiteral("3.   Flag=2"));
    EXPECT_EQ(Flag_Line(42, 0), QStringLiteral("42.  Flag=0"));
    EXPECT_EQ(Link_Line(3, 4, 2, 10, 11), QStringLiteral("(3,4)->2,(10,11)"));
}

edit_form Ten_By_Ten()
{
    edit_form doc;
    doc.max_x = doc.max_y = 9;
    doc.grid.Allocate(10, 10);
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y) doc.cell(x, y) = uint8_t(x * 10 + y + 64);
    doc.flags.assign(kCellCount, 0);
    return doc;
}

TEST(MapSize, GrowAndShrink)
{
    edit_form doc = Ten_By_Ten();
    ASSERT_EQ(Set_Link(doc, 9, 1, 0, 0, 1), TableChange::Done);
    ASSERT_EQ(Set_Event(doc, 2, 9, 5), TableChange::Done);
    ASSERT_TRUE(Resize_Map(doc, 12, 11));
    EXPECT_EQ(doc.width(), 12);
    EXPECT_EQ(doc.height(), 11);
    EXPECT_EQ(doc.cell(9, 9), 9 * 10 + 9 + 64);
    EXPECT_EQ(doc.cell(11, 3), 0);
    EXPECT_EQ(doc.cell(4, 10), 0);
    EXPECT_EQ(doc.links.count(), 1);

    // Shrinking drops column 9 with its link; two neighbouring entries outside both go.
    ASSERT_EQ(Set_Event(doc, 10, 0, 6), TableChange::Done);
    ASSERT_EQ(Set_Event(doc, 11, 0, 7), TableChange::Done);
    ASSERT_EQ(Set_Event(doc, 1, 1, 8), TableChange::Done);
    ASSERT_TRUE(Resize_Map(doc, 9, 10));
    EXPECT_EQ(doc.links.count(), 0) << "the only link lay outside";
    EXPECT_EQ(doc.events.number, (std::vector<uint8_t>{5, 8}));
    EXPECT_EQ(doc.cell(8, 9), 8 * 10 + 9 + 64);

    // A resize is one undo step that brings back size, cells, links and events.
    edit_form before = Ten_By_Ten();
    ASSERT_EQ(Set_Link(before, 9, 1, 0, 0, 1), TableChange::Done);
    edit_form undone = before;
    ASSERT_TRUE(Save_Step(undone));
    ASSERT_TRUE(Resize_Map(undone, 3, 3));
    ASSERT_EQ(Undo_Map(undone), UndoResult::Restored);
    EXPECT_EQ(Map_To_Text(undone), Map_To_Text(before));
    EXPECT_EQ(undone.links, before.links);

    // The same size keeps everything; 256 is a size too.
    edit_form same = Ten_By_Ten();
    ASSERT_TRUE(Resize_Map(same, 10, 10));
    EXPECT_EQ(Map_To_Text(same), Map_To_Text(Ten_By_Ten()));
    ASSERT_TRUE(Resize_Map(same, 256, 1));
    EXPECT_EQ(same.width(), 256);
}

TEST(MapSize, AFailureLeavesTheMapAsItWas)
{
    // Only a larger map allocates (its grid); a smaller one keeps its block and its tables.
    const struct { int side; int fail_at; const char* caption; } rows[] = {
        {12, 1, "ERROR:Set_Form_cb_ok_Click(1)"},
        {256, 1, "ERROR:Set_Form_cb_ok_Click(1)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption);
        ScriptedPresenter messages;
        edit_form doc = Ten_By_Ten();
        ASSERT_EQ(Set_Link(doc, 1, 1, 0, 0, 1), TableChange::Done);
        ASSERT_EQ(Set_Event(doc, 2, 2, 5), TableChange::Done);
        const edit_form before = doc;
        {
            AllocationFailureScope fail(row.fail_at);
            EXPECT_FALSE(Resize_Map(doc, row.side, row.side));
        }
        EXPECT_EQ(messages.captions(), QStringList{QString::fromLatin1(row.caption)});
        EXPECT_EQ(doc.grid, before.grid);
        EXPECT_EQ(doc.width(), 10);
        EXPECT_EQ(doc.links, before.links);
        EXPECT_EQ(doc.events, before.events);
    }
}

} // namespace
} // namespace zol
