#include "ui/dialogs/load_bitmap_form.h"
#include "core/messages/texts.h"

#include "core/editing/cell_picture.h"
#include "core/editing/replace_cell.h"
#include "core/map/file_path.h"
#include "core/messages/show_message.h"
#include "ui/dialogs/cell_editer.h"

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QScrollArea>
#include <QVBoxLayout>

namespace zol {

namespace {

constexpr int kMapListWidth = 170;
constexpr int kFlagListWidth = 100;

// The slot of the map list's entry, or -1 when that map's window has gone.
int Entry_Slot(Editor& editor, int entry)
{
    const LoaderControls& loader = Loader(editor);
    if (entry < 0 || entry >= int(loader.entry_windows.size())) return -1;
    const QPointer<FormChild>& window = loader.entry_windows[std::size_t(entry)];
    if (!window) return -1;
    for (int s = 0; s < kMaxDocuments; ++s)
        if (editor.Map_Window(s) == window) return s;
    return -1;
}

// The flag list shows the chosen map's flag for the cell (its low two bits, as drawn).
void Show_Entry_Flag(Editor& editor)
{
    LoaderControls& loader = Loader(editor);
    const int slot = Entry_Slot(editor, loader.maps->currentIndex());
    if (slot < 0) return;
    const edit_form& doc = editor.Documents()[slot];
    const int flag = doc.flags.size() == std::size_t(kCellCount) ? doc.flags[std::size_t(loader.cell)] & 3 : 0;
    loader.flag->setCurrentIndex(flag);
}

void Show_Picture(Editor& editor)
{
    LoaderControls& loader = Loader(editor);
    if (loader.window.Get()) loader.preview->Set_Image(loader.picture);
}

// The block frame for a pointer over the bitmap, kept to the image; returns its corner.
QPoint Show_Block_Frame(Editor& editor, int x, int y)
{
    LoaderControls& loader = Loader(editor);
    const QSize size = loader.bitmap.size();
    const QPoint pointer(std::clamp(x, 0, std::max(0, size.width() - 1)), std::clamp(y, 0, std::max(0, size.height() - 1)));
    const QPoint corner = Block_Corner(pointer, size);
    loader.bitmap_picture->Set_Overlay(QRect(corner, QSize(kCellSize, kCellSize)), Qt::black, Qt::SolidLine);
    loader.bitmap_status->Set_Text(0, Text::tr("( %1, %2 )").arg(corner.x()).arg(corner.y()));
    return corner;
}

void Close_Bitmap_Window(Editor& editor)
{
    LoaderControls& loader = Loader(editor);
    loader.bitmap_window.Close();
    loader.bitmap = QImage();
    loader.bitmap_picture = nullptr;
    loader.bitmap_status = nullptr;
}

// Where the bitmap window opens: (10, 10) of the frame's client area.
QPoint Bitmap_Window_Corner(Editor& editor)
{
    return editor.Main_Window().mapToGlobal(editor.Client()->geometry().topLeft()) + QPoint(10, 10);
}

void Open_Bitmap_Window(Editor& editor, const QImage& image)
{
    LoaderControls& loader = Loader(editor);
    loader.bitmap = image;
    // Opened at (10, 10) of the frame, not at the pointer.
    winlib::WDialog* window = loader.bitmap_window.Open(&editor.Main_Window(), [&editor, &loader] {
        auto* window = new winlib::WDialog(&editor.Main_Window(), Text::tr("ロードするビットマップ"));
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
        QSize room = editor.Client()->size() - QSize(60, 110);
        // Ends short of the cell loading window when that leaves a useful width, so that its
        // buttons stay in reach.
        if (QWidget* form = loader.window.Get()) {
            const int left = form->frameGeometry().left() - Bitmap_Window_Corner(editor).x() - 30;
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
        winlib::Widen_For_Title(window);
        winlib::Bind(loader.bitmap_picture, QStringLiteral("MouseMoveEvent"),
                     [&editor](QObject*, winlib::EventArgs& args) { Show_Block_Frame(editor, args.x, args.y); });
        for (const char* name : {"LeftButtonDownEvent", "RightButtonDownEvent"})
            winlib::Bind(loader.bitmap_picture, QString::fromLatin1(name),
                         [&editor](QObject*, winlib::EventArgs& args) { Pick_Block(editor, args.x, args.y); });
        winlib::Bind(window, QStringLiteral("CloseEvent"), [&loader](QObject*, winlib::EventArgs&) {
            loader.bitmap = QImage();
            loader.bitmap_picture = nullptr;
            loader.bitmap_status = nullptr;
        });
        return window;
    });
    window->move(Bitmap_Window_Corner(editor));
}

} // namespace

LoaderControls& Loader(Editor& editor) { return editor.State().windows.Get<LoaderControls>(); }

void Open_Load_Bitmap_Form(Editor& editor, int n)
{
    Close_Load_Bitmap_Form(editor);
    ProgramState& state = editor.State();
    LoaderControls& loader = Loader(editor);
    loader.cell = n & 0x3f;
    const QImage& cell = state.palette.cells[std::size_t(loader.cell)];
    loader.picture = cell.isNull() ? Blank_Cell() : To_Cell_Format(cell).copy();
    loader.entry_windows.clear();

    loader.window.Open(&editor.Main_Window(), [&editor, &loader] {
        auto* window = new winlib::WDialog(&editor.Main_Window(), Text::tr("No.%1").arg(loader.cell));
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(5, 5, 5, 5);
        layout->setSpacing(5);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        auto* top = new QHBoxLayout;
        top->addWidget(new QLabel(Text::tr("参照するマップデータ"), window));
        loader.maps = new winlib::WComboBox(window);
        loader.maps->setFixedWidth(kMapListWidth);
        loader.maps->setMaxVisibleItems(kMaxDocuments);
        for (int s = 0; s < kMaxDocuments; ++s) {
            if (FormChild* map = editor.Map_Window(s)) {
                loader.maps->addItem(Path_File_Name(editor.Documents()[s].file_path));
                loader.entry_windows.push_back(map);
            }
        }
        top->addWidget(loader.maps);
        top->addStretch();
        layout->addLayout(top);
        loader.edited_too = new winlib::WCheckBox(Text::tr("編集済みの部分も変更する。"), window);
        loader.edited_too->setChecked(true);
        layout->addWidget(loader.edited_too);
        loader.preview = new winlib::WPictureBox(window);
        loader.preview->setFixedSize(kCellSize, kCellSize);
        loader.preview->setToolTip(Text::tr("ダブルクリックでセルの編集"));
        layout->addWidget(loader.preview);
        loader.flag = new winlib::WComboBox(window);
        loader.flag->setFixedWidth(kFlagListWidth);
        for (int f = 0; f < 4; ++f) loader.flag->addItem(Text::tr("Flag :%1").arg(f));
        loader.flag->setCurrentIndex(0);
        layout->addWidget(loader.flag, 0, Qt::AlignLeft);
        auto* buttons = new QHBoxLayout;
        auto* load = new winlib::WButton(Text::tr("ビットマップファイルの読み込み"), window);
        auto* cancel = new winlib::WButton(Text::tr("CANCEL"), window);
        auto* ok = new winlib::WButton(Text::tr("  OK  "), window);
        buttons->addWidget(load);
        buttons->addWidget(cancel);
        buttons->addWidget(ok);
        layout->addLayout(buttons);

        winlib::Bind(loader.maps, QStringLiteral("SelectEvent"), [&editor](QObject*, winlib::EventArgs&) { Show_Entry_Flag(editor); });
        winlib::Bind(loader.preview, QStringLiteral("LeftButtonDoubleEvent"),
                     [&editor](QObject*, winlib::EventArgs&) { Open_Cell_Editer(editor); });
        winlib::Bind(load, QStringLiteral("ClickEvent"), [&editor](QObject*, winlib::EventArgs&) { Load_Bitmap_File(editor); });
        winlib::Bind(ok, QStringLiteral("ClickEvent"), [&editor](QObject*, winlib::EventArgs&) { Loader_OK(editor); });
        winlib::Bind(cancel, QStringLiteral("ClickEvent"), [&editor](QObject*, winlib::EventArgs&) { Close_Load_Bitmap_Form(editor); });
        // The close box: the bitmap window and the cell editor go with it.
        winlib::Bind(window, QStringLiteral("CloseEvent"), [&editor](QObject*, winlib::EventArgs&) { Close_Load_Bitmap_Form(editor); });
        return window;
    }, QPoint(-250, -100));
    Show_Picture(editor);
    if (!loader.entry_windows.empty()) {
        loader.maps->setCurrentIndex(0);
        Show_Entry_Flag(editor);
    }
}

void Close_Load_Bitmap_Form(Editor& editor)
{
    LoaderControls& loader = Loader(editor);
    Close_Cell_Editer(editor);
    Close_Bitmap_Window(editor);
    loader.window.Close();
    loader.cell = 0;
    loader.picture = QImage();
    loader.entry_windows.clear();
    loader.maps = nullptr;
    loader.edited_too = nullptr;
    loader.preview = nullptr;
    loader.flag = nullptr;
}

void Select_Loader_Map(Editor& editor, int slot)
{
    LoaderControls& loader = Loader(editor);
    if (!loader.window.Get()) return;
    for (int entry = 0; entry < int(loader.entry_windows.size()); ++entry) {
        if (Entry_Slot(editor, entry) == slot) {
            loader.maps->setCurrentIndex(entry);
            Show_Entry_Flag(editor);
            return;
        }
    }
}

void Load_Bitmap_File(Editor& editor)
{
    winlib::FileDialogRequest request;
    request.title = Text::tr("ビットマップを開く");
    request.filters = {Text::tr("ビットマップファイル"), QStringLiteral("*.bmp"),
                       Text::tr("すべてのファイル"), QStringLiteral("*.*")};
    request.directory = editor.Start_Directory();
    const std::optional<QString> path = winlib::Choose_File(&editor.Main_Window(), request);
    if (!path) return;
    Close_Bitmap_Window(editor);
    // Any depth, converted once; a header claiming a giant image is refused by the reader
    // before anything is allocated.
    const QImage image = To_Cell_Format(Read_Bitmap(*path));
    if (image.isNull()) {
        Show_Message(&editor.Main_Window(), Text::tr("ぐぇっ"), Text::tr("ビットマップファイルのロードに失敗しました。"),
                     MB_OK, MB_ICON_STOP);
        return;
    }
    Open_Bitmap_Window(editor, image);
}

void Pick_Block(Editor& editor, int x, int y)
{
    LoaderControls& loader = Loader(editor);
    if (!loader.bitmap_window.Get() || loader.bitmap.isNull()) return;
    const QPoint corner = Show_Block_Frame(editor, x, y);
    if (!loader.window.Get()) return;
    loader.picture = Copy_Block(loader.bitmap, corner);
    Show_Picture(editor);
}

void Loader_OK(Editor& editor)
{
    ProgramState& state = editor.State();
    LoaderControls& loader = Loader(editor);
    if (!loader.window.Get()) return;
    const int n = loader.cell;
    const int flag = loader.flag->currentIndex() & 3;
    Replace_Cell_Picture(state.palette, n, loader.picture);
    // Checked: every listed map; cleared: the entries from the first through the chosen one.
    const int last = loader.edited_too->isChecked() ? int(loader.entry_windows.size()) - 1 : loader.maps->currentIndex();
    std::vector<int> changed;
    for (int entry = 0; entry <= last; ++entry) {
        const int slot = Entry_Slot(editor, entry);
        if (slot >= 0 && Set_Cell_Flag(state.documents[slot], n, flag)) changed.push_back(slot);
    }
    Close_Load_Bitmap_Form(editor);
    emit editor.Hub().historyChanged(true);
    emit editor.Hub().paletteChanged(n);
    emit editor.Hub().paletteSavedChanged();
    for (int slot : changed) {
        emit editor.Hub().flagsChanged(slot);
        emit editor.Hub().savedChanged(slot);
    }
}

} // namespace zol
