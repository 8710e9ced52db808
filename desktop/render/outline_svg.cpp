#include "desktop/render/outline_svg.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QSvgGenerator>

namespace {

// Cutting a curve to a clip turns it into lines half a unit long; cut at
// this many times the size, the lines are too short to see.
constexpr double cutDetail = 16;

// Hands every shape to out as a filled outline in device units. Text reaches
// drawPath through QPaintEngine's own drawTextItem, as glyph outlines.
class OutlineEngine final : public QPaintEngine {
  public:
    explicit OutlineEngine(QPainter& out) : QPaintEngine(AllFeatures), out_(out) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return User; }

    void drawPath(const QPainterPath& path) override { draw(path, true); }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        if (mode == PolylineMode) {
            draw(path, false);
            return;
        }
        path.closeSubpath();
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        draw(path, true);
    }

    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override {
        out_.setTransform(painter()->deviceTransform());
        out_.drawPixmap(target, pixmap, source);
        out_.resetTransform();
    }

  private:
    // The shape filled with the brush and outlined with the pen.
    void draw(const QPainterPath& shape, bool filled) {
        const QPen pen = painter()->pen();
        if (filled && painter()->brush().style() != Qt::NoBrush)
            fill(shape, painter()->brush());
        if (pen.style() != Qt::NoPen) {
            QPainterPathStroker stroker(pen);
            stroker.setWidth(pen.widthF() > 0 ? pen.widthF() : 1);
            fill(stroker.createStroke(shape), pen.brush());
        }
    }

    // Where the painter may draw, in device units; empty for anywhere.
    QPainterPath clip() const {
        QPainterPath area;
        if (!systemClip().isEmpty())
            area.addRegion(systemClip());
        if (painter()->hasClipping()) {
            const QPainterPath own = painter()->deviceTransform().map(painter()->clipPath());
            area = area.isEmpty() ? own : area.intersected(own);
        }
        return area;
    }

    void fill(const QPainterPath& shape, const QBrush& brush) {
        QPainterPath outline = painter()->deviceTransform().map(shape);
        const QPainterPath area = clip();
        if (!area.isEmpty() && !area.contains(outline.boundingRect())) {
            const QTransform finer = QTransform::fromScale(cutDetail, cutDetail);
            outline = finer.inverted().map(finer.map(outline).intersected(finer.map(area)));
        }
        if (!outline.isEmpty())
            out_.fillPath(outline, brush);
    }

    QPainter& out_;
};

} // namespace

OutlineSvg::OutlineSvg(const QString& file, QSize size, QSize shown, const QString& title)
    : size_(size), generator_(std::make_unique<QSvgGenerator>()) {
    generator_->setFileName(file);
    generator_->setTitle(title);
    generator_->setDescription(title);
    // Its size in pixels of a screen at 96 dots an inch.
    generator_->setResolution(96);
    generator_->setSize(shown);
    generator_->setViewBox(QRect(QPoint(0, 0), size));
    out_ = std::make_unique<QPainter>(generator_.get());
    engine_ = std::make_unique<OutlineEngine>(*out_);
}

OutlineSvg::~OutlineSvg() = default;

bool OutlineSvg::finish() {
    return out_->end();
}

QPaintEngine* OutlineSvg::paintEngine() const {
    return engine_.get();
}

int OutlineSvg::metric(PaintDeviceMetric metric) const {
    // Units of a screen at 96 dots an inch, as an image's.
    constexpr int dpi = 96;
    switch (metric) {
    case PdmWidth:
        return size_.width();
    case PdmHeight:
        return size_.height();
    case PdmWidthMM:
        return size_.width() * 254 / (10 * dpi);
    case PdmHeightMM:
        return size_.height() * 254 / (10 * dpi);
    case PdmNumColors:
        return 0;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return dpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}
