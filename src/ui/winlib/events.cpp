// Handlers bound by event name, the mouse button snapshot and the pointer position.

#include "ui/winlib/winlib.h"

#include <QCursor>
#include <QGuiApplication>

#include <unordered_map>

namespace zol::winlib {

namespace {

using Handler_Table = std::map<QString, Handler>;

// Every object with bound handlers; an entry goes when its object is destroyed.
std::unordered_map<QObject*, Handler_Table>& Tables()
{
    // Never freed: objects that outlive static destruction may still report their end.
    static auto* tables = new std::unordered_map<QObject*, Handler_Table>;
    return *tables;
}

std::optional<ButtonSnapshot>& Button_Override()
{
    static std::optional<ButtonSnapshot> snapshot;
    return snapshot;
}

std::optional<QPoint>& Pointer_Override()
{
    static std::optional<QPoint> position;
    return position;
}

} // namespace

void Bind(QObject* control, const QString& event_name, Handler handler)
{
    if (!control) return;
    auto& tables = Tables();
    auto found = tables.find(control);
    if (found == tables.end()) {
        found = tables.emplace(control, Handler_Table{}).first;
        QObject::connect(control, &QObject::destroyed, [control] { Tables().erase(control); });
    }
    found->second[event_name] = std::move(handler);
}

void Unbind(QObject* control, const QString& event_name)
{
    auto& tables = Tables();
    const auto found = tables.find(control);
    if (found != tables.end()) found->second.erase(event_name);
}

bool Fire(QObject* control, const QString& event_name, EventArgs& args)
{
    const auto& tables = Tables();
    const auto table = tables.find(control);
    if (table == tables.end()) return false;
    const auto entry = table->second.find(event_name);
    if (entry == table->second.end() || !entry->second) return false;
    // A copy, so that a handler may rebind or unbind its own event while it runs.
    const Handler handler = entry->second;
    args.name = event_name;
    handler(control, args);
    return true;
}

bool Fire(QObject* control, const QString& event_name, int x, int y)
{
    EventArgs args;
    args.x = x;
    args.y = y;
    return Fire(control, event_name, args);
}

ButtonSnapshot Buttons_Now()
{
    if (Button_Override()) return *Button_Override();
    // Qt reports the logical buttons: a swapped mouse already gives its primary as left.
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    const Qt::KeyboardModifiers modifiers = QGuiApplication::keyboardModifiers();
    ButtonSnapshot snapshot;
    snapshot.left = buttons & Qt::LeftButton;
    snapshot.right = buttons & Qt::RightButton;
    snapshot.middle = buttons & Qt::MiddleButton;
    snapshot.shift = modifiers & Qt::ShiftModifier;
    snapshot.ctrl = modifiers & Qt::ControlModifier;
    snapshot.alt = modifiers & Qt::AltModifier;
    return snapshot;
}

void Override_Buttons(std::optional<ButtonSnapshot> snapshot)
{
    Button_Override() = snapshot;
}

QPoint Pointer_Position()
{
    if (Pointer_Override()) return *Pointer_Override();
    return QCursor::pos();
}

void Override_Pointer(std::optional<QPoint> global_position)
{
    Pointer_Override() = global_position;
}

} // namespace zol::winlib
