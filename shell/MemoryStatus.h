#pragma once

#include <QByteArray>
#include <QtGlobal>

// The computer's memory, as the about box shows it.
struct TMemoryStatus
{
    bool Valid = false;
    quint64 TotalPhys = 0; // bytes of physical memory
    quint64 AvailPhys = 0; // bytes available without swapping
    int MemoryLoad = 0;    // percentage of physical memory in use, 0 to 100
};

// Reads the text of /proc/meminfo ("MemTotal", "MemAvailable", in kB).
TMemoryStatus ParseMemInfo(const QByteArray& Text);

// The current memory status from /proc/meminfo, with sysinfo() as the fallback.
TMemoryStatus GetMemoryStatus();
