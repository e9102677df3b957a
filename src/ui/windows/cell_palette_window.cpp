#include "ui/windows/cell_palette_window.h"

#include "ui/windows/lists.h"
#include "ui/windows/map_view.h"
#include "ui/windows/map_viewer.h"
#include "core/map/file_path.h"
#include "ui/dialogs/save_question.h"
#include "core/messages/show_message.h"
#include "ui/frame/zol.h"
#include "ui/dialogs/load_bitmap_form.h"

#include <QPainter>

namespace zol {

namespace {

const QColor kLeftColour(0, 0, 255);
const QColor kRightColour(255, 0, 0);
constexpr int kPaletteStatusHeight = 22;

const QStringList& Bitmap_Filters()
{
    static const QStringList filters = {QStringLiteral("ビットマップファイル"), QStringLiteral("*.bmp"),
                                        QStringLiteral("すべてのファイル"), QStringLiteral("*.*")};
    return filters;
}

QString Cell_Status(const CellPalette& palette)
{
    return QStringLiteral("Cell( L:%1 R:%2 )").arg(palette.l_cell).arg(palette.r_cell);
}

// Every open map shows the palette's cells, and the file menu depends on whether one exists.
void Palette_Replaced(Zol& frame)
{
    Refresh_Cell_Palette(frame);
    Update_File_Menu(frame);
    Redraw_All_Maps(frame);
}

bool Write_Palette(Zol& frame, const QString& path)
{
    CellPalette& palette = frame.State().palette;
    if (!Write_Palette_Bitmap(path, palette.cells)) {
        Show_Message(&frame, QStringLiteral("あれ？"),
                     QStringLiteral("セルパレットの保存に失敗しました"), MB_OK, MB_ICON_STOP);
        return false;
    }
    palette.saved = 1;
    palette.written = true;
    Forget_Recovery(frame, -1);
    return true;
}

// The palette's own folder, else where the file dialogs start.
QString Palette_Directory(Zol& frame)
{
    const QString directory = Path_Directory(frame.State().palette.path);
    return directory.isEmpty() ? frame.Start_Directory() : directory;
}

} // namespace

void Open_Cell_Palette(Zol& frame, const CellImages& cells, const QString& path, bool written)
{
    Close_Cell_Palette(frame);
    ProgramState& state = frame.State();
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

    PaletteControls& controls = state.palette_window;
    auto* window = new FormChild;
    // No sizing border and no close box: the window lives until the palette is replaced.
    window->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window->setWindowTitle(Path_Name_Part(path));
    frame.Client()->addSubWindow(window);
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
    window->move(std::max(0, frame.Client()->width() - window->width() - 10), 0);

    // The palette window never closes by the user's hand.
    winlib::Bind(window, QStringLiteral("CloseEvent"),
                 [](QObject*, winlib::EventArgs& args) { args.allow = false; });
    auto* picture = controls.picture;
    for (const char* name : {"LeftButtonDownEvent", "RightButtonDownEvent"}) {
        const bool right = name[0] == 'R';
        winlib::Bind(picture, QString::fromLatin1(name), [&frame, right](QObject*, winlib::EventArgs& args) {
            Cell_Press(frame, right, args.x, args.y);
        });
    }
    for (const char* name : {"LeftButtonUpEvent", "RightButtonUpEvent"}) {
        const bool right = name[0] == 'R';
        winlib::Bind(picture, QString::fromLatin1(name), [&frame, right](QObject*, winlib::EventArgs& args) {
            Cell_Release(frame, right, args.x, args.y);
        });
    }
    // A double click changes the cell in the cell loading window.
    winlib::Bind(picture, QStringLiteral("LeftButtonDoubleEvent"), [&frame](QObject*, winlib::EventArgs& args) {
        const int cell = Cell_At(args.x, args.y);
        if (cell >= 0) Open_Load_Bitmap_Form(frame, cell);
    });
    window->show();
    Refresh_Cell_Palette(frame);
}

bool Close_Cell_Palette(Zol& frame)
{
    ProgramState& state = frame.State();
    PaletteControls& controls = state.palette_window;
    const bool existed = !controls.window.isNull();
    // No picture of this palette may land in the next one, nor its copy be offered later.
    Close_Load_Bitmap_Form(frame);
    Forget_Recovery(frame, -1);
    if (controls.window) {
        winlib::Unbind(controls.window, QStringLiteral("CloseEvent"));
        delete controls.window.data();
    }
    controls = PaletteControls{};
    state.palette.exists = false;
    state.palette.path.clear();
    state.palette.saved = 1;
    state.palette.l_cell = 0;
    state.palette.r_cell = 1;
    return existed;
}

void Refresh_Cell_Palette(Zol& frame)
{
    ProgramState& state = frame.State();
    const CellPalette& palette = state.palette;
    PaletteControls& controls = state.palette_window;
    if (!controls.window) return;
    QImage image = Compose_Palette(palette.cells);
    controls.r_preview->Set_Image(palette.cells[palette.r_cell & 0x3f]);
    controls.l_preview->Set_Image(palette.cells[palette.l_cell & 0x3f]);
    Outline_Cell(image, palette.r_cell & 0x3f, kRightColour);
    Outline_Cell(image, palette.l_cell & 0x3f, kLeftColour);
    controls.picture->Set_Image(image);
    controls.status->Set_Text(0, Cell_Status(palette));
}

bool Settle_Unsaved_Palette(Zol& frame)
{
    return Settle_Palette(frame, SaveQuestion::Replace) != SaveOutcome::Cancelled;
}

bool Load_Cell_Palette(Zol& frame, const QString& file)
{
    const QString path = Absolute_Path(file);
    const QImage image = Read_Bitmap(path);
    if (image.isNull()) {
        Show_Message(&frame, QStringLiteral("ERROR(18)"),
                     QStringLiteral("ビットマップファイルの読み込みに失敗しました"), MB_OK, MB_ICON_STOP);
        return false;
    }
    if (!Settle_Unsaved_Palette(frame)) return false;
    Open_Cell_Palette(frame, Cut_Cells(image), path, true);
    Palette_Replaced(frame);
    return true;
}

void New_Cell_Palette(Zol& frame)
{
    if (!Settle_Unsaved_Palette(frame)) return;
    Open_Cell_Palette(frame, Blank_Cells(), QStringLiteral("新規セルパレット.bmp"), false);
    Palette_Replaced(frame);
}

void Open_Cell_Palette_Command(Zol& frame)
{
    winlib::FileDialogRequest request;
    request.title = QStringLiteral("Open Bitmap");
    request.filters = Bitmap_Filters();
    request.initial_file = frame.State().palette.path;
    request.directory = Palette_Directory(frame);
    request.preview = true;
    if (const std::optional<QString> path = winlib::Choose_File(&frame, request))
        Load_Cell_Palette(frame, *path);
}

bool Save_Cell_Palette(Zol& frame)
{
    if (!frame.State().palette.exists) return false;
    return Write_Palette(frame, frame.State().palette.path);
}

bool Save_Cell_Palette_As(Zol& frame)
{
    CellPalette& palette = frame.State().palette;
    if (!palette.exists) return false;
    winlib::FileDialogRequest request;
    request.save = true;
    request.title = QStringLiteral("セルパレットの保存");
    request.button_text = QStringLiteral("保存");
    request.filters = Bitmap_Filters();
    request.initial_file = Path_File_Name(palette.path);
    request.directory = Palette_Directory(frame);
    const std::optional<QString> chosen = winlib::Choose_File(&frame, request);
    if (!chosen) return false;
    const QString target = Path_With_Extension(Absolute_Path(*chosen), QStringLiteral(".bmp"));
    if (!Write_Palette(frame, target)) return false;
    palette.path = target;
    return true;
}

void Cell_Press(Zol& frame, bool right, int x, int y)
{
    ProgramState& state = frame.State();
    CellPalette& palette = state.palette;
    PaletteControls& controls = state.palette_window;
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

void Cell_Release(Zol& frame, bool right, int x, int y)
{
    const CellPalette& palette = frame.State().palette;
    const int b = Cell_At(x, y);
    if (!frame.State().palette_window.window || b < 0) return;
    const int a = (right ? palette.r_cell : palette.l_cell) & 0x3f;
    Swap_Cells(frame, a, b, right);
}

void Swap_Cells(Zol& frame, int a, int b, bool right)
{
    ProgramState& state = frame.State();
    CellPalette& palette = state.palette;
    (right ? palette.r_cell : palette.l_cell) = uint8_t(b);
    if (a == b) return;
    std::swap(palette.cells[std::size_t(a)], palette.cells[std::size_t(b)]);
    ++palette.version;
    Refresh_Cell_Palette(frame);
    Swap_Cells_In_Maps(state.documents, a, b);
    Redraw_All_Maps(frame);
    Draw_Whole_Map(frame); // its colours follow the cell numbers
    for (int s = 0; s < kMaxDocuments; ++s) Refresh_Lists_Of(frame, s);
    palette.saved = 0;
}

} // namespace zol
