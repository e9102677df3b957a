#pragma once
// A message presenter for tests: records every box and answers from a queue.

#include "core/messages/show_message.h"

#include <QStringList>

#include <deque>
#include <vector>

namespace zol {

// Records every box and answers from a queue; when the queue is empty it answers the default
// button. Installs itself for its lifetime.
class ScriptedPresenter : public MessagePresenter {
public:
    ScriptedPresenter();
    ~ScriptedPresenter() override;
    ScriptedPresenter(const ScriptedPresenter&) = delete;
    ScriptedPresenter& operator=(const ScriptedPresenter&) = delete;

    void answer(MessageButton button) { answers_.push_back(button); }
    MessageButton present(const MessageRequest& request) override;

    const std::vector<MessageRequest>& calls() const { return calls_; }
    const MessageRequest& last() const { return calls_.back(); }
    std::size_t pending_answers() const { return answers_.size(); }
    void clear() { calls_.clear(); answers_.clear(); }
    // Captions of all calls, in order, for compact assertions.
    QStringList captions() const;

private:
    std::deque<MessageButton> answers_;
    std::vector<MessageRequest> calls_;
    MessagePresenter* previous_ = nullptr;
};

} // namespace zol
