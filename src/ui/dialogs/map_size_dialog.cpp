#include "ui/dialogs/map_size_dialog.h"

#include "ui/windows/lists.h"
#include "ui/windows/map_view.h"
#include "ui/windows/map_viewer.h"
#include "core/map/file_path.h"
#include "ui/tools/mouse_editing.h"
#include "core/messages/show_message.h"
#include "ui/frame/zol.h"
#include "core/editing/map_size.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace zol {

namespace {

// A label, a scroll bar of 1..256 and a digits-only box of three characters, in step.
QScrollBar* Add_Size_Row(QGridLayout* grid, int row, const QString& text, int value, QWidget* parent)
{
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setRange(1, kMaxMapSide);
    bar->setSingleStep(1);
    bar->setPageStep(10);
    bar->setValue(value);
    bar->setFixedSize(100, 20);
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(3);
    edit->setFixedSize(50, 20);
    winlib::Pair_Scroll_And_Edit(bar, edit);
    grid->addWidget(new QLabel(text, parent), row, 0);
    grid->addWidget(bar, row, 1);
    grid->addWidget(edit, row, 2);
    return bar;
}

void Apply(Zol& frame, int slot, int w, int h)
{
    ProgramState& state = frame.State();
    if (!frame.Map_Window(slot)) {
        state.map_size_dialog.Close();
        return;
    }
    edit_form& doc = state.documents[slot];
    if (w < doc.width() || h < doc.height()) {
        const QString answer = Show_Message(&frame, QStringLiteral("こっちは構わんけど…"),
                                            QStringLiteral("マップデータの一部が消えてしまう可能性がありますが\nそれでもよろしいですか？"),
                                            MB_YESNO, MB_ICON_QUESTION);
        if (answer != kAnswerYes) {
            state.map_size_dialog.Close();
            return;
        }
    }
    Record_Step(frame, slot);
    // All or nothing: on a shortage the map stays as it was and the dialog open.
    if (!Resize_Map(doc, w, h)) return;
    Layout_Map_View(frame, slot);
    Redraw_Map(frame, slot);
    Draw_Whole_Map(frame);
    Refresh_Lists_Of(frame, slot);
    doc.saved = 0;
    state.map_size_dialog.Close();
}

} // namespace

void Open_Map_Size_Dialog(Zol& frame, int slot)
{
    const edit_form& doc = frame.Documents()[slot];
    frame.State().map_size_dialog.Open(&frame, [&frame, slot, &doc] {
        auto* dialog = new QDialog(&frame, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowTitle(Path_File_Name(doc.file_path) + QStringLiteral("の設定"));
        dialog->setFont(frame.font());
        auto* grid = new QGridLayout(dialog);
        grid->setContentsMargins(5, 5, 15, 5);
        grid->setSpacing(5);
        grid->setSizeConstraint(QLayout::SetFixedSize);
        QScrollBar* width = Add_Size_Row(grid, 0, QStringLiteral("Ｘ座標の幅"), doc.width(), dialog);
        QScrollBar* height = Add_Size_Row(grid, 1, QStringLiteral("Ｙ座標の幅"), doc.height(), dialog);
        width->setObjectName(QStringLiteral("width"));
        height->setObjectName(QStringLiteral("height"));
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        auto* ok = new winlib::WButton(QStringLiteral("OK"), dialog);
        auto* cancel = new winlib::WButton(QStringLiteral("CANCEL"), dialog);
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
        grid->addLayout(buttons, 2, 0, 1, 3);
        // The numbers come from the bars, which always hold a size in range.
        winlib::Bind(ok, QStringLiteral("ClickEvent"), [&frame, slot, width, height](QObject*, winlib::EventArgs&) {
            Apply(frame, slot, width->value(), height->value());
        });
        winlib::Bind(cancel, QStringLiteral("ClickEvent"), [&frame](QObject*, winlib::EventArgs&) {
            frame.State().map_size_dialog.Close();
        });
        return dialog;
    });
}

void Map_Size_Command(Zol& frame)
{
    const int slot = frame.Active_Map(false);
    if (slot < 0) {
        Show_Message(&frame, QStringLiteral("そんなこと言うたかて…"),
                     QStringLiteral("アクティブになっているマップデータがないため、\nどのマップを変更したいのか分かりません。"),
                     MB_OK, MB_ICON_EXCLAMATION);
        return;
    }
    Open_Map_Size_Dialog(frame, slot);
}

} // namespace zol
