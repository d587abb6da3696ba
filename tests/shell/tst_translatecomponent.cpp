#include "Translation.h"
#include "TranslationError.h"
#include "TranslationTable.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

// A dialog with one component of every kind the translation knows.
class TFormSample : public QDialog
{
    Q_OBJECT

public:
    TFormSample()
    {
        setWindowTitle("Sample");
        ButtonOK = new QPushButton("OK", this);
        ButtonOK->setToolTip("Close the dialog");
        ButtonOK->setStatusTip("Closes it");
        Label = new QLabel("Name:", this);
        Group = new QGroupBox("Options", this);
        GroupCheck = new QPushButton("Apply", Group);
        Edit = new QLineEdit("Name:", this);
        Memo = new QPlainTextEdit("Line one\nLine two", this);
        Combo = new QComboBox(this);
        Combo->addItems({"Red", "Green", "Blue"});
        Combo->setCurrentIndex(2);
        Combo->setToolTip("Colour");
        EditCombo = new QComboBox(this);
        EditCombo->setEditable(true);
        EditCombo->addItems({"Red", "Green"});
        EditCombo->setCurrentIndex(1);
        Tabs = new QTabWidget(this);
        PageOne = new QWidget;
        PageTwo = new QWidget;
        Tabs->addTab(PageOne, "General");
        Tabs->addTab(PageTwo, "Options");
        PageLabel = new QLabel("General", PageTwo);
        Bar = new QTabBar(this);
        Bar->addTab("Red");
        Bar->addTab("Green");
        List = new QTreeWidget(this);
        List->setHeaderLabels({"Name", "Colour"});
        Action = new QAction("&Apply", this);
        Action->setToolTip("Apply the options");
        Action->setStatusTip("Applies");
        ImplicitTip = new QAction("Red", this);
        Menu = new QMenu("&Colours", this);
        MenuItem = Menu->addAction("Green");
        MenuItem->setStatusTip("Paints green");
        ToolButton = new QToolButton(this);
        ToolButton->setDefaultAction(ImplicitTip);
    }

    QPushButton* ButtonOK;
    QLabel* Label;
    QGroupBox* Group;
    QPushButton* GroupCheck;
    QLineEdit* Edit;
    QPlainTextEdit* Memo;
    QComboBox* Combo;
    QComboBox* EditCombo;
    QTabWidget* Tabs;
    QWidget* PageOne;
    QWidget* PageTwo;
    QLabel* PageLabel;
    QTabBar* Bar;
    QTreeWidget* List;
    QAction* Action;
    QAction* ImplicitTip;
    QMenu* Menu;
    QAction* MenuItem;
    QToolButton* ToolButton;
};

class TFormOther : public QMainWindow
{
    Q_OBJECT
};

class TestTranslateComponent : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { FreeTranslations(); }
    void sectionIsTheWindowClass();
    void sectionOfComponentWithoutWindowIsApplication();
    void translatesEveryKindOfComponent();
    void withoutTableNothingChanges();
    void chainedEntriesAreNotAppliedTwice();
    void keysIgnoreCaseButNotSurroundingBlanks();
    void escapedLineBreakInLabel();
    void badOctalStopsAtTheFailingComponent();
};

void TestTranslateComponent::sectionIsTheWindowClass()
{
    TFormSample form;
    QCOMPARE(TranslationSection(&form), QString("TFormSample"));
    QCOMPARE(TranslationSection(form.PageLabel), QString("TFormSample"));
    QCOMPARE(TranslationSection(form.MenuItem), QString("TFormSample")); // through the popup menu
    TFormOther other;
    auto* child = new TFormSample;
    child->setParent(&other, Qt::Dialog);
    QCOMPARE(TranslationSection(child->ButtonOK), QString("TFormSample"));
    QCOMPARE(TranslationSection(other.menuBar()), QString("TFormOther"));
}

void TestTranslateComponent::sectionOfComponentWithoutWindowIsApplication()
{
    QAction loose("Loose");
    QCOMPARE(TranslationSection(&loose), QString("Application"));
    QCOMPARE(TranslationSection(qApp), QString("Application"));
    QMenu menu;
    QCOMPARE(TranslationSection(menu.menuAction()), QString("Application"));
}

void TestTranslateComponent::translatesEveryKindOfComponent()
{
    Translations().LoadLines({
        "<//TFormSample-",
        "E=Sample",
        "T=Beispiel",
        "E=OK",
        "T=Gut",
        "E=Close the dialog",
        "T=Dialog schließen",
        "E=Closes it",
        "T=Schließt ihn",
        "E=Name:",
        "T=Name (de):",
        "E=Options",
        "T=Optionen",
        "E=Apply",
        "T=Anwenden",
        "E=&Apply",
        "T=&Anwenden",
        "E=Apply the options",
        "T=Optionen anwenden",
        "E=Applies",
        "T=Wendet an",
        "E=Line one\\nLine two",
        "T=Zeile eins\\nZeile zwei",
        "E=Red",
        "T=Rot",
        "E=Green",
        "T=Grün",
        "E=Blue",
        "T=Blau",
        "E=Colour",
        "T=Farbe",
        "E=General",
        "T=Allgemein",
        "E=&Colours",
        "T=&Farben",
        "E=Paints green",
        "T=Malt grün",
    });
    TFormSample form;
    TranslateComponent(&form);

    QCOMPARE(form.windowTitle(), QString("Beispiel"));
    QCOMPARE(form.ButtonOK->text(), QString("Gut"));
    QCOMPARE(form.ButtonOK->toolTip(), QString("Dialog schließen"));
    QCOMPARE(form.ButtonOK->statusTip(), QString("Schließt ihn"));
    QCOMPARE(form.Label->text(), QString("Name (de):"));
    QCOMPARE(form.Group->title(), QString("Optionen"));
    QCOMPARE(form.GroupCheck->text(), QString("Anwenden"));
    QCOMPARE(form.Edit->text(), QString("Name (de):"));
    QCOMPARE(form.Memo->toPlainText(), QString("Zeile eins\nZeile zwei"));

    QCOMPARE(form.Combo->itemText(0), QString("Rot"));
    QCOMPARE(form.Combo->itemText(1), QString("Grün"));
    QCOMPARE(form.Combo->itemText(2), QString("Blau"));
    QCOMPARE(form.Combo->currentIndex(), 2);
    QCOMPARE(form.Combo->toolTip(), QString("Farbe"));
    QCOMPARE(form.EditCombo->itemText(0), QString("Rot"));
    QCOMPARE(form.EditCombo->currentIndex(), 1);
    QCOMPARE(form.EditCombo->currentText(), QString("Grün"));

    QCOMPARE(form.Tabs->tabText(0), QString("Allgemein"));
    QCOMPARE(form.Tabs->tabText(1), QString("Optionen"));
    QCOMPARE(form.PageLabel->text(), QString("Allgemein"));
    QCOMPARE(form.Bar->tabText(0), QString("Rot"));
    QCOMPARE(form.Bar->tabText(1), QString("Grün"));
    QCOMPARE(form.List->headerItem()->text(0), QString("Name"));
    QCOMPARE(form.List->headerItem()->text(1), QString("Farbe"));

    QCOMPARE(form.Action->text(), QString("&Anwenden"));
    QCOMPARE(form.Action->toolTip(), QString("Optionen anwenden"));
    QCOMPARE(form.Action->statusTip(), QString("Wendet an"));
    QCOMPARE(form.ImplicitTip->text(), QString("Rot"));
    QCOMPARE(form.ImplicitTip->toolTip(), QString("Rot")); // still follows the text
    QCOMPARE(form.ToolButton->text(), QString("Rot"));
    QCOMPARE(form.Menu->title(), QString("&Farben"));
    QCOMPARE(form.MenuItem->text(), QString("Grün"));
    QCOMPARE(form.MenuItem->statusTip(), QString("Malt grün"));
}

void TestTranslateComponent::withoutTableNothingChanges()
{
    TFormSample form;
    form.Edit->setText("typed");
    form.Edit->setCursorPosition(2);
    TranslateComponent(&form);
    QCOMPARE(form.windowTitle(), QString("Sample"));
    QCOMPARE(form.Edit->text(), QString("typed"));
    QCOMPARE(form.Edit->cursorPosition(), 2);
    QCOMPARE(form.Combo->currentIndex(), 2);
    QCOMPARE(form.Tabs->tabText(1), QString("Options"));
}

// "Red" -> "Green" -> "Blue": a text reached through two routes (a toolbar button showing an
// action, a tab widget's own bar) must still be translated exactly once.
void TestTranslateComponent::chainedEntriesAreNotAppliedTwice()
{
    Translations().LoadLines(
        {"<//TFormSample-", "E=Red", "T=Green", "E=Green", "T=Blue", "E=General", "T=Red"});
    TFormSample form;
    TranslateComponent(&form);
    QCOMPARE(form.ImplicitTip->text(), QString("Green"));
    QCOMPARE(form.ToolButton->text(), QString("Green"));
    QCOMPARE(form.Tabs->tabText(0), QString("Red"));
    QCOMPARE(form.Combo->itemText(0), QString("Green"));
    QCOMPARE(form.Combo->itemText(1), QString("Blue"));
}

void TestTranslateComponent::keysIgnoreCaseButNotSurroundingBlanks()
{
    Translations().LoadLines({"<//tformsample-", "E=ok", "T=Gut", "E=Name:", "T=Name (de):"});
    TFormSample form;
    form.Label->setText("Name: ");
    TranslateComponent(&form);
    QCOMPARE(form.ButtonOK->text(), QString("Gut"));
    QCOMPARE(form.Label->text(), QString("Name: "));
}

void TestTranslateComponent::escapedLineBreakInLabel()
{
    Translations().LoadLines({"<//TFormSample-", "E=Name:", "T=Vor-\\nname:"});
    TFormSample form;
    TranslateComponent(&form);
    QCOMPARE(form.Label->text(), QString("Vor-\nname:"));
}

void TestTranslateComponent::badOctalStopsAtTheFailingComponent()
{
    Translations().LoadLines(
        {"<//TFormSample-", "E=Sample", "T=Beispiel", "E=Name:", "T=\\400", "E=Blue", "T=Blau"});
    TFormSample form;
    QVERIFY_THROWS_EXCEPTION(ETranslationError, TranslateComponent(&form));
    QCOMPARE(form.windowTitle(), QString("Beispiel")); // before the failing label
    QCOMPARE(form.Label->text(), QString("Name:"));
    QCOMPARE(form.Combo->itemText(2), QString("Blue")); // after it
}

QTEST_MAIN(TestTranslateComponent)
#include "tst_translatecomponent.moc"
