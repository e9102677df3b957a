#pragma once
// Shows the program's messages in a QMessageBox.

#include "core/messages/show_message.h"

#include <QPointer>
#include <QWidget>

namespace zol {

class QtMessagePresenter : public MessagePresenter {
public:
    // Boxes whose caller names no owner are owned by fallback_owner (the main frame).
    explicit QtMessagePresenter(QWidget* fallback_owner = nullptr) : fallback_(fallback_owner) {}
    MessageButton present(const MessageRequest& request) override;

private:
    QPointer<QWidget> fallback_;
};

} // namespace zol
