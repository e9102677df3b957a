#include "ui/dialogs/save_question.h"

#include "ui/windows/cell_palette_window.h"
#include "core/map/file_path.h"
#include "core/messages/show_message.h"
#include "ui/frame/zol.h"

#include <functional>

namespace zol {

namespace {

SaveOutcome Ask_To_Save(Zol& frame, SaveQuestion question, const QString& path,
                        const std::function<bool()>& save)
{
    QString caption = QStringLiteral("確認");
    QString name = Path_Name_Part(path);
    if (question == SaveQuestion::FrameClose || question == SaveQuestion::WindowClose) {
        caption = question == SaveQuestion::FrameClose ? QStringLiteral("閉じる前に")
                                                       : QStringLiteral("閉じる前に…");
        name = Path_File_Name(path);
    }
    const QString answer = Show_Message(&frame, caption, name + QStringLiteral("を保存しますか？"),
                                        MB_YESNOCANCEL, MB_ICON_QUESTION);
    if (answer == kAnswerCancel) return SaveOutcome::Cancelled;
    if (answer == kAnswerYes) return save() ? SaveOutcome::Saved : SaveOutcome::Cancelled;
    return SaveOutcome::Declined;
}

} // namespace

SaveOutcome Settle_Map(Zol& frame, int slot, SaveQuestion question)
{
    const edit_form& doc = frame.Documents()[slot];
    if (!frame.Map_Window(slot) || doc.saved != 0) return SaveOutcome::Unchanged;
    return Ask_To_Save(frame, question, doc.file_path, [&frame, slot] { return Save_Map_As(frame, slot); });
}

SaveOutcome Settle_Palette(Zol& frame, SaveQuestion question)
{
    const CellPalette& palette = frame.State().palette;
    if (!palette.exists || palette.saved != 0) return SaveOutcome::Unchanged;
    return Ask_To_Save(frame, question, palette.path, [&frame] { return Save_Cell_Palette_As(frame); });
}

} // namespace zol
