#include "CommandLine.h"

#include "AppFolder.h"
#include "Translation.h"
#include "UnitSplash.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <iterator>

namespace {
QString Translate(const char* Text)
{
    // The table is read after the command line for --help, so those texts stay English there.
    return TranslateMessage(QString::fromUtf8(Text));
}

QString ProgramName(const QStringList& Arguments)
{
    const QString path = Arguments.isEmpty() ? QString() : Arguments.first();
    const QString name = path.section(QLatin1Char('/'), -1);
    return name.isEmpty() ? QStringLiteral("zonequilter") : name;
}

// QCommandLineParser names the program from the application object, which does not exist yet
// when --help is answered; the usage line is written here instead.
QString HelpText(const QCommandLineParser& Parser, const QStringList& Arguments)
{
    QString text = Parser.helpText();
    // The parser lists every long option with two dashes, but the splash obeys only the older
    // one-dash (or slash) form; the help must name the form that works.
    text.replace(QLatin1String("  --nosplash"), QLatin1String("  -nosplash "));
    const qsizetype firstLineEnd = text.indexOf(QLatin1Char('\n'));
    const QString usage = Translate("Usage: %1 [options] [file]").arg(ProgramName(Arguments));
    return firstLineEnd < 0 ? usage + QLatin1Char('\n') : usage + text.mid(firstLineEnd);
}
} // namespace

QStringList ArgumentsOf(int Argc, char* Argv[])
{
    QStringList arguments;
    for (int i = 0; i < Argc; ++i)
        arguments.append(QFile::decodeName(Argv[i]));
    return arguments;
}

TCommandLine ParseCommandLine(const QStringList& Arguments, bool UnknownIsError)
{
    // The splash switch is the program's own older form, "-" or "/" and any letter case, which
    // QCommandLineParser cannot express; it is taken out first (the splash reads it itself).
    QStringList arguments;
    for (qsizetype i = 0; i < Arguments.size(); ++i) {
        if (i == 0 || !HasNoSplashSwitch({QString(), Arguments.at(i)}))
            arguments.append(Arguments.at(i));
    }

    QCommandLineParser parser;
    // -help, -version: one dash and a word is one option, as -nosplash always was.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        Translate("%1: an image-map editor. Draws clickable regions on a picture and writes "
                  "the HTML of the image map.")
            .arg(ApplicationTitle()));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOption(
        QCommandLineOption(QStringLiteral("nosplash"), Translate("Start without the splash screen.")));
    const QCommandLineOption check(
        QStringLiteral("check"),
        Translate("Check the image maps of the given pages, and of the HTML files in the given folders, and "
                  "print one line per finding. Exit status: 0 without warnings, 1 with warnings, 2 when a "
                  "file cannot be read."));
    const QCommandLineOption format(QStringLiteral("format"),
                                    Translate("With --check: how findings are printed, text (as compilers "
                                              "print them, the default) or json."),
                                    QStringLiteral("format"));
    const QCommandLineOption exportSvg(
        QStringLiteral("export-svg"),
        Translate("Write the responsive page of a map of the page: the picture with an SVG overlay of links "
                  "that scales with the page. Needs -o."),
        QStringLiteral("page"));
    const QCommandLineOption writePage(
        QStringLiteral("write-page"),
        Translate("Write the image-map page that Save As writes for a map of the page. Needs -o."),
        QStringLiteral("page"));
    const QCommandLineOption map(QStringLiteral("map"),
                                 Translate("The map of the page to write (by default the first)."),
                                 QStringLiteral("name"));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    Translate("The file to write; - writes to the standard output."),
                                    QStringLiteral("file"));
    for (const QCommandLineOption& option : {check, format, exportSvg, writePage, map, output})
        parser.addOption(option);
    parser.addPositionalArgument(
        QStringLiteral("file"),
        Translate("An HTML file to import an image map from, or a picture to start a new image map on."),
        QStringLiteral("[file]"));

    TCommandLine result;
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(QStringLiteral("help-all"))) {
        // Qt's own options are known only to an application object: with one, Qt prints them
        // and ends the program; without one, the caller makes one and asks again.
        if (QCoreApplication::instance())
            parser.process(arguments);
        result.HelpAll = true;
        return result;
    }
    if (parser.isSet(help)) {
        result.ExitNow = true;
        result.Output = HelpText(parser, Arguments);
        return result;
    }
    if (parser.isSet(version)) {
        result.ExitNow = true;
        result.Output = QStringLiteral("%1 %2\n").arg(ApplicationTitle(), QStringLiteral(ZQ_VERSION_STRING));
        return result;
    }
    const int tasks = int(parser.isSet(check)) + int(parser.isSet(exportSvg)) + int(parser.isSet(writePage));
    // The tasks without a window, and their options, are answered before any application object
    // exists: no option of Qt's is taken out for them, so every error is known now.
    if (!UnknownIsError && tasks == 0 && !parser.isSet(format) && !parser.isSet(map) && !parser.isSet(output))
        return result;

    const QStringList files = parser.positionalArguments();
    QString error;
    if (!parsed)
        error = parser.errorText();
    else if (tasks > 1)
        error = Translate("Give only one of --check, --export-svg and --write-page.");
    else if (parser.isSet(check) && files.isEmpty())
        error = Translate("--check needs at least one file or folder.");
    else if (parser.isSet(format) && !parser.isSet(check))
        error = Translate("--%1 goes only with %2.").arg(QStringLiteral("format"), QStringLiteral("--check"));
    else if (parser.isSet(check) && parser.isSet(format) &&
             !QStringList{QStringLiteral("text"), QStringLiteral("json")}.contains(parser.value(format)))
        error = Translate("Unknown format \"%1\": use text or json.").arg(parser.value(format));
    else if ((parser.isSet(map) || parser.isSet(output)) && !parser.isSet(exportSvg) &&
             !parser.isSet(writePage))
        error = Translate("--%1 goes only with %2.")
                    .arg(parser.isSet(map) ? QStringLiteral("map") : QStringLiteral("output"),
                         QStringLiteral("--export-svg, --write-page"));
    else if ((parser.isSet(exportSvg) || parser.isSet(writePage)) && !parser.isSet(output))
        error = Translate("%1 needs the file to write: -o FILE.")
                    .arg(parser.isSet(exportSvg) ? QStringLiteral("--export-svg")
                                                 : QStringLiteral("--write-page"));
    else if ((parser.isSet(exportSvg) || parser.isSet(writePage)) && !files.isEmpty())
        error = Translate("Unexpected argument \"%1\".").arg(files.first());
    else if (tasks == 0 && files.size() > 1)
        error = Translate("Only one file can be opened at a time.");
    if (!error.isEmpty()) {
        result.ExitNow = true;
        result.ExitCode = 2;
        result.ErrorOutput =
            QStringLiteral("%1: %2\n%3\n")
                .arg(ProgramName(Arguments), error,
                     Translate("Try '%1 --help' for more information.").arg(ProgramName(Arguments)));
        return result;
    }
    if (parser.isSet(check)) {
        result.Task = TCommandLine::TTask::Check;
        result.Files = files;
        result.Json = parser.value(format) == QLatin1String("json");
        return result;
    }
    if (parser.isSet(exportSvg) || parser.isSet(writePage)) {
        result.Task =
            parser.isSet(exportSvg) ? TCommandLine::TTask::ExportSvg : TCommandLine::TTask::WritePage;
        result.Files = QStringList{parser.value(parser.isSet(exportSvg) ? exportSvg : writePage)};
        result.MapName = parser.value(map);
        result.OutputFile = parser.value(output);
        return result;
    }
    if (!files.isEmpty()) {
        // Made absolute now: the program later makes its own folder the current one. A file
        // address, as some file managers pass, is taken as its file.
        const QUrl url(files.first());
        const QString file = url.isLocalFile() ? url.toLocalFile() : files.first();
        result.FileName = QFileInfo(file).absoluteFilePath();
    }
    return result;
}

namespace {
// The options QGuiApplication, QApplication and the X11 and Wayland plugins take out of the
// arguments, those followed by a value first. Qt takes them with one dash or two, and a value
// after "=" as well.
const char* const kQtOptionsWithValue[] = {"platform",
                                           "platformpluginpath",
                                           "platformtheme",
                                           "plugin",
                                           "qwindowgeometry",
                                           "qwindowicon",
                                           "qwindowtitle",
                                           "session",
                                           "style",
                                           "stylesheet",
                                           "display",
                                           "name",
                                           "geometry",
                                           "title",
                                           "visual",
                                           "ncols",
                                           "cmap",
                                           "im",
                                           "inputstyle",
                                           "qmljsdebugger",
                                           "qdevicepixelratio"};
const char* const kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

bool IsQtOption(const QString& Name, bool* TakesValue)
{
    for (const char* option : kQtOptionsWithValue)
        if (Name == QLatin1String(option))
            return *TakesValue = true;
    *TakesValue = false;
    return std::any_of(std::begin(kQtFlags), std::end(kQtFlags),
                       [&Name](const char* Flag) { return Name == QLatin1String(Flag); });
}
} // namespace

bool DisplayAtHand(const QStringList& Arguments)
{
    for (const QString& argument : Arguments)
        if (argument == QLatin1String("-platform") || argument == QLatin1String("--platform") ||
            argument.startsWith(QLatin1String("-platform=")) ||
            argument.startsWith(QLatin1String("--platform=")))
            return true;
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

TCommandLine ParseWithoutQtOptions(const QStringList& Arguments)
{
    QStringList rest;
    for (qsizetype i = 0; i < Arguments.size(); ++i) {
        const QString& argument = Arguments.at(i);
        if (argument == QLatin1String("--")) {
            // Everything after it is a file.
            rest += Arguments.mid(i);
            break;
        }
        if (i == 0 || !argument.startsWith(QLatin1Char('-'))) {
            rest.append(argument);
            continue;
        }
        const QString name =
            argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
        bool takesValue = false;
        if (!IsQtOption(name, &takesValue)) {
            rest.append(argument);
            continue;
        }
        if (takesValue && !argument.contains(QLatin1Char('=')))
            ++i; // its value
    }
    return ParseCommandLine(rest, true);
}
