#include "EditorFixture.h"

#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "MessageBoxes.h"
#include "SharedDialogs.h"
#include "TUIRectangle.h"
#include "UnitHTMLImport.h"
#include "UnitMain.h"
#include "WindowParts.h"

#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

// Save Into Page and Change Picture, through the main window's File menu.
class TestPageCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void saveIntoPageOnlyForAnImportedPage();
    void unchangedImportSavesTheSameBytes();
    void changedAreaIsTheOnlyChange();
    void changePictureKeepsTheRegions();

private:
    // Copies a fixture page into the temporary folder and imports its first map.
    QString importFixture(const QString& name);
    bool fileMenuOffersSaveIntoPage();

    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<MainWindowFixture> FFixture;
    std::unique_ptr<TFormHTMLImport> FDialog;
};

void TestPageCommands::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    FFixture = std::make_unique<MainWindowFixture>();
    QVERIFY(FFixture->Ready);
    FDialog = std::make_unique<TFormHTMLImport>(*FFixture->Window);
    // A picture to put maps without one on.
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QString path = FDir->filePath(QStringLiteral("current.png"));
    QVERIFY(picture.save(path));
    QVERIFY(FFixture->Window->LoadImage(path));
}

void TestPageCommands::cleanup()
{
    FDialog.reset();
    FFixture.reset();
    FDir.reset();
}

QString TestPageCommands::importFixture(const QString& name)
{
    const QString path = FDir->filePath(name);
    writeBytes(path, readBytes(QStringLiteral(ZQ_TEST_SOURCE_DIR "/../htmlmap/pages/") + name));
    if (!FDialog->LoadHTMLFile(path) || !FDialog->SelectEntry(0) || !FDialog->ButtonOKClick())
        qWarning("the import of %s failed", qPrintable(name));
    return path;
}

bool TestPageCommands::fileMenuOffersSaveIntoPage()
{
    // The menu decides as it opens.
    emit Find<QMenu>(*FFixture->Window, "MIFile")->aboutToShow();
    return Find<QAction>(*FFixture->Window, "MISaveIntoPage")->isEnabled();
}

void TestPageCommands::saveIntoPageOnlyForAnImportedPage()
{
    QVERIFY(Find<QMenu>(*FFixture->Window, "MIFile")
                ->actions()
                .contains(Find<QAction>(*FFixture->Window, "MISaveIntoPage")));
    QVERIFY(!fileMenuOffersSaveIntoPage());
    importFixture(QStringLiteral("upper-crlf.htm"));
    QVERIFY(Find<QAction>(*FFixture->Window, "MISaveIntoPage")->isEnabled());
    QVERIFY(fileMenuOffersSaveIntoPage());
    // A new picture starts a new document, which no page holds.
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    const QString path = FDir->filePath(QStringLiteral("other.png"));
    QVERIFY(picture.save(path));
    const DialogRunner previous = SetDialogRunner(ChooseFileRunner(path));
    // The import is unsaved work: New asks first.
    const MessageBoxRunner previousBox =
        SetMessageBoxRunner([](QMessageBox&) { return QMessageBox::Discard; });
    Find<QAction>(*FFixture->Window, "MINew")->trigger();
    SetMessageBoxRunner(previousBox);
    SetDialogRunner(previous);
    QVERIFY(!Find<QAction>(*FFixture->Window, "MISaveIntoPage")->isEnabled());
}

void TestPageCommands::unchangedImportSavesTheSameBytes()
{
    MessageBoxRunner previous = SetMessageBoxRunner([](QMessageBox& box) {
        qWarning("unexpected message: %s", qPrintable(box.text()));
        return QMessageBox::Ok;
    });
    const QString page = importFixture(QStringLiteral("upper-crlf.htm"));
    const QByteArray before = readBytes(page);
    QVERIFY(Find<QAction>(*FFixture->Window, "MISaveIntoPage")->isEnabled());
    Find<QAction>(*FFixture->Window, "MISaveIntoPage")->trigger();
    QCOMPARE(readBytes(page), before);
    SetMessageBoxRunner(previous);
}

void TestPageCommands::changedAreaIsTheOnlyChange()
{
    const QString page = importFixture(QStringLiteral("single-quoted.htm"));
    const QByteArray before = readBytes(page);
    // The second area is the one behind the front-most.
    const QList<TGUIRegion*> regions = FFixture->Scene()->Regions();
    QCOMPARE(regions.size(), 2);
    regions[0]->HRef = QStringLiteral("other.html");
    QStringList messages;
    const MessageBoxRunner previous = SetMessageBoxRunner([&](QMessageBox& box) {
        messages.append(box.text());
        return QMessageBox::Ok;
    });
    // A page imported without naming the document is unsaved work until it is written somewhere.
    QVERIFY(FFixture->Window->Document()->IsModified());
    Find<QAction>(*FFixture->Window, "MISaveIntoPage")->trigger();
    SetMessageBoxRunner(previous);
    QCOMPARE(messages, QStringList());
    QVERIFY(!FFixture->Window->Document()->IsModified());
    QByteArray expected = before;
    expected.replace("href='n2.html'", "href='other.html'");
    QCOMPARE(readBytes(page), expected);
    // Saved again, the page is what was just written: nothing moves.
    Find<QAction>(*FFixture->Window, "MISaveIntoPage")->trigger();
    QCOMPARE(readBytes(page), expected);
}

void TestPageCommands::changePictureKeepsTheRegions()
{
    importFixture(QStringLiteral("single-quoted.htm"));
    const QVector<MapArea> areas = GatherMapAreas(*FFixture->Scene());
    QImage picture(120, 90, QImage::Format_RGB32);
    picture.fill(Qt::green);
    const QString path = FDir->filePath(QStringLiteral("new.png"));
    QVERIFY(picture.save(path));
    const DialogRunner previous = SetDialogRunner(ChooseFileRunner(path));
    Find<QAction>(*FFixture->Window, "MIChangePicture")->trigger();
    SetDialogRunner(previous);
    QCOMPARE(FFixture->Window->Document()->ImageFileName(), path);
    QCOMPARE(FFixture->Window->Document()->Picture().size(), QSize(120, 90));
    QCOMPARE(FFixture->Scene()->ClientWidth(), 120);
    QVERIFY(GatherMapAreas(*FFixture->Scene()) == areas);
    QVERIFY(Find<QMenu>(*FFixture->Window, "MIFile")
                ->actions()
                .contains(Find<QAction>(*FFixture->Window, "MIChangePicture")));
}

QTEST_MAIN(TestPageCommands)
#include "tst_pagecommands.moc"
