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

void NoteOverlay::showNoteInside(const QRect& area, const QString& note, int ms) {
    showNote(area, note, ms);
    inside_ = true;
}

void NoteOverlay::showNote(const QRect& target, const QString& note, int ms) {
    inside_ = false;
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
    if (inside_) {
        const QRect room = target_.adjusted(padding, padding, -padding, -padding);
        const QRect text = metrics.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, note_);
        const QSize size(text.width() + 2 * padding, text.height() + 2 * padding);
        return QRect(QPoint(target_.center().x() - size.width() / 2,
                            target_.bottom() - padding - size.height()),
                     size);
    }
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
    const QRect box = noteBox();
    if (inside_) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(QColor(255, 255, 224));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, note_);
        return;
    }
    // White around black: one of the two stands out on every cell colour.
    painter.setPen(QPen(Qt::white, outline + 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(target_.adjusted(1, 1, -2, -2));
    painter.setPen(QPen(Qt::black, outline - 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(target_.adjusted(1, 1, -2, -2));

    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(255, 255, 224));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.drawText(box, Qt::AlignCenter, note_);
}

} // namespace platform::qt
