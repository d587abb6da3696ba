#include "DefaultHRef.h"
#include "MemoryStatus.h"
#include "MessageBoxes.h"
#include "TVersionInfo.h"
#include "Translation.h"
#include "TranslationTable.h"
#include "UnitAboutBox.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/sysinfo.h>

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void formatKB_data();
    void formatKB();
    void formatKBUsesTheLocaleSeparator();
    void versionInfoOfTheProgram();
    void versionInfoFileVersionTextWins();
    void versionInfoNumericFallback();
    void versionInfoInvalid();
    void parseMemInfo();
    void memoryStatusOfThisMachine();
    void designLayout();
    void filledTexts();
    void styleAsLink();
    void homePageFromInstallRecord();
    void sampleLangTxtTranslatesTheBox();
    void stringTableErrorShowsMessageInsteadOfDialog();
    void formCreateErrorLeavesLaterComponentsUntranslated();
    void copyrightLineIsNotCutOffAtThePanelEdge();

private:
    QTemporaryDir FDir;
    QStringList FMessages;
};

void TestAboutBox::initTestCase()
{
    SetInstallRecordFile(FDir.filePath("no such record.ini"));
    SetMessageBoxRunner([this](QMessageBox& box) {
        FMessages += box.text();
        return QMessageBox::Ok;
    });
}

void TestAboutBox::cleanup()
{
    FreeTranslations();
    FMessages.clear();
}

void TestAboutBox::formatKB_data()
{
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << quint64(0) << "0KB";
    QTest::newRow("1") << quint64(1) << "1KB";
    QTest::newRow("1024") << quint64(1024) << "1KB";
    QTest::newRow("1025") << quint64(1025) << "2KB";
    QTest::newRow("512 MiB") << quint64(536870912) << "524,288KB";
    QTest::newRow("largest 32-bit count") << quint64(4294967295u) << "4,194,304KB";
    QTest::newRow("4 GiB exactly") << quint64(4294967296ull) << "4,194,304KB";
    QTest::newRow("24 GiB") << quint64(24) * 1024 * 1024 * 1024 << "25,165,824KB";
    QTest::newRow("largest 64-bit count") << ~quint64(0) << "18,014,398,509,481,984KB";
}

void TestAboutBox::formatKB()
{
    QFETCH(quint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(FormatKB(bytes, QLocale::c()), text);
}

void TestAboutBox::formatKBUsesTheLocaleSeparator()
{
    QCOMPARE(FormatKB(536870912, QLocale(QLocale::German, QLocale::Germany)), QString("524.288KB"));
}

void TestAboutBox::versionInfoOfTheProgram()
{
    const TVersionInfo info;
    QVERIFY(info.Valid());
    QCOMPARE(info.LanguageCodePage(), QString("040904B0"));
    QCOMPARE(info.FileVersion(), QString(ZQ_TEST_PROJECT_VERSION));
    QVERIFY(!info.Comments().isEmpty());
    QVERIFY(info.LegalCopyright().contains("Corvanta"));
    QCOMPARE(info.GetValue("NoSuchField"), QString());
}

void TestAboutBox::versionInfoFileVersionTextWins()
{
    TVersionResource r;
    r.Present = true;
    r.FileVersionMS = 0x00010000;
    r.FileVersionLS = 0x0000000C;
    r.Translations = {{0x0407, 0x04E4}, {0x0409, 0x04B0}};
    r.Strings.insert("\\StringFileInfo\\040704E4\\FileVersion", "1.0 beta");
    r.Strings.insert("\\StringFileInfo\\040904B0\\FileVersion", "not the first translation");
    const TVersionInfo info(r);
    QCOMPARE(info.LanguageCodePage(), QString("040704E4"));
    QCOMPARE(info.FileVersion(), QString("1.0 beta"));
    QCOMPARE(info.NumericFileVersion(), QString("1.0.0.12"));
}

void TestAboutBox::versionInfoNumericFallback()
{
    TVersionResource r;
    r.Present = true;
    r.FileVersionMS = 0x00020003;
    r.FileVersionLS = 0xFFFF000C;
    r.Translations = {{0x0409, 0x04B0}};
    r.Strings.insert("\\StringFileInfo\\040904B0\\Comments", "Hello");
    const TVersionInfo info(r);
    QCOMPARE(info.FileVersion(), QString("2.3.65535.12"));
    QCOMPARE(info.Comments(), QString("Hello"));
    QCOMPARE(info.LegalCopyright(), QString());
}

void TestAboutBox::versionInfoInvalid()
{
    TVersionResource r;
    r.Strings.insert("\\StringFileInfo\\040904B0\\Comments", "Hello");
    const TVersionInfo info(r);
    QVERIFY(!info.Valid());
    QCOMPARE(info.FileVersion(), QString());
    QCOMPARE(info.Comments(), QString());
}

void TestAboutBox::parseMemInfo()
{
    const TMemoryStatus status = ParseMemInfo("MemTotal:       25165824 kB\n"
                                              "MemFree:         1000000 kB\n"
                                              "MemAvailable:    6291456 kB\n");
    QVERIFY(status.Valid);
    QCOMPARE(status.TotalPhys, quint64(25165824) * 1024);
    QCOMPARE(status.AvailPhys, quint64(6291456) * 1024);
    QCOMPARE(status.MemoryLoad, 75);
    QVERIFY(!ParseMemInfo("MemTotal: 100 kB\n").Valid);
}

void TestAboutBox::memoryStatusOfThisMachine()
{
    const TMemoryStatus status = GetMemoryStatus();
    QVERIFY(status.Valid);
    struct sysinfo info = {};
    QCOMPARE(sysinfo(&info), 0);
    QCOMPARE(status.TotalPhys, quint64(info.totalram) * info.mem_unit);
    QVERIFY(status.MemoryLoad >= 0 && status.MemoryLoad <= 100);
}

void TestAboutBox::designLayout()
{
    TFormAboutBox box;
    QCOMPARE(box.PageControl->count(), 1);
    QCOMPARE(box.PageControl->tabText(0), QString("About"));
    QCOMPARE(box.ButtonOK->text(), QString("OK"));
    QVERIFY(box.ButtonOK->isDefault());
    QCOMPARE(box.ButtonOK->size(), QSize(81, 25));
    QCOMPARE(box.PaintBoxIcon->geometry(), QRect(8, 8, 33, 33));
    QCOMPARE(box.PanelTitle->geometry(), QRect(48, 8, 265, 17));
    QVERIFY(box.PanelTitle->font().bold());
    QCOMPARE(box.PanelDetails->geometry(), QRect(48, 32, 265, 65));
    QCOMPARE(box.Memo->geometry(), QRect(48, 104, 265, 97));
    QVERIFY(box.Memo->isReadOnly());
    QVERIFY(!box.Memo->toPlainText().isEmpty());
    QCOMPARE(box.LabelPhysicalMemory->text(), QString("Physical memory available to Windows:"));
    QCOMPARE(box.LabelMemoryUsage->text(), QString("Memory usage:"));
    for (QLabel* value :
         {box.LabelComments, box.LabelCopyright, box.LabelHomePage, box.LabelTotalPhys, box.LabelMemoryLoad})
        QCOMPARE(value->text(), QString("#"));
    QVERIFY(box.LabelTotalPhys->x() >= 248);
    QVERIFY(box.LabelTotalPhys->x() > box.LabelPhysicalMemory->geometry().right());
    QCOMPARE(box.findChild<QPushButton*>("ButtonOK"), box.ButtonOK);
    QCOMPARE(box.findChild<QWidget*>("TabSheetAbout"), box.TabSheetAbout);
}

void TestAboutBox::filledTexts()
{
    const std::unique_ptr<TFormAboutBox> box = PrepareAboutBox();
    const QString title = "Corvanta Zonequilter " + TVersionInfo().FileVersion();
    QCOMPARE(box->PanelTitle->text(), title);
    QCOMPARE(box->windowTitle(), "About " + title);
    QCOMPARE(box->LabelComments->text(), TVersionInfo().Comments());
    QCOMPARE(box->LabelCopyright->text(), TVersionInfo().LegalCopyright());
    QCOMPARE(box->LabelHomePage->text(), HomePageURL());
    QCOMPARE(box->LabelTotalPhys->text(), FormatKB(GetMemoryStatus().TotalPhys));
    QVERIFY(box->LabelTotalPhys->text().endsWith("KB"));
    QVERIFY(QRegularExpression("^\\d{1,3}% Used$").match(box->LabelMemoryLoad->text()).hasMatch());
    QVERIFY(FMessages.isEmpty());
}

void TestAboutBox::styleAsLink()
{
    QLabel label("http://www.corvanta.example/");
    StyleAsLink(&label);
    QCOMPARE(label.palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QVERIFY(label.font().bold());
    QVERIFY(label.font().underline());
    QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(label.toolTip(), QString("[http://www.corvanta.example/]"));
}

void TestAboutBox::homePageFromInstallRecord()
{
    const QString record = FDir.filePath("record.ini");
    {
        QFile file(record);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\nURLInfoAbout=http://example.org/zq\n");
    }
    SetInstallRecordFile(record);
    const std::unique_ptr<TFormAboutBox> box = PrepareAboutBox();
    SetInstallRecordFile(FDir.filePath("no such record.ini"));
    QCOMPARE(box->LabelHomePage->text(), QString("http://example.org/zq"));
    QCOMPARE(box->LabelHomePage->toolTip(), "[" + box->LabelHomePage->text() + "]");
}

void TestAboutBox::sampleLangTxtTranslatesTheBox()
{
    QString error;
    QVERIFY(LoadTranslationFile(ZQ_TEST_SOURCE_DIR "/../../data/lang.de.txt", &error));
    QVERIFY(!Translations().IsEmpty());
    const std::unique_ptr<TFormAboutBox> box = PrepareAboutBox();
    QCOMPARE(box->ButtonOK->text(), QString("OK"));
    QCOMPARE(box->PageControl->tabText(0), QString::fromUtf8("Info"));
    QCOMPARE(box->LabelPhysicalMemory->text(), QString::fromUtf8("Verfügbarer Arbeitsspeicher:"));
    QCOMPARE(box->LabelMemoryUsage->text(), QString::fromUtf8("Speicherauslastung:"));
    QVERIFY(box->LabelMemoryLoad->text().endsWith(QString::fromUtf8("% belegt")));
    QVERIFY(box->windowTitle().startsWith(QString::fromUtf8("Über Corvanta Zonequilter ")));
    QVERIFY(box->Memo->toPlainText().startsWith(QString::fromUtf8("Dieses Programm")));
    // Set after the translation, so never translated.
    QCOMPARE(box->LabelComments->text(), TVersionInfo().Comments());
    QVERIFY(box->LabelTotalPhys->x() > box->LabelPhysicalMemory->geometry().right());
}

void TestAboutBox::stringTableErrorShowsMessageInsteadOfDialog()
{
    Translations().LoadLines({"<//STRING_TABLE-", "E=About", "T=\\400"});
    // Were the dialog shown, this would close it again rather than hang.
    QTimer::singleShot(2000, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    QVERIFY(!ShowAboutBox());
    QCOMPARE(FMessages, QStringList{"Numeric constant too large."});
}

void TestAboutBox::formCreateErrorLeavesLaterComponentsUntranslated()
{
    Translations().LoadLines({"<//TFormAboutBox-", "E=About", "T=Info", "E=#", "T=\\777",
                              "E=Memory usage:", "T=Speicherauslastung:"});
    TFormAboutBox box;
    QCOMPARE(FMessages, QStringList{"Numeric constant too large."});
    QCOMPARE(box.windowTitle(), QString("Info")); // the window comes first
    QCOMPARE(box.LabelMemoryUsage->text(), QString("Memory usage:"));
}

void TestAboutBox::copyrightLineIsNotCutOffAtThePanelEdge()
{
    const std::unique_ptr<TFormAboutBox> box = PrepareAboutBox();
    const int designWidth = box->width();
    box->LabelCopyright->setText("Copyright \u00A9 2026 Corvanta Software Corporation. All rights reserved.");
    box->PanelTitle->setText("Corvanta Zonequilter 1.0.0.0 (a very long build name for the title line)");
    box->FitContents();

    for (QLabel* label : {box->LabelComments, box->LabelCopyright, box->LabelHomePage}) {
        QVERIFY(label->width() >= label->sizeHint().width());
        QVERIFY2(label->geometry().right() < box->PanelDetails->contentsRect().right(),
                 qPrintable(label->objectName()));
    }
    QVERIFY(box->PanelTitle->width() >= box->PanelTitle->sizeHint().width());
    // The column stays one width, and the page and the dialog grow with it.
    QCOMPARE(box->PanelTitle->width(), box->PanelDetails->width());
    QCOMPARE(box->Memo->width(), box->PanelDetails->width());
    QCOMPARE(box->Bevel->width(), box->PanelDetails->width());
    QVERIFY(box->width() > designWidth);
    const QRect page(box->TabSheetAbout->mapTo(box.get(), QPoint()), box->TabSheetAbout->size());
    QVERIFY(page.right() > box->PanelDetails->mapTo(box.get(), QPoint(box->PanelDetails->width(), 0)).x());
    QCOMPARE(box->ButtonOK->geometry().right(), box->PageControl->geometry().right());
    QVERIFY(box->ButtonOK->geometry().right() < box->width());
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
