#pragma once
// The main frame: the menu and its command table, the program state, the file commands,
// dropped files, and the exit and close prompts.

#include "core/render/cell_palette.h"
#include "core/render/map_renderer.h"
#include "core/map/edit_form.h"
#include "ui/dialogs/event_link_dialog.h"
#include "core/exchange/recovery.h"
#include "core/editing/clipboard.h"
#include "core/editing/drawing_tools.h"
#include "core/editing/tool_state.h"
#include "core/exchange/configuration.h"
#include "core/editing/pattern.h"
#include "ui/winlib/form_child.h"
#include "ui/winlib/winlib.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QToolBar>
#include <QPointer>
#include <QTimer>

#include <array>
#include <atomic>
#include <map>
#include <functional>

namespace zol {

// Command ids of the menu.
enum CommandId {
    ID_NEW_MAP = 1001, ID_OPEN_MAP = 1002, ID_SAVE_MAP = 1004, ID_SAVE_MAP_AS = 1005,
    ID_NEW_PALETTE = 1007, ID_OPEN_PALETTE = 1008, ID_SAVE_PALETTE = 1010,
    ID_SAVE_PALETTE_AS = 1011, ID_EXIT = 1013,
    ID_EVENT_LIST = 1015, ID_FLAG_LIST = 1016, ID_LINK_LIST = 1017, ID_WHOLE_MAP = 1018,
    ID_TOOLBAR = 1019, ID_UNDO = 1021, ID_CUT = 1023, ID_COPY = 1025, ID_COPY_BACKGROUND = 1026,
    ID_PASTE = 1027, ID_PEN = 1029, ID_RECT_FILL = 1031, ID_RECT_EDGES = 1032,
    ID_FLOOD_FILL = 1033, ID_PATTERN_RECT = 1035, ID_PATTERN_FILL = 1036, ID_MAP_SIZE = 1038,
    ID_ZOOM = 1039, ID_PALETTE_COLOURS = 1040, ID_FILL_RATE_ON = 1042, ID_FILL_RATE_OFF = 1043,
    ID_EXPORT = 1044, ID_IMPORT = 1045,
};

// The controls of one map window (the window itself is the slot's edit_form::window).
struct MapControls {
    winlib::WPictureBox* picture = nullptr;
    winlib::WScrollBar* vertical = nullptr;
    winlib::WScrollBar* horizontal = nullptr;
    ViewBuffer offscreen;        // what the map picture shows
};

// The cell palette window and its controls.
struct PaletteControls {
    QPointer<FormChild> window;
    winlib::WPictureBox* picture = nullptr;
    QGroupBox* frame = nullptr;
    winlib::WPictureBox* l_preview = nullptr;
    winlib::WPictureBox* r_preview = nullptr;
    winlib::WStatusBar* status = nullptr;
};

// The whole-map view and its controls; slots[k] is the map of the chooser's entry k.
struct ViewerControls {
    QPointer<FormChild> window;
    winlib::WComboBox* chooser = nullptr;
    winlib::WPictureBox* picture = nullptr;
    winlib::WStatusBar* status = nullptr;
    QImage image;                 // one pixel per cell
    std::vector<int> entry_slots;
    int anchor_slot = -1;         // the map a left press in the view set the anchors on
};

// One of the event, flag and link lists.
struct ListControls {
    QPointer<FormChild> window;
    winlib::WComboBox* chooser = nullptr;
    winlib::WListBox* list = nullptr;
    std::vector<int> entry_slots;
};

// The pattern maker ("パターンの作成"): its canvas shows the pattern's cells.
struct PatternMakerControls {
    winlib::SingleWindow<winlib::WDialog> window;
    winlib::WPictureBox* canvas = nullptr;
    QImage surface;               // width x height cells of 32 pixels
};

// The cell loading window ("No.n") with the bitmap window it picks blocks from.
struct LoaderControls {
    winlib::SingleWindow<winlib::WDialog> window;
    int cell = 0;                 // the palette cell being changed
    QImage picture;               // the working picture, 32 x 32
    // The map window of each entry of the map list; an entry whose window has gone is skipped.
    std::vector<QPointer<FormChild>> entry_windows;
    winlib::WComboBox* maps = nullptr;
    winlib::WCheckBox* edited_too = nullptr;
    winlib::WPictureBox* preview = nullptr;
    winlib::WComboBox* flag = nullptr;

    winlib::SingleWindow<winlib::WDialog> bitmap_window; // "ロードするビットマップ"
    QImage bitmap;                // the loaded bitmap, in the cells' format
    winlib::WPictureBox* bitmap_picture = nullptr;
    winlib::WStatusBar* bitmap_status = nullptr;
};

// The cell editor ("セルの編集"): the working picture ten times larger, a colour grid and a pen.
struct CellEditorControls {
    winlib::SingleWindow<winlib::WDialog> window;
    QImage cell;                  // the picture being drawn, 32 x 32: the master copy
    QImage view;                  // cell magnified, what the surface shows
    std::array<QRgb, 16> colours{};
    int selected = 0;             // the grid's chosen colour
    QRgb colour = 0;              // what the pen and the fill paint with
    bool fill_mode = false;       // false: pen
    winlib::WPictureBox* surface = nullptr;
    winlib::WPictureBox* grid = nullptr;
    winlib::WPictureBox* colour_box = nullptr;
    winlib::WButton* tool = nullptr;
};

// The recovery copies of this editor: the store, its writer thread, and what was last written
// for each map and for the palette.
struct RecoveryState {
    struct Tracked {
        std::size_t hash = 0;      // of the contents last seen
        qint64 changed = -1;       // when they last changed (ms since start-up)
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

// Everything the program works on, in one place.
struct ProgramState {
    DocumentTable documents;
    std::array<MapControls, kMaxDocuments> maps;
    CellPalette palette;
    PaletteControls palette_window;
    int cell_size = 32;           // displayed cell size: 32, 24, 16 or 8
    bool ready = true;            // false while a fill or a long redraw runs
    ToolState tools;
    FillRate fill_rate;           // the fills' rate
    Pattern pattern;              // the pattern tools' cells; none at start-up
    QElapsedTimer clock;          // runs from start-up; seeds the fills
    winlib::SingleWindow<EventLinkDialog> event_link;
    ClipArea clipboard;           // the cells cut or copied last
    int background_cell = 0;      // the cell number copy without background leaves out
    PaletteColours palette_colours = Default_Palette_Colours(); // the whole-map view's colours
    QString config_path;          // Zol.cfg; empty: settings are neither read nor written
    winlib::SingleWindow<winlib::WNumberDialog> background_dialog;
    winlib::SingleWindow<winlib::WNumberDialog> fill_rate_dialog;
    winlib::SingleWindow<QDialog> zoom_dialog;
    winlib::SingleWindow<QDialog> colour_dialog;
    ViewerControls viewer;
    std::array<ListControls, 3> lists; // events, flags, links
    winlib::SingleWindow<QDialog> map_size_dialog;
    winlib::SingleWindow<winlib::WDialog> pattern_size_dialog;
    PatternMakerControls pattern_maker;
    LoaderControls loader;
    CellEditorControls cell_editor;
    // The toolbar, its undo button and its ten tool buttons by tool number.
    QPointer<QToolBar> toolbar;
    QAction* undo_button = nullptr;
    std::array<QAction*, kToolCount> tool_buttons{};
    QString map_directory;        // folder of the last map opened by any route, or empty
    // Cell images at each displayed size, built once per palette version, so a zoom only
    // lays out and redraws.
    std::map<int, CellCache> caches;
    int cache_version = -1;       // palette version the caches were built from
    RecoveryState recovery;
};

class Zol : public winlib::Zol_Base {
    Q_OBJECT
public:
    explicit Zol(QWidget* parent = nullptr);
    ~Zol() override;

    ProgramState& State() { return state_; }
    DocumentTable& Documents() { return state_.documents; }
    winlib::WStatusBar* Status() const { return status_; }

    // The map window of slot, or null when the slot has none.
    FormChild* Map_Window(int slot) const;
    // The slot of the active map window, or -1; with single_fallback a lone map window counts.
    int Active_Map(bool single_fallback) const;
    // Makes the most recently active map window the active one (after another one closed).
    void Activate_Top_Map();

    // Opens files as if dropped on the frame.
    void Open_Files(const QStringList& files);
    // Opens the files named on the command line once the frame is on screen at its final size,
    // so that the palette window and any message are placed in the frame as the user sees it.
    void Open_When_Shown(const QStringList& files);

    // Where the file dialogs start: the folder of the last map opened, else the working
    // directory.
    QString Start_Directory() const;

    // Reads the settings from the file at path now and writes them there when the frame is
    // destroyed.
    void Use_Config(const QString& path);

    // What ending the program does after the exit command's questions (tests replace it).
    std::function<void(int)> quit;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build_Menu();
    void Bind_Commands();
    void Close_Prompt(winlib::EventArgs& args);
    void Write_Settings();

    ProgramState state_;
    winlib::WStatusBar* status_ = nullptr;
    bool ending_ = false;
    QStringList pending_files_; // named on the command line, waiting for the frame to show
};

// ---- File commands (zol_file.cpp) ----
void Update_File_Menu(Zol& frame);
void New_Map(Zol& frame);
void Open_Map_Command(Zol& frame);
bool Open_Map(Zol& frame, int slot, const QString& path);
bool Save_Map(Zol& frame, int slot);
// Asks for a file name and writes the map there; a cancelled or failed save leaves the map's
// name and path as they were.
bool Save_Map_As(Zol& frame, int slot);
void Save_Command(Zol& frame);
void Save_As_Command(Zol& frame);
void Exit_Command(Zol& frame);
// Closes the map window of slot without asking; its destroy handler frees the slot.
void Close_Map(Zol& frame, int slot);
// The message that no more map windows can be opened.
void Too_Many_Windows();

// ---- Tiled maps (zol_exchange.cpp) ----
// The active map written as a TMX or JSON map, chosen in a save dialog.
void Export_Command(Zol& frame);
// A TMX or JSON map read, written as a map file chosen in a save dialog, and opened.
void Import_Command(Zol& frame);

// ---- Recovery copies (zol_recovery.cpp) ----
// Keeps copies of modified maps and of a modified palette in this editor's folder under root
// (the user's data folder in the program), checking for changes every second.
void Start_Recovery(Zol& frame, const QString& root);
// One check at now (ms since start-up): a document changed at least 3 s ago, whose last copy is
// at least 10 s old, gets a new copy, written on the writer's thread; nothing is written while
// a mouse button is held or a fill runs.
void Recovery_Tick(Zol& frame, qint64 now);
// The copy of slot's map (or, for slot -1, of the palette) is no longer needed.
void Forget_Recovery(Zol& frame, int slot);
// Waits for the copies being written (tests, and the end of the program).
void Flush_Recovery(Zol& frame);
// At start-up: offers the copies an editor that died left behind (restore, discard, later).
void Offer_Recovery(Zol& frame);
// A normal end: the copies and this editor's folder go.
void Finish_Recovery(Zol& frame);

// ---- Map windows (map_window.cpp) ----
bool addChild(Zol& frame, int slot);

} // namespace zol
