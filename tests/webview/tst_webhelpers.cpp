// The web-view helpers that need no running web engine: addresses, the browser's flags and the
// preview files.
#include "HelperFixture.h"
#include "InternetConnection.h"
#include "TBrowserWindow.h"
#include "UnitWebHelpers.h"

#include <sys/file.h>
#include <unistd.h>

class TestWebHelpers : public QObject, private THelperFixture
{
    Q_OBJECT

private slots:
    void previewFolderIsPrivateToThisRun();
    void init();
    void cleanup();

    void isLocalURL_data();
    void isLocalURL();
    void httpAddressToExistingFileIsLocal();
    void cutBeforeHash_data();
    void cutBeforeHash();
    void offlineHttpAsksAndNoOpensNothing();

    void chromiumFlags_data();
    void chromiumFlags();

    void previewWritesExactBytes();
    void previewOfEmptyTextIsEmptyFile();
    void previewOverwritesLongerFile();
    void previewFallsBackWhenTemp1CannotBeCreated();
    void previewFallsBackToTemp3();
    void previewFailureOfTemp3ReachesCaller();
    void lockedPreviewFileIsPassedOverNotTruncated();
};

void TestWebHelpers::init()
{
    SetUp();
}

void TestWebHelpers::cleanup()
{
    TearDown();
}

void TestWebHelpers::previewFolderIsPrivateToThisRun()
{
    // Even where the program's folder is writable, no other user may read or replace the page.
    SetPreviewFolderOverride(QString());
    const QString folder = GetPreviewFolder();
    QVERIFY(!folder.isEmpty());
    QVERIFY(!folder.startsWith(FDir->path()));
    QCOMPARE(GetPreviewFolder(), folder);
    const QFileInfo info(folder);
    QCOMPARE(info.ownerId(), ::geteuid());
    QCOMPARE(info.permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(QFileInfo(WritePreviewFile(QStringLiteral("<p/>"))).absolutePath() + QLatin1Char('/'), folder);
    RemovePrivatePreviewFolder();
    QVERIFY(!QFileInfo::exists(folder));
}

void TestWebHelpers::isLocalURL_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("expected");
    QTest::newRow("https") << "https://www.corvanta.example/" << true;
    QTest::newRow("http") << "http://www.corvanta.example/index.html" << false;
    QTest::newRow("http in capitals") << "HTTP://www.corvanta.example/index.html" << false;
    QTest::newRow("http root path is a folder") << "http://www.corvanta.example/" << false;
    QTest::newRow("http without path") << "http://www.corvanta.example" << false;
    QTest::newRow("ftp") << "ftp://ftp.corvanta.example/a.zip" << true;
    QTest::newRow("file") << "file:///nowhere/help.htm" << true;
    QTest::newRow("mailto") << "mailto:someone@corvanta.example" << true;
    QTest::newRow("other scheme") << "news:comp.lang" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("bare file name") << "help.htm" << true;
    QTest::newRow("unparsable") << "http://exa mple.com/%zz" << true;
}

void TestWebHelpers::isLocalURL()
{
    QFETCH(QString, address);
    QFETCH(bool, expected);
    QCOMPARE(IsLocalURL(address), expected);
}

void TestWebHelpers::httpAddressToExistingFileIsLocal()
{
    const QString file = FDir->filePath(QStringLiteral("page.htm"));
    WriteFile(file, "<p>x</p>");
    QVERIFY(IsLocalURL(QStringLiteral("http://localhost") + file));
    QVERIFY(!IsLocalURL(QStringLiteral("http://localhost") + file + QStringLiteral(".missing")));
}

void TestWebHelpers::cutBeforeHash_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("expected");
    QTest::newRow("anchor") << "help.htm#top"
                            << "help.htm";
    QTest::newRow("only anchor") << "#top"
                                 << "";
    QTest::newRow("two hashes") << "a.htm#b#c"
                                << "a.htm";
    QTest::newRow("none") << "https://www.corvanta.example/x?y=1"
                          << "https://www.corvanta.example/x?y=1";
}

void TestWebHelpers::cutBeforeHash()
{
    QFETCH(QString, address);
    QFETCH(QString, expected);
    QCOMPARE(CutBeforeHash(address), expected);
}

void TestWebHelpers::offlineHttpAsksAndNoOpensNothing()
{
    SetInternetConnectedProbe([] { return false; });
    FAnswer = QMessageBox::No;
    OpenURL(QStringLiteral("http://www.corvanta.example/"));
    QCOMPARE(FBox.count, 1);
    QCOMPARE(FBox.text,
             QStringLiteral("You don't seem to be connected to the internet. Do you wish to connect now?"));
    QCOMPARE(FBox.icon, QMessageBox::Question);
    QVERIFY(TBrowserWindow::AllWindows().isEmpty());
    QVERIFY(!TBrowserWindow::FindNamed(BrowserWindowName()));
}

void TestWebHelpers::chromiumFlags_data()
{
    QTest::addColumn<QByteArray>("flags");
    QTest::addColumn<bool>("root");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("user") << QByteArray("--disable-gpu") << false << QByteArray("--disable-gpu");
    QTest::newRow("root, none yet") << QByteArray() << true << QByteArray("--no-sandbox");
    QTest::newRow("root, others") << QByteArray("--disable-gpu") << true
                                  << QByteArray("--disable-gpu --no-sandbox");
    QTest::newRow("root, already there")
        << QByteArray("--no-sandbox --disable-gpu") << true << QByteArray("--no-sandbox --disable-gpu");
    QTest::newRow("root, a longer flag is another flag")
        << QByteArray("--no-sandbox-x") << true << QByteArray("--no-sandbox-x --no-sandbox");
}

void TestWebHelpers::chromiumFlags()
{
    QFETCH(QByteArray, flags);
    QFETCH(bool, root);
    QFETCH(QByteArray, expected);
    QCOMPARE(ChromiumFlagsFor(flags, root), expected);
}

void TestWebHelpers::previewWritesExactBytes()
{
    const QString html = QStringLiteral("<html>\r\n<body>Caf\u00e9 &copy; \u20ac</body>\n</html>");
    QCOMPARE(WritePreviewFile(html), FDir->filePath(QStringLiteral("Temp1.html")));
    QCOMPARE(ReadAll(FDir->filePath(QStringLiteral("Temp1.html"))), html.toUtf8());
    QVERIFY(!QFile::exists(FDir->filePath(QStringLiteral("Temp2.html"))));
}

void TestWebHelpers::previewOfEmptyTextIsEmptyFile()
{
    QCOMPARE(WritePreviewFile(QString()), FDir->filePath(QStringLiteral("Temp1.html")));
    QFileInfo info(FDir->filePath(QStringLiteral("Temp1.html")));
    QVERIFY(info.exists());
    QCOMPARE(info.size(), 0);
}

void TestWebHelpers::previewOverwritesLongerFile()
{
    WriteFile(FDir->filePath(QStringLiteral("Temp1.html")), QByteArray(5000, 'x'));
    WritePreviewFile(QStringLiteral("<p>short</p>"));
    QCOMPARE(ReadAll(FDir->filePath(QStringLiteral("Temp1.html"))), QByteArray("<p>short</p>"));
}

void TestWebHelpers::previewFallsBackWhenTemp1CannotBeCreated()
{
    // A folder of that name cannot be opened as a file, even by root.
    QVERIFY(QDir(FDir->path()).mkdir(QStringLiteral("Temp1.html")));
    QCOMPARE(WritePreviewFile(QStringLiteral("<p>two</p>")), FDir->filePath(QStringLiteral("Temp2.html")));
    QCOMPARE(ReadAll(FDir->filePath(QStringLiteral("Temp2.html"))), QByteArray("<p>two</p>"));
    QVERIFY(QFileInfo(FDir->filePath(QStringLiteral("Temp1.html"))).isDir());
}

void TestWebHelpers::previewFallsBackToTemp3()
{
    QVERIFY(QDir(FDir->path()).mkdir(QStringLiteral("Temp1.html")));
    QVERIFY(QDir(FDir->path()).mkdir(QStringLiteral("Temp2.html")));
    QCOMPARE(WritePreviewFile(QStringLiteral("<p>three</p>")), FDir->filePath(QStringLiteral("Temp3.html")));
    QCOMPARE(ReadAll(FDir->filePath(QStringLiteral("Temp3.html"))), QByteArray("<p>three</p>"));
}

void TestWebHelpers::previewFailureOfTemp3ReachesCaller()
{
    for (const QString& name : PreviewFileNames())
        QVERIFY(QDir(FDir->path()).mkdir(name));
    const QString temp3 = FDir->filePath(QStringLiteral("Temp3.html"));
    bool thrown = false;
    try {
        WritePreviewFile(QStringLiteral("<p>lost?</p>"));
    } catch (const EFileCreateError& error) {
        thrown = true;
        QCOMPARE(error.Path(), temp3);
        QVERIFY(!error.Reason().isEmpty());
        QCOMPARE(error.Message(), QStringLiteral("Cannot create file \"%1\". %2").arg(temp3, error.Reason()));
        QCOMPARE(QString::fromStdString(error.what()), error.Message());
    }
    QVERIFY(thrown);

    QString message;
    QVERIFY(!TryLoadHTMLIntoWebView(nullptr, QStringLiteral("<p/>"), &message));
    QVERIFY2(message.startsWith(QStringLiteral("Cannot create file \"") + temp3), qPrintable(message));
}

void TestWebHelpers::lockedPreviewFileIsPassedOverNotTruncated()
{
    const QString temp1 = FDir->filePath(QStringLiteral("Temp1.html"));
    WriteFile(temp1, "held by another program");
    QFile holder(temp1);
    QVERIFY(holder.open(QIODevice::ReadOnly));
    QCOMPARE(::flock(holder.handle(), LOCK_EX | LOCK_NB), 0);

    QCOMPARE(WritePreviewFile(QStringLiteral("<p>b</p>")), FDir->filePath(QStringLiteral("Temp2.html")));
    QCOMPARE(ReadAll(temp1), QByteArray("held by another program"));
    QCOMPARE(ReadAll(FDir->filePath(QStringLiteral("Temp2.html"))), QByteArray("<p>b</p>"));

    holder.close();
    QCOMPARE(WritePreviewFile(QStringLiteral("<p>c</p>")), temp1);
}

QTEST_MAIN(TestWebHelpers)
#include "tst_webhelpers.moc"
