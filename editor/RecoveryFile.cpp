#include "RecoveryFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace {

const QString RecoverySuffix = QStringLiteral(".recovery");
const QString LockSuffix = QStringLiteral(".lock");

QString LockPathOf(const QString& Path)
{
    return Path + LockSuffix;
}

// Lock files are judged by their owner's process alone: an instance runs for hours, so the age
// of its lock says nothing.
std::unique_ptr<QLockFile> MakeLock(const QString& Path)
{
    auto lock = std::make_unique<QLockFile>(LockPathOf(Path));
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

TRecoveryFile::TRecoveryFile(const QString& Folder, QObject* Parent)
    : QObject(Parent), FFolder(Folder.isEmpty() ? DefaultFolder() : Folder)
{
    QDir().mkpath(FFolder);
    FFilePath = QDir(FFolder).filePath(QStringLiteral("%1-%2%3")
                                           .arg(QCoreApplication::applicationPid())
                                           .arg(QDateTime::currentMSecsSinceEpoch())
                                           .arg(RecoverySuffix));
    FLock = MakeLock(FFilePath);
    // Without the lock the file would look left over to another instance; writing still helps
    // this run's own next start, so a failure here is not an error.
    FLock->tryLock(0);
}

TRecoveryFile::~TRecoveryFile()
{
    Remove();
    FLock.reset();
}

QString TRecoveryFile::DefaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("recovery"));
}

bool TRecoveryFile::Write(const TRecoveryState& State, QString* Reason)
{
    QJsonObject object;
    object[QStringLiteral("saved")] = State.Saved.toString(Qt::ISODateWithMs);
    object[QStringLiteral("fileName")] = State.FileName;
    object[QStringLiteral("imageFileName")] = State.ImageFileName;
    object[QStringLiteral("imagePath")] = State.ImagePath;
    object[QStringLiteral("mapName")] = State.MapName;
    object[QStringLiteral("html")] = State.HTML;
    QSaveFile file(FFilePath);
    if (!file.open(QIODevice::WriteOnly)) {
        if (Reason)
            *Reason = file.errorString();
        return false;
    }
    file.write(QJsonDocument(object).toJson(QJsonDocument::Compact));
    if (!file.commit()) {
        if (Reason)
            *Reason = file.errorString();
        return false;
    }
    return true;
}

void TRecoveryFile::Remove()
{
    QFile::remove(FFilePath);
}

QStringList TRecoveryFile::LeftOverFiles() const
{
    QStringList found;
    const QFileInfoList entries =
        QDir(FFolder).entryInfoList({QLatin1Char('*') + RecoverySuffix}, QDir::Files, QDir::Time);
    for (const QFileInfo& entry : entries) {
        const QString path = entry.absoluteFilePath();
        if (path == QFileInfo(FFilePath).absoluteFilePath())
            continue;
        // A lock that can be taken belongs to nobody running.
        std::unique_ptr<QLockFile> probe = MakeLock(path);
        if (!probe->tryLock(0))
            continue;
        probe->unlock();
        found.append(path);
    }
    return found;
}

bool TRecoveryFile::Read(const QString& Path, TRecoveryState& State)
{
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject())
        return false;
    const QJsonObject object = document.object();
    State.Saved = QDateTime::fromString(object.value(QStringLiteral("saved")).toString(), Qt::ISODateWithMs);
    State.FileName = object.value(QStringLiteral("fileName")).toString();
    State.ImageFileName = object.value(QStringLiteral("imageFileName")).toString();
    State.ImagePath = object.value(QStringLiteral("imagePath")).toString();
    State.MapName = object.value(QStringLiteral("mapName")).toString();
    State.HTML = object.value(QStringLiteral("html")).toString();
    return !State.HTML.isEmpty();
}

void TRecoveryFile::Discard(const QString& Path)
{
    QFile::remove(Path);
    QFile::remove(LockPathOf(Path));
}
