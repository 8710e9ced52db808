// The controls of a window as the game sees them: every property held exactly
// as written, change notices for whoever draws them, and containers with a
// front-to-back stacking order.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

enum class Kind { Window, Label, CommandButton, OptionButton, TextBox, PictureBox, Image };
enum class Alignment { Left, Right, Center };
enum class BackStyle { Transparent, Opaque };
enum class Property {
    Left,
    Top,
    Width,
    Height,
    Visible,
    Enabled,
    Caption,
    Text,
    ForeColor,
    BackColor,
    Value,
    Alignment,
    BackStyle,
};

// What a binding applies when it first shows a control: Left stands for the
// whole rectangle, ForeColor for both colours.
inline constexpr Property shownProperties[] = {
    Property::Left,      Property::Visible,   Property::Enabled,
    Property::Caption,   Property::Text,      Property::ForeColor,
    Property::Alignment, Property::BackStyle, Property::Value,
};

// Stored colour values: 0x00BBGGRR, or 0x800000nn for system colour nn.
using Colour = std::uint32_t;
constexpr Colour rgb(int r, int g, int b) {
    return Colour(r) | Colour(g) << 8 | Colour(b) << 16;
}
constexpr Colour systemColourFlag = 0x80000000;
constexpr Colour buttonText = 0x80000012;
constexpr Colour buttonFace = 0x8000000F;
constexpr Colour windowBackground = 0x80000005;

struct Font {
    std::string face;
    float points = 9;
    int weight = 400;
};

class Control;

// Told of every property change, after it is made.
class Observer {
  public:
    virtual void changed(Control& control, Property property) = 0;

  protected:
    ~Observer() = default;
};

// Windowed kinds (buttons, text boxes, picture boxes) always stack in front of
// the lightweight ones (labels, images) on the same container.
bool isWindowed(Kind kind);
bool isContainer(Kind kind);

class Control {
  public:
    Control(Kind kind, std::string name);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }

    // Places a child in this container behind the children added before it,
    // but always behind windowed children if it is a lightweight control.
    void add(Control& child);
    Control* parent() const { return parent_; }
    // Front to back.
    const std::vector<Control*>& children() const { return children_; }

    float left() const { return left_; }
    float top() const { return top_; }
    std::int16_t width() const { return width_; }
    std::int16_t height() const { return height_; }
    bool visible() const { return visible_; }
    bool enabled() const { return enabled_; }
    const std::string& caption() const { return caption_; }
    const std::string& text() const { return text_; }
    Colour foreColor() const { return foreColor_; }
    Colour backColor() const { return backColor_; }
    bool value() const { return value_; }
    Alignment alignment() const { return alignment_; }
    BackStyle backStyle() const { return backStyle_; }
    const Font& font() const { return font_; }
    int tabIndex() const { return tabIndex_; }
    const std::string& picture() const { return picture_; }
    bool stretch() const { return stretch_; }

    void setLeft(float v) { set(left_, v, Property::Left); }
    void setTop(float v) { set(top_, v, Property::Top); }
    void setWidth(std::int16_t v) { set(width_, v, Property::Width); }
    void setHeight(std::int16_t v) { set(height_, v, Property::Height); }
    void setVisible(bool v) { set(visible_, v, Property::Visible); }
    void setEnabled(bool v) { set(enabled_, v, Property::Enabled); }
    void setCaption(std::string v) { set(caption_, std::move(v), Property::Caption); }
    void setText(std::string v) { set(text_, std::move(v), Property::Text); }
    void setForeColor(Colour v) { set(foreColor_, v, Property::ForeColor); }
    void setBackColor(Colour v) { set(backColor_, v, Property::BackColor); }
    void setValue(bool v) { set(value_, v, Property::Value); }
    void setAlignment(Alignment v) { set(alignment_, v, Property::Alignment); }
    void setBackStyle(BackStyle v) { set(backStyle_, v, Property::BackStyle); }

    // Design-time properties: set while the window is built, never at run time.
    void place(float left, float top, std::int16_t width, std::int16_t height);
    void setFont(Font font) { font_ = std::move(font); }
    void setTabIndex(int index) { tabIndex_ = index; }
    void setPicture(std::string resource, bool stretch = true);

    // The Click event: raised only through Window::click, never while disabled.
    std::function<void()> onClick;

    void setObserver(Observer* observer) { observer_ = observer; }

    // Inner area of a container: the size less a 30-twip border on every side
    // for picture boxes; the whole client area for the window.
    virtual int innerWidth() const;
    virtual int innerHeight() const;
    int borderWidth() const { return kind_ == Kind::PictureBox ? 30 : 0; }

  protected:
    template <class T, class V> void set(T& field, V&& v, Property property) {
        if (field == v)
            return;
        field = std::forward<V>(v);
        if (observer_)
            observer_->changed(*this, property);
    }

  private:
    Kind kind_;
    std::string name_;
    Control* parent_ = nullptr;
    std::vector<Control*> children_;
    Observer* observer_ = nullptr;

    float left_ = 0;
    float top_ = 0;
    std::int16_t width_ = 0;
    std::int16_t height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    std::string text_;
    Colour foreColor_ = buttonText;
    Colour backColor_ = buttonFace;
    bool value_ = false;
    Alignment alignment_ = Alignment::Left;
    BackStyle backStyle_ = BackStyle::Opaque;
    Font font_;
    int tabIndex_ = 0;
    std::string picture_;
    bool stretch_ = false;
};

} // namespace platform
