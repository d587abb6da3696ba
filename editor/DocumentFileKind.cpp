#include "DocumentFileKind.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>

namespace {
bool HasHtmlSuffix(const QFileInfo& Info)
{
    // Server-side templates are pages too: File > Import reads their maps the same way.
    static const QStringList suffixes{QStringLiteral("htm"),  QStringLiteral("html"), QStringLiteral("xhtml"),
                                      QStringLiteral("xht"),  QStringLiteral("shtml"), QStringLiteral("php"),
                                      QStringLiteral("phtml"), QStringLiteral("asp"),  QStringLiteral("aspx"),
                                      QStringLiteral("jsp")};
    return suffixes.contains(Info.suffix(), Qt::CaseInsensitive);
}

// A page saved without a suffix still starts with markup a browser would take for HTML.
bool LooksLikeHtml(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray head = file.read(1024);
    if (head.startsWith("\xEF\xBB\xBF"))
        head.remove(0, 3);
    static const QRegularExpression markup(
        QStringLiteral("^\\s*<(!doctype\\s+html|html|head|body|map|img)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return markup.match(QString::fromLatin1(head)).hasMatch();
}
} // namespace

TDocumentFileKind DocumentFileKind(const QString& FileName)
{
    const QFileInfo info(FileName);
    if (!info.isFile() || !info.isReadable())
        return TDocumentFileKind::Other;
    if (HasHtmlSuffix(info))
        return TDocumentFileKind::Html;
    QImageReader reader(FileName);
    // By its content: a picture saved under another suffix is still one.
    reader.setDecideFormatFromContent(true);
    if (reader.canRead())
        return TDocumentFileKind::Picture;
    return LooksLikeHtml(FileName) ? TDocumentFileKind::Html : TDocumentFileKind::Other;
}
