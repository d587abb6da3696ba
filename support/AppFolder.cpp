#include "AppFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

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

QString GetInstalledDataFolder()
{
    return WithTrailingSeparator(QDir::cleanPath(GetAppFolder() + QStringLiteral(ZQ_DATA_FROM_BIN)));
}

QString FindProgramFile(const QString& Name)
{
    const QString beside = GetAppFilePath(Name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = GetInstalledDataFolder() + Name;
    return QFileInfo::exists(installed) ? installed : beside;
}

bool IsAppFolderWritable()
{
    // access() rather than the permission bits: it also knows read-only mounts and ACLs.
    return ::access(QFile::encodeName(GetAppFolder()).constData(), W_OK | X_OK) == 0;
}
