// An SVG file drawn as filled outlines only: text becomes the outlines of its
// glyphs and every shape is cut to the painter's clip, so that the drawing
// needs no font and looks the same in every SVG renderer (QSvgGenerator on its
// own writes text as text and leaves clipping out).
#pragma once

#include <QPaintDevice>
#include <QSize>
#include <QString>
#include <memory>

class QPaintEngine;
class QPainter;
class QSvgGenerator;

class OutlineSvg final : public QPaintDevice {
  public:
    // A drawing of size units, shown at shown pixels unless scaled.
    OutlineSvg(const QString& file, QSize size, QSize shown, const QString& title);
    ~OutlineSvg() override;
    OutlineSvg(const OutlineSvg&) = delete;
    OutlineSvg& operator=(const OutlineSvg&) = delete;

    // Writes the file; whether it could.
    bool finish();

    QPaintEngine* paintEngine() const override;

  protected:
    int metric(PaintDeviceMetric metric) const override;

  private:
    QSize size_;
    std::unique_ptr<QSvgGenerator> generator_;
    std::unique_ptr<QPainter> out_;
    std::unique_ptr<QPaintEngine> engine_;
};
