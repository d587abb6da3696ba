#include "SettingsFile.h"

#include "AppFolder.h"

#include <QStringList>
#include <QVariant>

namespace {
QString& SettingsFileName()
{
    static QString fileName;
    return fileName;
}
} // namespace

QString GetSettingsFileName()
{
    if (SettingsFileName().isEmpty())
        SettingsFileName() = GetAppFilePath(QStringLiteral("Settings.ini"));
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
