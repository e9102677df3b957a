#pragma once
// The dialogs of the editing tools' settings: the background cell of copy without background
// ("背景の設定") and the fill rate ("塗りつぶし率設定"); and what the six editing dialogs decide
// together.

#include "ui/editor/editor.h"
#include "ui/winlib/winlib.h"

namespace zol {

void Open_Background_Dialog(Editor& editor);
void Open_Fill_Rate_Dialog(Editor& editor);
winlib::SingleWindow<winlib::WNumberDialog>& Background_Dialog(Editor& editor);
winlib::SingleWindow<winlib::WNumberDialog>& Fill_Rate_Dialog(Editor& editor);
// Closes the tool dialogs without applying them (choosing a tool does).
void Close_Tool_Dialogs(Editor& editor);

// Whether one of the dialogs that suspend mouse editing is open: the event & link dialog, the
// fill rate, the background, the map size, the pattern size and the pattern maker.
bool Editing_Suspended(Editor& editor);

} // namespace zol
