// The file menu: maps made, opened, saved, exported and imported, and the exit command.

#include "core/exchange/tiled_map.h"
#include "core/messages/texts.h"
#include "core/map/file_path.h"
#include "core/map/flag_file.h"
#include "core/map/map_file.h"
#include "core/messages/show_message.h"
#include "ui/dialogs/map_size_dialog.h"
#include "ui/dialogs/saving.h"
#include "ui/frame/zol.h"
#include "ui/windows/cell_palette_window.h"
#include "ui/windows/map_view.h"

#include <optional>

namespace zol {

void Too_Many_Windows()
{
    Show_Message(nullptr, Text::tr("確認"),
                 Text::tr("一度に表示できるウィンドーは%1までです。\nどれかひとつ消してから行ってください。")
                     .arg(kMaxDocuments),
                 MB_OK, MB_ICON_EXCLAMATION);
}

namespace {

bool Any_Map_Window(const Editor& editor)
{
    for (int s = 0; s < kMaxDocuments; ++s)
        if (editor.Map_Window(s)) return true;
    return false;
}

// The palette a map names, as an image; nothing (after telling the user) when it cannot be read.
std::optional<QImage> Read_Map_Palette(const QString& palette_path)
{
    QImage image = Read_Bitmap(palette_path);
    if (!image.isNull()) return image;
    Show_Message(nullptr, Text::tr("ありゃりゃ？"),
                 Text::tr("指定されているビットマップファイル\n%1\nの読み込みに失敗しました。\n"
                          "そのビットマップが本当にマップデータとの同じディレクトリ\n%2\nにあるのか確かめてください。")
                     .arg(Path_Name_Part(palette_path), Path_Directory(palette_path)),
                 MB_OK, MB_ICON_STOP);
    return std::nullopt;
}

// Makes the map's palette current, asking first when another one is loaded. False when the
// user keeps the current palette, which stops the open.
bool Settle_Map_Palette(Editor& editor, const QString& palette_path, const std::optional<QImage>& image)
{
    CellPalette& palette = editor.State().palette;
    if (palette.exists && Same_Palette_Path(palette.path, palette_path)) return true;
    if (palette.exists) {
        const QString answer = Show_Message(
            &editor.Main_Window(), Text::tr("ええんかなぁ？そんなことして"),
            Text::tr("指定されているパレットと現在表示されているパレットが違います。\nそれでも開きますか？"),
            MB_YESNO, MB_ICON_QUESTION);
        if (answer != kAnswerYes) return false;
        if (!Settle_Unsaved_Palette(editor)) return false;
    }
    // A stand-in for a bitmap that could not be read has no file behind it yet.
    Open_Cell_Palette(editor, Cut_Cells(image ? *image : White_Palette()), palette_path,
                      image.has_value());
    return true;
}

} // namespace

void Update_File_Menu(Editor& editor)
{
    const bool maps = Any_Map_Window(editor);
    const bool palette = editor.State().palette.exists;
    editor.Menu_Item(ID_SAVE_MAP)->setEnabled(maps);
    editor.Menu_Item(ID_SAVE_MAP_AS)->setEnabled(maps);
    editor.Menu_Item(ID_EXPORT)->setEnabled(maps);
    editor.Menu_Item(ID_SAVE_PALETTE)->setEnabled(palette);
    editor.Menu_Item(ID_SAVE_PALETTE_AS)->setEnabled(palette);
}

void New_Map(Editor& editor)
{
    Tool_Command(editor, kPen);
    DocumentTable& documents = editor.Documents();
    const int slot = documents.First_Free_Slot();
    if (slot >= kMaxDocuments) {
        Too_Many_Windows();
        Update_File_Menu(editor);
        return;
    }
    if (Create_New_Map(documents, slot)) {
        if (addChild(editor, slot)) {
            Redraw_Map(editor, slot);
            editor.Client()->setActiveSubWindow(editor.Map_Window(slot));
            Map_Size_Command(editor); // the user chooses the new map's size at once
        } else {
            Reset_Map(documents[slot]);
        }
    }
    Update_File_Menu(editor);
}

void Open_Map_Command(Editor& editor)
{
    Tool_Command(editor, kPen);
    const int slot = editor.Documents().First_Free_Slot();
    if (slot >= kMaxDocuments) {
        Too_Many_Windows();
        Update_File_Menu(editor);
        return;
    }
    winlib::FileDialogRequest request;
    request.title = Text::tr("マップデータを読み込む");
    request.button_text = Text::tr("開く");
    request.directory = editor.Start_Directory();
    request.filters = Map_Filters();
    if (const std::optional<QString> path = winlib::Choose_File(&editor.Main_Window(), request))
        Open_Map(editor, slot, *path);
    Update_File_Menu(editor);
}

bool Open_Map(Editor& editor, int slot, const QString& path)
{
    const QString full_path = Absolute_Path(path);
    edit_form& doc = editor.Documents()[slot];
    const bool opened = Open_Map_Document(doc, full_path, [&editor](const QString& palette_path) {
        return Settle_Map_Palette(editor, palette_path, Read_Map_Palette(palette_path));
    });
    if (!opened) return false;
    editor.State().map_directory = Path_Directory(full_path);
    Remember_Map(editor, full_path);
    if (addChild(editor, slot)) Redraw_Map(editor, slot);
    else Reset_Map(doc);
    return true;
}

namespace {
int Save_Target(Editor& editor)
{
    const int slot = editor.Active_Map(true);
    if (slot < 0)
        Show_Message(&editor.Main_Window(), Text::tr("困った…"),
                     Text::tr("アクティブになっているフォームがないため、\nどのマップを保存すればよいのか分かりません"),
                     MB_OK, MB_ICON_EXCLAMATION);
    return slot;
}
} // namespace

void Save_Command(Editor& editor)
{
    const int slot = Save_Target(editor);
    if (slot >= 0) Save_Map(editor, slot);
}

void Save_As_Command(Editor& editor)
{
    const int slot = Save_Target(editor);
    if (slot >= 0) Save_Map_As(editor, slot);
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

namespace {

QStringList Tiled_Filters()
{
    return {Text::tr("TMXファイル"), QStringLiteral("*.tmx"),
            Text::tr("JSONファイル"), QStringLiteral("*.tmj;*.json"),
            Text::tr("すべてのファイル"), QStringLiteral("*.*")};
}

void Report(Editor& editor, const QString& caption, const QString& what, const QString& problem)
{
    Show_Message(&editor.Main_Window(), caption, what + QStringLiteral("\n") + problem, MB_OK, MB_ICON_STOP);
}

} // namespace

void Export_Command(Editor& editor)
{
    const QString caption = Text::tr("エクスポート");
    const int slot = editor.Active_Map(true);
    if (slot < 0) {
        Show_Message(&editor.Main_Window(), caption, Text::tr("エクスポートするマップをアクティブにしてください。"), MB_OK,
                     MB_ICON_EXCLAMATION);
        return;
    }
    ProgramState& state = editor.State();
    const edit_form& doc = state.documents[slot];
    winlib::FileDialogRequest request;
    request.save = true;
    request.title = caption;
    request.button_text = Text::tr("保存");
    request.directory = Path_Directory(doc.file_path).isEmpty() ? editor.Start_Directory() : Path_Directory(doc.file_path);
    request.initial_file = Path_Name_Part(doc.file_path) + QStringLiteral(".tmx");
    request.filters = Tiled_Filters();
    const std::optional<QString> chosen = winlib::Choose_File(&editor.Main_Window(), request);
    if (!chosen) return;
    QString target = Absolute_Path(*chosen);
    if (!Tiled_Format_For(target)) target += QStringLiteral(".tmx");
    // The tileset is the palette's bitmap, named as the map file names it.
    const QString problem = Export_Tiled_Map(doc, Encode_Palette_Name(Path_Name_Part(state.palette.path)),
                                             state.palette.path, target, *Tiled_Format_For(target));
    if (!problem.isEmpty()) Report(editor, caption, Text::tr("エクスポートに失敗しました。"), problem);
    else editor.Status()->Set_Text(1, Text::tr("%1にエクスポートしました").arg(Path_File_Name(target)));
}

void Import_Command(Editor& editor)
{
    const QString caption = Text::tr("インポート");
    const int slot = editor.Documents().First_Free_Slot();
    if (slot >= kMaxDocuments) {
        Too_Many_Windows();
        return;
    }
    winlib::FileDialogRequest request;
    request.title = caption;
    request.button_text = Text::tr("開く");
    request.directory = editor.Start_Directory();
    request.filters = Tiled_Filters();
    const std::optional<QString> source = winlib::Choose_File(&editor.Main_Window(), request);
    if (!source) return;
    TiledImport import;
    const QString problem = Import_Tiled_Map(*source, import);
    if (!problem.isEmpty()) {
        Report(editor, caption, Text::tr("このマップはインポートできません。"), problem);
        return;
    }
    // The map becomes a map file of its own, which then opens as any other.
    winlib::FileDialogRequest save;
    save.save = true;
    save.title = Text::tr("インポートしたマップデータの保存");
    save.button_text = Text::tr("保存");
    save.directory = Path_Directory(Absolute_Path(*source));
    save.initial_file = Path_Name_Part(*source) + QStringLiteral(".zol");
    save.filters = Map_Filters();
    const std::optional<QString> chosen = winlib::Choose_File(&editor.Main_Window(), save);
    if (!chosen) return;
    const QString target = Path_With_Extension(Absolute_Path(*chosen), QStringLiteral(".zol"));
    const QString written = Write_Imported_Map(import, target);
    if (!written.isEmpty()) {
        Report(editor, caption, Text::tr("インポートしたマップの保存に失敗しました。"), written);
        return;
    }
    if (Open_Map(editor, slot, target))
        editor.Status()->Set_Text(1, Text::tr("%1をインポートしました").arg(Path_File_Name(target)));
    Update_File_Menu(editor);
}

void Follow_File_Menu(Editor& editor)
{
    Changes& hub = editor.Hub();
    QObject* context = &editor.Main_Window();
    QObject::connect(&hub, &Changes::mapsChanged, context, [&editor] { Update_File_Menu(editor); });
    QObject::connect(&hub, &Changes::paletteChanged, context, [&editor] { Update_File_Menu(editor); });
    QObject::connect(&hub, &Changes::paletteSavedChanged, context, [&editor] { Update_File_Menu(editor); });
}

} // namespace zol
