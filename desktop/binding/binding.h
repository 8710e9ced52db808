// One Qt widget for every control of a window, created from the model and
// kept in step with it: every property change the game makes reaches its
// widget at once, and every click on a widget goes back to the game.
#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <unordered_map>

#include "desktop/binding/sharper_pictures.h"
#include "desktop/binding/widgets.h"
#include "platform/accessible.h"
#include "platform/control.h"
#include "platform/key.h"
#include "platform/menu.h"
#include "platform/window.h"

namespace platform::qt {

class InputRouter;
class NoteOverlay;

class Binding final : public platform::Observer {
  public:
    explicit Binding(platform::Window& window);
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;
    ~Binding();

    // The top-level widget; not shown until the caller shows it.
    QWidget* window() const { return top_.get(); }
    QWidget* widget(const platform::Control& control) const;
    // The control a widget (or the nearest of its parents) shows.
    platform::Control* control(const QWidget* widget) const;

    // Runs when the user or the window manager closes the window.
    std::function<void()> onClose;
    // Asked before a click reaches a control; while it answers false, clicks
    // no longer reach the game (it is ending).
    std::function<bool(const platform::Control&)> accepting;

    // Sharper drawings of the window's pictures and icon, for dense screens.
    void setSharperPictures(const SharperPicture& sharper);

    // Whether a text box would show text whole.
    bool fits(const platform::Control& textBox, const std::string& text) const;

    // The game's rule for keys, given the focused control; what it clicks
    // goes through the same path as a pointer click.
    void setKeyRule(std::function<platform::KeyAction(platform::Key, platform::Control*)> rule);

    // Keys that the rule names commands (H, S, the Menu key) go to
    // `command`; every other key and pointer press by the player is reported
    // to `input` first; the context menu's lines come from `menu`.
    void setCommands(std::function<bool(platform::Key)> command, std::function<void()> input,
                     std::function<std::vector<platform::MenuItem>()> menu);

    // Outlines a control and writes a note beside it for a moment.
    void mark(const platform::Control& control, const std::string& note, int ms);
    // Writes a note beside the window, outside it, for a moment: the window
    // itself shows exactly what it always does.
    void noteBeside(const std::string& note, int ms);

    // A click on a control through the same path as the player's: what the
    // program plays for the player.
    void click(platform::Control& control);

    // The game's words for screen readers; applied at once and kept up to
    // date as captions and positions change.
    void setDescriber(std::function<platform::AccessibleText(const platform::Control&)> describe);

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
    void applyAccessibleText(platform::Control& control);
    void syncOptionButtons();
    void orderTabs();

    platform::Window& model_;
    std::unique_ptr<WindowWidget> top_;
    std::unordered_map<const platform::Control*, Entry> entries_;
    InputRouter* input_ = nullptr; // owned by the window
    NoteOverlay* note_ = nullptr;  // owned by the window
    std::unique_ptr<QLabel> beside_;
    QTimer besideTimer_;
    std::function<platform::AccessibleText(const platform::Control&)> describe_;
};

} // namespace platform::qt
