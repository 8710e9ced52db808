#include "desktop/drawing/svg_drawing.h"

#include <QDomDocument>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <algorithm>
#include <vector>

namespace tembira::desktop {

namespace {

// The top-level elements drawn together: a run of unclipped ones, or one
// clipped group with the id of its clipPath.
struct Run {
    std::vector<int> elements;
    QString clip;
};

QString clipOf(const QDomElement& element) {
    static const QRegularExpression url(QStringLiteral(R"(^\s*url\(\s*#([^)\s]+)\s*\)\s*$)"));
    const QRegularExpressionMatch match = url.match(element.attribute("clip-path"));
    return match.hasMatch() ? match.captured(1) : QString();
}

std::vector<QDomElement> topLevel(const QDomDocument& document) {
    std::vector<QDomElement> elements;
    for (QDomElement e = document.documentElement().firstChildElement(); !e.isNull();
         e = e.nextSiblingElement())
        elements.push_back(e);
    return elements;
}

std::vector<Run> runsOf(const QDomDocument& document) {
    std::vector<Run> runs;
    const std::vector<QDomElement> elements = topLevel(document);
    for (int i = 0; i < int(elements.size()); ++i) {
        if (elements[std::size_t(i)].tagName() == "defs")
            continue;
        const QString clip = clipOf(elements[std::size_t(i)]);
        if (!clip.isEmpty() || runs.empty() || !runs.back().clip.isEmpty())
            runs.push_back({{}, clip});
        runs.back().elements.push_back(i);
    }
    return runs;
}

// A copy of the drawing with only the run's elements, unclipped; <defs> kept.
QDomDocument only(const QDomDocument& document, const Run& run) {
    QDomDocument copy = document.cloneNode(true).toDocument();
    const std::vector<QDomElement> elements = topLevel(copy);
    for (int i = 0; i < int(elements.size()); ++i) {
        QDomElement e = elements[std::size_t(i)];
        if (e.tagName() == "defs")
            continue;
        if (std::find(run.elements.begin(), run.elements.end(), i) == run.elements.end())
            copy.documentElement().removeChild(e);
        else
            e.removeAttribute("clip-path");
    }
    return copy;
}

// A copy of the drawing holding only the clip's shapes, filled opaque; <defs>
// kept.
QDomDocument clipMask(const QDomDocument& document, const QString& clip) {
    QDomDocument copy = only(document, {});
    QDomElement shapes = copy.createElement("g");
    const QDomNodeList clips = copy.elementsByTagName("clipPath");
    for (int i = 0; i < clips.size(); ++i) {
        const QDomElement c = clips.item(i).toElement();
        if (c.attribute("id") != clip)
            continue;
        for (QDomElement s = c.firstChildElement(); !s.isNull(); s = s.nextSiblingElement()) {
            QDomElement shape = s.cloneNode(true).toElement();
            shape.setAttribute("fill", "#000");
            shape.setAttribute("stroke", "none");
            shapes.appendChild(shape);
        }
    }
    copy.documentElement().appendChild(shapes);
    return copy;
}

void render(const QDomDocument& document, QPainter& painter, QSize size) {
    QSvgRenderer renderer(document.toByteArray());
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
}

QImage layer(const QDomDocument& document, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    render(document, painter, size);
    return image;
}

} // namespace

QImage renderSvg(const QByteArray& svg, QSize size) {
    QDomDocument document;
    if (!document.setContent(svg) || !QSvgRenderer(svg).isValid())
        return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (const Run& run : runsOf(document)) {
        if (run.clip.isEmpty()) {
            render(only(document, run), painter, size);
            continue;
        }
        QImage clipped = layer(only(document, run), size);
        QPainter cut(&clipped);
        cut.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        cut.drawImage(0, 0, layer(clipMask(document, run.clip), size));
        cut.end();
        painter.drawImage(0, 0, clipped);
    }
    return image;
}

} // namespace tembira::desktop
