#pragma once
// The map size dialog ("<name>の設定"), command 1038 on the active map.

#include "ui/editor/editor.h"
#include "ui/winlib/winlib.h"

#include <QDialog>

namespace zol {

// Command 1038: the dialog for the active map, or a message when no map window is active.
void Map_Size_Command(Editor& editor);
void Open_Map_Size_Dialog(Editor& editor, int slot);
winlib::SingleWindow<QDialog>& Map_Size_Window(Editor& editor);

} // namespace zol
