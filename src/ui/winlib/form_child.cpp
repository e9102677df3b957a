#include "ui/winlib/form_child.h"

#include <QWheelEvent>

namespace zol {

FormChild::FormChild(QWidget* parent) : winlib::FormChild_Base(parent)
{
    setWindowTitle(QStringLiteral("FormChild"));
}

bool FormChild::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return winlib::FormChild_Base::eventFilter(watched, event);
}

void FormChild::wheelEvent(QWheelEvent* event)
{
    // One cell per notch (120 units) through the scroll bars' own steps; smaller deltas from
    // high-resolution wheels and touchpads add up to whole cells. Shift turns the wheel sideways.
    const bool sideways = event->modifiers() & Qt::ShiftModifier;
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    int& pending = sideways ? wheel_x_ : wheel_y_;
    if ((pending > 0 && delta < 0) || (pending < 0 && delta > 0)) pending = 0; // turned back
    pending += delta;
    const int cells = pending / kWheelNotch;
    pending -= cells * kWheelNotch;
    for (winlib::WScrollBar* bar : findChildren<winlib::WScrollBar*>()) {
        if ((bar->orientation() == Qt::Horizontal) != sideways || !bar->isVisible()) continue;
        for (int i = 0; i < std::abs(cells); ++i)
            bar->triggerAction(cells > 0 ? QAbstractSlider::SliderSingleStepSub
                                         : QAbstractSlider::SliderSingleStepAdd);
    }
    event->accept();
}

} // namespace zol
