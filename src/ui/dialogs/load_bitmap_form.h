#pragma once
// The cell loading window ("No.n"): a new picture for one palette cell, taken from a bitmap
// file through the bitmap window ("ロードするビットマップ") or drawn in the cell editor, and the
// flag the chosen maps give that cell number. Nothing changes until its OK.

#include "ui/editor/editor.h"
#include "ui/winlib/winlib.h"

#include <QImage>
#include <QPointer>

#include <vector>

namespace zol {

// The cell loading window ("No.n") with the bitmap window it picks blocks from.
struct LoaderControls {
    winlib::SingleWindow<winlib::WDialog> window;
    int cell = 0;                 // the palette cell being changed
    QImage picture;               // the working picture, 32 x 32
    // The map window of each entry of the map list; an entry whose window has gone is skipped.
    std::vector<QPointer<FormChild>> entry_windows;
    winlib::WComboBox* maps = nullptr;
    winlib::WCheckBox* edited_too = nullptr;
    winlib::WPictureBox* preview = nullptr;
    winlib::WComboBox* flag = nullptr;

    winlib::SingleWindow<winlib::WDialog> bitmap_window; // "ロードするビットマップ"
    QImage bitmap;                // the loaded bitmap, in the cells' format
    winlib::WPictureBox* bitmap_picture = nullptr;
    winlib::WStatusBar* bitmap_status = nullptr;
};
LoaderControls& Loader(Editor& editor);

// Opens the window for palette cell n (closing one that is open, with its bitmap window and cell
// editor).
void Open_Load_Bitmap_Form(Editor& editor, int n);
// Closes the window with its bitmap window and the cell editor; nothing changes.
void Close_Load_Bitmap_Form(Editor& editor);
// Chooses the map of slot in the window's map list, when it is listed, and shows its flag.
void Select_Loader_Map(Editor& editor, int slot);

// The window's buttons and the bitmap window, for the form and its tests.
void Load_Bitmap_File(Editor& editor);
void Pick_Block(Editor& editor, int x, int y);
void Loader_OK(Editor& editor);

} // namespace zol
