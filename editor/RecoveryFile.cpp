#include "RecoveryFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QMutex>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <atomic>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QJsonObject AreaToJson(const MapArea& Area)
{
    QJsonArray numbers;
    if (Area.shape == MapArea::Shape::Poly) {
        for (const QPoint& p : Area.Vertices)
            numbers << p.x() << p.y();
    } else {
        numbers << Area.Left << Area.Top << Area.Width << Area.Height;
    }
    QJsonArray attributes;
    for (const auto& [name, value] : Area.Attributes)
        attributes.append(QJsonArray{name, value});
    static const char* const shapes[] = {"rect", "circle", "poly"};
    return {{QStringLiteral("shape"), QLatin1String(shapes[int(Area.shape)])},
            {QStringLiteral("numbers"), numbers},
            {QStringLiteral("href"), Area.HRef},
            {QStringLiteral("alt"), Area.AltText},
            {QStringLiteral("target"), Area.Target},
            {QStringLiteral("attributes"), attributes},
            {QStringLiteral("sourceArea"), Area.SourceArea}};
}

MapArea AreaFromJson(const QJsonObject& Object)
{
    MapArea area;
    const QString shape = Object.value(QStringLiteral("shape")).toString();
    const QJsonArray numbers = Object.value(QStringLiteral("numbers")).toArray();
    if (shape == QLatin1String("poly")) {
        area.shape = MapArea::Shape::Poly;
        for (qsizetype i = 0; i + 1 < numbers.size(); i += 2)
            area.Vertices.append(QPoint(numbers[i].toInt(), numbers[i + 1].toInt()));
    } else {
        area.shape = shape == QLatin1String("circle") ? MapArea::Shape::Circle : MapArea::Shape::Rect;
        area.Left = numbers.at(0).toInt();
        area.Top = numbers.at(1).toInt();
        area.Width = numbers.at(2).toInt();
        area.Height = numbers.at(3).toInt();
    }
    area.HRef = Object.value(QStringLiteral("href")).toString();
    area.AltText = Object.value(QStringLiteral("alt")).toString();
    area.Target = Object.value(QStringLiteral("target")).toString();
    for (const QJsonValue& pair : Object.value(QStringLiteral("attributes")).toArray())
        area.Attributes.append({pair.toArray().at(0).toString(), pair.toArray().at(1).toString()});
    area.SourceArea = Object.value(QStringLiteral("sourceArea")).toInt(-1);
    return area;
}

QJsonObject OriginToJson(const PageMapOrigin& Origin)
{
    QJsonArray areas;
    for (const MapArea& area : Origin.Areas)
        areas.append(AreaToJson(area));
    return {{QStringLiteral("fileName"), Origin.FileName},
            {QStringLiteral("mapPosition"), Origin.MapPosition},
            {QStringLiteral("mapName"), Origin.MapName},
            {QStringLiteral("sourceAreaCount"), Origin.SourceAreaCount},
            {QStringLiteral("mapDigest"), QString::fromLatin1(Origin.MapDigest.toBase64())},
            {QStringLiteral("mapOffset"), double(Origin.MapOffset)},
            {QStringLiteral("mapLength"), double(Origin.MapLength)},
            {QStringLiteral("imageSrc"), Origin.ImageSrc},
            {QStringLiteral("pictureFile"), Origin.PictureFile},
            {QStringLiteral("areas"), areas}};
}

PageMapOrigin OriginFromJson(const QJsonObject& Object)
{
    PageMapOrigin origin;
    origin.FileName = Object.value(QStringLiteral("fileName")).toString();
    origin.MapPosition = Object.value(QStringLiteral("mapPosition")).toInt(-1);
    origin.MapName = Object.value(QStringLiteral("mapName")).toString();
    origin.SourceAreaCount = Object.value(QStringLiteral("sourceAreaCount")).toInt();
    origin.MapDigest = QByteArray::fromBase64(Object.value(QStringLiteral("mapDigest")).toString().toLatin1());
    origin.MapOffset = qint64(Object.value(QStringLiteral("mapOffset")).toDouble(-1));
    origin.MapLength = qint64(Object.value(QStringLiteral("mapLength")).toDouble(0));
    origin.ImageSrc = Object.value(QStringLiteral("imageSrc")).toString();
    origin.PictureFile = Object.value(QStringLiteral("pictureFile")).toString();
    for (const QJsonValue& area : Object.value(QStringLiteral("areas")).toArray())
        origin.Areas.append(AreaFromJson(area.toObject()));
    return origin;
}

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

// State written to a save file at Path, not yet in place; null with the reason when it cannot be,
// or when Stop says, between pieces of the page's text, that it is no longer wanted: a big map's
// text is hundreds of megabytes, whose JSON takes seconds that the program's end would wait for.
std::unique_ptr<QSaveFile> PrepareState(const QString& Path, const TRecoveryState& State, QString* Reason,
                                        const std::function<bool()>& Stop = {})
{
    QJsonObject object;
    object[QStringLiteral("saved")] = State.Saved.toString(Qt::ISODateWithMs);
    object[QStringLiteral("fileName")] = State.FileName;
    object[QStringLiteral("shownFileName")] = State.ShownFileName;
    if (State.PageOrigin.IsValid()) {
        object[QStringLiteral("page")] = OriginToJson(State.PageOrigin);
        QJsonArray sourceAreas;
        for (int source : State.SourceAreas)
            sourceAreas.append(source);
        object[QStringLiteral("sourceAreas")] = sourceAreas;
    }
    object[QStringLiteral("imageFileName")] = State.ImageFileName;
    object[QStringLiteral("imagePath")] = State.ImagePath;
    object[QStringLiteral("mapName")] = State.MapName;
    auto file = std::make_unique<QSaveFile>(Path);
    if (!file->open(QIODevice::WriteOnly)) {
        if (Reason)
            *Reason = file->errorString();
        return nullptr;
    }
    // The object without its closing brace, then the text as one more member, escaped a piece at a
    // time exactly as a whole string would be (no piece ends between the halves of a surrogate pair,
    // whatever the escaping would make of a lone half).
    QByteArray head = QJsonDocument(object).toJson(QJsonDocument::Compact);
    head.chop(1);
    file->write(head + ",\"html\":\"");
    constexpr qsizetype Piece = 1 << 20;
    const QString& html = State.HTML;
    for (qsizetype at = 0; at < html.size();) {
        qsizetype length = std::min(Piece, html.size() - at);
        if (at + length < html.size() && html.at(at + length - 1).isHighSurrogate())
            ++length;
        const QByteArray escaped =
            QJsonDocument(QJsonArray{html.mid(at, length)}).toJson(QJsonDocument::Compact); // ["..."]
        file->write(escaped.constData() + 2, escaped.size() - 4);
        at += length;
        if (Stop && Stop()) {
            file->cancelWriting();
            return nullptr;
        }
    }
    file->write("\"}");
    return file;
}

// Opens Path for reading when it is a regular file itself (not a link, a pipe or a device) of
// at most MaxFileSize bytes; a pipe would hold the start, a device never end.
bool OpenRegularFile(const QString& Path, QFile& File)
{
    const int handle = ::open(QFile::encodeName(Path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (handle < 0)
        return false;
    struct stat status = {};
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > TRecoveryFile::MaxFileSize ||
        !File.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return false;
    }
    return true;
}

bool Commit(QSaveFile& File, QString* Reason)
{
    if (File.commit())
        return true;
    if (Reason)
        *Reason = File.errorString();
    return false;
}

} // namespace

// The writes on their way: each request takes the next number, and a write puts its file in
// place only while its number is still the last one. The mutex orders putting in place against
// removal; numbers are taken without it, so that asking for a write never waits for the disk.
struct TRecoveryFile::TWrites
{
    QMutex Mutex;
    std::atomic<quint64> Latest{0};
    std::atomic<int> Pending{0};
};

TRecoveryFile::TRecoveryFile(const QString& Folder, QObject* Parent)
    : QObject(Parent), FFolder(Folder.isEmpty() ? DefaultFolder() : Folder),
      FWrites(std::make_shared<TWrites>())
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
    QMutexLocker lock(&FWrites->Mutex);
    ++FWrites->Latest;
    const std::unique_ptr<QSaveFile> file = PrepareState(FFilePath, State, Reason);
    return file && Commit(*file, Reason);
}

void TRecoveryFile::WriteLater(TRecoveryState State, TBuildHTML BuildHTML)
{
    const quint64 number = ++FWrites->Latest;
    ++FWrites->Pending;
    // The worker owns what it touches: the window and this object may be gone when it ends.
    (void)QtConcurrent::run([writes = FWrites, path = FFilePath, number, State = std::move(State),
                             BuildHTML = std::move(BuildHTML)]() mutable {
        const auto superseded = [&] { return writes->Latest != number; };
        if (superseded()) {
            --writes->Pending;
            return;
        }
        if (BuildHTML)
            State.HTML = BuildHTML(superseded);
        // A big map's text takes a while: the program may have ended meanwhile, and waits for this.
        if (BuildHTML && superseded()) {
            --writes->Pending;
            return;
        }
        std::unique_ptr<QSaveFile> file = PrepareState(path, State, nullptr, superseded);
        // A map of a million areas is some 100 MB to bring to the disk: that takes seconds, which
        // removal (saving, closing) must not wait for. The commit's own sync then finds little left.
        if (file && file->flush())
            ::fdatasync(file->handle());
        {
            // Put in place only while no later write or removal was asked for.
            QMutexLocker lock(&writes->Mutex);
            if (file && writes->Latest == number)
                Commit(*file, nullptr);
            else if (file)
                file->cancelWriting();
        }
        --writes->Pending;
    });
}

bool TRecoveryFile::Writing() const
{
    return FWrites->Pending > 0;
}

void TRecoveryFile::Remove()
{
    QMutexLocker lock(&FWrites->Mutex);
    ++FWrites->Latest;
    QFile::remove(FFilePath);
}

QStringList TRecoveryFile::LeftOverFiles() const
{
    QStringList found;
    const QFileInfoList entries =
        // Pipes, devices and broken links too: they are found, refused and set aside.
        QDir(FFolder).entryInfoList({QLatin1Char('*') + RecoverySuffix}, QDir::Files | QDir::System, QDir::Time);
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
    QFile file;
    if (!OpenRegularFile(Path, file))
        return false;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject())
        return false;
    const QJsonObject object = document.object();
    State.Saved = QDateTime::fromString(object.value(QStringLiteral("saved")).toString(), Qt::ISODateWithMs);
    State.FileName = object.value(QStringLiteral("fileName")).toString();
    // Files of earlier versions showed the document's own name.
    State.ShownFileName = object.value(QStringLiteral("shownFileName")).toString(State.FileName);
    State.PageOrigin = OriginFromJson(object.value(QStringLiteral("page")).toObject());
    State.SourceAreas.clear();
    for (const QJsonValue& source : object.value(QStringLiteral("sourceAreas")).toArray())
        State.SourceAreas.append(source.toInt(-1));
    State.ImageFileName = object.value(QStringLiteral("imageFileName")).toString();
    State.ImagePath = object.value(QStringLiteral("imagePath")).toString();
    State.MapName = object.value(QStringLiteral("mapName")).toString();
    State.HTML = object.value(QStringLiteral("html")).toString();
    return !State.HTML.isEmpty();
}

QString TRecoveryFile::SetAside(const QString& Path)
{
    // Renamed, not removed: the file may still hold the user's work for other means.
    const QString aside = Path + QStringLiteral(".refused");
    QFile::remove(LockPathOf(Path));
    if (!QFileInfo(aside).exists() && !QFileInfo(aside).isSymLink() && QFile::rename(Path, aside))
        return aside;
    QFile::remove(Path);
    return QString();
}

void TRecoveryFile::Discard(const QString& Path)
{
    QFile::remove(Path);
    QFile::remove(LockPathOf(Path));
}
