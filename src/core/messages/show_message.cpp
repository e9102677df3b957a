#include "core/messages/show_message.h"


namespace zol {

namespace {
MessagePresenter* g_presenter = nullptr;
}

MessagePresenter* Set_Message_Presenter(MessagePresenter* presenter)
{
    MessagePresenter* previous = g_presenter;
    g_presenter = presenter;
    return previous;
}

MessagePresenter* Message_Presenter() { return g_presenter; }

std::vector<MessageButton> Message_Buttons(int buttons)
{
    using B = MessageButton;
    switch (buttons) {
    case MB_OKCANCEL: return {B::Ok, B::Cancel};
    case MB_ABORTRETRYIGNORE: return {B::Abort, B::Retry, B::Ignore};
    case MB_YESNOCANCEL: return {B::Yes, B::No, B::Cancel};
    case MB_YESNO: return {B::Yes, B::No};
    case MB_RETRYCANCEL: return {B::Retry, B::Cancel};
    default: return {B::Ok};
    }
}

MessageIcon Message_Icon(int icon)
{
    switch (icon) {
    case 1: return MessageIcon::Information;
    case 2: return MessageIcon::Question;
    case 3:
    case 4: return MessageIcon::Exclamation;
    case 5: return MessageIcon::Stop;
    default: return MessageIcon::None;
    }
}

int Message_Default_Index(int default_button, int button_count)
{
    // Only the first to fourth button can be named; an index past the last shown button falls
    // back to the first, as a box with fewer buttons would.
    if (default_button < 0 || default_button > 3 || default_button >= button_count) return 0;
    return default_button;
}

MessageModality Message_Modality(int modality)
{
    switch (modality) {
    case 1: return MessageModality::System;
    case 2: return MessageModality::NoFocus;
    case 4:
    case 5: return MessageModality::Application;
    default: return MessageModality::Task;
    }
}

QString Message_Result(MessageButton button)
{
    switch (button) {
    case MessageButton::Ok: return QStringLiteral("Ok");
    case MessageButton::Cancel: return QStringLiteral("Cancel");
    case MessageButton::Abort: return QStringLiteral("Abort");
    case MessageButton::Retry: return QStringLiteral("Retry");
    case MessageButton::Ignore: return QStringLiteral("Ignore");
    case MessageButton::No: return QStringLiteral("No");
    case MessageButton::Close: return QStringLiteral("Close");
    default: return QStringLiteral("Help");
    }
}

QString Show_Message(QObject* owner, const QString& caption, const QString& text, int buttons,
                     int icon, int default_button, int modality)
{
    MessageRequest request;
    request.owner = owner;
    request.caption = caption;
    request.text = text;
    request.buttons = Message_Buttons(buttons);
    request.icon = Message_Icon(icon);
    request.default_index = Message_Default_Index(default_button, int(request.buttons.size()));
    request.modality = Message_Modality(modality);
    if (!g_presenter) return Message_Result(request.buttons[std::size_t(request.default_index)]);
    return Message_Result(g_presenter->present(request));
}

} // namespace zol
