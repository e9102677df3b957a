#include "ui/dialogs/saving.h"
#include "core/messages/texts.h"

#include "core/map/file_path.h"
#include "core/map/map_file.h"
#include "core/messages/show_message.h"
#include "core/render/cell_palette_images.h"

#include <QMainWindow>

#include <functional>

namespace zol {

QStringList Map_Filters()
{
    return {Text::tr("ZOLファイル"), QStringLiteral("*.zol"),
            Text::tr("すべてのファイル"), QStringLiteral("*.*")};
}

QStringList Bitmap_Filters()
{
    return {Text::tr("ビットマップファイル"), QStringLiteral("*.bmp"),
            Text::tr("すべてのファイル"), QStringLiteral("*.*")};
}

QString Palette_Directory(Editor& editor)
{
    const QString directory = Path_Directory(editor.State().palette.path);
    return directory.isEmpty() ? editor.Start_Directory() : directory;
}

namespace {

// A palette that exists only in memory must be saved once a saved map names it, or the map
// would name a bitmap that is not there.
void Map_Saved_With_Palette(Editor& editor)
{
    CellPalette& palette = editor.State().palette;
    if (!palette.exists || palette.written || palette.saved == 0) return;
    palette.saved = 0;
    emit editor.Hub().paletteSavedChanged();
}

bool Write_Palette(Editor& editor, const QString& path)
{
    CellPalette& palette = editor.State().palette;
    if (!Write_Palette_Bitmap(path, palette.cells)) {
        Show_Message(&editor.Main_Window(), Text::tr("あれ？"),
                     Text::tr("セルパレットの保存に失敗しました"), MB_OK, MB_ICON_STOP);
        return false;
    }
    palette.saved = 1;
    palette.written = true;
    emit editor.Hub().paletteSavedChanged();
    return true;
}

SaveOutcome Ask_To_Save(Editor& editor, SaveQuestion question, const QString& path,
                        const std::function<bool()>& save)
{
    QString caption = Text::tr("確認");
    QString name = Path_Name_Part(path);
    if (question == SaveQuestion::FrameClose || question == SaveQuestion::WindowClose) {
        caption = question == SaveQuestion::FrameClose ? Text::tr("閉じる前に")
                                                       : Text::tr("閉じる前に…");
        name = Path_File_Name(path);
    }
    const QString answer = Show_Message(&editor.Main_Window(), caption, Text::tr("%1を保存しますか？").arg(name),
                                        MB_YESNOCANCEL, MB_ICON_QUESTION);
    if (answer == kAnswerCancel) return SaveOutcome::Cancelled;
    if (answer == kAnswerYes) return save() ? SaveOutcome::Saved : SaveOutcome::Cancelled;
    return SaveOutcome::Declined;
}

} // namespace

bool Save_Map(Editor& editor, int slot)
{
    edit_form& doc = editor.Documents()[slot];
    if (!Write_Map(doc, Path_Name_Part(editor.State().palette.path), QStringLiteral("ERROR(17)"))) return false;
    Map_Saved_With_Palette(editor);
    emit editor.Hub().savedChanged(slot);
    return true;
}

bool Save_Map_As(Editor& editor, int slot)
{
    ProgramState& state = editor.State();
    const QString palette_directory = Path_Directory(state.palette.path);
    winlib::FileDialogRequest request;
    request.save = true;
    request.title = Text::tr("マップデータを保存する");
    request.button_text = Text::tr("保存");
    request.directory = palette_directory.isEmpty() ? editor.Start_Directory() : palette_directory;
    request.initial_file = Path_File_Name(state.documents[slot].file_path);
    request.filters = Map_Filters();
    const std::optional<QString> path = winlib::Choose_File(&editor.Main_Window(), request);
    if (!path) return false;
    edit_form& doc = state.documents[slot];
    const QString target = Path_With_Extension(Absolute_Path(*path), QStringLiteral(".zol"));
    if (!Write_Map_To(doc, target, Path_Name_Part(state.palette.path), QStringLiteral("ERROR(16)"))) return false;
    Map_Saved_With_Palette(editor);
    emit editor.Hub().savedChanged(slot);
    emit editor.Hub().mapsChanged(); // it has a new name
    return true;
}

bool Save_Cell_Palette(Editor& editor)
{
    if (!editor.State().palette.exists) return false;
    return Write_Palette(editor, editor.State().palette.path);
}

bool Save_Cell_Palette_As(Editor& editor)
{
    CellPalette& palette = editor.State().palette;
    if (!palette.exists) return false;
    winlib::FileDialogRequest request;
    request.save = true;
    request.title = Text::tr("セルパレットの保存");
    request.button_text = Text::tr("保存");
    request.filters = Bitmap_Filters();
    request.initial_file = Path_File_Name(palette.path);
    request.directory = Palette_Directory(editor);
    const std::optional<QString> chosen = winlib::Choose_File(&editor.Main_Window(), request);
    if (!chosen) return false;
    const QString target = Path_With_Extension(Absolute_Path(*chosen), QStringLiteral(".bmp"));
    if (!Write_Palette(editor, target)) return false;
    palette.path = target;
    return true;
}

SaveOutcome Settle_Map(Editor& editor, int slot, SaveQuestion question)
{
    const edit_form& doc = editor.Documents()[slot];
    if (!editor.Map_Window(slot) || doc.saved != 0) return SaveOutcome::Unchanged;
    return Ask_To_Save(editor, question, doc.file_path, [&editor, slot] { return Save_Map_As(editor, slot); });
}

SaveOutcome Settle_Palette(Editor& editor, SaveQuestion question)
{
    const CellPalette& palette = editor.State().palette;
    if (!palette.exists || palette.saved != 0) return SaveOutcome::Unchanged;
    return Ask_To_Save(editor, question, palette.path, [&editor] { return Save_Cell_Palette_As(editor); });
}

bool Settle_Unsaved_Palette(Editor& editor)
{
    return Settle_Palette(editor, SaveQuestion::Replace) != SaveOutcome::Cancelled;
}

} // namespace zol
