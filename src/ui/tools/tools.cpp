#include "ui/tools/tools.h"

#include "ui/dialogs/edit_settings.h"
#include "core/editing/tool_state.h"
#include "ui/windows/toolbar.h"
#include "ui/frame/zol.h"
#include "ui/dialogs/pattern_windows.h"

#include <array>

namespace zol {

namespace {

struct ToolEntry {
    int command_id;
    const char* hint;
};

const std::array<ToolEntry, kToolCount>& Tool_Table()
{
    static const std::array<ToolEntry, kToolCount> table = {{
        {ID_PEN, "ペンで描きます"},
        {ID_RECT_FILL, "塗りつぶす長方形の範囲を指定して、指定された確率で塗りつぶします"},
        {ID_RECT_EDGES, "指定された長方形の辺のみを塗ります"},
        {ID_FLOOD_FILL, "指定されたセルの周囲を塗りつぶします"},
        {ID_CUT, "マウスの左ボタンで切り取る範囲の指定をし、右クリックで貼り付けます"},
        {ID_COPY, "マウスの左ボタンでコピーする範囲の指定をし、右クリックで貼り付けます"},
        {ID_PASTE, "マウスでクリックしたセルを左上とする範囲に貼り付けます"},
        {ID_COPY_BACKGROUND, "指定された範囲を、背景のセルを除いてコピーします"},
        {ID_PATTERN_RECT, "指定した長方形を特定のパターンで塗りつぶす"},
        {ID_PATTERN_FILL, "指定された点の周りを特定のパターンで塗りつぶす"},
    }};
    return table;
}

} // namespace

int Tool_Command_Id(int tool) { return Tool_Table()[std::size_t(tool)].command_id; }

QString Tool_Hint(int tool) { return QString::fromUtf8(Tool_Table()[std::size_t(tool)].hint); }

bool Select_Tool(Zol& frame, int tool)
{
    Close_Tool_Dialogs(frame);
    for (int t = 0; t < kToolCount; ++t) {
        QAction* item = frame.Menu_Item(Tool_Command_Id(t));
        item->setCheckable(true);
        item->setChecked(t == tool);
    }
    Press_Tool_Button(frame, tool);
    return true;
}

void Set_Tool(Zol& frame, int tool)
{
    frame.State().tools.current = tool;
    Select_Tool(frame, tool);
}

void Tool_Command(Zol& frame, int tool)
{
    ToolState& tools = frame.State().tools;
    tools.previous = tools.current;
    tools.current = tool;
    Select_Tool(frame, tool);
    frame.Status()->Set_Text(1, Tool_Hint(tool));
    if ((tool == kRectangleFill || tool == kFloodFill) && frame.State().fill_rate.on)
        Open_Fill_Rate_Dialog(frame);
    else if (tool == kCopyWithoutBackground)
        Open_Background_Dialog(frame);
    else if (tool == kPatternRectangle || tool == kPatternFill)
        Open_Pattern_Size_Dialog(frame);
}

} // namespace zol
