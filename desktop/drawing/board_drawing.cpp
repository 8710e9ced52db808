#include "desktop/drawing/board_drawing.h"

#include <QFont>
#include <QFrame>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "desktop/binding/binding.h"
#include "form/form1.h"
#include "platform/clock.h"

namespace tembira::desktop {

// The tiles in order and enabled, the board frame out of the way.
struct SolvedBoard::Window {
    platform::VirtualClock clock;
    tembira::Form1 form{clock};
    std::unique_ptr<platform::qt::Binding> binding;

    Window() {
        for (int n = 1; n <= 15; ++n) {
            form.PANEL[n].setEnabled(true);
            form.PANEL[n].setForeColor(platform::buttonText);
        }
        form.GOHOUBI.setVisible(false);
        binding = std::make_unique<platform::qt::Binding>(form);
    }

    // Where the board's inside lies in the window: within the board frame's
    // border. The window is never shown, so that no screen ever sees it;
    // drawing the whole window, not the inside widget, lays it out first.
    QRect inside() const {
        const auto* frame = static_cast<const QFrame*>(binding->widget(form.Picture1));
        return frame->contentsRect().translated(frame->mapTo(binding->window(), QPoint(0, 0)));
    }
};

SolvedBoard::SolvedBoard() : window_(std::make_unique<Window>()) {}
SolvedBoard::~SolvedBoard() = default;

QSize SolvedBoard::size() const {
    return window_->inside().size();
}

void SolvedBoard::paint(QPaintDevice& target) const {
    window_->binding->window()->render(&target, QPoint(0, 0), QRegion(window_->inside()));
}

namespace {

// Detail enough for a drawing at least twice as fine as size.
int detailFor(QSize size, QSize board) {
    const double finer = 2.0 * std::max(double(size.width()) / board.width(),
                                        double(size.height()) / board.height());
    return std::max(2, int(std::ceil(finer)));
}

QImage drawBoard(const SolvedBoard& board, int detail) {
    QImage image(board.size() * detail, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(detail);
    image.fill(Qt::white);
    board.paint(image);
    image.setDevicePixelRatio(1);
    return image;
}

} // namespace

QImage drawBoard(int detail) {
    return drawBoard(SolvedBoard(), detail);
}

void paintTitle(QPainter& painter, QSizeF size) {
    QFont font(QString::fromUtf8("ＭＳ Ｐゴシック"));
    font.setPixelSize(100);
    font.setWeight(QFont::Bold);
    QPainterPath title;
    title.addText(0, 0, font, QString::fromUtf8("１５パズル"));
    // Scaled to nine tenths of the width, centred.
    const QRectF bounds = title.boundingRect();
    const double scale = size.width() * 0.9 / bounds.width();
    QTransform place;
    place.translate(size.width() / 2.0, size.height() / 2.0);
    place.scale(scale, scale);
    place.translate(-bounds.center().x(), -bounds.center().y());
    title = place.map(title);

    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = size.width() / 256.0; // one pixel of the 256-pixel picture
    painter.setPen(QPen(QColor(48, 16, 0), 9 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(title);
    const QColor orange(255, 140, 0);
    painter.setPen(QPen(orange, 2 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(orange);
    painter.drawPath(title);
}

void writeTitle(QImage& image) {
    QPainter painter(&image);
    paintTitle(painter, image.size());
}

QImage shrink(const QImage& image, QSize size) {
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

QImage drawOpening(QSize size) {
    const SolvedBoard board;
    QImage image = drawBoard(board, detailFor(size, board.size()));
    writeTitle(image);
    return shrink(image, size);
}

QImage drawIcon(QSize size) {
    const SolvedBoard board;
    return shrink(drawBoard(board, detailFor(size, board.size())), size);
}

} // namespace tembira::desktop
