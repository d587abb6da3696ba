#include "RecentFiles.h"

#include "SettingsFile.h"

#include <QFileInfo>
#include <QSettings>

namespace {
const QString Section = QStringLiteral("RecentFiles");

QString Key(int Index)
{
    return QStringLiteral("File%1").arg(Index + 1);
}

// One entry per file, however it was named: "./a.htm" and "/home/u/a.htm" are the same file.
QString Normalised(const QString& FileName)
{
    return QFileInfo(FileName).absoluteFilePath();
}
} // namespace

void TRecentFiles::Add(const QString& FileName)
{
    if (FileName.isEmpty())
        return;
    const QString file = Normalised(FileName);
    FFiles.removeAll(file);
    FFiles.prepend(file);
    while (FFiles.size() > MaxCount)
        FFiles.removeLast();
}

void TRecentFiles::Load(const QString& IniFileName)
{
    FFiles.clear();
    const QSettings ini(IniFileName, QSettings::IniFormat);
    for (int i = 0; i < MaxCount; ++i) {
        const QString file = IniValueText(ini.value(Section + QLatin1Char('/') + Key(i)));
        if (!file.isEmpty() && !FFiles.contains(file))
            FFiles.append(file);
    }
}

bool TRecentFiles::Save(const QString& IniFileName) const
{
    QSettings ini(IniFileName, QSettings::IniFormat);
    ini.remove(Section);
    for (int i = 0; i < FFiles.size(); ++i)
        ini.setValue(Section + QLatin1Char('/') + Key(i), FFiles.at(i));
    ini.sync();
    return ini.status() == QSettings::NoError;
}
