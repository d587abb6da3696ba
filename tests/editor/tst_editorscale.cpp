// Importing and clearing big maps through the real window: the cost per area stays in the regions' own
// items, with no grab handles and no question to the window system about the pointer.
#include "EditorFixture.h"
#include "ImageMapWriter.h"
#include "PointerQueries.h"
#include "UnitHTMLImport.h"

#include <QFile>
#include <QtTest>

class TestScale : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void importAndClearAskNoPointerPosition_data();
    void importAndClearAskNoPointerPosition();

private:
    // A page with Count areas (rectangles, circles and triangles in turn) on a 300 x 200 picture.
    QString writeMap(int count);
    bool import(const QString& page);

    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<MainWindowFixture> FFixture;
};

void TestScale::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    FFixture = std::make_unique<MainWindowFixture>();
    QVERIFY(FFixture->Ready);
    // As when the pointer rests over the scene: Qt then asks for its position whenever an item in the
    // scene gets a cursor.
    FFixture->Scene()->setAttribute(Qt::WA_UnderMouse);
}

void TestScale::cleanup()
{
    FFixture.reset();
    FDir.reset();
}

QString TestScale::writeMap(int count)
{
    const QString picture = FDir->filePath(QStringLiteral("map.png"));
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.save(picture, "PNG");
    QVector<MapArea> areas;
    for (int i = 0; i < count; ++i) {
        const int x = (i * 37) % 250, y = (i * 53) % 150;
        switch (i % 3) {
        case 0:
            areas.append(MapArea::rectangle(x, y, 40, 30));
            break;
        case 1:
            areas.append(MapArea::circle(x, y, 30, 30));
            break;
        default:
            areas.append(MapArea::polygon({QPoint(x, y), QPoint(x + 30, y), QPoint(x + 15, y + 40)}));
            break;
        }
    }
    const QString page = FDir->filePath(QStringLiteral("map%1.htm").arg(count));
    QFile file(page);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(BuildImageMapHTML(picture, QStringLiteral("Map"), areas).toUtf8());
    return page;
}

bool TestScale::import(const QString& page)
{
    TFormHTMLImport* dialog = FFixture->Window->ImportDialog();
    return dialog->LoadHTMLFile(page) && dialog->SelectEntry(0) && dialog->ButtonOKClick();
}

void TestScale::importAndClearAskNoPointerPosition_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("30") << 30;
    QTest::newRow("3,000") << 3000;
}

void TestScale::importAndClearAskNoPointerPosition()
{
    QFETCH(int, count);
    const QString page = writeMap(count);
    QVERIFY(FFixture->Scene()->underMouse());
    const int before = PointerQueries();
    // The second import clears the first one's regions.
    QVERIFY(import(page));
    QVERIFY(import(page));
    QCOMPARE(FFixture->Regions().size(), count);
    // The polygon and trace tools' overlays and the marks of a selection of several regions.
    QCOMPARE(FFixture->Scene()->HandleLayer()->childItems().size(), 3);
    QCOMPARE(PointerQueries() - before, 0);
}

QTEST_MAIN(TestScale)
#include "tst_editorscale.moc"
