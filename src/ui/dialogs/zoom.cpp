#include "ui/dialogs/zoom.h"
#include "core/messages/texts.h"

#include <QMainWindow>
#include <QVBoxLayout>

namespace zol {

namespace {

constexpr int kSizes[] = {32, 24, 16, 8};
const char* const kTexts[] = {"100%", "75%", "50%", "25%"};

struct ZoomDialog {
    winlib::SingleWindow<QDialog> window;
};

} // namespace

winlib::SingleWindow<QDialog>& Zoom_Window(Editor& editor) { return editor.State().windows.Get<ZoomDialog>().window; }

void Set_Zoom(Editor& editor, int s)
{
    editor.State().cell_size = s;
    emit editor.Hub().zoomChanged(s);
}

void Open_Zoom_Dialog(Editor& editor)
{
    QMainWindow* frame = &editor.Main_Window();
    const int current = editor.State().cell_size;
    Zoom_Window(editor).Open(frame, [&editor, frame, current] {
        auto* dialog = new QDialog(frame, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                              Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                                              Qt::MSWindowsFixedSizeDialogHint);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowTitle(Text::tr("倍率設定"));
        dialog->setFont(frame->font());
        auto* column = new QVBoxLayout(dialog);
        column->setContentsMargins(5, 5, 10, 5);
        column->setSpacing(0);
        column->setSizeConstraint(QLayout::SetFixedSize);
        for (int i = 0; i < 4; ++i) {
            auto* button = new winlib::WRadioButton(QString::fromLatin1(kTexts[i]), dialog);
            button->setObjectName(QString::fromLatin1(kTexts[i]));
            button->setChecked(kSizes[i] == current);
            column->addWidget(button);
            const int s = kSizes[i];
            winlib::Bind(button, QStringLiteral("ClickEvent"), [&editor, s](QObject*, winlib::EventArgs&) {
                Set_Zoom(editor, s);
                Zoom_Window(editor).Close();
            });
        }
        winlib::Widen_For_Title(dialog);
        return dialog;
    });
}

} // namespace zol
