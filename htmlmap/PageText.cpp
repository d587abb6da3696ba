#include "PageText.h"

#include "HtmlDecoding.h"
#include "PageScan.h"

#include <QCryptographicHash>

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

PageText::PageText(const QByteArray& bytes) : FBytes(bytes)
{
    const auto bom = QStringConverter::encodingForData(bytes);
    if (bom && (*bom == QStringConverter::Utf16LE || *bom == QStringConverter::Utf16BE)) {
        FEncoding = *bom;
        FUnit = 2;
        FBom = 2;
        QStringDecoder decoder(*bom);
        Text = decoder.decode(bytes);
        return;
    }
    Text = QString::fromLatin1(bytes);
    if (bom) {
        FEncoding = *bom; // a UTF-8 mark stays among the scanned bytes, counted like any other
        return;
    }
    // The encoding the page was read in (see DecodeHTMLBytes).
    QByteArray charset = DeclaredHTMLCharset(bytes);
    if (charset == "iso-8859-1" || charset == "latin1" || charset == "l1" || charset == "iso8859-1" ||
        charset == "us-ascii" || charset == "ascii" || charset == "cp1252" || charset == "x-user-defined")
        charset = "windows-1252";
    if (charset.startsWith("utf-16") || charset == "unicode")
        charset = "utf-8";
    if (!charset.isEmpty() && QStringEncoder(charset.constData()).isValid()) {
        const auto named = QStringConverter::encodingForName(charset.constData());
        if (!named || *named != QStringConverter::Utf8)
            FCharset = charset;
        return;
    }
    if (!DecodesAsUtf8Whole(bytes))
        FCharset = "windows-1252";
}

QByteArray PageText::Encode(const QString& text) const
{
    const bool ascii = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 128; });
    if (FUnit == 1 && ascii)
        return text.toLatin1();
    if (FCharset.isEmpty()) {
        QStringEncoder encoder(FEncoding, QStringConverter::Flag::Stateless);
        return encoder.encode(text);
    }
    QStringEncoder encoder(FCharset.constData(), QStringConverter::Flag::Stateless);
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QString one = text.mid(i, pair ? 2 : 1);
        if (pair)
            ++i;
        if (one[0].unicode() < 128) {
            out += one.toLatin1();
            continue;
        }
        const QByteArray encoded = encoder.encode(one);
        QStringDecoder back(FCharset.constData(), QStringConverter::Flag::Stateless);
        if (!encoded.isEmpty() && QString(back.decode(encoded)) == one)
            out += encoded;
        else
            out += "&#" + QByteArray::number(one.toUcs4().value(0)) + ';';
    }
    return out;
}

QString PageText::Decode(qsizetype from, qsizetype to) const
{
    if (FUnit == 2)
        return Text.mid(from, to - from);
    const QByteArray raw = Raw(from, to);
    if (FCharset.isEmpty())
        return QString::fromUtf8(raw);
    QStringDecoder decoder(FCharset.constData());
    return decoder.decode(raw);
}

QByteArray MapTextDigest(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Blake2b_256);
}

QVector<PageMapText> ScanPageMapTexts(const QByteArray& page)
{
    const PageText text(page);
    QVector<PageMapText> result;
    const QVector<ScannedMap> maps = ScanMapElements(text.Text);
    result.reserve(maps.size());
    for (int i = 0; i < maps.size(); ++i) {
        const ScannedMap& map = maps[i];
        PageMapText one;
        one.Offset = text.ByteOffset(map.StartTag.Start);
        one.Length = text.ByteOffset(map.End) - one.Offset;
        // A map holding another has no end tag of its own (and thousands of them would each be
        // hashed to the end of the page).
        if (map.EndTagStart >= 0 && !HoldsAnotherMap(maps, i))
            one.Digest = MapTextDigest(text.RawView(map.StartTag.Start, map.End));
        result.append(one);
    }
    return result;
}
