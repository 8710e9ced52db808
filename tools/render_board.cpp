// tembira-render OUTDIR: draws the solved board through the Qt binding,
// offscreen, and writes the pictures made from it: board.png (256 x 255),
// board32.png (32 x 32, for the icon) and opening.png (the board with the
// title across it).
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

#include "form/form1.h"
#include "platform/clock.h"
#include "platform/qt/appearance.h"
#include "platform/qt/binding.h"

namespace {

// Drawn this many times finer than the screen, then scaled down.
constexpr int detail = 4;

// The board's inside, as the player sees it once the game has started and
// the tiles are in order.
QImage renderBoard() {
    platform::VirtualClock clock;
    tembira::Form1 form(clock);
    for (int n = 1; n <= 15; ++n) {
        form.PANEL[n].setEnabled(true);
        form.PANEL[n].setForeColor(platform::buttonText);
    }
    form.GOHOUBI.setVisible(false);
    platform::qt::Binding binding(form);
    binding.window()->show();
    auto* frame = static_cast<platform::qt::PictureBoxWidget*>(binding.widget(form.Picture1));
    QWidget* inside = frame->inner();
    QImage image(inside->size() * detail, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(detail);
    image.fill(Qt::white);
    inside->render(&image);
    image.setDevicePixelRatio(1);
    return image;
}

// "１５パズル" across the middle: orange, thickened, with a dark outline.
void writeTitle(QImage& image) {
    QFont font(QString::fromUtf8("ＭＳ Ｐゴシック"));
    font.setPixelSize(100);
    font.setWeight(QFont::Bold);
    QPainterPath title;
    title.addText(0, 0, font, QString::fromUtf8("１５パズル"));
    // Scaled to nine tenths of the width, centred.
    const QRectF bounds = title.boundingRect();
    const double scale = image.width() * 0.9 / bounds.width();
    QTransform place;
    place.translate(image.width() / 2.0, image.height() / 2.0);
    place.scale(scale, scale);
    place.translate(-bounds.center().x(), -bounds.center().y());
    title = place.map(title);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = image.width() / 256.0; // one pixel of the final picture
    painter.setPen(QPen(QColor(48, 16, 0), 9 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(title);
    const QColor orange(255, 140, 0);
    painter.setPen(QPen(orange, 2 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(orange);
    painter.drawPath(title);
}

QImage shrink(const QImage& image, int width, int height) {
    return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
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

    QImage board = renderBoard();
    QImage opening = board;
    writeTitle(opening);
    const bool written = shrink(board, 256, 255).save(out.filePath("board.png")) &&
                         shrink(board, 32, 32).save(out.filePath("board32.png")) &&
                         shrink(opening, 256, 255).save(out.filePath("opening.png"));
    if (!written) {
        std::fprintf(stderr, "tembira-render: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
