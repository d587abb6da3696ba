#include "ControlText.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVariant>

QString GetControlText(const QObject* Control)
{
    if (!Control)
        return QString();
    if (auto* E = qobject_cast<const QLineEdit*>(Control))
        return E->text();
    if (auto* E = qobject_cast<const QTextEdit*>(Control))
        return E->toPlainText();
    if (auto* E = qobject_cast<const QPlainTextEdit*>(Control))
        return E->toPlainText();
    if (auto* L = qobject_cast<const QLabel*>(Control))
        return L->text();
    if (auto* B = qobject_cast<const QAbstractButton*>(Control))
        return B->text();
    if (auto* G = qobject_cast<const QGroupBox*>(Control))
        return G->title();
    if (auto* C = qobject_cast<const QComboBox*>(Control))
        return C->currentText();
    if (auto* M = qobject_cast<const QMenu*>(Control))
        return M->title();
    if (auto* A = qobject_cast<const QAction*>(Control))
        return A->text();
    if (auto* W = qobject_cast<const QWidget*>(Control); W && W->isWindow())
        return W->windowTitle();
    const QVariant Text = Control->property("text");
    return Text.canConvert<QString>() ? Text.toString() : QString();
}

void SetControlText(QObject* Control, const QString& Text)
{
    if (!Control)
        return;
    if (auto* E = qobject_cast<QLineEdit*>(Control))
        E->setText(Text);
    else if (auto* E = qobject_cast<QTextEdit*>(Control))
        E->setPlainText(Text);
    else if (auto* E = qobject_cast<QPlainTextEdit*>(Control))
        E->setPlainText(Text);
    else if (auto* L = qobject_cast<QLabel*>(Control))
        L->setText(Text);
    else if (auto* B = qobject_cast<QAbstractButton*>(Control))
        B->setText(Text);
    else if (auto* G = qobject_cast<QGroupBox*>(Control))
        G->setTitle(Text);
    else if (auto* C = qobject_cast<QComboBox*>(Control)) {
        if (C->isEditable())
            C->setEditText(Text);
        else
            C->setCurrentText(Text);
    } else if (auto* M = qobject_cast<QMenu*>(Control))
        M->setTitle(Text);
    else if (auto* A = qobject_cast<QAction*>(Control))
        A->setText(Text);
    else if (auto* W = qobject_cast<QWidget*>(Control); W && W->isWindow())
        W->setWindowTitle(Text);
    else if (Control->property("text").isValid())
        Control->setProperty("text", Text);
}
