#pragma once
// The pattern size dialog ("パターンサイズの決定") that the two pattern tools open, and the
// pattern maker ("パターンの作成") in which the pattern's cells are painted with the L and R
// cells.

#include "ui/editor/editor.h"
#include "ui/winlib/winlib.h"

#include <QImage>

namespace zol {

// The pattern maker: its canvas shows the pattern's cells.
struct PatternMakerControls {
    winlib::SingleWindow<winlib::WDialog> window;
    winlib::WPictureBox* canvas = nullptr;
    QImage surface;               // width x height cells of 32 pixels
};
PatternMakerControls& Pattern_Maker(Editor& editor);
winlib::SingleWindow<winlib::WDialog>& Pattern_Size_Window(Editor& editor);

// Opens the size dialog (closing one that is open). Its OK confirms the pattern tool and opens
// the maker; CANCEL and the close box put the previous tool back.
void Open_Pattern_Size_Dialog(Editor& editor);
// Closes the size dialog by code, when it is open: the pattern is discarded at once and the
// tools stay as they are.
void Close_Pattern_Size_Dialog(Editor& editor);
// Makes a new pattern of width x height cells, all 0, and opens the maker on it (closing one that
// is open). Nothing opens when memory for the pattern cannot be had.
void Open_Pattern_Maker(Editor& editor, int width, int height);
// Closes the maker; the pattern stays.
void Close_Pattern_Maker(Editor& editor);

} // namespace zol
