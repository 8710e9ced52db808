#include "web/binding.h"

#include <algorithm>
#include <utility>

#include "platform/pixels.h"
#include "web/dom.h"
#include "web/look.h"
#include "web/page_dom.h"

namespace platform::web {

using platform::Control;
using platform::Kind;
using platform::Property;

namespace {

int domKind(Kind kind) {
    switch (kind) {
    case Kind::Window:
        return domWindow;
    case Kind::Label:
        return domLabel;
    case Kind::CommandButton:
        return domButton;
    case Kind::OptionButton:
        return domOption;
    case Kind::TextBox:
        return domTextBox;
    case Kind::PictureBox:
        return domPictureBox;
    case Kind::Image:
        return domImage;
    }
    return domLabel;
}

// A control with no face of its own takes the nearest container's.
const platform::Font& effectiveFont(const Control& control) {
    for (const Control* c = &control; c; c = c->parent())
        if (!c->font().face.empty())
            return c->font();
    return control.font();
}

// The picture's file on the page: the game's name with ".png".
std::string pictureFile(const std::string& name) {
    if (name.empty())
        return {};
    return "pictures/" + name.substr(0, name.rfind('.')) + ".png";
}

bool takesFocus(Kind kind) {
    return kind == Kind::CommandButton || kind == Kind::OptionButton || kind == Kind::TextBox ||
           kind == Kind::PictureBox;
}

} // namespace

Binding::Binding(platform::Window& window) : model_(window) {
    create(window, -1);
}

Binding::~Binding() {
    for (Control* c : controls_)
        c->setObserver(nullptr);
}

int Binding::id(const Control& control) const {
    const auto it = std::find(controls_.begin(), controls_.end(), &control);
    return it == controls_.end() ? -1 : int(it - controls_.begin());
}

Control* Binding::control(int id) const {
    return id >= 0 && std::size_t(id) < controls_.size() ? controls_[std::size_t(id)] : nullptr;
}

void Binding::create(Control& c, int parent) {
    const int self = int(controls_.size());
    controls_.push_back(&c);
    dom_create(self, domKind(c.kind()), parent, pictureFile(c.picture()).c_str(), bool(c.onClick));
    const platform::Font& font = effectiveFont(c);
    dom_font(self, cssFamily(font.face).c_str(), platform::fontPixels(font.points), font.weight);
    // Picture boxes take part in the tab order by keyboard only.
    if (takesFocus(c.kind()))
        dom_focus_policy(self, c.tabIndex() + 1, c.kind() != Kind::PictureBox);
    for (Property p : platform::shownProperties)
        changed(c, p);
    c.setObserver(this);
    for (Control* child : c.children())
        create(*child, self);
    stack(c);
}

void Binding::stack(const Control& container) {
    // Front to back: the first child highest.
    const auto& children = container.children();
    for (std::size_t i = 0; i < children.size(); ++i)
        dom_stacking(id(*children[i]), int(children.size() - i));
}

void Binding::changed(Control& c, Property property) {
    const int self = id(c);
    if (self < 0)
        return;
    switch (property) {
    case Property::Left:
    case Property::Top:
    case Property::Width:
    case Property::Height:
        applyGeometry(c);
        applyAccessibleText(c);
        break;
    case Property::Visible:
        if (c.kind() != Kind::Window)
            dom_visible(self, c.visible());
        break;
    case Property::Enabled:
        dom_enabled(self, c.enabled());
        break;
    case Property::Caption:
        if (c.kind() == Kind::Window)
            dom_title(c.caption().c_str());
        else
            dom_text(self, c.caption().c_str());
        applyAccessibleText(c);
        break;
    case Property::Text:
        if (c.kind() == Kind::TextBox)
            dom_text(self, c.text().c_str());
        break;
    case Property::ForeColor:
    case Property::BackColor:
        applyColours(c);
        break;
    case Property::Value:
        syncOptionButtons();
        break;
    case Property::Alignment:
        // Buttons centre their captions whatever the property says.
        if (c.kind() != Kind::Label && c.kind() != Kind::TextBox)
            break;
        dom_alignment(self, int(c.alignment()));
        break;
    case Property::BackStyle:
        dom_opaque(self, c.backStyle() == platform::BackStyle::Opaque);
        break;
    }
}

void Binding::applyGeometry(const Control& c) {
    if (c.kind() == Kind::Window) {
        // The game sets the outer height; the page shows the client area.
        dom_geometry(id(c), 0, 0, platform::pixels(c.innerWidth()),
                     platform::pixels(c.innerHeight()));
        return;
    }
    const platform::PixelRect r = platform::pixelRect(c.left(), c.top(), c.width(), c.height());
    dom_geometry(id(c), r.x, r.y, r.width, r.height);
}

void Binding::applyColours(const Control& c) {
    dom_colours(id(c), cssColour(c.foreColor()).c_str(), cssColour(c.backColor()).c_str());
}

void Binding::setDescriber(std::function<platform::AccessibleText(const Control&)> describe) {
    describe_ = std::move(describe);
    for (Control* c : controls_)
        applyAccessibleText(*c);
}

void Binding::applyAccessibleText(const Control& c) {
    if (!describe_)
        return;
    const platform::AccessibleText text = describe_(c);
    const std::string& name = text.name.empty() ? c.caption() : text.name;
    dom_accessible(id(c), name.c_str(), text.description.c_str());
}

void Binding::syncOptionButtons() {
    for (Control* c : controls_) {
        if (c->kind() != Kind::OptionButton)
            continue;
        const int self = id(*c);
        dom_checked(self, c->value());
        // Tab enters an option group at its chosen button.
        dom_focus_policy(self, c->value() ? c->tabIndex() + 1 : -1, true);
    }
}

void Binding::setKeyRule(std::function<platform::KeyAction(platform::Key, Control*)> rule) {
    keyRule_ = std::move(rule);
}

bool Binding::fits(const Control& textBox, const std::string& text) const {
    return dom_fits(id(textBox), text.c_str()) != 0;
}

void Binding::click(Control& c) {
    if (accepting && !accepting(c))
        return;
    platform::Window::click(c);
    syncOptionButtons();
}

Control* Binding::under(double x, double y) const {
    return model_.controlAt(x * platform::twipsPerPixel, y * platform::twipsPerPixel);
}

void Binding::pointerDown(double x, double y) {
    if (input_)
        input_(); // any click stops a solution being played
    pressed_ = under(x, y);
}

void Binding::pointerUp(double x, double y) {
    // As on the desktop, a click is a press and a release on one control.
    Control* pressed = std::exchange(pressed_, nullptr);
    if (pressed && under(x, y) == pressed)
        click(*pressed);
}

bool Binding::key(std::optional<platform::Key> key, int focused) {
    using Kind = platform::KeyAction::Kind;
    if (!key || !keyRule_) {
        if (input_)
            input_();
        return false;
    }
    const platform::KeyAction action = keyRule_(*key, control(focused));
    if (action.kind == Kind::Command) {
        if (*key == platform::Key::Menu) {
            openMenu(std::nullopt, focused);
            return true;
        }
        return command_ && command_(*key);
    }
    if (input_)
        input_();
    switch (action.kind) {
    case Kind::Choose:
        dom_focus(id(*action.control));
        [[fallthrough]];
    case Kind::Click:
        click(*action.control);
        return true;
    case Kind::Take:
        return true;
    default:
        return false;
    }
}

void Binding::press(int target) {
    Control* c = control(target);
    if (c && c->visible() && (c->onClick || c->kind() == Kind::OptionButton))
        click(*c);
}

} // namespace platform::web

namespace platform::web {

void Binding::setCommands(std::function<bool(platform::Key)> command, std::function<void()> input,
                          std::function<std::vector<platform::MenuItem>()> menu) {
    command_ = std::move(command);
    input_ = std::move(input);
    menu_ = std::move(menu);
}

platform::PixelRect Binding::inWindow(const Control& c) const {
    platform::PixelRect r = platform::pixelRect(c.left(), c.top(), c.width(), c.height());
    for (const Control* p = c.parent(); p && p->kind() != Kind::Window; p = p->parent()) {
        const platform::PixelRect outer =
            platform::pixelRect(p->left(), p->top(), p->width(), p->height());
        r.x += outer.x;
        r.y += outer.y;
        // A box's contents start inside its 2-pixel sunken border.
        if (p->kind() == Kind::PictureBox || p->kind() == Kind::TextBox) {
            r.x += 2;
            r.y += 2;
        }
    }
    return r;
}

void Binding::mark(const Control& c, const std::string& note, int ms) {
    const platform::PixelRect r = inWindow(c);
    page_mark(r.x, r.y, r.width, r.height, note.c_str(), ms);
}

void Binding::noteBeside(const std::string& note, int ms) {
    page_note(note.c_str(), ms);
}

void Binding::openMenu(std::optional<std::pair<double, double>> at, int focused) {
    if (input_)
        input_(); // the menu is the player's input too: a solution stops
    if (!menu_)
        return;
    const bool byKeyboard = !at;
    if (!at) {
        // The Menu key's menu opens at the focused control, or mid-window.
        const Control* c = control(focused);
        const platform::PixelRect r =
            c && c->kind() != Kind::Window
                ? inWindow(*c)
                : platform::PixelRect{0, 0, platform::pixels(model_.innerWidth()),
                                      platform::pixels(model_.innerHeight())};
        at = {r.x + r.width / 2.0, r.y + r.height / 2.0};
    }
    shownMenu_ = menu_();
    page_menu_clear();
    for (const platform::MenuItem& item : shownMenu_)
        page_menu_add(item.text.c_str(), item.enabled && item.chosen);
    page_menu_show(int(at->first), int(at->second), byKeyboard);
}

void Binding::chooseMenu(int index) {
    if (index < 0 || std::size_t(index) >= shownMenu_.size())
        return;
    const platform::MenuItem item = shownMenu_[std::size_t(index)];
    if (item.enabled && item.chosen)
        item.chosen();
}

} // namespace platform::web
