// The widgets Qt lacks for the game's controls: a label that can be
// transparent and is clicked like a button, a stretched picture, a picture box
// whose children sit inside its border, and the top-level window.
#pragma once

#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <functional>
#include <map>
#include <utility>

namespace platform::qt {

class LabelWidget final : public QWidget {
  public:
    explicit LabelWidget(QWidget* parent);

    void setText(const QString& text);
    void setColours(const QColor& fore, const QColor& back);
    // Horizontal alignment only; the text is always centred vertically.
    void setHorizontalAlignment(Qt::Alignment alignment);
    void setOpaque(bool opaque);

    const QString& text() const { return text_; }

    // A press and release of the left button inside the label.
    std::function<void()> onClick;
    // Whether a click does something, so that the label acts as a button.
    bool clickable() const { return clickable_; }
    void setClickable(bool clickable) { clickable_ = clickable; }

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QString text_;
    QColor fore_;
    QColor back_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    bool opaque_ = true;
    bool pressed_ = false;
    bool clickable_ = false;
};

// Buttons take a click anywhere in their rectangle, as the game's hit test
// does: Qt's own take it only on the bevel, or on a radio button's mark and
// text.
class CommandButtonWidget final : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

class OptionButtonWidget final : public QRadioButton {
  public:
    using QRadioButton::QRadioButton;

  protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A read-only text field that shows its whole text, condensed if need be.
class TextBoxWidget final : public QLineEdit {
  public:
    explicit TextBoxWidget(QWidget* parent);
    void setBaseFont(const QFont& font);
    void setContent(const QString& text);
    // Whether text would show whole, condensed no further than fitted() goes.
    bool fits(const QString& text) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    int room() const;
    void fit();
    QFont base_;
};

class ImageWidget final : public QWidget {
  public:
    explicit ImageWidget(QWidget* parent);
    // A stretched picture fills the widget; otherwise it is drawn at its own
    // size from the top-left corner.
    void setPicture(const QPixmap& picture, bool stretch);
    // Above a device pixel ratio of 1 the picture is drawn from what sharper
    // gives for its size in device pixels, asked once for each size; a null
    // image keeps the bitmap.
    void setSharper(std::function<QImage(QSize pixels)> sharper);

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    const QPixmap& sharpAt(QSize pixels);

    QPixmap picture_;
    bool stretch_ = true;
    std::function<QImage(QSize)> sharper_;
    std::map<std::pair<int, int>, QPixmap> sharp_;
};

// A sunken frame whose children go in inner(), clipped to the area inside
// the frame.
class PictureBoxWidget final : public QFrame {
  public:
    PictureBoxWidget(QWidget* parent, int border);
    QWidget* inner() const { return inner_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QWidget* inner_;
    int border_;
};

class WindowWidget final : public QWidget {
  public:
    WindowWidget();
    // Runs when the user or the window manager closes the window, or when
    // another program destroys it.
    std::function<void()> onClose;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
};

} // namespace platform::qt
