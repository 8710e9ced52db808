// tembira: the fifteen-tile sliding puzzle in its window.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/wiring.h"
#include "form/form1.h"
#include "platform/qt/appearance.h"
#include "platform/qt/binding.h"
#include "platform/qt/qt_clock.h"
#include "tembira_version.h"

namespace {

bool set(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

} // namespace

int main(int argc, char** argv) {
    // Qt would abort without a display; say what is needed instead.
    if (!set("DISPLAY") && !set("WAYLAND_DISPLAY") && !set("QT_QPA_PLATFORM")) {
        std::fputs("tembira: needs a graphical display (X11 or Wayland); run it inside a desktop "
                   "session, or under xvfb-run\n",
                   stderr);
        return 1;
    }

    // Fractional scale factors are kept as they are, so that the board's
    // pixel grid scales evenly on dense screens.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    QApplication::setApplicationName("tembira");
    QApplication::setApplicationVersion(TEMBIRA_VERSION);
    platform::qt::installFontSubstitutes();

    platform::qt::QtClock clock;
    tembira::Form1 form(clock);
    tembira::wire(form);
    platform::qt::Binding binding(form);
    binding.onClose = [&clock] { clock.endProgram(); };
    binding.accepting = [&clock] {
        if (clock.ended())
            return false;
        clock.noteClick();
        return true;
    };

    form.load();
    binding.window()->show();
    return QApplication::exec();
}
