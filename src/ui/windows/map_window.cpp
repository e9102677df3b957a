// Map windows: building one for a slot, resizing it a cell at a time, the close question and
// freeing the slot when it is destroyed.

#include "ui/windows/lists.h"
#include "ui/windows/map_view.h"
#include "ui/windows/map_viewer.h"
#include "ui/dialogs/event_link_dialog.h"
#include "ui/tools/mouse_editing.h"
#include "core/map/file_path.h"
#include "ui/dialogs/save_question.h"
#include "core/messages/show_message.h"
#include "ui/frame/zol.h"

#include <QTimer>
#include <QWheelEvent>

namespace zol {

FormChild::FormChild(QWidget* parent) : winlib::FormChild_Base(parent)
{
    setWindowTitle(QStringLiteral("FormChild"));
}

bool FormChild::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return winlib::FormChild_Base::eventFilter(watched, event);
}

void FormChild::wheelEvent(QWheelEvent* event)
{
    // One cell per notch (120 units) through the scroll bars' own steps; smaller deltas from
    // high-resolution wheels and touchpads add up to whole cells. Shift turns the wheel sideways.
    const bool sideways = event->modifiers() & Qt::ShiftModifier;
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    int& pending = sideways ? wheel_x_ : wheel_y_;
    if ((pending > 0 && delta < 0) || (pending < 0 && delta > 0)) pending = 0; // turned back
    pending += delta;
    const int cells = pending / kWheelNotch;
    pending -= cells * kWheelNotch;
    for (winlib::WScrollBar* bar : findChildren<winlib::WScrollBar*>()) {
        if ((bar->orientation() == Qt::Horizontal) != sideways || !bar->isVisible()) continue;
        for (int i = 0; i < std::abs(cells); ++i)
            bar->triggerAction(cells > 0 ? QAbstractSlider::SliderSingleStepSub
                                         : QAbstractSlider::SliderSingleStepAdd);
    }
    event->accept();
}

namespace {

int Slot_Of_Control(Zol& frame, QObject* control)
{
    for (int s = 0; s < kMaxDocuments; ++s) {
        const MapControls& map = frame.State().maps[std::size_t(s)];
        const FormChild* window = frame.Map_Window(s);
        if (!window) continue;
        if (control == window || control == map.picture || control == map.vertical ||
            control == map.horizontal)
            return s;
    }
    return -1;
}

// The map picture's size in steps of one displayed cell per resize event.
void Resize_Step(Zol& frame, int slot)
{
    ProgramState& state = frame.State();
    edit_form& doc = state.documents[slot];
    MapControls& map = state.maps[std::size_t(slot)];
    if (!doc.layout_done) return;
    const int s = state.cell_size;
    const int new_width = frame.Map_Window(slot)->width();
    const int new_height = frame.Map_Window(slot)->height();
    QSize picture = map.picture->size();
    doc.layout_done = false;
    map.picture->hide();
    if (new_width < doc.window_width && picture.width() > s) picture.rwidth() -= s;
    else if (new_width > doc.window_width && picture.width() < doc.width() * s) picture.rwidth() += s;
    if (new_height < doc.window_height && picture.height() > s) picture.rheight() -= s;
    else if (new_height > doc.window_height && picture.height() < doc.height() * s)
        picture.rheight() += s;
    map.picture->resize(picture);
    Layout_Map_View(frame, slot);
    if (state.ready) {
        winlib::BusyScope busy(state.ready);
        Redraw_Map(frame, slot);
    }
    map.picture->show();
    doc.layout_done = true;
}

// Frees what a slot held for its window; the window itself is being destroyed.
void Release_Window_Slot(Zol& frame, int slot)
{
    ProgramState& state = frame.State();
    edit_form& doc = state.documents[slot];
    doc.file_path.clear();
    doc.window = nullptr;
    doc.layout_done = false;
    doc.scroll_x = doc.scroll_y = 0;
    Reset_Map(doc);
    state.maps[std::size_t(slot)] = MapControls{};
}

} // namespace

void Close_Map(Zol& frame, int slot)
{
    delete frame.Map_Window(slot);
}

bool addChild(Zol& frame, int slot)
{
    ProgramState& state = frame.State();
    if (frame.Map_Window(slot)) Close_Map(frame, slot);
    if (!state.palette.exists) {
        Show_Message(&frame, QStringLiteral("ちょっと待ってよ…"),
                     QStringLiteral("先にセルパレットを作成してください"), MB_OK,
                     MB_ICON_EXCLAMATION);
        return false;
    }
    edit_form& doc = state.documents[slot];
    auto* window = new FormChild;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    frame.Client()->addSubWindow(window);
    window->move(10, 10);

    MapControls& map = state.maps[std::size_t(slot)];
    map.picture = new winlib::WPictureBox(window->Content());
    map.vertical = new winlib::WScrollBar(Qt::Vertical, window->Content());
    map.horizontal = new winlib::WScrollBar(Qt::Horizontal, window->Content());
    map.picture->installEventFilter(window);
    doc.window = window;

    winlib::Bind(window, QStringLiteral("DestroyEvent"), [&frame](QObject* sender, winlib::EventArgs&) {
        const int s = frame.Documents().Slot_Of_Window(sender);
        if (s < 0) return;
        Close_Event_Link(frame);
        frame.State().map_size_dialog.Close();
        Forget_Recovery(frame, s); // saved, or the user chose not to
        Release_Window_Slot(frame, s);
        Update_File_Menu(frame);
        Refresh_All_Lists(frame);
        Fill_Map_Chooser(frame);
        // Once the window is gone, the map window on top becomes the active one again (the
        // area would otherwise leave the palette window active).
        QTimer::singleShot(0, &frame, [&frame] { frame.Activate_Top_Map(); });
    });
    winlib::Bind(window, QStringLiteral("CloseEvent"), [&frame](QObject* sender, winlib::EventArgs& args) {
        const int s = Slot_Of_Control(frame, sender);
        if (s >= 0 && Settle_Map(frame, s, SaveQuestion::WindowClose) == SaveOutcome::Cancelled)
            args.allow = false;
    });
    winlib::Bind(window, QStringLiteral("ResizeEvent"), [&frame](QObject* sender, winlib::EventArgs&) {
        const int s = Slot_Of_Control(frame, sender);
        if (s >= 0) Resize_Step(frame, s);
    });
    Bind_Map_Mouse(frame, map.picture);
    for (winlib::WScrollBar* bar : {map.vertical, map.horizontal}) {
        const bool vertical = bar == map.vertical;
        winlib::Bind(bar, QStringLiteral("ScrollEvent"), [&frame, vertical](QObject* sender, winlib::EventArgs& args) {
            const int s = Slot_Of_Control(frame, sender);
            if (s >= 0) Scroll_Map(frame, s, vertical, args.scroll_code, args.position);
        });
    }

    doc.saved = 1;
    doc.layout_done = false;
    doc.scroll_x = doc.scroll_y = 0;
    const int s = state.cell_size;
    map.picture->setGeometry(0, 0, s * (640 / s), s * (480 / s));
    window->show();
    Layout_Map_View(frame, slot);
    Refresh_All_Lists(frame);
    Fill_Map_Chooser(frame);
    return true;
}

} // namespace zol
