#pragma once
// The child window class shared by map windows and the cell palette window.

#include "ui/winlib/winlib.h"

namespace zol {

class FormChild : public winlib::FormChild_Base {
    Q_OBJECT
public:
    explicit FormChild(QWidget* parent = nullptr);

    // Wheel turns over a watched control scroll this window.
    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    static constexpr int kWheelNotch = 120; // angle delta of one notch of a mouse wheel
    int wheel_x_ = 0;                       // wheel movement not yet turned into cells
    int wheel_y_ = 0;
};

} // namespace zol
