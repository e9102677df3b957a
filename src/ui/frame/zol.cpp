// The main frame: the command table (every menu item with its command), start and end, dropped
// files and the close prompt. The commands themselves are split by menu (file_menu.cpp,
// edit_menu.cpp, view_menu.cpp, tools_menu.cpp, settings_menu.cpp) or live with the windows
// and dialogs they open.

#include "ui/frame/zol.h"
#include "core/messages/texts.h"

#include "core/exchange/configuration.h"
#include "core/map/file_path.h"
#include "core/messages/show_message.h"
#include "ui/dialogs/event_link_dialog.h"
#include "ui/dialogs/map_size_dialog.h"
#include "ui/dialogs/palette_colours_dialog.h"
#include "ui/dialogs/saving.h"
#include "ui/dialogs/zoom.h"
#include "ui/tools/mouse_editing.h"
#include "ui/windows/cell_palette_window.h"
#include "ui/windows/lists.h"
#include "ui/windows/map_view.h"
#include "ui/windows/map_viewer.h"
#include "ui/windows/toolbar.h"

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
    std::vector<const char*> path; // source texts, translated where the menu is built
    QKeySequence shortcut = {};
    QKeySequence other_shortcut = {}; // a second key that does the same
};
constexpr int kSubmenu = -1; // an entry that is a menu of its own, filled by its command file

// The menu, in order.
const std::vector<MenuEntry>& Menu_Table()
{
    static const char* const file = QT_TRANSLATE_NOOP("Zol", "ファイル(&F)");
    static const char* const view = QT_TRANSLATE_NOOP("Zol", "ビュー(&S)");
    static const char* const edit = QT_TRANSLATE_NOOP("Zol", "編集(&E)");
    static const char* const tool = QT_TRANSLATE_NOOP("Zol", "ツール(&T)");
    static const char* const settings = QT_TRANSLATE_NOOP("Zol", "設定(&S)");
    static const char* const copy = QT_TRANSLATE_NOOP("Zol", "コピー(&C)");
    static const char* const rect = QT_TRANSLATE_NOOP("Zol", "長方形(&R)");
    static const char* const pattern = QT_TRANSLATE_NOOP("Zol", "パターン(&P)");
    static const char* const rate = QT_TRANSLATE_NOOP("Zol", "塗りつぶし率(&P)");
    static const char* const language = QT_TRANSLATE_NOOP("Zol", "言語(&L)");
    static const std::vector<MenuEntry> table = {
        {ID_NEW_MAP, {file, QT_TRANSLATE_NOOP("Zol", "マップデータの新規作成(&N)")}, QKeySequence::New},
        {ID_OPEN_MAP, {file, QT_TRANSLATE_NOOP("Zol", "マップデータを開く(&O)")}, QKeySequence::Open},
        {0, {file}},
        {ID_SAVE_MAP, {file, QT_TRANSLATE_NOOP("Zol", "マップデータを上書き保存(&S)")}, QKeySequence::Save},
        {ID_SAVE_MAP_AS, {file, QT_TRANSLATE_NOOP("Zol", "名前を付けてマップデータを保存(&A)")},
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {0, {file}},
        {ID_NEW_PALETTE, {file, QT_TRANSLATE_NOOP("Zol", "セルパレットの新規作成")}},
        {ID_OPEN_PALETTE, {file, QT_TRANSLATE_NOOP("Zol", "セルパレットを開く")}},
        {0, {file}},
        {ID_SAVE_PALETTE, {file, QT_TRANSLATE_NOOP("Zol", "セルパレットを上書き保存")}},
        {ID_SAVE_PALETTE_AS, {file, QT_TRANSLATE_NOOP("Zol", "名前を付けてセルパレットを保存")}},
        {0, {file}},
        {ID_EXPORT, {file, QT_TRANSLATE_NOOP("Zol", "エクスポート…")}},
        {ID_IMPORT, {file, QT_TRANSLATE_NOOP("Zol", "インポート…")}},
        {0, {file}},
        {kSubmenu, {file, QT_TRANSLATE_NOOP("Zol", "最近使ったマップ(&R)")}},
        {0, {file}},
        {ID_EXIT, {file, QT_TRANSLATE_NOOP("Zol", "終了(&E)")}, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {ID_EVENT_LIST, {view, QT_TRANSLATE_NOOP("Zol", "イベント一覧(&E)")}},
        {ID_FLAG_LIST, {view, QT_TRANSLATE_NOOP("Zol", "フラグ一覧(&F)")}},
        {ID_LINK_LIST, {view, QT_TRANSLATE_NOOP("Zol", "リンク一覧(&L)")}},
        {ID_WHOLE_MAP, {view, QT_TRANSLATE_NOOP("Zol", "全体表示(&V)")}},
        {ID_TOOLBAR, {view, QT_TRANSLATE_NOOP("Zol", "ツールバー(&T)")}},
        {ID_UNDO, {edit, QT_TRANSLATE_NOOP("Zol", "元に戻す(&U)")}, QKeySequence::Undo},
        {ID_REDO, {edit, QT_TRANSLATE_NOOP("Zol", "やり直す(&R)")}, QKeySequence(Qt::CTRL | Qt::Key_Y),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {0, {edit}},
        {ID_CUT, {edit, QT_TRANSLATE_NOOP("Zol", "切り取り(&T)")}, QKeySequence::Cut},
        {ID_COPY, {edit, copy, QT_TRANSLATE_NOOP("Zol", "背景を設定をしない(&N)")}, QKeySequence::Copy},
        {ID_COPY_BACKGROUND, {edit, copy, QT_TRANSLATE_NOOP("Zol", "背景を設定する(&B)")}},
        {ID_PASTE, {edit, QT_TRANSLATE_NOOP("Zol", "貼り付け(&P)")}, QKeySequence::Paste},
        {ID_PEN, {tool, QT_TRANSLATE_NOOP("Zol", "ペン(&P)")}},
        {ID_RECT_FILL, {tool, rect, QT_TRANSLATE_NOOP("Zol", "塗りつぶす(&P)")}},
        {ID_RECT_EDGES, {tool, rect, QT_TRANSLATE_NOOP("Zol", "辺のみ(&R)")}},
        {ID_FLOOD_FILL, {tool, QT_TRANSLATE_NOOP("Zol", "塗りつぶし(&P)")}},
        {ID_PATTERN_RECT, {tool, pattern, QT_TRANSLATE_NOOP("Zol", "長方形(&R)")}},
        {ID_PATTERN_FILL, {tool, pattern, QT_TRANSLATE_NOOP("Zol", "塗りつぶし(&P)")}},
        {ID_MAP_SIZE, {settings, QT_TRANSLATE_NOOP("Zol", "マップサイズ(&S)")}},
        {ID_ZOOM, {settings, QT_TRANSLATE_NOOP("Zol", "倍率設定(&Z)")}},
        {ID_PALETTE_COLOURS, {settings, QT_TRANSLATE_NOOP("Zol", "パレット色(&C)")}},
        {ID_FILL_RATE_ON, {settings, rate, QT_TRANSLATE_NOOP("Zol", "設定する(&Y)")}},
        {ID_FILL_RATE_OFF, {settings, rate, QT_TRANSLATE_NOOP("Zol", "設定しない(&N)")}},
        // Each language by its own name, whatever the language in use.
        {ID_LANGUAGE_JA, {settings, language, "日本語"}},
        {ID_LANGUAGE_EN, {settings, language, "English"}},
    };
    return table;
}

QFont Ui_Font()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS PGothic"), QStringLiteral("ＭＳ Ｐゴシック"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")});
    font.setPointSize(9);
    return font;
}

// The command of each menu item.
std::map<int, std::function<void(Zol&)>> Command_Table()
{
    std::map<int, std::function<void(Zol&)>> table = {
        {ID_NEW_MAP, [](Zol& frame) { New_Map(frame); }},
        {ID_OPEN_MAP, [](Zol& frame) { Open_Map_Command(frame); }},
        {ID_SAVE_MAP, [](Zol& frame) { Save_Command(frame); }},
        {ID_SAVE_MAP_AS, [](Zol& frame) { Save_As_Command(frame); }},
        {ID_NEW_PALETTE, [](Zol& frame) { New_Cell_Palette(frame); }},
        {ID_OPEN_PALETTE, [](Zol& frame) { Open_Cell_Palette_Command(frame); }},
        {ID_SAVE_PALETTE, [](Zol& frame) { Save_Cell_Palette(frame); }},
        {ID_SAVE_PALETTE_AS, [](Zol& frame) { Save_Cell_Palette_As(frame); }},
        {ID_EXPORT, [](Zol& frame) { Export_Command(frame); }},
        {ID_IMPORT, [](Zol& frame) { Import_Command(frame); }},
        {ID_EXIT, [](Zol& frame) { Exit_Command(frame); }},
        {ID_UNDO, [](Zol& frame) { Undo_Command(frame); }},
        {ID_REDO, [](Zol& frame) { Redo_Command(frame); }},
        {ID_TOOLBAR, [](Zol& frame) { Toolbar_Command(frame); }},
        {ID_WHOLE_MAP, [](Zol& frame) { Viewer_Command(frame); }},
        {ID_EVENT_LIST, [](Zol& frame) { List_Command(frame, ListKind::Events); }},
        {ID_FLAG_LIST, [](Zol& frame) { List_Command(frame, ListKind::Flags); }},
        {ID_LINK_LIST, [](Zol& frame) { List_Command(frame, ListKind::Links); }},
        {ID_MAP_SIZE, [](Zol& frame) { Map_Size_Command(frame); }},
        {ID_ZOOM, [](Zol& frame) { Open_Zoom_Dialog(frame); }},
        {ID_PALETTE_COLOURS, [](Zol& frame) { Open_Palette_Colour_Dialog(frame); }},
        {ID_FILL_RATE_ON, [](Zol& frame) { Fill_Rate_Command(frame, true); }},
        {ID_FILL_RATE_OFF, [](Zol& frame) { Fill_Rate_Command(frame, false); }},
        {ID_LANGUAGE_JA, [](Zol& frame) { Language_Command(frame, winlib::Language::Japanese); }},
        {ID_LANGUAGE_EN, [](Zol& frame) { Language_Command(frame, winlib::Language::English); }},
    };
    for (int tool = 0; tool < kToolCount; ++tool)
        table[Tool_Command_Id(tool)] = [tool](Zol& frame) { Tool_Command(frame, tool); };
    return table;
}

} // namespace

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
    winlib::Bind(this, QStringLiteral("CloseEvent"),
                 [this](QObject*, winlib::EventArgs& args) { Close_Prompt(args); });
    winlib::Bind(this, QStringLiteral("DropFilesEvent"),
                 [this](QObject*, winlib::EventArgs& args) { Open_Files(args.files); });
    // The menu items and the status line follow what changes.
    Follow_File_Menu(*this);
    Follow_Edit_Menu(*this);
    Follow_Tools_Menu(*this);
    Follow_Cell_Status(*this);
    Follow_Settings(*this);
    Follow_Recent_Maps(*this);
    Follow_Language(*this);
    Update_File_Menu(*this);
    Menu_Item(ID_TOOLBAR)->setCheckable(true);
    Build_Toolbar(*this);
    Set_Tool(*this, kPen);
    Set_Undo_Enabled(*this, false);
    Set_Redo_Enabled(*this, false);
    Set_Paste_Enabled(*this, false);
    Update_Fill_Rate_Menu(*this);
    // Undo and redo follow the window they would act on.
    connect(Client(), &QMdiArea::subWindowActivated, this, [this] {
        if (ending_) return;
        Update_Undo_Command(*this);
        Update_Redo_Command(*this);
    });
}

Zol::~Zol()
{
    // Windows go before the state they point into.
    ending_ = true;
    Write_Settings(*this);
    Finish_Recovery(*this);
    Close_Event_Link(*this);
    // The view and the lists go while the state their handlers reach is whole.
    delete Viewer_Controls(*this).window.data();
    for (ListKind kind : {ListKind::Events, ListKind::Flags, ListKind::Links})
        delete List_Controls(*this, kind).window.data();
    if (windowHandle()) windowHandle()->removeEventFilter(this);
    winlib::Unbind(this, QStringLiteral("CloseEvent"));
    winlib::Unbind(this, QStringLiteral("DropFilesEvent"));
    for (int s = 0; s < kMaxDocuments; ++s) Close_Map(*this, s);
    Close_Cell_Palette(*this);
}

void Zol::Build_Menu()
{
    const std::map<int, std::function<void(Zol&)>> commands = Command_Table();
    for (const MenuEntry& entry : Menu_Table()) {
        // The menus along the path, each noted with its source text for a change of language.
        const bool own_name = entry.id == ID_LANGUAGE_JA || entry.id == ID_LANGUAGE_EN;
        QStringList path;
        for (std::size_t i = 0; i < entry.path.size(); ++i) {
            const bool last = i + 1 == entry.path.size();
            path << (own_name && last ? QString::fromUtf8(entry.path[i]) : Translated(entry.path[i]));
            if (last && entry.id != kSubmenu) continue;
            QMenu* menu = Menu(path);
            const bool noted = std::any_of(menu_texts_.begin(), menu_texts_.end(),
                                           [menu](const auto& noted) { return noted.first == menu; });
            if (!noted) menu_texts_.emplace_back(menu, entry.path[i]);
        }
        if (entry.id == 0) {
            Add_Menu_Separator(path);
            continue;
        }
        if (entry.id == kSubmenu) {
            recent_menu_ = Menu(path);
            continue;
        }
        QAction* item = Add_Menu_Item(path, entry.id);
        if (!own_name) item_texts_.emplace_back(item, entry.path.back());
        if (entry.other_shortcut.isEmpty()) item->setShortcut(entry.shortcut);
        else item->setShortcuts({entry.shortcut, entry.other_shortcut});
        Bind_Command(entry.id, [this, command = commands.at(entry.id)] { command(*this); });
    }
}

void Zol::Retranslate_Menus()
{
    for (const auto& [menu, source] : menu_texts_) menu->setTitle(Translated(source));
    for (const auto& [item, source] : item_texts_) item->setText(Translated(source));
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

QString Zol::Start_Directory() const
{
    return state_.map_directory.isEmpty() ? QDir::currentPath() : state_.map_directory;
}

void Zol::Open_Files(const QStringList& files)
{
    for (const QString& file : files) {
        const int slot = state_.documents.First_Slot_Without_Window();
        if (slot >= kMaxDocuments) {
            Show_Message(this, Text::tr("そう欲張るなって"),
                         Text::tr("これ以上ファイルを開くことは出来ません"), MB_OK,
                         MB_ICON_EXCLAMATION);
            break;
        }
        const QString ext = Path_Extension(file);
        if (ext == QLatin1String(".zol")) {
            Open_Map(*this, slot, file);
        } else if (ext == QLatin1String(".bmp")) {
            Load_Cell_Palette(*this, file);
        } else {
            Show_Message(this, Text::tr("ほよ？"),
                         Text::tr("%1はZolのファイルではありません").arg(Path_Name_Part(file)),
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
