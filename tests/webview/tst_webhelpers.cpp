// The web-view helpers that need no running web engine: program folder, dialogs, message
// boxes, caption, status bar, addresses and the preview files.
#include "PreviewFolder.h"
#include "TBrowserWindow.h"
#include "TSharedFileDialog.h"
#include "UnitWebHelpers.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include <sys/file.h>
#include <unistd.h>

namespace {
QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

struct ShownBox
{
    int count = 0;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};
} // namespace

class TestWebHelpers : public QObject
{
    Q_OBJECT

private slots:
    void previewFolderIsPrivateToThisRun();
    void init();
    void cleanup();

    void appFolderOverrideComesFirst();
    void lateCompletionListStaysHidden();
    void appFolderFromEnvironment();
    void appFolderOfExecutable();

    void stripPathChars_data();
    void stripPathChars();
    void safeFileName_data();
    void safeFileName();
    void convertFilter_data();
    void convertFilter();

    void openDialogWithEmptyFilterOffersAllFiles();
    void openDialogStartsInFolderWithCleanName();
    void openDialogChoosesFile();
    void cancelledDialogKeepsDocumentName();
    void saveDialogAddsDefaultExtension();
    void saveDialogTakesEmptyFilterAndExtension();
    void saveDialogRefusesMissingFolder();
    void sharedDialogsAreKept();

    void messageBoxHasTitleIconAndButtons();
    void askYesNo_data();
    void askYesNo();

    void setMainCaption_data();
    void setMainCaption();
    void captionShowsPlaceholderTextOfFileName();
    void fittedPanelWidth_data();
    void fittedPanelWidth();
    void fitStatusPanel_data();
    void fitStatusPanel();

    void isLocalURL_data();
    void isLocalURL();
    void httpAddressToExistingFileIsLocal();
    void cutBeforeHash_data();
    void cutBeforeHash();
    void hasDefaultRoute_data();
    void hasDefaultRoute();
    void internetProbeCanBeReplaced();
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

private:
    QTemporaryDir* FDir = nullptr;
    ShownBox FBox;
    QMessageBox::StandardButton FAnswer = QMessageBox::Ok;
};

void TestWebHelpers::init()
{
    FDir = new QTemporaryDir;
    QVERIFY(FDir->isValid());
    SetAppFolderOverride(FDir->path());
    SetPreviewFolderOverride(FDir->path());
    FBox = ShownBox();
    FAnswer = QMessageBox::Ok;
    SetMessageBoxRunner([this](QMessageBox& box) {
        ++FBox.count;
        FBox.text = box.text();
        FBox.title = box.windowTitle();
        FBox.icon = box.icon();
        FBox.buttons = box.standardButtons();
        return FAnswer;
    });
    SetDialogRunner(CancelDialogRunner());
}

void TestWebHelpers::cleanup()
{
    SetMessageBoxRunner(nullptr);
    SetDialogRunner(nullptr);
    SetInternetConnectedProbe(nullptr);
    SetAppFolderOverride(QString());
    SetPreviewFolderOverride(QString());
    delete FDir;
    FDir = nullptr;
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

void TestWebHelpers::appFolderOverrideComesFirst()
{
    SetAppFolderOverride(QStringLiteral("/opt/zq"));
    QCOMPARE(GetAppFolder(), QStringLiteral("/opt/zq/"));
    QCOMPARE(GetAppFilePath(QStringLiteral("demo.htm")), QStringLiteral("/opt/zq/demo.htm"));
    SetAppFolderOverride(QStringLiteral("/opt/zq/"));
    QCOMPARE(GetAppFolder(), QStringLiteral("/opt/zq/"));
}

void TestWebHelpers::appFolderFromEnvironment()
{
    SetAppFolderOverride(QString());
    const QByteArray saved = qgetenv("ZQ_APP_DIR");
    qputenv("ZQ_APP_DIR", "/srv/zonequilter");
    QCOMPARE(GetAppFilePath(QStringLiteral("Settings.ini")), QStringLiteral("/srv/zonequilter/Settings.ini"));
    qputenv("ZQ_APP_DIR", saved);
}

void TestWebHelpers::appFolderOfExecutable()
{
    SetAppFolderOverride(QString());
    const QByteArray saved = qgetenv("ZQ_APP_DIR");
    qunsetenv("ZQ_APP_DIR");
    QCOMPARE(GetAppFolder(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    QVERIFY(GetAppFolder().endsWith(QLatin1Char('/')));
    if (!saved.isNull())
        qputenv("ZQ_APP_DIR", saved);
}

void TestWebHelpers::stripPathChars_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("nothing to strip") << "map.htm"
                                      << "map.htm";
    QTest::newRow("all four") << "a/b|c<d>.htm"
                              << "abcd.htm";
    QTest::newRow("repeated") << "//||<<>>"
                              << "";
    QTest::newRow("back-slash and colon stay") << "C:\\maps\\x.htm"
                                               << "C:\\maps\\x.htm";
    QTest::newRow("spaces and dots stay") << " a . b "
                                          << " a . b ";
}

void TestWebHelpers::stripPathChars()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(StripPathChars(text), expected);
}

void TestWebHelpers::safeFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "map.htm"
                           << "map.htm";
    QTest::newRow("written with path chars") << "a/b|c<d>.htm"
                                             << "abcd.htm";
    QTest::newRow("dot") << "."
                         << "";
    QTest::newRow("dot dot") << ".."
                             << "";
    QTest::newRow("dot dot after stripping") << "./."
                                             << "";
    QTest::newRow("three dots stay") << "..."
                                     << "...";
    QTest::newRow("hidden file stays") << ".htaccess"
                                       << ".htaccess";
    QTest::newRow("empty") << ""
                           << "";
}

void TestWebHelpers::safeFileName()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(SafeFileName(name), expected);
}

void TestWebHelpers::convertFilter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("default") << "All Files (*.*)|*.*|" << QStringList{"All Files (*.*) (*)"};
    QTest::newRow("several masks and pairs")
        << "Pictures|*.jpg;*.jpeg;*.gif;*.png|HTML files|*.htm;*.html|"
        << QStringList{"Pictures (*.jpg *.jpeg *.gif *.png)", "HTML files (*.htm *.html)"};
    QTest::newRow("no trailing bar") << "HTML|*.htm" << QStringList{"HTML (*.htm)"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("pair without masks dropped") << "Nothing||HTML|*.htm|" << QStringList{"HTML (*.htm)"};
    QTest::newRow("empty description") << "|*.txt|" << QStringList{"(*.txt)"};
}

void TestWebHelpers::convertFilter()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(ConvertFilter(filter), expected);
}

void TestWebHelpers::openDialogWithEmptyFilterOffersAllFiles()
{
    QStringList shownFilters;
    SetDialogRunner([&](QFileDialog& dialog) {
        shownFilters = dialog.nameFilters();
        return false;
    });
    QVERIFY(!ExecuteOpenDialog(QString(), QString(), QString()));
    QCOMPARE(SharedOpenDialog()->Filter(), QStringLiteral("All Files (*.*)|*.*|"));
    QCOMPARE(shownFilters, QStringList{QStringLiteral("All Files (*.*) (*)")});
}

void TestWebHelpers::openDialogStartsInFolderWithCleanName()
{
    QString folder;
    QStringList selected;
    SetDialogRunner([&](QFileDialog& dialog) {
        folder = dialog.directory().absolutePath();
        selected = dialog.selectedFiles();
        return false;
    });
    const QString dir = FDir->path();
    QVERIFY(!ExecuteOpenDialog(dir + QStringLiteral("/pic|t<1>.png"), QStringLiteral("PNG|*.png|"),
                               QStringLiteral("png")));
    QCOMPARE(folder, dir);
    QCOMPARE(selected, QStringList{dir + QStringLiteral("/pict1.png")});
    QCOMPARE(SharedOpenDialog()->DefaultExt(), QStringLiteral("png"));
    QCOMPARE(SharedOpenDialog()->nameFilters(), QStringList{QStringLiteral("PNG (*.png)")});
}

void TestWebHelpers::openDialogChoosesFile()
{
    const QString picture = FDir->filePath(QStringLiteral("chosen.png"));
    WriteFile(picture, "x");
    SetDialogRunner(ChooseFileRunner(picture));
    QVERIFY(ExecuteOpenDialog(QString(), QStringLiteral("Pictures|*.png;*.jpg|"), QString()));
    QCOMPARE(SharedOpenDialog()->FileName(), picture);
    QCOMPARE(SharedOpenDialog()->fileMode(), QFileDialog::ExistingFile);
}

void TestWebHelpers::cancelledDialogKeepsDocumentName()
{
    const QString document = FDir->filePath(QStringLiteral("current.htm"));
    SharedSaveDialog()->SetFileName(document);
    SetDialogRunner(CancelDialogRunner());
    QVERIFY(!ExecuteSaveDialog(document, QStringLiteral("HTML|*.htm|"), QStringLiteral("htm")));
    QCOMPARE(SharedSaveDialog()->FileName(), document);
}

void TestWebHelpers::saveDialogAddsDefaultExtension()
{
    SetDialogRunner(ChooseFileRunner(FDir->filePath(QStringLiteral("newmap"))));
    QVERIFY(ExecuteSaveDialog(QString(), QStringLiteral("HTML files|*.htm;*.html|"), QStringLiteral("htm")));
    QCOMPARE(SharedSaveDialog()->FileName(), FDir->filePath(QStringLiteral("newmap.htm")));
    QCOMPARE(SharedSaveDialog()->acceptMode(), QFileDialog::AcceptSave);
    QVERIFY(!SharedSaveDialog()->testOption(QFileDialog::DontConfirmOverwrite));
}

void TestWebHelpers::saveDialogTakesEmptyFilterAndExtension()
{
    SetDialogRunner(CancelDialogRunner());
    ExecuteSaveDialog(QString(), QStringLiteral("HTML|*.htm|"), QStringLiteral("htm"));
    ExecuteSaveDialog(QString(), QString(), QString());
    QCOMPARE(SharedSaveDialog()->Filter(), QString());
    QCOMPARE(SharedSaveDialog()->DefaultExt(), QString());
    QCOMPARE(SharedSaveDialog()->defaultSuffix(), QString());
}

void TestWebHelpers::saveDialogRefusesMissingFolder()
{
    QVERIFY(TSharedFileDialog::SaveRefusalReason(FDir->filePath(QStringLiteral("ok.htm"))).isEmpty());
    const QString reason =
        TSharedFileDialog::SaveRefusalReason(FDir->filePath(QStringLiteral("missing/x.htm")));
    QVERIFY2(reason.contains(FDir->filePath(QStringLiteral("missing"))), qPrintable(reason));

    // Accepting such a name in the dialog itself shows the reason and keeps the dialog open.
    TSharedFileDialog* dialog = SharedSaveDialog();
    dialog->setDirectory(FDir->path());
    dialog->selectFile(FDir->filePath(QStringLiteral("missing/x.htm")));
    dialog->open();
    dialog->accept();
    QCOMPARE(FBox.count, 1);
    QCOMPARE(FBox.text, reason);
    QVERIFY(dialog->isVisible());
    dialog->reject();
}

void TestWebHelpers::sharedDialogsAreKept()
{
    QVERIFY(SharedOpenDialog());
    QCOMPARE(SharedOpenDialog(), SharedOpenDialog());
    QCOMPARE(SharedSaveDialog(), SharedSaveDialog());
    QVERIFY(static_cast<QFileDialog*>(SharedOpenDialog()) != static_cast<QFileDialog*>(SharedSaveDialog()));
    QCOMPARE(SharedOpenDialog()->acceptMode(), QFileDialog::AcceptOpen);
}

void TestWebHelpers::messageBoxHasTitleIconAndButtons()
{
    FAnswer = QMessageBox::Ok;
    QCOMPARE(AppMessageBox(QStringLiteral("Cannot open file \"x.htm\"")), QMessageBox::Ok);
    QCOMPARE(FBox.count, 1);
    QCOMPARE(FBox.text, QStringLiteral("Cannot open file \"x.htm\""));
    QCOMPARE(FBox.title, QStringLiteral("Corvanta Zonequilter"));
    QCOMPARE(FBox.icon, QMessageBox::Information);
    QCOMPARE(FBox.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestWebHelpers::askYesNo_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("expected");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("no") << int(QMessageBox::No) << false;
    QTest::newRow("closed") << int(QMessageBox::NoButton) << false;
}

void TestWebHelpers::askYesNo()
{
    QFETCH(int, answer);
    QFETCH(bool, expected);
    FAnswer = QMessageBox::StandardButton(answer);
    QCOMPARE(AskYesNo(QStringLiteral("Sure?")), expected);
    QCOMPARE(FBox.icon, QMessageBox::Question);
    QCOMPARE(FBox.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(FBox.title, QStringLiteral("Corvanta Zonequilter"));
}

void TestWebHelpers::setMainCaption_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no document") << ""
                                 << "Corvanta Zonequilter[*]";
    QTest::newRow("document") << "/home/u/map.htm"
                              << "Corvanta Zonequilter - [/home/u/map.htm][*]";
    QTest::newRow("bare name") << "map.htm"
                               << "Corvanta Zonequilter - [map.htm][*]";
}

void TestWebHelpers::setMainCaption()
{
    QFETCH(QString, fileName);
    QFETCH(QString, expected);
    QWidget window;
    window.setWindowTitle(QStringLiteral("previous"));
    ::SetMainCaption(&window, fileName);
    QCOMPARE(window.windowTitle(), expected);
}

void TestWebHelpers::captionShowsPlaceholderTextOfFileName()
{
    QWidget window;
    ::SetMainCaption(&window, QStringLiteral("/tmp/a[*]b.htm"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowHandle()->title(), QStringLiteral("Corvanta Zonequilter - [/tmp/a[*]b.htm]"));
    // Modified, the star comes after the file name, and the name's own "[*]" stays as written.
    window.setWindowModified(true);
    QCOMPARE(window.windowHandle()->title(), QStringLiteral("Corvanta Zonequilter - [/tmp/a[*]b.htm]*"));
}

void TestWebHelpers::fittedPanelWidth_data()
{
    QTest::addColumn<int>("barWidth");
    QTest::addColumn<int>("others");
    QTest::addColumn<int>("overhead");
    QTest::addColumn<int>("expected");
    QTest::newRow("561 wide, panels 70 and 50") << 561 << 120 << 0 << 441;
    QTest::newRow("with layout room") << 561 << 120 << 38 << 403;
    QTest::newRow("narrower than the others") << 100 << 120 << 0 << 0;
    QTest::newRow("panel 2 of 400, 70") << 561 << 470 << 0 << 91;
}

void TestWebHelpers::fittedPanelWidth()
{
    QFETCH(int, barWidth);
    QFETCH(int, others);
    QFETCH(int, overhead);
    QFETCH(int, expected);
    QCOMPARE(FittedPanelWidth(barWidth, others, overhead), expected);
}

void TestWebHelpers::fitStatusPanel_data()
{
    QTest::addColumn<int>("windowWidth");
    QTest::newRow("700") << 700;
    QTest::newRow("561") << 561;
    QTest::newRow("1200") << 1200;
}

void TestWebHelpers::fitStatusPanel()
{
    QFETCH(int, windowWidth);
    QMainWindow window;
    // One panel made with the bar as parent, the others elsewhere first: the order of adding counts.
    QStatusBar* bar = window.statusBar();
    auto* first = new QLabel(bar);
    auto* second = new QLabel(&window);
    auto* third = new QLabel;
    const QList<QLabel*> labels{first, second, third};
    const QList<int> widths{400, 70, 50};
    for (int i = 0; i < 3; ++i) {
        labels[i]->setFixedWidth(widths[i]);
        labels[i]->setText(QStringLiteral("panel"));
        bar->addWidget(labels[i]);
    }
    QCOMPARE(StatusPanels(bar), (QList<QWidget*>{first, second, third}));
    window.resize(windowWidth, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const int overhead = StatusBarLayoutOverhead(bar);
    QVERIFY(overhead > 0);
    FitStatusPanel(bar, 0);
    QCOMPARE(first->width(), bar->width() - 120 - overhead);
    QCOMPARE(second->width(), 70);
    QCOMPARE(third->width(), 50);
    // Once laid out, the panels sit side by side and the last one ends inside the bar.
    QTRY_VERIFY(first->geometry().right() < second->geometry().left());
    QVERIFY(second->geometry().right() < third->geometry().left());
    QVERIFY(third->geometry().right() < bar->width());

    FitStatusPanel(bar, 3); // out of range: nothing changes
    QCOMPARE(first->width(), bar->width() - 120 - overhead);
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

void TestWebHelpers::hasDefaultRoute_data()
{
    const QString header = QStringLiteral(
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n");
    QTest::addColumn<QString>("v4");
    QTest::addColumn<QString>("v6");
    QTest::addColumn<bool>("expected");
    QTest::newRow("default route") << header + "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"
                                               "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
                                   << "" << true;
    QTest::newRow("local network only")
        << header + "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
        << "" << false;
    QTest::newRow("default route down")
        << header + "eth0\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n"
        << "" << false;
    QTest::newRow("default on loopback")
        << header + "lo\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n"
        << "" << false;
    QTest::newRow("nothing") << ""
                             << "" << false;
    QTest::newRow("ipv6 default")
        << header
        << "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
           "fe800000000000000000000000000001 00000400 00000001 00000000 00000003 eth0\n"
        << true;
    QTest::newRow("ipv6 unreachable default")
        << header
        << "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
           "00000000000000000000000000000000 ffffffff 00000001 00000000 00200200 lo\n"
        << false;
}

void TestWebHelpers::hasDefaultRoute()
{
    QFETCH(QString, v4);
    QFETCH(QString, v6);
    QFETCH(bool, expected);
    QCOMPARE(HasDefaultRoute(v4, v6), expected);
}

void TestWebHelpers::internetProbeCanBeReplaced()
{
    SetInternetConnectedProbe([] { return true; });
    QVERIFY(IsInternetConnected());
    const InternetProbe previous = SetInternetConnectedProbe([] { return false; });
    QVERIFY(!IsInternetConnected());
    QVERIFY(previous());
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

void TestWebHelpers::lateCompletionListStaysHidden()
{
    TSharedFileDialog dialog(QFileDialog::AcceptOpen);
    const QList<QCompleter*> completers = dialog.findChildren<QCompleter*>();
    QVERIFY(!completers.isEmpty());
    QWidget* popup = completers.first()->popup();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    popup->show();
    dialog.hide();
    QVERIFY(!popup->isVisible());
    // The directory scan answers after the dialog has closed and opens the list again.
    popup->show();
    QTRY_VERIFY(!popup->isVisible());
}

QTEST_MAIN(TestWebHelpers)
#include "tst_webhelpers.moc"
