#include "EditorDialogs.h"

QString HTMLFileFilter()
{
    return QStringLiteral("HTML Files (*.htm)|*.htm;*.html;*.shtml;*.asp|All Files (*.*)|*.*|");
}

QString PictureFileFilter()
{
    return QStringLiteral("HTML Image Files|*.jpeg;*.jpg;*.gif;*.png|JPEG Files (*.jpg)|*.jpeg;*.jpg|"
                          "GIF Files (*.gif)|*.gif|PNG Files (*.png)|*.png|All Files (*.*)|*.*|");
}
