#pragma once
// The announcements of what changed. Every routine that changes an open map or the palette says
// once, here, which map and what; the views listen (the map windows' pictures and captions, the
// whole-map view, the lists, the palette window, the status line, the recovery copies and the
// undo command), so an edit never names a view and a new view needs no edit in the editing code.
// Maps are named by their slot (0..4); rectangles are in map cells.

#include <QObject>
#include <QRect>

namespace zol {

class Changes : public QObject {
    Q_OBJECT
signals:
    // The cells of rect (which may reach past the map) in slot's map.
    void cellsChanged(int slot, QRect cells);
    // Anything of slot's map: its size, cells, flags, links and events (an undo, a redo, a resize).
    void mapChanged(int slot);
    // Its links or events.
    void tablesChanged(int slot);
    // Its flag table (and the flags of its cells).
    void flagsChanged(int slot);
    // Whether it has unsaved changes.
    void savedChanged(int slot);
    // Which maps are open, or what they are called: a map window opened or closed, a save-as.
    void mapsChanged();
    // The picture of one palette cell, or of every cell (-1): a palette made, opened or reordered.
    void paletteChanged(int cell);
    // Whether the palette has unsaved changes.
    void paletteSavedChanged();
    // An undo step was recorded (true), or an undo or a redo moved through the steps (false).
    void historyChanged(bool recorded);
    // The clipboard took cells.
    void clipboardChanged();
    // The current tool.
    void toolChanged(int tool);
    // The displayed cell size.
    void zoomChanged(int cell_size);
    // The palette colours of the whole-map view.
    void coloursChanged();
    // The language the program speaks: every window shows its texts anew.
    void languageChanged();
};

} // namespace zol
