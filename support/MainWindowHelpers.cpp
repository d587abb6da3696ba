#include "MainWindowHelpers.h"

#include "AppFolder.h"

#include <QFont>
#include <QSizeGrip>
#include <QStatusBar>
#include <QWidget>

void SetMainCaption(QWidget* Window, const QString& FileName)
{
    if (!Window)
        return;
    // The caption ends in Qt's placeholder, which shows "*" while the window is modified.
    const QString placeholder = QStringLiteral("[*]");
    if (FileName.isEmpty()) {
        Window->setWindowTitle(ApplicationTitle() + placeholder);
        return;
    }
    // Qt reads "[*]" in a caption as the modified-document placeholder; doubling it shows it as
    // written, so a file name that contains it is shown whole.
    QString name = FileName;
    name.replace(placeholder, QStringLiteral("[*][*]"));
    Window->setWindowTitle(ApplicationTitle() + QStringLiteral(" - [") + name + QStringLiteral("]") +
                           placeholder);
}

QList<QWidget*> StatusPanels(QStatusBar* Bar)
{
    QList<QWidget*> panels;
    if (!Bar)
        return panels;
    for (QObject* child : Bar->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !qobject_cast<QSizeGrip*>(widget) && !widget->isWindow())
            panels.append(widget);
    }
    return panels;
}

int FittedPanelWidth(int BarWidth, int OtherPanelsWidth, int LayoutOverhead)
{
    return qMax(0, BarWidth - OtherPanelsWidth - LayoutOverhead);
}

int StatusBarLayoutOverhead(QStatusBar* Bar)
{
    if (!Bar)
        return 0;
    // The bar's minimum width is its panels' minimum widths plus what the layout adds.
    int panels = 0;
    for (QWidget* panel : StatusPanels(Bar)) {
        if (!panel->isHidden())
            panels += panel->minimumWidth() > 0 ? panel->minimumWidth() : panel->minimumSizeHint().width();
    }
    return qMax(0, Bar->minimumSizeHint().width() - panels);
}

void FitStatusPanel(QStatusBar* Bar, int Index)
{
    const QList<QWidget*> panels = StatusPanels(Bar);
    if (Index < 0 || Index >= panels.size())
        return;
    int others = 0;
    for (int i = 0; i < panels.size(); ++i) {
        if (i != Index)
            others += panels[i]->width();
    }
    panels[Index]->setFixedWidth(FittedPanelWidth(Bar->width(), others, StatusBarLayoutOverhead(Bar)));
}

void SetDesignFont(QWidget* Window)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    Window->setFont(font);
}
