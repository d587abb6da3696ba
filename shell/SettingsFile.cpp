#include "SettingsFile.h"

#include "AppFolder.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

namespace {
QString& SettingsFileName()
{
    static QString fileName;
    return fileName;
}
} // namespace

QString GetConfigFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString SettingsFolder()
{
    if (IsAppFolderWritable())
        return GetAppFolder();
    // Made here, so that the first write at exit finds its folder.
    const QString folder = GetConfigFolder();
    QDir().mkpath(folder);
    return folder;
}

QString GetSettingsFileName()
{
    if (SettingsFileName().isEmpty())
        SettingsFileName() = SettingsFolder() + QStringLiteral("Settings.ini");
    return SettingsFileName();
}

void SetSettingsFileName(const QString& FileName)
{
    SettingsFileName() = FileName;
}

QString IniValueText(const QVariant& Value)
{
    if (Value.typeId() == QMetaType::QStringList)
        return Value.toStringList().join(QLatin1Char(','));
    return Value.toString();
}
