#include "desktop/drawing/dense_pictures.h"

#include <QFile>

#include "desktop/drawing/board_drawing.h"
#include "desktop/drawing/svg_drawing.h"

namespace tembira::desktop {

namespace {

// The reward pictures' drawings, as assets/animals/generate.sh pairs them.
QString drawingOf(const std::string& picture) {
    if (picture == "reward1.bmp")
        return ":/drawings/anteater.svg";
    if (picture == "reward2.bmp")
        return ":/drawings/tree_kangaroo.svg";
    if (picture == "reward3.bmp")
        return ":/drawings/okapi.svg";
    return {};
}

} // namespace

QImage drawPicture(const std::string& picture, QSize pixels) {
    if (pixels.isEmpty())
        return {};
    if (picture == "opening.bmp")
        return drawOpening(pixels);
    if (picture == "icon.ico")
        return drawIcon(pixels);
    QFile drawing(drawingOf(picture));
    if (drawing.fileName().isEmpty() || !drawing.open(QIODevice::ReadOnly))
        return {};
    return renderSvg(drawing.readAll(), pixels);
}

} // namespace tembira::desktop
