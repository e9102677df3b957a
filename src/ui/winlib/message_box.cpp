#include "ui/winlib/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace zol {

namespace {
QMessageBox::StandardButton To_Standard(MessageButton button)
{
    switch (button) {
    case MessageButton::Ok: return QMessageBox::Ok;
    case MessageButton::Cancel: return QMessageBox::Cancel;
    case MessageButton::Abort: return QMessageBox::Abort;
    case MessageButton::Retry: return QMessageBox::Retry;
    case MessageButton::Ignore: return QMessageBox::Ignore;
    case MessageButton::Yes: return QMessageBox::Yes;
    case MessageButton::No: return QMessageBox::No;
    case MessageButton::Close: return QMessageBox::Close;
    case MessageButton::Help: return QMessageBox::Help;
    }
    return QMessageBox::Ok;
}

MessageButton From_Standard(int button)
{
    switch (button) {
    case QMessageBox::Ok: return MessageButton::Ok;
    case QMessageBox::Cancel: return MessageButton::Cancel;
    case QMessageBox::Abort: return MessageButton::Abort;
    case QMessageBox::Retry: return MessageButton::Retry;
    case QMessageBox::Ignore: return MessageButton::Ignore;
    case QMessageBox::No: return MessageButton::No;
    case QMessageBox::Close: return MessageButton::Close;
    default: return MessageButton::Yes;
    }
}

QMessageBox::Icon To_Icon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Stop: return QMessageBox::Critical;
    default: return QMessageBox::NoIcon;
    }
}
// The text with a break allowed every so often inside a long run without spaces (a long file
// name, say), so that the box wraps it instead of cutting it off.
QString Breakable(const QString& text)
{
    constexpr int kRun = 40;
    QString out;
    out.reserve(text.size() + text.size() / kRun);
    int run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kRun) {
            out += QChar(0x200B); // zero width space
            run = 1;
        }
        out += c;
    }
    return out;
}

} // namespace

MessageButton QtMessagePresenter::present(const MessageRequest& request)
{
    // Owned by the caller's window only when it can take the box; else by the frame, if usable.
    QWidget* owner = qobject_cast<QWidget*>(request.owner);
    if (!owner) owner = fallback_.data();
    if (owner && (!owner->isVisible() || !owner->isEnabled())) owner = nullptr;

    QPointer<QWidget> active = QApplication::activeWindow();
    QPointer<QWidget> focus = QApplication::focusWidget();

    QMessageBox box(owner);
    box.setWindowTitle(request.caption);
    box.setText(Breakable(request.text));
    box.setIcon(To_Icon(request.icon));
    QMessageBox::StandardButtons buttons;
    for (MessageButton b : request.buttons) buttons |= To_Standard(b);
    box.setStandardButtons(buttons);
    box.setDefaultButton(To_Standard(request.buttons[std::size_t(request.default_index)]));
    switch (request.modality) {
    case MessageModality::System:
        box.setWindowModality(Qt::ApplicationModal);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
        break;
    case MessageModality::NoFocus:
        box.setWindowModality(Qt::ApplicationModal);
        box.setAttribute(Qt::WA_ShowWithoutActivating);
        break;
    case MessageModality::Task:
    case MessageModality::Application:
        box.setWindowModality(Qt::ApplicationModal);
        break;
    }
    const int answer = box.exec();

    if (active) {
        active->activateWindow();
        active->raise();
    }
    if (focus) focus->setFocus();
    return From_Standard(answer);
}

} // namespace zol
