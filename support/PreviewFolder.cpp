#include "PreviewFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <memory>

#include <unistd.h>

namespace {
const QString kFolderPrefix = QStringLiteral("zonequilter-");
// Held in the private folder while the run lives: a lock nobody holds marks a run that is gone.
const QString kLockName = QStringLiteral("run.lock");

std::unique_ptr<QTemporaryDir>& PrivateFolder()
{
    static std::unique_ptr<QTemporaryDir> folder;
    return folder;
}

std::unique_ptr<QLockFile>& PrivateFolderLock()
{
    static std::unique_ptr<QLockFile> lock;
    return lock;
}

// Judged by the owner's process alone, never by age: a run lasts for days.
std::unique_ptr<QLockFile> MakeLock(const QString& Folder)
{
    auto lock = std::make_unique<QLockFile>(Folder + QLatin1Char('/') + kLockName);
    lock->setStaleLockTime(0);
    return lock;
}

QString MakePrivateFolder()
{
    auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/zonequilter-XXXXXX"));
    if (!folder->isValid())
        return QString();
    // QTemporaryDir makes it 0700 already; said again, since the page's files must stay private.
    QFile::setPermissions(folder->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    std::unique_ptr<QLockFile> lock = MakeLock(folder->path());
    // Without its lock the folder is merely never cleared by a later start.
    if (lock->tryLock(0))
        PrivateFolderLock() = std::move(lock);
    PrivateFolder() = std::move(folder);
    // Removed while Qt still runs, and by the static destructor should the application object
    // be gone first.
    qAddPostRoutine(RemovePrivatePreviewFolder);
    return PrivateFolder()->path() + QLatin1Char('/');
}

QString& FolderOverride()
{
    static QString folder;
    return folder;
}
} // namespace

QString GetPreviewFolder()
{
    if (!FolderOverride().isEmpty())
        return FolderOverride();
    if (PrivateFolder())
        return PrivateFolder()->path() + QLatin1Char('/');
    return MakePrivateFolder();
}

void SetPreviewFolderOverride(const QString& Folder)
{
    FolderOverride() = Folder.isEmpty() || Folder.endsWith(QLatin1Char('/')) ? Folder : Folder + QLatin1Char('/');
}

void RemovePrivatePreviewFolder()
{
    PrivateFolderLock().reset();
    PrivateFolder().reset();
}

int RemoveLeftOverPreviewFolders()
{
    int removed = 0;
    const QString own = PrivateFolder() ? QFileInfo(PrivateFolder()->path()).canonicalFilePath() : QString();
    const QFileInfoList entries = QDir(QDir::tempPath())
                                      .entryInfoList({kFolderPrefix + QLatin1Char('*')},
                                                     QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        // Only this user's own folders, never a link to somewhere else, never this run's.
        if (entry.isSymLink() || entry.ownerId() != ::geteuid() || entry.canonicalFilePath() == own)
            continue;
        const QString folder = entry.absoluteFilePath();
        // A folder without a lock is another program's, or one whose run is making it right now.
        if (!QFileInfo::exists(folder + QLatin1Char('/') + kLockName))
            continue;
        std::unique_ptr<QLockFile> lock = MakeLock(folder);
        if (!lock->tryLock(0))
            continue; // its run is still going
        lock->unlock();
        if (QDir(folder).removeRecursively())
            ++removed;
    }
    return removed;
}
