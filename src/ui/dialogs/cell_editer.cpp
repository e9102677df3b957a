#include "ui/dialogs/cell_editer.h"
#include "core/messages/texts.h"

#include "core/editing/cell_picture.h"
#include "core/editing/drawing_tools.h"
#include "ui/dialogs/load_bitmap_form.h"

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


// The tool button shows the tool that clicks use.
QString Tool_Text(bool fill) { return fill ? Text::tr("塗る") : Text::tr("ペン"); }

// The grid's 16 colours, the chosen one marked by a black and white frame inside its square.
void Show_Grid(CellEditorControls& controls)
{
    QImage image(kGridSide, kGridSide, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int i = 0; i < 16; ++i)
        painter.fillRect((i % 4) * kGridSquare, (i / 4) * kGridSquare, kGridSquare, kGridSquare, QColor(controls.colours[std::size_t(i)]));
    const QRect chosen((controls.selected % 4) * kGridSquare, (controls.selected / 4) * kGridSquare, kGridSquare, kGridSquare);
    painter.setPen(Qt::black);
    painter.drawRect(chosen.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawRect(chosen.adjusted(1, 1, -2, -2));
    painter.end();
    controls.grid->Set_Image(image);
}

void Show_Colour(CellEditorControls& controls)
{
    QImage image(kColourBoxSide, kColourBoxSide, QImage::Format_RGB32);
    image.fill(controls.colour);
    controls.colour_box->Set_Image(image);
}

void Show_Surface(CellEditorControls& controls) { controls.surface->Set_Image(controls.view); }

void Set_Fill_Mode(CellEditorControls& controls, bool fill)
{
    controls.fill_mode = fill;
    controls.tool->setText(Tool_Text(fill));
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

void Pen(CellEditorControls& controls, int i, int j)
{
    controls.cell.setPixel(i, j, controls.colour);
    Paint_Square(controls.view, i, j, controls.colour);
    Show_Surface(controls);
}

void Fill(Editor& editor, int i, int j)
{
    ProgramState& state = editor.State();
    CellEditorControls& controls = Cell_Editor(editor);
    if (!state.ready) return;
    {
        winlib::BusyScope busy(state.ready);
        if (Pixel_Fill(controls.cell, i, j, controls.colour)) {
            Magnify_Cell(controls.cell, controls.view);
            Show_Surface(controls);
        }
    }
    Set_Fill_Mode(controls, false);
}

} // namespace

CellEditorControls& Cell_Editor(Editor& editor) { return editor.State().windows.Get<CellEditorControls>(); }

void Open_Cell_Editer(Editor& editor)
{
    Close_Cell_Editer(editor);
    CellEditorControls& controls = Cell_Editor(editor);
    const QImage& working = Loader(editor).picture;
    controls.cell = working.isNull() ? Blank_Cell() : Copy_Block(working, QPoint(0, 0));
    Magnify_Cell(controls.cell, controls.view);
    controls.colours = kStartColours;
    controls.selected = 0;
    controls.colour = controls.colours[0];
    controls.fill_mode = false;

    controls.window.Open(&editor.Main_Window(), [&editor, &controls] {
        auto* window = new winlib::WDialog(&editor.Main_Window(), Text::tr("セルの編集"));
        controls.surface = new winlib::WPictureBox(window);
        controls.surface->setGeometry(5, 5, kMagnifiedSize, kMagnifiedSize);
        controls.surface->setCursor(Qt::CrossCursor);
        const int column = controls.surface->geometry().right() + 1 + 5;
        controls.grid = new winlib::WPictureBox(window);
        controls.grid->setGeometry(column, 5, kGridSide, kGridSide);
        controls.colour_box = new winlib::WPictureBox(window);
        controls.colour_box->setGeometry(column, controls.grid->geometry().bottom() + 1 + 5, kColourBoxSide, kColourBoxSide);
        controls.tool = new winlib::WButton(Tool_Text(false), window);
        controls.tool->setGeometry(column, controls.colour_box->geometry().bottom() + 1 + 10, kGridSide, controls.tool->sizeHint().height());
        auto* ok = new winlib::WButton(Text::tr("  OK  "), window);
        ok->setGeometry(column, controls.tool->geometry().bottom() + 1 + 10, kGridSide, ok->sizeHint().height());
        auto* cancel = new winlib::WButton(Text::tr("CANCEL"), window);
        cancel->setGeometry(column, ok->geometry().bottom() + 1 + 5, kGridSide, cancel->sizeHint().height());
        window->setFixedSize(controls.grid->geometry().right() + 1 + 10, controls.surface->geometry().bottom() + 1 + 30);

        winlib::Bind(controls.surface, QStringLiteral("LeftButtonDownEvent"),
                     [&editor](QObject*, winlib::EventArgs& a) { Editor_Surface_Press(editor, a.x, a.y, false); });
        winlib::Bind(controls.surface, QStringLiteral("RightButtonDownEvent"),
                     [&editor](QObject*, winlib::EventArgs& a) { Editor_Surface_Press(editor, a.x, a.y, true); });
        winlib::Bind(controls.surface, QStringLiteral("MouseMoveEvent"),
                     [&editor](QObject*, winlib::EventArgs& a) { Editor_Surface_Move(editor, a.x, a.y); });
        winlib::Bind(controls.grid, QStringLiteral("LeftButtonDownEvent"),
                     [&editor](QObject*, winlib::EventArgs& a) { Editor_Grid_Press(editor, a.x, a.y); });
        winlib::Bind(controls.grid, QStringLiteral("LeftButtonDoubleEvent"),
                     [&editor](QObject*, winlib::EventArgs&) { Editor_Grid_Double(editor); });
        winlib::Bind(controls.tool, QStringLiteral("ClickEvent"), [&editor](QObject*, winlib::EventArgs&) { Editor_Tool_Button(editor); });
        winlib::Bind(ok, QStringLiteral("ClickEvent"), [&editor](QObject*, winlib::EventArgs&) { Editor_OK(editor); });
        winlib::Bind(cancel, QStringLiteral("ClickEvent"), [&editor](QObject*, winlib::EventArgs&) { Close_Cell_Editer(editor); });
        winlib::Bind(window, QStringLiteral("CloseEvent"), [&editor](QObject*, winlib::EventArgs&) { Close_Cell_Editer(editor); });
        return window;
    }, QPoint(-200, -50));
    Show_Surface(controls);
    Show_Grid(controls);
    Show_Colour(controls);
}

void Close_Cell_Editer(Editor& editor)
{
    CellEditorControls& controls = Cell_Editor(editor);
    controls.window.Close();
    controls.cell = QImage();
    controls.view = QImage();
    controls.surface = controls.grid = controls.colour_box = nullptr;
    controls.tool = nullptr;
}

void Editor_Surface_Press(Editor& editor, int x, int y, bool right)
{
    CellEditorControls& controls = Cell_Editor(editor);
    int i = 0, j = 0;
    if (!controls.window.Get() || !Pixel_At(x, y, i, j)) return;
    if (right) {
        controls.colour = controls.cell.pixel(i, j);
        Show_Colour(controls);
    } else if (controls.fill_mode) {
        Fill(editor, i, j);
    } else {
        Pen(controls, i, j);
    }
    controls.last_pixel = QPoint(i, j); // a drag with the button still held starts here
}

void Editor_Surface_Move(Editor& editor, int x, int y)
{
    CellEditorControls& controls = Cell_Editor(editor);
    int i = 0, j = 0;
    if (!controls.window.Get() || !Pixel_At(x, y, i, j)) return;
    const winlib::ButtonSnapshot b = winlib::Buttons_Now();
    if (!b.left || b.right || b.middle || b.shift || b.ctrl || b.alt) return;
    // Every pixel on the way from the last one, however fast the pointer moved.
    const std::vector<QPoint> line = Line_Cells(controls.last_pixel.x(), controls.last_pixel.y(), i, j);
    for (const QPoint& pixel : line) Pen(controls, pixel.x(), pixel.y());
    controls.last_pixel = QPoint(i, j);
}

void Editor_Grid_Press(Editor& editor, int x, int y)
{
    CellEditorControls& controls = Cell_Editor(editor);
    if (!controls.window.Get() || x < 0 || y < 0 || x >= kGridSide || y >= kGridSide) return;
    controls.selected = (y / kGridSquare) * 4 + x / kGridSquare;
    controls.colour = controls.colours[std::size_t(controls.selected)];
    Show_Grid(controls);
    Show_Colour(controls);
}

void Editor_Grid_Double(Editor& editor)
{
    CellEditorControls& controls = Cell_Editor(editor);
    if (!controls.window.Get()) return;
    const std::optional<QColor> chosen =
        winlib::Choose_Colour(controls.window.Get(), QColor(controls.colours[std::size_t(controls.selected)]));
    if (!chosen || !chosen->isValid() || !controls.window.Get()) return;
    controls.colours[std::size_t(controls.selected)] = controls.colour = chosen->rgb();
    Show_Grid(controls);
    Show_Colour(controls);
}

void Editor_Tool_Button(Editor& editor)
{
    CellEditorControls& controls = Cell_Editor(editor);
    if (controls.window.Get()) Set_Fill_Mode(controls, !controls.fill_mode);
}

void Editor_OK(Editor& editor)
{
    CellEditorControls& controls = Cell_Editor(editor);
    if (!controls.window.Get()) return;
    LoaderControls& loader = Loader(editor);
    if (loader.window.Get()) {
        loader.picture = controls.cell.copy();
        loader.preview->Set_Image(loader.picture);
    }
    Close_Cell_Editer(editor);
}

} // namespace zol
