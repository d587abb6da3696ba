#include "EditorDialogs.h"

#include "Translation.h"

QString HTMLFileFilter()
{
    return QStringLiteral("HTML Files (*.htm)|*.htm;*.html;*.shtml;*.asp|All Files (*.*)|*.*|");
}

QString PictureFileFilter()
{
    return QStringLiteral("HTML Image Files|*.jpeg;*.jpg;*.gif;*.png|JPEG Files (*.jpg)|*.jpeg;*.jpg|"
                          "GIF Files (*.gif)|*.gif|PNG Files (*.png)|*.png|All Files (*.*)|*.*|");
}

QString EditorText(const QString& Text)
{
    // A broken translation must not stop an editing command.
    return TranslateMessage(Text);
}
