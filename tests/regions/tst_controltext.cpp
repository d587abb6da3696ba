#include "ControlText.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>
#include <memory>

class TstControlText : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* Kind : {"lineedit", "textedit", "plaintextedit", "label", "pushbutton", "checkbox",
                                 "groupbox", "editablecombo", "menu", "action", "window"})
            QTest::newRow(Kind) << QString::fromLatin1(Kind);
    }
    void roundTrip()
    {
        QFETCH(QString, kind);
        std::unique_ptr<QObject> Control;
        if (kind == "lineedit")
            Control.reset(new QLineEdit);
        else if (kind == "textedit")
            Control.reset(new QTextEdit);
        else if (kind == "plaintextedit")
            Control.reset(new QPlainTextEdit);
        else if (kind == "label")
            Control.reset(new QLabel);
        else if (kind == "pushbutton")
            Control.reset(new QPushButton);
        else if (kind == "checkbox")
            Control.reset(new QCheckBox);
        else if (kind == "groupbox")
            Control.reset(new QGroupBox);
        else if (kind == "editablecombo") {
            auto* Combo = new QComboBox;
            Combo->setEditable(true);
            Control.reset(Combo);
        } else if (kind == "menu")
            Control.reset(new QMenu);
        else if (kind == "action")
            Control.reset(new QAction);
        else
            Control.reset(new QWidget);
        QCOMPARE(GetControlText(Control.get()), QString());
        const QString Text = QStringLiteral("Link address: \u00e9t\u00e9 & more");
        SetControlText(Control.get(), Text);
        QCOMPARE(GetControlText(Control.get()), Text);
    }

    void windowTitleOfTopLevel()
    {
        QWidget W;
        SetControlText(&W, QStringLiteral("Region Properties"));
        QCOMPARE(W.windowTitle(), QStringLiteral("Region Properties"));
    }

    void nullAndTextless()
    {
        QCOMPARE(GetControlText(nullptr), QString());
        SetControlText(nullptr, QStringLiteral("x")); // must not crash
        QObject Plain;
        SetControlText(&Plain, QStringLiteral("x"));
        QCOMPARE(GetControlText(&Plain), QString());
    }
};

QTEST_MAIN(TstControlText)
#include "tst_controltext.moc"
