#include "platform/control.h"

#include <algorithm>

namespace platform {

bool isWindowed(Kind kind) {
    switch (kind) {
    case Kind::CommandButton:
    case Kind::OptionButton:
    case Kind::TextBox:
    case Kind::PictureBox:
        return true;
    default:
        return false;
    }
}

bool isContainer(Kind kind) {
    return kind == Kind::Window || kind == Kind::PictureBox;
}

Control::Control(Kind kind, std::string name) : kind_(kind), name_(std::move(name)) {
    if (kind == Kind::TextBox)
        backColor_ = windowBackground;
}

void Control::add(Control& child) {
    child.parent_ = this;
    auto at = children_.end();
    if (isWindowed(child.kind()))
        at = std::find_if(children_.begin(), children_.end(),
                          [](const Control* c) { return !isWindowed(c->kind()); });
    children_.insert(at, &child);
}

void Control::place(float left, float top, std::int16_t width, std::int16_t height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void Control::setPicture(std::string resource, bool stretch) {
    picture_ = std::move(resource);
    stretch_ = stretch;
}

int Control::innerWidth() const {
    return width_ - 2 * borderWidth();
}

int Control::innerHeight() const {
    return height_ - 2 * borderWidth();
}

} // namespace platform
