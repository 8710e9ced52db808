// tembira-render OUTDIR: draws the solved board through the Qt binding,
// offscreen, and writes the pictures made from it: board.png (256 x 255),
// board32.png (32 x 32, for the icon), opening.png (the board with the title
// across it), board.svg (the icon as a drawing, its numbers as outlines) and
// opening.svg (the opening as such a drawing, for the page on dense screens).
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "desktop/binding/appearance.h"
#include "desktop/drawing/board_drawing.h"
#include "desktop/render/outline_svg.h"

using namespace tembira::desktop;

namespace {

// Drawn this many times finer than the screen, then scaled down.
constexpr int detail = 4;

// The board as an SVG drawing, 256 x 256 by default, on white as board.png;
// with the title across it, as the opening.
bool writeSvg(const QString& file, bool titled) {
    const SolvedBoard board;
    OutlineSvg svg(file, board.size(), {256, 256}, QString::fromUtf8("１５パズル"));
    QPainter(&svg).fillRect(QRect(QPoint(0, 0), board.size()), Qt::white);
    board.paint(svg);
    if (titled) {
        QPainter painter(&svg);
        paintTitle(painter, board.size());
    }
    return svg.finish();
}

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
                         shrink(opening, {256, 255}).save(out.filePath("opening.png")) &&
                         writeSvg(out.filePath("board.svg"), false) &&
                         writeSvg(out.filePath("opening.svg"), true);
    if (!written) {
        std::fprintf(stderr, "tembira-render: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
