// The records in a small window of the desktop's own kind: one row for each
// kind of board, and a way to clear them after a confirmation.
#pragma once

#include <functional>

#include "records/records.h"

class QWidget;

namespace tembira {

struct Form1;

namespace desktop {

// Shows the records over parent until closed; clear runs once the player
// has confirmed, and the window then shows what records() gives.
void showRecordsWindow(QWidget* parent, const Form1& f,
                       const std::function<const records::Records&()>& records,
                       const std::function<void()>& clear);

} // namespace desktop
} // namespace tembira
