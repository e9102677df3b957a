#include "ui/tools/undo_command.h"

#include "ui/windows/cell_palette_window.h"
#include "ui/windows/lists.h"
#include "ui/windows/map_view.h"
#include "ui/windows/map_viewer.h"
#include "core/map/file_path.h"
#include "ui/windows/toolbar.h"
#include "core/editing/undo.h"
#include "core/messages/show_message.h"
#include "ui/frame/zol.h"

namespace zol {

void Update_Undo_Command(Zol& frame)
{
    int slot = frame.Active_Map(false);
    const ViewerControls& viewer = frame.State().viewer;
    if (slot < 0 && viewer.window && frame.Client()->activeSubWindow() == viewer.window) slot = Viewer_Slot(frame);
    const bool map_step = slot >= 0 && Has_Undo_Step(frame.Documents()[slot]);
    const ProgramState& state = frame.State();
    const bool palette_step = state.palette.exists && !state.palette.history.Newest_Empty();
    Set_Undo_Enabled(frame, map_step || palette_step);
}

void Undo_Command(Zol& frame)
{
    ProgramState& state = frame.State();
    int slot = frame.Active_Map(false);
    // With the whole-map view active, the map it shows.
    if (slot < 0 && state.viewer.window && frame.Client()->activeSubWindow() == state.viewer.window)
        slot = Viewer_Slot(frame);
    if (slot >= 0) {
        edit_form& doc = state.documents[slot];
        switch (Undo_Map(doc)) {
        case UndoResult::Nothing:
            Show_Message(&frame, QStringLiteral("仏の顔も…"),
                         Path_File_Name(doc.file_path) + QStringLiteral("はこれ以上元には戻せません"),
                         MB_OK, MB_ICON_INFORMATION);
            break;
        case UndoResult::Failed: return;
        case UndoResult::Restored:
            Layout_Map_View(frame, slot);
            Redraw_Map(frame, slot);
            Draw_Whole_Map(frame);
            Refresh_Lists_Of(frame, slot);
            doc.saved = 0; // the map now differs from its file
            break;
        }
        Update_Undo_Command(frame);
        return;
    }
    if (state.palette_window.window && frame.Client()->activeSubWindow() == state.palette_window.window) {
        if (!Undo_Palette_Cell(state.palette)) {
            Show_Message(&frame, QStringLiteral("それはちょっと…"),
                         QStringLiteral("セルパレットはこれ以上元に戻せません"), MB_OK,
                         MB_ICON_INFORMATION);
        } else {
            state.palette.saved = 0;
            Refresh_Cell_Palette(frame);
            Redraw_All_Maps(frame);
        }
        Update_Undo_Command(frame);
        return;
    }
    Show_Message(&frame, QStringLiteral("やり直すって何を？"),
                 QStringLiteral("アクティブになっているフォームがないため、何を元に戻せばよいのか分かりません。\n元に戻したいマップ、もしくはセルパレットをアクティブにしてください。"),
                 MB_OK, MB_ICON_INFORMATION);
}

} // namespace zol
