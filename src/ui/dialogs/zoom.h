#pragma once
// The displayed cell size of every map window (32, 24, 16 or 8 pixels) and the dialog
// "倍率設定" that chooses it.

#include "ui/editor/editor.h"
#include "ui/winlib/winlib.h"

#include <QDialog>

namespace zol {

void Open_Zoom_Dialog(Editor& editor);
winlib::SingleWindow<QDialog>& Zoom_Window(Editor& editor);
// Shows every map at cell size s; the top-left visible cell stays.
void Set_Zoom(Editor& editor, int s);

} // namespace zol
