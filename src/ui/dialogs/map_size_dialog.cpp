#include "ui/dialogs/map_size_dialog.h"
#include "core/messages/texts.h"

#include "core/editing/map_size.h"
#include "core/map/file_path.h"
#include "core/messages/show_message.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QScrollBar>

namespace zol {

namespace {

struct MapSizeDialog {
    winlib::SingleWindow<QDialog> window;
};

// A side of 1..256 with a box of three digits.
winlib::ScrollRow Size_Row(int value)
{
    return {.minimum = 1, .maximum = kMaxMapSide, .page_step = 10, .value = value, .digits = 3};
}

void Apply(Editor& editor, int slot, int w, int h)
{
    if (!editor.Map_Window(slot)) {
        Map_Size_Window(editor).Close();
        return;
    }
    edit_form& doc = editor.Documents()[slot];
    if (w < doc.width() || h < doc.height()) {
        const QString answer = Show_Message(&editor.Main_Window(), Text::tr("こっちは構わんけど…"),
                                            Text::tr("マップデータの一部が消えてしまう可能性がありますが\nそれでもよろしいですか？"),
                                            MB_YESNO, MB_ICON_QUESTION);
        if (answer != kAnswerYes) {
            Map_Size_Window(editor).Close();
            return;
        }
    }
    Record_Step(editor, slot);
    // All or nothing: on a shortage the map stays as it was and the dialog open.
    if (!Resize_Map(doc, w, h)) return;
    emit editor.Hub().mapChanged(slot);
    Mark_Modified(editor, slot);
    Map_Size_Window(editor).Close();
}

} // namespace

winlib::SingleWindow<QDialog>& Map_Size_Window(Editor& editor) { return editor.State().windows.Get<MapSizeDialog>().window; }

void Open_Map_Size_Dialog(Editor& editor, int slot)
{
    const edit_form& doc = editor.Documents()[slot];
    Map_Size_Window(editor).Open(&editor.Main_Window(), [&editor, slot, &doc] {
        auto* dialog = new QDialog(&editor.Main_Window(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowTitle(Text::tr("%1の設定").arg(Path_File_Name(doc.file_path)));
        dialog->setFont(editor.Main_Window().font());
        auto* grid = new QGridLayout(dialog);
        grid->setContentsMargins(5, 5, 15, 5);
        grid->setSpacing(5);
        grid->setSizeConstraint(QLayout::SetFixedSize);
        QScrollBar* width = winlib::Add_Scroll_Row(grid, 0, Text::tr("Ｘ座標の幅"), Size_Row(doc.width()), dialog);
        QScrollBar* height = winlib::Add_Scroll_Row(grid, 1, Text::tr("Ｙ座標の幅"), Size_Row(doc.height()), dialog);
        width->setObjectName(QStringLiteral("width"));
        height->setObjectName(QStringLiteral("height"));
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        auto* ok = new winlib::WButton(Text::tr("OK"), dialog);
        auto* cancel = new winlib::WButton(Text::tr("CANCEL"), dialog);
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
        grid->addLayout(buttons, 2, 0, 1, 3);
        winlib::Widen_For_Title(dialog);
        // The numbers come from the bars, which always hold a size in range.
        winlib::Bind(ok, QStringLiteral("ClickEvent"), [&editor, slot, width, height](QObject*, winlib::EventArgs&) {
            Apply(editor, slot, width->value(), height->value());
        });
        winlib::Bind(cancel, QStringLiteral("ClickEvent"), [&editor](QObject*, winlib::EventArgs&) {
            Map_Size_Window(editor).Close();
        });
        return dialog;
    });
}

void Map_Size_Command(Editor& editor)
{
    const int slot = editor.Active_Map(false);
    if (slot < 0) {
        Show_Message(&editor.Main_Window(), Text::tr("そんなこと言うたかて…"),
                     Text::tr("アクティブになっているマップデータがないため、\nどのマップを変更したいのか分かりません。"),
                     MB_OK, MB_ICON_EXCLAMATION);
        return;
    }
    Open_Map_Size_Dialog(editor, slot);
}

} // namespace zol
