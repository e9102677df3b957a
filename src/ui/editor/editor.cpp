#include "ui/editor/editor.h"

#include "core/editing/undo.h"
#include "core/messages/texts.h"

#include <array>
#include <atomic>

namespace zol {

std::size_t WindowParts::Next_Id()
{
    static std::atomic<std::size_t> next{0};
    return next++;
}

FormChild* Editor::Map_Window(int slot) const
{
    if (slot < 0 || slot >= kMaxDocuments) return nullptr;
    return static_cast<FormChild*>(State().documents[slot].window.data());
}

void Record_Step(Editor& editor, int slot)
{
    Save_Step(editor.Documents()[slot]);
    emit editor.Hub().historyChanged(true);
}

void Mark_Modified(Editor& editor, int slot)
{
    edit_form& doc = editor.Documents()[slot];
    const bool was_saved = doc.saved != 0;
    doc.saved = 0;
    if (was_saved) emit editor.Hub().savedChanged(slot);
}

void Set_Tool(Editor& editor, int tool)
{
    editor.State().tools.current = tool;
    emit editor.Hub().toolChanged(tool);
}

uint32_t Fill_Seed(Editor& editor) { return uint32_t(editor.State().clock.elapsed()); }

namespace {

struct ToolEntry {
    int command_id;
    const char* hint;
};

const std::array<ToolEntry, kToolCount>& Tool_Table()
{
    static const std::array<ToolEntry, kToolCount> table = {{
        {ID_PEN, QT_TRANSLATE_NOOP("Zol", "ペンで描きます")},
        {ID_RECT_FILL, QT_TRANSLATE_NOOP("Zol", "塗りつぶす長方形の範囲を指定して、指定された確率で塗りつぶします")},
        {ID_RECT_EDGES, QT_TRANSLATE_NOOP("Zol", "指定された長方形の辺のみを塗ります")},
        {ID_FLOOD_FILL, QT_TRANSLATE_NOOP("Zol", "指定されたセルの周囲を塗りつぶします")},
        {ID_CUT, QT_TRANSLATE_NOOP("Zol", "マウスの左ボタンで切り取る範囲の指定をし、右クリックで貼り付けます")},
        {ID_COPY, QT_TRANSLATE_NOOP("Zol", "マウスの左ボタンでコピーする範囲の指定をし、右クリックで貼り付けます")},
        {ID_PASTE, QT_TRANSLATE_NOOP("Zol", "マウスでクリックしたセルを左上とする範囲に貼り付けます")},
        {ID_COPY_BACKGROUND, QT_TRANSLATE_NOOP("Zol", "指定された範囲を、背景のセルを除いてコピーします")},
        {ID_PATTERN_RECT, QT_TRANSLATE_NOOP("Zol", "指定した長方形を特定のパターンで塗りつぶす")},
        {ID_PATTERN_FILL, QT_TRANSLATE_NOOP("Zol", "指定された点の周りを特定のパターンで塗りつぶす")},
    }};
    return table;
}

} // namespace

int Tool_Command_Id(int tool) { return Tool_Table()[std::size_t(tool)].command_id; }

QString Tool_Hint(int tool) { return Translated(Tool_Table()[std::size_t(tool)].hint); }

} // namespace zol
