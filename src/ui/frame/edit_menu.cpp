// The edit menu: undo and redo, and the gray state of undo, redo and paste.

#include "core/editing/undo.h"
#include "core/messages/texts.h"
#include "core/map/file_path.h"
#include "core/messages/show_message.h"
#include "ui/frame/zol.h"
#include "ui/windows/cell_palette_window.h"
#include "ui/windows/map_viewer.h"
#include "ui/windows/toolbar.h"

#include <QMdiArea>

namespace zol {

namespace {

// The map undo and redo act on: the active map window's, or with the whole-map view active the
// map it shows; -1 for neither.
int History_Slot(Editor& editor)
{
    const int slot = editor.Active_Map(false);
    if (slot >= 0) return slot;
    const ViewerControls& viewer = Viewer_Controls(editor);
    if (viewer.window && editor.Client()->activeSubWindow() == viewer.window) return Viewer_Slot(editor);
    return -1;
}

// Without such a map, undo and redo act on the palette when its window is the active one.
bool Palette_Active(Editor& editor)
{
    return Palette_Window(editor) && editor.Client()->activeSubWindow() == Palette_Window(editor);
}

} // namespace

void Update_Undo_Command(Editor& editor)
{
    const int slot = History_Slot(editor);
    const bool map_step = slot >= 0 && Has_Undo_Step(editor.Documents()[slot]);
    const ProgramState& state = editor.State();
    const bool palette_step = state.palette.exists && !state.palette.history.Newest_Empty();
    Set_Undo_Enabled(editor, map_step || palette_step);
}

void Update_Redo_Command(Editor& editor)
{
    const int slot = History_Slot(editor);
    const CellPalette& palette = editor.State().palette;
    if (slot >= 0) Set_Redo_Enabled(editor, Has_Redo_Step(editor.Documents()[slot]));
    else Set_Redo_Enabled(editor, Palette_Active(editor) && palette.exists && palette.history.redo > 0);
}

void Undo_Command(Editor& editor)
{
    ProgramState& state = editor.State();
    const int slot = History_Slot(editor);
    if (slot >= 0) {
        edit_form& doc = state.documents[slot];
        switch (Undo_Map(doc)) {
        case UndoResult::Nothing:
            Show_Message(&editor.Main_Window(), Text::tr("仏の顔も…"),
                         Text::tr("%1はこれ以上元には戻せません").arg(Path_File_Name(doc.file_path)),
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
    if (Palette_Active(editor)) {
        if (!Undo_Palette_Cell(state.palette)) {
            Show_Message(&editor.Main_Window(), Text::tr("それはちょっと…"),
                         Text::tr("セルパレットはこれ以上元に戻せません"), MB_OK,
                         MB_ICON_INFORMATION);
        } else {
            state.palette.saved = 0;
            emit editor.Hub().paletteChanged(-1);
            emit editor.Hub().paletteSavedChanged();
        }
        emit editor.Hub().historyChanged(false);
        return;
    }
    Show_Message(&editor.Main_Window(), Text::tr("やり直すって何を？"),
                 Text::tr("アクティブになっているフォームがないため、何を元に戻せばよいのか分かりません。\n元に戻したいマップ、もしくはセルパレットをアクティブにしてください。"),
                 MB_OK, MB_ICON_INFORMATION);
}

void Redo_Command(Editor& editor)
{
    ProgramState& state = editor.State();
    const int slot = History_Slot(editor);
    if (slot >= 0) {
        // Nothing to redo (the command is gray then) does nothing; a failure has been reported.
        if (Redo_Map(state.documents[slot]) != UndoResult::Restored) return;
        emit editor.Hub().mapChanged(slot);
        Mark_Modified(editor, slot);
        emit editor.Hub().historyChanged(false);
        return;
    }
    if (Palette_Active(editor) && state.palette.exists && Redo_Palette_Cell(state.palette)) {
        state.palette.saved = 0;
        emit editor.Hub().paletteChanged(-1);
        emit editor.Hub().paletteSavedChanged();
        emit editor.Hub().historyChanged(false);
    }
}

void Follow_Edit_Menu(Editor& editor)
{
    Changes& hub = editor.Hub();
    QObject* context = &editor.Main_Window();
    // A step just recorded can be undone, whichever window is active now; it left nothing to redo.
    QObject::connect(&hub, &Changes::historyChanged, context, [&editor](bool recorded) {
        if (recorded) Set_Undo_Enabled(editor, true);
        else Update_Undo_Command(editor);
        Update_Redo_Command(editor);
    });
    QObject::connect(&hub, &Changes::clipboardChanged, context,
                     [&editor] { Set_Paste_Enabled(editor, editor.State().clipboard.has_area()); });
}

} // namespace zol
