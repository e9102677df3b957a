// A pen stroke through the map picture's bound handlers, offscreen: a press and 19 moves over
// 20 cells of a 640 x 480 picture and the release, against one full redraw of that picture.
// Both only prepare the picture; the window system paints it later either way.

#include <benchmark/benchmark.h>

#include "core/render/cell_palette_images.h"
#include "ui/windows/map_view.h"
#include "core/map/map_file.h"
#include "ui/frame/zol.h"
#include "ui/winlib/winlib.h"

#include <QTemporaryDir>

#include <cstdlib>

namespace {

struct Editor {
    QTemporaryDir dir;
    zol::Zol frame;
    int slot = -1;

    Editor()
    {
        zol::CellImages cells;
        for (int n = 0; n < 64; ++n) {
            QImage cell(zol::kCellSize, zol::kCellSize, QImage::Format_RGB32);
            cell.fill(QColor::fromHsv(n * 5, 200, 200));
            cells[std::size_t(n)] = cell;
        }
        if (!zol::Write_Palette_Bitmap(dir.filePath("tiles.bmp"), cells)) std::abort();
        zol::edit_form doc;
        doc.max_x = doc.max_y = 99;
        doc.grid.Allocate(100, 100, 3);
        doc.flags.assign(zol::kCellCount, 0);
        doc.file_path = dir.filePath("stroke.zol");
        if (!zol::Write_Map(doc, "tiles", "ERROR(17)")) std::abort();
        frame.resize(1400, 1000);
        frame.show();
        frame.Open_Files({doc.file_path});
        slot = 0;
        if (!frame.Documents()[slot].is_open()) std::abort();
    }
    zol::winlib::WPictureBox* Picture() { return zol::Map_Controls(frame, slot).picture; }
};

Editor& Shared()
{
    static Editor* editor = new Editor;
    return *editor;
}

void BM_RedrawMap(benchmark::State& state)
{
    Editor& editor = Shared();
    for (auto _ : state) zol::Redraw_Map(editor.frame, editor.slot);
}
BENCHMARK(BM_RedrawMap);

void BM_PenStroke(benchmark::State& state)
{
    Editor& editor = Shared();
    zol::winlib::WPictureBox* picture = editor.Picture();
    int row = 0;
    for (auto _ : state) {
        row = (row + 1) % 15;
        const int y = row * 32 + 16;
        zol::winlib::Override_Buttons(zol::winlib::ButtonSnapshot{.left = true});
        zol::winlib::Fire(picture, "LeftButtonDownEvent", 16, y);
        for (int i = 1; i < 20; ++i) zol::winlib::Fire(picture, "MouseMoveEvent", i * 32 + 16, y);
        zol::winlib::Override_Buttons(zol::winlib::ButtonSnapshot{});
        zol::winlib::Fire(picture, "LeftButtonUpEvent", 19 * 32 + 16, y);
    }
}
BENCHMARK(BM_PenStroke);

} // namespace
