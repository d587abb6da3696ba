// The plain-widget helpers: program folder, shared dialogs, message boxes, caption and status bar.
#include "HelperFixture.h"
#include "InternetConnection.h"
#include "MainWindowHelpers.h"
#include "TSharedFileDialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QWindow>

class TestSharedDialogs : public QObject, private THelperFixture
{
    Q_OBJECT

private slots:
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

    void hasDefaultRoute_data();
    void hasDefaultRoute();
    void internetProbeCanBeReplaced();
};

void TestSharedDialogs::init()
{
    SetUp();
}

void TestSharedDialogs::cleanup()
{
    TearDown();
}

void TestSharedDialogs::appFolderOverrideComesFirst()
{
    SetAppFolderOverride(QStringLiteral("/opt/zq"));
    QCOMPARE(GetAppFolder(), QStringLiteral("/opt/zq/"));
    QCOMPARE(GetAppFilePath(QStringLiteral("demo.htm")), QStringLiteral("/opt/zq/demo.htm"));
    SetAppFolderOverride(QStringLiteral("/opt/zq/"));
    QCOMPARE(GetAppFolder(), QStringLiteral("/opt/zq/"));
}

void TestSharedDialogs::appFolderFromEnvironment()
{
    SetAppFolderOverride(QString());
    const QByteArray saved = qgetenv("ZQ_APP_DIR");
    qputenv("ZQ_APP_DIR", "/srv/zonequilter");
    QCOMPARE(GetAppFilePath(QStringLiteral("Settings.ini")), QStringLiteral("/srv/zonequilter/Settings.ini"));
    qputenv("ZQ_APP_DIR", saved);
}

void TestSharedDialogs::appFolderOfExecutable()
{
    SetAppFolderOverride(QString());
    const QByteArray saved = qgetenv("ZQ_APP_DIR");
    qunsetenv("ZQ_APP_DIR");
    QCOMPARE(GetAppFolder(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    QVERIFY(GetAppFolder().endsWith(QLatin1Char('/')));
    if (!saved.isNull())
        qputenv("ZQ_APP_DIR", saved);
}

void TestSharedDialogs::stripPathChars_data()
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

void TestSharedDialogs::stripPathChars()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(StripPathChars(text), expected);
}

void TestSharedDialogs::safeFileName_data()
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

void TestSharedDialogs::safeFileName()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(SafeFileName(name), expected);
}

void TestSharedDialogs::convertFilter_data()
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

void TestSharedDialogs::convertFilter()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(ConvertFilter(filter), expected);
}

void TestSharedDialogs::openDialogWithEmptyFilterOffersAllFiles()
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

void TestSharedDialogs::openDialogStartsInFolderWithCleanName()
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

void TestSharedDialogs::openDialogChoosesFile()
{
    const QString picture = FDir->filePath(QStringLiteral("chosen.png"));
    WriteFile(picture, "x");
    SetDialogRunner(ChooseFileRunner(picture));
    QVERIFY(ExecuteOpenDialog(QString(), QStringLiteral("Pictures|*.png;*.jpg|"), QString()));
    QCOMPARE(SharedOpenDialog()->FileName(), picture);
    QCOMPARE(SharedOpenDialog()->fileMode(), QFileDialog::ExistingFile);
}

void TestSharedDialogs::cancelledDialogKeepsDocumentName()
{
    const QString document = FDir->filePath(QStringLiteral("current.htm"));
    SharedSaveDialog()->SetFileName(document);
    SetDialogRunner(CancelDialogRunner());
    QVERIFY(!ExecuteSaveDialog(document, QStringLiteral("HTML|*.htm|"), QStringLiteral("htm")));
    QCOMPARE(SharedSaveDialog()->FileName(), document);
}

void TestSharedDialogs::saveDialogAddsDefaultExtension()
{
    SetDialogRunner(ChooseFileRunner(FDir->filePath(QStringLiteral("newmap"))));
    QVERIFY(ExecuteSaveDialog(QString(), QStringLiteral("HTML files|*.htm;*.html|"), QStringLiteral("htm")));
    QCOMPARE(SharedSaveDialog()->FileName(), FDir->filePath(QStringLiteral("newmap.htm")));
    QCOMPARE(SharedSaveDialog()->acceptMode(), QFileDialog::AcceptSave);
    QVERIFY(!SharedSaveDialog()->testOption(QFileDialog::DontConfirmOverwrite));
}

void TestSharedDialogs::saveDialogTakesEmptyFilterAndExtension()
{
    SetDialogRunner(CancelDialogRunner());
    ExecuteSaveDialog(QString(), QStringLiteral("HTML|*.htm|"), QStringLiteral("htm"));
    ExecuteSaveDialog(QString(), QString(), QString());
    QCOMPARE(SharedSaveDialog()->Filter(), QString());
    QCOMPARE(SharedSaveDialog()->DefaultExt(), QString());
    QCOMPARE(SharedSaveDialog()->defaultSuffix(), QString());
}

void TestSharedDialogs::saveDialogRefusesMissingFolder()
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

void TestSharedDialogs::sharedDialogsAreKept()
{
    QVERIFY(SharedOpenDialog());
    QCOMPARE(SharedOpenDialog(), SharedOpenDialog());
    QCOMPARE(SharedSaveDialog(), SharedSaveDialog());
    QVERIFY(static_cast<QFileDialog*>(SharedOpenDialog()) != static_cast<QFileDialog*>(SharedSaveDialog()));
    QCOMPARE(SharedOpenDialog()->acceptMode(), QFileDialog::AcceptOpen);
}

void TestSharedDialogs::messageBoxHasTitleIconAndButtons()
{
    FAnswer = QMessageBox::Ok;
    QCOMPARE(AppMessageBox(QStringLiteral("Cannot open file \"x.htm\"")), QMessageBox::Ok);
    QCOMPARE(FBox.count, 1);
    QCOMPARE(FBox.text, QStringLiteral("Cannot open file \"x.htm\""));
    QCOMPARE(FBox.title, QStringLiteral("Corvanta Zonequilter"));
    QCOMPARE(FBox.icon, QMessageBox::Information);
    QCOMPARE(FBox.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestSharedDialogs::askYesNo_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("expected");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("no") << int(QMessageBox::No) << false;
    QTest::newRow("closed") << int(QMessageBox::NoButton) << false;
}

void TestSharedDialogs::askYesNo()
{
    QFETCH(int, answer);
    QFETCH(bool, expected);
    FAnswer = QMessageBox::StandardButton(answer);
    QCOMPARE(AskYesNo(QStringLiteral("Sure?")), expected);
    QCOMPARE(FBox.icon, QMessageBox::Question);
    QCOMPARE(FBox.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(FBox.title, QStringLiteral("Corvanta Zonequilter"));
}

void TestSharedDialogs::setMainCaption_data()
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

void TestSharedDialogs::setMainCaption()
{
    QFETCH(QString, fileName);
    QFETCH(QString, expected);
    QWidget window;
    window.setWindowTitle(QStringLiteral("previous"));
    ::SetMainCaption(&window, fileName);
    QCOMPARE(window.windowTitle(), expected);
}

void TestSharedDialogs::captionShowsPlaceholderTextOfFileName()
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

void TestSharedDialogs::fittedPanelWidth_data()
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

void TestSharedDialogs::fittedPanelWidth()
{
    QFETCH(int, barWidth);
    QFETCH(int, others);
    QFETCH(int, overhead);
    QFETCH(int, expected);
    QCOMPARE(FittedPanelWidth(barWidth, others, overhead), expected);
}

void TestSharedDialogs::fitStatusPanel_data()
{
    QTest::addColumn<int>("windowWidth");
    QTest::newRow("700") << 700;
    QTest::newRow("561") << 561;
    QTest::newRow("1200") << 1200;
}

void TestSharedDialogs::fitStatusPanel()
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

void TestSharedDialogs::hasDefaultRoute_data()
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

void TestSharedDialogs::hasDefaultRoute()
{
    QFETCH(QString, v4);
    QFETCH(QString, v6);
    QFETCH(bool, expected);
    QCOMPARE(HasDefaultRoute(v4, v6), expected);
}

void TestSharedDialogs::internetProbeCanBeReplaced()
{
    SetInternetConnectedProbe([] { return true; });
    QVERIFY(IsInternetConnected());
    const InternetProbe previous = SetInternetConnectedProbe([] { return false; });
    QVERIFY(!IsInternetConnected());
    QVERIFY(previous());
}

void TestSharedDialogs::lateCompletionListStaysHidden()
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

QTEST_MAIN(TestSharedDialogs)
#include "tst_shareddialogs.moc"
