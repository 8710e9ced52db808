// Colours, fonts and pictures as the game names them, turned into Qt's.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <string>

#include "platform/control.h"

namespace platform::qt {

// A stored colour: 0x00BBGGRR as it is, 0x800000nn from the palette.
QColor colour(platform::Colour value, const QPalette& palette);

// The window's Japanese faces are asked for by their own names; this makes
// them resolve to the nearest installed faces. Call once, after the
// application object exists.
void installFontSubstitutes();

// The face the game's font resolves to, at its size in pixels and weight. An
// empty face takes fallback's (the container's) face.
QFont font(const platform::Font& f, const platform::Font* fallback = nullptr);

// The substitute faces are often wider than the faces the window was laid out
// for (their digits above all): a line of text wider than width is
// condensed just enough to fit, down to 60 %.
QFont fitted(QFont f, const QString& text, int width);

// The resource that holds a picture the game names, such as "opening.bmp".
QString pictureResource(const std::string& name);

} // namespace platform::qt
