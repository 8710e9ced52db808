#include "platform/qt/input.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <optional>

#include "platform/qt/focus_ring.h"
#include "platform/qt/widgets.h"

namespace platform::qt {

namespace {

std::optional<platform::Key> gameKey(const QKeyEvent* event) {
    using platform::Key;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    switch (event->key()) {
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Return;
    case Qt::Key_Space:
        return Key::Space;
    case Qt::Key_H:
        return Key::H;
    case Qt::Key_S:
        return Key::S;
    default:
        return std::nullopt;
    }
}

} // namespace

InputRouter::InputRouter(QWidget* window, FocusRing* ring)
    : QObject(window), window_(window), ring_(ring) {
    qApp->installEventFilter(this);
}

bool InputRouter::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        keyboard_ = true;
        ring_->follow(keyboard_);
        return key(static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
        keyboard_ = false;
        ring_->follow(keyboard_);
        if (playerInput)
            playerInput();
        return false;
    case QEvent::ContextMenu:
        showMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    case QEvent::FocusIn:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        if (widget != ring_)
            ring_->follow(keyboard_);
        return false;
    default:
        return false;
    }
}

bool InputRouter::key(QKeyEvent* event) {
    const auto key = gameKey(event);
    if (key && commandKey && commandKey(*key))
        return true;
    if (playerInput && event->key() != Qt::Key_Menu)
        playerInput();
    if (!key || !keyTarget || !click)
        return false;
    QWidget* focus = QApplication::focusWidget();
    const bool arrow = *key != platform::Key::Return && *key != platform::Key::Space;
    if (arrow && dynamic_cast<OptionButtonWidget*>(focus))
        return false;
    if (platform::Control* target = keyTarget(*key)) {
        click(*target);
        return true;
    }
    if (*key == platform::Key::Return)
        if (auto* button = dynamic_cast<CommandButtonWidget*>(focus)) {
            button->click();
            return true;
        }
    return arrow; // arrows belong to the board, not to the focus chain
}

void InputRouter::showMenu(const QPoint& at) {
    if (!menu)
        return;
    QMenu popup(window_);
    for (const platform::MenuItem& item : menu()) {
        QAction* action = popup.addAction(QString::fromStdString(item.text));
        action->setEnabled(item.enabled && item.chosen);
        if (item.chosen)
            QObject::connect(action, &QAction::triggered, &popup, item.chosen);
    }
    popup.exec(at);
}

} // namespace platform::qt
