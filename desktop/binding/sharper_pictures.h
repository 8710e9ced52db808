// Pictures for screens denser than their bitmaps. The program may give a
// sharper drawing of a picture the game names; the binding asks for one only
// above a device pixel ratio of 1, so that on other screens the bitmaps show
// exactly as they are.
#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>
#include <functional>
#include <string>

namespace platform::qt {

// The picture named ("opening.bmp") drawn at pixels, a size in device pixels;
// a null image where there is nothing sharper than the bitmap.
using SharperPicture = std::function<QImage(const std::string& picture, QSize pixels)>;

// The icon of the picture's bitmap; above a ratio of 1, with a sharper image
// beside each of its images, ratio times as large.
QIcon sharperIcon(const std::string& picture, qreal ratio, const SharperPicture& sharper);

} // namespace platform::qt
