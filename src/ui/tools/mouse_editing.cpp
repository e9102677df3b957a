#include "ui/tools/mouse_editing.h"

#include "ui/windows/lists.h"
#include "ui/windows/map_view.h"
#include "ui/windows/map_viewer.h"
#include "ui/dialogs/event_link_dialog.h"
#include "core/editing/clipboard.h"
#include "core/editing/drawing_tools.h"
#include "ui/windows/toolbar.h"
#include "core/editing/tool_state.h"
#include "core/editing/undo.h"
#include "ui/frame/zol.h"

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

bool Clipboard_Has_Area(const ProgramState& state) { return state.clipboard.has_area(); }

// Pastes the clipboard with its top-left corner at (x, y) and redraws what it wrote, also when
// a full table stopped it part way.
bool Paste(Zol& frame, int slot, int x, int y)
{
    ProgramState& state = frame.State();
    const PasteResult pasted = Paste_Area(state.documents[slot], x, y, state.clipboard);
    if (pasted.written_any) Redraw_Cells(frame, slot, pasted.written);
    Refresh_Lists_Of(frame, slot);
    return pasted.written_any;
}

// The release of a left drag with cut, copy or copy without background.
bool Copy(Zol& frame, int slot, int x, int y)
{
    ProgramState& state = frame.State();
    edit_form& doc = state.documents[slot];
    const int tool = state.tools.current;
    const CellRect rect = CellRect::Between(state.tools.selection_x, state.tools.selection_y, x, y);
    // A cut can be undone: the map before it is the newest step.
    if (tool == kCut) Record_Step(frame, slot);
    const CopyMode mode = tool == kCut ? CopyMode::Cut
                          : tool == kCopy ? CopyMode::Copy
                                          : CopyMode::CopyWithoutBackground;
    CellRect copied;
    if (!Copy_Area(doc, rect, mode, state.background_cell, state.clipboard, &copied)) {
        Set_Paste_Enabled(frame, false);
        return false;
    }
    if (tool == kCut) {
        Redraw_Cells(frame, slot, copied);
        Refresh_Lists_Of(frame, slot);
    }
    Set_Paste_Enabled(frame, true);
    return true;
}

// Shows the dotted outline of the cells from (ax, ay) to (x, y) over the picture.
void Show_Band(Zol& frame, int slot, int ax, int ay, int x, int y)
{
    const edit_form& doc = frame.Documents()[slot];
    const int s = frame.State().cell_size;
    const CellRect r = CellRect::Between(ax, ay, x, y);
    frame.State().maps[std::size_t(slot)].picture->Set_Overlay(
        QRect((r.x1 - doc.scroll_x) * s, (r.y1 - doc.scroll_y) * s, (r.x2 - r.x1 + 1) * s,
              (r.y2 - r.y1 + 1) * s));
}

uint8_t Button_Value(Zol& frame, int slot, bool right)
{
    const CellPalette& palette = frame.State().palette;
    return frame.Documents()[slot].drawing_value((right ? palette.r_cell : palette.l_cell) & 0x3f);
}

// The pen: one cell, drawn at once.
bool Pen(Zol& frame, int slot, int x, int y, uint8_t value)
{
    edit_form& doc = frame.Documents()[slot];
    if (!doc.contains(x, y)) return false;
    doc.cell(x, y) = value;
    Draw_Window_Cell(frame, slot, x, y);
    return true;
}

bool Flood_Fill(Zol& frame, int slot, int x, int y, const Pattern& pattern)
{
    ProgramState& state = frame.State();
    edit_form& doc = state.documents[slot];
    if (!state.ready || !doc.contains(x, y)) return false;
    winlib::BusyScope busy(state.ready);
    const bool painted = Paint(doc, x, y, pattern, state.fill_rate, Fill_Seed(frame));
    Redraw_Map(frame, slot);
    Draw_Whole_Map(frame);
    return painted;
}

void Press(Zol& frame, int slot, const winlib::EventArgs& args, bool right, bool double_click)
{
    edit_form& doc = frame.Documents()[slot];
    doc.last_mouse_x = args.x;
    doc.last_mouse_y = args.y;
    int x = 0, y = 0;
    Cell_Under(frame, slot, args.x, args.y, x, y);

    const winlib::ButtonSnapshot b = winlib::Buttons_Now();
    const bool modifiers = b.shift || b.ctrl || b.alt;
    const int held = int(b.left) + int(b.right) + int(b.middle);
    if (double_click || modifiers || held > 1) {
        Open_Event_Link(frame, slot, x, y);
        return;
    }
    Press_Tool(frame, slot, x, y, right);
    if (doc.contains(x, y)) Show_Cell_Status(frame, slot, x, y);
}

} // namespace

void Press_Tool(Zol& frame, int slot, int x, int y, bool right)
{
    ProgramState& state = frame.State();
    edit_form& doc = state.documents[slot];
    const int tool = state.tools.current;
    const bool area = Clipboard_Has_Area(state);
    const bool records = tool == kPen || tool == kRectangleFill || tool == kRectangleEdges ||
                         tool == kFloodFill || tool == kPatternRectangle || tool == kPatternFill ||
                         (tool == kPaste && area) || (Is_Selection_Tool(tool) && right && area);
    if (records) Record_Step(frame, slot);

    bool changed = false;
    switch (tool) {
    case kPen: changed = Pen(frame, slot, x, y, Button_Value(frame, slot, right)); break;
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
        changed = Flood_Fill(frame, slot, x, y, Pattern::Single(Button_Value(frame, slot, right)));
        break;
    case kPatternFill:
        if (state.pattern.exists())
            changed = Flood_Fill(frame, slot, x, y, Drawing_Pattern(doc, state.pattern));
        break;
    case kCut:
    case kCopy:
    case kCopyWithoutBackground:
        if (!right) {
            state.tools.selection_x = x;
            state.tools.selection_y = y;
        } else if (area) {
            changed = Paste(frame, slot, x, y);
        }
        break;
    case kPaste:
        if (area) changed = Paste(frame, slot, x, y);
        break;
    default: break;
    }
    // A change is kept even when a message box during the press swallows the release.
    if (changed) doc.saved = 0;
}

bool Pen_Stroke(Zol& frame, int slot, int x, int y, bool right)
{
    return Pen(frame, slot, x, y, Button_Value(frame, slot, right));
}

namespace {

void Move(Zol& frame, int slot, const winlib::EventArgs& args)
{
    ProgramState& state = frame.State();
    edit_form& doc = state.documents[slot];
    doc.last_mouse_x = args.x;
    doc.last_mouse_y = args.y;
    int x = 0, y = 0;
    Cell_Under(frame, slot, args.x, args.y, x, y);
    if (doc.contains(x, y)) Show_Cell_Status(frame, slot, x, y);

    const winlib::ButtonSnapshot b = winlib::Buttons_Now();
    const bool plain = !b.shift && !b.ctrl && !b.alt && !b.middle;
    const bool left_alone = plain && b.left && !b.right;
    const bool right_alone = plain && b.right && !b.left;
    const int tool = state.tools.current;
    if (tool == kPen) {
        if (left_alone || right_alone) Pen(frame, slot, x, y, Button_Value(frame, slot, right_alone));
    } else if (Is_Selection_Tool(tool)) {
        if (left_alone) Show_Band(frame, slot, state.tools.selection_x, state.tools.selection_y, x, y);
        else if (!b.left && !b.right && !b.middle) Show_Map_Picture(frame, slot);
    } else if (Is_Rectangle_Tool(state) && (left_alone || right_alone)) {
        Show_Band(frame, slot, state.tools.anchor_x, state.tools.anchor_y, x, y);
    }
}

void Release(Zol& frame, int slot, const winlib::EventArgs& args, bool right)
{
    int x = 0, y = 0;
    Cell_Under(frame, slot, args.x, args.y, x, y);
    Release_Tool(frame, slot, x, y, right);
}

} // namespace

bool Dragging_Rectangle(Zol& frame)
{
    return Is_Rectangle_Tool(frame.State());
}

void Release_Tool(Zol& frame, int slot, int x, int y, bool right)
{
    ProgramState& state = frame.State();
    edit_form& doc = state.documents[slot];
    if (Is_Rectangle_Tool(state)) {
        // The end is kept to the map; the anchor may come from another map and is clipped.
        x = std::clamp(x, 0, doc.width() - 1);
        y = std::clamp(y, 0, doc.height() - 1);
        const CellRect rect = CellRect::Between(state.tools.anchor_x, state.tools.anchor_y, x, y);
        const uint8_t value = (right ? state.palette.r_cell : state.palette.l_cell) & 0x3f;
        switch (state.tools.current) {
        case kRectangleFill: Rectangle_Fill(doc, rect, value, state.fill_rate, Fill_Seed(frame)); break;
        case kRectangleEdges: Rectangle_Edges(doc, rect, value); break;
        default: Pattern_Rectangle(doc, rect, state.pattern, state.fill_rate, Fill_Seed(frame)); break;
        }
        Redraw_Cells(frame, slot, rect);
    }
    if (Is_Selection_Tool(state.tools.current) && !right) {
        x = std::clamp(x, 0, doc.width() - 1);
        y = std::clamp(y, 0, doc.height() - 1);
        if (!Copy(frame, slot, x, y)) return; // a failed copy leaves the map as it was
        Show_Map_Picture(frame, slot);        // the band goes
    }
    doc.saved = 0;
}

bool Editing_Suspended(Zol& frame)
{
    const ProgramState& state = frame.State();
    return state.event_link.Is_Open() || state.fill_rate_dialog.Is_Open() ||
           state.background_dialog.Is_Open() || state.map_size_dialog.Is_Open() ||
           state.pattern_size_dialog.Is_Open() || state.pattern_maker.window.Is_Open();
}

void Record_Step(Zol& frame, int slot)
{
    Save_Step(frame.Documents()[slot]);
    Set_Undo_Enabled(frame, true);
}

uint32_t Fill_Seed(Zol& frame) { return uint32_t(frame.State().clock.elapsed()); }

void Cell_Under(Zol& frame, int slot, int px, int py, int& x, int& y)
{
    const edit_form& doc = frame.Documents()[slot];
    const int s = frame.State().cell_size;
    x = Floor_Div(px, s) + doc.scroll_x;
    y = Floor_Div(py, s) + doc.scroll_y;
}

void Bind_Map_Mouse(Zol& frame, winlib::WPictureBox* picture)
{
    // Each handler finds its map by the picture that raised the event.
    auto bind = [&frame, picture](const char* name, auto action) {
        winlib::Bind(picture, QString::fromLatin1(name), [&frame, action](QObject* sender, winlib::EventArgs& args) {
            if (Editing_Suspended(frame)) return;
            for (int s = 0; s < kMaxDocuments; ++s) {
                if (frame.Map_Window(s) && frame.State().maps[std::size_t(s)].picture == sender) {
                    action(s, args);
                    return;
                }
            }
        });
    };
    bind("LeftButtonDownEvent", [&frame](int s, winlib::EventArgs& a) { Press(frame, s, a, false, false); });
    bind("RightButtonDownEvent", [&frame](int s, winlib::EventArgs& a) { Press(frame, s, a, true, false); });
    bind("LeftButtonDoubleEvent", [&frame](int s, winlib::EventArgs& a) { Press(frame, s, a, false, true); });
    bind("RightButtonDoubleEvent", [&frame](int s, winlib::EventArgs& a) { Press(frame, s, a, true, true); });
    bind("MouseMoveEvent", [&frame](int s, winlib::EventArgs& a) { Move(frame, s, a); });
    bind("LeftButtonUpEvent", [&frame](int s, winlib::EventArgs& a) { Release(frame, s, a, false); });
    bind("RightButtonUpEvent", [&frame](int s, winlib::EventArgs& a) { Release(frame, s, a, true); });
}

} // namespace zol
