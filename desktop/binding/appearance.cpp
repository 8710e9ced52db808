#include "desktop/binding/appearance.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QRawFont>
#include <QStringList>
#include <algorithm>

#include "desktop/binding/metrics.h"

// The pictures live in a static library, so their registration is asked for.
static void registerPictures() {
    Q_INIT_RESOURCE(resources);
}

namespace platform::qt {

QColor colour(platform::Colour value, const QPalette& palette) {
    if (!(value & platform::systemColourFlag))
        return QColor(int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF));
    using R = QPalette::ColorRole;
    switch (value & 0xFF) {
    case 0x02: // active title bar
    case 0x0D: // selection
        return palette.color(R::Highlight);
    case 0x09: // title bar text
    case 0x0E: // selected text
        return palette.color(R::HighlightedText);
    case 0x05: // window background
        return palette.color(R::Base);
    case 0x07: // menu text
    case 0x08: // window text
        return palette.color(R::Text);
    case 0x0F: // button face
        return palette.color(R::Button);
    case 0x10: // button shadow
        return palette.color(R::Mid);
    case 0x11: // grey text
        return palette.color(QPalette::Disabled, R::Text);
    case 0x12: // button text
        return palette.color(R::ButtonText);
    case 0x14: // 3-D highlight
        return palette.color(R::Light);
    case 0x15: // 3-D dark shadow
        return palette.color(R::Shadow);
    case 0x16: // 3-D light
        return palette.color(R::Midlight);
    case 0x17: // tooltip text
        return palette.color(R::ToolTipText);
    case 0x18: // tooltip background
        return palette.color(R::ToolTipBase);
    case 0x06: // window frame
        return palette.color(R::Dark);
    default: // desktop, menus, borders, workspace
        return palette.color(R::Window);
    }
}

namespace {

// Whether family itself (not a fallback) draws half-width katakana, which the
// option captions are written in.
bool hasHalfWidthKana(const QString& family) {
    QRawFont raw = QRawFont::fromFont(QFont(family), QFontDatabase::Japanese);
    return raw.isValid() && raw.familyName() == family && raw.supportsCharacter(U'ｵ');
}

} // namespace

void installFontSubstitutes() {
    const QStringList mincho{"MS PMincho", "IPAPMincho", "Noto Serif CJK JP"};
    const QStringList gothic{"MS PGothic", "IPAPGothic", "Noto Sans CJK JP"};
    const auto installed = [](const QStringList& names) {
        return std::any_of(names.begin(), names.end(),
                           [](const QString& name) { return QFontDatabase::hasFamily(name); });
    };
    // Qt takes the first substitute that is installed, so the other Japanese
    // families are looked for (which opens every one of their font files)
    // only when no named face is there.
    QStringList japanese;
    if (!installed(mincho) || !installed(gothic)) {
        for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese))
            if (hasHalfWidthKana(family))
                japanese << family;
        if (japanese.isEmpty())
            japanese = QFontDatabase::families(QFontDatabase::Japanese);
    }

    QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐ明朝"), mincho + japanese);
    QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐゴシック"), gothic + japanese);
}

QFont font(const platform::Font& f, const platform::Font* fallback) {
    const std::string& face = f.face.empty() && fallback ? fallback->face : f.face;
    QFont result(QString::fromStdString(face));
    result.setPixelSize(fontPixels(f.points));
    result.setWeight(QFont::Weight(f.weight));
    return result;
}

QFont fitted(QFont f, const QString& text, int width) {
    const int natural = QFontMetrics(f).horizontalAdvance(text);
    if (natural <= width || width <= 0)
        return f;
    f.setStretch(std::max(60, 100 * width / natural));
    return f;
}

QString pictureResource(const std::string& name) {
    static const bool registered = (registerPictures(), true);
    (void)registered;
    return ":/assets/" + QString::fromStdString(name);
}

} // namespace platform::qt
