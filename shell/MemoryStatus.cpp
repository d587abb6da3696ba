#include "MemoryStatus.h"

#include <QFile>
#include <QList>
#include <sys/sysinfo.h>

namespace {
int LoadPercent(quint64 Total, quint64 Available)
{
    if (Total == 0)
        return 0;
    const quint64 used = Available < Total ? Total - Available : 0;
    return int(used * 100 / Total);
}
} // namespace

TMemoryStatus ParseMemInfo(const QByteArray& Text)
{
    TMemoryStatus status;
    bool haveTotal = false;
    bool haveAvailable = false;
    for (const QByteArray& line : Text.split('\n')) {
        const int colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = line.left(colon).trimmed();
        QByteArray value = line.mid(colon + 1).trimmed();
        quint64 unit = 1;
        if (value.endsWith(" kB")) {
            value.chop(3);
            unit = 1024;
        }
        bool ok = false;
        const quint64 number = value.trimmed().toULongLong(&ok);
        if (!ok)
            continue;
        if (name == "MemTotal") {
            status.TotalPhys = number * unit;
            haveTotal = true;
        } else if (name == "MemAvailable") {
            status.AvailPhys = number * unit;
            haveAvailable = true;
        }
    }
    status.Valid = haveTotal && haveAvailable;
    if (status.Valid)
        status.MemoryLoad = LoadPercent(status.TotalPhys, status.AvailPhys);
    return status;
}

TMemoryStatus GetMemoryStatus()
{
    QFile file(QStringLiteral("/proc/meminfo"));
    if (file.open(QIODevice::ReadOnly)) {
        const TMemoryStatus status = ParseMemInfo(file.readAll());
        if (status.Valid)
            return status;
    }
    TMemoryStatus status;
    struct sysinfo info = {};
    if (sysinfo(&info) == 0) {
        status.Valid = true;
        status.TotalPhys = quint64(info.totalram) * info.mem_unit;
        status.AvailPhys = (quint64(info.freeram) + quint64(info.bufferram)) * info.mem_unit;
        status.MemoryLoad = LoadPercent(status.TotalPhys, status.AvailPhys);
    }
    return status;
}
