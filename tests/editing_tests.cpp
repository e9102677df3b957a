// The drawing tools, the flood fill, the undo ring and the event and link tables, on small maps
// drawn as text.

#include "allocation_failures.h"
#include "core/map/events_links.h"
#include "core/editing/clipboard.h"
#include "core/editing/drawing_tools.h"
#include "core/editing/undo.h"
#include "core/editing/pattern.h"
#include "core/exchange/recent_files.h"
#include "core/render/map_view_layout.h"
#include "scripted_presenter.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <ostream>
#include <tuple>
#include <utility>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zol {
namespace {

using test::Map_From_Text;
using test::Map_To_Text;

const FillRate kAll{true, 100};

// ---- Flood fill ------------------------------------------------------------------------------

TEST(Paint, FillsTheFourConnectedRegionOfTheSeedsByte)
{
    const struct { const char* name; const char* map; int x, y; int value; const char* expected; } rows[] = {
        {"corners do not connect", "1 0 0\n0 1 0\n0 0 1", 0, 0, 5, "5 0 0\n0 1 0\n0 0 1"},
        {"flag bits bound the region", "1 1 65\n1 65 65\n1 1 1", 0, 0, 7, "7 7 65\n7 65 65\n7 7 7"},
        {"around a wall", "0 0 0 0\n0 9 9 0\n0 9 0 0\n0 0 0 9", 3, 0, 2, "2 2 2 2\n2 9 9 2\n2 9 2 2\n2 2 2 9"},
        {"own value changes nothing", "3 3 1\n3 1 3", 0, 0, 3, "3 3 1\n3 1 3"},
        {"value that contains the target", "4 4\n4 4", 1, 1, 4 + 64, "68 68\n68 68"},
        {"one row", "2 2 2 5 2 2", 1, 0, 8, "8 8 8 5 2 2"},
        {"one column", "2\n2\n5\n2", 0, 3, 1, "2\n2\n5\n1"},
        {"single cell", "6", 0, 0, 1, "1"},
        {"seed outside does nothing", "6 6", 2, 0, 1, "6 6"},
        {"U shape filled from the inside", "1 0 1\n1 0 1\n1 1 1", 1, 0, 3, "1 3 1\n1 3 1\n1 1 1"},
        {"reaches back up around a comb", "0 1 0 1 0\n0 1 0 1 0\n0 0 0 0 0", 4, 0, 9, "9 1 9 1 9\n9 1 9 1 9\n9 9 9 9 9"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        edit_form doc = Map_From_Text(row.map);
        EXPECT_TRUE(Paint(doc, row.x, row.y, Pattern::Single(uint8_t(row.value)), kAll, 1));
        EXPECT_EQ(Map_To_Text(doc), QString::fromLatin1(row.expected));
    }
}

// A maze of one-cell vertical corridors joined alternately at the top and the bottom, the
// hardest shape for a fill that keeps one seed per run.
edit_form Maze(int w, int h)
{
    edit_form doc;
    doc.max_x = uint8_t(w - 1);
    doc.max_y = uint8_t(h - 1);
    doc.grid.Allocate(w, h, 0);
    doc.flags.assign(kCellCount, 0);
    for (int x = 1; x < w; x += 2)
        for (int y = 0; y < h; ++y) doc.cell(x, y) = 1; // walls
    for (int x = 1; x < w; x += 2) doc.cell(x, (x / 2) % 2 == 0 ? h - 1 : 0) = 0; // gaps
    return doc;
}

TEST(Paint, LargeShapesAreFilledWhole)
{
    const struct { const char* name; edit_form doc; } rows[] = {
        {"wide map of two rows", [] { edit_form d; d.max_x = 255; d.max_y = 1; d.grid.Allocate(256, 2, 0); d.flags.assign(64, 0); return d; }()},
        {"largest open map", [] { edit_form d; d.max_x = 255; d.max_y = 255; d.grid.Allocate(256, 256, 0); d.flags.assign(64, 0); return d; }()},
        {"maze", Maze(255, 256)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        edit_form doc = row.doc;
        ASSERT_TRUE(Paint(doc, 0, 0, Pattern::Single(7), kAll, 1));
        for (std::size_t i = 0; i < doc.grid.size(); ++i)
            ASSERT_NE(doc.grid.data()[i], 0) << "cell " << i / doc.height() << "," << i % doc.height();
    }
}

// The seed's 4-connected region, found the plain way.
std::vector<bool> Region(const edit_form& doc, int x0, int y0)
{
    std::vector<bool> in(doc.grid.size());
    std::vector<std::pair<int, int>> stack{{x0, y0}};
    const uint8_t target = doc.cell(x0, y0);
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        if (!doc.contains(x, y) || doc.cell(x, y) != target || in[std::size_t(x * doc.height() + y)]) continue;
        in[std::size_t(x * doc.height() + y)] = true;
        stack.insert(stack.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    return in;
}

// Random maps of up to 40 x 40 cells of a few values in blobs, and a seed cell in each.
class RandomMaps {
public:
    explicit RandomMaps(uint32_t state) : state_(state) {}
    unsigned Next() { return (state_ = state_ * 1103515245u + 12345u) >> 16; }
    edit_form Map(int& x, int& y)
    {
        edit_form doc;
        const int w = 1 + int(Next() % 40), h = 1 + int(Next() % 40);
        doc.max_x = uint8_t(w - 1);
        doc.max_y = uint8_t(h - 1);
        doc.grid.Allocate(w, h);
        doc.flags.assign(kCellCount, 0);
        for (std::size_t i = 0; i < doc.grid.size(); ++i) doc.grid.data()[i] = uint8_t(Next() % 3);
        x = int(Next() % unsigned(w));
        y = int(Next() % unsigned(h));
        return doc;
    }

private:
    uint32_t state_;
};

TEST(Paint, RandomBlobsAtEveryRate)
{
    // Maps of few values in random blobs: at a rate of 100 exactly the region is painted; at
    // lower rates only region cells change, each visited once.
    RandomMaps maps(5);
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(round);
        int x = 0, y = 0;
        const edit_form doc = maps.Map(x, y);
        const std::vector<bool> region = Region(doc, x, y);
        const long size = std::count(region.begin(), region.end(), true);
        for (const FillRate rate : {FillRate{true, 100}, FillRate{false, 5}, FillRate{true, 37}}) {
            edit_form filled = doc;
            ASSERT_TRUE(Paint(filled, x, y, Pattern::Single(9), rate, 4321));
            FillRandom random(rate, 4321);
            long expected = 0;
            for (long i = 0; i < size; ++i) expected += random.Write() ? 1 : 0;
            long painted = 0;
            for (std::size_t i = 0; i < doc.grid.size(); ++i) {
                const bool changed = filled.grid.data()[i] != doc.grid.data()[i];
                ASSERT_TRUE(!changed || region[i]) << "cell " << i << " outside the region";
                painted += changed ? 1 : 0;
            }
            EXPECT_EQ(painted, expected) << rate.on << " " << rate.rate;
        }
    }
}

// The fill rate's draws from the generator's rule (state * 1103515245 + 12345 mod 2^32, then
// bits 16..30; written when that number mod 100 is below the rate), worked out apart from
// FillRandom.
class ReferenceDraws {
public:
    ReferenceDraws(int rate, uint32_t seed) : rate_(rate), state_(seed) {}
    bool Write()
    {
        state_ = state_ * 1103515245u + 12345u;
        return int((state_ >> 16) % 32768u % 100u) < rate_;
    }

private:
    int rate_;
    uint32_t state_;
};

// The cells of the seed's region in the order the fill visits them under a rate: runs along
// rows, first in first out; a run is visited left to right, then the unvisited runs touching it
// are queued, those in the row above first, each row left to right.
std::vector<std::pair<int, int>> Visiting_Order(const edit_form& doc, int x0, int y0)
{
    const uint8_t target = doc.cell(x0, y0);
    const int h = doc.height();
    std::vector<bool> seen(doc.grid.size());
    auto in = [&](int x, int y) { return doc.contains(x, y) && doc.cell(x, y) == target; };
    std::deque<std::pair<int, int>> queue{{x0, y0}};
    std::vector<std::pair<int, int>> order;
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop_front();
        if (seen[std::size_t(x * h + y)]) continue;
        int a = x, b = x;
        while (in(a - 1, y)) --a;
        while (in(b + 1, y)) ++b;
        for (int cx = a; cx <= b; ++cx) {
            seen[std::size_t(cx * h + y)] = true;
            order.emplace_back(cx, y);
        }
        for (const int ny : {y - 1, y + 1})
            for (int cx = a; cx <= b; ++cx)
                if (in(cx, ny) && !seen[std::size_t(cx * h + ny)] && (cx == a || !in(cx - 1, ny)))
                    queue.emplace_back(cx, ny);
    }
    return order;
}

TEST(Paint, UnderARateTheCellsWrittenFollowTheDrawsInVisitingOrder)
{
    const char* const open = "0 0 0 0 0 0 0\n0 0 0 0 0 0 0\n0 0 0 0 0 0 0\n0 0 0 0 0 0 0\n0 0 0 0 0 0 0";
    // Walls that split rows into several runs and make the fill turn back up and down.
    const char* const walls = "0 0 0 1 0 0 0\n0 1 0 1 0 1 0\n0 1 0 0 0 1 0\n0 1 1 1 0 1 0\n"
                              "0 0 0 1 0 0 0\n1 1 0 0 0 1 0";
    const struct { const char* name; const char* map; int x, y, rate; uint32_t seed; } rows[] = {
        {"open map from the middle", open, 3, 2, 50, 1234},
        {"open map from a corner", open, 6, 4, 40, 1},
        {"around walls", walls, 4, 2, 50, 77},
        {"around walls, another seed", walls, 0, 4, 65, 4000000000u},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        edit_form doc = Map_From_Text(row.map);
        edit_form expected = doc;
        ReferenceDraws draws(row.rate, row.seed);
        int written = 0;
        for (const auto& [x, y] : Visiting_Order(doc, row.x, row.y))
            if (draws.Write()) expected.cell(x, y) = 9, ++written;
        ASSERT_GT(written, 2);
        ASSERT_TRUE(Paint(doc, row.x, row.y, Pattern::Single(9), {true, row.rate}, row.seed));
        EXPECT_EQ(Map_To_Text(doc), Map_To_Text(expected));
    }
}

TEST(Paint, PatternIsTiledFromTheMapsOrigin)
{
    edit_form doc = Map_From_Text("0 0 0\n0 0 0\n0 0 0");
    Pattern pattern{2, 2, {1, 2, 3, 4}}; // (0,0)=1 (0,1)=2 (1,0)=3 (1,1)=4
    ASSERT_TRUE(Paint(doc, 2, 2, pattern, kAll, 1));
    EXPECT_EQ(Map_To_Text(doc), QStringLiteral("1 3 1\n2 4 2\n1 3 1"));
}

TEST(Paint, MemoryFailuresWriteNothing)
{
    for (int fail_at = 1; fail_at <= 3; ++fail_at) {
        SCOPED_TRACE(fail_at);
        ScriptedPresenter messages;
        edit_form doc = Map_From_Text("0 0\n0 0");
        {
            AllocationFailureScope fail(fail_at);
            EXPECT_FALSE(Paint(doc, 0, 0, Pattern::Single(5), kAll, 1));
        }
        EXPECT_EQ(messages.captions(), QStringList{QStringLiteral("ERROR:Paint(%1)").arg(fail_at)});
        EXPECT_EQ(Map_To_Text(doc), QStringLiteral("0 0\n0 0"));
    }
}

// ---- Rectangles ------------------------------------------------------------------------------

TEST(Rectangles, FillEdgesAndPatternClipToTheMap)
{
    edit_form doc = Map_From_Text("0 0 0 0\n0 0 0 0\n0 0 0 0");
    Rectangle_Fill(doc, CellRect::Between(2, 1, 1, 2), 5, kAll, 1);
    EXPECT_EQ(Map_To_Text(doc), QStringLiteral("0 0 0 0\n0 5 5 0\n0 5 5 0"));
    Rectangle_Edges(doc, CellRect::Between(-1, 0, 2, 5), 7); // beyond the map on two sides
    EXPECT_EQ(Map_To_Text(doc), QStringLiteral("7 7 7 0\n0 5 7 0\n0 5 7 0"));
    Rectangle_Edges(doc, {3, 1, 3, 1}, 9);
    EXPECT_EQ(Map_To_Text(doc), QStringLiteral("7 7 7 0\n0 5 7 9\n0 5 7 0"));
    Rectangle_Fill(doc, {-5, -5, 10, 10}, 1, {false, 1}, 1); // switch off: every cell
    EXPECT_EQ(Map_To_Text(doc), QStringLiteral("1 1 1 1\n1 1 1 1\n1 1 1 1"));
    // A 2 x 2 pattern started at (1, 1) still takes pattern(1, 1) there.
    Pattern_Rectangle(doc, {1, 1, 2, 2}, Pattern{2, 2, {10, 11, 12, 13}}, kAll, 1);
    EXPECT_EQ(Map_To_Text(doc), QStringLiteral("1 1 1 1\n1 13 11 1\n1 12 10 1"));
    Pattern_Rectangle(doc, {0, 0, 3, 2}, Pattern{}, kAll, 1); // no pattern: nothing
    EXPECT_EQ(Map_To_Text(doc), QStringLiteral("1 1 1 1\n1 13 11 1\n1 12 10 1"));
}

TEST(Rectangles, UnderARateTheCellsWrittenFollowTheDrawsColumnByColumn)
{
    // Only cells inside the map draw. The pattern rectangle draws the same way.
    const Pattern pattern{2, 3, {1, 2, 3, 4, 5, 6}};
    const struct { const char* name; CellRect rect; int rate; uint32_t seed; } rows[] = {
        {"whole map", {0, 0, 5, 4}, 50, 77},
        {"inside", {1, 1, 4, 3}, 33, 1},
        {"partly outside", {-2, 2, 3, 9}, 60, 4000000000u},
    };
    const char* const blank = "0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        edit_form filled = Map_From_Text(blank), patterned = filled;
        edit_form expected_fill = filled, expected_pattern = filled;
        ReferenceDraws draws(row.rate, row.seed);
        for (int x = std::max(row.rect.x1, 0); x <= std::min(row.rect.x2, 5); ++x)
            for (int y = std::max(row.rect.y1, 0); y <= std::min(row.rect.y2, 4); ++y)
                if (draws.Write()) {
                    expected_fill.cell(x, y) = 7;
                    expected_pattern.cell(x, y) = pattern.cells[std::size_t(x % 2 * 3 + y % 3)];
                }
        ASSERT_NE(Map_To_Text(expected_fill), QString::fromLatin1(blank));
        Rectangle_Fill(filled, row.rect, 7, {true, row.rate}, row.seed);
        EXPECT_EQ(Map_To_Text(filled), Map_To_Text(expected_fill));
        Pattern_Rectangle(patterned, row.rect, pattern, {true, row.rate}, row.seed);
        EXPECT_EQ(Map_To_Text(patterned), Map_To_Text(expected_pattern));
    }
}

// The generator's first numbers, worked out by hand from its rule; seed 1 gives the sequence
// this rule is known for, and 4000000000 makes the first product wrap at 32 bits.
TEST(FillRandom, FirstNumbersAndWritesForFixedSeeds)
{
    const struct { uint32_t seed; std::vector<int> numbers; } sequences[] = {
        {1, {16838, 5758, 10113, 17515, 31051, 5627, 23010, 7419, 16212, 4086}},
        {4000000000u, {6608, 25567, 29223, 17498, 10355, 29425}},
    };
    for (const auto& sequence : sequences) {
        FillRandom random({true, 50}, sequence.seed);
        for (std::size_t i = 0; i < sequence.numbers.size(); ++i)
            EXPECT_EQ(random.Next(), sequence.numbers[i]) << "seed " << sequence.seed << " number " << i;
    }
    // Seed 1's numbers mod 100 are 38 58 13 15 51 27 10 19 12 86; a cell is written when that
    // is below the rate.
    const struct { const char* name; FillRate rate; const char* writes; } rates[] = {
        {"rate 14", {true, 14}, "0010001010"},
        {"rate 38 leaves 38", {true, 38}, "0011011110"},
        {"rate 39 takes it", {true, 39}, "1011011110"},
        {"rate 86", {true, 86}, "1111111110"},
        {"switch off", {false, 1}, "1111111111"},
    };
    for (const auto& row : rates) {
        FillRandom random(row.rate, 1);
        QString writes;
        for (int i = 0; i < 10; ++i) writes += random.Write() ? '1' : '0';
        EXPECT_EQ(writes, QString::fromLatin1(row.writes)) << row.name;
    }
}

// ---- Patterns --------------------------------------------------------------------------------

TEST(Patterns, MadeOfZerosAndLeftEmptyByEitherShortage)
{
    ScriptedPresenter messages;
    Pattern pattern;
    ASSERT_TRUE(Make_Pattern(pattern, 3, 2));
    EXPECT_EQ(pattern.cells, std::vector<uint8_t>(6, 0));
    EXPECT_TRUE(pattern.exists());
    for (int fail_at = 1; fail_at <= 2; ++fail_at) {
        AllocationFailureScope fail(fail_at);
        EXPECT_FALSE(Make_Pattern(pattern, 5, 5));
        EXPECT_FALSE(pattern.exists());
        EXPECT_EQ(pattern.width + pattern.height, 0);
    }
    EXPECT_EQ(messages.captions(), (QStringList{"ERROR:Pattern(1)", "ERROR:Pattern(2)"}));
}

TEST(Patterns, RectanglesTileFromTheMapsOriginAtEveryRate)
{
    // Against cell-by-cell tiling, over rectangles reaching the last row and column and patterns
    // larger than the map; a 2 x 2 pattern from (3, 5) puts pattern(1, 1) there.
    edit_form blank = Map_From_Text("0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0\n"
                                    "0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0");
    const Pattern two{2, 2, {1, 2, 3, 4}};
    edit_form doc = blank;
    Pattern_Rectangle(doc, {3, 5, 3, 5}, two, kAll, 1);
    EXPECT_EQ(doc.cell(3, 5), two.at(1, 1));
    Pattern big_cells{5, 5, {}};
    for (int i = 0; i < 25; ++i) big_cells.cells.push_back(uint8_t(10 + i));
    const Pattern& big = big_cells;
    const Pattern tall{1, 3, {7, 8, 9}};
    for (const Pattern* pattern : {&two, &big, &tall}) {
        for (const FillRate rate : {FillRate{false, 100}, FillRate{true, 100}, FillRate{true, 50}}) {
            for (const CellRect rect : {CellRect{0, 0, 5, 6}, CellRect{2, 3, 9, 9}, CellRect{5, 0, 5, 6}}) {
                doc = blank;
                Pattern_Rectangle(doc, rect, *pattern, rate, 99);
                FillRandom random(rate, 99);
                for (int x = std::max(rect.x1, 0); x <= std::min(rect.x2, 5); ++x)
                    for (int y = std::max(rect.y1, 0); y <= std::min(rect.y2, 6); ++y)
                        ASSERT_EQ(doc.cell(x, y), random.Write() ? pattern->tile(x, y) : 0)
                            << pattern->width << "x" << pattern->height << " rate " << rate.rate << " at " << x << "," << y;
            }
        }
    }
}

TEST(Patterns, PatternFillPaintsEachRegionCellWithItsTile)
{
    RandomMaps maps(11);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        int x = 0, y = 0;
        edit_form doc = maps.Map(x, y);
        doc.flags[21] = 2;
        const int w = doc.width(), h = doc.height();
        const std::vector<bool> region = Region(doc, x, y);
        // The pattern holds the target value too, and a cell whose flag is 2.
        Pattern pattern{1 + int(maps.Next() % 5), 1 + int(maps.Next() % 5), {}};
        for (int i = 0; i < pattern.width * pattern.height; ++i) pattern.cells.push_back(uint8_t(i % 2 ? 21 : doc.cell(x, y)));
        const Pattern drawn = Drawing_Pattern(doc, pattern);
        for (const FillRate rate : {FillRate{true, 100}, FillRate{true, 37}}) {
            edit_form filled = doc;
            ASSERT_TRUE(Paint(filled, x, y, drawn, rate, 4321));
            for (int cx = 0; cx < w; ++cx) {
                for (int cy = 0; cy < h; ++cy) {
                    const uint8_t before = doc.cell(cx, cy), after = filled.cell(cx, cy);
                    if (!region[std::size_t(cx * h + cy)]) ASSERT_EQ(after, before) << cx << "," << cy;
                    else if (rate.rate == 100) ASSERT_EQ(after, drawn.tile(cx, cy)) << cx << "," << cy;
                    else ASSERT_TRUE(after == before || after == drawn.tile(cx, cy));
                }
            }
        }
        // The pattern's cell numbers are drawn with the map's flags.
        if (pattern.cells.size() > 1) {
            ASSERT_EQ(drawn.cells[1], 21 + 2 * 64);
        }
    }
}

// ---- Undo ring -------------------------------------------------------------------------------

void Add_Link(edit_form& doc, int x, int y, int map)
{
    ASSERT_EQ(Set_Link(doc, x, y, 1, 2, map), TableChange::Done);
}

TEST(UndoRing, KeepsTheFiveNewestStates)
{
    edit_form doc = Map_From_Text("0 0");
    for (int i = 1; i <= 6; ++i) {
        ASSERT_TRUE(Save_Step(doc));
        doc.cell(0, 0) = uint8_t(i);
    }
    for (int i = 5; i >= 1; --i) {
        ASSERT_EQ(Undo_Map(doc), UndoResult::Restored);
        EXPECT_EQ(doc.cell(0, 0), i);
    }
    EXPECT_EQ(Undo_Map(doc), UndoResult::Nothing);
    EXPECT_EQ(doc.cell(0, 0), 1) << "the sixth step back is gone";
}

TEST(UndoRing, RestoresSizeTablesAndFlags)
{
    edit_form doc = Map_From_Text("1 2 3\n4 5 6");
    Add_Link(doc, 0, 0, 3);
    ASSERT_EQ(Set_Event(doc, 2, 1, 40), TableChange::Done);
    doc.flags[5] = 2;
    const edit_form before = doc;
    ASSERT_TRUE(Save_Step(doc));

    // A new size, another link at another cell (same count), no events, other flags.
    doc.max_x = 0;
    doc.grid.Allocate(1, 2, 9);
    ASSERT_EQ(Delete_Link(doc, 0, 0), TableChange::Done);
    Add_Link(doc, 1, 1, 4);
    ASSERT_EQ(Delete_Event(doc, 2, 1), TableChange::Done);
    doc.flags[5] = 0;

    ASSERT_EQ(Undo_Map(doc), UndoResult::Restored);
    EXPECT_EQ(doc.width(), 3);
    EXPECT_EQ(Map_To_Text(doc), Map_To_Text(before));
    EXPECT_EQ(doc.links, before.links);
    EXPECT_EQ(doc.events, before.events);
    EXPECT_EQ(doc.flags, before.flags);
    EXPECT_FALSE(Has_Undo_Step(doc));
}

TEST(UndoRing, EditingAfterUndoKeepsTheOlderStepsInOrder)
{
    edit_form doc = Map_From_Text("0");
    for (int value : {1, 2, 3}) {
        Save_Step(doc);
        doc.cell(0, 0) = uint8_t(value);
    }
    Undo_Map(doc); // back to 2
    Save_Step(doc);
    doc.cell(0, 0) = 7;
    for (int expected : {2, 1, 0}) {
        ASSERT_EQ(Undo_Map(doc), UndoResult::Restored);
        EXPECT_EQ(doc.cell(0, 0), expected);
    }
}

TEST(UndoRing, AFailedRecordingLeavesAnEmptyStep)
{
    // Allocations of a first step of a map with one link and one event: the grid, five link
    // columns, three event columns.
    const char* captions[] = {"ERROR:Save(1)", "ERROR:Save_Link(1)", "ERROR:Save_Link(2)",
                              "ERROR:Save_Link(3)", "ERROR:Save_Link(2)", "ERROR:Save_Link(3)",
                              "ERROE:Save_Event(1)", "ERROE:Save_Event(2)", "ERROE:Save_Event(3)"};
    for (int fail_at = 1; fail_at <= 9; ++fail_at) {
        SCOPED_TRACE(captions[fail_at - 1]);
        ScriptedPresenter messages;
        edit_form doc = Map_From_Text("1 2");
        Add_Link(doc, 0, 0, 1);
        ASSERT_EQ(Set_Event(doc, 1, 0, 5), TableChange::Done);
        ASSERT_TRUE(Save_Step(doc)); // an older step that must survive
        doc.cell(0, 0) = 8;
        edit_form half = doc;
        half.undo = UndoRing{}; // a ring with nothing allocated yet
        {
            AllocationFailureScope fail(fail_at);
            EXPECT_FALSE(Save_Step(half));
        }
        EXPECT_EQ(messages.captions(), QStringList{QString::fromLatin1(captions[fail_at - 1])});
        EXPECT_EQ(Undo_Map(half), UndoResult::Nothing);
        EXPECT_EQ(half.cell(0, 0), 8);
    }
}

TEST(UndoRing, AFailedUndoChangesNothingAndKeepsItsStep)
{
    // The restore of a step of another size with two links and one event allocates the grid,
    // five link columns, three event columns, in that order.
    const char* captions[] = {"ERROR:Undo(1)", "ERROR:Undo_Link(1)", "ERROR:Undo_Link(2)",
                              "ERROR:Undo_Link(3)", "ERROR:Undo_Link(4)", "ERROR:Undo_Link(5)",
                              "ERROR:Undo_Event(1)", "ERROR:Undo_Event(2)", "ERROR:Undo_Event(3)"};
    for (int fail_at = 1; fail_at <= 9; ++fail_at) {
        SCOPED_TRACE(captions[fail_at - 1]);
        ScriptedPresenter messages;
        edit_form doc = Map_From_Text("1 2\n3 4");
        Add_Link(doc, 0, 0, 1);
        Add_Link(doc, 1, 0, 2);
        ASSERT_EQ(Set_Event(doc, 1, 1, 5), TableChange::Done);
        ASSERT_TRUE(Save_Step(doc));
        doc.max_x = 0;
        doc.grid.Allocate(1, 2, 6);
        doc.links.clear();
        doc.events.clear();
        const edit_form changed = doc;
        {
            AllocationFailureScope fail(fail_at);
            EXPECT_EQ(Undo_Map(doc), UndoResult::Failed);
        }
        EXPECT_EQ(messages.captions(), QStringList{QString::fromLatin1(captions[fail_at - 1])});
        EXPECT_EQ(doc.grid, changed.grid);
        EXPECT_EQ(doc.width(), 1);
        EXPECT_EQ(doc.links, changed.links);
        EXPECT_EQ(doc.events, changed.events);
        ASSERT_EQ(Undo_Map(doc), UndoResult::Restored) << "the step is still there";
        EXPECT_EQ(Map_To_Text(doc), QStringLiteral("1 2\n3 4"));
    }
}

TEST(PaletteHistory, UndoPutsTheNewestPictureBack)
{
    CellPalette palette;
    palette.cells = Blank_Cells();
    EXPECT_FALSE(Undo_Palette_Cell(palette));
    Record_Palette_Cell(palette, 3);
    palette.cells[3].fill(Qt::red);
    Record_Palette_Cell(palette, 3);
    palette.cells[3].fill(Qt::blue);
    ASSERT_TRUE(Undo_Palette_Cell(palette));
    EXPECT_EQ(palette.cells[3].pixel(0, 0), QColor(Qt::red).rgb());
    ASSERT_TRUE(Undo_Palette_Cell(palette));
    EXPECT_EQ(palette.cells[3].pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_FALSE(Undo_Palette_Cell(palette));
}

// ---- Redo ------------------------------------------------------------------------------------

// Undo and redo as the user sees them, kept away from the ring: the states undo goes back to
// (five at most), and those undone since the last edit.
template <class State>
struct StepModel {
    std::deque<State> past;
    std::vector<State> future;
    State current{};

    void Edit(State next)
    {
        past.push_back(std::exchange(current, next));
        if (past.size() > 5) past.pop_front();
        future.clear();
    }
    bool Move(auto& from, auto& to)
    {
        if (from.empty()) return false;
        to.push_back(std::exchange(current, from.back()));
        from.pop_back();
        return true;
    }
};

// What a map step restores; the k-th edit of the table below makes a map of its own size, cells,
// links, events and flags, so a state put back from the wrong step, or not whole, shows.
auto State_Of(const edit_form& d) { return std::tuple(d.grid, d.max_x, d.max_y, d.links, d.events, d.flags); }
auto Edited_State(int k)
{
    edit_form doc = Map_From_Text("0");
    doc.max_x = uint8_t(k % 3);
    doc.max_y = uint8_t((2 * k) % 3);
    doc.grid.Allocate(doc.width(), doc.height(), uint8_t(k));
    const std::vector<uint8_t> column(std::size_t(k % 3), uint8_t(k)); // 0, 1 or 2 links
    doc.links = LinkTable{column, column, column, column, column};
    if (k % 2) doc.events = EventTable{{uint8_t(k)}, {0}, {0}};
    doc.flags[std::size_t(k)] = uint8_t(1 + k % 3);
    return State_Of(doc);
}

TEST(Redo, BringsBackWhatWasUndoneSinceTheLastEditForMapsAndThePalette)
{
    // E an edit (a map step, and a new picture for cell 3 or 7), U an undo, R a redo.
    const struct { const char* name; const char* steps; } rows[] = {
        {"nothing recorded", "RUR"},
        {"nothing undone", "EER"},
        {"one to five undos", "EEEEEEURUURRUUURRRUUUURRRRUUUUURRRRRR"},
        {"no more than five", "EEEEEEEUUUUUURRRRRRU"},
        {"fewer steps than the ring holds", "EEUUURRRUR"},
        {"undo and redo in turn", "EEEEEEUURUURRURRRUUU"},
        {"an edit drops the redo steps", "EEEEEUUERRUUUUU"},
        {"an edit after five undos", "EEEEEEUUUUUERUUR"},
        {"round the ring again", "EEEEEEEEEEEUURREUUUUUURRRRRREUR"},
    };
    using Colours = std::pair<QRgb, QRgb>; // of cells 3 and 7
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        edit_form doc = Map_From_Text("0");
        std::tie(doc.grid, doc.max_x, doc.max_y, doc.links, doc.events, doc.flags) = Edited_State(0);
        CellPalette palette;
        palette.cells = Blank_Cells();
        auto colours = [&] { return Colours{palette.cells[3].pixel(0, 0), palette.cells[7].pixel(0, 0)}; };
        StepModel<int> map; // a map state is the number of the edit that made it
        StepModel<Colours> cells{{}, {}, colours()};
        for (int i = 0, edits = 0; row.steps[i]; ++i) {
            SCOPED_TRACE(std::string(row.steps, std::size_t(i + 1)));
            if (const char c = row.steps[i]; c == 'E') {
                map.Edit(++edits);
                ASSERT_TRUE(Save_Step(doc));
                std::tie(doc.grid, doc.max_x, doc.max_y, doc.links, doc.events, doc.flags) = Edited_State(edits);
                const int n = edits % 2 ? 3 : 7;
                const QRgb colour = qRgb(10 * edits, 100, 200);
                cells.Edit(n == 3 ? Colours{colour, cells.current.second} : Colours{cells.current.first, colour});
                Record_Palette_Cell(palette, n);
                palette.cells[std::size_t(n)].fill(colour);
            } else {
                const bool undo = c == 'U';
                auto step = [undo](auto& model) {
                    return undo ? model.Move(model.past, model.future) : model.Move(model.future, model.past);
                };
                const UndoResult map_result = step(map) ? UndoResult::Restored : UndoResult::Nothing;
                EXPECT_EQ(undo ? Undo_Map(doc) : Redo_Map(doc), map_result);
                const bool cells_result = step(cells);
                EXPECT_EQ(undo ? Undo_Palette_Cell(palette) : Redo_Palette_Cell(palette), cells_result);
            }
            ASSERT_TRUE(State_Of(doc) == Edited_State(map.current));
            EXPECT_EQ(Has_Undo_Step(doc), !map.past.empty());
            EXPECT_EQ(Has_Redo_Step(doc), !map.future.empty());
            ASSERT_EQ(colours(), cells.current);
            EXPECT_EQ(palette.history.Newest_Empty(), cells.past.empty());
            EXPECT_EQ(palette.history.redo > 0, !cells.future.empty());
        }
    }
}

TEST(Redo, AFailedRedoChangesNothingAndKeepsItsStep)
{
    // The redo of a map of another size with two links and one event allocates the grid, five
    // link columns, three event columns, in that order.
    const char* captions[] = {"ERROR:Redo(1)", "ERROR:Redo_Link(1)", "ERROR:Redo_Link(2)",
                              "ERROR:Redo_Link(3)", "ERROR:Redo_Link(4)", "ERROR:Redo_Link(5)",
                              "ERROR:Redo_Event(1)", "ERROR:Redo_Event(2)", "ERROR:Redo_Event(3)"};
    for (int fail_at = 1; fail_at <= 9; ++fail_at) {
        SCOPED_TRACE(captions[fail_at - 1]);
        ScriptedPresenter messages;
        edit_form doc = Map_From_Text("6\n6");
        ASSERT_TRUE(Save_Step(doc));
        doc.max_x = 1;
        doc.grid.Allocate(2, 2, 4);
        Add_Link(doc, 0, 0, 1);
        Add_Link(doc, 1, 0, 2);
        ASSERT_EQ(Set_Event(doc, 1, 1, 5), TableChange::Done);
        const auto edited = State_Of(doc);
        ASSERT_EQ(Undo_Map(doc), UndoResult::Restored);
        const auto undone = State_Of(doc);
        {
            AllocationFailureScope fail(fail_at);
            EXPECT_EQ(Redo_Map(doc), UndoResult::Failed);
        }
        EXPECT_EQ(messages.captions(), QStringList{QString::fromLatin1(captions[fail_at - 1])});
        EXPECT_TRUE(State_Of(doc) == undone);
        ASSERT_EQ(Redo_Map(doc), UndoResult::Restored) << "the step is still there";
        EXPECT_TRUE(State_Of(doc) == edited);
    }
}

TEST(Redo, AnUndoWithoutMemoryForRedoStillUndoes)
{
    ScriptedPresenter messages;
    edit_form doc = Map_From_Text("0");
    for (int value : {1, 2}) {
        ASSERT_TRUE(Save_Step(doc));
        doc.cell(0, 0) = uint8_t(value);
    }
    {
        AllocationFailureScope fail(1); // the copy of the map kept for redo
        ASSERT_EQ(Undo_Map(doc), UndoResult::Restored);
    }
    EXPECT_TRUE(messages.calls().empty());
    EXPECT_EQ(Redo_Map(doc), UndoResult::Nothing);
    // The next undo keeps its map: redo goes as far forward as that.
    ASSERT_EQ(Undo_Map(doc), UndoResult::Restored);
    ASSERT_EQ(Redo_Map(doc), UndoResult::Restored);
    EXPECT_EQ(doc.cell(0, 0), 1);
    EXPECT_EQ(Redo_Map(doc), UndoResult::Nothing);
}

// ---- Events and links ------------------------------------------------------------------------

TEST(EventTable, SetReplaceDeleteKeepOrder)
{
    edit_form doc = Map_From_Text("0 0 0");
    for (int i = 0; i < 3; ++i) ASSERT_EQ(Set_Event(doc, i, 0, 10 + i), TableChange::Done);
    ASSERT_EQ(Set_Event(doc, 1, 0, 99), TableChange::Done);
    EXPECT_EQ(doc.events.number, (std::vector<uint8_t>{10, 99, 12}));
    ASSERT_EQ(Delete_Event(doc, 1, 0), TableChange::Done);
    EXPECT_EQ(doc.events.number, (std::vector<uint8_t>{10, 12}));
    EXPECT_EQ(doc.events.x, (std::vector<uint8_t>{0, 2}));
    ASSERT_EQ(Delete_Event(doc, 1, 0), TableChange::Done) << "nothing to delete";
    Delete_Event(doc, 0, 0);
    Delete_Event(doc, 2, 0);
    EXPECT_EQ(doc.events, EventTable{});
    // Outside the grid is allowed: the table is not tied to the map's size.
    ASSERT_EQ(Set_Event(doc, 200, 7, 1), TableChange::Done);
    EXPECT_EQ(Find_Event(doc, 200, 7), 0);
}

TEST(LinkTable, SetReplaceDeleteKeepOrder)
{
    edit_form doc = Map_From_Text("0 0");
    ASSERT_EQ(Set_Link(doc, 0, 0, 5, 7, 2), TableChange::Done);
    ASSERT_EQ(Set_Link(doc, 1, 0, 1, 1, 3), TableChange::Done);
    ASSERT_EQ(Set_Link(doc, 0, 0, 8, 9, 4), TableChange::Done);
    EXPECT_EQ(doc.links.target_map, (std::vector<uint8_t>{4, 3}));
    EXPECT_EQ(doc.links.target_x, (std::vector<uint8_t>{8, 1}));
    EXPECT_EQ(doc.links.target_y, (std::vector<uint8_t>{9, 1}));
    ASSERT_EQ(Delete_Link(doc, 0, 0), TableChange::Done);
    EXPECT_EQ(doc.links.x, (std::vector<uint8_t>{1}));
}

TEST(Tables, LimitsAndMemoryFailuresLeaveTheTableAsItWas)
{
    ScriptedPresenter messages;
    edit_form doc = Map_From_Text("0");
    for (int i = 0; i < 255; ++i) {
        doc.events.number.push_back(uint8_t(i));
        doc.events.x.push_back(uint8_t(i));
        doc.events.y.push_back(0);
        doc.links.target_map.push_back(0);
        doc.links.target_x.push_back(0);
        doc.links.target_y.push_back(0);
        doc.links.x.push_back(uint8_t(i));
        doc.links.y.push_back(0);
    }
    EXPECT_EQ(Set_Event(doc, 0, 1, 1), TableChange::Limit);
    EXPECT_EQ(Set_Link(doc, 0, 1, 0, 0, 0), TableChange::Limit);
    EXPECT_EQ(messages.captions(), (QStringList{"やりすぎ！", "もうかんにんしてぇ"}));
    EXPECT_EQ(Set_Event(doc, 3, 0, 77), TableChange::Done) << "an existing one still changes";
    EXPECT_EQ(doc.events.count(), 255);

    const struct { const char* caption; int fail_at; std::function<TableChange(edit_form&)> op; } rows[] = {
        {"ERROR:Set_Event(3)", 3, [](edit_form& d) { return Set_Event(d, 0, 0, 1); }},
        {"ERROR:Set_Link(5)", 5, [](edit_form& d) { return Set_Link(d, 0, 0, 1, 1, 1); }},
        {"ERROR:Delete_Event(2)", 2, [](edit_form& d) { return Delete_Event(d, 1, 0); }},
        {"ERROR:Delete_Link(4)", 4, [](edit_form& d) { return Delete_Link(d, 1, 0); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption);
        messages.clear();
        edit_form small = Map_From_Text("0 0");
        ASSERT_EQ(Set_Event(small, 1, 0, 4), TableChange::Done);
        ASSERT_EQ(Set_Event(small, 0, 1, 5), TableChange::Done);
        ASSERT_EQ(Set_Link(small, 1, 0, 2, 2, 2), TableChange::Done);
        ASSERT_EQ(Set_Link(small, 0, 1, 3, 3, 3), TableChange::Done);
        const edit_form before = small;
        {
            AllocationFailureScope fail(row.fail_at);
            EXPECT_EQ(row.op(small), TableChange::NoMemory);
        }
        EXPECT_EQ(messages.captions(), QStringList{QString::fromUtf8(row.caption)});
        EXPECT_EQ(small.events, before.events);
        EXPECT_EQ(small.links, before.links);
    }
}

TEST(Tables, PositionsAndNumbersOutsideAByteAreRefusedRatherThanWrapped)
{
    // Every position and number the tables keep, each given the values in turn. A kept value is
    // stored as given, on an entry of its own that a second set finds and replaces; a refused one
    // brings one message naming it and leaves both tables as they were.
    using Set = TableChange (*)(edit_form&, int);
    using Stored = int (*)(const edit_form&);
    const struct { const char* name; Set set; Stored stored; } places[] = {
        {"event x", [](edit_form& d, int v) { return Set_Event(d, v, 3, 7); }, [](const edit_form& d) { return int(d.events.x.back()); }},
        {"event y", [](edit_form& d, int v) { return Set_Event(d, 3, v, 7); }, [](const edit_form& d) { return int(d.events.y.back()); }},
        {"event number", [](edit_form& d, int v) { return Set_Event(d, 3, 3, v); }, [](const edit_form& d) { return int(d.events.number.back()); }},
        {"link x", [](edit_form& d, int v) { return Set_Link(d, v, 3, 1, 2, 4); }, [](const edit_form& d) { return int(d.links.x.back()); }},
        {"link y", [](edit_form& d, int v) { return Set_Link(d, 3, v, 1, 2, 4); }, [](const edit_form& d) { return int(d.links.y.back()); }},
        {"link target x", [](edit_form& d, int v) { return Set_Link(d, 3, 3, v, 2, 4); }, [](const edit_form& d) { return int(d.links.target_x.back()); }},
        {"link target y", [](edit_form& d, int v) { return Set_Link(d, 3, 3, 1, v, 4); }, [](const edit_form& d) { return int(d.links.target_y.back()); }},
        {"link target map", [](edit_form& d, int v) { return Set_Link(d, 3, 3, 1, 2, v); }, [](const edit_form& d) { return int(d.links.target_map.back()); }},
    };
    const struct { int value; bool kept; } values[] = {
        {-1, false}, {0, true}, {255, true}, {256, false}, {1000, false}, {-256, false},
    };
    for (const auto& place : places) {
        for (const auto& row : values) {
            SCOPED_TRACE(testing::Message() << place.name << " " << row.value);
            ScriptedPresenter messages;
            edit_form doc = Map_From_Text("0 0");
            ASSERT_EQ(Set_Event(doc, 1, 1, 9), TableChange::Done);
            ASSERT_EQ(Set_Link(doc, 1, 1, 9, 9, 9), TableChange::Done);
            const edit_form before = doc;
            if (!row.kept) {
                EXPECT_EQ(place.set(doc, row.value), TableChange::Outside);
                ASSERT_EQ(messages.captions(), QStringList{QStringLiteral("はみ出してまっせ")});
                EXPECT_TRUE(messages.last().text.contains(QString::number(row.value))) << messages.last().text.toStdString();
                EXPECT_EQ(doc.events, before.events);
                EXPECT_EQ(doc.links, before.links);
                continue;
            }
            ASSERT_EQ(place.set(doc, row.value), TableChange::Done);
            EXPECT_EQ(place.stored(doc), row.value);
            ASSERT_EQ(place.set(doc, row.value), TableChange::Done);
            EXPECT_EQ(doc.events.count() + doc.links.count(), 3) << "set twice, kept once";
            EXPECT_TRUE(messages.calls().empty());
        }
    }
}

// ---- Clipboard -------------------------------------------------------------------------------

// A map with a link and an event on (1, 0) and an event on (0, 1).
edit_form Source()
{
    edit_form doc = Map_From_Text("1 69 3\n133 5 6");
    EXPECT_EQ(Set_Link(doc, 1, 0, 7, 8, 2), TableChange::Done);
    EXPECT_EQ(Set_Event(doc, 1, 0, 40), TableChange::Done);
    EXPECT_EQ(Set_Event(doc, 0, 1, 41), TableChange::Done);
    return doc;
}

TEST(Clipboard, CopyAndPasteKeepFlagsLinksAndEvents)
{
    edit_form from = Source();
    ClipArea area;
    CellRect copied;
    ASSERT_TRUE(Copy_Area(from, CellRect::Between(1, 1, 0, 0), CopyMode::Copy, 0, area, &copied));
    EXPECT_EQ(area.width, 2);
    EXPECT_EQ(area.height, 2);
    EXPECT_EQ(area.events[2], (std::vector<uint8_t>{41, 40})) << "in the order of the cells";

    edit_form to = Map_From_Text("0 0 0\n0 0 0\n0 0 0");
    ASSERT_EQ(Set_Link(to, 2, 1, 1, 1, 1), TableChange::Done); // replaced by the area's cell
    const PasteResult pasted = Paste_Area(to, 1, 1, area);
    EXPECT_TRUE(pasted.complete);
    EXPECT_EQ(Map_To_Text(to), QStringLiteral("0 0 0\n0 1 69\n0 133 5"));
    EXPECT_EQ(to.links.x, std::vector<uint8_t>{2});
    EXPECT_EQ(to.links.y, std::vector<uint8_t>{1});
    EXPECT_EQ(to.links.target_map, std::vector<uint8_t>{2});
    EXPECT_EQ(to.events.number, (std::vector<uint8_t>{41, 40}));
    EXPECT_EQ(to.events.x, (std::vector<uint8_t>{1, 2}));
    EXPECT_EQ(Map_To_Text(from), QStringLiteral("1 69 3\n133 5 6")) << "a copy leaves the source";
}

TEST(Clipboard, WithoutBackgroundTheLeftOutCellsKeepEverything)
{
    edit_form from = Map_From_Text("5 69\n197 2");
    ClipArea area;
    ASSERT_TRUE(Copy_Area(from, {0, 0, 1, 1}, CopyMode::CopyWithoutBackground, 5, area));
    edit_form to = Map_From_Text("9 9\n9 9");
    ASSERT_EQ(Set_Event(to, 0, 0, 3), TableChange::Done);
    Paste_Area(to, 0, 0, area);
    EXPECT_EQ(Map_To_Text(to), QStringLiteral("9 9\n9 2")) << "cell number 5 with any flag is background";
    EXPECT_EQ(to.events.number, std::vector<uint8_t>{3});
}

TEST(Clipboard, CutClearsAfterCopyingAndPasteClipsToTheMap)
{
    edit_form doc = Source();
    ClipArea area;
    ASSERT_TRUE(Copy_Area(doc, {-3, -3, 1, 0}, CopyMode::Cut, 0, area)); // anchor off the map
    EXPECT_EQ(area.width, 2);
    EXPECT_EQ(area.height, 1);
    EXPECT_EQ(Map_To_Text(doc), QStringLiteral("0 0 3\n133 5 6"));
    EXPECT_EQ(doc.links.count(), 0);
    EXPECT_EQ(doc.events.number, std::vector<uint8_t>{41});

    // Pasted hanging over each edge, only the cells inside are written.
    Paste_Area(doc, 2, 1, area);
    EXPECT_EQ(Map_To_Text(doc), QStringLiteral("0 0 3\n133 5 1"));
    Paste_Area(doc, -1, 0, area);
    EXPECT_EQ(Map_To_Text(doc), QStringLiteral("69 0 3\n133 5 1"));
    EXPECT_EQ(doc.links.x, std::vector<uint8_t>{0}) << "the link at offset (1, 0) lands on (0, 0)";
}

TEST(Clipboard, AFullTableStopsThePasteWhereTheCellsDo)
{
    ScriptedPresenter messages;
    edit_form doc = Map_From_Text("0 0 0");
    for (int i = 0; i < 254; ++i) ASSERT_EQ(Set_Event(doc, 10 + i % 200, 5 + i / 200, 1), TableChange::Done);
    ClipArea area;
    edit_form from = Map_From_Text("1 2 3");
    for (int x = 0; x < 3; ++x) ASSERT_EQ(Set_Event(from, x, 0, 50 + x), TableChange::Done);
    ASSERT_TRUE(Copy_Area(from, {0, 0, 2, 0}, CopyMode::Copy, 0, area));
    const PasteResult pasted = Paste_Area(doc, 0, 0, area);
    EXPECT_FALSE(pasted.complete);
    EXPECT_EQ(messages.captions(), QStringList{QStringLiteral("やりすぎ！")});
    EXPECT_EQ(Map_To_Text(doc), QStringLiteral("1 2 0")) << "the cell whose event failed is written";
    EXPECT_EQ(doc.events.count(), 255);
    EXPECT_EQ(doc.events.number.back(), 50);
}

TEST(Clipboard, MemoryFailuresLeaveMapUnchangedAndClipboardEmpty)
{
    // Allocations of a cut of the source: the cells, five link columns, three event columns,
    // then the shortened link table (empty: none) and event table (three columns).
    const struct { int fail_at; const char* caption; } rows[] = {
        {1, "ERROR:Area.area = "}, {2, "ERROR:_link->next = "}, {6, "ERROR:_link->next = "},
        {7, "ERROR:_event->next = "}, {10, "ERROR:Delete_Event(1)"}, {12, "ERROR:Delete_Event(3)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption);
        ScriptedPresenter messages;
        edit_form doc = Source();
        ASSERT_EQ(Set_Event(doc, 2, 1, 42), TableChange::Done); // stays: outside the cut
        const edit_form before = doc;
        ClipArea area;
        {
            AllocationFailureScope fail(row.fail_at);
            EXPECT_FALSE(Copy_Area(doc, {0, 0, 1, 1}, CopyMode::Cut, 0, area));
        }
        EXPECT_EQ(messages.captions(), QStringList{QString::fromLatin1(row.caption)});
        EXPECT_EQ(doc.grid, before.grid);
        EXPECT_EQ(doc.links, before.links);
        EXPECT_EQ(doc.events, before.events);
        EXPECT_FALSE(area.has_area());
    }
}

TEST(Clipboard, TableOrderAfterPastesThatRemoveAndAdd)
{
    edit_form doc = Map_From_Text("0 0 0 0");
    for (int x = 0; x < 4; ++x) ASSERT_EQ(Set_Event(doc, x, 0, 10 + x), TableChange::Done);
    edit_form from = Map_From_Text("7 7");
    ASSERT_EQ(Set_Event(from, 1, 0, 99), TableChange::Done);
    ClipArea area;
    ASSERT_TRUE(Copy_Area(from, {0, 0, 1, 0}, CopyMode::Copy, 0, area));
    Paste_Area(doc, 1, 0, area); // removes 11 and 12, adds 99 at (2, 0)
    EXPECT_EQ(doc.events.number, (std::vector<uint8_t>{10, 13, 99}));
    Paste_Area(doc, 2, 0, area); // removes 99 and 13, adds 99 at (3, 0)
    EXPECT_EQ(doc.events.number, (std::vector<uint8_t>{10, 99}));
    EXPECT_EQ(doc.events.x, (std::vector<uint8_t>{0, 3}));
}

} // namespace
} // namespace zol

namespace zol {
namespace {

// Every cell of a pen's drag, as drawn by hand on squared paper.
TEST(Strokes, LineCellsJoinTheEndsWithoutAGap)
{
    using Cells = std::vector<QPoint>;
    const struct {
        const char* name;
        QPoint from, to;
        Cells cells;
    } rows[] = {
        {"one cell", {3, 3}, {3, 3}, {{3, 3}}},
        {"neighbours", {3, 3}, {4, 3}, {{3, 3}, {4, 3}}},
        {"across", {0, 0}, {4, 0}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}},
        {"upwards", {2, 3}, {2, 0}, {{2, 3}, {2, 2}, {2, 1}, {2, 0}}},
        {"diagonal", {0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        // y = 0.4 x, each cell the nearest to the line.
        {"shallow", {0, 0}, {5, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
        // x = y / 5, drawn from the far end.
        {"steep, backwards", {1, 5}, {0, 0}, {{1, 5}, {1, 4}, {1, 3}, {0, 2}, {0, 1}, {0, 0}}},
        {"off the map", {-2, 0}, {1, -1}, {{-2, 0}, {-1, 0}, {0, -1}, {1, -1}}},
    };
    for (const auto& row : rows) EXPECT_EQ(Line_Cells(row.from.x(), row.from.y(), row.to.x(), row.to.y()), row.cells) << row.name;
}

TEST(Windows, NewMapWindowsCascadeAndWrapBeforeLeavingTheArea)
{
    const QSize window(300, 200), area(500, 330);
    const struct {
        const char* name;
        std::optional<QPoint> last;
        QPoint at;
    } rows[] = {
        {"the first", std::nullopt, {10, 10}},
        {"one step down and right", QPoint(10, 10), {34, 34}},
        {"from wherever the last one is", QPoint(100, 50), {124, 74}},
        {"the right edge exactly", QPoint(176, 50), {200, 74}},
        {"past the right edge", QPoint(177, 50), {10, 10}},
        {"past the bottom", QPoint(50, 107), {10, 10}},
    };
    for (const auto& row : rows) EXPECT_EQ(Cascade_Position(row.last, 24, window, area), row.at) << row.name;
}

TEST(RecentFiles, NewestFirstEachOnceAtMostEight)
{
    RecentFiles recent;
    for (const char* path : {"a", "b", "c"}) recent.Add(QString::fromLatin1(path));
    EXPECT_EQ(recent.Paths(), (QStringList{"c", "b", "a"}));
    recent.Add("a");
    EXPECT_EQ(recent.Paths(), (QStringList{"a", "c", "b"})) << "a repeat moves up";
    recent.Add("");
    EXPECT_EQ(recent.Paths().size(), 3) << "an empty name is no map";
    for (int i = 0; i < 10; ++i) recent.Add(QString::number(i));
    EXPECT_EQ(recent.Paths(), (QStringList{"9", "8", "7", "6", "5", "4", "3", "2"}));
    recent.Set({"x", "", "y", "x", "1", "2", "3", "4", "5", "6", "7"});
    EXPECT_EQ(recent.Paths(), (QStringList{"x", "y", "1", "2", "3", "4", "5", "6"})) << "as read back";
}

} // namespace
} // namespace zol
