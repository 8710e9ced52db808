// The game on a dense screen: these tests run with QT_SCALE_FACTOR above 1.
// The pictures are drawn from their sources at the device resolution: finer
// than their bitmaps scaled up, yet showing the same.
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

#include "app/wiring.h"
#include "desktop/binding/appearance.h"
#include "desktop/binding/binding.h"
#include "desktop/drawing/dense_pictures.h"
#include "form/form1.h"
#include "platform/clock.h"

using namespace platform::qt;
using platform::Control;

namespace {

struct DenseScreen : ::testing::Test {
    platform::VirtualClock clock;
    tembira::Form1 form{clock};
    std::unique_ptr<Binding> binding;

    void SetUp() override {
        tembira::wire(form);
        binding = std::make_unique<Binding>(form);
        binding->setSharperPictures(tembira::desktop::drawPicture);
        form.load();
        binding->window()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(binding->window()));
        ASSERT_GT(binding->window()->devicePixelRatio(), 1) << "run with QT_SCALE_FACTOR=2";
    }
};

// A bitmap smoothly stretched to size, as the widget draws it without a
// sharper picture.
QImage stretched(const QPixmap& bitmap, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(image.rect(), bitmap);
    return image;
}

// Fine detail: the mean squared grey step between neighbouring pixels. A
// blurred edge spreads its step over more pixels and so counts for less.
double fineDetail(const QImage& image) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    double sum = 0;
    for (int y = 0; y + 1 < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        const uchar* below = grey.constScanLine(y + 1);
        for (int x = 0; x + 1 < grey.width(); ++x)
            sum += (row[x + 1] - row[x]) * (row[x + 1] - row[x]) +
                   (below[x] - row[x]) * (below[x] - row[x]);
    }
    return sum / (double(grey.width()) * grey.height());
}

// The largest difference of mean colour over the blocks of a 16 x 16
// reduction: what a person would see as a different picture.
int worstBlock(const QImage& a, const QImage& b) {
    const auto reduce = [](const QImage& image) {
        return image.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    const QImage ra = reduce(a), rb = reduce(b);
    int worst = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QColor p = ra.pixelColor(x, y), q = rb.pixelColor(x, y);
            worst = std::max({worst, std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                              std::abs(p.blue() - q.blue())});
        }
    return worst;
}

} // namespace

TEST_F(DenseScreen, PicturesAreDrawnFromTheirSources) {
    const qreal ratio = binding->window()->devicePixelRatio();
    for (const Control* c : {&form.Opening, &form.GOHOUBI1, &form.GOHOUBI2, &form.GOHOUBI3}) {
        QWidget* w = binding->widget(*c);
        const QImage shown = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.size(), (QSizeF(w->size()) * ratio).toSize());
        const QImage bitmap = stretched(QPixmap(pictureResource(c->picture())), shown.size());
        EXPECT_GT(fineDetail(shown), 1.2 * fineDetail(bitmap)) << c->name();
        EXPECT_LE(worstBlock(shown, bitmap), 16) << c->name();
    }
}

TEST_F(DenseScreen, TheWindowIconHasImagesAtTheDeviceResolution) {
    const qreal ratio = binding->window()->devicePixelRatio();
    const QImage icon = binding->window()->windowIcon().pixmap(QSize(32, 32)).toImage();
    ASSERT_EQ(icon.size(), (QSizeF(32, 32) * ratio).toSize());
    const QPixmap small = QIcon(pictureResource("icon.ico")).pixmap(QSize(32, 32), 1.0);
    const QImage bitmap = stretched(small, icon.size());
    EXPECT_GT(fineDetail(icon), 1.2 * fineDetail(bitmap));
    // Like the large image of the bitmap icon, which holds more of the board.
    EXPECT_LE(worstBlock(icon, QImage(pictureResource("icon.ico"))), 16);
}
