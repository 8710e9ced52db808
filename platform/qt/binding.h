// One Qt widget for every control of a window, created from the model and
// kept in step with it: every property change the game makes reaches its
// widget at once, and every click on a widget goes back to the game.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <unordered_map>

#include "platform/control.h"
#include "platform/qt/sharper_pictures.h"
#include "platform/qt/widgets.h"
#include "platform/window.h"

namespace platform::qt {

class Binding final : public platform::Observer {
  public:
    explicit Binding(platform::Window& window);
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;
    ~Binding();

    // The top-level widget; not shown until the caller shows it.
    QWidget* window() const { return top_.get(); }
    QWidget* widget(const platform::Control& control) const;

    // Runs when the user or the window manager closes the window.
    std::function<void()> onClose;
    // Asked before a click reaches a control; while it answers false, clicks
    // no longer reach the game (it is ending).
    std::function<bool(const platform::Control&)> accepting;

    // Sharper drawings of the window's pictures and icon, for dense screens.
    void setSharperPictures(const SharperPicture& sharper);

    // Whether a text box would show text whole.
    bool fits(const platform::Control& textBox, const std::string& text) const;

    void changed(platform::Control& control, platform::Property property) override;

  private:
    struct Entry {
        platform::Control* control;
        QWidget* widget;
        QWidget* area; // where the children go: the inside of a container
    };

    void create(platform::Control& control, QWidget* parentArea);
    void applyAll(platform::Control& control);
    void applyGeometry(platform::Control& control);
    void applyColours(platform::Control& control);
    void applyEnabled(platform::Control& control);
    void syncOptionButtons();
    void click(platform::Control& control);
    void orderTabs();

    platform::Window& model_;
    std::unique_ptr<WindowWidget> top_;
    std::unordered_map<const platform::Control*, Entry> entries_;
};

} // namespace platform::qt
