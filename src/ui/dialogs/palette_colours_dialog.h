#pragma once
// The dialog "パレット色設定": the 64 colours the whole-map view draws cells with.

#include "ui/editor/editor.h"
#include "ui/winlib/winlib.h"

#include <QDialog>

namespace zol {

void Open_Palette_Colour_Dialog(Editor& editor);
winlib::SingleWindow<QDialog>& Colour_Window(Editor& editor);

} // namespace zol
