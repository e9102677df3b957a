#include "scripted_dialogs.h"

namespace zol::winlib {

ScriptedDialogs::ScriptedDialogs() : previous_(Set_Dialog_Presenter(this)) {}

ScriptedDialogs::~ScriptedDialogs()
{
    Set_Dialog_Presenter(previous_);
}

std::optional<QString> ScriptedDialogs::Choose_File(QWidget*, const FileDialogRequest& request)
{
    file_requests_.push_back(request);
    std::optional<QString> answer;
    if (files_.empty()) return answer;
    if (files_.front()) answer = *files_.front();
    files_.pop_front();
    return answer;
}

std::optional<QColor> ScriptedDialogs::Choose_Colour(QWidget*, const QColor&)
{
    ++colour_requests_;
    if (colours_.empty()) return std::nullopt;
    const std::optional<QColor> answer = colours_.front();
    colours_.pop_front();
    return answer;
}

} // namespace zol::winlib
