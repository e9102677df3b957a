// Drawing map windows and exporting maps: a full redraw of a 1920 x 1080 picture at each cell
// size against a plain memset of the same bytes, one-cell scroll steps against full redraws, and
// the PNG export against Qt's own PNG writer, with smooth and with textured tiles. All figures
// come from one run so they compare.

#include <benchmark/benchmark.h>

#include "core/render/cell_palette_images.h"
#include "core/render/map_png.h"
#include "core/render/map_renderer.h"
#include "core/render/map_view_layout.h"
#include "core/map/edit_form.h"

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr int kPictureWidth = 1920;
constexpr int kPictureHeight = 1080;
constexpr int kMapSide = 256;

zol::CellImages Varied_Cells()
{
    zol::CellImages cells;
    for (int n = 0; n < 64; ++n) {
        QImage cell(zol::kCellSize, zol::kCellSize, QImage::Format_RGB32);
        for (int y = 0; y < zol::kCellSize; ++y)
            for (int x = 0; x < zol::kCellSize; ++x)
                cell.setPixel(x, y, qRgb(n * 4, x * 8, (y * 8 + n * 13) & 0xff));
        cells[std::size_t(n)] = cell;
    }
    return cells;
}

zol::edit_form Varied_Map()
{
    zol::edit_form doc;
    doc.max_x = doc.max_y = kMapSide - 1;
    doc.grid.Allocate(kMapSide, kMapSide, 0);
    unsigned seed = 12345;
    for (int x = 0; x < kMapSide; ++x)
        for (int y = 0; y < kMapSide; ++y) {
            seed = seed * 1103515245u + 12345u;
            doc.cell(x, y) = uint8_t(seed >> 16);
        }
    doc.flags.assign(zol::kCellCount, 0);
    return doc;
}

struct Fixture {
    zol::edit_form doc = Varied_Map();
    zol::CellImages cells = Varied_Cells();
    std::map<int, zol::CellCache> caches;
    QTemporaryDir dir;

    const zol::CellCache& cache(int s)
    {
        auto& c = caches[s];
        if (c.empty()) c.Build(cells, s);
        return c;
    }

    // Tiles at 32 pixels: 0 the smooth gradients above, 1 the textured sample tileset (pixel
    // art compresses very differently, so the PNG export is measured with both).
    zol::CellCache export_caches[2];
    const zol::CellCache& export_cache(int kind)
    {
        zol::CellCache& c = export_caches[kind != 0];
        if (c.empty()) {
            if (kind == 0) {
                c.Build(cells, 32);
            } else {
                const QImage sample = zol::Read_Bitmap(QStringLiteral(ZOL_EXAMPLES_DIR "/sample.bmp"));
                if (sample.isNull()) std::abort();
                c.Build(zol::Cut_Cells(sample), 32);
            }
        }
        return c;
    }
};

Fixture& The_Fixture()
{
    static Fixture fixture;
    if (!fixture.dir.isValid()) std::abort();
    return fixture;
}

void BM_Memset(benchmark::State& state)
{
    QImage target(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    int value = 0;
    for (auto _ : state) {
        std::memset(target.bits(), ++value & 0xff, std::size_t(target.sizeInBytes()));
        benchmark::DoNotOptimize(target.bits());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * target.sizeInBytes());
}
BENCHMARK(BM_Memset);

void BM_FullRedraw(benchmark::State& state)
{
    Fixture& f = The_Fixture();
    const int s = int(state.range(0));
    const zol::CellCache& cache = f.cache(s);
    QImage target(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    f.doc.scroll_x = 10;
    f.doc.scroll_y = 10;
    for (auto _ : state) {
        zol::Render_View(target, f.doc, cache);
        benchmark::DoNotOptimize(target.bits());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * target.sizeInBytes());
}
BENCHMARK(BM_FullRedraw)->Arg(32)->Arg(24)->Arg(16)->Arg(8);

// A zoom change to size range(0) of a 1920 x 1080 picture: the cell images at that size (made
// once per palette, so a look-up), the layout, the picture made anew at its new size and a
// full redraw. Compare with BM_Memset.
void BM_ZoomChange(benchmark::State& state)
{
    Fixture& f = The_Fixture();
    const int s = int(state.range(0));
    f.cache(s);
    zol::ViewBuffer view;
    view.Resize(kPictureWidth, kPictureHeight);
    f.doc.scroll_x = f.doc.scroll_y = 10;
    for (auto _ : state) {
        const zol::CellCache& cache = f.cache(s);
        const int w = std::max(s, kPictureWidth / s * s), h = std::max(s, kPictureHeight / s * s);
        const zol::MapViewLayout layout =
            zol::Layout_Map(w, h, f.doc.width(), f.doc.height(), s, f.doc.scroll_x, f.doc.scroll_y);
        view.Resize(layout.picture_width, layout.picture_height);
        QImage image = view.Image();
        zol::Render_View(image, f.doc, cache);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ZoomChange)->Arg(32)->Arg(24)->Arg(16)->Arg(8);

// range(0): cell size; range(1): 0 vertical, 1 horizontal. The view runs across the whole map
// and back, so the cost includes the copies made whenever it reaches the buffer's edge.
void BM_ScrollStep(benchmark::State& state)
{
    Fixture& f = The_Fixture();
    const int s = int(state.range(0));
    const bool horizontal = state.range(1) != 0;
    const zol::CellCache& cache = f.cache(s);
    zol::ViewBuffer view;
    view.Resize(kPictureWidth, kPictureHeight);
    f.doc.scroll_x = 0;
    f.doc.scroll_y = 0;
    QImage image = view.Image();
    zol::Render_View(image, f.doc, cache);
    const int last = horizontal ? f.doc.width() - kPictureWidth / s : f.doc.height() - kPictureHeight / s;
    int step = 1;
    for (auto _ : state) {
        int& position = horizontal ? f.doc.scroll_x : f.doc.scroll_y;
        if (position + step < 0 || position + step > last) step = -step;
        position += step;
        zol::Scroll_View(view, f.doc, cache, horizontal ? step : 0, horizontal ? 0 : step);
        benchmark::ClobberMemory();
    }
    f.doc.scroll_x = f.doc.scroll_y = 10;
}
BENCHMARK(BM_ScrollStep)->ArgNames({"s", "horizontal"})->ArgsProduct({{32, 24, 16, 8}, {0, 1}});

// range(0): 0 gradient tiles, 1 textured tiles. The whole export as zol-tool render does it,
// from the map to the file (the writer works on two threads, so the figure is wall time).
void BM_RenderPng(benchmark::State& state)
{
    Fixture& f = The_Fixture();
    const zol::CellCache& cache = f.export_cache(int(state.range(0)));
    const QString path = f.dir.filePath("zol.png");
    for (auto _ : state)
        if (!zol::Write_Map_Png(path, f.doc, cache)) state.SkipWithError("Write_Map_Png failed");
    state.counters["file_bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_RenderPng)->ArgName("textured")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QtPng(benchmark::State& state)
{
    Fixture& f = The_Fixture();
    const QImage image = zol::Render_Map_Image(f.doc, f.export_cache(int(state.range(0))));
    const QString path = f.dir.filePath("qt.png");
    for (auto _ : state)
        if (!image.save(path, "PNG")) state.SkipWithError("QImage::save failed");
    state.counters["file_bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_QtPng)->ArgName("textured")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
