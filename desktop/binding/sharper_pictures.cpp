#include "desktop/binding/sharper_pictures.h"

#include <QPixmap>

#include "desktop/binding/appearance.h"

namespace platform::qt {

QIcon sharperIcon(const std::string& picture, qreal ratio, const SharperPicture& sharper) {
    QIcon icon(pictureResource(picture));
    if (ratio <= 1 || !sharper)
        return icon;
    const QList<QSize> sizes = icon.availableSizes();
    for (const QSize size : sizes) {
        const QImage image = sharper(picture, (QSizeF(size) * ratio).toSize());
        if (image.isNull())
            continue;
        // Qt picks an icon's image by its ratio first, then by its size.
        QPixmap pixmap = QPixmap::fromImage(image);
        pixmap.setDevicePixelRatio(ratio);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace platform::qt
