#include "ui/windows/map_viewer.h"

#include "ui/windows/map_view.h"
#include "core/render/whole_map.h"
#include "core/map/file_path.h"
#include "ui/tools/mouse_editing.h"
#include "core/editing/tool_state.h"
#include "ui/frame/zol.h"

namespace zol {

namespace {

constexpr int kChooserWidth = 256;

bool Showing(Zol& frame, int slot) { return slot >= 0 && Viewer_Slot(frame) == slot; }

// Shows the view image with the outline of what slot's map window shows, and its numbers.
void Show_Image_With_Outline(Zol& frame, int slot)
{
    ViewerControls& viewer = frame.State().viewer;
    viewer.picture->Set_Image(viewer.image);
    const MapControls& map = frame.State().maps[std::size_t(slot)];
    if (!map.picture) return;
    const QRect cells = Visible_Cells(frame.Documents()[slot], map.picture->width(), map.picture->height(),
                                      frame.State().cell_size);
    viewer.picture->Set_Overlay(cells, Qt::white, Qt::SolidLine);
    viewer.status->Set_Text(0, View_Rectangle_Text(cells));
}

// Moves slot's map window so that it centres on cell (x, y), when it stays inside the map; the
// scroll bars redraw the window.
void Recentre_Window(Zol& frame, int slot, int x, int y)
{
    MapControls& map = frame.State().maps[std::size_t(slot)];
    const int s = frame.State().cell_size;
    const std::optional<QPoint> at =
        Recentre(frame.Documents()[slot], map.picture->width() / s, map.picture->height() / s, x, y);
    if (!at) return;
    map.horizontal->setValue(at->x());
    map.vertical->setValue(at->y());
    Show_View_Rectangle(frame, slot);
}

void Show_Band(Zol& frame, int ax, int ay, int x, int y)
{
    ViewerControls& viewer = frame.State().viewer;
    const CellRect r = CellRect::Between(ax, ay, x, y);
    viewer.picture->Set_Image(viewer.image);
    viewer.picture->Set_Overlay(QRect(r.x1, r.y1, r.x2 - r.x1 + 1, r.y2 - r.y1 + 1), Qt::white, Qt::SolidLine);
}

// The shown map's slot and the cell under (px, py), or -1 when the pointer is off the map.
int Cell_Of(Zol& frame, const winlib::EventArgs& args)
{
    const int slot = Viewer_Slot(frame);
    if (slot < 0 || !frame.Documents()[slot].contains(args.x, args.y)) return -1;
    return slot;
}

void Press(Zol& frame, const winlib::EventArgs& args, bool right)
{
    const int slot = Cell_Of(frame, args);
    if (slot < 0) return;
    ViewerControls& viewer = frame.State().viewer;
    if (right) {
        Recentre_Window(frame, slot, args.x, args.y);
        return;
    }
    viewer.anchor_slot = slot;
    Press_Tool(frame, slot, args.x, args.y, false);
    viewer.status->Set_Text(0, Cell_Status_Text(frame.Documents()[slot], args.x, args.y));
}

void Move(Zol& frame, const winlib::EventArgs& args)
{
    const int slot = Cell_Of(frame, args);
    if (slot < 0) return;
    ProgramState& state = frame.State();
    const winlib::ButtonSnapshot b = winlib::Buttons_Now();
    const bool plain = !b.shift && !b.ctrl && !b.alt && !b.middle;
    if (plain && b.right && !b.left) {
        Recentre_Window(frame, slot, args.x, args.y);
        return;
    }
    if (plain && b.left && !b.right && state.viewer.anchor_slot == slot) {
        const int tool = state.tools.current;
        if (tool == kPen) Pen_Stroke(frame, slot, args.x, args.y, false);
        else if (tool == kCut || tool == kCopy || tool == kCopyWithoutBackground)
            Show_Band(frame, state.tools.selection_x, state.tools.selection_y, args.x, args.y);
        else if (Dragging_Rectangle(frame))
            Show_Band(frame, state.tools.anchor_x, state.tools.anchor_y, args.x, args.y);
    }
    state.viewer.status->Set_Text(0, Cell_Status_Text(state.documents[slot], args.x, args.y));
}

void Release(Zol& frame, const winlib::EventArgs& args, bool right)
{
    ViewerControls& viewer = frame.State().viewer;
    const int shown = Viewer_Slot(frame);
    if (right) {
        // Wherever the pointer is now, the window shows the place the drag chose.
        if (shown >= 0) Redraw_Map(frame, shown);
        return;
    }
    // Only a press in the view on this map set the anchors the release reads.
    const int slot = Cell_Of(frame, args);
    const bool anchored = slot >= 0 && viewer.anchor_slot == slot;
    viewer.anchor_slot = -1;
    if (!anchored) return;
    Release_Tool(frame, slot, args.x, args.y, false);
    Show_View_Rectangle(frame, slot);
}

} // namespace

int Viewer_Slot(Zol& frame)
{
    const ViewerControls& viewer = frame.State().viewer;
    if (!viewer.window) return -1;
    const int entry = viewer.chooser->currentIndex();
    if (entry < 0 || entry >= int(viewer.entry_slots.size())) return -1;
    const int slot = viewer.entry_slots[std::size_t(entry)];
    return frame.Map_Window(slot) ? slot : -1;
}

void Draw_Whole_Map(Zol& frame)
{
    ViewerControls& viewer = frame.State().viewer;
    if (!viewer.window) return;
    const int slot = Viewer_Slot(frame);
    const QColor background = viewer.window->Content()->palette().color(QPalette::Window);
    Render_Whole_Map(viewer.image, slot >= 0 ? &frame.Documents()[slot] : nullptr, frame.State().palette_colours,
                     slot >= 0 ? background.rgb() : qRgb(0, 0, 0));
    viewer.picture->Set_Image(viewer.image);
    if (slot >= 0) Show_View_Rectangle(frame, slot);
}

void Draw_Map_Cell(Zol& frame, int x, int y, int slot)
{
    if (!Showing(frame, slot)) return;
    Render_Map_Pixel(frame.State().viewer.image, frame.Documents()[slot], frame.State().palette_colours, x, y);
    Show_View_Rectangle(frame, slot);
}

void Draw_Map_Cells(Zol& frame, const CellRect& rect, int slot)
{
    if (!Showing(frame, slot)) return;
    const edit_form& doc = frame.Documents()[slot];
    for (int x = std::max(rect.x1, 0); x <= std::min(rect.x2, doc.width() - 1); ++x)
        for (int y = std::max(rect.y1, 0); y <= std::min(rect.y2, doc.height() - 1); ++y)
            Render_Map_Pixel(frame.State().viewer.image, doc, frame.State().palette_colours, x, y);
    Show_View_Rectangle(frame, slot);
}

void Show_View_Rectangle(Zol& frame, int slot)
{
    if (Showing(frame, slot)) Show_Image_With_Outline(frame, slot);
}

void Fill_Map_Chooser(Zol& frame)
{
    ViewerControls& viewer = frame.State().viewer;
    if (!viewer.window) return;
    viewer.chooser->clear();
    viewer.entry_slots.clear();
    for (int s = 0; s < kMaxDocuments; ++s) {
        if (!frame.Map_Window(s)) continue;
        viewer.chooser->addItem(Path_Name_Part(frame.Documents()[s].file_path));
        viewer.entry_slots.push_back(s);
    }
    viewer.chooser->setCurrentIndex(viewer.entry_slots.empty() ? -1 : 0);
    Draw_Whole_Map(frame);
}

void Viewer_Command(Zol& frame)
{
    ProgramState& state = frame.State();
    if (state.viewer.window) return;
    auto* window = new FormChild;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    window->setWindowTitle(QStringLiteral("全体表示"));
    frame.Client()->addSubWindow(window);
    ViewerControls& viewer = state.viewer;
    viewer.window = window;
    QWidget* content = window->Content();
    viewer.chooser = new winlib::WComboBox(content);
    viewer.chooser->setGeometry(5, 5, kChooserWidth, viewer.chooser->sizeHint().height());
    viewer.picture = new winlib::WPictureBox(content);
    viewer.picture->setGeometry(5, viewer.chooser->geometry().bottom() + 6, kViewSide, kViewSide);
    viewer.status = new winlib::WStatusBar(1, content);
    viewer.status->setSizeGripEnabled(false);
    const int status_top = viewer.picture->geometry().bottom() + 6;
    viewer.status->setGeometry(0, status_top, kChooserWidth + 10, 22);
    window->Set_Content_Size(kChooserWidth + 10, status_top + 22);
    viewer.image = New_View_Image();
    winlib::Place_At_Pointer(window, &frame);

    winlib::Bind(viewer.chooser, QStringLiteral("SelectEvent"), [&frame](QObject*, winlib::EventArgs&) { Draw_Whole_Map(frame); });
    auto* picture = viewer.picture;
    winlib::Bind(picture, QStringLiteral("LeftButtonDownEvent"), [&frame](QObject*, winlib::EventArgs& a) { if (!Editing_Suspended(frame)) Press(frame, a, false); });
    winlib::Bind(picture, QStringLiteral("RightButtonDownEvent"), [&frame](QObject*, winlib::EventArgs& a) { if (!Editing_Suspended(frame)) Press(frame, a, true); });
    winlib::Bind(picture, QStringLiteral("MouseMoveEvent"), [&frame](QObject*, winlib::EventArgs& a) { if (!Editing_Suspended(frame)) Move(frame, a); });
    winlib::Bind(picture, QStringLiteral("LeftButtonUpEvent"), [&frame](QObject*, winlib::EventArgs& a) { if (!Editing_Suspended(frame)) Release(frame, a, false); });
    winlib::Bind(picture, QStringLiteral("RightButtonUpEvent"), [&frame](QObject*, winlib::EventArgs& a) { if (!Editing_Suspended(frame)) Release(frame, a, true); });
    winlib::Bind(window, QStringLiteral("DestroyEvent"), [&frame](QObject*, winlib::EventArgs&) {
        frame.State().viewer = ViewerControls{};
        frame.Menu_Item(ID_WHOLE_MAP)->setChecked(false);
    });
    window->show();
    frame.Menu_Item(ID_WHOLE_MAP)->setCheckable(true);
    frame.Menu_Item(ID_WHOLE_MAP)->setChecked(true);
    Fill_Map_Chooser(frame);
}

} // namespace zol
