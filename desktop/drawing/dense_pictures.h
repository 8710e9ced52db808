// The game's pictures drawn for a dense screen from their sources: the
// rewards from their SVG drawings, the opening picture and the icon from the
// board drawing. The program gives it to Binding::setSharperPictures.
#pragma once

#include <QImage>
#include <QSize>
#include <string>

namespace tembira::desktop {

// The picture the game names ("reward1.bmp") at pixels, a size in device
// pixels; a null image for a picture it has no source for.
QImage drawPicture(const std::string& picture, QSize pixels);

} // namespace tembira::desktop
