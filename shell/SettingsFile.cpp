#include "SettingsFile.h"

#include "AppFolder.h"

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
