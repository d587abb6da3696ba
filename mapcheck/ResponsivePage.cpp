#include "ResponsivePage.h"

#include "HtmlTexts.h"
#include "ImageMapWriter.h"
#include "MapGeometry.h"

#include <QDir>
#include <QFileInfo>

namespace {
// Area texts are HTML already, as the image map writes them; in element content only '<' would be
// read as markup.
QString ElementText(const QString& Text)
{
    QString t = Text;
    t.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    return t;
}

QString Attribute(const char* Name, const QString& Value)
{
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(Name), EscapeAttributeQuotes(Value));
}

QString AttributeValue(const MapArea& Area, const char* Name)
{
    for (const auto& a : Area.Attributes)
        if (a.first.compare(QLatin1String(Name), Qt::CaseInsensitive) == 0)
            return a.second;
    return QString();
}

QString Shape(const MapArea& Area)
{
    const AreaGeometry g = AreaGeometry::Of(Area);
    switch (Area.shape) {
    case MapArea::Shape::Rect:
        return QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/>")
            .arg(g.X1)
            .arg(g.Y1)
            .arg(g.X2 - g.X1)
            .arg(g.Y2 - g.Y1);
    case MapArea::Shape::Circle:
        return QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"%3\"/>").arg(g.CX).arg(g.CY).arg(g.R);
    case MapArea::Shape::Poly: {
        QString points;
        for (const QPoint& p : Area.Vertices) {
            if (!points.isEmpty())
                points += QLatin1Char(' ');
            points += QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
        }
        return QStringLiteral("<polygon points=\"%1\"/>").arg(points);
    }
    }
    return QString();
}

QString Link(const MapArea& Area, bool ForPointer)
{
    QString a = QStringLiteral("<a") + Attribute("href", Area.HRef);
    if (!Area.Target.isEmpty())
        a += Attribute("target", Area.Target);
    if (ForPointer) {
        a += QStringLiteral(" tabindex=\"-1\" aria-hidden=\"true\">") + Shape(Area) + QStringLiteral("</a>\n");
        return a;
    }
    if (!Area.AltText.isEmpty())
        a += Attribute("aria-label", Area.AltText);
    a += QLatin1Char('>');
    const QString title = AttributeValue(Area, "title");
    const QString tip = title.isEmpty() ? Area.AltText : title;
    if (!tip.isEmpty())
        a += QStringLiteral("<title>") + ElementText(tip) + QStringLiteral("</title>");
    return a + Shape(Area) + QStringLiteral("</a>\n");
}

const char* const kStyle = "<style>\n"
                           ".zq-map{position:relative;width:100%;margin:0;padding:0;line-height:0}\n"
                           ".zq-map>img{display:block;width:100%;height:auto;border:0}\n"
                           ".zq-map>svg{position:absolute;left:0;top:0;width:100%;height:100%;overflow:visible}\n"
                           ".zq-map .zq-pointer *{fill:#000;fill-opacity:0;stroke:none;cursor:pointer}\n"
                           ".zq-map .zq-keys *{fill:none;stroke:none;pointer-events:none}\n"
                           ".zq-map .zq-keys a:focus{outline:none}\n"
                           ".zq-map .zq-keys a:focus>:not(title){stroke:#ffbf00;stroke-width:3px;"
                           "vector-effect:non-scaling-stroke;paint-order:stroke}\n"
                           "</style>\n";
} // namespace

QString BuildSvgOverlay(const QString& ImageFileName, const QString& MapName, const QVector<MapArea>& Areas,
                        QSize Picture)
{
    QString out = QLatin1String(kStyle);
    out += QStringLiteral("<div class=\"zq-map\"") + Attribute("data-map", MapName) + QStringLiteral(">\n");
    out += QStringLiteral("<img") + Attribute("src", EscapeImportedText(ImageFileName)) +
           QStringLiteral(" alt=\"\" width=\"%1\" height=\"%2\">\n").arg(Picture.width()).arg(Picture.height());
    out += QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %1 %2\" "
                          "preserveAspectRatio=\"none\" role=\"group\"")
               .arg(Picture.width())
               .arg(Picture.height()) +
           Attribute("aria-label", MapName) + QStringLiteral(">\n");
    out += QStringLiteral("<g class=\"zq-pointer\">\n");
    for (auto it = Areas.crbegin(); it != Areas.crend(); ++it)
        out += Link(*it, true);
    out += QStringLiteral("</g>\n<g class=\"zq-keys\">\n");
    for (const MapArea& area : Areas)
        out += Link(area, false);
    out += QStringLiteral("</g>\n</svg>\n</div>\n");
    return out;
}

QString BuildResponsivePage(const QString& ImageFileName, const QString& MapName, const QVector<MapArea>& Areas,
                            QSize Picture)
{
    return QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>") +
           ElementText(MapName) + QStringLiteral("</title>\n</head>\n<body style=\"margin:0\">\n") +
           BuildSvgOverlay(ImageFileName, MapName, Areas, Picture) + QStringLiteral("</body>\n</html>\n");
}

QString ResponsivePictureSource(const QString& ImageFileName, const QString& OutputFile)
{
    if (OutputFile.isEmpty() || !QFileInfo(ImageFileName).isAbsolute())
        return ImageFileName;
    return QFileInfo(OutputFile).absoluteDir().relativeFilePath(ImageFileName);
}
