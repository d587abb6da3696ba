#pragma once

#include <QByteArray>
#include <QString>
#include <QStringConverter>
#include <QVector>

// A page's characters for scanning, with the way back to its bytes. Pages in a one-byte or
// ASCII-based multi-byte encoding are scanned byte by byte (every tag and attribute name is ASCII,
// so offsets are byte offsets); UTF-16 pages are decoded, two bytes a unit after the mark.
class PageText
{
public:
    explicit PageText(const QByteArray& bytes);

    QString Text;

    QByteArray Raw(qsizetype from, qsizetype to) const
    {
        return FBytes.mid(FBom + FUnit * from, FUnit * (to - from));
    }
    QByteArrayView RawView(qsizetype from, qsizetype to) const
    {
        return QByteArrayView(FBytes.constData() + FBom + FUnit * from, FUnit * (to - from));
    }
    QByteArray Head(qsizetype to) const { return FBytes.left(FBom + FUnit * to); }
    QByteArray Tail(qsizetype from) const { return FBytes.mid(FBom + FUnit * from); }
    // The byte offset of a position of Text.
    qint64 ByteOffset(qsizetype pos) const { return FBom + qint64(FUnit) * pos; }
    // The position of Text at a byte offset.
    qsizetype Position(qint64 offset) const { return qsizetype((offset - FBom) / FUnit); }

    // A new text in the page's encoding, the encoding it was read in; a character the encoding
    // lacks is written as a numeric character reference.
    QByteArray Encode(const QString& text) const;
    // Part of the page as a browser reads its characters (before character references).
    QString Decode(qsizetype from, qsizetype to) const;

private:
    QByteArray FBytes;
    QStringConverter::Encoding FEncoding = QStringConverter::Utf8;
    QByteArray FCharset; // a named encoding when the page is not in a Unicode one
    int FUnit = 1;
    int FBom = 0;
};

// Where a map element's text stands in a page's bytes: the BLAKE2b-256 digest (as fast as MD5 at
// a cryptographic hash's strength: a big map is hashed on every save) of its bytes from "<map" to
// the end of its "</map>", their offset and count. Without an end tag: no digest, the bytes up to
// the end of the page.
struct PageMapText
{
    QByteArray Digest;
    qint64 Offset = -1;
    qint64 Length = 0;
};
QByteArray MapTextDigest(QByteArrayView bytes);
// Those of every map element of the page, in document order (see ScanMapElements).
QVector<PageMapText> ScanPageMapTexts(const QByteArray& page);
