#include "ui/dialogs/load_bitmap_form.h"

#include "ui/windows/cell_palette_window.h"
#include "ui/windows/lists.h"
#include "ui/windows/map_view.h"
#include "ui/windows/map_viewer.h"
#include "core/map/file_path.h"
#include "ui/windows/toolbar.h"
#include "core/messages/show_message.h"
#include "ui/frame/zol.h"
#include "ui/dialogs/cell_editer.h"
#include "core/editing/cell_picture.h"
#include "core/editing/replace_cell.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace zol {

namespace {

constexpr int kMapListWidth = 170;
constexpr int kFlagListWidth = 100;

// The slot of the map list's entry, or -1 when that map's window has gone.
int Entry_Slot(Zol& frame, int entry)
{
    const LoaderControls& loader = frame.State().loader;
    if (entry < 0 || entry >= int(loader.entry_windows.size())) return -1;
    const QPointer<FormChild>& window = loader.entry_windows[std::size_t(entry)];
    if (!window) return -1;
    for (int s = 0; s < kMaxDocuments; ++s)
        if (frame.Map_Window(s) == window) return s;
    return -1;
}

// The flag list shows the chosen map's flag for the cell (its low two bits, as drawn).
void Show_Entry_Flag(Zol& frame)
{
    LoaderControls& loader = frame.State().loader;
    const int slot = Entry_Slot(frame, loader.maps->currentIndex());
    if (slot < 0) return;
    const edit_form& doc = frame.Documents()[slot];
    const int flag = doc.flags.size() == std::size_t(kCellCount) ? doc.flags[std::size_t(loader.cell)] & 3 : 0;
    loader.flag->setCurrentIndex(flag);
}

void Show_Picture(Zol& frame)
{
    LoaderControls& loader = frame.State().loader;
    if (loader.window.Get()) loader.preview->Set_Image(loader.picture);
}

// The block frame for a pointer over the bitmap, kept to the image; returns its corner.
QPoint Show_Block_Frame(Zol& frame, int x, int y)
{
    LoaderControls& loader = frame.State().loader;
    const QSize size = loader.bitmap.size();
    const QPoint pointer(std::clamp(x, 0, std::max(0, size.width() - 1)), std::clamp(y, 0, std::max(0, size.height() - 1)));
    const QPoint corner = Block_Corner(pointer, size);
    loader.bitmap_picture->Set_Overlay(QRect(corner, QSize(kCellSize, kCellSize)), Qt::black, Qt::SolidLine);
    loader.bitmap_status->Set_Text(0, QStringLiteral("( %1, %2 )").arg(corner.x()).arg(corner.y()));
    return corner;
}

void Close_Bitmap_Window(Zol& frame)
{
    LoaderControls& loader = frame.State().loader;
    loader.bitmap_window.Close();
    loader.bitmap = QImage();
    loader.bitmap_picture = nullptr;
    loader.bitmap_status = nullptr;
}

// Where the bitmap window opens: (10, 10) of the frame's client area.
QPoint Bitmap_Window_Corner(Zol& frame)
{
    return frame.mapToGlobal(frame.Client()->geometry().topLeft()) + QPoint(10, 10);
}

void Open_Bitmap_Window(Zol& frame, const QImage& image)
{
    LoaderControls& loader = frame.State().loader;
    loader.bitmap = image;
    // Opened at (10, 10) of the frame, not at the pointer.
    winlib::WDialog* window = loader.bitmap_window.Open(&frame, [&frame, &loader] {
        auto* window = new winlib::WDialog(&frame, QStringLiteral("ロードするビットマップ"));
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        loader.bitmap_picture = new winlib::WPictureBox;
        loader.bitmap_picture->setFixedSize(loader.bitmap.size());
        loader.bitmap_picture->Set_Image(loader.bitmap);
        // A bitmap larger than the frame scrolls, so that every part of it can be picked.
        auto* area = new QScrollArea(window);
        area->setFrameShape(QFrame::NoFrame);
        area->setWidget(loader.bitmap_picture);
        QSize room = frame.Client()->size() - QSize(60, 110);
        // Ends short of the cell loading window when that leaves a useful width, so that its
        // buttons stay in reach.
        if (QWidget* form = loader.window.Get()) {
            const int left = form->frameGeometry().left() - Bitmap_Window_Corner(frame).x() - 30;
            if (left >= 200) room.setWidth(std::min(room.width(), left));
        }
        const QSize shown = loader.bitmap.size().boundedTo(room.expandedTo(QSize(kCellSize, kCellSize)));
        const int bars = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        area->setFixedSize(shown.width() + (shown.height() < loader.bitmap.height() ? bars : 0) + 5,
                           shown.height() + (shown.width() < loader.bitmap.width() ? bars : 0));
        area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        layout->addWidget(area);
        loader.bitmap_status = new winlib::WStatusBar(1, window);
        loader.bitmap_status->setSizeGripEnabled(false);
        layout->addWidget(loader.bitmap_status);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        winlib::Bind(loader.bitmap_picture, QStringLiteral("MouseMoveEvent"),
                     [&frame](QObject*, winlib::EventArgs& args) { Show_Block_Frame(frame, args.x, args.y); });
        for (const char* name : {"LeftButtonDownEvent", "RightButtonDownEvent"})
            winlib::Bind(loader.bitmap_picture, QString::fromLatin1(name),
                         [&frame](QObject*, winlib::EventArgs& args) { Pick_Block(frame, args.x, args.y); });
        winlib::Bind(window, QStringLiteral("CloseEvent"), [&loader](QObject*, winlib::EventArgs&) {
            loader.bitmap = QImage();
            loader.bitmap_picture = nullptr;
            loader.bitmap_status = nullptr;
        });
        return window;
    });
    window->move(Bitmap_Window_Corner(frame));
}

} // namespace

void Open_Load_Bitmap_Form(Zol& frame, int n)
{
    Close_Load_Bitmap_Form(frame);
    ProgramState& state = frame.State();
    LoaderControls& loader = state.loader;
    loader.cell = n & 0x3f;
    const QImage& cell = state.palette.cells[std::size_t(loader.cell)];
    loader.picture = cell.isNull() ? Blank_Cell() : To_Cell_Format(cell).copy();
    loader.entry_windows.clear();

    loader.window.Open(&frame, [&frame, &loader] {
        auto* window = new winlib::WDialog(&frame, QStringLiteral("No.%1").arg(loader.cell));
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(5, 5, 5, 5);
        layout->setSpacing(5);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        auto* top = new QHBoxLayout;
        top->addWidget(new QLabel(QStringLiteral("参照するマップデータ"), window));
        loader.maps = new winlib::WComboBox(window);
        loader.maps->setFixedWidth(kMapListWidth);
        loader.maps->setMaxVisibleItems(kMaxDocuments);
        for (int s = 0; s < kMaxDocuments; ++s) {
            if (FormChild* map = frame.Map_Window(s)) {
                loader.maps->addItem(Path_File_Name(frame.Documents()[s].file_path));
                loader.entry_windows.push_back(map);
            }
        }
        top->addWidget(loader.maps);
        top->addStretch();
        layout->addLayout(top);
        loader.edited_too = new winlib::WCheckBox(QStringLiteral("編集済みの部分も変更する。"), window);
        loader.edited_too->setChecked(true);
        layout->addWidget(loader.edited_too);
        loader.preview = new winlib::WPictureBox(window);
        loader.preview->setFixedSize(kCellSize, kCellSize);
        loader.preview->setToolTip(QStringLiteral("ダブルクリックでセルの編集"));
        layout->addWidget(loader.preview);
        loader.flag = new winlib::WComboBox(window);
        loader.flag->setFixedWidth(kFlagListWidth);
        for (int f = 0; f < 4; ++f) loader.flag->addItem(QStringLiteral("Flag :%1").arg(f));
        loader.flag->setCurrentIndex(0);
        layout->addWidget(loader.flag, 0, Qt::AlignLeft);
        auto* buttons = new QHBoxLayout;
        auto* load = new winlib::WButton(QStringLiteral("ビットマップファイルの読み込み"), window);
        auto* cancel = new winlib::WButton(QStringLiteral("CANCEL"), window);
        auto* ok = new winlib::WButton(QStringLiteral("  OK  "), window);
        buttons->addWidget(load);
        buttons->addWidget(cancel);
        buttons->addWidget(ok);
        layout->addLayout(buttons);

        winlib::Bind(loader.maps, QStringLiteral("SelectEvent"), [&frame](QObject*, winlib::EventArgs&) { Show_Entry_Flag(frame); });
        winlib::Bind(loader.preview, QStringLiteral("LeftButtonDoubleEvent"),
                     [&frame](QObject*, winlib::EventArgs&) { Open_Cell_Editer(frame); });
        winlib::Bind(load, QStringLiteral("ClickEvent"), [&frame](QObject*, winlib::EventArgs&) { Load_Bitmap_File(frame); });
        winlib::Bind(ok, QStringLiteral("ClickEvent"), [&frame](QObject*, winlib::EventArgs&) { Loader_OK(frame); });
        winlib::Bind(cancel, QStringLiteral("ClickEvent"), [&frame](QObject*, winlib::EventArgs&) { Close_Load_Bitmap_Form(frame); });
        // The close box: the bitmap window and the cell editor go with it.
        winlib::Bind(window, QStringLiteral("CloseEvent"), [&frame](QObject*, winlib::EventArgs&) { Close_Load_Bitmap_Form(frame); });
        return window;
    }, QPoint(-250, -100));
    Show_Picture(frame);
    if (!loader.entry_windows.empty()) {
        loader.maps->setCurrentIndex(0);
        Show_Entry_Flag(frame);
    }
}

void Close_Load_Bitmap_Form(Zol& frame)
{
    LoaderControls& loader = frame.State().loader;
    Close_Cell_Editer(frame);
    Close_Bitmap_Window(frame);
    loader.window.Close();
    loader.cell = 0;
    loader.picture = QImage();
    loader.entry_windows.clear();
    loader.maps = nullptr;
    loader.edited_too = nullptr;
    loader.preview = nullptr;
    loader.flag = nullptr;
}

void Select_Loader_Map(Zol& frame, int slot)
{
    LoaderControls& loader = frame.State().loader;
    if (!loader.window.Get()) return;
    for (int entry = 0; entry < int(loader.entry_windows.size()); ++entry) {
        if (Entry_Slot(frame, entry) == slot) {
            loader.maps->setCurrentIndex(entry);
            Show_Entry_Flag(frame);
            return;
        }
    }
}

void Load_Bitmap_File(Zol& frame)
{
    winlib::FileDialogRequest request;
    request.title = QStringLiteral("ビットマップを開く");
    request.filters = {QStringLiteral("ビットマップファイル"), QStringLiteral("*.bmp"),
                       QStringLiteral("すべてのファイル"), QStringLiteral("*.*")};
    request.directory = frame.Start_Directory();
    const std::optional<QString> path = winlib::Choose_File(&frame, request);
    if (!path) return;
    Close_Bitmap_Window(frame);
    // Any depth, converted once; a header claiming a giant image is refused by the reader
    // before anything is allocated.
    const QImage image = To_Cell_Format(Read_Bitmap(*path));
    if (image.isNull()) {
        Show_Message(&frame, QStringLiteral("ぐぇっ"), QStringLiteral("ビットマップファイルのロードに失敗しました。"),
                     MB_OK, MB_ICON_STOP);
        return;
    }
    Open_Bitmap_Window(frame, image);
}

void Pick_Block(Zol& frame, int x, int y)
{
    LoaderControls& loader = frame.State().loader;
    if (!loader.bitmap_window.Get() || loader.bitmap.isNull()) return;
    const QPoint corner = Show_Block_Frame(frame, x, y);
    if (!loader.window.Get()) return;
    loader.picture = Copy_Block(loader.bitmap, corner);
    Show_Picture(frame);
}

void Loader_OK(Zol& frame)
{
    ProgramState& state = frame.State();
    LoaderControls& loader = state.loader;
    if (!loader.window.Get()) return;
    const int n = loader.cell;
    const int flag = loader.flag->currentIndex() & 3;
    Replace_Cell_Picture(state.palette, n, loader.picture);
    Set_Undo_Enabled(frame, true);
    // Checked: every listed map; cleared: the entries from the first through the chosen one.
    const int last = loader.edited_too->isChecked() ? int(loader.entry_windows.size()) - 1 : loader.maps->currentIndex();
    for (int entry = 0; entry <= last; ++entry) {
        const int slot = Entry_Slot(frame, entry);
        if (slot >= 0) Set_Cell_Flag(state.documents[slot], n, flag);
    }
    Close_Load_Bitmap_Form(frame);
    Redraw_All_Maps(frame);
    Draw_Whole_Map(frame);
    Fill_List(frame, ListKind::Flags);
    Refresh_Cell_Palette(frame);
}

} // namespace zol
