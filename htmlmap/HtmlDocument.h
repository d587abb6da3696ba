#pragma once

#include "HtmlElement.h"

#include <QString>
#include <QVector>

// An HTML document as the importer sees it: every IMG element, every MAP
// element and each map's AREA descendants, all in document order.
class HtmlDocument
{
public:
    struct MapElement
    {
        HtmlElement Element;
        QVector<HtmlElement> Areas;

        QString Name() const { return Element.GetAttributeText(QStringLiteral("name")); }
    };

    // Discards the content.
    void Clear();
    // Parses `html` as a browser would, replacing the previous content.
    void Write(const QString& html);
    // Empties the document, then reads, decodes and parses the file. On failure
    // the document stays empty and `errorMessage` names the file and the reason.
    bool LoadFromFile(const QString& fileName, QString* errorMessage);

    const QVector<HtmlElement>& Images() const { return FImages; }
    const QVector<MapElement>& Maps() const { return FMaps; }

private:
    QVector<HtmlElement> FImages;
    QVector<MapElement> FMaps;
};
