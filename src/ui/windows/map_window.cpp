// Map windows: building one for a slot, resizing it a cell at a time, the close question,
// following the changes of its map, and freeing the slot when it is destroyed.

#include "ui/dialogs/edit_settings.h"
#include "core/messages/texts.h"
#include "ui/dialogs/event_link_dialog.h"
#include "ui/dialogs/map_size_dialog.h"
#include "ui/dialogs/saving.h"
#include "ui/tools/mouse_editing.h"
#include "ui/windows/map_view.h"
#include "core/messages/show_message.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QTimer>

namespace zol {

namespace {

int Slot_Of_Control(Editor& editor, QObject* control)
{
    for (int s = 0; s < kMaxDocuments; ++s) {
        const MapControls& map = Map_Controls(editor, s);
        const FormChild* window = editor.Map_Window(s);
        if (!window) continue;
        if (control == window || control == map.picture || control == map.vertical ||
            control == map.horizontal)
            return s;
    }
    return -1;
}

// The map picture's size in steps of one displayed cell per resize event.
void Resize_Step(Editor& editor, int slot)
{
    ProgramState& state = editor.State();
    edit_form& doc = state.documents[slot];
    MapControls& map = Map_Controls(editor, slot);
    if (!doc.layout_done) return;
    const int s = state.cell_size;
    const int new_width = editor.Map_Window(slot)->width();
    const int new_height = editor.Map_Window(slot)->height();
    QSize picture = map.picture->size();
    doc.layout_done = false;
    map.picture->hide();
    if (new_width < doc.window_width && picture.width() > s) picture.rwidth() -= s;
    else if (new_width > doc.window_width && picture.width() < doc.width() * s) picture.rwidth() += s;
    if (new_height < doc.window_height && picture.height() > s) picture.rheight() -= s;
    else if (new_height > doc.window_height && picture.height() < doc.height() * s)
        picture.rheight() += s;
    map.picture->resize(picture);
    Layout_Map_View(editor, slot);
    Chosen_Picture_Size(editor, slot) = map.picture->size(); // what the user asked for, kept by zooms
    if (state.ready) {
        winlib::BusyScope busy(state.ready);
        Redraw_Map(editor, slot);
    }
    map.picture->show();
    doc.layout_done = true;
}

// Frees what a slot held for its window; the window itself is being destroyed.
void Release_Window_Slot(Editor& editor, int slot)
{
    edit_form& doc = editor.Documents()[slot];
    doc.file_path.clear();
    doc.window = nullptr;
    doc.layout_done = false;
    doc.scroll_x = doc.scroll_y = 0;
    Reset_Map(doc);
    Map_Controls(editor, slot) = MapControls{};
    Chosen_Picture_Size(editor, slot) = QSize();
}

// The press, move and release handlers of the picture, each finding its map by the picture
// that raised the event.
void Bind_Mouse(Editor& editor, winlib::WPictureBox* picture)
{
    auto bind = [&editor, picture](const char* name, auto action) {
        winlib::Bind(picture, QString::fromLatin1(name), [&editor, action](QObject* sender, winlib::EventArgs& args) {
            if (Editing_Suspended(editor)) return;
            const int s = Slot_Of_Control(editor, sender);
            if (s >= 0 && Map_Controls(editor, s).picture == sender) action(s, Map_Controls(editor, s).picture, args);
        });
    };
    using Args = winlib::EventArgs;
    using Picture = winlib::WPictureBox*;
    bind("LeftButtonDownEvent", [&editor](int s, Picture p, Args& a) { Map_Press(editor, s, p, a, false, false); });
    bind("RightButtonDownEvent", [&editor](int s, Picture p, Args& a) { Map_Press(editor, s, p, a, true, false); });
    bind("LeftButtonDoubleEvent", [&editor](int s, Picture p, Args& a) { Map_Press(editor, s, p, a, false, true); });
    bind("RightButtonDoubleEvent", [&editor](int s, Picture p, Args& a) { Map_Press(editor, s, p, a, true, true); });
    bind("MouseMoveEvent", [&editor](int s, Picture p, Args& a) { Map_Move(editor, s, p, a); });
    bind("LeftButtonUpEvent", [&editor](int s, Picture p, Args& a) { Map_Release(editor, s, p, a, false); });
    bind("RightButtonUpEvent", [&editor](int s, Picture p, Args& a) { Map_Release(editor, s, p, a, true); });
}

// The window shows what is announced of its map.
void Follow_Map(Editor& editor, int slot, FormChild* window)
{
    Changes& hub = editor.Hub();
    QObject::connect(&hub, &Changes::cellsChanged, window, [&editor, slot](int s, QRect cells) {
        if (s == slot) Redraw_Cells(editor, slot, cells);
    });
    QObject::connect(&hub, &Changes::mapChanged, window, [&editor, slot](int s) {
        if (s != slot) return;
        Layout_Map_View(editor, slot);
        Redraw_Map(editor, slot);
    });
    QObject::connect(&hub, &Changes::tablesChanged, window, [&editor, slot](int s) {
        if (s == slot) Show_Map_Caption(editor, slot); // it counts the links
    });
    QObject::connect(&hub, &Changes::mapsChanged, window, [&editor, slot] { Show_Map_Caption(editor, slot); });
    QObject::connect(&hub, &Changes::languageChanged, window, [&editor, slot] { Show_Map_Caption(editor, slot); });
    QObject::connect(&hub, &Changes::savedChanged, window, [&editor, slot, window](int s) {
        if (s == slot) window->setWindowModified(editor.Documents()[slot].saved == 0);
    });
    QObject::connect(&hub, &Changes::paletteChanged, window, [&editor, slot] { Redraw_Map(editor, slot); });
    QObject::connect(&hub, &Changes::zoomChanged, window, [&editor, slot] { Zoom_Map_View(editor, slot); });
}

} // namespace

void Close_Map(Editor& editor, int slot)
{
    delete editor.Map_Window(slot);
}

bool addChild(Editor& editor, int slot)
{
    ProgramState& state = editor.State();
    if (editor.Map_Window(slot)) Close_Map(editor, slot);
    if (!state.palette.exists) {
        Show_Message(&editor.Main_Window(), Text::tr("ちょっと待ってよ…"),
                     Text::tr("先にセルパレットを作成してください"), MB_OK,
                     MB_ICON_EXCLAMATION);
        return false;
    }
    edit_form& doc = state.documents[slot];
    auto* window = new FormChild;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    editor.Client()->addSubWindow(window);

    MapControls& map = Map_Controls(editor, slot);
    map.picture = new winlib::WPictureBox(window->Content());
    map.vertical = new winlib::WScrollBar(Qt::Vertical, window->Content());
    map.horizontal = new winlib::WScrollBar(Qt::Horizontal, window->Content());
    map.picture->installEventFilter(window);
    doc.window = window;

    winlib::Bind(window, QStringLiteral("DestroyEvent"), [&editor](QObject* sender, winlib::EventArgs&) {
        const int s = editor.Documents().Slot_Of_Window(sender);
        if (s < 0) return;
        Close_Event_Link(editor);
        Map_Size_Window(editor).Close();
        Release_Window_Slot(editor, s);
        emit editor.Hub().mapsChanged();
        // Once the window is gone, the map window on top becomes the active one again (the
        // area would otherwise leave the palette window active).
        QTimer::singleShot(0, &editor.Main_Window(), [&editor] { editor.Activate_Top_Map(); });
    });
    winlib::Bind(window, QStringLiteral("CloseEvent"), [&editor](QObject* sender, winlib::EventArgs& args) {
        const int s = Slot_Of_Control(editor, sender);
        if (s >= 0 && Settle_Map(editor, s, SaveQuestion::WindowClose) == SaveOutcome::Cancelled)
            args.allow = false;
    });
    winlib::Bind(window, QStringLiteral("ResizeEvent"), [&editor](QObject* sender, winlib::EventArgs&) {
        const int s = Slot_Of_Control(editor, sender);
        if (s >= 0) Resize_Step(editor, s);
    });
    Bind_Mouse(editor, map.picture);
    for (winlib::WScrollBar* bar : {map.vertical, map.horizontal}) {
        const bool vertical = bar == map.vertical;
        winlib::Bind(bar, QStringLiteral("ScrollEvent"), [&editor, vertical](QObject* sender, winlib::EventArgs& args) {
            const int s = Slot_Of_Control(editor, sender);
            if (s >= 0) Scroll_Map(editor, s, vertical, args.scroll_code, args.position);
        });
    }
    Follow_Map(editor, slot, window);

    doc.saved = 1;
    doc.layout_done = false;
    doc.scroll_x = doc.scroll_y = 0;
    const int s = state.cell_size;
    map.picture->setGeometry(0, 0, s * (640 / s), s * (480 / s));
    Chosen_Picture_Size(editor, slot) = QSize(640, 480);
    window->show();
    Layout_Map_View(editor, slot);
    Place_New_Map_Window(editor, slot);
    emit editor.Hub().mapsChanged();
    return true;
}

} // namespace zol
