#include "ui/frame/zol.h"

#include "ui/windows/cell_palette_window.h"
#include "ui/windows/map_view.h"
#include "core/map/file_path.h"
#include "ui/windows/lists.h"
#include "ui/windows/map_viewer.h"
#include "ui/dialogs/zoom.h"
#include "ui/dialogs/map_size_dialog.h"
#include "ui/dialogs/edit_settings.h"
#include "ui/windows/toolbar.h"
#include "ui/tools/tools.h"
#include "ui/dialogs/palette_colours_dialog.h"
#include "ui/tools/undo_command.h"
#include "ui/dialogs/save_question.h"
#include "core/messages/show_message.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTimer>
#include <QWindow>

#include <utility>

namespace zol {

namespace {

struct MenuEntry {
    int id; // 0: a separator
    QStringList path;
    QKeySequence shortcut = {};
};

// The menu, in order.
const std::vector<MenuEntry>& Menu_Table()
{
    static const QString file = QStringLiteral("ファイル(&F)");
    static const QString view = QStringLiteral("ビュー(&S)");
    static const QString edit = QStringLiteral("編集(&E)");
    static const QString tool = QStringLiteral("ツール(&T)");
    static const QString settings = QStringLiteral("設定(&S)");
    static const QString copy = QStringLiteral("コピー(&C)");
    static const QString rect = QStringLiteral("長方形(&R)");
    static const QString pattern = QStringLiteral("パターン(&P)");
    static const QString rate = QStringLiteral("塗りつぶし率(&P)");
    static const std::vector<MenuEntry> table = {
        {ID_NEW_MAP, {file, QStringLiteral("マップデータの新規作成(&N)")}, QKeySequence::New},
        {ID_OPEN_MAP, {file, QStringLiteral("マップデータを開く(&O)")}, QKeySequence::Open},
        {0, {file}},
        {ID_SAVE_MAP, {file, QStringLiteral("マップデータを上書き保存(&S)")}, QKeySequence::Save},
        {ID_SAVE_MAP_AS, {file, QStringLiteral("名前を付けてマップデータを保存(&A)")},
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {0, {file}},
        {ID_NEW_PALETTE, {file, QStringLiteral("セルパレットの新規作成")}},
        {ID_OPEN_PALETTE, {file, QStringLiteral("セルパレットを開く")}},
        {0, {file}},
        {ID_SAVE_PALETTE, {file, QStringLiteral("セルパレットを上書き保存")}},
        {ID_SAVE_PALETTE_AS, {file, QStringLiteral("名前を付けてセルパレットを保存")}},
        {0, {file}},
        {ID_EXPORT, {file, QStringLiteral("エクスポート…")}},
        {ID_IMPORT, {file, QStringLiteral("インポート…")}},
        {0, {file}},
        {ID_EXIT, {file, QStringLiteral("終了(&E)")}, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {ID_EVENT_LIST, {view, QStringLiteral("イベント一覧(&E)")}},
        {ID_FLAG_LIST, {view, QStringLiteral("フラグ一覧(&F)")}},
        {ID_LINK_LIST, {view, QStringLiteral("リンク一覧(&L)")}},
        {ID_WHOLE_MAP, {view, QStringLiteral("全体表示(&V)")}},
        {ID_TOOLBAR, {view, QStringLiteral("ツールバー(&T)")}},
        {ID_UNDO, {edit, QStringLiteral("元に戻す(&U)")}, QKeySequence::Undo},
        {0, {edit}},
        {ID_CUT, {edit, QStringLiteral("切り取り(&T)")}, QKeySequence::Cut},
        {ID_COPY, {edit, copy, QStringLiteral("背景を設定をしない(&N)")}, QKeySequence::Copy},
        {ID_COPY_BACKGROUND, {edit, copy, QStringLiteral("背景を設定する(&B)")}},
        {ID_PASTE, {edit, QStringLiteral("貼り付け(&P)")}, QKeySequence::Paste},
        {ID_PEN, {tool, QStringLiteral("ペン(&P)")}},
        {ID_RECT_FILL, {tool, rect, QStringLiteral("塗りつぶす(&P)")}},
        {ID_RECT_EDGES, {tool, rect, QStringLiteral("辺のみ(&R)")}},
        {ID_FLOOD_FILL, {tool, QStringLiteral("塗りつぶし(&P)")}},
        {ID_PATTERN_RECT, {tool, pattern, QStringLiteral("長方形(&R)")}},
        {ID_PATTERN_FILL, {tool, pattern, QStringLiteral("塗りつぶし(&P)")}},
        {ID_MAP_SIZE, {settings, QStringLiteral("マップサイズ(&S)")}},
        {ID_ZOOM, {settings, QStringLiteral("倍率設定(&Z)")}},
        {ID_PALETTE_COLOURS, {settings, QStringLiteral("パレット色(&C)")}},
        {ID_FILL_RATE_ON, {settings, rate, QStringLiteral("設定する(&Y)")}},
        {ID_FILL_RATE_OFF, {settings, rate, QStringLiteral("設定しない(&N)")}},
    };
    return table;
}

} // namespace

QFont Ui_Font()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS PGothic"), QStringLiteral("ＭＳ Ｐゴシック"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")});
    font.setPointSize(9);
    return font;
}

Zol::Zol(QWidget* parent) : winlib::Zol_Base(parent)
{
    quit = [](int status) { QCoreApplication::exit(status); };
    setFont(Ui_Font());
    setWindowTitle(QStringLiteral("Zol"));
    setWindowIcon(QIcon(QStringLiteral(":/zol/icon.png")));
    status_ = new winlib::WStatusBar(2, this);
    setStatusBar(status_);
    state_.clock.start();
    Build_Menu();
    Bind_Commands();
    winlib::Bind(this, QStringLiteral("CloseEvent"),
                 [this](QObject*, winlib::EventArgs& args) { Close_Prompt(args); });
    winlib::Bind(this, QStringLiteral("DropFilesEvent"),
                 [this](QObject*, winlib::EventArgs& args) { Open_Files(args.files); });
    Update_File_Menu(*this);
    Menu_Item(ID_TOOLBAR)->setCheckable(true);
    Build_Toolbar(*this);
    Select_Tool(*this, kPen);
    Set_Undo_Enabled(*this, false);
    Set_Paste_Enabled(*this, false);
    Update_Fill_Rate_Menu(*this);
    // The undo command follows the window it would act on.
    connect(Client(), &QMdiArea::subWindowActivated, this, [this] {
        if (!ending_) Update_Undo_Command(*this);
    });
}

Zol::~Zol()
{
    // Windows go before the state they point into.
    ending_ = true;
    Write_Settings();
    Finish_Recovery(*this);
    state_.event_link.Close();
    // The view and the lists go while the state their handlers reach is whole.
    delete state_.viewer.window.data();
    for (ListControls& list : state_.lists) delete list.window.data();
    if (windowHandle()) windowHandle()->removeEventFilter(this);
    winlib::Unbind(this, QStringLiteral("CloseEvent"));
    winlib::Unbind(this, QStringLiteral("DropFilesEvent"));
    for (int s = 0; s < kMaxDocuments; ++s) Close_Map(*this, s);
    Close_Cell_Palette(*this);
}

void Zol::Build_Menu()
{
    for (const MenuEntry& entry : Menu_Table()) {
        if (entry.id == 0) Add_Menu_Separator(entry.path);
        else Add_Menu_Item(entry.path, entry.id)->setShortcut(entry.shortcut);
    }
}

void Zol::Bind_Commands()
{
    Bind_Command(ID_NEW_MAP, [this] { New_Map(*this); });
    Bind_Command(ID_OPEN_MAP, [this] { Open_Map_Command(*this); });
    Bind_Command(ID_SAVE_MAP, [this] { Save_Command(*this); });
    Bind_Command(ID_SAVE_MAP_AS, [this] { Save_As_Command(*this); });
    Bind_Command(ID_NEW_PALETTE, [this] { New_Cell_Palette(*this); });
    Bind_Command(ID_OPEN_PALETTE, [this] { Open_Cell_Palette_Command(*this); });
    Bind_Command(ID_SAVE_PALETTE, [this] { Save_Cell_Palette(*this); });
    Bind_Command(ID_SAVE_PALETTE_AS, [this] { Save_Cell_Palette_As(*this); });
    Bind_Command(ID_EXPORT, [this] { Export_Command(*this); });
    Bind_Command(ID_IMPORT, [this] { Import_Command(*this); });
    Bind_Command(ID_EXIT, [this] { Exit_Command(*this); });
    Bind_Command(ID_UNDO, [this] { Undo_Command(*this); });
    Bind_Command(ID_TOOLBAR, [this] { Toolbar_Command(*this); });
    Bind_Command(ID_WHOLE_MAP, [this] { Viewer_Command(*this); });
    Bind_Command(ID_EVENT_LIST, [this] { List_Command(*this, ListKind::Events); });
    Bind_Command(ID_FLAG_LIST, [this] { List_Command(*this, ListKind::Flags); });
    Bind_Command(ID_LINK_LIST, [this] { List_Command(*this, ListKind::Links); });
    Bind_Command(ID_MAP_SIZE, [this] { Map_Size_Command(*this); });
    Bind_Command(ID_ZOOM, [this] { Open_Zoom_Dialog(*this); });
    Bind_Command(ID_PALETTE_COLOURS, [this] { Open_Palette_Colour_Dialog(*this); });
    Bind_Command(ID_FILL_RATE_ON, [this] { Fill_Rate_Command(*this, true); });
    Bind_Command(ID_FILL_RATE_OFF, [this] { Fill_Rate_Command(*this, false); });
    for (int tool = 0; tool < kToolCount; ++tool)
        Bind_Command(Tool_Command_Id(tool), [this, tool] { Tool_Command(*this, tool); });
}

FormChild* Zol::Map_Window(int slot) const
{
    if (slot < 0 || slot >= kMaxDocuments) return nullptr;
    return static_cast<FormChild*>(state_.documents[slot].window.data());
}

int Zol::Active_Map(bool single_fallback) const
{
    const QMdiSubWindow* active = Client()->activeSubWindow();
    int only = -1, windows = 0;
    for (int s = 0; s < kMaxDocuments; ++s) {
        const FormChild* window = Map_Window(s);
        if (!window) continue;
        if (window == active) return s;
        ++windows;
        only = s;
    }
    return (single_fallback && windows == 1) ? only : -1;
}

void Zol::Activate_Top_Map()
{
    if (ending_) return;
    const QList<QMdiSubWindow*> windows = Client()->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (state_.documents.Slot_Of_Window(*it) < 0) continue;
        Client()->setActiveSubWindow(*it);
        return;
    }
}

void Zol::Use_Config(const QString& path)
{
    state_.config_path = path;
    const Settings settings = Read_Config(path);
    state_.fill_rate.on = settings.fill_rate_on;
    state_.palette_colours = settings.colours;
    Update_Fill_Rate_Menu(*this);
}

void Zol::Write_Settings()
{
    if (state_.config_path.isEmpty()) return;
    Settings settings;
    settings.fill_rate_on = state_.fill_rate.on;
    settings.colours = state_.palette_colours;
    // The window is going; a failure is only told on the terminal.
    if (!Write_Config(state_.config_path, settings))
        qWarning("zol: cannot write %s", qUtf8Printable(state_.config_path));
}

QString Zol::Start_Directory() const
{
    return state_.map_directory.isEmpty() ? QDir::currentPath() : state_.map_directory;
}

void Zol::Open_Files(const QStringList& files)
{
    for (const QString& file : files) {
        const int slot = state_.documents.First_Slot_Without_Window();
        if (slot >= kMaxDocuments) {
            Show_Message(this, QStringLiteral("そう欲張るなって"),
                         QStringLiteral("これ以上ファイルを開くことは出来ません"), MB_OK,
                         MB_ICON_EXCLAMATION);
            break;
        }
        const QString ext = Path_Extension(file);
        if (ext == QLatin1String(".zol")) {
            Open_Map(*this, slot, file);
        } else if (ext == QLatin1String(".bmp")) {
            Load_Cell_Palette(*this, file);
        } else {
            Show_Message(this, QStringLiteral("ほよ？"),
                         Path_Name_Part(file) + QStringLiteral("はZolのファイルではありません"),
                         MB_OK, MB_ICON_EXCLAMATION);
        }
    }
    Update_File_Menu(*this);
}

void Zol::Open_When_Shown(const QStringList& files)
{
    if (files.isEmpty()) return;
    pending_files_ += files;
    if (windowHandle() && windowHandle()->isExposed()) {
        QTimer::singleShot(0, this, [this] { Open_Files(std::exchange(pending_files_, {})); });
        return;
    }
    // The window manager gives the frame its final size before it first appears on screen.
    winId();
    windowHandle()->installEventFilter(this);
}

bool Zol::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed() &&
        !pending_files_.isEmpty()) {
        windowHandle()->removeEventFilter(this);
        // After the exposure has been handled, so the frame is laid out at that size.
        QTimer::singleShot(0, this, [this] { Open_Files(std::exchange(pending_files_, {})); });
    }
    return winlib::Zol_Base::eventFilter(watched, event);
}

void Zol::Close_Prompt(winlib::EventArgs& args)
{
    if (ending_) return;
    for (int s = 0; s < kMaxDocuments; ++s) {
        if (Settle_Map(*this, s, SaveQuestion::FrameClose) == SaveOutcome::Cancelled) {
            args.allow = false;
            return;
        }
    }
    if (Settle_Palette(*this, SaveQuestion::FrameClose) == SaveOutcome::Cancelled) {
        args.allow = false;
        return;
    }
    ending_ = true;
}

} // namespace zol
