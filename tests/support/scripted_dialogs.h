#pragma once
// A file and colour dialog presenter for tests: records every request and answers from queues.

#include "ui/winlib/winlib.h"

#include <deque>
#include <optional>
#include <vector>

namespace zol::winlib {

// Records every request and answers from queues (an empty answer = cancelled). With an empty
// queue it cancels. Installs itself for its lifetime.
class ScriptedDialogs : public DialogPresenter {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    void Answer_File(std::optional<QString> path) { files_.push_back(std::move(path)); }
    void Answer_Colour(std::optional<QColor> colour) { colours_.push_back(colour); }
    std::optional<QString> Choose_File(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<QColor> Choose_Colour(QWidget* owner, const QColor& initial) override;
    const std::vector<FileDialogRequest>& File_Requests() const { return file_requests_; }
    int Colour_Requests() const { return colour_requests_; }

private:
    std::deque<std::optional<QString>> files_;
    std::deque<std::optional<QColor>> colours_;
    std::vector<FileDialogRequest> file_requests_;
    int colour_requests_ = 0;
    DialogPresenter* previous_ = nullptr;
};

} // namespace zol::winlib
