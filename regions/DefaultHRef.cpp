#include "DefaultHRef.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSettings>

namespace {

QString& OverridePath()
{
    static QString Path;
    return Path;
}

// Reading an INI file per region would make importing thousands of areas slow; the value is re-read
// whenever the record's file changes, so every region still gets the record's current value.
struct TCachedRecord
{
    QString Path;
    QDateTime Modified;
    qint64 Size = -1;
    bool Valid = false;
    QString Value;
};

TCachedRecord& Cache()
{
    static TCachedRecord C;
    return C;
}

struct TBatch
{
    int Depth = 0;
    bool Read = false;
    QString Value;
};

TBatch& Batch()
{
    static TBatch B;
    return B;
}

QString ReadDefaultHRef();

} // namespace

QString HomePageURL()
{
    return QStringLiteral("http://www.corvanta.example/");
}

QString InstallRecordFile()
{
    if (!OverridePath().isEmpty())
        return OverridePath();
    // Qt settles its settings folders on first use; asking once spares a QSettings per new region.
    static const QString SystemPath =
        QSettings(QSettings::IniFormat, QSettings::SystemScope, QStringLiteral("Corvanta Zonequilter_is1"))
            .fileName();
    return SystemPath;
}

void SetInstallRecordFile(const QString& FilePath)
{
    OverridePath() = FilePath;
    Cache() = TCachedRecord{};
}

TDefaultHRefBatch::TDefaultHRefBatch()
{
    ++Batch().Depth;
}

TDefaultHRefBatch::~TDefaultHRefBatch()
{
    if (--Batch().Depth == 0)
        Batch() = TBatch{};
}

QString DefaultHRef()
{
    TBatch& B = Batch();
    if (B.Depth == 0)
        return ReadDefaultHRef();
    if (!B.Read) {
        B.Value = ReadDefaultHRef();
        B.Read = true;
    }
    return B.Value;
}

namespace {

QString ReadDefaultHRef()
{
    const QString Path = InstallRecordFile();
    const QFileInfo Info(Path);
    if (!Info.isFile() || !Info.isReadable())
        return HomePageURL();
    TCachedRecord& C = Cache();
    if (C.Valid && C.Path == Path && C.Modified == Info.lastModified() && C.Size == Info.size())
        return C.Value;
    QSettings Record(Path, QSettings::IniFormat);
    if (Record.status() != QSettings::NoError)
        return HomePageURL();
    C.Path = Path;
    C.Modified = Info.lastModified();
    C.Size = Info.size();
    // QSettings reads a value with commas as a list of its parts; the link is the whole text.
    const QVariant Value = Record.value(QStringLiteral("URLInfoAbout"));
    C.Value = Value.typeId() == QMetaType::QStringList ? Value.toStringList().join(QLatin1Char(','))
                                                       : Value.toString();
    C.Valid = true;
    return C.Value;
}

} // namespace
