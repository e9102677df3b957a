#include "scripted_presenter.h"

namespace zol {

ScriptedPresenter::ScriptedPresenter() : previous_(Set_Message_Presenter(this)) {}

ScriptedPresenter::~ScriptedPresenter() { Set_Message_Presenter(previous_); }

MessageButton ScriptedPresenter::present(const MessageRequest& request)
{
    calls_.push_back(request);
    if (answers_.empty()) return request.buttons[std::size_t(request.default_index)];
    MessageButton answer = answers_.front();
    answers_.pop_front();
    return answer;
}

QStringList ScriptedPresenter::captions() const
{
    QStringList list;
    for (const MessageRequest& call : calls_) list << call.caption;
    return list;
}

} // namespace zol
