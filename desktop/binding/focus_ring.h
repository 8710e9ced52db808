// A focus ring that shows whatever the keyboard is on, wherever it is in the
// window, and only while the player uses the keyboard: a mouse player sees
// the window exactly as before.
#pragma once

#include <QWidget>

namespace platform::qt {

class FocusRing final : public QWidget {
  public:
    explicit FocusRing(QWidget* window);

    // Shows the ring around the window's focus widget when `keyboard` is
    // set, hides it otherwise; call again whenever either may have moved.
    void follow(bool keyboard);

    // Two bands of this width: black inside the control's edge, yellow
    // outside it, so that one of them stands out on any background.
    static constexpr int band = 2;

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    QRect ring_; // the focused control's rectangle, in the window
};

} // namespace platform::qt
