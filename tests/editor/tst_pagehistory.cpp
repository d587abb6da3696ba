#include "EditorFixture.h"

#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "MessageBoxes.h"
#include "RegionCommands.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "UnitHTMLImport.h"
#include "UnitMain.h"
#include "UnitProperties.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>

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

// A page of the user's with much besides its map.
const QByteArray UserPage =
    "<!DOCTYPE html>\r\n<html><head><title>Shop</title>\r\n"
    "<script>var hotspots = 2; // counted by hand</script>\r\n"
    "<style>img { border: 0 }</style></head>\r\n<body>\r\n"
    "<!-- the floor plan -->\r\n<p class=\"intro\">Welcome, <b>visitor</b>.</p>\r\n"
    "<img src=\"plan.png\" usemap=\"#plan\" width=\"200\" height=\"100\">\r\n"
    "<map name=\"plan\" id=\"floor\" class=\"rooms\">\r\n"
    "  <area shape=\"rect\" coords=\"1,1,20,20\" href=\"kitchen.html\" alt=\"Kitchen\" "
    "title=\"Cook\">\r\n"
    "  <area shape=\"rect\" coords=\"30,1,50,20\" href=\"hall.html\" alt=\"Hall\">\r\n"
    "</map>\r\n<p>Opening hours: 9&ndash;17</p>\r\n</body></html>\r\n";

} // namespace

// What the document's history and its saving make of an imported page: Save keeps the page, an
// import's undo brings back what the import replaced, Change Picture and the title are steps.
class TestPageHistory : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void saveOfAnImportedPageWritesOnlyTheMap();
    void undoOfAnImportRestoresMapAttributesAndPage();
    void changePictureIsOneStep();
    void titleIsPartOfTheTextsStep();

private:
    // Imports the page's only map as a file named on the command line does.
    QString importPage(const QString& name, const QByteArray& bytes);
    TFormCorvantaZonequilter& window() const { return *FFixture->Window; }
    QUndoStack& stack() const { return *window().Document()->UndoStack(); }

    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<MainWindowFixture> FFixture;
    std::unique_ptr<TFormHTMLImport> FDialog;
    QStringList FMessages;
};

void TestPageHistory::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    FFixture = std::make_unique<MainWindowFixture>();
    QVERIFY(FFixture->Ready);
    FDialog = std::make_unique<TFormHTMLImport>(window());
    FMessages.clear();
    SetMessageBoxRunner([this](QMessageBox& box) {
        FMessages.append(box.text());
        return QMessageBox::Discard;
    });
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QVERIFY(picture.save(FDir->filePath(QStringLiteral("plan.png"))));
}

void TestPageHistory::cleanup()
{
    SetMessageBoxRunner({});
    FDialog.reset();
    FFixture.reset();
    FDir.reset();
}

QString TestPageHistory::importPage(const QString& name, const QByteArray& bytes)
{
    const QString path = FDir->filePath(name);
    writeBytes(path, bytes);
    if (!FDialog->ImportNamedFile(path))
        qWarning("the import of %s failed", qPrintable(name));
    return path;
}

void TestPageHistory::saveOfAnImportedPageWritesOnlyTheMap()
{
    const QString page = importPage(QStringLiteral("shop.html"), UserPage);
    QCOMPARE(SharedSaveDialog()->FileName(), page);
    QVERIFY(!window().Document()->IsModified());
    // The front-most region is the page's first area.
    TMapDocument& document = *window().Document();
    const int front = document.RegionCount() - 1;
    const MapArea before = RegionArea(*document.RegionAt(front));
    MapArea after = before;
    after.HRef = QStringLiteral("cellar.html");
    document.Push(new TChangePropertiesCommand(document, front, before, after));
    QVERIFY(document.IsModified());

    QCOMPARE(window().MISave->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    window().MISave->trigger();
    QCOMPARE(FMessages, QStringList());
    QByteArray expected = UserPage;
    expected.replace("href=\"kitchen.html\"", "href=\"cellar.html\"");
    QCOMPARE(readBytes(page), expected);
    QVERIFY(!document.IsModified());
    QCOMPARE(ShownTitle(window()), QStringLiteral("Corvanta Zonequilter - [%1]").arg(page));
}

void TestPageHistory::undoOfAnImportRestoresMapAttributesAndPage()
{
    const QString first = importPage(QStringLiteral("shop.html"), UserPage);
    const AttributeList attributes = window().FMapAttributes;
    QVERIFY(!attributes.isEmpty());
    QCOMPARE(window().FPageOrigin.FileName, first);
    const QVector<MapArea> areas = GatherMapAreas(*window().PanelScene);
    QCOMPARE(areas.first().Attributes, AttributeList({{QStringLiteral("title"), QStringLiteral("Cook")}}));

    const QString second = importPage(
        QStringLiteral("plain.html"),
        "<img src=\"plan.png\" usemap=\"#m\">\n<map name=\"m\"><area shape=\"rect\" coords=\"5,5,9,9\" "
        "href=\"x.html\"></map>\n");
    QCOMPARE(window().FMapAttributes, AttributeList());
    QCOMPARE(window().FPageOrigin.FileName, second);

    stack().undo();
    QCOMPARE(window().FMapAttributes, attributes);
    QCOMPARE(window().FPageOrigin.FileName, first);
    QCOMPARE(window().FMapName, QStringLiteral("plan"));
    QVERIFY(GatherMapAreas(*window().PanelScene) == areas);
    // The regions know their areas in the page again: saving changes nothing in it.
    window().MISaveIntoPage->trigger();
    QCOMPARE(readBytes(first), UserPage);
    stack().redo();
    QCOMPARE(window().FPageOrigin.FileName, second);
    QCOMPARE(window().FMapAttributes, AttributeList());
}

void TestPageHistory::changePictureIsOneStep()
{
    importPage(QStringLiteral("shop.html"), UserPage);
    const QImage oldPicture = window().FBitmap;
    const QString oldName = window().FImageFileName;
    const QVector<MapArea> areas = GatherMapAreas(*window().PanelScene);
    QImage picture(120, 90, QImage::Format_RGB32);
    picture.fill(Qt::green);
    const QString path = FDir->filePath(QStringLiteral("new.png"));
    QVERIFY(picture.save(path));
    const int steps = stack().count();

    const DialogRunner previous = SetDialogRunner(ChooseFileRunner(path));
    window().MIChangePicture->trigger();
    SetDialogRunner(previous);
    QCOMPARE(stack().count(), steps + 1);
    QCOMPARE(stack().undoText(), QStringLiteral("Change Picture"));
    QCOMPARE(window().FImageFileName, path);
    QVERIFY(window().Document()->IsModified());

    stack().undo();
    QCOMPARE(window().FImageFileName, oldName);
    QCOMPARE(window().FBitmap.size(), oldPicture.size());
    QCOMPARE(window().PanelScene->ClientWidth(), oldPicture.width());
    QVERIFY(GatherMapAreas(*window().PanelScene) == areas);
    QVERIFY(!window().Document()->IsModified());
    stack().redo();
    QCOMPARE(window().FImageFileName, path);
    QCOMPARE(window().FBitmap.size(), QSize(120, 90));
    QVERIFY(GatherMapAreas(*window().PanelScene) == areas);
}

void TestPageHistory::titleIsPartOfTheTextsStep()
{
    importPage(QStringLiteral("shop.html"), UserPage);
    TMapDocument& document = *window().Document();
    const int front = document.RegionCount() - 1;
    document.Select(front);
    const int steps = stack().count();
    TFormProperties* dialog = window().PropertiesDialog();
    QTimer::singleShot(0, dialog, [dialog] {
        dialog->EditTitle->selectAll();
        QTest::keyClicks(dialog->EditTitle, QStringLiteral("Chef"));
        QTest::mouseClick(dialog->ButtonOk, Qt::LeftButton);
    });
    window().TBProperties->trigger();
    QCOMPARE(stack().count(), steps + 1);
    const auto title = [&] { return RegionArea(*document.RegionAt(front)).Attributes; };
    QCOMPARE(title(), AttributeList({{QStringLiteral("title"), QStringLiteral("Chef")}}));
    stack().undo();
    QCOMPARE(title(), AttributeList({{QStringLiteral("title"), QStringLiteral("Cook")}}));
    QVERIFY(!document.IsModified());
    stack().redo();
    QCOMPARE(title(), AttributeList({{QStringLiteral("title"), QStringLiteral("Chef")}}));
}

QTEST_MAIN(TestPageHistory)
#include "tst_pagehistory.moc"
