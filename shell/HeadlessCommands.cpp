#include "HeadlessCommands.h"

#include "ImageMapWriter.h"
#include "PageCheck.h"
#include "ResponsivePage.h"
#include "Translation.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {
QString Translate(const char* Text)
{
    return TranslateMessage(QString::fromUtf8(Text));
}

void Print(QIODevice& Device, const QString& Text)
{
    Device.write(Text.toUtf8());
}

// The pages to check: files as named, and the HTML files anywhere in named folders, in name order.
QStringList PagesOf(const QStringList& Names)
{
    QStringList pages;
    for (const QString& name : Names) {
        if (!QFileInfo(name).isDir()) {
            pages.append(name);
            continue;
        }
        QStringList found;
        QDirIterator it(name,
                        {QStringLiteral("*.htm"), QStringLiteral("*.html"), QStringLiteral("*.xhtml"),
                         QStringLiteral("*.shtml")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found.append(it.next());
        std::sort(found.begin(), found.end());
        pages += found;
    }
    return pages;
}

int Check(const TCommandLine& CommandLine, QIODevice& Out, QIODevice& Err)
{
    bool unreadable = false;
    bool warned = false;
    bool firstJson = true;
    if (CommandLine.Json)
        Out.write("[");
    for (const QString& name : PagesOf(CommandLine.Files)) {
        LoadedPage page;
        QString error;
        if (!LoadPage(QFileInfo(name).absoluteFilePath(), &page, &error)) {
            Print(Err, QStringLiteral("%1: error: %2\n").arg(name, error));
            unreadable = true;
            continue;
        }
        QByteArray text;
        for (const PageFinding& finding : CheckPage(page)) {
            warned = warned || finding.Finding.Level == MapFinding::Severity::Warning;
            if (CommandLine.Json) {
                text += firstJson ? "\n" : ",\n";
                text += FindingJson(name, finding);
                firstJson = false;
            } else {
                text += FindingLine(name, finding).toUtf8() + '\n';
            }
        }
        Out.write(text);
    }
    if (CommandLine.Json)
        Out.write(firstJson ? "]\n" : "\n]\n");
    return unreadable ? 2 : warned ? 1 : 0;
}

bool WriteOutput(const QString& FileName, const QByteArray& Bytes, QIODevice& Out, QString* Error)
{
    if (FileName == QLatin1String("-")) {
        if (Out.write(Bytes) == Bytes.size())
            return true;
        *Error = Out.errorString();
        return false;
    }
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(Bytes) != Bytes.size() || !file.commit()) {
        *Error = Translate("Cannot write \"%1\": %2").arg(FileName, file.errorString());
        return false;
    }
    return true;
}

int WritePageOrOverlay(const TCommandLine& CommandLine, QIODevice& Out, QIODevice& Err)
{
    const QString name = CommandLine.Files.value(0);
    const auto fail = [&](const QString& Message) {
        Print(Err, QStringLiteral("%1: error: %2\n").arg(name, Message));
        return 2;
    };
    LoadedPage page;
    QString error;
    if (!LoadPage(QFileInfo(name).absoluteFilePath(), &page, &error))
        return fail(error);
    const int index = FindPageMap(page, CommandLine.MapName);
    if (index < 0)
        return fail(CommandLine.MapName.isEmpty()
                        ? Translate("The page has no image map.")
                        : Translate("The page has no map named \"%1\".").arg(CommandLine.MapName));
    const PageMap& map = page.Maps[index];
    if (!map.Map.Ok)
        return fail(map.Map.ErrorMessage);
    QByteArray bytes;
    if (CommandLine.Task == TCommandLine::TTask::WritePage) {
        // The bytes Save As writes: the generated text with CR LF line ends.
        bytes = ToCrLfLines(
            BuildImageMapHTML(map.ImageFileName, map.Map.MapName, map.Map.Areas, map.Map.MapAttributes).toUtf8());
    } else {
        if (map.PictureSize.isEmpty())
            return fail(Translate("The size of the picture \"%1\" is not known: put the picture beside the page "
                                  "or give the image its width and height.")
                            .arg(map.Map.ImageSrc));
        const QString output =
            CommandLine.OutputFile == QLatin1String("-") ? QString() : QFileInfo(CommandLine.OutputFile).absoluteFilePath();
        const QString source = output.isEmpty() ? map.Map.ImageSrc : ResponsivePictureSource(map.ImageFileName, output);
        bytes = BuildResponsivePage(source, map.Map.MapName, map.Map.Areas, map.PictureSize).toUtf8();
    }
    if (!WriteOutput(CommandLine.OutputFile, bytes, Out, &error)) {
        Print(Err, QStringLiteral("%1: error: %2\n").arg(CommandLine.OutputFile, error));
        return 2;
    }
    return 0;
}
} // namespace

int RunHeadlessTask(const TCommandLine& CommandLine, QIODevice& Out, QIODevice& Err)
{
    switch (CommandLine.Task) {
    case TCommandLine::TTask::Check:
        return Check(CommandLine, Out, Err);
    case TCommandLine::TTask::ExportSvg:
    case TCommandLine::TTask::WritePage:
        return WritePageOrOverlay(CommandLine, Out, Err);
    case TCommandLine::TTask::OpenWindow:
        break;
    }
    return 0;
}
