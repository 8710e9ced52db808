#include "platform/window.h"

namespace platform {

Window::Window(std::string name, int clientWidth, int clientHeight)
    : Control(Kind::Window, std::move(name)), clientWidth_(clientWidth) {
    place(0, 0, std::int16_t(clientWidth + frameWidth), std::int16_t(clientHeight + frameHeight));
}

namespace {

bool contains(const Control& c, double x, double y) {
    return x >= c.left() && x < c.left() + c.width() && y >= c.top() && y < c.top() + c.height();
}

// (x, y) relative to the inner area of container.
Control* findIn(Control& container, double x, double y) {
    for (Control* child : container.children()) {
        if (!child->visible() || !contains(*child, x, y))
            continue;
        if (!isContainer(child->kind()))
            return child;
        double ix = x - child->left() - child->borderWidth();
        double iy = y - child->top() - child->borderWidth();
        if (ix >= 0 && iy >= 0 && ix < child->innerWidth() && iy < child->innerHeight())
            if (Control* inner = findIn(*child, ix, iy))
                return inner;
        return child;
    }
    return nullptr;
}

} // namespace

Control* Window::controlAt(double x, double y) {
    if (x < 0 || y < 0 || x >= innerWidth() || y >= innerHeight())
        return nullptr;
    return findIn(*this, x, y);
}

void Window::clickAt(double x, double y) {
    if (Control* target = controlAt(x, y))
        click(*target);
}

void Window::click(Control& control) {
    if (!control.enabled())
        return;
    if (control.kind() == Kind::OptionButton && control.parent()) {
        control.setValue(true);
        for (Control* sibling : control.parent()->children())
            if (sibling != &control && sibling->kind() == Kind::OptionButton)
                sibling->setValue(false);
    }
    if (control.onClick)
        control.onClick();
}

void Window::clientOrigin(const Control& control, double& x, double& y) {
    x = control.left();
    y = control.top();
    for (const Control* p = control.parent(); p && p->kind() != Kind::Window; p = p->parent()) {
        x += double(p->left()) + p->borderWidth();
        y += double(p->top()) + p->borderWidth();
    }
}

} // namespace platform
