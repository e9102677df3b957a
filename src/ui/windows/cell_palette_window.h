#pragma once
// The cell palette window and the palette file commands.

#include "core/render/cell_palette_images.h"
#include "ui/editor/editor.h"
#include "ui/winlib/winlib.h"

#include <QGroupBox>
#include <QPointer>
#include <QString>

namespace zol {

// The cell palette window and its controls.
struct PaletteControls {
    QPointer<FormChild> window;
    winlib::WPictureBox* picture = nullptr;
    QGroupBox* frame = nullptr;
    winlib::WPictureBox* l_preview = nullptr;
    winlib::WPictureBox* r_preview = nullptr;
    winlib::WStatusBar* status = nullptr;
};
PaletteControls& Palette_Controls(Editor& editor);
// The palette window, or null when there is no palette.
FormChild* Palette_Window(Editor& editor);

// Makes cells and path the palette and builds its window (replacing any palette). written: the
// cells are what the file at path holds (false for a palette made in memory).
void Open_Cell_Palette(Editor& editor, const CellImages& cells, const QString& path, bool written);
// Destroys the palette window; returns whether there was one.
bool Close_Cell_Palette(Editor& editor);
void Refresh_Cell_Palette(Editor& editor);
// Replaces the palette by the bitmap at path; false (palette unchanged) when it cannot be read
// or the user cancels the question about the unsaved palette.
bool Load_Cell_Palette(Editor& editor, const QString& path);
void New_Cell_Palette(Editor& editor);
void Open_Cell_Palette_Command(Editor& editor);

void Cell_Press(Editor& editor, bool right, int x, int y);
void Cell_Release(Editor& editor, bool right, int x, int y);
// Moves cell a to b's place and b to a's, renumbering every open map so it looks the same.
void Swap_Cells(Editor& editor, int a, int b, bool right);

} // namespace zol
