#include "form/board_state.h"

#include <cmath>

namespace tembira {

void BoardState::initialise() {
    SOLVED = 0;
    PICKNO = 0;
    STEP = std::int16_t(speedSteps[1]);
    for (int n = 1; n <= 15; ++n) {
        HOMELEFT[n] = std::int16_t(cellLeft(n));
        HOMETOP[n] = std::int16_t(cellTop(n));
    }
    resetEmptyMarker();
}

void BoardState::resetEmptyMarker() {
    for (int k = 1; k <= 15; ++k)
        EMPTY[k] = 0;
    EMPTY[16] = 1;
}

int BoardState::emptyCell() const {
    for (int k = 1; k <= 16; ++k)
        if (EMPTY[k] == 1)
            return k;
    return 0;
}

std::int16_t toInteger(float twips) {
    float rounded = std::nearbyint(twips);
    if (!(rounded >= -32768.0f))
        return -32768;
    if (rounded > 32767.0f)
        return 32767;
    return std::int16_t(rounded);
}

} // namespace tembira
