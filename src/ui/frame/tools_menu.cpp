// The tools menu: the ten tool commands, and the check mark that follows the current tool.

#include "ui/dialogs/edit_settings.h"
#include "ui/dialogs/pattern_windows.h"
#include "ui/frame/zol.h"
#include "ui/windows/toolbar.h"

#include <QAction>

namespace zol {

void Tool_Command(Editor& editor, int tool)
{
    ToolState& tools = editor.State().tools;
    tools.previous = tools.current;
    Set_Tool(editor, tool);
    editor.Status()->Set_Text(1, Tool_Hint(tool));
    if ((tool == kRectangleFill || tool == kFloodFill) && editor.State().fill_rate.on)
        Open_Fill_Rate_Dialog(editor);
    else if (tool == kCopyWithoutBackground)
        Open_Background_Dialog(editor);
    else if (tool == kPatternRectangle || tool == kPatternFill)
        Open_Pattern_Size_Dialog(editor);
}

void Follow_Tools_Menu(Editor& editor)
{
    QObject::connect(&editor.Hub(), &Changes::toolChanged, &editor.Main_Window(), [&editor](int tool) {
        Close_Tool_Dialogs(editor);
        for (int t = 0; t < kToolCount; ++t) {
            QAction* item = editor.Menu_Item(Tool_Command_Id(t));
            item->setCheckable(true);
            item->setChecked(t == tool);
        }
        Press_Tool_Button(editor, tool);
    });
    QObject::connect(&editor.Hub(), &Changes::languageChanged, &editor.Main_Window(), [&editor] {
        editor.Status()->Set_Text(1, Tool_Hint(editor.State().tools.current));
    });
}

} // namespace zol
