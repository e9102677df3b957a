#pragma once
// The toolbar: undo and the ten tools, each button running its menu command; and the states
// that the menu and the toolbar share (undo and paste enabled, the current tool pressed).

namespace zol {

class Zol;

// Builds the toolbar (replacing one that exists) and checks ツールバー(&T).
void Build_Toolbar(Zol& frame);
// Destroys the toolbar and unchecks ツールバー(&T).
void Close_Toolbar(Zol& frame);
// Command 1019: builds the toolbar when there is none.
void Toolbar_Command(Zol& frame);

void Set_Undo_Enabled(Zol& frame, bool enabled);
void Set_Paste_Enabled(Zol& frame, bool enabled);
// Shows tool as the pressed tool button.
void Press_Tool_Button(Zol& frame, int tool);

} // namespace zol
