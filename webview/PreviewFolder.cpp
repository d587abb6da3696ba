#include "PreviewFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace {
std::unique_ptr<QTemporaryDir>& PrivateFolder()
{
    static std::unique_ptr<QTemporaryDir> folder;
    return folder;
}

QString MakePrivateFolder()
{
    auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/zonequilter-XXXXXX"));
    if (!folder->isValid())
        return QString();
    // QTemporaryDir makes it 0700 already; said again, since the page's files must stay private.
    QFile::setPermissions(folder->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
    PrivateFolder().reset();
}
