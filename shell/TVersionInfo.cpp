#include "TVersionInfo.h"

#ifndef ZQ_VERSION_MAJOR
#error "The version numbers come from the build (ZQ_VERSION_MAJOR ... ZQ_VERSION_TWEAK)"
#endif

TVersionResource ProgramVersionResource()
{
    TVersionResource r;
    r.Present = true;
    r.FileVersionMS = (quint32(ZQ_VERSION_MAJOR) << 16) | quint32(ZQ_VERSION_MINOR);
    r.FileVersionLS = (quint32(ZQ_VERSION_PATCH) << 16) | quint32(ZQ_VERSION_TWEAK);
    r.Translations = {{0x0409, 0x04B0}};
    const QString block = QStringLiteral("\\StringFileInfo\\040904B0\\");
    r.Strings.insert(block + QStringLiteral("CompanyName"), QStringLiteral("Corvanta"));
    r.Strings.insert(block + QStringLiteral("ProductName"), QStringLiteral("Corvanta Zonequilter"));
    r.Strings.insert(block + QStringLiteral("FileDescription"),
                     QStringLiteral("Corvanta Zonequilter image-map editor"));
    r.Strings.insert(block + QStringLiteral("Comments"),
                     QStringLiteral("Draws clickable image maps for web pages."));
    r.Strings.insert(block + QStringLiteral("LegalCopyright"),
                     QStringLiteral("Copyright \u00A9 2026 Corvanta. All rights reserved."));
    r.Strings.insert(block + QStringLiteral("FileVersion"), QStringLiteral(ZQ_VERSION_STRING));
    return r;
}

TVersionInfo::TVersionInfo() : TVersionInfo(ProgramVersionResource()) {}

TVersionInfo::TVersionInfo(const TVersionResource& Resource) : FResource(Resource)
{
    FValid = Resource.Present;
    if (FValid && !Resource.Translations.isEmpty()) {
        const auto& [language, codePage] = Resource.Translations.first();
        FLanguageCodePage = QStringLiteral("%1%2")
                                .arg(language, 4, 16, QLatin1Char('0'))
                                .arg(codePage, 4, 16, QLatin1Char('0'))
                                .toUpper();
    }
}

QString TVersionInfo::GetValue(const QString& Name) const
{
    if (!FValid)
        return QString();
    return FResource.Strings.value(QStringLiteral("\\StringFileInfo\\%1\\%2").arg(FLanguageCodePage, Name));
}

QString TVersionInfo::NumericFileVersion() const
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(FResource.FileVersionMS >> 16)
        .arg(FResource.FileVersionMS & 0xFFFF)
        .arg(FResource.FileVersionLS >> 16)
        .arg(FResource.FileVersionLS & 0xFFFF);
}

QString TVersionInfo::FileVersion() const
{
    const QString text = GetValue(QStringLiteral("FileVersion"));
    if (text.isEmpty() && FValid)
        return NumericFileVersion();
    return text;
}
