#pragma once
// The ten tool commands of the menu: the current tool, its check mark and its hint.

#include <QString>

namespace zol {

class Zol;

// The menu command that chooses tool (ID_PEN ...), and the hint it writes on the status line.
int Tool_Command_Id(int tool);
QString Tool_Hint(int tool);

// A tool command: the previous tool becomes the current one's, the tool is selected, its hint
// goes into status pane 1.
void Tool_Command(Zol& frame, int tool);
// Closes the tool dialogs and moves the check mark (and the toolbar's pressed button) to tool.
bool Select_Tool(Zol& frame, int tool);
// Makes tool current and shows it, without a hint and without touching the previous tool.
void Set_Tool(Zol& frame, int tool);

} // namespace zol
