// Editing a largest map: the flood fill over an open map and over a maze of one-cell corridors
// against a memset of the grid's 64 KiB, the pattern tools against the one-value tools, the
// cell editor's fill and view against QImage::fill, and recording and undoing a step against a
// memcpy of 64 KiB between 64-byte-aligned buffers. All figures come from one run so they compare.

#include <benchmark/benchmark.h>

#include "core/map/edit_form.h"
#include "core/editing/drawing_tools.h"
#include "core/editing/undo.h"
#include "core/editing/cell_picture.h"

#include <QImage>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int kSide = 256;
constexpr std::size_t kGridBytes = std::size_t(kSide) * kSide;

zol::edit_form Open_Map(uint8_t value)
{
    zol::edit_form doc;
    doc.max_x = doc.max_y = kSide - 1;
    doc.grid.Allocate(kSide, kSide, value);
    doc.flags.assign(zol::kCellCount, 0);
    return doc;
}

// One-cell vertical corridors (even columns) between walls (odd columns), joined alternately at
// the bottom and the top: every row of every corridor is a run of its own.
zol::edit_form Maze()
{
    zol::edit_form doc = Open_Map(0);
    for (int x = 1; x < kSide; x += 2) {
        for (int y = 0; y < kSide; ++y) doc.cell(x, y) = 1;
        doc.cell(x, (x / 2) % 2 == 0 ? kSide - 1 : 0) = 0;
    }
    return doc;
}

struct Aligned {
    struct Free {
        void operator()(void* p) const { std::free(p); }
    };
    std::unique_ptr<uint8_t, Free> from{static_cast<uint8_t*>(std::aligned_alloc(64, kGridBytes))};
    std::unique_ptr<uint8_t, Free> to{static_cast<uint8_t*>(std::aligned_alloc(64, kGridBytes))};
};

void BM_MemsetGrid(benchmark::State& state)
{
    Aligned buffers;
    int value = 0;
    for (auto _ : state) {
        std::memset(buffers.to.get(), ++value, kGridBytes);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemsetGrid);

void BM_MemcpyGrid(benchmark::State& state)
{
    Aligned buffers;
    std::memset(buffers.from.get(), 7, kGridBytes);
    for (auto _ : state) {
        std::memcpy(buffers.to.get(), buffers.from.get(), kGridBytes);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyGrid);

// Each iteration fills the whole region, alternating between two values so that every fill
// has the same work.
void Fill_Benchmark(benchmark::State& state, zol::edit_form doc, uint8_t a, uint8_t b)
{
    const zol::FillRate rate{true, 100};
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        if (!zol::Paint(doc, 0, 0, zol::Pattern::Single(flip ? b : a), rate, 1))
            state.SkipWithError("Paint failed");
        benchmark::DoNotOptimize(doc.grid.data());
    }
}

void BM_PaintOpenMap(benchmark::State& state) { Fill_Benchmark(state, Open_Map(0), 0, 2); }
BENCHMARK(BM_PaintOpenMap);

void BM_PaintMaze(benchmark::State& state) { Fill_Benchmark(state, Maze(), 0, 2); }
BENCHMARK(BM_PaintMaze);

zol::edit_form Full_Map()
{
    zol::edit_form doc = Open_Map(3);
    for (int i = 0; i < zol::kMaxLinks; ++i) {
        doc.links.target_map.push_back(uint8_t(i % 5));
        doc.links.target_x.push_back(uint8_t(i));
        doc.links.target_y.push_back(uint8_t(i));
        doc.links.x.push_back(uint8_t(i));
        doc.links.y.push_back(uint8_t(i / 2));
        doc.events.number.push_back(uint8_t(i));
        doc.events.x.push_back(uint8_t(i));
        doc.events.y.push_back(uint8_t(i / 3));
    }
    return doc;
}

// Recording into slots that already hold a step of the same size, as in a session of edits.
void BM_SaveStep(benchmark::State& state)
{
    zol::edit_form doc = Full_Map();
    for (int i = 0; i < zol::UndoRing::kSteps; ++i) zol::Save_Step(doc);
    for (auto _ : state) {
        if (!zol::Save_Step(doc)) state.SkipWithError("Save_Step failed");
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SaveStep);

// The map part of an undo, timed alone; the step it restores is recorded between timings.
void BM_UndoMap(benchmark::State& state)
{
    zol::edit_form doc = Full_Map();
    for (auto _ : state) {
        zol::Save_Step(doc);
        const auto start = std::chrono::steady_clock::now();
        const zol::UndoResult result = zol::Undo_Map(doc);
        benchmark::ClobberMemory();
        const auto stop = std::chrono::steady_clock::now();
        if (result != zol::UndoResult::Restored) state.SkipWithError("Undo_Map failed");
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
}
BENCHMARK(BM_UndoMap)->UseManualTime();

// The fill in the order of rows, which a fill rate below 100 takes so that its draws fall on
// the cells they always fall on.
void BM_PaintOpenMapAtRate(benchmark::State& state)
{
    zol::edit_form doc = Open_Map(0);
    const zol::FillRate rate{true, 99};
    for (auto _ : state) {
        zol::Rectangle_Fill(doc, {0, 0, kSide - 1, kSide - 1}, 0, {false, 100}, 0);
        if (!zol::Paint(doc, 0, 0, zol::Pattern::Single(2), rate, 1)) state.SkipWithError("Paint failed");
        benchmark::DoNotOptimize(doc.grid.data());
    }
}
BENCHMARK(BM_PaintOpenMapAtRate);

void BM_PaintMazeAtRate(benchmark::State& state)
{
    const zol::edit_form maze = Maze();
    zol::edit_form doc = maze;
    const zol::FillRate rate{true, 99};
    for (auto _ : state) {
        std::memcpy(doc.grid.data(), maze.grid.data(), kGridBytes);
        if (!zol::Paint(doc, 0, 0, zol::Pattern::Single(2), rate, 1)) state.SkipWithError("Paint failed");
        benchmark::DoNotOptimize(doc.grid.data());
    }
}
BENCHMARK(BM_PaintMazeAtRate);

// ---- Patterns -----------------------------------------------------------------------------------

const zol::CellRect kWholeMap{0, 0, kSide - 1, kSide - 1};

zol::Pattern Five_By_Five()
{
    zol::Pattern pattern{5, 5, {}};
    for (int i = 0; i < 25; ++i) pattern.cells.push_back(uint8_t(1 + i));
    return pattern;
}

// Against BM_MemsetGrid: the switch off writes every cell, a pattern column at a time.
void BM_PatternRectangle(benchmark::State& state)
{
    zol::edit_form doc = Open_Map(0);
    const zol::Pattern pattern = Five_By_Five();
    for (auto _ : state) {
        zol::Pattern_Rectangle(doc, kWholeMap, pattern, {false, 100}, 1);
        benchmark::DoNotOptimize(doc.grid.data());
    }
}
BENCHMARK(BM_PatternRectangle);

// The two at a rate of 50: the pattern against the one-value rectangle.
void BM_RectangleFillHalf(benchmark::State& state)
{
    zol::edit_form doc = Open_Map(0);
    for (auto _ : state) {
        zol::Rectangle_Fill(doc, kWholeMap, 7, {true, 50}, 1);
        benchmark::DoNotOptimize(doc.grid.data());
    }
}
BENCHMARK(BM_RectangleFillHalf);

void BM_PatternRectangleHalf(benchmark::State& state)
{
    zol::edit_form doc = Open_Map(0);
    const zol::Pattern pattern = Five_By_Five();
    for (auto _ : state) {
        zol::Pattern_Rectangle(doc, kWholeMap, pattern, {true, 50}, 1);
        benchmark::DoNotOptimize(doc.grid.data());
    }
}
BENCHMARK(BM_PatternRectangleHalf);

// A fill of the whole open map, which is made open again (untimed) before each fill.
void Fill_Open_Map(benchmark::State& state, const zol::Pattern& pattern)
{
    zol::edit_form doc = Open_Map(0);
    for (auto _ : state) {
        state.PauseTiming();
        std::memset(doc.grid.data(), 0, kGridBytes);
        state.ResumeTiming();
        if (!zol::Paint(doc, 0, 0, pattern, {true, 100}, 1)) state.SkipWithError("Paint failed");
        benchmark::DoNotOptimize(doc.grid.data());
    }
}

void BM_FillOpenMapOneCell(benchmark::State& state) { Fill_Open_Map(state, zol::Pattern::Single(2)); }
BENCHMARK(BM_FillOpenMapOneCell);

void BM_PatternFillOpenMap(benchmark::State& state) { Fill_Open_Map(state, Five_By_Five()); }
BENCHMARK(BM_PatternFillOpenMap);

// ---- The cell editor's picture ------------------------------------------------------------------

void BM_FillCellImage(benchmark::State& state)
{
    QImage cell(zol::kCellSize, zol::kCellSize, QImage::Format_RGB32);
    uint32_t colour = 0;
    for (auto _ : state) {
        cell.fill(++colour);
        benchmark::DoNotOptimize(cell.constBits());
    }
}
BENCHMARK(BM_FillCellImage);

// The pixel fill of a one-colour cell, in a new colour each time.
void BM_PixelFillCell(benchmark::State& state)
{
    QImage cell(zol::kCellSize, zol::kCellSize, QImage::Format_RGB32);
    cell.fill(0xff000000u);
    uint32_t colour = 0;
    for (auto _ : state) {
        if (!zol::Pixel_Fill(cell, 3, 4, 0xff000000u | (++colour & 0xffffffu))) state.SkipWithError("Pixel_Fill failed");
        benchmark::DoNotOptimize(cell.constBits());
    }
}
BENCHMARK(BM_PixelFillCell);

void BM_FillViewImage(benchmark::State& state)
{
    QImage view(zol::kMagnifiedSize, zol::kMagnifiedSize, QImage::Format_RGB32);
    uint32_t colour = 0;
    for (auto _ : state) {
        view.fill(++colour);
        benchmark::DoNotOptimize(view.constBits());
    }
}
BENCHMARK(BM_FillViewImage);

void BM_MagnifyCell(benchmark::State& state)
{
    QImage cell(zol::kCellSize, zol::kCellSize, QImage::Format_RGB32);
    for (int y = 0; y < zol::kCellSize; ++y)
        for (int x = 0; x < zol::kCellSize; ++x) cell.setPixel(x, y, qRgb(x * 8, y * 8, 7));
    QImage view;
    for (auto _ : state) {
        zol::Magnify_Cell(cell, view);
        benchmark::DoNotOptimize(view.constBits());
    }
}
BENCHMARK(BM_MagnifyCell);

} // namespace
