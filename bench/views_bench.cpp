// The whole-map view, a map resize and the event list, each against its baseline in one run:
// drawing the whole view of a 256 x 256 map against a memcpy of the image's 256 KiB; resizing
// a 256 x 256 map with 255 links and events to 255 x 255, its undo step included, against a
// copy of the grid; and refilling the event list of 255 events (offscreen) against formatting
// its 255 lines alone.

#include <benchmark/benchmark.h>

#include "core/render/cell_palette_images.h"
#include "ui/windows/lists.h"
#include "core/render/whole_map.h"
#include "core/map/map_file.h"
#include "core/editing/undo.h"
#include "ui/frame/zol.h"
#include "core/editing/map_size.h"

#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

zol::edit_form Full_Map()
{
    zol::edit_form doc;
    doc.max_x = doc.max_y = 255;
    doc.grid.Allocate(256, 256);
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 256; ++y) doc.cell(x, y) = uint8_t((x * 7 + y * 3) % 256);
    doc.flags.assign(zol::kCellCount, 0);
    for (int i = 0; i < zol::kMaxLinks; ++i) {
        doc.links.target_map.push_back(uint8_t(i % 5));
        doc.links.target_x.push_back(uint8_t(i));
        doc.links.target_y.push_back(uint8_t(i));
        doc.links.x.push_back(uint8_t(i));
        doc.links.y.push_back(uint8_t(255 - i));
        doc.events.number.push_back(uint8_t(i));
        doc.events.x.push_back(uint8_t(255 - i));
        doc.events.y.push_back(uint8_t(i));
    }
    return doc;
}

void BM_MemcpyViewImage(benchmark::State& state)
{
    QImage from = zol::New_View_Image(), to = zol::New_View_Image();
    for (auto _ : state) {
        std::memcpy(to.bits(), from.constBits(), std::size_t(from.sizeInBytes()));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyViewImage);

void BM_DrawWholeMap(benchmark::State& state)
{
    const zol::edit_form doc = Full_Map();
    const zol::PaletteColours colours = zol::Default_Palette_Colours();
    QImage image = zol::New_View_Image();
    for (auto _ : state) {
        zol::Render_Whole_Map(image, &doc, colours, qRgb(200, 200, 200));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawWholeMap);

void BM_CopyGrid(benchmark::State& state)
{
    const zol::edit_form doc = Full_Map();
    zol::Grid grid;
    grid.Allocate(256, 256);
    for (auto _ : state) {
        std::memcpy(grid.data(), doc.grid.data(), doc.grid.size());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyGrid);

// A resize with its undo step, timed alone; each iteration starts from the full map again.
void BM_ResizeMap(benchmark::State& state)
{
    const zol::edit_form full = Full_Map();
    zol::edit_form doc = full;
    for (int i = 0; i < zol::UndoRing::kSteps; ++i) zol::Save_Step(doc);
    for (auto _ : state) {
        doc.grid = full.grid;
        doc.max_x = doc.max_y = 255;
        doc.links = full.links;
        doc.events = full.events;
        const auto start = std::chrono::steady_clock::now();
        zol::Save_Step(doc);
        const bool resized = zol::Resize_Map(doc, 255, 255);
        benchmark::ClobberMemory();
        const auto stop = std::chrono::steady_clock::now();
        if (!resized) state.SkipWithError("resize failed");
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
}
BENCHMARK(BM_ResizeMap)->UseManualTime();

struct Editor {
    QTemporaryDir dir;
    zol::Zol frame;
    Editor()
    {
        zol::edit_form doc = Full_Map();
        doc.file_path = dir.filePath("list.zol");
        if (!zol::Write_Palette_Bitmap(dir.filePath("tiles.bmp"), zol::Blank_Cells())) std::abort();
        if (!zol::Write_Map(doc, "tiles", "ERROR(17)")) std::abort();
        frame.resize(1200, 900);
        frame.show();
        frame.Open_Files({doc.file_path});
        zol::List_Command(frame, zol::ListKind::Events);
    }
};

void BM_FormatEventLines(benchmark::State& state)
{
    const zol::edit_form doc = Full_Map();
    for (auto _ : state) {
        QStringList lines;
        for (std::size_t i = 0; i < 255; ++i) lines << zol::Event_Line(doc.events.x[i], doc.events.y[i], doc.events.number[i]);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_FormatEventLines);

void BM_FillEventList(benchmark::State& state)
{
    static Editor* editor = new Editor;
    for (auto _ : state) zol::Fill_List(editor->frame, zol::ListKind::Events);
}
BENCHMARK(BM_FillEventList);

} // namespace
