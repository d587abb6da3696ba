// Parse and import of the pages that once exhausted time or memory (among
// them elements nested up to 10,000,000 deep, 110 MB), and of generated maps
// up to 1,000,000 areas (310 MB mixed, 100 MB compact), each at growing sizes:
// CPU time of the parse (reading and decoding the file included, as the
// program does it) and of the import (map discovery and the areas of the
// first map), and the peak memory from the start of the reading. Each case
// runs in a child process of its own, so that its peak is its own. A word on
// the command line runs only the cases whose name contains it.
#include "HtmlDecoding.h"
#include "HtmlDocument.h"
#include "ImageMapWriter.h"
#include "MapDiscovery.h"
#include "MapImport.h"

#include "GeneratedMap.h"
#include "PeakMemory.h"

#include <QDir>
#include <QTemporaryFile>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

long residentKb()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

QByteArray nestedMaps(int n)
{
    QByteArray page = "<img src=p usemap=#m0>";
    for (int i = 0; i < n; ++i)
        page += "<map name=m" + QByteArray::number(i) + ">";
    for (int i = 0; i < n; ++i)
        page += "<area shape=circle coords=5,5,5>";
    return page;
}

QByteArray manyAttributes(int n)
{
    QByteArray page = "<img src=p usemap=#m";
    for (int i = 0; i < n; ++i)
        page += " a" + QByteArray::number(i) + "=" + QByteArray::number(i);
    return page + "><map name=m><area shape=rect coords=1,2,3,4></map>";
}

QByteArray nestedBold(int n)
{
    return QByteArray("<b>").repeated(n) + "<img src=p usemap=#m><map name=m><area shape=rect coords=1,2,3,4></map>";
}

// A map with its image n elements deep, never closed.
QByteArray deepDivs(int n)
{
    return QByteArray("<div>").repeated(n) + "<img src=p usemap=#m><map name=m><area shape=rect coords=1,2,3,4></map>";
}

// The same, all closed again after it.
QByteArray nestedDivs(int n)
{
    return QByteArray("<div>").repeated(n) + "<img src=p usemap=#m><map name=m><area shape=rect coords=1,2,3,4></map>"
           + QByteArray("</div>").repeated(n);
}

// Elements a deep stack of open elements cannot close early: the parse refuses the page.
QByteArray nestedCells(int n)
{
    return QByteArray("<table><tr><td>").repeated(n) + "<img src=p usemap=#m><map name=m><area shape=rect coords=1,2,3,4></map>";
}

QByteArray generatedMap(int areas)
{
    return ToCrLfLines(BuildImageMapHTML("/pictures/big.png", "BigMap", GenerateMapAreas(areas))).toUtf8();
}

QByteArray compactMap(int areas)
{
    return ToCrLfLines(BuildImageMapHTML("/pictures/big.png", "BigMap", GenerateCompactMapAreas(areas))).toUtf8();
}

// Only the cases whose name contains this text, when the command line gives one.
const char* onlyCases = nullptr;

// One case in a child process: builds the page, parses and imports it, prints a line.
void runCase(const char* name, int n, const std::function<QByteArray(int)>& makePage)
{
    if (onlyCases && !std::strstr(name, onlyCases))
        return;
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        QTemporaryFile file(QDir::temp().filePath(QStringLiteral("zq-bench-XXXXXX.htm")));
        qint64 size = 0;
        {
            const QByteArray bytes = makePage(n);
            size = bytes.size();
            if (!file.open() || file.write(bytes) != size || !file.flush())
                _exit(2);
        }
        ResetPeakMemory();
        const long baseKb = residentKb();
        const double start = cpuSeconds();
        HtmlDocument document;
        QString error;
        const bool parsed = document.LoadFromFile(file.fileName(), &error);
        file.remove(); // the child ends with _exit, which runs no destructor
        const double parsedAt = cpuSeconds();
        int areas = -1;
        if (parsed) {
            const QVector<ImageMapEntry> entries = FindImageMaps(document);
            const ImportedMap imported = ImportImageMap(document, entries.value(0), "/site/page.htm");
            areas = imported.Ok ? imported.Areas.size() : -1;
        }
        const double importedAt = cpuSeconds();
        std::printf("%-20s %9d %10.1f %10.3f %10.3f %10ld %10ld %8d %s\n", name, n, size / 1e6, parsedAt - start,
                    importedAt - parsedAt, PeakMemoryKb() / 1024, baseKb / 1024, areas, parsed ? "" : qPrintable(error));
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::printf("%-20s %9d failed (status %d)\n", name, n, status);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        onlyCases = argv[1];
    std::printf("%-20s %9s %10s %10s %10s %10s %10s %8s\n", "page", "n", "MB", "parse s", "import s",
                "peak MB", "start MB", "areas");
    for (int n : {500, 1000, 2000, 5000, 20000})
        runCase("nested maps n x n", n, nestedMaps);
    for (int n : {10000, 100000, 1000000})
        runCase("attributes", n, manyAttributes);
    for (int n : {10000, 100000, 1000000})
        runCase("nested <b>", n, nestedBold);
    for (int n : {100000, 1000000})
        runCase("deep <div>", n, deepDivs);
    for (int n : {10000, 100000, 1000000, 10000000})
        runCase("nested <div></div>", n, nestedDivs);
    for (int n : {1000, 1000000})
        runCase("nested <td>", n, nestedCells);
    for (int n : {500, 5000, 50000, 100000, 1000000})
        runCase("generated areas", n, generatedMap);
    for (int n : {10000, 100000, 1000000})
        runCase("compact areas", n, compactMap);
    return 0;
}
