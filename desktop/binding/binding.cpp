#include "desktop/binding/binding.h"

#include <QApplication>
#include <QIcon>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <vector>

#include "desktop/binding/accessibility.h"
#include "desktop/binding/appearance.h"
#include "desktop/binding/focus_ring.h"
#include "desktop/binding/input.h"
#include "desktop/binding/metrics.h"
#include "desktop/binding/note_overlay.h"

namespace platform::qt {

using platform::Control;
using platform::Kind;
using platform::Property;

namespace {

Qt::Alignment horizontal(platform::Alignment a) {
    switch (a) {
    case platform::Alignment::Left:
        return Qt::AlignLeft;
    case platform::Alignment::Right:
        return Qt::AlignRight;
    case platform::Alignment::Center:
        return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

// A control with no face of its own takes the nearest container's.
const platform::Font* containerFont(const Control& control) {
    for (const Control* p = control.parent(); p; p = p->parent())
        if (!p->font().face.empty())
            return &p->font();
    return nullptr;
}

// Picture boxes take part in the tab order too, though only by keyboard.
bool takesFocus(Kind kind) {
    return kind == Kind::CommandButton || kind == Kind::OptionButton || kind == Kind::TextBox ||
           kind == Kind::PictureBox;
}

} // namespace

Binding::Binding(platform::Window& window) : model_(window) {
    installAccessibility();
    create(window, nullptr);
    orderTabs();
    input_ = new InputRouter(top_.get(), new FocusRing(top_.get()));
    input_->click = [this](Control& c) { click(c); };
    input_->controlOf = [this](QWidget* w) { return control(w); };
    input_->focus = [this](Control& c) { widget(c)->setFocus(Qt::OtherFocusReason); };
    note_ = new NoteOverlay(top_.get());
}

void Binding::setCommands(std::function<bool(platform::Key)> command, std::function<void()> input,
                          std::function<std::vector<platform::MenuItem>()> menu) {
    input_->commandKey = std::move(command);
    input_->playerInput = std::move(input);
    input_->menu = std::move(menu);
}

void Binding::mark(const Control& control, const std::string& note, int ms) {
    QWidget* w = widget(control);
    note_->showNote(QRect(w->mapTo(top_.get(), QPoint(0, 0)), w->size()),
                    QString::fromStdString(note), ms);
}

void Binding::noteBeside(const std::string& note, int ms) {
    if (!beside_) {
        beside_ = std::make_unique<QLabel>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
        beside_->setStyleSheet("QLabel { background: #ffffe0; color: black; border: 1px solid "
                               "black; padding: 4px; }");
        QFont bigger = beside_->font();
        bigger.setPixelSize(16);
        bigger.setBold(true);
        beside_->setFont(bigger);
        besideTimer_.setSingleShot(true);
        QObject::connect(&besideTimer_, &QTimer::timeout, beside_.get(), &QWidget::hide);
    }
    beside_->setText(QString::fromStdString(note));
    beside_->adjustSize();
    // Beside the window where the screen has room, else below or above it,
    // never off the screen: a window at the screen's right edge is common.
    const QRect frame = top_->frameGeometry();
    const QRect screen = top_->screen()->availableGeometry();
    const QSize size = beside_->size();
    QPoint at(frame.right() + 8, frame.top());
    if (at.x() + size.width() > screen.right() + 1) {
        at.setX(std::max(screen.left(), std::min(frame.left(), screen.right() + 1 - size.width())));
        at.setY(frame.bottom() + 8 + size.height() <= screen.bottom() + 1
                    ? frame.bottom() + 8
                    : std::max(screen.top(), frame.top() - 8 - size.height()));
    }
    beside_->move(at);
    beside_->show();
    besideTimer_.start(ms);
}

void Binding::setKeyRule(std::function<platform::KeyAction(platform::Key, Control*)> rule) {
    input_->keyRule = std::move(rule);
}

void Binding::setDescriber(std::function<platform::AccessibleText(const Control&)> describe) {
    describe_ = std::move(describe);
    for (auto& [control, entry] : entries_)
        applyAccessibleText(*entry.control);
}

void Binding::applyAccessibleText(Control& c) {
    if (!describe_)
        return;
    const platform::AccessibleText text = describe_(c);
    QWidget* w = widget(c);
    const QString name = QString::fromStdString(text.name.empty() ? c.caption() : text.name);
    const QString description = QString::fromStdString(text.description);
    if (w->accessibleName() != name)
        w->setAccessibleName(name);
    if (w->accessibleDescription() != description)
        w->setAccessibleDescription(description);
}

Binding::~Binding() {
    for (auto& [control, entry] : entries_)
        entry.control->setObserver(nullptr);
}

QWidget* Binding::widget(const Control& control) const {
    auto it = entries_.find(&control);
    return it == entries_.end() ? nullptr : it->second.widget;
}

Control* Binding::control(const QWidget* w) const {
    for (; w; w = w->parentWidget())
        for (const auto& [control, entry] : entries_)
            if (entry.widget == w)
                return entry.control;
    return nullptr;
}

void Binding::create(Control& c, QWidget* parentArea) {
    QWidget* w = nullptr;
    QWidget* area = nullptr;
    switch (c.kind()) {
    case Kind::Window: {
        top_ = std::make_unique<WindowWidget>();
        top_->onClose = [this] {
            if (onClose)
                onClose();
        };
        top_->setWindowIcon(QIcon(pictureResource(c.picture())));
        w = area = top_.get();
        break;
    }
    case Kind::Label: {
        auto* label = new LabelWidget(parentArea);
        label->onClick = [this, &c] { click(c); };
        label->setClickable(bool(c.onClick));
        w = label;
        break;
    }
    case Kind::CommandButton: {
        auto* button = new CommandButtonWidget(parentArea);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, button, [this, &c] { click(c); });
        w = button;
        break;
    }
    case Kind::OptionButton: {
        auto* option = new OptionButtonWidget(parentArea);
        option->setAutoExclusive(true);
        option->setAutoFillBackground(true);
        QObject::connect(option, &QRadioButton::clicked, option, [this, &c] { click(c); });
        w = option;
        break;
    }
    case Kind::TextBox: {
        w = new TextBoxWidget(parentArea);
        break;
    }
    case Kind::PictureBox: {
        auto* box = new PictureBoxWidget(parentArea, pixels(c.borderWidth()));
        w = box;
        area = box->inner();
        break;
    }
    case Kind::Image: {
        auto* image = new ImageWidget(parentArea);
        image->setPicture(QPixmap(pictureResource(c.picture())), c.stretch());
        w = image;
        break;
    }
    }
    entries_[&c] = {&c, w, area};
    if (!takesFocus(c.kind()))
        w->setFocusPolicy(Qt::NoFocus);
    else if (c.kind() == Kind::PictureBox)
        w->setFocusPolicy(Qt::TabFocus);
    if (auto* box = dynamic_cast<TextBoxWidget*>(w))
        box->setBaseFont(font(c.font(), containerFont(c)));
    else
        w->setFont(font(c.font(), containerFont(c)));
    applyAll(c);
    c.setObserver(this);

    for (Control* child : c.children())
        create(*child, area);
    // The children are listed front to back: raising them from the back
    // leaves the first in front.
    const auto& children = c.children();
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        entries_.at(*it).widget->raise();
}

void Binding::applyAll(Control& c) {
    for (Property p : platform::shownProperties)
        changed(c, p);
}

void Binding::changed(Control& c, Property property) {
    QWidget* w = widget(c);
    if (!w)
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
        // The window itself is shown by the program.
        if (c.kind() != Kind::Window)
            w->setVisible(c.visible());
        break;
    case Property::Enabled:
        applyEnabled(c);
        break;
    case Property::Caption:
        applyAccessibleText(c);
        if (c.kind() == Kind::Window)
            w->setWindowTitle(QString::fromStdString(c.caption()));
        else if (auto* label = dynamic_cast<LabelWidget*>(w))
            label->setText(QString::fromStdString(c.caption()));
        else if (auto* button = dynamic_cast<QAbstractButton*>(w))
            button->setText(QString::fromStdString(c.caption()));
        break;
    case Property::Text:
        if (auto* box = dynamic_cast<TextBoxWidget*>(w))
            box->setContent(QString::fromStdString(c.text()));
        break;
    case Property::ForeColor:
    case Property::BackColor:
        applyColours(c);
        break;
    case Property::Value:
        syncOptionButtons();
        break;
    case Property::Alignment:
        if (auto* label = dynamic_cast<LabelWidget*>(w))
            label->setHorizontalAlignment(horizontal(c.alignment()));
        else if (auto* box = dynamic_cast<QLineEdit*>(w))
            box->setAlignment(horizontal(c.alignment()) | Qt::AlignVCenter);
        break;
    case Property::BackStyle:
        if (auto* label = dynamic_cast<LabelWidget*>(w))
            label->setOpaque(c.backStyle() == platform::BackStyle::Opaque);
        break;
    }
}

void Binding::applyGeometry(Control& c) {
    QWidget* w = widget(c);
    if (c.kind() == Kind::Window) {
        // The game sets the outer height; the frame around the client area
        // is the window manager's.
        w->setFixedSize(pixels(c.innerWidth()), pixels(c.innerHeight()));
        return;
    }
    w->setGeometry(pixelRect(c.left(), c.top(), c.width(), c.height()));
}

void Binding::applyColours(Control& c) {
    QWidget* w = widget(c);
    const QPalette system = QApplication::palette();
    const QColor fore = colour(c.foreColor(), system);
    const QColor back = colour(c.backColor(), system);
    QPalette palette = w->palette();
    switch (c.kind()) {
    case Kind::Label:
        static_cast<LabelWidget*>(w)->setColours(fore, back);
        return;
    case Kind::Window:
    case Kind::PictureBox:
        palette.setColor(QPalette::Window, back);
        break;
    case Kind::OptionButton:
        palette.setColor(QPalette::Window, back);
        palette.setColor(QPalette::Button, back);
        palette.setColor(QPalette::WindowText, fore);
        palette.setColor(QPalette::ButtonText, fore);
        break;
    case Kind::TextBox:
        palette.setColor(QPalette::Base, back);
        palette.setColor(QPalette::Text, fore);
        // Greyed text as on a disabled edit field, readable on the grey box.
        palette.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
        break;
    case Kind::CommandButton:
    case Kind::Image:
        return;
    }
    w->setPalette(palette);
}

void Binding::applyEnabled(Control& c) {
    QWidget* w = widget(c);
    if (c.kind() != Kind::Window)
        w->setEnabled(c.enabled());
    // A disabled text box never takes the focus, not even by a click.
    if (c.kind() == Kind::TextBox)
        w->setFocusPolicy(c.enabled() ? Qt::StrongFocus : Qt::NoFocus);
    w->update();
}

void Binding::syncOptionButtons() {
    for (auto& [control, entry] : entries_) {
        if (control->kind() != Kind::OptionButton)
            continue;
        auto* option = static_cast<QRadioButton*>(entry.widget);
        // Tab enters an option group at its chosen button; the arrows move
        // the choice within the group.
        option->setFocusPolicy(control->value() ? Qt::StrongFocus : Qt::ClickFocus);
        if (option->isChecked() == control->value())
            continue;
        // An exclusive group refuses to clear its checked button directly.
        option->setAutoExclusive(false);
        option->setChecked(control->value());
        option->setAutoExclusive(true);
    }
}

void Binding::setSharperPictures(const SharperPicture& sharper) {
    for (auto& [control, entry] : entries_)
        if (control->kind() == Kind::Image)
            static_cast<ImageWidget*>(entry.widget)
                ->setSharper([sharper, picture = control->picture()](QSize pixels) {
                    return sharper(picture, pixels);
                });
    top_->setWindowIcon(sharperIcon(model_.picture(), qApp->devicePixelRatio(), sharper));
}

bool Binding::fits(const Control& textBox, const std::string& text) const {
    auto* box = dynamic_cast<TextBoxWidget*>(widget(textBox));
    return !box || box->fits(QString::fromStdString(text));
}

void Binding::click(Control& c) {
    if (accepting && !accepting(c))
        return;
    platform::Window::click(c);
    syncOptionButtons();
}

void Binding::orderTabs() {
    std::vector<Control*> focusable;
    for (auto& [control, entry] : entries_)
        if (takesFocus(control->kind()))
            focusable.push_back(entry.control);
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](Control* a, Control* b) { return a->tabIndex() < b->tabIndex(); });
    for (std::size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(widget(*focusable[i - 1]), widget(*focusable[i]));
}

} // namespace platform::qt
