#include "StartupFiles.h"

#include "Translation.h"

#include <QFileInfo>

TStartupFile CheckStartupFile(const QString& Path)
{
    const QFileInfo info(Path);
    // QFileInfo follows links: a link to /dev/zero is not a file, a broken link does not exist.
    if (!info.exists())
        return TStartupFile::Missing;
    if (!info.isFile() || info.size() >= MaxStartupFileSize)
        return TStartupFile::Unusable;
    return TStartupFile::Readable;
}

QString IgnoredStartupFileMessage(const QString& Path)
{
    return TranslateMessage(QStringLiteral("%1 is not a regular file under 16 MB and was ignored")).arg(Path);
}
