#pragma once

#include <QString>

// The files read at start-up ("lang.txt", "Settings.ini") are read whole before any window
// exists; one that is not a plain file (a pipe would block the start for ever, a link to a
// device would never end) or that is far larger than any real one is left alone.
constexpr qint64 MaxStartupFileSize = 16 * 1024 * 1024;

enum class TStartupFile
{
    Missing,
    Readable,
    // Present but not to be read: not a regular file, or MaxStartupFileSize or more.
    Unusable
};

// What Path is, following links, without opening it.
TStartupFile CheckStartupFile(const QString& Path);

// "<path> is not a regular file under 16 MB and was ignored", translated.
QString IgnoredStartupFileMessage(const QString& Path);
