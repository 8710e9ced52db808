// tembira: the fifteen-tile sliding puzzle in its window.
#include <QApplication>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/keys.h"
#include "app/wiring.h"
#include "app/words.h"
#include "assist/assistant.h"
#include "desktop/binding/appearance.h"
#include "desktop/binding/binding.h"
#include "desktop/binding/qt_clock.h"
#include "desktop/drawing/dense_pictures.h"
#include "desktop/records_window/records_window.h"
#include "form/form1.h"
#include "play/session.h"
#include "tembira_version.h"

namespace {

bool set(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// The display Qt is about to open, as the environment names it.
std::string displayAsked() {
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (set(variable))
            return std::string(variable) + "=" + std::getenv(variable);
    return "none";
}

// While the application object is made, Qt's fatal message (a display that
// does not answer, a platform plugin that is missing) would abort the
// program after a few lines of advice; say instead, on one line, which
// display could not be opened. Other messages wait until Qt is up.
struct StartupMessages {
    static inline QtMessageHandler qt = nullptr;
    static inline std::vector<std::pair<QtMsgType, QString>> held;

    static void take(QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtFatalMsg) {
            held.emplace_back(type, message);
            return;
        }
        std::fprintf(stderr,
                     "tembira: cannot open the display (%s); run it inside a desktop session, "
                     "or under xvfb-run\n",
                     displayAsked().c_str());
        std::_Exit(1);
    }
    StartupMessages() { qt = qInstallMessageHandler(take); }
    ~StartupMessages() {
        qInstallMessageHandler(qt);
        for (const auto& [type, message] : held)
            qt(type, QMessageLogContext(), message);
    }
};

// The records file in the user's data folder ($XDG_DATA_HOME/tembira).
QString recordsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/records.txt";
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
    std::optional<StartupMessages> startup(std::in_place);
    QApplication app(argc, argv);
    startup.reset();
    QApplication::setApplicationName("tembira");
    QApplication::setApplicationVersion(TEMBIRA_VERSION);
    platform::qt::installFontSubstitutes();

    platform::qt::QtClock clock;
    tembira::Form1 form(clock);
    tembira::wire(form);
    platform::qt::Binding binding(form);
    binding.setSharperPictures(tembira::desktop::drawPicture);
    binding.onClose = [&clock] { clock.endProgram(); };
    binding.accepting = [&clock](const platform::Control& control) {
        if (clock.ended())
            return false;
        clock.noteClick(control.name());
        return true;
    };
    clock.timeFits = [&](const std::string& text) { return binding.fits(form.TIME1, text); };
    binding.setKeyRule([&form](platform::Key key, platform::Control* focused) {
        return tembira::keyAction(form, key, focused);
    });
    binding.setDescriber(
        [&form](const platform::Control& c) { return tembira::accessibleText(form, c); });

    // The hint (H), the solution played out (S), undo and redo, new boards
    // and the records, from keys and the context menu.
    tembira::Assistant assistant(form);
    assistant.click = [&binding](platform::Control& c) { binding.click(c); };
    assistant.mark = [&binding](const platform::Control& tile, const std::string& note) {
        binding.mark(tile, note, 1500);
    };
    tembira::Session session(form, assistant, recordsPath().toStdString());
    session.click = [&binding](platform::Control& c) { binding.click(c); };
    session.note = [&binding](const std::string& note) { binding.noteBeside(note, 10000); };
    session.showRecords = [&] {
        tembira::desktop::showRecordsWindow(
            binding.window(), form,
            [&session]() -> const records::Records& { return session.records(); },
            [&session] { session.clearRecords(); });
    };
    binding.setCommands([&session](platform::Key key) { return session.commandKey(key); },
                        [&session] { session.playerInput(); },
                        [&session] { return session.menu(); });

    form.load();
    binding.window()->show();
    return QApplication::exec();
}
