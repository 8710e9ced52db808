#include "form/form1.h"

namespace tembira {

using platform::Alignment;
using platform::BackStyle;
using platform::rgb;

namespace {

const char* const mincho = "ＭＳ Ｐ明朝";
const char* const gothic = "ＭＳ Ｐゴシック";

// The cell markers' colours, point-symmetric about the board's centre.
const platform::Colour markerColours[16] = {
    rgb(128, 255, 128), rgb(0, 255, 255),   rgb(255, 0, 255),   rgb(255, 0, 0),
    rgb(255, 255, 128), rgb(192, 255, 192), rgb(255, 192, 255), rgb(255, 128, 0),
    rgb(255, 128, 0),   rgb(255, 192, 255), rgb(192, 255, 192), rgb(255, 255, 128),
    rgb(255, 0, 0),     rgb(255, 0, 255),   rgb(0, 255, 255),   rgb(128, 255, 128),
};

void button(Control& c, const char* caption, float left, float top, std::int16_t width,
            std::int16_t height, int tabIndex) {
    c.place(left, top, width, height);
    c.setCaption(caption);
    c.setTabIndex(tabIndex);
}

void optionButton(Control& c, const char* caption, float left, float top, std::int16_t width,
                  std::int16_t height, bool value, int tabIndex) {
    button(c, caption, left, top, width, height, tabIndex);
    c.setValue(value);
}

void greyTextBox(Control& c, float left, float top, std::int16_t width, std::int16_t height,
                 int tabIndex) {
    c.place(left, top, width, height);
    c.setBackColor(rgb(192, 192, 192));
    c.setAlignment(Alignment::Center);
    c.setFont({gothic, 12, 400});
    c.setTabIndex(tabIndex);
}

void pictureBox(Control& c, float left, float top, std::int16_t width, std::int16_t height,
                int tabIndex) {
    c.place(left, top, width, height);
    c.setTabIndex(tabIndex);
}

// A picture box holding three option buttons (the third in front) and, behind
// them, the label that names the group.
void optionGroup(Control& box, Numbered<Control, 3>& options, Control& heading) {
    for (Control* c : {&options[3], &options[2], &options[1], &heading})
        box.add(*c);
}

void groupHeading(Control& label, const char* caption, float left, std::int16_t width,
                  int tabIndex) {
    label.place(left, 120, width, 255);
    label.setCaption(caption);
    label.setAlignment(Alignment::Center);
    label.setTabIndex(tabIndex);
}

// Every control inside container, depth first, each before its children.
template <class List> void addDescendants(const Control& container, List& all) {
    for (Control* c : container.children()) {
        all.push_back(c);
        addDescendants(*c, all);
    }
}

// Every timer of f, as Timer* or const Timer* as f is.
template <class Window> auto timerList(Window& f) {
    return std::vector{&f.AutoMove,   &f.PUM,    &f.PDM,         &f.PLM,  &f.PRM,
                       &f.NARABEKAE,  &f.MADA,   &f.GOHOUBITIME, &f.MOJI, &f.Clear,
                       &f.OPENINGEND, &f.JIKOKU, &f.FIN};
}

} // namespace

Form1::Form1(platform::Clock& services) : platform::Window("Form1", 4230, 4260), clock(services) {
    build();
}

void Form1::build() {
    setCaption("１５パズル");
    setBackColor(rgb(0, 0, 192));
    setFont({gothic, 9, 400});
    setPicture("icon.ico", false);

    // Windowed controls stack in front of labels; among these only the board
    // frame and the board overlap, the frame in front.
    for (Control* c : {&GOHOUBI, &Picture1, &TAITOLa, &SPEED, &START, &HANTEI, &TAITOL, &OPTION1,
                       &TIME1, &END1, &SIMERU, &MESSEGE})
        add(*c);

    pictureBox(GOHOUBI, 120, 120, 3975, 3975, 50);
    pictureBox(Picture1, 120, 120, 3915, 3915, 0);
    pictureBox(TAITOLa, 240, 5280, 2055, 1335, 45);
    pictureBox(SPEED, 2400, 5280, 1455, 1335, 39);

    // The board: fifteen transparent tiles in front of sixteen coloured
    // markers, PANEL15 front-most.
    for (int n = 15; n >= 1; --n) {
        Control& tile = PANEL[n];
        Picture1.add(tile);
        tile.place(float(cellLeft(n)), float(cellTop(n)), 975, 975);
        tile.setCaption(std::to_string(n));
        tile.setBackStyle(BackStyle::Transparent);
        tile.setFont({mincho, 48, 400});
        tile.setEnabled(false);
        tile.setAlignment(n == 11 ? Alignment::Left : Alignment::Center);
        tile.setTabIndex(19 + n);
    }
    for (int k = 16; k >= 1; --k) {
        Control& marker = ADDRESS[k];
        Picture1.add(marker);
        marker.place(float(cellLeft(k)), float(cellTop(k)), 975, 975);
        marker.setBackColor(markerColours[k - 1]);
        marker.setTabIndex(3 + k);
    }

    // The board frame: the opening in front of the three reward pictures,
    // which wait out of view above and below.
    for (Control* c : {&HAJIME, &Opening, &GOHOUBI3, &GOHOUBI2, &GOHOUBI1})
        GOHOUBI.add(*c);
    HAJIME.place(1200, 2760, 1455, 375);
    HAJIME.setCaption("START");
    HAJIME.setBackColor(rgb(0, 0, 0));
    HAJIME.setForeColor(rgb(128, 255, 128));
    HAJIME.setAlignment(Alignment::Center);
    HAJIME.setFont({mincho, 18, 700});
    HAJIME.setTabIndex(51);
    Opening.place(-120, -120, 4095, 4095);
    Opening.setPicture("opening.bmp");
    GOHOUBI3.place(-120, rewardStartTop[2], 4095, 4095);
    GOHOUBI3.setPicture("reward3.bmp");
    GOHOUBI2.place(-120, rewardStartTop[1], 4095, 4095);
    GOHOUBI2.setPicture("reward2.bmp");
    GOHOUBI1.place(-120, rewardStartTop[0], 4095, 4095);
    GOHOUBI1.setPicture("reward1.bmp");

    // The button row, hidden until the opening ends.
    button(START, "START", 195, 4200, 780, 375, 2);
    button(HANTEI, "OK", 1080, 4200, 735, 375, 1);
    greyTextBox(TAITOL, 1920, 4200, 1095, 375, 44);
    button(OPTION1, "OPTION", 3120, 4200, 855, 375, 36);
    for (Control* c : {&START, &HANTEI, &TAITOL, &OPTION1}) {
        c->setVisible(false);
        c->setEnabled(false);
    }

    MESSEGE.place(-15, 4665, 4215, 975);
    MESSEGE.setForeColor(rgb(0, 255, 0));
    MESSEGE.setBackStyle(BackStyle::Transparent);
    MESSEGE.setAlignment(Alignment::Center);
    MESSEGE.setFont({mincho, 48, 400});
    MESSEGE.setTabIndex(35);

    // The options panel, hidden until OPTION opens it.
    greyTextBox(TIME1, 240, 4800, 975, 360, 3);
    button(END1, "END", 2280, 4800, 735, 375, 38);
    button(SIMERU, "CLOSE", 3120, 4800, 855, 375, 37);
    for (Control* c : optionsPanel())
        c->setVisible(false);

    optionGroup(TAITOLa, TAITOLn, TAITOLb);
    groupHeading(TAITOLb, "TAITOL", 360, 1335, 46);
    optionButton(TAITOLn[1], "ｵｵｱﾘｸｲ", 240, 360, 1335, 255, true, 47);
    optionButton(TAITOLn[2], "ｸﾛｷﾉﾎﾞﾘｶﾝｶﾞﾙｰ", 240, 600, 1575, 375, false, 48);
    optionButton(TAITOLn[3], "ｵｶﾋﾟ", 240, 960, 1455, 255, false, 49);

    optionGroup(SPEED, SPEEDn, SPEED4);
    groupHeading(SPEED4, "SPEED", 120, 1215, 43);
    optionButton(SPEEDn[1], "QUICK", 120, 360, 975, 255, false, 40);
    optionButton(SPEEDn[2], "NEWTRAL", 120, 600, 1215, 375, true, 41);
    optionButton(SPEEDn[3], "SLOW", 120, 960, 855, 255, false, 42);
}

void Form1::load() {
    for (Timer* t : timers())
        t->attach(clock);
    if (onLoad)
        onLoad();
}

std::vector<Control*> Form1::controls() {
    std::vector<Control*> all{this};
    addDescendants(*this, all);
    return all;
}

std::vector<const Control*> Form1::controls() const {
    std::vector<const Control*> all{this};
    addDescendants(*this, all);
    return all;
}

std::vector<Timer*> Form1::timers() {
    return timerList(*this);
}

std::vector<const Timer*> Form1::timers() const {
    return timerList(*this);
}

Control* Form1::control(const std::string& name) {
    for (Control* c : controls())
        if (c->name() == name)
            return c;
    return nullptr;
}

const Control* Form1::control(const std::string& name) const {
    for (const Control* c : controls())
        if (c->name() == name)
            return c;
    return nullptr;
}

const Timer* Form1::timer(const std::string& name) const {
    for (const Timer* t : timers())
        if (t->name() == name)
            return t;
    return nullptr;
}

} // namespace tembira
