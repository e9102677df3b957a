// The edit menu: undo, and the gray state of undo and paste.

#include "core/editing/undo.h"
#include "core/map/file_path.h"
#include "core/messages/show_message.h"
#include "ui/frame/zol.h"
#include "ui/windows/cell_palette_window.h"
#include "ui/windows/map_viewer.h"
#include "ui/windows/toolbar.h"

#include <QMdiArea>

namespace zol {

void Update_Undo_Command(Editor& editor)
{
    int slot = editor.Active_Map(false);
    const ViewerControls& viewer = Viewer_Controls(editor);
    if (slot < 0 && viewer.window && editor.Client()->activeSubWindow() == viewer.window) slot = Viewer_Slot(editor);
    const bool map_step = slot >= 0 && Has_Undo_Step(editor.Documents()[slot]);
    const ProgramState& state = editor.State();
    const bool palette_step = state.palette.exists && !state.palette.history.Newest_Empty();
    Set_Undo_Enabled(editor, map_step || palette_step);
}

void Undo_Command(Editor& editor)
{
    ProgramState& state = editor.State();
    int slot = editor.Active_Map(false);
    // With the whole-map view active, the map it shows.
    if (slot < 0 && Viewer_Controls(editor).window && editor.Client()->activeSubWindow() == Viewer_Controls(editor).window)
        slot = Viewer_Slot(editor);
    if (slot >= 0) {
        edit_form& doc = state.documents[slot];
        switch (Undo_Map(doc)) {
        case UndoResult::Nothing:
            Show_Message(&editor.Main_Window(), QStringLiteral("仏の顔も…"),
                         Path_File_Name(doc.file_path) + QStringLiteral("はこれ以上元には戻せません"),
                         MB_OK, MB_ICON_INFORMATION);
            break;
        case UndoResult::Failed: return;
        case UndoResult::Restored:
            emit editor.Hub().mapChanged(slot);
            Mark_Modified(editor, slot); // the map now differs from its file
            break;
        }
        emit editor.Hub().historyChanged(false);
        return;
    }
    if (Palette_Window(editor) && editor.Client()->activeSubWindow() == Palette_Window(editor)) {
        if (!Undo_Palette_Cell(state.palette)) {
            Show_Message(&editor.Main_Window(), QStringLiteral("それはちょっと…"),
                         QStringLiteral("セルパレットはこれ以上元に戻せません"), MB_OK,
                         MB_ICON_INFORMATION);
        } else {
            state.palette.saved = 0;
            emit editor.Hub().paletteChanged(-1);
            emit editor.Hub().paletteSavedChanged();
        }
        emit editor.Hub().historyChanged(false);
        return;
    }
    Show_Message(&editor.Main_Window(), QStringLiteral("やり直すって何を？"),
                 QStringLiteral("アクティブになっているフォームがないため、何を元に戻せばよいのか分かりません。\n元に戻したいマップ、もしくはセルパレットをアクティブにしてください。"),
                 MB_OK, MB_ICON_INFORMATION);
}

void Follow_Edit_Menu(Editor& editor)
{
    Changes& hub = editor.Hub();
    QObject* context = &editor.Main_Window();
    // A step just recorded can be undone, whichever window is active now.
    QObject::connect(&hub, &Changes::historyChanged, context, [&editor](bool recorded) {
        if (recorded) Set_Undo_Enabled(editor, true);
        else Update_Undo_Command(editor);
    });
    QObject::connect(&hub, &Changes::clipboardChanged, context,
                     [&editor] { Set_Paste_Enabled(editor, editor.State().clipboard.has_area()); });
}

} // namespace zol
