#pragma once

#include <QByteArray>
#include <QString>

// Replaces FileName with Bytes only once they are completely on disk: the old file stays whole when
// the write fails. False with the reason when it does.
bool WriteFileAtomically(const QString& FileName, const QByteArray& Bytes, QString* Reason);

// FileName exists and may be written, but its folder lets no new file be made beside it, so it
// cannot be replaced in one step.
bool FolderRefusesNewFiles(const QString& FileName);

// Writes Bytes over FileName in place. Should the write fail, Original (the file's text before) is
// written back, so that the file is never left half-written; false with the reason.
bool WriteInPlace(const QString& FileName, const QByteArray& Bytes, const QByteArray& Original, QString* Reason);
