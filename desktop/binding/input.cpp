#include "desktop/binding/input.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <optional>

#include "desktop/binding/focus_ring.h"

namespace platform::qt {

namespace {

std::optional<platform::Key> gameKey(const QKeyEvent* event) {
    using platform::Key;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier && event->key() == Qt::Key_Z)
        return Key::Undo;
    if ((mods == Qt::ControlModifier && event->key() == Qt::Key_Y) ||
        (mods == (Qt::ControlModifier | Qt::ShiftModifier) && event->key() == Qt::Key_Z))
        return Key::Redo;
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
    case Qt::Key_Menu:
        return Key::Menu;
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
        // From the Menu key too: any input of the player's stops a solution.
        if (playerInput)
            playerInput();
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
    using Kind = platform::KeyAction::Kind;
    const auto key = gameKey(event);
    if (!key || !keyRule) {
        if (playerInput)
            playerInput();
        return false;
    }
    QWidget* focused = QApplication::focusWidget();
    const platform::KeyAction action =
        keyRule(*key, focused && controlOf ? controlOf(focused) : nullptr);
    if (action.kind == Kind::Command) {
        // The Menu key goes on to Qt, which opens the context menu.
        return commandKey && commandKey(*key) && *key != platform::Key::Menu;
    }
    if (playerInput)
        playerInput();
    switch (action.kind) {
    case Kind::Choose:
        if (focus)
            focus(*action.control);
        [[fallthrough]];
    case Kind::Click:
        if (click)
            click(*action.control);
        return true;
    case Kind::Take:
        return true;
    default:
        return false;
    }
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
