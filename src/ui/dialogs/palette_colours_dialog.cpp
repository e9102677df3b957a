#include "ui/dialogs/palette_colours_dialog.h"
#include "core/messages/texts.h"


#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>

namespace zol {

namespace {

constexpr int kLabelWidth = 20;

struct ColourDialog {
    winlib::SingleWindow<QDialog> window;
};

// A square of one colour; a double click on it asks for another.
class Swatch : public winlib::WPictureBox {
public:
    Swatch(QRgb colour, int side, QWidget* parent) : winlib::WPictureBox(parent), side_(side)
    {
        setFixedSize(side, side);
        Set_Colour(colour);
    }
    void Set_Colour(QRgb colour)
    {
        colour_ = colour;
        QImage image(side_, side_, QImage::Format_RGB32);
        image.fill(colour);
        for (int i = 0; i < side_; ++i)
            for (const QPoint p : {QPoint(i, 0), QPoint(i, side_ - 1), QPoint(0, i), QPoint(side_ - 1, i)})
                image.setPixel(p, qRgb(0, 0, 0));
        Set_Image(image);
    }
    QRgb Colour() const { return colour_; }

private:
    int side_;
    QRgb colour_ = 0;
};

} // namespace

winlib::SingleWindow<QDialog>& Colour_Window(Editor& editor) { return editor.State().windows.Get<ColourDialog>().window; }

void Open_Palette_Colour_Dialog(Editor& editor)
{
    ProgramState& state = editor.State();
    QMainWindow* frame = &editor.Main_Window();
    Colour_Window(editor).Open(frame, [&editor, frame, &state] {
        auto* dialog = new QDialog(frame, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowTitle(Text::tr("パレット色設定"));
        dialog->setFont(frame->font());
        auto* grid = new QGridLayout(dialog);
        grid->setContentsMargins(5, 5, 5, 5);
        grid->setHorizontalSpacing(5);
        grid->setVerticalSpacing(5);
        grid->setSizeConstraint(QLayout::SetFixedSize);
        auto swatches = std::make_shared<std::array<Swatch*, 64>>();
        for (int i = 0; i < 64; ++i) {
            auto* label = new QLabel(QString::number(i), dialog);
            label->setFixedWidth(kLabelWidth);
            auto* swatch = new Swatch(state.palette_colours[std::size_t(i)], label->sizeHint().height(), dialog);
            swatch->setObjectName(QStringLiteral("swatch%1").arg(i));
            (*swatches)[std::size_t(i)] = swatch;
            auto* entry = new QHBoxLayout;
            entry->setSpacing(0);
            entry->addWidget(label);
            entry->addWidget(swatch);
            grid->addLayout(entry, i / 4, i % 4);
            const QPointer<Swatch> guarded(swatch);
            winlib::Bind(swatch, QStringLiteral("LeftButtonDoubleEvent"), [dialog, guarded](QObject*, winlib::EventArgs&) {
                const std::optional<QColor> chosen = winlib::Choose_Colour(dialog, QColor(guarded->Colour()));
                if (chosen && guarded) guarded->Set_Colour(chosen->rgb());
            });
        }
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        auto* ok = new winlib::WButton(Text::tr(" OK "), dialog);
        auto* format = new winlib::WButton(Text::tr("Format"), dialog);
        buttons->addWidget(ok);
        buttons->addWidget(format);
        grid->addLayout(buttons, 16, 0, 1, 4);
        winlib::Widen_For_Title(dialog);
        winlib::Bind(format, QStringLiteral("ClickEvent"), [swatches](QObject*, winlib::EventArgs&) {
            for (int i = 0; i < 64; ++i) (*swatches)[std::size_t(i)]->Set_Colour(Default_Palette_Colour(i));
        });
        winlib::Bind(ok, QStringLiteral("ClickEvent"), [&editor, swatches](QObject*, winlib::EventArgs&) {
            for (int i = 0; i < 64; ++i)
                editor.State().palette_colours[std::size_t(i)] = (*swatches)[std::size_t(i)]->Colour();
            Colour_Window(editor).Close();
            emit editor.Hub().coloursChanged();
        });
        return dialog;
    });
}

} // namespace zol
