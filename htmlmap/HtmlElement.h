#pragma once

#include <QPair>
#include <QString>
#include <QVector>

// An element of a parsed HTML document reduced to its attributes, names in
// lower case and values decoded as the parser decodes them.
struct HtmlElement
{
    QVector<QPair<QString, QString>> Attributes;

    // The value of attribute `name` (any case); empty text when absent.
    QString GetAttributeText(const QString& name) const
    {
        for (const auto& attribute : Attributes)
            if (attribute.first.compare(name, Qt::CaseInsensitive) == 0)
                return attribute.second;
        return QString();
    }
};
