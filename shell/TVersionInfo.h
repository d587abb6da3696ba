#pragma once

#include "VersionResource.h"

#include <QString>

// Answers the text fields and the numeric file version of a version resource, read once at
// construction.
class TVersionInfo
{
public:
    // The program's own version resource.
    TVersionInfo();
    explicit TVersionInfo(const TVersionResource& Resource);

    bool Valid() const { return FValid; }
    // The first "\VarFileInfo\Translation" entry as eight upper-case hex digits, language first.
    QString LanguageCodePage() const { return FLanguageCodePage; }
    // The text field of that name; empty when missing or when the resource is invalid.
    QString GetValue(const QString& Name) const;

    QString Comments() const { return GetValue(QStringLiteral("Comments")); }
    QString LegalCopyright() const { return GetValue(QStringLiteral("LegalCopyright")); }
    // "FileVersion", or for a valid resource without it the numeric version "%d.%d.%d.%d".
    QString FileVersion() const;
    QString NumericFileVersion() const;

private:
    TVersionResource FResource;
    bool FValid = false;
    QString FLanguageCodePage;
};
