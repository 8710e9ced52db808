// Twips to pixels, colours and the Japanese faces.
#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QRawFont>
#include <gtest/gtest.h>

#include "desktop/binding/appearance.h"
#include "desktop/binding/metrics.h"
#include "form/board_state.h"

using namespace platform::qt;

TEST(Metrics, TwipsRoundToTheNearestPixel) {
    EXPECT_EQ(pixels(0), 0);
    EXPECT_EQ(pixels(7), 0);
    EXPECT_EQ(pixels(8), 1);
    EXPECT_EQ(pixels(30), 2);
    EXPECT_EQ(pixels(-120), -8);
    EXPECT_EQ(pixels(-128), -9);
    EXPECT_EQ(pixels(4230), 282);
}

TEST(Metrics, NeighbouringTilesKeepTheirPitchAndSize) {
    for (int k = 1; k <= 16; ++k) {
        QRect r = pixelRect(tembira::cellLeft(k), tembira::cellTop(k), 975, 975);
        EXPECT_EQ(r, QRect((k - 1) % 4 * 64, (k - 1) / 4 * 64, 65, 65)) << "cell " << k;
    }
    // A tile part way through a slide: the edges round each on their own, so
    // the size never wobbles by more than the edges do.
    for (float left = 0; left <= 960; left += 160)
        EXPECT_EQ(pixelRect(left, 0, 975, 975).width(), 65) << left;
    // The frame's inside: 30 twips of border are 2 pixels.
    EXPECT_EQ(pixelRect(-120, -120, 4095, 4095), QRect(-8, -8, 273, 273));
}

TEST(Metrics, FontPointsAreTwentyTwips) {
    EXPECT_EQ(fontPixels(48), 64);
    EXPECT_EQ(fontPixels(18), 24);
    EXPECT_EQ(fontPixels(12), 16);
    EXPECT_EQ(fontPixels(9), 12);
}

TEST(Appearance, StoredColoursAreBlueGreenRed) {
    const QPalette palette = QApplication::palette();
    EXPECT_EQ(colour(platform::rgb(128, 255, 128), palette), QColor(128, 255, 128));
    EXPECT_EQ(colour(platform::rgb(176, 83, 216), palette), QColor(176, 83, 216));
    EXPECT_EQ(colour(0x00C00000, palette), QColor(0, 0, 192));
}

TEST(Appearance, SystemColoursComeFromThePalette) {
    QPalette palette;
    palette.setColor(QPalette::ButtonText, QColor(1, 2, 3));
    palette.setColor(QPalette::Button, QColor(4, 5, 6));
    palette.setColor(QPalette::Base, QColor(7, 8, 9));
    EXPECT_EQ(colour(platform::buttonText, palette), QColor(1, 2, 3));
    EXPECT_EQ(colour(platform::buttonFace, palette), QColor(4, 5, 6));
    EXPECT_EQ(colour(platform::windowBackground, palette), QColor(7, 8, 9));
}

TEST(Appearance, JapaneseFacesResolveToFacesWithHalfWidthKana) {
    for (const char* face : {"ＭＳ Ｐ明朝", "ＭＳ Ｐゴシック"}) {
        QFont f = font({face, 9, 400});
        const QString family = QFontInfo(f).family();
        QRawFont raw = QRawFont::fromFont(f, QFontDatabase::Japanese);
        EXPECT_TRUE(raw.supportsCharacter(U'ｵ')) << face << " -> " << family.toStdString();
        EXPECT_TRUE(raw.supportsCharacter(U'パ')) << face << " -> " << family.toStdString();
    }
}

TEST(Appearance, FontsTakeSizeWeightAndTheContainersFace) {
    const platform::Font window{"ＭＳ Ｐゴシック", 9, 400};
    QFont bold = font({"ＭＳ Ｐ明朝", 18, 700});
    EXPECT_EQ(bold.pixelSize(), 24);
    EXPECT_EQ(bold.weight(), QFont::Bold);
    EXPECT_EQ(font({"", 9, 400}, &window).family(), QString::fromUtf8("ＭＳ Ｐゴシック"));
}

TEST(Appearance, OnlyTextTooWideIsCondensed) {
    QFont f = font({"ＭＳ Ｐ明朝", 48, 400});
    const int natural = QFontMetrics(f).horizontalAdvance("11");
    EXPECT_EQ(fitted(f, "11", natural).stretch(), f.stretch());
    QFont narrow = fitted(f, "11", natural * 3 / 4);
    EXPECT_LE(QFontMetrics(narrow).horizontalAdvance("11"), natural * 3 / 4 + 2);
    EXPECT_GE(fitted(f, "11", 1).stretch(), 60);
}

TEST(Appearance, EveryPictureIsEmbeddedAt256ColoursAndItsSize) {
    const std::pair<const char*, QSize> pictures[] = {{"opening.bmp", {256, 255}},
                                                      {"reward1.bmp", {256, 256}},
                                                      {"reward2.bmp", {256, 256}},
                                                      {"reward3.bmp", {256, 256}}};
    for (const auto& [name, size] : pictures) {
        QImage picture(pictureResource(name));
        EXPECT_EQ(picture.size(), size) << name;
        EXPECT_EQ(picture.format(), QImage::Format_Indexed8) << name;
        EXPECT_LE(picture.colorCount(), 256) << name;
    }
    // The icon carries a large and a small image, both 8 bits a pixel with
    // a palette: read from the icon's own directory and bitmap headers, since
    // Qt hands icons back in 32-bit colour.
    QFile file(pictureResource("icon.ico"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray ico = file.readAll();
    auto word = [&](qsizetype at) { return quint16(uchar(ico[at]) | uchar(ico[at + 1]) << 8); };
    auto dword = [&](qsizetype at) { return quint32(word(at) | quint32(word(at + 2)) << 16); };
    ASSERT_EQ(word(4), 2);
    const QSize sizes[2] = {{256, 255}, {32, 32}};
    for (int i = 0; i < 2; ++i) {
        const qsizetype offset = qsizetype(dword(6 + 16 * i + 12));
        EXPECT_EQ(int(dword(offset + 4)), sizes[i].width()) << "image " << i;
        EXPECT_EQ(int(dword(offset + 8)), 2 * sizes[i].height()) << "image " << i; // with mask
        EXPECT_EQ(word(offset + 14), 8) << "image " << i;
    }
}
