#include "MapDiscovery.h"

#include <QHash>

QVector<ImageMapEntry> FindImageMaps(const HtmlDocument& document)
{
    // First map of each "#name", folded, so large documents are not searched once per image.
    QHash<QString, int> firstMap;
    const auto& maps = document.Maps();
    for (int i = 0; i < maps.size(); ++i) {
        const QString key = (QLatin1Char('#') + maps[i].Name()).toCaseFolded();
        if (!firstMap.contains(key))
            firstMap.insert(key, i);
    }

    QVector<ImageMapEntry> entries;
    for (const HtmlElement& image : document.Images()) {
        const QString useMap = image.GetAttributeText(QStringLiteral("usemap"));
        const auto found = firstMap.constFind(useMap.toCaseFolded());
        if (found == firstMap.constEnd())
            continue;
        entries.append({image.GetAttributeText(QStringLiteral("src")), useMap, found.value()});
    }
    return entries;
}
