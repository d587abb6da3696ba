#include "SettingsFile.h"

#include "AppFolder.h"
#include "StartupFiles.h"
#include "Translation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

#include <unistd.h>

namespace {
QString& SettingsFileName()
{
    static QString fileName;
    return fileName;
}

bool& SettingsIgnored()
{
    static bool ignored = false;
    return ignored;
}

// Writing through a link would change whatever it points to (a device, another user's file):
// the link gives way to a plain file of the same text, which the exit then replaces.
bool ReplaceLinkByFile(const QString& FileName)
{
    QFile target(FileName);
    if (!target.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = target.read(MaxStartupFileSize);
    target.close();
    if (!QFile::remove(FileName))
        return false;
    QSaveFile file(FileName);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}

// A file the program may read and replace: none, or a regular file of this user's, not a link.
bool IsOwnPlainFile(const QString& FileName)
{
    const QFileInfo info(FileName);
    if (!info.exists() && !info.isSymLink())
        return true;
    return !info.isSymLink() && info.isFile() && info.ownerId() == ::geteuid();
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
    SettingsIgnored() = false;
}

QString PrepareSettingsFile()
{
    const QString fileName = GetSettingsFileName();
    switch (CheckStartupFile(fileName)) {
    case TStartupFile::Missing:
        return QString();
    case TStartupFile::Unusable:
        SettingsIgnored() = true;
        return IgnoredStartupFileMessage(fileName);
    case TStartupFile::Readable:
        break;
    }
    if (QFileInfo(fileName).isSymLink() && !ReplaceLinkByFile(fileName)) {
        SettingsIgnored() = true;
        return IgnoredStartupFileMessage(fileName);
    }
    // QSettings keeps a read's FormatError for good, and writes the unreadable lines back: the
    // file starts over instead, and the exit writes it anew.
    const bool unreadable = [&] {
        QSettings ini(fileName, QSettings::IniFormat);
        // The status tells of the read only once something has been read.
        ini.allKeys();
        return ini.status() == QSettings::FormatError;
    }();
    if (!unreadable)
        return QString();
    QFile::remove(fileName);
    return TranslateMessage(QStringLiteral("Settings.ini could not be read and was reset"));
}

bool IsSettingsFileIgnored()
{
    // Asked again at every read and write: what became a link or a device since is left alone too.
    return SettingsIgnored() || !IsOwnPlainFile(GetSettingsFileName());
}

QString IniValueText(const QVariant& Value)
{
    if (Value.typeId() == QMetaType::QStringList)
        return Value.toStringList().join(QLatin1Char(','));
    return Value.toString();
}
