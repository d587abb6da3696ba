#include "EditorDialogs.h"

#include "MessageBoxes.h"

#include <QFont>
#include <QWidget>

QString HTMLFileFilter()
{
    return QStringLiteral("HTML Files (*.htm)|*.htm;*.html;*.shtml;*.asp|All Files (*.*)|*.*|");
}

void ShowError(const QString& Text)
{
    AppMessageBox(Text, QMessageBox::Ok, QMessageBox::Critical);
}

void SetDesignFont(QWidget* Window)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    Window->setFont(font);
}
