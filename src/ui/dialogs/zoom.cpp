#include "ui/dialogs/zoom.h"

#include "ui/windows/map_view.h"
#include "ui/frame/zol.h"

#include <QVBoxLayout>

namespace zol {

namespace {

constexpr int kSizes[] = {32, 24, 16, 8};
const char* const kTexts[] = {"100%", "75%", "50%", "25%"};

} // namespace

void Set_Zoom(Zol& frame, int s)
{
    ProgramState& state = frame.State();
    state.cell_size = s;
    for (int slot = 0; slot < kMaxDocuments; ++slot) {
        if (!frame.Map_Window(slot)) continue;
        edit_form& doc = state.documents[slot];
        winlib::WPictureBox* picture = state.maps[std::size_t(slot)].picture;
        doc.layout_done = false;
        picture->hide();
        // Whole cells of the new size, and at least one each way.
        picture->resize(std::max(s, picture->width() / s * s), std::max(s, picture->height() / s * s));
        Layout_Map_View(frame, slot);
        Redraw_Map(frame, slot);
        picture->show();
    }
}

void Open_Zoom_Dialog(Zol& frame)
{
    ProgramState& state = frame.State();
    state.zoom_dialog.Open(&frame, [&frame, &state] {
        auto* dialog = new QDialog(&frame, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                              Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                                              Qt::MSWindowsFixedSizeDialogHint);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowTitle(QStringLiteral("倍率設定"));
        dialog->setFont(frame.font());
        auto* column = new QVBoxLayout(dialog);
        column->setContentsMargins(5, 5, 10, 5);
        column->setSpacing(0);
        column->setSizeConstraint(QLayout::SetFixedSize);
        for (int i = 0; i < 4; ++i) {
            auto* button = new winlib::WRadioButton(QString::fromLatin1(kTexts[i]), dialog);
            button->setObjectName(QString::fromLatin1(kTexts[i]));
            button->setChecked(kSizes[i] == state.cell_size);
            column->addWidget(button);
            const int s = kSizes[i];
            winlib::Bind(button, QStringLiteral("ClickEvent"), [&frame, s](QObject*, winlib::EventArgs&) {
                Set_Zoom(frame, s);
                frame.State().zoom_dialog.Close();
            });
        }
        return dialog;
    });
}

} // namespace zol
