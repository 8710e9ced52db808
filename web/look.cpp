#include "web/look.h"

#include <cstdio>

namespace platform::web {

namespace {

platform::Colour systemColour(unsigned index) {
    using platform::rgb;
    switch (index) {
    case 0x02: // active title bar
    case 0x0D: // selection
        return rgb(48, 140, 198);
    case 0x09: // title bar text
    case 0x0E: // selected text
        return rgb(255, 255, 255);
    case 0x05: // window background
        return rgb(255, 255, 255);
    case 0x07: // menu text
    case 0x08: // window text
    case 0x12: // button text
    case 0x17: // tooltip text
        return rgb(0, 0, 0);
    case 0x10: // button shadow
        return rgb(184, 184, 184);
    case 0x11: // grey text
        return rgb(190, 190, 190);
    case 0x14: // 3-D highlight
        return rgb(255, 255, 255);
    case 0x15: // 3-D dark shadow
        return rgb(118, 118, 118);
    case 0x16: // 3-D light
        return rgb(202, 202, 202);
    case 0x18: // tooltip background
        return rgb(255, 255, 220);
    case 0x06: // window frame
        return rgb(159, 159, 159);
    default: // button face, desktop, menus, borders, workspace
        return rgb(239, 239, 239);
    }
}

} // namespace

std::string cssColour(platform::Colour value) {
    if (value & platform::systemColourFlag)
        value = systemColour(value & 0xFF);
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", value & 0xFF, value >> 8 & 0xFF,
                  value >> 16 & 0xFF);
    return text;
}

std::string cssFamily(const std::string& face) {
    const bool serif = face.find("明朝") != std::string::npos;
    return "\"" + face + "\", " + (serif ? "serif" : "sans-serif");
}

} // namespace platform::web
