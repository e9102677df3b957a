#include "ui/dialogs/pattern_windows.h"
#include "core/messages/texts.h"

#include "ui/dialogs/edit_settings.h"
#include "core/editing/pattern.h"
#include "core/render/cell_palette_images.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace zol {

namespace {

struct PatternWindows {
    winlib::SingleWindow<winlib::WDialog> size_dialog;
    PatternMakerControls maker;
};

PatternWindows& Windows(Editor& editor) { return editor.State().windows.Get<PatternWindows>(); }

// A side of 1..5 with a box of one digit.
constexpr winlib::ScrollRow kSideRow{.minimum = 1, .maximum = Pattern::kMaxSide, .page_step = 1,
                                     .value = 1, .digits = 1, .edit_height = 22};

// The picture of cell n of the palette (a blank cell when there is no palette yet).
QImage Cell_Picture(const CellPalette& palette, int n)
{
    const QImage& cell = palette.cells[std::size_t(n & 0x3f)];
    return cell.isNull() ? Blank_Cell() : cell;
}

void Draw_Pattern_Cell(Editor& editor, int px, int py)
{
    ProgramState& state = editor.State();
    QPainter painter(&Windows(editor).maker.surface);
    painter.drawImage(QPoint(px * kCellSize, py * kCellSize), Cell_Picture(state.palette, state.pattern.at(px, py)));
}

// A press on the canvas: the left button alone paints the L cell, every other press the R cell.
void Canvas_Press(Editor& editor, int x, int y)
{
    ProgramState& state = editor.State();
    Pattern& pattern = state.pattern;
    const int px = x / kCellSize;
    const int py = y / kCellSize;
    if (x < 0 || y < 0 || px >= pattern.width || py >= pattern.height) return;
    const winlib::ButtonSnapshot b = winlib::Buttons_Now();
    const bool left_alone = b.left && !b.right && !b.middle && !b.shift && !b.ctrl && !b.alt;
    pattern.at(px, py) = left_alone ? state.palette.l_cell : state.palette.r_cell;
    Draw_Pattern_Cell(editor, px, py);
    Windows(editor).maker.canvas->Set_Image(Windows(editor).maker.surface);
}

// Confirms the tool chosen last: it stays when the dialog closes.
void Confirm_Tool(Editor& editor)
{
    ToolState& tools = editor.State().tools;
    tools.previous = tools.current;
}

} // namespace

PatternMakerControls& Pattern_Maker(Editor& editor) { return Windows(editor).maker; }

winlib::SingleWindow<winlib::WDialog>& Pattern_Size_Window(Editor& editor) { return Windows(editor).size_dialog; }

void Open_Pattern_Size_Dialog(Editor& editor)
{
    Close_Pattern_Size_Dialog(editor);
    Windows(editor).size_dialog.Open(&editor.Main_Window(), [&editor] {
        auto* dialog = new winlib::WDialog(&editor.Main_Window(), Text::tr("パターンサイズの決定"));
        auto* grid = new QGridLayout(dialog);
        grid->setContentsMargins(5, 5, 10, 5);
        grid->setSpacing(5);
        grid->setSizeConstraint(QLayout::SetFixedSize);
        QScrollBar* width = winlib::Add_Scroll_Row(grid, 0, Text::tr(" 幅"), kSideRow, dialog);
        QScrollBar* height = winlib::Add_Scroll_Row(grid, 1, Text::tr("高さ"), kSideRow, dialog);
        width->setObjectName(QStringLiteral("width"));
        height->setObjectName(QStringLiteral("height"));
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        auto* cancel = new winlib::WButton(Text::tr("CANCEL"), dialog);
        auto* ok = new winlib::WButton(Text::tr(" OK "), dialog);
        ok->setDefault(true);
        buttons->addWidget(cancel);
        buttons->addWidget(ok);
        grid->addLayout(buttons, 2, 0, 1, 3);
        // Wide enough for the title: the bars take what the labels and boxes leave.
        grid->setColumnMinimumWidth(1, std::max(100, dialog->Title_Width() - 110));
        winlib::Bind(ok, QStringLiteral("ClickEvent"), [&editor, width, height](QObject*, winlib::EventArgs&) {
            const int w = width->value();
            const int h = height->value();
            Confirm_Tool(editor);
            Close_Pattern_Size_Dialog(editor);
            Open_Pattern_Maker(editor, w, h);
        });
        winlib::Bind(cancel, QStringLiteral("ClickEvent"), [dialog](QObject*, winlib::EventArgs&) { dialog->close(); });
        // CANCEL and the close box: no pattern, and the tool before the pattern tool again.
        winlib::Bind(dialog, QStringLiteral("CloseEvent"), [&editor](QObject*, winlib::EventArgs&) {
            Discard_Pattern(editor.State().pattern);
            const ToolState& tools = editor.State().tools;
            if (tools.previous != tools.current) Set_Tool(editor, tools.previous);
        });
        return dialog;
    });
}

void Close_Pattern_Size_Dialog(Editor& editor)
{
    ProgramState& state = editor.State();
    if (!Windows(editor).size_dialog.Get()) return;
    // Hidden, not closed: the close box's tool restore does not run.
    Windows(editor).size_dialog.Close();
    Discard_Pattern(state.pattern);
}

void Open_Pattern_Maker(Editor& editor, int width, int height)
{
    Close_Pattern_Maker(editor);
    ProgramState& state = editor.State();
    if (!Make_Pattern(state.pattern, width, height)) return;
    PatternMakerControls& maker = Windows(editor).maker;
    maker.surface = QImage(state.pattern.width * kCellSize, state.pattern.height * kCellSize, QImage::Format_RGB32);
    for (int px = 0; px < state.pattern.width; ++px)
        for (int py = 0; py < state.pattern.height; ++py) Draw_Pattern_Cell(editor, px, py);
    maker.window.Open(&editor.Main_Window(), [&editor, &maker] {
        auto* window = new winlib::WDialog(&editor.Main_Window(), Text::tr("パターンの作成"));
        maker.canvas = new winlib::WPictureBox(window);
        maker.canvas->setGeometry(5, 5, maker.surface.width(), maker.surface.height());
        maker.canvas->Set_Image(maker.surface);
        auto* ok = new winlib::WButton(Text::tr("   OK   "), window);
        ok->resize(ok->sizeHint());
        ok->move(maker.canvas->geometry().right() + 1 + 5, 5);
        // Widened when the title needs it; the canvas and the button keep their places.
        window->setFixedSize(std::max(ok->geometry().right() + 1 + 10, window->Title_Width()),
                             std::max(maker.canvas->geometry().bottom(), ok->geometry().bottom()) + 1 + 35);
        for (const char* name : {"LeftButtonDownEvent", "RightButtonDownEvent"})
            winlib::Bind(maker.canvas, QString::fromLatin1(name),
                         [&editor](QObject*, winlib::EventArgs& args) { Canvas_Press(editor, args.x, args.y); });
        // The close box keeps the pattern painted so far, and the tool.
        winlib::Bind(window, QStringLiteral("CloseEvent"), [&maker](QObject*, winlib::EventArgs&) {
            maker.canvas = nullptr;
            maker.surface = QImage();
        });
        winlib::Bind(ok, QStringLiteral("ClickEvent"), [&editor](QObject*, winlib::EventArgs&) {
            Confirm_Tool(editor);
            Close_Pattern_Maker(editor);
            if (editor.State().fill_rate.on) Open_Fill_Rate_Dialog(editor);
        });
        return window;
    });
}

void Close_Pattern_Maker(Editor& editor)
{
    PatternMakerControls& maker = Windows(editor).maker;
    maker.window.Close();
    maker.canvas = nullptr;
    maker.surface = QImage();
}

} // namespace zol
