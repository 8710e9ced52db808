// tembira-render OUTDIR: draws the solved board through the Qt binding,
// offscreen, and writes the pictures made from it: board.png (256 x 255),
// board32.png (32 x 32, for the icon) and opening.png (the board with the
// title across it).
#include <QApplication>
#include <QDir>
#include <QImage>
#include <cstdio>

#include "platform/qt/appearance.h"
#include "platform/qt/desktop/board_drawing.h"

using namespace tembira::desktop;

namespace {

// Drawn this many times finer than the screen, then scaled down.
constexpr int detail = 4;

} // namespace

int main(int argc, char** argv) {
    // A generator: it never needs a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: tembira-render OUTDIR\n", stderr);
        return 2;
    }
    platform::qt::installFontSubstitutes();
    const QDir out(QString::fromLocal8Bit(argv[1]));

    QImage board = drawBoard(detail);
    QImage opening = board;
    writeTitle(opening);
    const bool written = shrink(board, {256, 255}).save(out.filePath("board.png")) &&
                         shrink(board, {32, 32}).save(out.filePath("board32.png")) &&
                         shrink(opening, {256, 255}).save(out.filePath("opening.png"));
    if (!written) {
        std::fprintf(stderr, "tembira-render: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
