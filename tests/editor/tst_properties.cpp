#include "UnitProperties.h"

#include "SharedDialogs.h"
#include "TSharedFileDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

Q_DECLARE_METATYPE(MapArea)

// Acts on the dialog once it runs modally, then closes it the way the test says.
static void whenShown(TFormProperties& dialog, std::function<void()> act)
{
    QTimer::singleShot(0, &dialog, [&dialog, act] {
        QVERIFY(dialog.isVisible());
        act();
    });
}

class TestProperties : public QObject
{
    Q_OBJECT

private slots:
    void layout();
    void labelsAreNotCutShort();
    void okCopiesTheEditsBack();
    void cancelChangesNothing();
    void closeBoxCountsAsCancel();
    void escapeCountsAsCancel();
    void topOvertypedKeepsTheTypedName();
    void twoLineAltTextKeepsItsLineBreak();
    void enterInEditHRefClosesWithOk();
    void theFirstDialogIsTheProgramsDialog();
    void browseSetsTheChosenPath();
    void browseCancelledKeepsTheText();
    void titleEditedOtherAttributesShown_data();
    void titleEditedOtherAttributesShown();
    void coordinatesSitBelowTheTexts_data();
    void coordinatesSitBelowTheTexts();
};

void TestProperties::layout()
{
    TFormProperties dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Properties"));
    QCOMPARE(dialog.EditHRef->geometry(), QRect(88, 16, 209, 21));
    QCOMPARE(dialog.ButtonHRef->text(), QStringLiteral("..."));
    QCOMPARE(dialog.EditTarget->count(), 4);
    QStringList items;
    for (int i = 0; i < dialog.EditTarget->count(); ++i)
        items << dialog.EditTarget->itemText(i);
    QCOMPARE(items, QStringList({"_blank", "_parent", "_self", "_top"}));
    QVERIFY(dialog.EditTarget->isEditable());
    QCOMPARE(dialog.ButtonOk->text(), QStringLiteral("OK"));
    QVERIFY(dialog.ButtonOk->isDefault());
    QCOMPARE(dialog.ButtonCancel->text(), QStringLiteral("Cancel"));
    QCOMPARE(dialog.PageControl->tabText(0), QStringLiteral("Settings"));
    QCOMPARE(dialog.Panel1->text(), QStringLiteral("Alterate Text:"));
    QCOMPARE(dialog.Panel2->text(), QStringLiteral("Target Frame:"));
    QCOMPARE(dialog.Panel3->text(), QStringLiteral("URL Address:"));
    QCOMPARE(dialog.findChild<QLineEdit*>("EditHRef"), dialog.EditHRef);
}

void TestProperties::labelsAreNotCutShort()
{
    TFormProperties dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QList<QPair<QLabel*, QWidget*>> rows = {{dialog.Panel3, dialog.EditHRef},
                                                  {dialog.Panel2, dialog.EditTarget},
                                                  {dialog.Panel1, dialog.EditAltText}};
    for (const auto& [label, edit] : rows) {
        // "Target Frame:" once lost its colon in its 73-pixel panel.
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                 qPrintable(label->text()));
        QCOMPARE(label->x(), 8);
        QVERIFY(label->width() >= 73);
        QVERIFY(label->geometry().right() < edit->x());
    }
}

void TestProperties::okCopiesTheEditsBack()
{
    TFormProperties dialog;
    dialog.HRef = "http://a.example/";
    dialog.Target = "_self";
    dialog.AltText = "Old";
    whenShown(dialog, [&] {
        QCOMPARE(dialog.EditHRef->text(), QStringLiteral("http://a.example/"));
        QCOMPARE(dialog.EditTarget->currentText(), QStringLiteral("_self"));
        QCOMPARE(dialog.EditAltText->toPlainText(), QStringLiteral("Old"));
        dialog.EditHRef->selectAll();
        QTest::keyClicks(dialog.EditHRef, "page.htm");
        dialog.EditAltText->selectAll();
        QTest::keyClicks(dialog.EditAltText, "New");
        QTest::mouseClick(dialog.ButtonOk, Qt::LeftButton);
    });
    QVERIFY(dialog.RunDialog());
    QCOMPARE(dialog.HRef, QStringLiteral("page.htm"));
    QCOMPARE(dialog.Target, QStringLiteral("_self"));
    QCOMPARE(dialog.AltText, QStringLiteral("New"));
}

void TestProperties::cancelChangesNothing()
{
    TFormProperties dialog;
    dialog.HRef = "h";
    dialog.Target = "t";
    dialog.AltText = "a";
    whenShown(dialog, [&] {
        QTest::keyClicks(dialog.EditHRef, "xx");
        dialog.EditTarget->lineEdit()->selectAll();
        QTest::keyClicks(dialog.EditTarget->lineEdit(), "frame");
        QTest::keyClicks(dialog.EditAltText, "yy");
        QTest::mouseClick(dialog.ButtonCancel, Qt::LeftButton);
    });
    QVERIFY(!dialog.RunDialog());
    QCOMPARE(dialog.HRef, QStringLiteral("h"));
    QCOMPARE(dialog.Target, QStringLiteral("t"));
    QCOMPARE(dialog.AltText, QStringLiteral("a"));

    // The next use starts from the strings, not from what was typed before.
    whenShown(dialog, [&] {
        QCOMPARE(dialog.EditHRef->text(), QStringLiteral("h"));
        QCOMPARE(dialog.EditTarget->currentText(), QStringLiteral("t"));
        QCOMPARE(dialog.EditAltText->toPlainText(), QStringLiteral("a"));
        dialog.reject();
    });
    QVERIFY(!dialog.RunDialog());
}

void TestProperties::closeBoxCountsAsCancel()
{
    TFormProperties dialog;
    dialog.HRef = "h";
    whenShown(dialog, [&] {
        QTest::keyClicks(dialog.EditHRef, "xx");
        dialog.close();
    });
    QVERIFY(!dialog.RunDialog());
    QCOMPARE(dialog.HRef, QStringLiteral("h"));
}

void TestProperties::escapeCountsAsCancel()
{
    TFormProperties dialog;
    dialog.AltText = "a";
    whenShown(dialog, [&] {
        dialog.EditAltText->setFocus();
        QTest::keyClicks(dialog.EditAltText, "zz");
        QTest::keyClick(dialog.EditAltText, Qt::Key_Escape);
    });
    QVERIFY(!dialog.RunDialog());
    QCOMPARE(dialog.AltText, QStringLiteral("a"));
}

void TestProperties::topOvertypedKeepsTheTypedName()
{
    TFormProperties dialog;
    whenShown(dialog, [&] {
        dialog.EditTarget->setCurrentIndex(3);
        QCOMPARE(dialog.EditTarget->currentText(), QStringLiteral("_top"));
        QLineEdit* edit = dialog.EditTarget->lineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "myframe");
        QTest::keyClick(edit, Qt::Key_Return);
        // Enter in the combo box's text takes the default button.
        if (dialog.isVisible())
            QTest::mouseClick(dialog.ButtonOk, Qt::LeftButton);
    });
    QVERIFY(dialog.RunDialog());
    QCOMPARE(dialog.Target, QStringLiteral("myframe"));
    // The typed name is not added to the list.
    QCOMPARE(dialog.EditTarget->count(), 4);
}

void TestProperties::twoLineAltTextKeepsItsLineBreak()
{
    TFormProperties dialog;
    dialog.AltText = "";
    whenShown(dialog, [&] {
        dialog.EditAltText->setFocus();
        QTest::keyClicks(dialog.EditAltText, "first");
        QTest::keyClick(dialog.EditAltText, Qt::Key_Return);
        QTest::keyClicks(dialog.EditAltText, "second");
        // Enter made a line break, so the dialog is still open.
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(dialog.ButtonOk, Qt::LeftButton);
    });
    QVERIFY(dialog.RunDialog());
    QCOMPARE(dialog.AltText, QStringLiteral("first\nsecond"));
}

void TestProperties::enterInEditHRefClosesWithOk()
{
    TFormProperties dialog;
    whenShown(dialog, [&] {
        dialog.EditHRef->setFocus();
        QTest::keyClicks(dialog.EditHRef, "x.htm");
        QTest::keyClick(dialog.EditHRef, Qt::Key_Return);
    });
    QVERIFY(dialog.RunDialog());
    QCOMPARE(dialog.HRef, QStringLiteral("x.htm"));
}

void TestProperties::theFirstDialogIsTheProgramsDialog()
{
    QVERIFY(!FormProperties);
    {
        TFormProperties first;
        TFormProperties second;
        QCOMPARE(FormProperties, &first);
    }
    QVERIFY(!FormProperties);
}

void TestProperties::browseSetsTheChosenPath()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString chosen = dir.filePath("linked page.html");
    QFile file(chosen);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    QString seenFolder;
    DialogRunner previous = SetDialogRunner([&](QFileDialog& d) {
        seenFolder = d.directory().absolutePath();
        d.selectFile(chosen);
        return true;
    });
    TFormProperties dialog;
    dialog.HRef = dir.filePath("old.htm");
    whenShown(dialog, [&] {
        QTest::mouseClick(dialog.ButtonHRef, Qt::LeftButton);
        QCOMPARE(dialog.EditHRef->text(), chosen);
        // The "..." button is no default button: the dialog stays open.
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(dialog.ButtonOk, Qt::LeftButton);
    });
    QVERIFY(dialog.RunDialog());
    SetDialogRunner(previous);
    QCOMPARE(dialog.HRef, chosen);
    QCOMPARE(seenFolder, QDir(dir.path()).absolutePath());
    QCOMPARE(SharedOpenDialog()->Filter(),
             QStringLiteral("HTML Files (*.htm)|*.htm;*.html;*.shtml;*.asp|All Files (*.*)|*.*|"));
    QCOMPARE(SharedOpenDialog()->DefaultExt(), QString());
}

void TestProperties::browseCancelledKeepsTheText()
{
    DialogRunner previous = SetDialogRunner(CancelDialogRunner());
    TFormProperties dialog;
    dialog.HRef = "http://keep.example/";
    whenShown(dialog, [&] {
        QTest::mouseClick(dialog.ButtonHRef, Qt::LeftButton);
        QCOMPARE(dialog.EditHRef->text(), QStringLiteral("http://keep.example/"));
        QTest::mouseClick(dialog.ButtonOk, Qt::LeftButton);
    });
    QVERIFY(dialog.RunDialog());
    SetDialogRunner(previous);
    QCOMPARE(dialog.HRef, QStringLiteral("http://keep.example/"));
}

void TestProperties::titleEditedOtherAttributesShown_data()
{
    using List = QVector<QPair<QString, QString>>;
    QTest::addColumn<List>("attributes");
    QTest::addColumn<QString>("typed"); // replaces the title; null leaves it alone
    QTest::addColumn<List>("result");
    const List kept{{"id", "a1"}, {"title", "Old"}, {"nohref", ""}};
    QTest::newRow("changed in its place")
        << kept << "New" << List{{"id", "a1"}, {"title", "New"}, {"nohref", ""}};
    QTest::newRow("emptied goes") << kept << "" << List{{"id", "a1"}, {"nohref", ""}};
    QTest::newRow("untouched stays") << kept << QString() << kept;
    QTest::newRow("new goes last") << List{{"id", "a1"}} << "Hi" << List{{"id", "a1"}, {"title", "Hi"}};
    QTest::newRow("none stays none") << List{} << QString() << List{};
}

void TestProperties::titleEditedOtherAttributesShown()
{
    using List = QVector<QPair<QString, QString>>;
    QFETCH(List, attributes);
    QFETCH(QString, typed);
    QFETCH(List, result);
    TFormProperties dialog;
    dialog.Attributes = attributes;
    whenShown(dialog, [&] {
        QCOMPARE(dialog.PanelTitle->text(), QStringLiteral("Title:"));
        QVERIFY(dialog.EditTitle->y() > dialog.EditAltText->geometry().bottom());
        QVERIFY(dialog.MemoOther->isReadOnly());
        if (attributes.size() == 3) {
            QCOMPARE(dialog.EditTitle->text(), QStringLiteral("Old"));
            QCOMPARE(dialog.MemoOther->toPlainText(), QStringLiteral("id=\"a1\"\nnohref"));
        }
        if (!typed.isNull()) {
            dialog.EditTitle->selectAll();
            if (typed.isEmpty())
                QTest::keyClick(dialog.EditTitle, Qt::Key_Delete);
            else
                QTest::keyClicks(dialog.EditTitle, typed);
        }
        QTest::mouseClick(dialog.ButtonOk, Qt::LeftButton);
    });
    QVERIFY(dialog.RunDialog());
    QCOMPARE(dialog.Attributes, result);
}

QTEST_MAIN(TestProperties)
#include "tst_properties.moc"

void TestProperties::coordinatesSitBelowTheTexts_data()
{
    QTest::addColumn<MapArea>("geometry");
    QTest::addColumn<int>("shown");
    QTest::newRow("rectangle") << MapArea::rectangle(10, 20, 30, 40) << 4;
    QTest::newRow("circle") << MapArea::circle(10, 20, 30, 30) << 3;
    QTest::newRow("polygon") << MapArea::polygon({{1, 2}, {3, 4}, {5, 6}}) << 1;
}

void TestProperties::coordinatesSitBelowTheTexts()
{
    QFETCH(MapArea, geometry);
    QFETCH(int, shown);
    TFormProperties dialog;
    dialog.Geometry = geometry;
    whenShown(dialog, [&] {
        int visible = 0;
        for (QLabel* label : dialog.TabSheetSettings->findChildren<QLabel*>()) {
            QWidget* edit = dialog.TabSheetSettings->findChild<QWidget*>(
                label->objectName().replace(QLatin1String("Panel"), QLatin1String("Edit")));
            if (!edit || !edit->isVisible() || label == dialog.PanelTitle || label == dialog.PanelOther)
                continue;
            ++visible;
            QVERIFY(label->isVisible());
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                     qPrintable(label->text()));
            QVERIFY(label->geometry().right() < edit->x());
            QVERIFY(edit->y() > dialog.MemoOther->geometry().bottom());
            QVERIFY(dialog.TabSheetSettings->rect().contains(edit->geometry()));
        }
        QCOMPARE(visible, shown);
        dialog.reject();
    });
    QVERIFY(!dialog.RunDialog());
}
