// The file menu's map commands, the exit command and opening maps.

#include "ui/windows/cell_palette_window.h"
#include "ui/windows/map_view.h"
#include "core/map/file_path.h"
#include "core/map/flag_file.h"
#include "core/map/map_file.h"
#include "ui/windows/lists.h"
#include "ui/windows/map_viewer.h"
#include "ui/tools/tools.h"
#include "ui/dialogs/map_size_dialog.h"
#include "ui/dialogs/save_question.h"
#include "core/messages/show_message.h"
#include "ui/frame/zol.h"

#include <optional>

namespace zol {

namespace {

const QStringList& Map_Filters()
{
    static const QStringList filters = {QStringLiteral("ZOLファイル"), QStringLiteral("*.zol"),
                                        QStringLiteral("すべてのファイル"), QStringLiteral("*.*")};
    return filters;
}

} // namespace

void Too_Many_Windows()
{
    Show_Message(nullptr, QStringLiteral("確認"),
                 QStringLiteral("一度に表示できるウィンドーは%1までです。\nどれかひとつ消してから行ってください。")
                     .arg(kMaxDocuments),
                 MB_OK, MB_ICON_EXCLAMATION);
}

namespace {

bool Any_Map_Window(const Zol& frame)
{
    for (int s = 0; s < kMaxDocuments; ++s)
        if (frame.Map_Window(s)) return true;
    return false;
}

// The palette a map names, as an image; nothing (after telling the user) when it cannot be read.
std::optional<QImage> Read_Map_Palette(const QString& palette_path)
{
    QImage image = Read_Bitmap(palette_path);
    if (!image.isNull()) return image;
    Show_Message(nullptr, QStringLiteral("ありゃりゃ？"),
                 QStringLiteral("指定されているビットマップファイル\n") + Path_Name_Part(palette_path) +
                     QStringLiteral("\nの読み込みに失敗しました。\nそのビットマップが本当にマップデータとの同じディレクトリ\n") +
                     Path_Directory(palette_path) + QStringLiteral("\nにあるのか確かめてください。"),
                 MB_OK, MB_ICON_STOP);
    return std::nullopt;
}

// Makes the map's palette current, asking first when another one is loaded. False when the
// user keeps the current palette, which stops the open.
bool Settle_Map_Palette(Zol& frame, const QString& palette_path, const std::optional<QImage>& image)
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
    // A stand-in for a bitmap that could not be read has no file behind it yet.
    Open_Cell_Palette(frame, Cut_Cells(image ? *image : White_Palette()), palette_path,
                      image.has_value());
    Redraw_All_Maps(frame);
    return true;
}

// A palette that exists only in memory must be saved once a saved map names it, or the map
// would name a bitmap that is not there.
void Map_Saved_With_Palette(Zol& frame)
{
    CellPalette& palette = frame.State().palette;
    if (palette.exists && !palette.written) palette.saved = 0;
}

} // namespace

void Update_File_Menu(Zol& frame)
{
    const bool maps = Any_Map_Window(frame);
    const bool palette = frame.State().palette.exists;
    frame.Menu_Item(ID_SAVE_MAP)->setEnabled(maps);
    frame.Menu_Item(ID_SAVE_MAP_AS)->setEnabled(maps);
    frame.Menu_Item(ID_EXPORT)->setEnabled(maps);
    frame.Menu_Item(ID_SAVE_PALETTE)->setEnabled(palette);
    frame.Menu_Item(ID_SAVE_PALETTE_AS)->setEnabled(palette);
}

void New_Map(Zol& frame)
{
    Tool_Command(frame, kPen);
    DocumentTable& documents = frame.Documents();
    const int slot = documents.First_Free_Slot();
    if (slot >= kMaxDocuments) {
        Too_Many_Windows();
        Update_File_Menu(frame);
        return;
    }
    if (Create_New_Map(documents, slot)) {
        if (addChild(frame, slot)) {
            Redraw_Map(frame, slot);
            frame.Client()->setActiveSubWindow(frame.Map_Window(slot));
            Map_Size_Command(frame); // the user chooses the new map's size at once
        } else {
            Reset_Map(documents[slot]);
        }
    }
    Update_File_Menu(frame);
}

void Open_Map_Command(Zol& frame)
{
    Tool_Command(frame, kPen);
    const int slot = frame.Documents().First_Free_Slot();
    if (slot >= kMaxDocuments) {
        Too_Many_Windows();
        Update_File_Menu(frame);
        return;
    }
    winlib::FileDialogRequest request;
    request.title = QStringLiteral("マップデータを読み込む");
    request.button_text = QStringLiteral("開く");
    request.directory = frame.Start_Directory();
    request.filters = Map_Filters();
    if (const std::optional<QString> path = winlib::Choose_File(&frame, request))
        Open_Map(frame, slot, *path);
    Update_File_Menu(frame);
}

bool Open_Map(Zol& frame, int slot, const QString& path)
{
    const QString full_path = Absolute_Path(path);
    edit_form& doc = frame.Documents()[slot];
    const bool opened = Open_Map_Document(doc, full_path, [&frame](const QString& palette_path) {
        return Settle_Map_Palette(frame, palette_path, Read_Map_Palette(palette_path));
    });
    if (!opened) return false;
    frame.State().map_directory = Path_Directory(full_path);
    if (addChild(frame, slot)) Redraw_Map(frame, slot);
    else Reset_Map(doc);
    return true;
}

bool Save_Map(Zol& frame, int slot)
{
    edit_form& doc = frame.Documents()[slot];
    const bool written =
        Write_Map(doc, Path_Name_Part(frame.State().palette.path), QStringLiteral("ERROR(17)"));
    if (written) {
        Map_Saved_With_Palette(frame);
        Forget_Recovery(frame, slot);
    }
    return written;
}

bool Save_Map_As(Zol& frame, int slot)
{
    ProgramState& state = frame.State();
    const QString palette_directory = Path_Directory(state.palette.path);
    winlib::FileDialogRequest request;
    request.save = true;
    request.title = QStringLiteral("マップデータを保存する");
    request.button_text = QStringLiteral("保存");
    request.directory = palette_directory.isEmpty() ? frame.Start_Directory() : palette_directory;
    request.initial_file = Path_File_Name(state.documents[slot].file_path);
    request.filters = Map_Filters();
    const std::optional<QString> path = winlib::Choose_File(&frame, request);
    if (!path) return false;
    edit_form& doc = state.documents[slot];
    const QString target = Path_With_Extension(Absolute_Path(*path), QStringLiteral(".zol"));
    const bool written = Write_Map_To(doc, target, Path_Name_Part(state.palette.path),
                                      QStringLiteral("ERROR(16)"));
    if (written) {
        Map_Saved_With_Palette(frame);
        Forget_Recovery(frame, slot);
    }
    if (frame.Map_Window(slot)) {
        // The caption names the file; the layout makes a new picture, drawn again here.
        Layout_Map_View(frame, slot);
        Redraw_Map(frame, slot);
        if (written) {
            Fill_Map_Chooser(frame); // the choosers name the map by its new name
            Refresh_All_Lists(frame);
        }
    }
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
    for (int s = 0; s < kMaxDocuments; ++s) {
        const SaveOutcome outcome = Settle_Map(frame, s, SaveQuestion::Exit);
        if (outcome == SaveOutcome::Cancelled) return;
        if (outcome == SaveOutcome::Declined) Close_Map(frame, s);
    }
    const SaveOutcome palette = Settle_Palette(frame, SaveQuestion::Exit);
    if (palette == SaveOutcome::Cancelled) return;
    if (palette == SaveOutcome::Declined) Close_Cell_Palette(frame);
    frame.quit(1);
}

} // namespace zol
