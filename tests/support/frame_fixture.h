#pragma once
// The editor's main frame driven offscreen, with scripted messages and dialogs, and small maps
// written to a temporary folder next to a test tileset.

#include "core/render/cell_palette_images.h"
#include "ui/windows/map_view.h"
#include "core/map/flag_file.h"
#include "core/map/map_file.h"
#include "core/editing/undo.h"
#include "scripted_dialogs.h"
#include "scripted_presenter.h"
#include "ui/dialogs/cell_editer.h"
#include "ui/dialogs/edit_settings.h"
#include "ui/dialogs/event_link_dialog.h"
#include "ui/dialogs/load_bitmap_form.h"
#include "ui/dialogs/map_size_dialog.h"
#include "ui/dialogs/palette_colours_dialog.h"
#include "ui/dialogs/pattern_windows.h"
#include "ui/dialogs/saving.h"
#include "ui/dialogs/zoom.h"
#include "ui/frame/zol.h"
#include "ui/tools/mouse_editing.h"
#include "ui/windows/cell_palette_window.h"
#include "ui/windows/lists.h"
#include "ui/windows/map_viewer.h"
#include "ui/windows/toolbar.h"
#include "test_support.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace zol::test {


// Tiles that differ in colour and have a mark, so a wrong tile or a shifted row shows.
inline CellImages Test_Cells()
{
    CellImages cells;
    for (int n = 0; n < 64; ++n) {
        QImage cell(kCellSize, kCellSize, QImage::Format_RGB32);
        cell.fill(QColor::fromHsv((n * 37) % 360, 150 + n % 100, 120 + (n * 7) % 130));
        for (int i = 0; i < n % 32; ++i) cell.setPixel(i, i, qRgb(255, 255, 255));
        cells[std::size_t(n)] = cell;
    }
    return cells;
}

class FrameTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedPresenter messages;
    winlib::ScriptedDialogs dialogs;
    std::unique_ptr<Zol> frame;
    std::vector<int> quits;

    void SetUp() override
    {
        ASSERT_TRUE(Write_Palette_Bitmap(Path("tiles.bmp"), Test_Cells()));
        frame = std::make_unique<Zol>();
        frame->quit = [this](int status) { quits.push_back(status); };
        frame->resize(1400, 1000);
        frame->show();
    }
    void TearDown() override
    {
        winlib::Override_Buttons(std::nullopt);
        frame.reset();
        EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() ||
                    std::all_of(QApplication::topLevelWidgets().begin(),
                                QApplication::topLevelWidgets().end(),
                                [](QWidget* w) { return !w->isVisible(); }));
    }

    // Fires a mouse event at the centre of window cell (i, j) of slot's picture, with the
    // buttons and keys the handler will see held.
    void Mouse(int slot, const char* event, int i, int j, winlib::ButtonSnapshot held = {})
    {
        const int s = frame->State().cell_size;
        winlib::Override_Buttons(held);
        winlib::Fire(Map_Controls(*frame, slot).picture, QString::fromLatin1(event),
                     i * s + s / 2, j * s + s / 2);
    }

    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Path(const char* name) const { return Path(QString::fromUtf8(name)); }

    // Writes a map drawn as text, naming the given palette, with or without its flag file.
    QString Write_Test_Map(const char* name, const char* rows, const QString& palette = "tiles",
                           bool flag_file = true)
    {
        edit_form doc = Map_From_Text(rows);
        doc.file_path = Path(name);
        doc.links.target_map = {2};
        doc.links.target_x = {5};
        doc.links.target_y = {7};
        doc.links.x = {0};
        doc.links.y = {0};
        doc.events.number = {12};
        doc.events.x = {0};
        doc.events.y = {0};
        EXPECT_TRUE(Write_Map(doc, palette, "ERROR(17)"));
        if (!flag_file) QFile::remove(Flag_Path(doc.file_path));
        return doc.file_path;
    }

    // A square map of side n with varied cells.
    QString Write_Big_Map(const char* name, int n)
    {
        edit_form doc;
        doc.file_path = Path(name);
        doc.max_x = doc.max_y = uint8_t(n - 1);
        doc.grid.Allocate(n, n);
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) doc.cell(x, y) = uint8_t((x * 7 + y * 3) % 64 + 64 * (x % 4));
        doc.flags.assign(64, 0);
        EXPECT_TRUE(Write_Map(doc, "tiles", "ERROR(17)"));
        return doc.file_path;
    }

    int Open(const QString& path)
    {
        const int slot = frame->Documents().First_Free_Slot();
        dialogs.Answer_File(path);
        frame->Run_Command(ID_OPEN_MAP);
        return frame->Documents()[slot].is_open() ? slot : -1;
    }

    MapControls& Map(int slot) { return Map_Controls(*frame, slot); }
    FormChild* Window(int slot) { return frame->Map_Window(slot); }
    edit_form& Doc(int slot) { return frame->Documents()[slot]; }
    int Open_Windows()
    {
        int n = 0;
        for (int s = 0; s < kMaxDocuments; ++s) n += Window(s) ? 1 : 0;
        return n;
    }
};

} // namespace zol::test
