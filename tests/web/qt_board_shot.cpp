// qt_board_shot OUT_DIR TILE...: the desktop window's board as the player sees
// it after START (OUT_DIR/started.png) and after clicking the tiles given
// (OUT_DIR/moved.png), for the web edition to be compared with.
#include <QApplication>
#include <QImage>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/wiring.h"
#include "desktop/binding/appearance.h"
#include "desktop/binding/binding.h"
#include "form/form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: qt_board_shot OUT_DIR TILE...\n", stderr);
        return 2;
    }
    platform::qt::installFontSubstitutes();
    platform::VirtualClock clock;
    tembira::Form1 form(clock);
    tembira::wire(form);
    platform::qt::Binding binding(form);
    form.load();
    binding.window()->show();

    const auto save = [&](const char* name) {
        const QString file = QString::fromLocal8Bit(argv[1]) + "/" + name;
        return binding.widget(form.Picture1)->grab().toImage().save(file);
    };
    clock.advance(1);
    platform::Window::click(form.HAJIME);
    clock.advance(1);
    platform::Window::click(form.START);
    clock.advance(1);
    bool saved = save("started.png");
    for (int i = 2; i < argc; ++i) {
        platform::Window::click(form.PANEL[std::atoi(argv[i])]);
        clock.advance(1000); // the slowest slide ends well within this
    }
    saved = save("moved.png") && saved;
    return saved ? 0 : 1;
}
