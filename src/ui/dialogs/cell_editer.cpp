#include "ui/dialogs/cell_editer.h"

#include "ui/frame/zol.h"
#include "core/editing/cell_picture.h"

#include <QPainter>

namespace zol {

namespace {

constexpr int kGridSide = 100;        // the colour grid: 4 x 4 squares of 25 pixels
constexpr int kGridSquare = kGridSide / 4;
constexpr int kColourBoxSide = 50;

constexpr std::array<QRgb, 16> kStartColours = {
    qRgb(255, 255, 255), qRgb(0, 0, 0),   qRgb(192, 192, 192), qRgb(128, 128, 128),
    qRgb(255, 0, 0),     qRgb(128, 0, 0), qRgb(255, 255, 0),   qRgb(128, 128, 0),
    qRgb(0, 255, 0),     qRgb(0, 128, 0), qRgb(0, 255, 255),   qRgb(0, 128, 128),
    qRgb(0, 0, 255),     qRgb(0, 0, 128), qRgb(255, 0, 255),   qRgb(128, 0, 128),
};

CellEditorControls& Editor(Zol& frame) { return frame.State().cell_editor; }

const QString kPenText = QStringLiteral("ペン");
const QString kFillText = QStringLiteral("塗る");

// The grid's 16 colours, the chosen one marked by a black and white frame inside its square.
void Show_Grid(CellEditorControls& editor)
{
    QImage image(kGridSide, kGridSide, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int i = 0; i < 16; ++i)
        painter.fillRect((i % 4) * kGridSquare, (i / 4) * kGridSquare, kGridSquare, kGridSquare, QColor(editor.colours[std::size_t(i)]));
    const QRect chosen((editor.selected % 4) * kGridSquare, (editor.selected / 4) * kGridSquare, kGridSquare, kGridSquare);
    painter.setPen(Qt::black);
    painter.drawRect(chosen.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawRect(chosen.adjusted(1, 1, -2, -2));
    painter.end();
    editor.grid->Set_Image(image);
}

void Show_Colour(CellEditorControls& editor)
{
    QImage image(kColourBoxSide, kColourBoxSide, QImage::Format_RGB32);
    image.fill(editor.colour);
    editor.colour_box->Set_Image(image);
}

void Show_Surface(CellEditorControls& editor) { editor.surface->Set_Image(editor.view); }

void Set_Fill_Mode(CellEditorControls& editor, bool fill)
{
    editor.fill_mode = fill;
    editor.tool->setText(fill ? kFillText : kPenText);
}

// The cell pixel under surface point (x, y); false outside the surface (Qt keeps sending a
// pressed control the moves that leave it).
bool Pixel_At(int x, int y, int& i, int& j)
{
    if (x < 0 || y < 0 || x >= kMagnifiedSize || y >= kMagnifiedSize) return false;
    i = x / kMagnify;
    j = y / kMagnify;
    return true;
}

void Pen(CellEditorControls& editor, int i, int j)
{
    editor.cell.setPixel(i, j, editor.colour);
    Paint_Square(editor.view, i, j, editor.colour);
    Show_Surface(editor);
}

void Fill(Zol& frame, int i, int j)
{
    ProgramState& state = frame.State();
    CellEditorControls& editor = state.cell_editor;
    if (!state.ready) return;
    {
        winlib::BusyScope busy(state.ready);
        if (Pixel_Fill(editor.cell, i, j, editor.colour)) {
            Magnify_Cell(editor.cell, editor.view);
            Show_Surface(editor);
        }
    }
    Set_Fill_Mode(editor, false);
}

} // namespace

void Open_Cell_Editer(Zol& frame)
{
    Close_Cell_Editer(frame);
    ProgramState& state = frame.State();
    CellEditorControls& editor = state.cell_editor;
    const QImage& working = state.loader.picture;
    editor.cell = working.isNull() ? Blank_Cell() : Copy_Block(working, QPoint(0, 0));
    Magnify_Cell(editor.cell, editor.view);
    editor.colours = kStartColours;
    editor.selected = 0;
    editor.colour = editor.colours[0];
    editor.fill_mode = false;

    editor.window.Open(&frame, [&frame, &editor] {
        auto* window = new winlib::WDialog(&frame, QStringLiteral("セルの編集"));
        editor.surface = new winlib::WPictureBox(window);
        editor.surface->setGeometry(5, 5, kMagnifiedSize, kMagnifiedSize);
        editor.surface->setCursor(Qt::CrossCursor);
        const int column = editor.surface->geometry().right() + 1 + 5;
        editor.grid = new winlib::WPictureBox(window);
        editor.grid->setGeometry(column, 5, kGridSide, kGridSide);
        editor.colour_box = new winlib::WPictureBox(window);
        editor.colour_box->setGeometry(column, editor.grid->geometry().bottom() + 1 + 5, kColourBoxSide, kColourBoxSide);
        editor.tool = new winlib::WButton(kPenText, window);
        editor.tool->setGeometry(column, editor.colour_box->geometry().bottom() + 1 + 10, kGridSide, editor.tool->sizeHint().height());
        auto* ok = new winlib::WButton(QStringLiteral("  OK  "), window);
        ok->setGeometry(column, editor.tool->geometry().bottom() + 1 + 10, kGridSide, ok->sizeHint().height());
        auto* cancel = new winlib::WButton(QStringLiteral("CANCEL"), window);
        cancel->setGeometry(column, ok->geometry().bottom() + 1 + 5, kGridSide, cancel->sizeHint().height());
        window->setFixedSize(editor.grid->geometry().right() + 1 + 10, editor.surface->geometry().bottom() + 1 + 30);

        winlib::Bind(editor.surface, QStringLiteral("LeftButtonDownEvent"),
                     [&frame](QObject*, winlib::EventArgs& a) { Editor_Surface_Press(frame, a.x, a.y, false); });
        winlib::Bind(editor.surface, QStringLiteral("RightButtonDownEvent"),
                     [&frame](QObject*, winlib::EventArgs& a) { Editor_Surface_Press(frame, a.x, a.y, true); });
        winlib::Bind(editor.surface, QStringLiteral("MouseMoveEvent"),
                     [&frame](QObject*, winlib::EventArgs& a) { Editor_Surface_Move(frame, a.x, a.y); });
        winlib::Bind(editor.grid, QStringLiteral("LeftButtonDownEvent"),
                     [&frame](QObject*, winlib::EventArgs& a) { Editor_Grid_Press(frame, a.x, a.y); });
        winlib::Bind(editor.grid, QStringLiteral("LeftButtonDoubleEvent"),
                     [&frame](QObject*, winlib::EventArgs&) { Editor_Grid_Double(frame); });
        winlib::Bind(editor.tool, QStringLiteral("ClickEvent"), [&frame](QObject*, winlib::EventArgs&) { Editor_Tool_Button(frame); });
        winlib::Bind(ok, QStringLiteral("ClickEvent"), [&frame](QObject*, winlib::EventArgs&) { Editor_OK(frame); });
        winlib::Bind(cancel, QStringLiteral("ClickEvent"), [&frame](QObject*, winlib::EventArgs&) { Close_Cell_Editer(frame); });
        winlib::Bind(window, QStringLiteral("CloseEvent"), [&frame](QObject*, winlib::EventArgs&) { Close_Cell_Editer(frame); });
        return window;
    }, QPoint(-200, -50));
    Show_Surface(editor);
    Show_Grid(editor);
    Show_Colour(editor);
}

void Close_Cell_Editer(Zol& frame)
{
    CellEditorControls& editor = Editor(frame);
    editor.window.Close();
    editor.cell = QImage();
    editor.view = QImage();
    editor.surface = editor.grid = editor.colour_box = nullptr;
    editor.tool = nullptr;
}

void Editor_Surface_Press(Zol& frame, int x, int y, bool right)
{
    CellEditorControls& editor = Editor(frame);
    int i = 0, j = 0;
    if (!editor.window.Get() || !Pixel_At(x, y, i, j)) return;
    if (right) {
        editor.colour = editor.cell.pixel(i, j);
        Show_Colour(editor);
    } else if (editor.fill_mode) {
        Fill(frame, i, j);
    } else {
        Pen(editor, i, j);
    }
}

void Editor_Surface_Move(Zol& frame, int x, int y)
{
    CellEditorControls& editor = Editor(frame);
    int i = 0, j = 0;
    if (!editor.window.Get() || !Pixel_At(x, y, i, j)) return;
    const winlib::ButtonSnapshot b = winlib::Buttons_Now();
    if (b.left && !b.right && !b.middle && !b.shift && !b.ctrl && !b.alt) Pen(editor, i, j);
}

void Editor_Grid_Press(Zol& frame, int x, int y)
{
    CellEditorControls& editor = Editor(frame);
    if (!editor.window.Get() || x < 0 || y < 0 || x >= kGridSide || y >= kGridSide) return;
    editor.selected = (y / kGridSquare) * 4 + x / kGridSquare;
    editor.colour = editor.colours[std::size_t(editor.selected)];
    Show_Grid(editor);
    Show_Colour(editor);
}

void Editor_Grid_Double(Zol& frame)
{
    CellEditorControls& editor = Editor(frame);
    if (!editor.window.Get()) return;
    const std::optional<QColor> chosen =
        winlib::Choose_Colour(editor.window.Get(), QColor(editor.colours[std::size_t(editor.selected)]));
    if (!chosen || !chosen->isValid() || !editor.window.Get()) return;
    editor.colours[std::size_t(editor.selected)] = editor.colour = chosen->rgb();
    Show_Grid(editor);
    Show_Colour(editor);
}

void Editor_Tool_Button(Zol& frame)
{
    CellEditorControls& editor = Editor(frame);
    if (editor.window.Get()) Set_Fill_Mode(editor, !editor.fill_mode);
}

void Editor_OK(Zol& frame)
{
    ProgramState& state = frame.State();
    CellEditorControls& editor = state.cell_editor;
    if (!editor.window.Get()) return;
    LoaderControls& loader = state.loader;
    if (loader.window.Get()) {
        loader.picture = editor.cell.copy();
        loader.preview->Set_Image(loader.picture);
    }
    Close_Cell_Editer(frame);
}

} // namespace zol
