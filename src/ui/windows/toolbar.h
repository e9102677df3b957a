#pragma once
// The toolbar: undo, redo and the ten tools, each button running its menu command; and the
// states that the menu and the toolbar share (undo, redo and paste enabled, the current tool
// pressed).

#include "ui/editor/editor.h"

#include <QPointer>
#include <QToolBar>

#include <array>

namespace zol {

// The toolbar, its undo and redo buttons and its ten tool buttons by tool number.
struct ToolbarControls {
    QPointer<QToolBar> toolbar;
    QAction* undo_button = nullptr;
    QAction* redo_button = nullptr;
    std::array<QAction*, kToolCount> tool_buttons{};
};
ToolbarControls& Toolbar_Controls(Editor& editor);

// Builds the toolbar (replacing one that exists) and checks ツールバー(&T).
void Build_Toolbar(Editor& editor);
// Destroys the toolbar and unchecks ツールバー(&T).
void Close_Toolbar(Editor& editor);

void Set_Undo_Enabled(Editor& editor, bool enabled);
void Set_Redo_Enabled(Editor& editor, bool enabled);
void Set_Paste_Enabled(Editor& editor, bool enabled);
// The tooltips and title in the language now in use.
void Retranslate_Toolbar(Editor& editor);
// Shows tool as the pressed tool button.
void Press_Tool_Button(Editor& editor, int tool);

} // namespace zol
