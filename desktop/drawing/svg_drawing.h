// SVG drawings rendered with QtSvg, on white and stretched to a size.
//
// QtSvg 6.4 renders SVG Tiny, which has no clipping, and the reward drawings
// clip some of their groups. A group with clip-path="url(#id)" at the top
// level of the drawing is therefore drawn here on a layer of its own and cut
// to the shapes of its clipPath, as a full SVG renderer would.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace tembira::desktop {

// A null image if svg cannot be read.
QImage renderSvg(const QByteArray& svg, QSize size);

} // namespace tembira::desktop
