// Map windows: building one for a slot, resizing it a cell at a time, the close question and
// freeing the slot when it is destroyed.

#include "display/map_view.h"
#include "documents/file_path.h"
#include "shell/show_message.h"
#include "shell/zol.h"

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
    // One cell per notch through the scroll bars' own steps; Shift turns the wheel sideways.
    const auto bars = findChildren<winlib::WScrollBar*>();
    const bool sideways = event->modifiers() & Qt::ShiftModifier;
    const int delta = event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    const int notches = delta / 120 != 0 ? delta / 120 : (delta > 0 ? 1 : delta < 0 ? -1 : 0);
    for (winlib::WScrollBar* bar : bars) {
        if ((bar->orientation() == Qt::Horizontal) != sideways || !bar->isVisible()) continue;
        for (int i = 0; i < std::abs(notches); ++i)
            bar->triggerAction(notches > 0 ? QAbstractSlider::SliderSingleStepSub
                                           : QAbstractSlider::SliderSingleStepAdd);
    }
    event->accept();
}

namespace {

int Slot_Of_Control(Zol& frame, QObject* control)
{
    const auto& maps = frame.State().maps;
    for (int s = 0; s < kMaxDocuments; ++s) {
        const MapControls& map = maps[std::size_t(s)];
        if (!map.window) continue;
        if (control == map.window || control == map.picture || control == map.vertical ||
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
    const int new_width = map.window->width();
    const int new_height = map.window->height();
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
        state.ready = false;
        Redraw_Map(frame, slot);
        state.ready = true;
    }
    map.picture->show();
    doc.layout_done = true;
}

void Close_Question(Zol& frame, int slot, winlib::EventArgs& args)
{
    edit_form& doc = frame.Documents()[slot];
    if (doc.saved == 1) return;
    const QString answer =
        Show_Message(&frame, QStringLiteral("閉じる前に…"),
                     Path_File_Name(doc.file_path) + QStringLiteral("を保存しますか？"),
                     MB_YESNOCANCEL, MB_ICON_QUESTION);
    if (answer == kAnswerCancel || (answer == kAnswerYes && !Save_Map_As(frame, slot)))
        args.allow = false;
}

// Frees what a slot held for its window; the window itself is being destroyed or was deleted.
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
    MapControls& map = frame.State().maps[std::size_t(slot)];
    if (!map.window) return;
    FormChild* window = map.window;
    Release_Window_Slot(frame, slot);
    delete window;
    Update_File_Menu(frame);
}

bool addChild(Zol& frame, int slot)
{
    ProgramState& state = frame.State();
    if (state.maps[std::size_t(slot)].window) Close_Map(frame, slot);
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
    map.window = window;
    map.picture = new winlib::WPictureBox(window->Content());
    map.vertical = new winlib::WScrollBar(Qt::Vertical, window->Content());
    map.horizontal = new winlib::WScrollBar(Qt::Horizontal, window->Content());
    map.picture->installEventFilter(window);
    doc.window = window;

    winlib::Bind(window, QStringLiteral("DestroyEvent"), [&frame](QObject* sender, winlib::EventArgs&) {
        const int s = frame.Documents().Slot_Of_Window(sender);
        if (s < 0) return;
        Release_Window_Slot(frame, s);
        Update_File_Menu(frame);
    });
    winlib::Bind(window, QStringLiteral("CloseEvent"), [&frame](QObject* sender, winlib::EventArgs& args) {
        const int s = Slot_Of_Control(frame, sender);
        if (s >= 0) Close_Question(frame, s, args);
    });
    winlib::Bind(window, QStringLiteral("ResizeEvent"), [&frame](QObject* sender, winlib::EventArgs&) {
        const int s = Slot_Of_Control(frame, sender);
        if (s >= 0) Resize_Step(frame, s);
    });
    winlib::Bind(map.picture, QStringLiteral("MouseMoveEvent"), [&frame](QObject* sender, winlib::EventArgs& args) {
        const int s = Slot_Of_Control(frame, sender);
        if (s < 0) return;
        edit_form& d = frame.Documents()[s];
        d.last_mouse_x = args.x;
        d.last_mouse_y = args.y;
        const int size = frame.State().cell_size;
        const int x = args.x / size + d.scroll_x;
        const int y = args.y / size + d.scroll_y;
        if (args.x >= 0 && args.y >= 0 && x < d.width() && y < d.height()) Show_Cell_Status(frame, s, x, y);
    });
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
    return true;
}

} // namespace zol
