#pragma once

#include <QByteArray>
#include <QString>

// Replaces FileName with Bytes only once they are completely on disk: the old file stays whole when
// the write fails. False with the reason when it does.
bool WriteFileAtomically(const QString& FileName, const QByteArray& Bytes, QString* Reason);
