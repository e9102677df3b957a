#pragma once
// The main frame: the one Editor. It owns the state the windows share, builds the menu from the
// command table, and follows the announcements that gray or check its menu items. Only the
// frame's own files and main include this; everything else works on an Editor.

#include "core/exchange/recovery.h"
#include "ui/editor/editor.h"
#include "ui/winlib/language.h"
#include "ui/winlib/winlib.h"

#include <QMenu>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace zol {

class Zol : public winlib::Zol_Base, public Editor {
    Q_OBJECT
public:
    explicit Zol(QWidget* parent = nullptr);
    ~Zol() override;

    ProgramState& State() override { return state_; }
    const ProgramState& State() const override { return state_; }
    QMainWindow& Main_Window() override { return *this; }
    QMdiArea* Client() const override { return Zol_Base::Client(); }
    QAction* Menu_Item(int id) const override { return Zol_Base::Menu_Item(id); }
    void Run_Command(int id) override { Zol_Base::Run_Command(id); }
    winlib::WStatusBar* Status() const override { return status_; }
    int Active_Map(bool single_fallback) const override;
    void Activate_Top_Map() override;
    QString Start_Directory() const override;

    // Opens files as if dropped on the frame.
    void Open_Files(const QStringList& files);
    // Opens the files named on the command line once the frame is on screen at its final size,
    // so that the palette window and any message are placed in the frame as the user sees it.
    void Open_When_Shown(const QStringList& files);

    // Reads the settings from the file at path now and writes them there when the frame is
    // destroyed.
    void Use_Config(const QString& path);

    // What ending the program does after the exit command's questions (tests replace it).
    std::function<void(int)> quit;

    // The menus and their items in the language now in use.
    void Retranslate_Menus();
    // ファイル > 最近使ったマップ.
    QMenu* Recent_Menu() const { return recent_menu_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build_Menu();
    void Close_Prompt(winlib::EventArgs& args);

    ProgramState state_;
    winlib::WStatusBar* status_ = nullptr;
    bool ending_ = false;
    QStringList pending_files_; // named on the command line, waiting for the frame to show
    std::vector<std::pair<QMenu*, const char*>> menu_texts_;   // each menu with its source title
    std::vector<std::pair<QAction*, const char*>> item_texts_; // each item with its source text
    QMenu* recent_menu_ = nullptr;
};

// ---- The file menu (file_menu.cpp) ----
void Update_File_Menu(Editor& editor);
void New_Map(Editor& editor);
void Open_Map_Command(Editor& editor);
bool Open_Map(Editor& editor, int slot, const QString& path);
void Save_Command(Editor& editor);
void Save_As_Command(Editor& editor);
// The active map written as a TMX or JSON map, chosen in a save dialog.
void Export_Command(Editor& editor);
// A TMX or JSON map read, written as a map file chosen in a save dialog, and opened.
void Import_Command(Editor& editor);
void Exit_Command(Zol& frame);
// The message that no more map windows can be opened.
void Too_Many_Windows();
// The file menu grays with the maps and the palette.
void Follow_File_Menu(Editor& editor);

// ---- Recent maps (recent_maps.cpp) ----
// Reads the list of recent maps kept in the settings file at path, and keeps it there.
void Use_Recent_Maps(Editor& editor, const QString& path);
// path was opened or saved: it heads the list.
void Remember_Map(Editor& editor, const QString& path);
QStringList Recent_Maps(Editor& editor);
// Opens a map of the list, or says that its file has gone.
void Open_Recent_Map(Editor& editor, const QString& path);
// The submenu lists the maps, a gone one grayed; saves put the map at the head.
void Follow_Recent_Maps(Zol& frame);

// ---- The language (language_menu.cpp) ----
// this_run's language when given, else the one kept in the settings file at path, else Japanese.
winlib::Language Starting_Language(const QString& settings_path, std::optional<winlib::Language> this_run);
// Speaks the starting language; a choice in the menu is kept in the settings file at path.
void Use_Language_Setting(Editor& editor, const QString& settings_path, std::optional<winlib::Language> this_run);
// Commands 1047 (日本語) and 1048 (English): the program speaks language at once, and keeps the
// choice. Dialogs open at the time keep their language, which the program says the first time.
void Language_Command(Editor& editor, winlib::Language language);
// The menus and the toolbar follow the language; the check mark is on the one in use.
void Follow_Language(Zol& frame);

// ---- The edit menu (edit_menu.cpp) ----
// Steps the active map back, or the active cell palette's last cell picture.
void Undo_Command(Editor& editor);
// Enables undo while the active map has a step, or the palette a picture, to go back to.
void Update_Undo_Command(Editor& editor);
// Takes back the newest undo of what undo acts on; with nothing to take back, does nothing.
void Redo_Command(Editor& editor);
// Enables redo while what undo acts on has an undo to take back.
void Update_Redo_Command(Editor& editor);
// Undo and redo follow the history, paste the clipboard.
void Follow_Edit_Menu(Editor& editor);

// ---- The view menu (view_menu.cpp) ----
// Command 1019: builds the toolbar when there is none.
void Toolbar_Command(Editor& editor);

// ---- The tools menu (tools_menu.cpp) ----
// A tool command: the previous tool becomes the current one's, the tool is chosen, its hint
// goes into status pane 1, and the fill rate, background or pattern size dialog opens when the
// tool asks for one.
void Tool_Command(Editor& editor, int tool);
// The chosen tool is checked in the menu and pressed on the toolbar, and its dialogs of other
// tools close.
void Follow_Tools_Menu(Editor& editor);

// ---- The settings menu (settings_menu.cpp) ----
// Commands 1042 (on) and 1043 (off): the switch and its check marks; off sets the rate to 100.
void Fill_Rate_Command(Editor& editor, bool on);
// Puts the check mark on 1042 or 1043 as the switch stands.
void Update_Fill_Rate_Menu(Editor& editor);
// Writes the settings to Zol.cfg (when the editor has one): at once when one changes, so that
// they survive a crash, and at the end. A failure is told on the terminal only.
void Write_Settings(Editor& editor);
// Settings written whenever they change.
void Follow_Settings(Editor& editor);

// ---- Recovery copies (zol_recovery.cpp) ----
// The recovery copies of this editor: the store, its writer thread, and what was last written
// for each map and for the palette.
struct RecoveryState {
    struct Tracked {
        bool touched = false;      // a change was announced since the last check
        qint64 changed = -1;       // when a check last saw a change (ms since start-up)
        qint64 written = -1;       // when a copy was last written; -1: never
        bool dirty = false;        // changed since the last copy
    };
    RecoveryStore store;
    std::atomic<bool> write_failed{false}; // set by the writer's thread
    bool unprotected_told = false;         // the status line has said so
    std::unique_ptr<RecoveryWriter> writer;
    std::array<Tracked, kMaxDocuments> maps;
    Tracked palette;
    QPointer<QTimer> timer;
};
RecoveryState& Recovery_State(Editor& editor);
// Keeps copies of modified maps and of a modified palette in this editor's folder under root
// (the user's data folder in the program), writing a changed one every second at most.
void Start_Recovery(Editor& editor, const QString& root);
// One check at now (ms since start-up): a document changed at least 3 s ago, whose last copy is
// at least 10 s old, gets a new copy, written on the writer's thread; nothing is written while
// a mouse button is held or a fill runs.
void Recovery_Tick(Editor& editor, qint64 now);
// Waits for the copies being written (tests, and the end of the program).
void Flush_Recovery(Editor& editor);
// At start-up: offers the copies an editor that died left behind (restore, discard, later).
void Offer_Recovery(Editor& editor);
// A normal end: the copies and this editor's folder go.
void Finish_Recovery(Editor& editor);

} // namespace zol
