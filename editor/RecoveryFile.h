#pragma once

#include "SaveIntoPage.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QLockFile;

// What a recovery file holds: enough to rebuild an unsaved document through the import.
struct TRecoveryState
{
    QDateTime Saved;
    QString FileName;      // the document's file, empty when it has none yet
    QString ShownFileName; // the name the caption showed
    QString ImageFileName; // as the document names its picture
    QString ImagePath;     // the same picture as an absolute path
    QString MapName;
    QString HTML; // the writer's text
    // The page the map was imported from, and for each area of HTML, in its order, the area of
    // that page it was (-1: drawn since); empty for a map that came from no page.
    PageMapOrigin PageOrigin;
    QVector<int> SourceAreas;
};

// One running instance's recovery file in the user's state folder. The instance holds a lock
// beside it for its whole life, so a file whose lock nobody holds was left by a run that did not
// end cleanly, and one whose lock is held belongs to an instance that is still running.
class TRecoveryFile : public QObject
{
    Q_OBJECT

public:
    // Folder empty: the application's local data folder.
    explicit TRecoveryFile(const QString& Folder = QString(), QObject* Parent = nullptr);
    // A clean end: the file and its lock go.
    ~TRecoveryFile() override;

    QString Folder() const { return FFolder; }
    QString FilePath() const { return FFilePath; }

    // Replaces the file with State in one step; false with the reason when it cannot.
    bool Write(const TRecoveryState& State, QString* Reason = nullptr);
    // The same on a thread of the pool, State's text made there by BuildHTML when it is given. A
    // later Write, WriteLater or Remove supersedes a write still on its way, which then leaves the
    // file alone; a failure is passed over (the next write tries again). BuildHTML is handed a
    // question that turns true once the write is superseded, and may then give up early.
    using TBuildHTML = std::function<QString(const std::function<bool()>& Superseded)>;
    void WriteLater(TRecoveryState State, TBuildHTML BuildHTML = {});
    // A WriteLater has not finished yet.
    bool Writing() const;
    // Removes the file (the document is saved or unmodified).
    void Remove();

    // The files in the folder left by runs that did not end cleanly, newest first; never this
    // instance's own, nor a running instance's.
    QStringList LeftOverFiles() const;

    // The largest recovery file read, far above the text of a million areas.
    static constexpr qint64 MaxFileSize = qint64(1) << 30;
    // False when Path is not a regular file of at most MaxFileSize bytes (a link, a pipe or a
    // device is never opened), or holds no map's text.
    static bool Read(const QString& Path, TRecoveryState& State);
    // Puts a left-over file that cannot be recovered where it is no longer found (its name with
    // ".refused" added) and returns that path; empty when it could only be removed.
    static QString SetAside(const QString& Path);
    // Deletes a left-over file and its lock.
    static void Discard(const QString& Path);
    static QString DefaultFolder();

private:
    struct TWrites;
    QString FFolder;
    std::shared_ptr<TWrites> FWrites;
    QString FFilePath;
    std::unique_ptr<QLockFile> FLock;
};
