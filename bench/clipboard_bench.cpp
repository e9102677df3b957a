// Copy, cut and paste of a whole 256 x 256 map with 255 links and 255 events, one cell in eight
// left out as background, against a memcpy of the grid's 64 KiB in the same run. The memcpy's
// buffers lie at different offsets within a 4 KiB page, where copies run at full speed.

#include <benchmark/benchmark.h>

#include "core/map/edit_form.h"
#include "core/editing/clipboard.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int kSide = 256;
constexpr std::size_t kGridBytes = std::size_t(kSide) * kSide;

zol::edit_form Full_Map()
{
    zol::edit_form doc;
    doc.max_x = doc.max_y = kSide - 1;
    doc.grid.Allocate(kSide, kSide);
    for (int x = 0; x < kSide; ++x)
        for (int y = 0; y < kSide; ++y) doc.cell(x, y) = uint8_t((x * 7 + y * 3) % 64 + 64 * ((x + y) % 4));
    doc.flags.assign(zol::kCellCount, 0);
    for (int i = 0; i < zol::kMaxLinks; ++i) {
        doc.links.target_map.push_back(uint8_t(i % 5));
        doc.links.target_x.push_back(uint8_t(i));
        doc.links.target_y.push_back(uint8_t(i));
        doc.links.x.push_back(uint8_t(i));
        doc.links.y.push_back(uint8_t((i * 7) % 256));
        doc.events.number.push_back(uint8_t(i));
        doc.events.x.push_back(uint8_t((i * 3) % 256));
        doc.events.y.push_back(uint8_t(i));
    }
    return doc;
}

// One cell number in eight is the background (the map uses 64 numbers in turn).
int Background() { return 5; }

void BM_MemcpyGrid(benchmark::State& state)
{
    std::unique_ptr<uint8_t[]> from(new uint8_t[kGridBytes + 4096]);
    std::unique_ptr<uint8_t[]> to(new uint8_t[kGridBytes + 4096]);
    std::memset(from.get(), 7, kGridBytes + 4096);
    uint8_t* source = from.get() + 64;
    uint8_t* target = to.get() + 64 + 1024;
    for (auto _ : state) {
        std::memcpy(target, source, kGridBytes);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyGrid);

void BM_CopyWithoutBackground(benchmark::State& state)
{
    zol::edit_form doc = Full_Map();
    zol::ClipArea area;
    for (auto _ : state) {
        if (!zol::Copy_Area(doc, {0, 0, kSide - 1, kSide - 1}, zol::CopyMode::CopyWithoutBackground,
                            Background(), area))
            state.SkipWithError("copy failed");
        benchmark::DoNotOptimize(area.cells.data());
    }
}
BENCHMARK(BM_CopyWithoutBackground);

void BM_Cut(benchmark::State& state)
{
    const zol::edit_form full = Full_Map();
    zol::edit_form doc = full;
    zol::ClipArea area;
    for (auto _ : state) {
        state.PauseTiming();
        doc = full;
        state.ResumeTiming();
        if (!zol::Copy_Area(doc, {0, 0, kSide - 1, kSide - 1}, zol::CopyMode::Cut, 0, area))
            state.SkipWithError("cut failed");
        benchmark::DoNotOptimize(doc.grid.data());
    }
}
BENCHMARK(BM_Cut);

void BM_Paste(benchmark::State& state)
{
    zol::edit_form source = Full_Map();
    zol::ClipArea area;
    if (!zol::Copy_Area(source, {0, 0, kSide - 1, kSide - 1}, zol::CopyMode::CopyWithoutBackground,
                        Background(), area))
        std::abort();
    zol::edit_form doc = Full_Map();
    for (auto _ : state) {
        const zol::PasteResult pasted = zol::Paste_Area(doc, 0, 0, area);
        if (!pasted.complete) state.SkipWithError("paste stopped");
        benchmark::DoNotOptimize(doc.grid.data());
    }
}
BENCHMARK(BM_Paste);

} // namespace
