#include "desktop/binding/widgets.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <cstdint>

#include "desktop/binding/appearance.h"

namespace platform::qt {

LabelWidget::LabelWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void LabelWidget::setText(const QString& text) {
    text_ = text;
    update();
}

void LabelWidget::setColours(const QColor& fore, const QColor& back) {
    fore_ = fore;
    back_ = back;
    update();
}

void LabelWidget::setHorizontalAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void LabelWidget::setOpaque(bool opaque) {
    opaque_ = opaque;
    update();
}

void LabelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (opaque_)
        painter.fillRect(rect(), back_);
    if (text_.isEmpty())
        return;
    // A caption wider than its label is clipped at the label's edges, not
    // condensed: with the window's faces a two-digit tile number is wider
    // than its tile, and the left-aligned "11" shows its left part.
    painter.setFont(font());
    const int flags = int(alignment_ | Qt::AlignVCenter) | Qt::TextWordWrap;
    if (isEnabled()) {
        painter.setPen(fore_);
        painter.drawText(rect(), flags, text_);
        return;
    }
    // Disabled text is etched: a light copy one pixel down and right of the
    // grey text.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawText(rect().translated(1, 1), flags, text_);
    painter.setPen(QColor(128, 128, 128));
    painter.drawText(rect(), flags, text_);
}

void LabelWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    pressed_ = true;
}

void LabelWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) {
        event->ignore();
        return;
    }
    pressed_ = false;
    if (rect().contains(event->position().toPoint()) && onClick)
        onClick();
}

TextBoxWidget::TextBoxWidget(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
}

void TextBoxWidget::setBaseFont(const QFont& font) {
    base_ = font;
    fit();
}

void TextBoxWidget::setContent(const QString& text) {
    setText(text);
    fit();
}

void TextBoxWidget::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    fit();
}

int TextBoxWidget::room() const {
    // The field's own frame and margins, and room for the cursor.
    const QMargins margins = textMargins();
    return contentsRect().width() - margins.left() - margins.right() - 5 -
           2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
}

bool TextBoxWidget::fits(const QString& text) const {
    return QFontMetrics(fitted(base_, text, room())).horizontalAdvance(text) <= room();
}

void TextBoxWidget::fit() {
    setFont(fitted(base_, text(), room()));
    // Whatever still does not fit is cut at the end, not the start.
    setCursorPosition(0);
}

ImageWidget::ImageWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void ImageWidget::setPicture(const QPixmap& picture, bool stretch) {
    picture_ = picture;
    stretch_ = stretch;
    sharp_.clear();
    update();
}

void ImageWidget::setSharper(std::function<QImage(QSize pixels)> sharper) {
    sharper_ = std::move(sharper);
    sharp_.clear();
    update();
}

const QPixmap& ImageWidget::sharpAt(QSize pixels) {
    const auto key = std::make_pair(pixels.width(), pixels.height());
    auto found = sharp_.find(key);
    if (found == sharp_.end())
        found = sharp_.emplace(key, QPixmap::fromImage(sharper_(pixels))).first;
    return found->second;
}

void ImageWidget::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal ratio = devicePixelRatio();
    if (ratio > 1 && sharper_) {
        const QRect target = stretch_ ? rect() : QRect(QPoint(0, 0), picture_.size());
        const QPixmap& sharp = sharpAt((QSizeF(target.size()) * ratio).toSize());
        if (!sharp.isNull()) {
            painter.drawPixmap(target, sharp);
            return;
        }
    }
    if (stretch_)
        painter.drawPixmap(rect(), picture_);
    else
        painter.drawPixmap(0, 0, picture_);
}

PictureBoxWidget::PictureBoxWidget(QWidget* parent, int border)
    : QFrame(parent), inner_(new QWidget(this)), border_(border) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(border);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    inner_->setFocusPolicy(Qt::NoFocus);
}

void PictureBoxWidget::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    inner_->setGeometry(rect().adjusted(border_, border_, -border_, -border_));
}

WindowWidget::WindowWidget() {
    setAutoFillBackground(true);
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    event->accept();
    if (onClose)
        onClose();
}

bool WindowWidget::nativeEvent(const QByteArray& eventType, void* message, qintptr*) {
    // X11's DestroyNotify, as the X protocol lays it out (xcb's
    // xcb_destroy_notify_event_t): Qt has no event for a window destroyed
    // from outside, and would run on without one.
    struct DestroyNotify {
        std::uint8_t responseType;
        std::uint8_t pad;
        std::uint16_t sequence;
        std::uint32_t event;
        std::uint32_t window;
    };
    constexpr std::uint8_t destroyNotify = 17;
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* e = static_cast<const DestroyNotify*>(message);
    if ((e->responseType & 0x7F) == destroyNotify && e->window == winId() && onClose)
        onClose();
    return false;
}

} // namespace platform::qt
