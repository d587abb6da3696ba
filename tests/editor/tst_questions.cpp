// Questions the work waits for, answered as a person answers them: a while after they show, by
// the button under the pointer or by the keyboard. The work's progress dialog must not be in the way.
#include "ImportTestCase.h"

#include "LongTask.h"
#include "PersonAnswer.h"
#include "WindowParts.h"

#include <QAbstractButton>
#include <QProgressDialog>
#include <QThread>
#include <unistd.h>

class TestQuestions : public ImportTestCase
{
    Q_OBJECT

private slots:
    void importNotesAnsweredAfterAWhile_data();
    void importNotesAnsweredAfterAWhile();
    void saveIntoReadOnlyPageAnsweredAfterAWhile();
    void progressComesBackAfterTheAnswer();

private:
    QString notesPage()
    {
        writePicture(QStringLiteral("pic.png"), 120, 90);
        return writeMapPage(QStringLiteral("notes.htm"), QStringLiteral("pic.png"), QStringLiteral("M"),
                            areaLine(QStringLiteral("rect"), QStringLiteral("1,1,9,9")) +
                                QStringLiteral("<area coords=\"20,20,40,40\" href=\"m.htm\">\n") +
                                areaLine(QStringLiteral("default"), QString(), QStringLiteral("d.htm")));
    }
    static QList<QWidget*> VisibleProgressDialogs()
    {
        QList<QWidget*> shown;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<QProgressDialog*>(window) && window->isVisible())
                shown.append(window);
        return shown;
    }
};

void TestQuestions::importNotesAnsweredAfterAWhile_data()
{
    QTest::addColumn<bool>("import");
    QTest::addColumn<int>("key");
    QTest::newRow("Import clicked") << true << 0;
    QTest::newRow("Return pressed") << true << int(Qt::Key_Return);
    QTest::newRow("Cancel clicked") << false << 0;
}

void TestQuestions::importNotesAnsweredAfterAWhile()
{
    QFETCH(bool, import);
    QFETCH(int, key);
    MessageRecorder messages;
    TFormCorvantaZonequilter& w = *FFixture->Window;
    const QString page = notesPage();
    const DocumentState before = DocumentState::Of(w);
    // As from the command line: the page's one map is imported without the list of maps.
    TPersonAnswer answer([import](QWidget* Dialog) -> QAbstractButton* {
        auto* notes = qobject_cast<TFormImportNotes*>(Dialog);
        return notes ? (import ? notes->ButtonImport : notes->ButtonCancel) : nullptr;
    });
    answer.AnswerByKey(key);
    const bool imported = FDialog->ImportNamedFile(page);
    QVERIFY2(answer.Answered(), qPrintable(answer.Failure() + QString::number(imported)));
    QCOMPARE(imported, import);
    // The work is over: no progress dialog stays behind.
    QCOMPARE(VisibleProgressDialogs(), QList<QWidget*>());
    // Calling it off was the user's own choice: nothing is said about it.
    QCOMPARE(messages.Messages.size(), 0);
    if (import) {
        QCOMPARE(Find<TPTGroup>(w, "PanelScene")->Regions().size(), 2);
        QCOMPARE(w.Document()->MapName(), QStringLiteral("M"));
    } else {
        before.Compare(DocumentState::Of(w));
    }
}

void TestQuestions::saveIntoReadOnlyPageAnsweredAfterAWhile()
{
    TFormCorvantaZonequilter& w = *FFixture->Window;
    const QString page =
        writeMapPage(QStringLiteral("page.htm"), QStringLiteral("pic.png"), QStringLiteral("M"),
                     areaLine(QStringLiteral("rect"), QStringLiteral("1,1,9,9"), "a.htm"));
    writePicture(QStringLiteral("pic.png"), 50, 40);
    QVERIFY(FDialog->ImportNamedFile(page));
    Find<TPTGroup>(w, "PanelScene")->Regions().first()->HRef = QStringLiteral("b.htm");
    QFile file(page);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    // The page and its folder may be read by anybody and written by nobody.
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadOther | QFile::ReadGroup;
    const QFile::Permissions traversable = QFile::ExeOwner | QFile::ExeOther | QFile::ExeGroup;
    QVERIFY(QFile::setPermissions(FDir->path(), readable | traversable));
    QVERIFY(QFile::setPermissions(page, readable));
    // Permissions bind the superuser only once it acts as somebody else.
    const bool root = geteuid() == 0;
    if (root)
        QCOMPARE(seteuid(65534), 0);

    TPersonAnswer answer(TPersonAnswer::MessageBoxButton(QMessageBox::Ok));
    const bool saved = InvokeBool(w, "MISaveIntoPageClick");
    if (root)
        QCOMPARE(seteuid(0), 0);
    QFile::setPermissions(FDir->path(), readable | traversable | QFile::WriteOwner);
    QVERIFY2(answer.Answered(), qPrintable(answer.Failure()));
    QVERIFY(!saved);
    QVERIFY2(answer.ShownText().startsWith(QStringLiteral("Cannot create file \"%1\".").arg(page)),
             qPrintable(answer.ShownText()));
    QCOMPARE(VisibleProgressDialogs(), QList<QWidget*>());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
}

void TestQuestions::progressComesBackAfterTheAnswer()
{
    // A map long enough to build that the progress dialog shows before the notes and after them.
    QString areas = QStringLiteral("<area coords=\"1,1,5,5\" href=\"m.htm\">\n");
    for (int i = 0; i < 5000; ++i)
        areas +=
            areaLine(QStringLiteral("rect"),
                     QStringLiteral("%1,%2,%3,%4").arg(i % 90).arg(i % 60).arg(i % 90 + 9).arg(i % 60 + 9));
    writePicture(QStringLiteral("pic.png"), 100, 70);
    const QString page =
        writeMapPage(QStringLiteral("long.htm"), QStringLiteral("pic.png"), QStringLiteral("M"), areas);
    bool slowed = false;
    bool shownBefore = false;
    bool shownAfter = false;
    TPersonAnswer answer([](QWidget* Dialog) -> QAbstractButton* {
        auto* notes = qobject_cast<TFormImportNotes*>(Dialog);
        return notes ? notes->ButtonImport : nullptr;
    });
    TLongTask::SetObserver([&](TLongTask& Task, int) {
        if (!Task.Dialog()->labelText().contains(QStringLiteral("Importing")))
            return;
        // The reading takes longer than the dialog's delay.
        if (!slowed) {
            slowed = true;
            QThread::msleep(TLongTask::ShowDelayMs + 100);
        }
        bool& shown = answer.Answered() ? shownAfter : shownBefore;
        shown = shown || Task.Dialog()->isVisible();
    });
    const bool imported = FDialog->ImportNamedFile(page);
    TLongTask::SetObserver({});
    QVERIFY2(answer.Answered(), qPrintable(answer.Failure()));
    QVERIFY(imported);
    QVERIFY(shownBefore);
    QVERIFY(shownAfter);
    QCOMPARE(VisibleProgressDialogs(), QList<QWidget*>());
    QCOMPARE(Find<TPTGroup>(*FFixture->Window, "PanelScene")->Regions().size(), 5001);
}

QTEST_MAIN(TestQuestions)
#include "tst_questions.moc"
