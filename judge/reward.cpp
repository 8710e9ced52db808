#include "form/form1.h"
#include "judge/judge.h"

namespace tembira {

namespace {

constexpr float rewardStep = 80;

} // namespace

// Pictures 1 and 2 rise into the frame from below, picture 3 comes down from
// above; the arrival test comes before the move, so the tick after the image
// reaches its resting place stops the timer.
void GOHOUBITIME_Timer(Form1& f) {
    f.GOHOUBI.setVisible(true);
    Control* images[3] = {&f.GOHOUBI1, &f.GOHOUBI2, &f.GOHOUBI3};
    f.forSelectedPicture([&](int p) {
        Control& image = *images[p - 1];
        const float top = image.top();
        if (top == rewardRestingTop)
            f.GOHOUBITIME.setEnabled(false);
        else
            image.setTop(p == 3 ? top + rewardStep : top - rewardStep);
    });
}

} // namespace tembira
