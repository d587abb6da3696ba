#include "AtomicFileWrite.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

bool WriteFileAtomically(const QString& FileName, const QByteArray& Bytes, QString* Reason)
{
    // Unbuffered, so that a write the disk cuts short shows in its count: Qt reports no error for a
    // short write.
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *Reason = file.errorString();
        return false;
    }
    errno = 0;
    const qint64 written = file.write(Bytes);
    const int writeErrno = errno;
    if (written != Bytes.size() || file.size() != Bytes.size()) {
        if (file.error() != QFileDevice::NoError)
            *Reason = file.errorString();
        else if (writeErrno != 0)
            *Reason = qt_error_string(writeErrno);
        else
            *Reason = QCoreApplication::translate("TFormCorvantaZonequilter",
                                                  "Only part of the text could be written.");
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *Reason = file.errorString();
        return false;
    }
    return true;
}

bool FolderRefusesNewFiles(const QString& FileName)
{
    const QFileInfo file(FileName);
    return file.isFile() && file.isWritable() && !QFileInfo(file.absolutePath()).isWritable();
}

bool WriteInPlace(const QString& FileName, const QByteArray& Bytes, const QByteArray& Original, QString* Reason)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        *Reason = file.errorString();
        return false;
    }
    const auto writeWhole = [&file](const QByteArray& Text) {
        return file.seek(0) && file.write(Text) == Text.size() && file.resize(Text.size()) && file.flush();
    };
    if (writeWhole(Bytes))
        return true;
    *Reason = file.errorString();
    if (!writeWhole(Original))
        *Reason += QLatin1Char(' ') + QCoreApplication::translate("TFormCorvantaZonequilter",
                                                                  "The old text could not be put back.");
    return false;
}
