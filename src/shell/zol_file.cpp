// The file menu's map commands, the exit command and opening maps.

#include "display/cell_palette_window.h"
#include "display/map_view.h"
#include "documents/file_path.h"
#include "documents/flag_file.h"
#include "documents/map_file.h"
#include "shell/show_message.h"
#include "shell/zol.h"

namespace zol {

namespace {

const QStringList& Map_Filters()
{
    static const QStringList filters = {QStringLiteral("ZOLファイル"), QStringLiteral("*.zol"),
                                        QStringLiteral("すべてのファイル"), QStringLiteral("*.*")};
    return filters;
}

void Too_Many_Windows()
{
    Show_Message(nullptr, QStringLiteral("確認"),
                 QStringLiteral("一度に表示できるウィンドーは%1までです。\nどれかひとつ消してから行ってください。")
                     .arg(kMaxDocuments),
                 MB_OK, MB_ICON_EXCLAMATION);
}

bool Any_Map_Window(const ProgramState& state)
{
    for (const MapControls& map : state.maps)
        if (map.window) return true;
    return false;
}

// The palette a map names, as an image; a white one (after telling the user) when it cannot be
// read.
QImage Read_Map_Palette(const QString& palette_path)
{
    QImage image = Read_Bitmap(palette_path);
    if (!image.isNull()) return image;
    Show_Message(nullptr, QStringLiteral("ありゃりゃ？"),
                 QStringLiteral("指定されているビットマップファイル\n") + Path_Name_Part(palette_path) +
                     QStringLiteral("\nの読み込みに失敗しました。\nそのビットマップが本当にマップデータとの同じディレクトリ\n") +
                     Path_Directory(palette_path) + QStringLiteral("\nにあるのか確かめてください。"),
                 MB_OK, MB_ICON_STOP);
    return White_Palette();
}

// Makes the map's palette current, asking first when another one is loaded. False when the
// user keeps the current palette, which stops the open.
bool Settle_Map_Palette(Zol& frame, const QString& palette_path, const QImage& image)
{
    CellPalette& palette = frame.State().palette;
    if (palette.exists && Same_Palette_Path(palette.path, palette_path)) return true;
    if (palette.exists) {
        const QString answer = Show_Message(
            &frame, QStringLiteral("ええんかなぁ？そんなことして"),
            QStringLiteral("指定されているパレットと現在表示されているパレットが違います。\nそれでも開きますか？"),
            MB_YESNO, MB_ICON_QUESTION);
        if (answer != kAnswerYes) return false;
        if (!Settle_Unsaved_Palette(frame)) return false;
    }
    Open_Cell_Palette(frame, Cut_Cells(image), palette_path);
    Redraw_All_Maps(frame);
    return true;
}

} // namespace

void Update_File_Menu(Zol& frame)
{
    const bool maps = Any_Map_Window(frame.State());
    const bool palette = frame.State().palette.exists;
    frame.Menu_Item(ID_SAVE_MAP)->setEnabled(maps);
    frame.Menu_Item(ID_SAVE_MAP_AS)->setEnabled(maps);
    frame.Menu_Item(ID_SAVE_PALETTE)->setEnabled(palette);
    frame.Menu_Item(ID_SAVE_PALETTE_AS)->setEnabled(palette);
}

void New_Map(Zol& frame)
{
    DocumentTable& documents = frame.Documents();
    const int slot = documents.First_Free_Slot();
    if (slot >= kMaxDocuments) {
        Too_Many_Windows();
        Update_File_Menu(frame);
        return;
    }
    if (Create_New_Map(documents, slot)) {
        if (addChild(frame, slot)) Redraw_Map(frame, slot);
        else Reset_Map(documents[slot]);
    }
    Update_File_Menu(frame);
}

void Open_Map_Command(Zol& frame)
{
    const int slot = frame.Documents().First_Free_Slot();
    if (slot >= kMaxDocuments) {
        Too_Many_Windows();
        Update_File_Menu(frame);
        return;
    }
    winlib::FileDialogRequest request;
    request.title = QStringLiteral("マップデータを読み込む");
    request.button_text = QStringLiteral("開く");
    request.directory = frame.State().dialog_directory;
    request.filters = Map_Filters();
    const std::optional<QString> path = winlib::Choose_File(&frame, request);
    if (path) {
        frame.State().dialog_directory = Path_Directory(*path);
        Open_Map(frame, slot, *path);
    }
    Update_File_Menu(frame);
}

bool Open_Map(Zol& frame, int slot, const QString& path)
{
    edit_form& doc = frame.Documents()[slot];
    if (!Read_Map_Document(doc, path)) return false;
    const QString palette_path = Resolve_Palette_Path(path, doc.palette_name);
    doc.palette_name.clear();
    const QImage image = Read_Map_Palette(palette_path);
    if (!Settle_Map_Palette(frame, palette_path, image) || !Load_Flags(doc)) {
        Reset_Map(doc);
        return false;
    }
    if (addChild(frame, slot)) Redraw_Map(frame, slot);
    else Reset_Map(doc);
    return true;
}

bool Save_Map(Zol& frame, int slot)
{
    edit_form& doc = frame.Documents()[slot];
    return Write_Map(doc, Path_Name_Part(frame.State().palette.path), QStringLiteral("ERROR(17)"));
}

bool Save_Map_As(Zol& frame, int slot)
{
    ProgramState& state = frame.State();
    winlib::FileDialogRequest request;
    request.save = true;
    request.title = QStringLiteral("マップデータを保存する");
    request.button_text = QStringLiteral("保存");
    request.directory = Path_Directory(state.palette.path);
    request.initial_file = Path_File_Name(state.documents[slot].file_path);
    request.filters = Map_Filters();
    const std::optional<QString> path = winlib::Choose_File(&frame, request);
    if (!path) return false;
    state.dialog_directory = request.directory;
    edit_form& doc = state.documents[slot];
    doc.file_path = Path_With_Extension(*path, QStringLiteral(".zol"));
    const bool written =
        Write_Map(doc, Path_Name_Part(state.palette.path), QStringLiteral("ERROR(16)"));
    if (state.maps[std::size_t(slot)].window) Layout_Map_View(frame, slot); // caption names the file
    return written;
}

namespace {
int Save_Target(Zol& frame)
{
    const int slot = frame.Active_Map(true);
    if (slot < 0)
        Show_Message(&frame, QStringLiteral("困った…"),
                     QStringLiteral("アクティブになっているフォームがないため、\nどのマップを保存すればよいのか分かりません"),
                     MB_OK, MB_ICON_EXCLAMATION);
    return slot;
}
} // namespace

void Save_Command(Zol& frame)
{
    const int slot = Save_Target(frame);
    if (slot >= 0) Save_Map(frame, slot);
}

void Save_As_Command(Zol& frame)
{
    const int slot = Save_Target(frame);
    if (slot >= 0) Save_Map_As(frame, slot);
}

void Exit_Command(Zol& frame)
{
    ProgramState& state = frame.State();
    const QString question = QStringLiteral("を保存しますか？");
    for (int s = 0; s < kMaxDocuments; ++s) {
        edit_form& doc = state.documents[s];
        if (!state.maps[std::size_t(s)].window || doc.saved != 0) continue;
        const QString answer = Show_Message(&frame, QStringLiteral("確認"),
                                            Path_Name_Part(doc.file_path) + question,
                                            MB_YESNOCANCEL, MB_ICON_QUESTION);
        if (answer == kAnswerCancel) return;
        if (answer == kAnswerYes) {
            if (!Save_Map_As(frame, s)) return; // nothing closes unsaved
        } else {
            Close_Map(frame, s);
        }
    }
    if (state.palette.exists && state.palette.saved == 0) {
        const QString answer = Show_Message(&frame, QStringLiteral("確認"),
                                            Path_Name_Part(state.palette.path) + question,
                                            MB_YESNOCANCEL, MB_ICON_QUESTION);
        if (answer == kAnswerCancel) return;
        if (answer == kAnswerYes && !Save_Cell_Palette_As(frame)) return;
        if (answer != kAnswerYes) Close_Cell_Palette(frame);
    }
    frame.quit(1);
}

} // namespace zol
