// Export to and import from the Tiled map formats (File menu), through the same core routines
// as zol-tool's export and import.

#include "core/map/file_path.h"
#include "core/map/map_file.h"
#include "core/exchange/tiled_map.h"
#include "core/messages/show_message.h"
#include "ui/frame/zol.h"

namespace zol {

namespace {

const QStringList& Tiled_Filters()
{
    static const QStringList filters = {QStringLiteral("TMXファイル"), QStringLiteral("*.tmx"),
                                        QStringLiteral("JSONファイル"), QStringLiteral("*.tmj;*.json"),
                                        QStringLiteral("すべてのファイル"), QStringLiteral("*.*")};
    return filters;
}

void Report(Zol& frame, const QString& caption, const QString& what, const QString& problem)
{
    Show_Message(&frame, caption, what + QStringLiteral("\n") + problem, MB_OK, MB_ICON_STOP);
}

} // namespace

void Export_Command(Zol& frame)
{
    const QString caption = QStringLiteral("エクスポート");
    const int slot = frame.Active_Map(true);
    if (slot < 0) {
        Show_Message(&frame, caption, QStringLiteral("エクスポートするマップをアクティブにしてください。"), MB_OK,
                     MB_ICON_EXCLAMATION);
        return;
    }
    ProgramState& state = frame.State();
    const edit_form& doc = state.documents[slot];
    winlib::FileDialogRequest request;
    request.save = true;
    request.title = caption;
    request.button_text = QStringLiteral("保存");
    request.directory = Path_Directory(doc.file_path).isEmpty() ? frame.Start_Directory() : Path_Directory(doc.file_path);
    request.initial_file = Path_Name_Part(doc.file_path) + QStringLiteral(".tmx");
    request.filters = Tiled_Filters();
    const std::optional<QString> chosen = winlib::Choose_File(&frame, request);
    if (!chosen) return;
    QString target = Absolute_Path(*chosen);
    if (!Tiled_Format_For(target)) target += QStringLiteral(".tmx");
    // The tileset is the palette's bitmap, named as the map file names it.
    const QString problem = Export_Tiled_Map(doc, Encode_Palette_Name(Path_Name_Part(state.palette.path)),
                                             state.palette.path, target, *Tiled_Format_For(target));
    if (!problem.isEmpty()) Report(frame, caption, QStringLiteral("エクスポートに失敗しました。"), problem);
    else frame.Status()->Set_Text(1, Path_File_Name(target) + QStringLiteral("にエクスポートしました"));
}

void Import_Command(Zol& frame)
{
    const QString caption = QStringLiteral("インポート");
    const int slot = frame.Documents().First_Free_Slot();
    if (slot >= kMaxDocuments) {
        Too_Many_Windows();
        return;
    }
    winlib::FileDialogRequest request;
    request.title = caption;
    request.button_text = QStringLiteral("開く");
    request.directory = frame.Start_Directory();
    request.filters = Tiled_Filters();
    const std::optional<QString> source = winlib::Choose_File(&frame, request);
    if (!source) return;
    TiledImport import;
    const QString problem = Import_Tiled_Map(*source, import);
    if (!problem.isEmpty()) {
        Report(frame, caption, QStringLiteral("このマップはインポートできません。"), problem);
        return;
    }
    // The map becomes a map file of its own, which then opens as any other.
    winlib::FileDialogRequest save;
    save.save = true;
    save.title = QStringLiteral("インポートしたマップデータの保存");
    save.button_text = QStringLiteral("保存");
    save.directory = Path_Directory(Absolute_Path(*source));
    save.initial_file = Path_Name_Part(*source) + QStringLiteral(".zol");
    save.filters = {QStringLiteral("ZOLファイル"), QStringLiteral("*.zol"), QStringLiteral("すべてのファイル"), QStringLiteral("*.*")};
    const std::optional<QString> chosen = winlib::Choose_File(&frame, save);
    if (!chosen) return;
    const QString target = Path_With_Extension(Absolute_Path(*chosen), QStringLiteral(".zol"));
    const QString written = Write_Imported_Map(import, target);
    if (!written.isEmpty()) {
        Report(frame, caption, QStringLiteral("インポートしたマップの保存に失敗しました。"), written);
        return;
    }
    Open_Map(frame, slot, target);
    Update_File_Menu(frame);
}

} // namespace zol
