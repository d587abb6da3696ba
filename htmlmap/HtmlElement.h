#pragma once

#include <QPair>
#include <QString>
#include <QVector>

// An element of a parsed HTML document reduced to its attributes, names in
// lower case and values decoded as the parser decodes them.
struct HtmlElement
{
    QVector<QPair<QString, QString>> Attributes;

    // Every attribute as the parser gives it: names in lower case, in the order
    // written, a repeated name only once (its first occurrence).
    const QVector<QPair<QString, QString>>& AttributesInOrder() const { return Attributes; }

    // The value of attribute `name` (any case); empty text when absent.
    QString GetAttributeText(const QString& name) const
    {
        for (const auto& attribute : Attributes)
            if (attribute.first.compare(name, Qt::CaseInsensitive) == 0)
                return attribute.second;
        return QString();
    }
};
