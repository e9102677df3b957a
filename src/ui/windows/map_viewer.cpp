#include "ui/windows/map_viewer.h"
#include "core/messages/texts.h"

#include "core/editing/tool_state.h"
#include "core/render/map_renderer.h"
#include "core/render/whole_map.h"
#include "ui/dialogs/edit_settings.h"
#include "ui/tools/mouse_editing.h"
#include "ui/windows/map_view.h"

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>

namespace zol {

namespace {

constexpr int kChooserWidth = 256;
constexpr int kScaleWidth = 60;
constexpr int kMaxPictureSide = 512; // the most the view's picture takes of the frame
constexpr int kScales[] = {1, 2, 4, 8};

// Places the picture for the scale and sizes the window around it.
void Layout_Viewer(ViewerControls& viewer)
{
    const int side = std::min(kViewSide * viewer.scale, kMaxPictureSide);
    const int top = viewer.chooser->geometry().bottom() + 6;
    viewer.picture->setGeometry(5, top, side, side);
    viewer.picture->Set_Scale(viewer.scale);
    const int width = std::max(side, kChooserWidth + 5 + kScaleWidth) + 10;
    const int status_top = viewer.picture->geometry().bottom() + 6;
    viewer.status->setGeometry(0, status_top, width, 22);
    qobject_cast<FormChild*>(viewer.window.data())->Set_Content_Size(width, status_top + 22);
}

bool Showing(Editor& editor, int slot) { return slot >= 0 && Viewer_Slot(editor) == slot; }

// Shows the view image with the outline of what slot's map window shows, and its numbers.
void Show_Image_With_Outline(Editor& editor, int slot)
{
    ViewerControls& viewer = Viewer_Controls(editor);
    viewer.picture->Set_Image(viewer.image);
    const MapControls& map = Map_Controls(editor, slot);
    if (!map.picture) return;
    const QRect cells = Visible_Cells(editor.Documents()[slot], map.picture->width(), map.picture->height(),
                                      editor.State().cell_size);
    viewer.picture->Set_Overlay(cells, Qt::white, Qt::SolidLine);
    viewer.status->Set_Text(0, View_Rectangle_Text(cells));
}

// Moves slot's map window so that it centres on cell (x, y), when it stays inside the map; the
// scroll bars redraw the window.
void Recentre_Window(Editor& editor, int slot, int x, int y)
{
    MapControls& map = Map_Controls(editor, slot);
    const int s = editor.State().cell_size;
    const std::optional<QPoint> at =
        Recentre(editor.Documents()[slot], map.picture->width() / s, map.picture->height() / s, x, y);
    if (!at) return;
    map.horizontal->setValue(at->x());
    map.vertical->setValue(at->y());
    Show_View_Rectangle(editor, slot);
}

void Show_Band(Editor& editor, int ax, int ay, int x, int y)
{
    ViewerControls& viewer = Viewer_Controls(editor);
    const CellRect r = CellRect::Between(ax, ay, x, y);
    viewer.picture->Set_Image(viewer.image);
    viewer.picture->Set_Overlay(QRect(r.x1, r.y1, r.x2 - r.x1 + 1, r.y2 - r.y1 + 1), Qt::white, Qt::SolidLine);
}

// The shown map's slot and the cell under (px, py), or -1 when the pointer is off the map.
int Cell_Of(Editor& editor, const winlib::EventArgs& args)
{
    const int slot = Viewer_Slot(editor);
    if (slot < 0 || !editor.Documents()[slot].contains(args.x, args.y)) return -1;
    return slot;
}

void Press(Editor& editor, const winlib::EventArgs& args, bool right)
{
    const int slot = Cell_Of(editor, args);
    if (slot < 0) return;
    ViewerControls& viewer = Viewer_Controls(editor);
    if (right) {
        Recentre_Window(editor, slot, args.x, args.y);
        return;
    }
    viewer.anchor_slot = slot;
    viewer.stroke_last = QPoint(args.x, args.y);
    Press_Tool(editor, slot, args.x, args.y, false);
    viewer.status->Set_Text(0, Cell_Status_Text(editor.Documents()[slot], args.x, args.y));
}

void Move(Editor& editor, const winlib::EventArgs& args)
{
    const int slot = Cell_Of(editor, args);
    if (slot < 0) return;
    ProgramState& state = editor.State();
    const winlib::ButtonSnapshot b = winlib::Buttons_Now();
    const bool plain = !b.shift && !b.ctrl && !b.alt && !b.middle;
    if (plain && b.right && !b.left) {
        Recentre_Window(editor, slot, args.x, args.y);
        return;
    }
    if (plain && b.left && !b.right && Viewer_Controls(editor).anchor_slot == slot) {
        const int tool = state.tools.current;
        if (tool == kPen) {
            QPoint& last = Viewer_Controls(editor).stroke_last;
            Pen_Stroke(editor, slot, last.x(), last.y(), args.x, args.y, false);
            last = QPoint(args.x, args.y);
        }
        else if (tool == kCut || tool == kCopy || tool == kCopyWithoutBackground)
            Show_Band(editor, state.tools.selection_x, state.tools.selection_y, args.x, args.y);
        else if (Dragging_Rectangle(editor))
            Show_Band(editor, state.tools.anchor_x, state.tools.anchor_y, args.x, args.y);
    }
    Viewer_Controls(editor).status->Set_Text(0, Cell_Status_Text(state.documents[slot], args.x, args.y));
}

void Release(Editor& editor, const winlib::EventArgs& args, bool right)
{
    ViewerControls& viewer = Viewer_Controls(editor);
    const int shown = Viewer_Slot(editor);
    if (right) {
        // Wherever the pointer is now, the window shows the place the drag chose.
        if (shown >= 0) Redraw_Map(editor, shown);
        return;
    }
    // Only a press in the view on this map set the anchors the release reads.
    const int slot = Cell_Of(editor, args);
    const bool anchored = slot >= 0 && viewer.anchor_slot == slot;
    viewer.anchor_slot = -1;
    if (!anchored) return;
    Release_Tool(editor, slot, args.x, args.y, false);
    Show_View_Rectangle(editor, slot);
}

} // namespace

ViewerControls& Viewer_Controls(Editor& editor) { return editor.State().windows.Get<ViewerControls>(); }

int Viewer_Slot(Editor& editor)
{
    const ViewerControls& viewer = Viewer_Controls(editor);
    if (!viewer.window) return -1;
    const int entry = viewer.chooser->currentIndex();
    if (entry < 0 || entry >= int(viewer.entry_slots.size())) return -1;
    const int slot = viewer.entry_slots[std::size_t(entry)];
    return editor.Map_Window(slot) ? slot : -1;
}

void Draw_Whole_Map(Editor& editor)
{
    ViewerControls& viewer = Viewer_Controls(editor);
    if (!viewer.window) return;
    const int slot = Viewer_Slot(editor);
    const QColor background = viewer.window->Content()->palette().color(QPalette::Window);
    Render_Whole_Map(viewer.image, slot >= 0 ? &editor.Documents()[slot] : nullptr, editor.State().palette_colours,
                     slot >= 0 ? background.rgb() : qRgb(0, 0, 0));
    viewer.picture->Set_Image(viewer.image);
    if (slot >= 0) Show_View_Rectangle(editor, slot);
}

void Draw_Map_Cells(Editor& editor, const QRect& cells, int slot)
{
    if (!Showing(editor, slot)) return;
    Render_Map_Cells(Viewer_Controls(editor).image, editor.Documents()[slot], editor.State().palette_colours, cells);
    Show_View_Rectangle(editor, slot);
}

void Show_View_Rectangle(Editor& editor, int slot)
{
    if (Showing(editor, slot)) Show_Image_With_Outline(editor, slot);
}

void Fill_Map_Chooser(Editor& editor)
{
    ViewerControls& viewer = Viewer_Controls(editor);
    if (!viewer.window) return;
    Fill_Open_Maps_Chooser(editor, viewer.chooser, viewer.entry_slots);
    Draw_Whole_Map(editor);
}

void Set_Viewer_Scale(Editor& editor, int scale)
{
    ViewerControls& viewer = Viewer_Controls(editor);
    if (!viewer.window) return;
    viewer.scale = scale;
    for (int entry = 0; entry < int(std::size(kScales)); ++entry)
        if (kScales[entry] == scale && viewer.scale_chooser->currentIndex() != entry)
            viewer.scale_chooser->setCurrentIndex(entry);
    Layout_Viewer(viewer);
    Draw_Whole_Map(editor);
}

void Viewer_Command(Editor& editor)
{
    if (Viewer_Controls(editor).window) return;
    auto* window = new FormChild;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    window->setWindowTitle(Text::tr("全体表示"));
    editor.Client()->addSubWindow(window);
    ViewerControls& viewer = Viewer_Controls(editor);
    viewer.window = window;
    QWidget* content = window->Content();
    viewer.chooser = new winlib::WComboBox(content);
    viewer.chooser->setGeometry(5, 5, kChooserWidth, viewer.chooser->sizeHint().height());
    viewer.scale_chooser = new winlib::WComboBox(content);
    for (int scale : kScales) viewer.scale_chooser->addItem(Text::tr("×%1").arg(scale));
    viewer.scale_chooser->setGeometry(5 + kChooserWidth + 5, 5, kScaleWidth, viewer.chooser->sizeHint().height());
    viewer.scale = 1;
    viewer.picture = new winlib::WPictureBox(content);
    viewer.status = new winlib::WStatusBar(1, content);
    viewer.status->setSizeGripEnabled(false);
    Layout_Viewer(viewer);
    viewer.image = New_View_Image();
    winlib::Place_At_Pointer(window, &editor.Main_Window());

    winlib::Bind(viewer.chooser, QStringLiteral("SelectEvent"), [&editor](QObject*, winlib::EventArgs&) { Draw_Whole_Map(editor); });
    winlib::Bind(viewer.scale_chooser, QStringLiteral("SelectEvent"), [&editor](QObject*, winlib::EventArgs&) {
        const int entry = Viewer_Controls(editor).scale_chooser->currentIndex();
        if (entry >= 0 && entry < int(std::size(kScales))) Set_Viewer_Scale(editor, kScales[entry]);
    });
    auto* picture = viewer.picture;
    winlib::Bind(picture, QStringLiteral("LeftButtonDownEvent"), [&editor](QObject*, winlib::EventArgs& a) { if (!Editing_Suspended(editor)) Press(editor, a, false); });
    winlib::Bind(picture, QStringLiteral("RightButtonDownEvent"), [&editor](QObject*, winlib::EventArgs& a) { if (!Editing_Suspended(editor)) Press(editor, a, true); });
    winlib::Bind(picture, QStringLiteral("MouseMoveEvent"), [&editor](QObject*, winlib::EventArgs& a) { if (!Editing_Suspended(editor)) Move(editor, a); });
    winlib::Bind(picture, QStringLiteral("LeftButtonUpEvent"), [&editor](QObject*, winlib::EventArgs& a) { if (!Editing_Suspended(editor)) Release(editor, a, false); });
    winlib::Bind(picture, QStringLiteral("RightButtonUpEvent"), [&editor](QObject*, winlib::EventArgs& a) { if (!Editing_Suspended(editor)) Release(editor, a, true); });
    winlib::Bind(window, QStringLiteral("DestroyEvent"), [&editor](QObject*, winlib::EventArgs&) {
        Viewer_Controls(editor) = ViewerControls{};
        editor.Menu_Item(ID_WHOLE_MAP)->setChecked(false);
    });
    // The view shows what is announced of the map it shows.
    Changes& hub = editor.Hub();
    QObject::connect(&hub, &Changes::cellsChanged, window,
                     [&editor](int slot, QRect cells) { Draw_Map_Cells(editor, cells, slot); });
    QObject::connect(&hub, &Changes::mapChanged, window, [&editor](int slot) {
        if (Viewer_Slot(editor) == slot) Draw_Whole_Map(editor);
    });
    QObject::connect(&hub, &Changes::mapsChanged, window, [&editor] { Fill_Map_Chooser(editor); });
    QObject::connect(&hub, &Changes::coloursChanged, window, [&editor] { Draw_Whole_Map(editor); });
    QObject::connect(&hub, &Changes::languageChanged, window, [&editor] {
        ViewerControls& viewer = Viewer_Controls(editor);
        viewer.window->setWindowTitle(Text::tr("全体表示"));
        for (int entry = 0; entry < int(std::size(kScales)); ++entry)
            viewer.scale_chooser->setItemText(entry, Text::tr("×%1").arg(kScales[entry]));
        Draw_Whole_Map(editor);
    });
    window->show();
    editor.Menu_Item(ID_WHOLE_MAP)->setCheckable(true);
    editor.Menu_Item(ID_WHOLE_MAP)->setChecked(true);
    Fill_Map_Chooser(editor);
}

} // namespace zol
