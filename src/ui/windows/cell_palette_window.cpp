#include "ui/windows/cell_palette_window.h"
#include "core/messages/texts.h"

#include "core/map/file_path.h"
#include "core/messages/show_message.h"
#include "ui/dialogs/load_bitmap_form.h"
#include "ui/dialogs/saving.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QPainter>

namespace zol {

namespace {

const QColor kLeftColour(0, 0, 255);
const QColor kRightColour(255, 0, 0);
constexpr int kPaletteStatusHeight = 22;

QString Cell_Status(const CellPalette& palette)
{
    return Text::tr("Cell( L:%1 R:%2 )").arg(palette.l_cell).arg(palette.r_cell);
}

PaletteControls& Controls(Editor& editor) { return editor.State().windows.Get<PaletteControls>(); }

} // namespace

PaletteControls& Palette_Controls(Editor& editor) { return Controls(editor); }

FormChild* Palette_Window(Editor& editor) { return Controls(editor).window; }

void Open_Cell_Palette(Editor& editor, const CellImages& cells, const QString& path, bool written)
{
    Close_Cell_Palette(editor);
    ProgramState& state = editor.State();
    CellPalette& palette = state.palette;
    palette.cells = cells;
    palette.l_cell = 0;
    palette.r_cell = 1;
    palette.saved = 1;
    palette.written = written;
    palette.history = PaletteHistory{};
    palette.path = path;
    palette.exists = true;
    ++palette.version;

    PaletteControls& controls = Controls(editor);
    auto* window = new FormChild;
    // No sizing border and no close box: the window lives until the palette is replaced.
    window->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window->setWindowTitle(Path_Name_Part(path));
    editor.Client()->addSubWindow(window);
    controls.window = window;
    QWidget* content = window->Content();
    controls.picture = new winlib::WPictureBox(content);
    controls.picture->setGeometry(0, 0, kPaletteWidth, kPaletteHeight);
    controls.frame = new QGroupBox(content);
    const int frame_top = kPaletteHeight + 5;
    controls.l_preview = new winlib::WPictureBox(content);
    controls.l_preview->setGeometry(10, frame_top + 5, kCellSize, kCellSize);
    controls.r_preview = new winlib::WPictureBox(content);
    controls.r_preview->setGeometry(10 + kCellSize + 5, frame_top + 5, kCellSize, kCellSize);
    const int frame_width = controls.r_preview->geometry().right() + 1 + 5 - 5;
    const int frame_height = kCellSize + 10;
    controls.frame->setGeometry(5, frame_top, frame_width, frame_height);
    controls.frame->lower();
    controls.status = new winlib::WStatusBar(1, content);
    controls.status->setSizeGripEnabled(false);
    const int status_top = frame_top + frame_height + 5;
    controls.status->setGeometry(0, status_top, kPaletteWidth, kPaletteStatusHeight);
    window->Set_Content_Size(kPaletteWidth, status_top + kPaletteStatusHeight);
    window->move(std::max(0, editor.Client()->width() - window->width() - 10), 0);
    // Never out of reach: inside the client area however the frame is sized.
    winlib::Keep_Inside(window, window->parentWidget());

    // The palette window never closes by the user's hand.
    winlib::Bind(window, QStringLiteral("CloseEvent"),
                 [](QObject*, winlib::EventArgs& args) { args.allow = false; });
    auto* picture = controls.picture;
    for (const char* name : {"LeftButtonDownEvent", "RightButtonDownEvent"}) {
        const bool right = name[0] == 'R';
        winlib::Bind(picture, QString::fromLatin1(name), [&editor, right](QObject*, winlib::EventArgs& args) {
            Cell_Press(editor, right, args.x, args.y);
        });
    }
    for (const char* name : {"LeftButtonUpEvent", "RightButtonUpEvent"}) {
        const bool right = name[0] == 'R';
        winlib::Bind(picture, QString::fromLatin1(name), [&editor, right](QObject*, winlib::EventArgs& args) {
            Cell_Release(editor, right, args.x, args.y);
        });
    }
    // A double click changes the cell in the cell loading window.
    winlib::Bind(picture, QStringLiteral("LeftButtonDoubleEvent"), [&editor](QObject*, winlib::EventArgs& args) {
        const int cell = Cell_At(args.x, args.y);
        if (cell >= 0) Open_Load_Bitmap_Form(editor, cell);
    });
    // The window shows what is announced of the palette.
    QObject::connect(&editor.Hub(), &Changes::paletteChanged, window, [&editor] { Refresh_Cell_Palette(editor); });
    QObject::connect(&editor.Hub(), &Changes::languageChanged, window, [&editor] { Refresh_Cell_Palette(editor); });
    window->show();
    Refresh_Cell_Palette(editor);
    emit editor.Hub().paletteChanged(-1);
}

bool Close_Cell_Palette(Editor& editor)
{
    ProgramState& state = editor.State();
    PaletteControls& controls = Controls(editor);
    const bool existed = !controls.window.isNull();
    // No picture of this palette may land in the next one, nor its copy be offered later.
    Close_Load_Bitmap_Form(editor);
    if (FormChild* window = controls.window) {
        winlib::Unbind(window, QStringLiteral("CloseEvent"));
        // Forgotten first: what its going sets off (another window made active, which the edit
        // menu follows) must not find a palette window half destroyed.
        controls = PaletteControls{};
        delete window;
    }
    controls = PaletteControls{};
    state.palette.exists = false;
    state.palette.path.clear();
    state.palette.saved = 1;
    state.palette.l_cell = 0;
    state.palette.r_cell = 1;
    emit editor.Hub().paletteSavedChanged();
    return existed;
}

void Refresh_Cell_Palette(Editor& editor)
{
    ProgramState& state = editor.State();
    const CellPalette& palette = state.palette;
    PaletteControls& controls = Controls(editor);
    if (!controls.window) return;
    QImage image = Compose_Palette(palette.cells);
    controls.r_preview->Set_Image(palette.cells[palette.r_cell & 0x3f]);
    controls.l_preview->Set_Image(palette.cells[palette.l_cell & 0x3f]);
    Outline_Cell(image, palette.r_cell & 0x3f, kRightColour);
    Outline_Cell(image, palette.l_cell & 0x3f, kLeftColour);
    controls.picture->Set_Image(image);
    controls.status->Set_Text(0, Cell_Status(palette));
}

bool Load_Cell_Palette(Editor& editor, const QString& file)
{
    const QString path = Absolute_Path(file);
    const QImage image = Read_Bitmap(path);
    if (image.isNull()) {
        Show_Message(&editor.Main_Window(), QStringLiteral("ERROR(18)"),
                     Text::tr("ビットマップファイルの読み込みに失敗しました"), MB_OK, MB_ICON_STOP);
        return false;
    }
    if (!Settle_Unsaved_Palette(editor)) return false;
    Open_Cell_Palette(editor, Cut_Cells(image), path, true);
    return true;
}

void New_Cell_Palette(Editor& editor)
{
    if (!Settle_Unsaved_Palette(editor)) return;
    Open_Cell_Palette(editor, Blank_Cells(), QStringLiteral("新規セルパレット.bmp"), false);
}

void Open_Cell_Palette_Command(Editor& editor)
{
    winlib::FileDialogRequest request;
    request.title = Text::tr("Open Bitmap");
    request.filters = Bitmap_Filters();
    request.initial_file = editor.State().palette.path;
    request.directory = Palette_Directory(editor);
    request.preview = true;
    if (const std::optional<QString> path = winlib::Choose_File(&editor.Main_Window(), request))
        Load_Cell_Palette(editor, *path);
}

void Cell_Press(Editor& editor, bool right, int x, int y)
{
    ProgramState& state = editor.State();
    CellPalette& palette = state.palette;
    PaletteControls& controls = Controls(editor);
    const int cell = Cell_At(x, y);
    if (!controls.window || cell < 0) return;
    QImage image = controls.picture->Image();
    uint8_t& button_cell = right ? palette.r_cell : palette.l_cell;
    {
        // Paint the old cell back over its outline.
        QPainter painter(&image);
        const int old = button_cell & 0x3f;
        painter.drawImage(Cell_Rect(old).topLeft(), palette.cells[std::size_t(old)]);
    }
    button_cell = uint8_t(cell);
    Outline_Cell(image, cell, right ? kRightColour : kLeftColour);
    (right ? controls.r_preview : controls.l_preview)->Set_Image(palette.cells[std::size_t(cell)]);
    controls.picture->Set_Image(image);
    controls.status->Set_Text(0, Cell_Status(palette));
}

void Cell_Release(Editor& editor, bool right, int x, int y)
{
    const CellPalette& palette = editor.State().palette;
    const int b = Cell_At(x, y);
    if (!Controls(editor).window || b < 0) return;
    const int a = (right ? palette.r_cell : palette.l_cell) & 0x3f;
    Swap_Cells(editor, a, b, right);
}

void Swap_Cells(Editor& editor, int a, int b, bool right)
{
    ProgramState& state = editor.State();
    CellPalette& palette = state.palette;
    (right ? palette.r_cell : palette.l_cell) = uint8_t(b);
    if (a == b) return;
    std::swap(palette.cells[std::size_t(a)], palette.cells[std::size_t(b)]);
    ++palette.version;
    Swap_Cells_In_Maps(state.documents, a, b);
    palette.saved = 0;
    Changes& hub = editor.Hub();
    emit hub.paletteChanged(-1);
    emit hub.paletteSavedChanged();
    // Every open map keeps its look with the numbers swapped, and counts as modified.
    for (int s = 0; s < kMaxDocuments; ++s) {
        const edit_form& doc = state.documents[s];
        if (!doc.is_open()) continue;
        emit hub.cellsChanged(s, QRect(0, 0, doc.width(), doc.height()));
        emit hub.flagsChanged(s);
        emit hub.savedChanged(s);
    }
}

} // namespace zol
