#pragma once
// What every window, dialog and tool works on: the state the windows share, the announcements
// of what changed (Changes), and the few services of the main frame. The frame is the one
// Editor; windows and dialogs see only this, never the frame's class.

#include "core/editing/clipboard.h"
#include "core/editing/drawing_tools.h"
#include "core/editing/pattern.h"
#include "core/editing/tool_state.h"
#include "core/map/edit_form.h"
#include "core/messages/changes.h"
#include "core/render/cell_palette.h"
#include "core/render/palette_colours.h"
#include "ui/editor/commands.h"
#include "ui/winlib/form_child.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>
#include <vector>

class QAction;
class QMainWindow;
class QMdiArea;

namespace zol {

namespace winlib {
class WStatusBar;
}

// The records of the windows, each type defined by its own window's file and made on first use;
// they live as long as the frame. A lookup is an index into a vector: handlers reach them on
// every mouse move.
class WindowParts {
public:
    template <class Part>
    Part& Get()
    {
        const std::size_t id = Id<Part>();
        if (id >= parts_.size()) parts_.resize(id + 1);
        std::shared_ptr<void>& part = parts_[id];
        if (!part) part = std::make_shared<Part>();
        return *static_cast<Part*>(part.get());
    }

private:
    static std::size_t Next_Id();
    template <class Part>
    static std::size_t Id()
    {
        static const std::size_t id = Next_Id();
        return id;
    }

    std::vector<std::shared_ptr<void>> parts_;
};

// The state the windows share.
struct ProgramState {
    DocumentTable documents;
    CellPalette palette;
    int cell_size = 32;           // displayed cell size: 32, 24, 16 or 8
    bool ready = true;            // false while a fill or a long redraw runs
    ToolState tools;
    FillRate fill_rate;           // the fills' rate
    Pattern pattern;              // the pattern tools' cells; none at start-up
    QElapsedTimer clock;          // runs from start-up; seeds the fills
    ClipArea clipboard;           // the cells cut or copied last
    int background_cell = 0;      // the cell number copy without background leaves out
    PaletteColours palette_colours = Default_Palette_Colours(); // the whole-map view's colours
    QString config_path;          // Zol.cfg; empty: settings are neither read nor written
    QString map_directory;        // folder of the last map opened by any route, or empty
    Changes changes;              // what changed, for the views
    WindowParts windows;
};

class Editor {
public:
    virtual ~Editor() = default;

    virtual ProgramState& State() = 0;
    virtual const ProgramState& State() const = 0;
    DocumentTable& Documents() { return State().documents; }
    const DocumentTable& Documents() const { return State().documents; }
    Changes& Hub() { return State().changes; }

    // The main window: the owner of dialogs and messages, and the place windows open in.
    virtual QMainWindow& Main_Window() = 0;
    virtual QMdiArea* Client() const = 0;
    virtual QAction* Menu_Item(int id) const = 0;
    // Runs a menu command (as a click on its item would).
    virtual void Run_Command(int id) = 0;
    virtual winlib::WStatusBar* Status() const = 0;

    // The map window of slot, or null when the slot has none.
    FormChild* Map_Window(int slot) const;
    // The slot of the active map window, or -1; with single_fallback a lone map window counts.
    virtual int Active_Map(bool single_fallback) const = 0;
    // Makes the most recently active map window the active one (after another one closed).
    virtual void Activate_Top_Map() = 0;
    // Where the file dialogs start: the folder of the last map opened, else the working
    // directory.
    virtual QString Start_Directory() const = 0;
};

// ---- Changes every editing route makes the same way, each announced ----

// Records slot's map as an undo step.
void Record_Step(Editor& editor, int slot);
// Marks slot's map as differing from its file.
void Mark_Modified(Editor& editor, int slot);
// Makes tool current, without touching the previous tool.
void Set_Tool(Editor& editor, int tool);
// The seed of a fill's generator: milliseconds since the program started.
uint32_t Fill_Seed(Editor& editor);

} // namespace zol
