// The page's side of the binding (dom_library.js): one element for each
// control, told what to show in CSS pixels and CSS colours, and nothing of
// the game.
#pragma once

extern "C" {

// Element kinds, as the page builds them.
enum DomKind {
    domWindow = 0,
    domLabel = 1,
    domButton = 2,
    domOption = 3,
    domTextBox = 4,
    domPictureBox = 5,
    domImage = 6,
};

// clickable: the element takes clicks (a label that is a button).
void dom_create(int id, int kind, int parent, const char* picture, int clickable);
void dom_geometry(int id, int x, int y, int width, int height);
void dom_stacking(int id, int z);
void dom_visible(int id, int visible);
void dom_enabled(int id, int enabled);
void dom_text(int id, const char* text);
void dom_colours(int id, const char* fore, const char* back);
void dom_alignment(int id, int alignment); // as platform::Alignment: left, right, centre
void dom_opaque(int id, int opaque);
void dom_font(int id, const char* family, int pixels, int weight);
void dom_checked(int id, int checked);
// tabIndex: 0 none, -1 focus by script only, n > 0 the n-th in Tab order.
// clickFocus: whether a pointer press gives the element the focus.
void dom_focus_policy(int id, int tabIndex, int clickFocus);
void dom_focus(int id);
void dom_accessible(int id, const char* name, const char* description);
// Whether text shows whole in a text box, condensed to 60 % at most.
int dom_fits(int id, const char* text);
void dom_title(const char* text);
// The time of day in the browser's locale: its usual form, or numeric with
// seconds and a 24-hour clock.
char* dom_time_of_day(int numeric);
// Every timer is stopped: the page shows text alone, quietly.
void dom_end(const char* text);
}
