#include "ui/tools/mouse_editing.h"

#include "core/editing/clipboard.h"
#include "core/editing/drawing_tools.h"
#include "core/editing/tool_state.h"
#include "core/map/file_path.h"
#include "core/render/map_renderer.h"
#include "ui/dialogs/event_link_dialog.h"

#include <QMainWindow>

namespace zol {

namespace {

int Floor_Div(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

bool Is_Rectangle_Tool(const ProgramState& state)
{
    const int tool = state.tools.current;
    return tool == kRectangleFill || tool == kRectangleEdges ||
           (tool == kPatternRectangle && state.pattern.exists());
}

bool Is_Selection_Tool(int tool) { return tool == kCut || tool == kCopy || tool == kCopyWithoutBackground; }

QRect Cells(const CellRect& rect) { return QRect(QPoint(rect.x1, rect.y1), QPoint(rect.x2, rect.y2)); }

QRect Whole_Map(const edit_form& doc) { return QRect(0, 0, doc.width(), doc.height()); }

// Pastes the clipboard with its top-left corner at (x, y), also when a full table stopped it
// part way.
bool Paste(Editor& editor, int slot, int x, int y)
{
    ProgramState& state = editor.State();
    const PasteResult pasted = Paste_Area(state.documents[slot], x, y, state.clipboard);
    if (pasted.written_any) emit editor.Hub().cellsChanged(slot, Cells(pasted.written));
    emit editor.Hub().tablesChanged(slot);
    return pasted.written_any;
}

// The release of a left drag with cut, copy or copy without background.
bool Copy(Editor& editor, int slot, int x, int y)
{
    ProgramState& state = editor.State();
    edit_form& doc = state.documents[slot];
    const int tool = state.tools.current;
    const CellRect rect = CellRect::Between(state.tools.selection_x, state.tools.selection_y, x, y);
    // A cut can be undone: the map before it is the newest step.
    if (tool == kCut) Record_Step(editor, slot);
    const CopyMode mode = tool == kCut ? CopyMode::Cut
                          : tool == kCopy ? CopyMode::Copy
                                          : CopyMode::CopyWithoutBackground;
    CellRect copied;
    const bool done = Copy_Area(doc, rect, mode, state.background_cell, state.clipboard, &copied);
    emit editor.Hub().clipboardChanged();
    if (!done) return false;
    if (tool == kCut) {
        emit editor.Hub().cellsChanged(slot, Cells(copied));
        emit editor.Hub().tablesChanged(slot);
    }
    return true;
}

// Shows the dotted outline of the cells from (ax, ay) to (x, y) over slot's picture.
void Show_Band(Editor& editor, int slot, winlib::WPictureBox* picture, int ax, int ay, int x, int y)
{
    const edit_form& doc = editor.Documents()[slot];
    const int s = editor.State().cell_size;
    const CellRect r = CellRect::Between(ax, ay, x, y);
    picture->Set_Overlay(QRect((r.x1 - doc.scroll_x) * s, (r.y1 - doc.scroll_y) * s, (r.x2 - r.x1 + 1) * s,
                               (r.y2 - r.y1 + 1) * s));
}

// Shows the picture again without its rubber band.
void Remove_Band(winlib::WPictureBox* picture) { picture->Set_Image(picture->Image()); }

uint8_t Button_Value(Editor& editor, int slot, bool right)
{
    const CellPalette& palette = editor.State().palette;
    return editor.Documents()[slot].drawing_value((right ? palette.r_cell : palette.l_cell) & 0x3f);
}

// The pen: one cell.
bool Pen(Editor& editor, int slot, int x, int y, uint8_t value)
{
    edit_form& doc = editor.Documents()[slot];
    if (!doc.contains(x, y)) return false;
    doc.cell(x, y) = value;
    emit editor.Hub().cellsChanged(slot, QRect(x, y, 1, 1));
    return true;
}

bool Flood_Fill(Editor& editor, int slot, int x, int y, const Pattern& pattern)
{
    ProgramState& state = editor.State();
    edit_form& doc = state.documents[slot];
    if (!state.ready || !doc.contains(x, y)) return false;
    winlib::BusyScope busy(state.ready);
    const bool painted = Paint(doc, x, y, pattern, state.fill_rate, Fill_Seed(editor));
    emit editor.Hub().cellsChanged(slot, Whole_Map(doc));
    return painted;
}

// The cell the status line shows, followed while it changes.
struct CellStatus {
    int slot = -1;
    int x = 0;
    int y = 0;
    QString name; // the map's name, as pane 1 shows it
};

} // namespace

void Press_Tool(Editor& editor, int slot, int x, int y, bool right)
{
    ProgramState& state = editor.State();
    edit_form& doc = state.documents[slot];
    const int tool = state.tools.current;
    const bool area = state.clipboard.has_area();
    const bool records = tool == kPen || tool == kRectangleFill || tool == kRectangleEdges ||
                         tool == kFloodFill || tool == kPatternRectangle || tool == kPatternFill ||
                         (tool == kPaste && area) || (Is_Selection_Tool(tool) && right && area);
    if (records) Record_Step(editor, slot);

    bool changed = false;
    switch (tool) {
    case kPen: changed = Pen(editor, slot, x, y, Button_Value(editor, slot, right)); break;
    case kRectangleFill:
    case kRectangleEdges:
        state.tools.anchor_x = x;
        state.tools.anchor_y = y;
        break;
    case kPatternRectangle:
        if (state.pattern.exists()) {
            state.tools.anchor_x = x;
            state.tools.anchor_y = y;
        }
        break;
    case kFloodFill:
        changed = Flood_Fill(editor, slot, x, y, Pattern::Single(Button_Value(editor, slot, right)));
        break;
    case kPatternFill:
        if (state.pattern.exists())
            changed = Flood_Fill(editor, slot, x, y, Drawing_Pattern(doc, state.pattern));
        break;
    case kCut:
    case kCopy:
    case kCopyWithoutBackground:
        if (!right) {
            state.tools.selection_x = x;
            state.tools.selection_y = y;
        } else if (area) {
            changed = Paste(editor, slot, x, y);
        }
        break;
    case kPaste:
        if (area) changed = Paste(editor, slot, x, y);
        break;
    default: break;
    }
    // A change is kept even when a message box during the press swallows the release.
    if (changed) Mark_Modified(editor, slot);
}

bool Pen_Stroke(Editor& editor, int slot, int x0, int y0, int x1, int y1, bool right)
{
    const uint8_t value = Button_Value(editor, slot, right);
    const std::vector<QPoint> line = Line_Cells(x0, y0, x1, y1);
    bool painted = false;
    // The first cell was painted by the press or the move before.
    for (std::size_t i = line.size() > 1 ? 1 : 0; i < line.size(); ++i)
        painted = Pen(editor, slot, line[i].x(), line[i].y(), value) || painted;
    return painted;
}

bool Dragging_Rectangle(Editor& editor)
{
    return Is_Rectangle_Tool(editor.State());
}

void Release_Tool(Editor& editor, int slot, int x, int y, bool right)
{
    ProgramState& state = editor.State();
    edit_form& doc = state.documents[slot];
    if (Is_Rectangle_Tool(state)) {
        // The end is kept to the map; the anchor may come from another map and is clipped.
        x = std::clamp(x, 0, doc.width() - 1);
        y = std::clamp(y, 0, doc.height() - 1);
        const CellRect rect = CellRect::Between(state.tools.anchor_x, state.tools.anchor_y, x, y);
        const uint8_t value = (right ? state.palette.r_cell : state.palette.l_cell) & 0x3f;
        switch (state.tools.current) {
        case kRectangleFill: Rectangle_Fill(doc, rect, value, state.fill_rate, Fill_Seed(editor)); break;
        case kRectangleEdges: Rectangle_Edges(doc, rect, value); break;
        default: Pattern_Rectangle(doc, rect, state.pattern, state.fill_rate, Fill_Seed(editor)); break;
        }
        emit editor.Hub().cellsChanged(slot, Cells(rect));
    }
    if (Is_Selection_Tool(state.tools.current) && !right) {
        x = std::clamp(x, 0, doc.width() - 1);
        y = std::clamp(y, 0, doc.height() - 1);
        if (!Copy(editor, slot, x, y)) return; // a failed copy leaves the map as it was
    }
    Mark_Modified(editor, slot);
}

void Map_Press(Editor& editor, int slot, winlib::WPictureBox* picture, const winlib::EventArgs& args, bool right,
               bool double_click)
{
    edit_form& doc = editor.Documents()[slot];
    doc.last_mouse_x = args.x;
    doc.last_mouse_y = args.y;
    int x = 0, y = 0;
    Cell_Under(editor, slot, args.x, args.y, x, y);

    const winlib::ButtonSnapshot b = winlib::Buttons_Now();
    const bool modifiers = b.shift || b.ctrl || b.alt;
    const int held = int(b.left) + int(b.right) + int(b.middle);
    if (double_click || modifiers || held > 1) {
        Open_Event_Link(editor, slot, x, y, picture);
        return;
    }
    Press_Tool(editor, slot, x, y, right);
    if (doc.contains(x, y)) Show_Cell_Status(editor, slot, x, y);
}

void Map_Move(Editor& editor, int slot, winlib::WPictureBox* picture, const winlib::EventArgs& args)
{
    ProgramState& state = editor.State();
    edit_form& doc = state.documents[slot];
    int last_x = 0, last_y = 0;
    Cell_Under(editor, slot, doc.last_mouse_x, doc.last_mouse_y, last_x, last_y);
    doc.last_mouse_x = args.x;
    doc.last_mouse_y = args.y;
    int x = 0, y = 0;
    Cell_Under(editor, slot, args.x, args.y, x, y);

    const winlib::ButtonSnapshot b = winlib::Buttons_Now();
    const bool plain = !b.shift && !b.ctrl && !b.alt && !b.middle;
    const bool left_alone = plain && b.left && !b.right;
    const bool right_alone = plain && b.right && !b.left;
    const int tool = state.tools.current;
    if (tool == kPen) {
        if (left_alone || right_alone) Pen_Stroke(editor, slot, last_x, last_y, x, y, right_alone);
    } else if (Is_Selection_Tool(tool)) {
        if (left_alone) Show_Band(editor, slot, picture, state.tools.selection_x, state.tools.selection_y, x, y);
        else if (!b.left && !b.right && !b.middle) Remove_Band(picture);
    } else if (Is_Rectangle_Tool(state) && (left_alone || right_alone)) {
        Show_Band(editor, slot, picture, state.tools.anchor_x, state.tools.anchor_y, x, y);
    }
    // After the pen, so that the cell is shown once, as painted.
    if (doc.contains(x, y)) Show_Cell_Status(editor, slot, x, y);
}

void Map_Release(Editor& editor, int slot, winlib::WPictureBox* picture, const winlib::EventArgs& args, bool right)
{
    int x = 0, y = 0;
    Cell_Under(editor, slot, args.x, args.y, x, y);
    const bool band = Is_Selection_Tool(editor.State().tools.current) && !right;
    Release_Tool(editor, slot, x, y, right);
    if (band && picture->Overlay()) Remove_Band(picture);
}

void Cell_Under(Editor& editor, int slot, int px, int py, int& x, int& y)
{
    const edit_form& doc = editor.Documents()[slot];
    const int s = editor.State().cell_size;
    x = Floor_Div(px, s) + doc.scroll_x;
    y = Floor_Div(py, s) + doc.scroll_y;
}

void Show_Cell_Status(Editor& editor, int slot, int x, int y)
{
    const edit_form& doc = editor.Documents()[slot];
    if (!doc.has_grid() || x < 0 || y < 0 || x >= doc.width() || y >= doc.height()) return;
    CellStatus& shown = editor.State().windows.Get<CellStatus>();
    shown.slot = slot;
    shown.x = x;
    shown.y = y;
    shown.name = Path_Name_Part(doc.file_path);
    editor.Status()->Set_Text(0, Cell_Status_Text(doc, x, y));
    editor.Status()->Set_Text(1, shown.name);
}

void Follow_Cell_Status(Editor& editor)
{
    const auto refresh = [&editor](int slot) {
        const CellStatus& shown = editor.State().windows.Get<CellStatus>();
        const edit_form& doc = editor.Documents()[slot];
        if (slot != shown.slot || !doc.has_grid() || !doc.contains(shown.x, shown.y)) return;
        editor.Status()->Set_Text(0, Cell_Status_Text(doc, shown.x, shown.y));
    };
    Changes& hub = editor.Hub();
    QObject* context = &editor.Main_Window();
    QObject::connect(&hub, &Changes::cellsChanged, context, [refresh, &editor](int slot, QRect cells) {
        const CellStatus& shown = editor.State().windows.Get<CellStatus>();
        if (slot == shown.slot && cells.contains(shown.x, shown.y)) refresh(slot);
    });
    for (auto signal : {&Changes::mapChanged, &Changes::tablesChanged, &Changes::flagsChanged})
        QObject::connect(&hub, signal, context, refresh);
    // A map closed takes its cell off the status line; a map renamed shows its new name.
    QObject::connect(&hub, &Changes::mapsChanged, context, [&editor] {
        CellStatus& shown = editor.State().windows.Get<CellStatus>();
        if (shown.slot < 0) return;
        if (!editor.Map_Window(shown.slot)) {
            shown = CellStatus{};
            editor.Status()->Set_Text(0, QString());
            editor.Status()->Set_Text(1, QString());
            return;
        }
        const QString name = Path_Name_Part(editor.Documents()[shown.slot].file_path);
        if (name != shown.name && editor.Status()->Text(1) == shown.name) editor.Status()->Set_Text(1, name);
        shown.name = name;
    });
}

} // namespace zol
