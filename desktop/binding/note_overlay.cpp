#include "desktop/binding/note_overlay.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace platform::qt {

namespace {

constexpr int outline = 3;
constexpr int padding = 4;

} // namespace

NoteOverlay::NoteOverlay(QWidget* window) : QWidget(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    QFont bigger = font();
    bigger.setPixelSize(16);
    bigger.setBold(true);
    setFont(bigger);
    hide_.setSingleShot(true);
    QObject::connect(&hide_, &QTimer::timeout, this, &QWidget::hide);
    hide();
}

void NoteOverlay::showNote(const QRect& target, const QString& note, int ms) {
    target_ = target;
    note_ = note;
    setGeometry(parentWidget()->rect());
    raise();
    show();
    update();
    hide_.start(ms);
}

// Beside the target, on whichever side has room, level with its middle.
QRect NoteOverlay::noteBox() const {
    const QFontMetrics metrics(font());
    const QSize size(metrics.horizontalAdvance(note_) + 2 * padding,
                     metrics.height() + 2 * padding);
    const int gap = outline + 2;
    int x = target_.right() + gap;
    if (x + size.width() > width())
        x = target_.left() - gap - size.width();
    x = std::clamp(x, 0, std::max(0, width() - size.width()));
    const int y = std::clamp(target_.center().y() - size.height() / 2, 0,
                             std::max(0, height() - size.height()));
    return QRect(QPoint(x, y), size);
}

void NoteOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // White around black: one of the two stands out on every cell colour.
    painter.setPen(QPen(Qt::white, outline + 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(target_.adjusted(1, 1, -2, -2));
    painter.setPen(QPen(Qt::black, outline - 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(target_.adjusted(1, 1, -2, -2));

    const QRect box = noteBox();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(255, 255, 224));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.drawText(box, Qt::AlignCenter, note_);
}

} // namespace platform::qt
