// Files dropped on the real window, through real drag and drop events, and File > Open Recent
// across a restart of the window.
#include "AppFolder.h"
#include "MessageBoxes.h"
#include "SettingsFile.h"
#include "SharedDialogs.h"
#include "UPTFrame.h"
#include "UnitHTMLImport.h"
#include "UnitMain.h"
#include "WindowParts.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUrl>
#include <QtTest>
#include <memory>

class TestDropAndRecent : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void drop_data();
    void drop();
    void recentFilesNewestFirstAcrossRestart();
    void recentFilesGreyMissingAndClear();

private:
    QString WritePage(const QString& Name, const QString& MapName);
    std::unique_ptr<TFormCorvantaZonequilter> MakeWindow();
    // The items of File > Open Recent as shown: text, enabled.
    static QList<QPair<QString, bool>> RecentMenu(TFormCorvantaZonequilter& Window);

    std::unique_ptr<QTemporaryDir> FDir;
    QStringList FMessages;
    MessageBoxRunner FOldRunner;
};

void TestDropAndRecent::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    SetAppFolderOverride(FDir->path());
    SetSettingsFileName(QString());
    FMessages.clear();
    FOldRunner = SetMessageBoxRunner([this](QMessageBox& Box) {
        FMessages.append(Box.text());
        return QMessageBox::Ok;
    });
    QImage picture(200, 60, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(FDir->filePath("picture.png")));
}

void TestDropAndRecent::cleanup()
{
    SetMessageBoxRunner(FOldRunner);
    SetDialogRunner(DialogRunner());
    SetAppFolderOverride(QString());
    SetSettingsFileName(QString());
    FDir.reset();
}

QString TestDropAndRecent::WritePage(const QString& Name, const QString& MapName)
{
    QFile file(FDir->filePath(Name));
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(QStringLiteral("<html><body><img src=\"picture.png\" usemap=\"#%1\">\n<map name=\"%1\">"
                              "<area shape=rect coords=10,10,50,40 href=\"x.htm\"></map></body></html>\n")
                   .arg(MapName)
                   .toUtf8());
    return file.fileName();
}

std::unique_ptr<TFormCorvantaZonequilter> TestDropAndRecent::MakeWindow()
{
    auto window = std::make_unique<TFormCorvantaZonequilter>();
    window->SkipFirstPaint();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}

QList<QPair<QString, bool>> TestDropAndRecent::RecentMenu(TFormCorvantaZonequilter& Window)
{
    Invoke(Window, "MIOpenRecentPopup");
    QList<QPair<QString, bool>> items;
    for (QAction* item : Find<QMenu>(Window, "MIOpenRecent")->actions()) {
        if (!item->isSeparator())
            items.append({item->text(), item->isEnabled()});
    }
    return items;
}

void TestDropAndRecent::drop_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("mapName");
    QTest::addColumn<QSize>("bitmapSize");

    QTest::newRow("picture on the Edit tab: new map") << "picture.png"
                                                      << "edit" << true << "ImageMap" << QSize(200, 60);
    QTest::newRow("picture on the Source tab: refused") << "picture.png"
                                                        << "source" << false << "ImageMap" << QSize(105, 105);
    QTest::newRow("picture on the toolbar: refused") << "picture.png"
                                                     << "toolbar" << false << "ImageMap" << QSize(105, 105);
    QTest::newRow("HTML on the Edit tab: imported") << "page.htm"
                                                    << "edit" << true << "Dropped" << QSize(200, 60);
    QTest::newRow("HTML on the Source tab: imported") << "page.htm"
                                                      << "source" << true << "Dropped" << QSize(200, 60);
    QTest::newRow("HTML on the toolbar: imported") << "page.htm"
                                                   << "toolbar" << true << "Dropped" << QSize(200, 60);
    QTest::newRow("text file: refused") << "notes.txt"
                                        << "edit" << false << "ImageMap" << QSize(105, 105);
    QTest::newRow("two files: refused") << "page.htm picture.png"
                                        << "edit" << false << "ImageMap" << QSize(105, 105);
}

void TestDropAndRecent::drop()
{
    QFETCH(QString, file);
    QFETCH(QString, target);
    QFETCH(bool, accepted);
    QFETCH(QString, mapName);
    QFETCH(QSize, bitmapSize);

    QVERIFY(!WritePage("page.htm", "Dropped").isEmpty());
    {
        QFile notes(FDir->filePath("notes.txt"));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("just some words\n");
    }
    const auto window = MakeWindow();
    QVERIFY(window);
    QWidget* page =
        target == "edit" ? Find<QWidget>(*window, "TabSheetEdit") : Find<QWidget>(*window, "TabSheetSource");
    Find<QTabWidget>(*window, "PageControl")->setCurrentWidget(page);
    QWidget* over = target == "toolbar" ? static_cast<QWidget*>(Find<QToolBar>(*window, "TBToolbar")) : page;
    const QPoint pos = over->mapTo(window.get(), over->rect().center());

    QList<QUrl> urls;
    for (const QString& name : file.split(' '))
        urls.append(QUrl::fromLocalFile(FDir->filePath(name)));
    QMimeData data;
    data.setUrls(urls);
    // Only the window takes drops; the events reach it as they do from the desktop.
    QDragEnterEvent enter(pos, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    QDragMoveEvent move(pos, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &move);
    QCOMPARE(move.isAccepted(), accepted);
    QDropEvent dropped(QPointF(pos), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &dropped);
    QCOMPARE(dropped.isAccepted(), accepted);
    if (accepted)
        QCOMPARE(dropped.dropAction(), Qt::CopyAction);

    QTRY_COMPARE(window->Document()->Picture().size(), bitmapSize);
    QCOMPARE(window->Document()->MapName(), mapName);
    QCOMPARE(Find<TPTGroup>(*window, "PanelScene")->Regions().size(), mapName == "Dropped" ? 1 : 0);
    if (accepted)
        QCOMPARE(Find<QTabWidget>(*window, "PageControl")->currentWidget(),
                 Find<QWidget>(*window, "TabSheetEdit"));
    QVERIFY2(FMessages.isEmpty(), qPrintable(FMessages.join('\n')));
}

void TestDropAndRecent::recentFilesNewestFirstAcrossRestart()
{
    QStringList pages;
    for (int i = 1; i <= 9; ++i)
        pages.append(WritePage(QStringLiteral("page%1.htm").arg(i), QStringLiteral("Map%1").arg(i)));
    const QString saved = FDir->filePath("saved.htm");
    {
        const auto window = MakeWindow();
        QVERIFY(window);
        TFormHTMLImport import(*window);
        // Nine imports (one of them twice) and a Save As: the eight newest, newest first, each once.
        for (const QString& page : pages)
            QVERIFY(import.ImportNamedFile(page));
        QVERIFY(import.ImportNamedFile(pages.at(4)));
        SetDialogRunner(ChooseFileRunner(saved));
        InvokeBool(*window, "MISaveAsClick");
        QVERIFY(QFile::exists(saved));
    }
    const QStringList expected{saved,       pages.at(4), pages.at(8), pages.at(7),
                               pages.at(6), pages.at(5), pages.at(3), pages.at(2)};

    // A new window, as after a restart.
    const auto window = MakeWindow();
    QVERIFY(window);
    TFormHTMLImport import(*window);
    QCOMPARE(window->RecentFiles(), expected);
    const QList<QPair<QString, bool>> menu = RecentMenu(*window);
    QCOMPARE(menu.size(), 9);
    QCOMPARE(menu.first(), qMakePair("&1 " + saved, true));
    QCOMPARE(menu.at(7), qMakePair("&8 " + pages.at(2), true));
    QCOMPARE(menu.last(), qMakePair(QStringLiteral("Clear List"), true));

    // Choosing an entry imports it, and it moves to the top.
    Find<QMenu>(*window, "MIOpenRecent")->actions().at(2)->trigger();
    QCOMPARE(window->Document()->MapName(), QStringLiteral("Map9"));
    QCOMPARE(window->RecentFiles().first(), pages.at(8));
    QVERIFY2(FMessages.isEmpty(), qPrintable(FMessages.join('\n')));
}

void TestDropAndRecent::recentFilesGreyMissingAndClear()
{
    const QString kept = WritePage("kept.htm", "Kept");
    const QString gone = WritePage("gone.htm", "Gone");
    {
        const auto window = MakeWindow();
        QVERIFY(window);
        TFormHTMLImport import(*window);
        QVERIFY(import.ImportNamedFile(gone));
        QVERIFY(import.ImportNamedFile(kept));
        // The demonstration map is not a file the user opened.
        QVERIFY(import.LoadHTMLFile(kept) && import.SelectEntry(0) && import.ButtonOKClick());
        QCOMPARE(window->RecentFiles(), (QStringList{kept, gone}));
    }
    QVERIFY(QFile::remove(gone));

    {
        const auto window = MakeWindow();
        QVERIFY(window);
        QCOMPARE(
            RecentMenu(*window),
            (QList<QPair<QString, bool>>{{"&1 " + kept, true}, {"&2 " + gone, false}, {"Clear List", true}}));
        window->findChild<QAction*>("MIClearRecent")->trigger();
        QCOMPARE(RecentMenu(*window), (QList<QPair<QString, bool>>{{"Clear List", false}}));
    }
    const auto window = MakeWindow();
    QVERIFY(window);
    QVERIFY(window->RecentFiles().isEmpty());
}

QTEST_MAIN(TestDropAndRecent)
#include "tst_dropandrecent.moc"
