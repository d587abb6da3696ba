#include "AppFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& FolderOverride()
{
    static QString folder;
    return folder;
}

QString WithTrailingSeparator(const QString& folder)
{
    QString result = QDir::fromNativeSeparators(folder);
    if (!result.endsWith(QLatin1Char('/')))
        result += QLatin1Char('/');
    return result;
}
} // namespace

QString ApplicationTitle()
{
    return QStringLiteral("Corvanta Zonequilter");
}

QString GetAppFolder()
{
    if (!FolderOverride().isEmpty())
        return WithTrailingSeparator(FolderOverride());
    const QString fromEnvironment = qEnvironmentVariable("ZQ_APP_DIR");
    if (!fromEnvironment.isEmpty())
        return WithTrailingSeparator(fromEnvironment);
    return WithTrailingSeparator(QCoreApplication::applicationDirPath());
}

QString GetAppFilePath(const QString& Name)
{
    return GetAppFolder() + Name;
}

void SetAppFolderOverride(const QString& Folder)
{
    FolderOverride() = Folder;
}
