#include "desktop/binding/focus_ring.h"

#include <QApplication>
#include <QPainter>

namespace platform::qt {

FocusRing::FocusRing(QWidget* window) : QWidget(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusRing::follow(bool keyboard) {
    QWidget* window = parentWidget();
    QWidget* focus = QApplication::focusWidget();
    if (!keyboard || !focus || focus == window || focus->window() != window ||
        !focus->isVisibleTo(window)) {
        hide();
        return;
    }
    const QRect target(focus->mapTo(window, QPoint(0, 0)), focus->size());
    if (isVisible() && target == ring_)
        return;
    ring_ = target;
    setGeometry(window->rect());
    raise();
    show();
    update();
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Yellow on the window's dark blue is 11:1; black on the light faces of
    // the controls and on the board's colours is at least 5:1.
    const QRect outer = ring_.adjusted(-band, -band, band, band);
    painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), band), Qt::yellow);
    painter.fillRect(QRect(outer.left(), outer.bottom() - band + 1, outer.width(), band),
                     Qt::yellow);
    painter.fillRect(QRect(outer.left(), outer.top(), band, outer.height()), Qt::yellow);
    painter.fillRect(QRect(outer.right() - band + 1, outer.top(), band, outer.height()),
                     Qt::yellow);
    painter.fillRect(QRect(ring_.left(), ring_.top(), ring_.width(), band), Qt::black);
    painter.fillRect(QRect(ring_.left(), ring_.bottom() - band + 1, ring_.width(), band),
                     Qt::black);
    painter.fillRect(QRect(ring_.left(), ring_.top(), band, ring_.height()), Qt::black);
    painter.fillRect(QRect(ring_.right() - band + 1, ring_.top(), band, ring_.height()), Qt::black);
}

} // namespace platform::qt
