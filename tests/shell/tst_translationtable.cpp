#include "AppFolder.h"
#include "SettingsFile.h"
#include "Translation.h"
#include "TranslationError.h"
#include "TranslationTable.h"

#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestTranslationTable : public QObject
{
    Q_OBJECT

private slots:
    void escape_data();
    void escape();
    void unescape_data();
    void unescape();
    void unescapeOctalAbove255Throws();
    void escapeRoundTrip();

    void parser_data();
    void parser();
    void laterEntryReplacesEarlier();
    void sectionsAndKeysIgnoreCase();
    void lineEndsAndTrimming();

    void decodesUtf8ElseWindows1252();

    void translateTextUnchangedWithoutEntry();
    void translateTextUsesEntry();
    void translateTextRaisesForBadOctal();
    void missingFileLeavesTableEmpty();
    void loadsFileFromDisk();
    void ownTrTextsComeFromTheTable();
    void lineBreakInKeyMatchesCrLfOrLf_data();
    void lineBreakInKeyMatchesCrLfOrLf();
    void translationFileChosen_data();
    void translationFileChosen();
};

void TestTranslationTable::escape_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("plain") << "OK"
                           << "OK";
    QTest::newRow("two lines") << "a\r\nb"
                               << "a\\r\\nb";
    QTest::newRow("controls") << QString("\a\b\t\v\f") << "\\a\\b\\t\\v\\f";
    QTest::newRow("quote and backslash") << "say \"hi\" \\ there"
                                         << "say \\\"hi\\\" \\\\ there";
    QTest::newRow("other control as hex") << QString(QChar(1)) + QChar(0x1F) << "\\x01\\x1F";
    QTest::newRow("nul") << QString(QChar(0)) << "\\x00";
    QTest::newRow("non-ascii kept") << QString::fromUtf8("Größe €") << QString::fromUtf8("Größe €");
    QTest::newRow("single quote and question mark kept") << "it's?"
                                                         << "it's?";
}

void TestTranslationTable::escape()
{
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(EscapeText(text), escaped);
}

void TestTranslationTable::unescape_data()
{
    QTest::addColumn<QString>("escaped");
    QTest::addColumn<QString>("text");
    QTest::newRow("simple escapes") << "\\\"\\'\\?\\\\"
                                    << "\"'?\\";
    QTest::newRow("controls") << "\\a\\b\\f\\n\\r\\t\\v" << QString("\a\b\f\n\r\t\v");
    QTest::newRow("hex two digits") << "\\x41\\x4a"
                                    << "AJ";
    QTest::newRow("hex one digit") << "\\x9z" << QString(QChar(9)) + "z";
    QTest::newRow("hex takes at most two") << "\\x414"
                                           << "A4";
    QTest::newRow("x without digit") << "\\xg"
                                     << "\\xg";
    QTest::newRow("octal three") << "\\101"
                                 << "A";
    QTest::newRow("octal one") << "\\7x" << QString(QChar(7)) + "x";
    QTest::newRow("octal stops at 8") << "\\18" << QString(QChar(1)) + "8";
    QTest::newRow("octal 377") << "\\377" << QString(QChar(255));
    QTest::newRow("octal takes at most three") << "\\1011"
                                               << "A1";
    QTest::newRow("unknown escape kept") << "\\q\\z"
                                         << "\\q\\z";
    QTest::newRow("trailing backslash kept") << "end\\"
                                             << "end\\";
    QTest::newRow("upper-case escape letters are not escapes") << "\\N"
                                                               << "\\N";
}

void TestTranslationTable::unescape()
{
    QFETCH(QString, escaped);
    QFETCH(QString, text);
    QCOMPARE(UnescapeText(escaped), text);
}

void TestTranslationTable::unescapeOctalAbove255Throws()
{
    try {
        UnescapeText("\\400");
        QFAIL("no error raised");
    } catch (const ETranslationError& error) {
        QCOMPARE(error.Message(), QString("Numeric constant too large."));
    }
}

void TestTranslationTable::escapeRoundTrip()
{
    QString all;
    for (int c = 0; c < 300; ++c)
        all += QChar(c);
    all += "\\x41\\101";
    QCOMPARE(UnescapeText(EscapeText(all)), all);
}

void TestTranslationTable::parser_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected"); // the stored value, or the key when nothing is stored

    const QStringList header = {"<//TFormAboutBox->"};
    QTest::newRow("simple entry") << header + QStringList{"E=OK", "T=Gut"} << "TFormAboutBox"
                                  << "OK"
                                  << "Gut";
    QTest::newRow("translation star stores nothing") << header + QStringList{"E=OK", "T=*"} << "TFormAboutBox"
                                                     << "OK"
                                                     << "OK";
    QTest::newRow("empty translation stores nothing") << header + QStringList{"E=OK", "T="} << "TFormAboutBox"
                                                      << "OK"
                                                      << "OK";
    QTest::newRow("E then E drops the first")
        << header + QStringList{"E=OK", "E=Cancel", "T=Abbrechen"} << "TFormAboutBox"
        << "OK"
        << "OK";
    QTest::newRow("E then E keeps the second")
        << header + QStringList{"E=OK", "E=Cancel", "T=Abbrechen"} << "TFormAboutBox"
        << "Cancel"
        << "Abbrechen";
    QTest::newRow("T without pending E")
        << header + QStringList{"E=OK", "T=Gut", "T=Prima"} << "TFormAboutBox"
        << "OK"
        << "Gut";
    QTest::newRow("entries before the first header are never used")
        << QStringList{"E=OK", "T=Gut"} + header << ""
        << "OK"
        << "OK";
    QTest::newRow("dash before slashes empties the section")
        << QStringList{"<a-b//TFormAboutBox-", "E=OK", "T=Gut"} << "TFormAboutBox"
        << "OK"
        << "OK";
    QTest::newRow("header without slashes starts after <")
        << QStringList{"<TFormAboutBox-rest", "E=OK", "T=Gut"} << "TFormAboutBox"
        << "OK"
        << "Gut";
    QTest::newRow("header without dash empties the section")
        << QStringList{"<//TFormAboutBox", "E=OK", "T=Gut"} << "TFormAboutBox"
        << "OK"
        << "OK";
    QTest::newRow("section name not trimmed")
        << QStringList{"<// TFormAboutBox -", "E=OK", "T=Gut"} << " TFormAboutBox "
        << "OK"
        << "Gut";
    QTest::newRow("comment lines ignored")
        << header + QStringList{";E=OK", "E=OK", "; T=nope", "T=Gut"} << "TFormAboutBox"
        << "OK"
        << "Gut";
    QTest::newRow("other lines ignored")
        << header + QStringList{"E=OK", "X=1", "e=lower", "T=Gut"} << "TFormAboutBox"
        << "OK"
        << "Gut";
    QTest::newRow("values trimmed") << header + QStringList{"E=   OK  ", "T=  Gut \t"} << "TFormAboutBox"
                                    << "OK"
                                    << "Gut";
    QTest::newRow("everything after the first equals sign")
        << header + QStringList{"E=a=b", "T=c=d"} << "TFormAboutBox"
        << "a=b"
        << "c=d";
    QTest::newRow("escaped key") << header + QStringList{"E=Line 1\\r\\nLine 2", "T=Zeile 1\\nZeile 2"}
                                 << "TFormAboutBox"
                                 << "Line 1\\r\\nLine 2"
                                 << "Zeile 1\\nZeile 2";
    QTest::newRow("other section") << header + QStringList{"E=OK", "T=Gut"} << "TFormMain"
                                   << "OK"
                                   << "OK";
}

void TestTranslationTable::parser()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    TTranslationTable table;
    table.LoadLines(lines);
    QCOMPARE(table.Lookup(section, key), expected);
}

void TestTranslationTable::laterEntryReplacesEarlier()
{
    TTranslationTable table;
    table.LoadLines({"<//S-", "E=OK", "T=Gut", "<//s-", "E=ok", "T=Prima"});
    QCOMPARE(table.EntryCount(), 1);
    QCOMPARE(table.Lookup("S", "OK"), QString("Prima"));
}

void TestTranslationTable::sectionsAndKeysIgnoreCase()
{
    TTranslationTable table;
    table.LoadLines({"<//tformaboutbox-", "E=ok", "T=Gut"});
    QCOMPARE(table.Lookup("TFormAboutBox", "OK"), QString("Gut"));
    QCOMPARE(table.Lookup("TFORMABOUTBOX", "Ok"), QString("Gut"));
}

void TestTranslationTable::lineEndsAndTrimming()
{
    TTranslationTable table;
    table.LoadBytes("  <//A-  \r\nE=one\rT=eins\nE=two\r\n\x01T=zwei\x02\r\n");
    QCOMPARE(table.Lookup("A", "one"), QString("eins"));
    QCOMPARE(table.Lookup("A", "two"), QString("zwei"));
}

void TestTranslationTable::decodesUtf8ElseWindows1252()
{
    QCOMPARE(DecodeTranslationFile("Gr\xC3\xB6\xC3\x9F"
                                   "e"),
             QString::fromUtf8("Größe"));
    QCOMPARE(DecodeTranslationFile("Gr\xF6\xDF"
                                   "e \x80 \x96"),
             QString::fromUtf8("Größe € –"));
    QCOMPARE(DecodeTranslationFile("\xEF\xBB\xBF<//A-"), QString("<//A-"));
}

void TestTranslationTable::translateTextUnchangedWithoutEntry()
{
    FreeTranslations();
    QCOMPARE(TranslateText("Memory usage:", "TFormAboutBox"), QString("Memory usage:"));
    QCOMPARE(TranslateText("a\\b\r\n\"c\"\x01", "X"), QString("a\\b\r\n\"c\"\x01"));
    Translations().LoadLines({"<//X-", "E=Other", "T=Anders"});
    QCOMPARE(TranslateText(" Other", "X"), QString(" Other")); // a leading space never matches
    FreeTranslations();
}

void TestTranslationTable::translateTextUsesEntry()
{
    FreeTranslations();
    Translations().LoadLines(
        {"<//STRING_TABLE-", "E=% Used", "T=% belegt", "E=Two\\r\\nlines", "T=Zwei\\nZeilen"});
    QCOMPARE(TranslateText("% Used", "STRING_TABLE"), QString("% belegt"));
    QCOMPARE(TranslateText("% used", "string_table"), QString("% belegt"));
    QCOMPARE(TranslateText("Two\r\nlines", "STRING_TABLE"), QString("Zwei\nZeilen"));
    QCOMPARE(TranslateText("% Used", "Other"), QString("% Used"));
    FreeTranslations();
}

void TestTranslationTable::translateTextRaisesForBadOctal()
{
    FreeTranslations();
    Translations().LoadLines({"<//STRING_TABLE-", "E=About", "T=\\777"});
    QVERIFY_THROWS_EXCEPTION(ETranslationError, TranslateText("About", "STRING_TABLE"));
    FreeTranslations();
}

void TestTranslationTable::missingFileLeavesTableEmpty()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(LoadTranslationFile(dir.filePath("lang.txt"), &error));
    QVERIFY(error.isEmpty());
    QVERIFY(Translations().IsEmpty());
    QCOMPARE(TranslateText("OK", "TFormAboutBox"), QString("OK"));
    FreeTranslations();
}

void TestTranslationTable::loadsFileFromDisk()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("lang.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("; sample\r\n<//TFormAboutBox->\r\nE=Memory usage:\r\nT=Speicherauslastung:\r\n");
    file.close();
    QVERIFY(LoadTranslationFile(file.fileName()));
    QCOMPARE(TranslateText("Memory usage:", "TFormAboutBox"), QString("Speicherauslastung:"));
    FreeTranslations();
    QCOMPARE(TranslateText("Memory usage:", "TFormAboutBox"), QString("Memory usage:"));
}

void TestTranslationTable::ownTrTextsComeFromTheTable()
{
    // Texts of the libraries without a table (the picture loader, the HTML reader) are
    // translated like the window's messages; Qt's own texts are left to Qt.
    QTemporaryDir dir;
    QFile file(dir.filePath("lang.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<//STRING_TABLE->\r\nE=The file is in use.\r\nT=Die Datei wird verwendet.\r\n"
               "E=Cancel\r\nT=Abbrechen\r\n");
    file.close();
    QVERIFY(LoadTranslationFile(file.fileName()));
    InstallTableTranslator();
    QCOMPARE(QCoreApplication::translate("WebViewHelpers", "The file is in use."), QString("Die Datei wird verwendet."));
    QCOMPARE(QObject::tr("The file is in use."), QString("Die Datei wird verwendet."));
    QCOMPARE(QCoreApplication::translate("WebViewHelpers", "No entry"), QString("No entry"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
    FreeTranslations();
    QCOMPARE(QCoreApplication::translate("WebViewHelpers", "The file is in use."), QString("The file is in use."));
}

void TestTranslationTable::lineBreakInKeyMatchesCrLfOrLf_data()
{
    QTest::addColumn<QString>("fileKey");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("file CR LF, caption LF") << "Two\\r\\nlines"
                                            << "Two\nlines"
                                            << "Zwei\nZeilen";
    QTest::newRow("file LF, caption LF") << "Two\\nlines"
                                         << "Two\nlines"
                                         << "Zwei\nZeilen";
    QTest::newRow("file LF, caption CR LF") << "Two\\nlines"
                                            << "Two\r\nlines"
                                            << "Zwei\nZeilen";
    QTest::newRow("file CR LF, caption CR LF") << "Two\\r\\nlines"
                                               << "Two\r\nlines"
                                               << "Zwei\nZeilen";
    // A backslash followed by "r" is not a carriage return.
    QTest::newRow("escaped backslash, then r") << "Two\\\\r\\nlines"
                                               << "Two\nlines"
                                               << "Two\nlines";
    QTest::newRow("lone CR stays apart") << "Two\\rlines"
                                         << "Two\nlines"
                                         << "Two\nlines";
}

void TestTranslationTable::lineBreakInKeyMatchesCrLfOrLf()
{
    QFETCH(QString, fileKey);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    FreeTranslations();
    Translations().LoadLines({"<//TFormAboutBox-", "E=" + fileKey, "T=Zwei\\nZeilen"});
    QCOMPARE(TranslateText(text, "TFormAboutBox"), expected);
    FreeTranslations();
}

void TestTranslationTable::translationFileChosen_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("chosen");

    // Folders: config (the user's configuration folder), app (beside the program), share (the
    // installed data folder).
    const QStringList all{"config/lang.txt", "app/lang.txt", "share/lang.txt", "app/lang.de.txt",
                          "share/lang.de.txt"};
    QTest::newRow("the user's own first") << all << "de_DE"
                                          << "config/lang.txt";
    QTest::newRow("then beside the program") << all.mid(1) << "de_DE"
                                             << "app/lang.txt";
    QTest::newRow("then installed") << all.mid(2) << "de_DE"
                                    << "share/lang.txt";
    QTest::newRow("German desktop, no lang.txt") << all.mid(3) << "de_DE"
                                                 << "app/lang.de.txt";
    QTest::newRow("German desktop, installed only") << all.mid(4) << "de_AT"
                                                    << "share/lang.de.txt";
    QTest::newRow("regional file first")
        << QStringList{"share/lang.de.txt", "share/lang.de_AT.txt"} << "de_AT"
        << "share/lang.de_AT.txt";
    QTest::newRow("English desktop: no translation") << all.mid(3) << "en_GB"
                                                     << "";
    QTest::newRow("nothing at all") << QStringList{} << "de_DE"
                                    << "";
}

void TestTranslationTable::translationFileChosen()
{
    QFETCH(QStringList, files);
    QFETCH(QString, locale);
    QFETCH(QString, chosen);

    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName("Corvanta");
    QCoreApplication::setApplicationName("Corvanta Zonequilter");
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath("bin")) && QDir().mkpath(dir.filePath("share/zonequilter")));
    SetAppFolderOverride(dir.filePath("bin"));
    QDir config(GetConfigFolder());
    QVERIFY(config.mkpath("."));
    const QHash<QString, QString> folders{{"config", config.path()},
                                          {"app", dir.filePath("bin")},
                                          {"share", dir.filePath("share/zonequilter")}};
    QStringList written;
    for (const QString& file : files) {
        QFile out(folders.value(file.section('/', 0, 0)) + '/' + file.section('/', 1));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("<//STRING_TABLE-\nE=Which\nT=" + file.toUtf8() + "\n");
        written.append(out.fileName());
    }

    QVERIFY(LoadTranslationFile(QLocale(locale)));
    const QString result = TranslateText("Which", "STRING_TABLE");
    for (const QString& file : written)
        QFile::remove(file);
    SetAppFolderOverride(QString());
    FreeTranslations();
    QCOMPARE(result, chosen.isEmpty() ? QString("Which") : chosen);
}

QTEST_GUILESS_MAIN(TestTranslationTable)
#include "tst_translationtable.moc"
