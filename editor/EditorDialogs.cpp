#include "EditorDialogs.h"

QString HTMLFileFilter()
{
    return QStringLiteral("HTML Files (*.htm)|*.htm;*.html;*.shtml;*.asp|All Files (*.*)|*.*|");
}
