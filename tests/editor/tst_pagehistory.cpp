#include "EditorFixture.h"

#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "MessageBoxes.h"
#include "RecoveryFile.h"
#include "RegionCommands.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "UnitHTMLImport.h"
#include "UnitMain.h"
#include "UnitProperties.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
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
    // The page is never replaced by a save the user did not aim at it.
    void saveAfterNewAsksForAName();
    void saveAfterRecoveryWritesIntoThePage();
    void saveAsOntoThePage_data();
    void saveAsOntoThePage();
    void pageChangedOnDiskIsNotOverwritten();
    void changedPictureGoesIntoThePage();

private:
    // Imports the page's only map as a file named on the command line does.
    QString importPage(const QString& name, const QByteArray& bytes);
    TFormCorvantaZonequilter& window() const { return *FFixture->Window; }
    QUndoStack& stack() const { return *window().Document()->UndoStack(); }

    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<MainWindowFixture> FFixture;
    std::unique_ptr<TFormHTMLImport> FDialog;
    QStringList FMessages;
    QMessageBox::StandardButton FAnswer = QMessageBox::Discard;
};

void TestPageHistory::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    FFixture = std::make_unique<MainWindowFixture>();
    QVERIFY(FFixture->Ready);
    FDialog = std::make_unique<TFormHTMLImport>(window());
    FMessages.clear();
    FAnswer = QMessageBox::Discard;
    SetMessageBoxRunner([this](QMessageBox& box) {
        FMessages.append(box.text());
        return FAnswer;
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

    QCOMPARE(Find<QAction>(window(), "MISave")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    Find<QAction>(window(), "MISave")->trigger();
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
    const AttributeList attributes = window().Document()->MapAttributes();
    QVERIFY(!attributes.isEmpty());
    QCOMPARE(window().Document()->PageOrigin().FileName, first);
    const QVector<MapArea> areas = GatherMapAreas(*Find<TPTGroup>(window(), "PanelScene"));
    QCOMPARE(areas.first().Attributes, AttributeList({{QStringLiteral("title"), QStringLiteral("Cook")}}));

    const QString second = importPage(
        QStringLiteral("plain.html"),
        "<img src=\"plan.png\" usemap=\"#m\">\n<map name=\"m\"><area shape=\"rect\" coords=\"5,5,9,9\" "
        "href=\"x.html\"></map>\n");
    QCOMPARE(window().Document()->MapAttributes(), AttributeList());
    QCOMPARE(window().Document()->PageOrigin().FileName, second);

    stack().undo();
    QCOMPARE(window().Document()->MapAttributes(), attributes);
    QCOMPARE(window().Document()->PageOrigin().FileName, first);
    QCOMPARE(window().Document()->MapName(), QStringLiteral("plan"));
    QVERIFY(GatherMapAreas(*Find<TPTGroup>(window(), "PanelScene")) == areas);
    // The regions know their areas in the page again: saving changes nothing in it.
    Find<QAction>(window(), "MISaveIntoPage")->trigger();
    QCOMPARE(readBytes(first), UserPage);
    stack().redo();
    QCOMPARE(window().Document()->PageOrigin().FileName, second);
    QCOMPARE(window().Document()->MapAttributes(), AttributeList());
}

void TestPageHistory::changePictureIsOneStep()
{
    importPage(QStringLiteral("shop.html"), UserPage);
    const QImage oldPicture = window().Document()->Picture();
    const QString oldName = window().Document()->ImageFileName();
    const QVector<MapArea> areas = GatherMapAreas(*Find<TPTGroup>(window(), "PanelScene"));
    QImage picture(120, 90, QImage::Format_RGB32);
    picture.fill(Qt::green);
    const QString path = FDir->filePath(QStringLiteral("new.png"));
    QVERIFY(picture.save(path));
    const int steps = stack().count();

    const DialogRunner previous = SetDialogRunner(ChooseFileRunner(path));
    Find<QAction>(window(), "MIChangePicture")->trigger();
    SetDialogRunner(previous);
    QCOMPARE(stack().count(), steps + 1);
    QCOMPARE(stack().undoText(), QStringLiteral("Change Picture"));
    QCOMPARE(window().Document()->ImageFileName(), path);
    QVERIFY(window().Document()->IsModified());

    stack().undo();
    QCOMPARE(window().Document()->ImageFileName(), oldName);
    QCOMPARE(window().Document()->Picture().size(), oldPicture.size());
    QCOMPARE(Find<TPTGroup>(window(), "PanelScene")->ClientWidth(), oldPicture.width());
    QVERIFY(GatherMapAreas(*Find<TPTGroup>(window(), "PanelScene")) == areas);
    QVERIFY(!window().Document()->IsModified());
    stack().redo();
    QCOMPARE(window().Document()->ImageFileName(), path);
    QCOMPARE(window().Document()->Picture().size(), QSize(120, 90));
    QVERIFY(GatherMapAreas(*Find<TPTGroup>(window(), "PanelScene")) == areas);
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
    Find<QAction>(window(), "TBProperties")->trigger();
    QCOMPARE(stack().count(), steps + 1);
    const auto title = [&] { return RegionArea(*document.RegionAt(front)).Attributes; };
    QCOMPARE(title(), AttributeList({{QStringLiteral("title"), QStringLiteral("Chef")}}));
    stack().undo();
    QCOMPARE(title(), AttributeList({{QStringLiteral("title"), QStringLiteral("Cook")}}));
    QVERIFY(!document.IsModified());
    stack().redo();
    QCOMPARE(title(), AttributeList({{QStringLiteral("title"), QStringLiteral("Chef")}}));
}

void TestPageHistory::saveAfterNewAsksForAName()
{
    const QString page = importPage(QStringLiteral("shop.html"), UserPage);
    QVERIFY(window().NewImageMapOn(FDir->filePath(QStringLiteral("plan.png"))));
    Find<QAction>(window(), "TBRect")->trigger();
    FFixture->Drag(20, 20, 80, 80);
    // The caption keeps the page's name, but the new map is not the page's.
    QCOMPARE(ShownTitle(window()), QStringLiteral("Corvanta Zonequilter - [%1]*").arg(page));
    int dialogs = 0;
    const DialogRunner previous = SetDialogRunner([&dialogs](QFileDialog&) {
        ++dialogs;
        return false;
    });
    FAnswer = QMessageBox::Save;
    QTest::keyClick(&window(), Qt::Key_S, Qt::ControlModifier);
    Find<QAction>(window(), "MIExit")->trigger(); // "Save" in the question before the window closes
    SetDialogRunner(previous);
    QCOMPARE(dialogs, 2);
    QCOMPARE(readBytes(page), UserPage);
    QVERIFY(window().Document()->IsModified());
}

void TestPageHistory::saveAfterRecoveryWritesIntoThePage()
{
    const QString page = importPage(QStringLiteral("shop.html"), UserPage);
    TMapDocument& document = *window().Document();
    const int front = document.RegionCount() - 1;
    const MapArea before = RegionArea(*document.RegionAt(front));
    MapArea after = before;
    after.HRef = QStringLiteral("cellar.html");
    document.Push(new TChangePropertiesCommand(document, front, before, after));
    // A killed run leaves its file behind, with nobody holding its lock.
    window().UpdateRecoveryFile();
    QTRY_VERIFY(!window().RecoveryFile()->Writing());
    const QString left = QDir(TRecoveryFile::DefaultFolder()).filePath(QStringLiteral("1-1.recovery"));
    QVERIFY(QFile::copy(window().RecoveryFile()->FilePath(), left));
    FDialog.reset();
    FFixture = std::make_unique<MainWindowFixture>();
    QVERIFY(FFixture->Ready);

    FAnswer = QMessageBox::Yes;
    QVERIFY(window().OfferRecovery());
    QCOMPARE(ShownTitle(window()), QStringLiteral("Corvanta Zonequilter - [%1]*").arg(page));
    FAnswer = QMessageBox::Save;
    Find<QAction>(window(), "MISave")->trigger();
    QByteArray expected = UserPage;
    expected.replace("href=\"kitchen.html\"", "href=\"cellar.html\"");
    QCOMPARE(readBytes(page), expected);
    QVERIFY(!window().Document()->IsModified());
    QCOMPARE(FMessages.size(), 1); // the recovery question alone
}

void TestPageHistory::saveAsOntoThePage_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("pageAfter"); // "edited", "generated" or "untouched"
    QTest::newRow("Save Into Page") << int(QMessageBox::Save) << "edited";
    QTest::newRow("Replace") << int(QMessageBox::Discard) << "generated";
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << "untouched";
}

void TestPageHistory::saveAsOntoThePage()
{
    QFETCH(int, answer);
    QFETCH(QString, pageAfter);
    const QString page = importPage(QStringLiteral("shop.html"), UserPage);
    TMapDocument& document = *window().Document();
    const int front = document.RegionCount() - 1;
    const MapArea before = RegionArea(*document.RegionAt(front));
    MapArea after = before;
    after.HRef = QStringLiteral("cellar.html");
    document.Push(new TChangePropertiesCommand(document, front, before, after));

    QMessageBox::StandardButton defaultAnswer = QMessageBox::NoButton;
    QString replaceText;
    SetMessageBoxRunner([&](QMessageBox& box) {
        FMessages.append(box.text());
        defaultAnswer = box.standardButton(box.defaultButton());
        replaceText = box.button(QMessageBox::Discard) ? box.button(QMessageBox::Discard)->text() : QString();
        return QMessageBox::StandardButton(answer);
    });
    const DialogRunner previous = SetDialogRunner(ChooseFileRunner(page));
    Find<QAction>(window(), "TBSave")->trigger(); // the toolbar's save button is Save As
    SetDialogRunner(previous);

    QCOMPARE(FMessages.size(), 1);
    QVERIFY2(FMessages.first().startsWith(QStringLiteral("\"%1\" is the page").arg(page)),
             qPrintable(FMessages.first()));
    QCOMPARE(defaultAnswer, QMessageBox::Save);
    QCOMPARE(replaceText, QStringLiteral("&Replace"));
    QByteArray edited = UserPage;
    edited.replace("href=\"kitchen.html\"", "href=\"cellar.html\"");
    const QByteArray bytes = readBytes(page);
    if (pageAfter == "edited")
        QCOMPARE(bytes, edited);
    else if (pageAfter == "untouched")
        QCOMPARE(bytes, UserPage);
    else
        QVERIFY(!bytes.contains("<!DOCTYPE") && bytes.contains("cellar.html"));
    QCOMPARE(document.IsModified(), pageAfter == "untouched");
    // Replaced, the page holds no map of the user's to write into any more.
    QCOMPARE(document.PageOrigin().IsValid(), pageAfter != "generated");
}

void TestPageHistory::pageChangedOnDiskIsNotOverwritten()
{
    const QString page = importPage(QStringLiteral("shop.html"), UserPage);
    TMapDocument& document = *window().Document();
    const int front = document.RegionCount() - 1;
    MapArea after = RegionArea(*document.RegionAt(front));
    after.HRef = QStringLiteral("cellar.html");
    document.Push(new TChangePropertiesCommand(document, front, RegionArea(*document.RegionAt(front)), after));
    // Another program edits the same map meanwhile.
    QByteArray outside = UserPage;
    outside.replace("hall.html", "lobby.html");
    writeBytes(page, outside);
    FAnswer = QMessageBox::No;
    QVERIFY(!InvokeBool(window(), "MISaveIntoPageClick"));
    QCOMPARE(readBytes(page), outside);
    QCOMPARE(FMessages.size(), 1);
    QVERIFY2(FMessages.first().startsWith(
                 QStringLiteral("The image map \"plan\" was changed in \"%1\" by another program").arg(page)),
             qPrintable(FMessages.first()));
    QVERIFY(FMessages.first().endsWith(QStringLiteral("Save the image map in another file?")));
    QVERIFY(document.IsModified());
}

void TestPageHistory::changedPictureGoesIntoThePage()
{
    const QString page = importPage(QStringLiteral("shop.html"), UserPage);
    QImage picture(120, 90, QImage::Format_RGB32);
    picture.fill(Qt::green);
    QVERIFY(picture.save(FDir->filePath(QStringLiteral("new.png"))));
    const DialogRunner previous = SetDialogRunner(ChooseFileRunner(FDir->filePath(QStringLiteral("new.png"))));
    Find<QAction>(window(), "MIChangePicture")->trigger();
    SetDialogRunner(previous);
    QVERIFY(InvokeBool(window(), "MISaveIntoPageClick"));
    QByteArray expected = UserPage;
    expected.replace("src=\"plan.png\"", "src=\"new.png\"");
    QCOMPARE(readBytes(page), expected);
    QVERIFY(!window().Document()->IsModified());
    // Undone, the old picture goes back into the page with the next save.
    window().Document()->UndoStack()->undo();
    QVERIFY(InvokeBool(window(), "MISaveIntoPageClick"));
    QCOMPARE(readBytes(page), UserPage);
    QCOMPARE(FMessages, QStringList());
}

QTEST_MAIN(TestPageHistory)
#include "tst_pagehistory.moc"
