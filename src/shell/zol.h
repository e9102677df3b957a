#pragma once
// The main frame: the menu and its command table, the program state, the file commands,
// dropped files, and the exit and close prompts.

#include "display/cell_palette.h"
#include "display/map_renderer.h"
#include "documents/edit_form.h"
#include "shell/form_child.h"
#include "winlib/winlib.h"

#include <QGroupBox>
#include <QPointer>

#include <array>
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
};

// The controls of one map window.
struct MapControls {
    QPointer<FormChild> window;
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

// Everything the program works on, in one place.
struct ProgramState {
    DocumentTable documents;
    std::array<MapControls, kMaxDocuments> maps;
    CellPalette palette;
    PaletteControls palette_window;
    int cell_size = 32;           // displayed cell size: 32, 24, 16 or 8
    bool ready = true;            // false while a long redraw runs
    QString dialog_directory;     // where the shared file dialog starts
    CellCache cache;              // cell images at the displayed size
    int cache_version = -1;       // palette version the cache was built from
};

class Zol : public winlib::Zol_Base {
    Q_OBJECT
public:
    explicit Zol(QWidget* parent = nullptr);
    ~Zol() override;

    ProgramState& State() { return state_; }
    DocumentTable& Documents() { return state_.documents; }
    winlib::WStatusBar* Status() const { return status_; }

    // The slot of the active map window, or -1; with single_fallback a lone map window counts.
    int Active_Map(bool single_fallback) const;

    // Opens files as if dropped on the frame (also used for the command line).
    void Open_Files(const QStringList& files);

    // What ending the program does after the exit command's questions (tests replace it).
    std::function<void(int)> quit;

private:
    void Build_Menu();
    void Bind_Commands();
    void Close_Prompt(winlib::EventArgs& args);

    ProgramState state_;
    winlib::WStatusBar* status_ = nullptr;
    bool ending_ = false;
};

// ---- File commands (zol_file.cpp) ----
void Update_File_Menu(Zol& frame);
void New_Map(Zol& frame);
void Open_Map_Command(Zol& frame);
bool Open_Map(Zol& frame, int slot, const QString& path);
bool Save_Map(Zol& frame, int slot);
bool Save_Map_As(Zol& frame, int slot);
void Save_Command(Zol& frame);
void Save_As_Command(Zol& frame);
void Exit_Command(Zol& frame);
// Closes the map window of slot without asking, freeing the slot.
void Close_Map(Zol& frame, int slot);

// ---- Map windows (map_window.cpp) ----
bool addChild(Zol& frame, int slot);

} // namespace zol
