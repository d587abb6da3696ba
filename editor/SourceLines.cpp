#include "SourceLines.h"

#include "ImageMapWriter.h"

#include <algorithm>

namespace {

// Past this many changed lines, and an eighth of the map, the whole text is written on another
// thread instead: an import or an undone import changes them all.
constexpr qsizetype kMostLinesEdited = 256;

// Offsets into Text's UTF-16 turned into offsets into its UTF-8, as QString::toUtf8 writes it (a
// lone surrogate becomes a three-byte replacement character).
void toUtf8Offsets(const QString& Text, QVector<qsizetype>& Offsets)
{
    const QChar* chars = Text.constData();
    const qsizetype n = Text.size();
    qsizetype bytes = 0;
    qsizetype i = 0;
    for (qsizetype& offset : Offsets) {
        for (; i < offset && i < n; ++i) {
            const char16_t c = chars[i].unicode();
            if (c < 0x80) {
                bytes += 1;
            } else if (c < 0x800) {
                bytes += 2;
            } else if (QChar::isHighSurrogate(c) && i + 1 < n &&
                       QChar::isLowSurrogate(chars[i + 1].unicode())) {
                bytes += 4;
                ++i;
            } else {
                bytes += 3;
            }
        }
        offset = bytes;
    }
}

} // namespace

bool TSourceLines::THeader::operator==(const THeader& Other) const
{
    return ImageFileName == Other.ImageFileName && MapName == Other.MapName &&
           MapAttributes == Other.MapAttributes;
}

TSourceLines::TText TSourceLines::Write(const THeader& Header, const QVector<MapArea>& Areas)
{
    QString text;
    TText written;
    AppendImageMapHTML(text, Header.ImageFileName, Header.MapName, Areas, Header.MapAttributes,
                       &written.AreaStarts);
    written.Utf8 = text.toUtf8();
    // Plain ASCII, the usual case, has one byte per character.
    if (written.Utf8.size() != text.size())
        toUtf8Offsets(text, written.AreaStarts);
    return written;
}

void TSourceLines::Reset(THeader Header, QVector<MapArea> Areas, QVector<qsizetype> AreaStarts)
{
    FValid = AreaStarts.size() == Areas.size() + 1;
    FHeader = std::move(Header);
    FAreas = std::move(Areas);
    FStarts = std::move(AreaStarts);
}

void TSourceLines::Clear()
{
    Reset({}, {}, {});
}

std::optional<QVector<TSourceLines::TEdit>> TSourceLines::Edit(const THeader& Header,
                                                               const QVector<MapArea>& Areas)
{
    if (!FValid || !(Header == FHeader))
        return std::nullopt;
    // The areas alike at both ends keep their lines; those between are written anew.
    const qsizetype oldCount = FAreas.size();
    const qsizetype newCount = Areas.size();
    qsizetype front = 0;
    while (front < oldCount && front < newCount && FAreas[front] == Areas[front])
        ++front;
    qsizetype back = 0;
    while (back < oldCount - front && back < newCount - front &&
           FAreas[oldCount - 1 - back] == Areas[newCount - 1 - back])
        ++back;
    const qsizetype oldMiddle = oldCount - front - back;
    const qsizetype newMiddle = newCount - front - back;
    const auto sameAreas = [&](qsizetype OldFrom, qsizetype NewFrom, qsizetype Count) {
        return std::equal(FAreas.cbegin() + OldFrom, FAreas.cbegin() + OldFrom + Count,
                          Areas.cbegin() + NewFrom);
    };
    const auto lineOf = [&](qsizetype Index) {
        QString line = BuildAreaLine(Areas[Index]);
        line += QLatin1Char('\n');
        return line.toUtf8();
    };
    const auto oldLength = [&](qsizetype Index) { return FStarts[Index + 1] - FStarts[Index]; };

    // Applied in this order, each to the text the one before left: later places first.
    QVector<TEdit> edits;
    // The byte lengths of the new lines between the alike ends.
    QVector<qsizetype> lengths;
    lengths.reserve(newMiddle);
    const qsizetype end = front + oldMiddle;
    if (oldMiddle == newMiddle && oldMiddle >= 2 && sameAreas(front, front + 1, oldMiddle - 1)) {
        // One region brought forward: its line leaves its place and arrives above the others.
        const QByteArray line = lineOf(front);
        edits.append({FStarts[end - 1], FStarts[end], {}});
        edits.append({FStarts[front], FStarts[front], line});
        lengths.append(line.size());
        for (qsizetype i = front; i < end - 1; ++i)
            lengths.append(oldLength(i));
    } else if (oldMiddle == newMiddle && oldMiddle >= 2 && sameAreas(front + 1, front, oldMiddle - 1)) {
        // One region sent back: the reverse.
        const QByteArray line = lineOf(front + newMiddle - 1);
        edits.append({FStarts[end], FStarts[end], line});
        edits.append({FStarts[front], FStarts[front + 1], {}});
        for (qsizetype i = front + 1; i < end; ++i)
            lengths.append(oldLength(i));
        lengths.append(line.size());
    } else {
        const qsizetype replaced = std::max(oldMiddle, newMiddle);
        if (replaced > kMostLinesEdited && replaced > std::max(oldCount, newCount) / 8)
            return std::nullopt;
        TEdit edit{FStarts[front], FStarts[end], {}};
        for (qsizetype i = front; i < front + newMiddle; ++i) {
            const QByteArray line = lineOf(i);
            lengths.append(line.size());
            edit.Utf8 += line;
        }
        edits.append(std::move(edit));
    }

    qsizetype at = FStarts[front];
    const qsizetype oldEnd = FStarts[end];
    FStarts.remove(front, oldMiddle);
    FStarts.insert(front, newMiddle, 0);
    for (qsizetype i = 0; i < newMiddle; ++i) {
        FStarts[front + i] = at;
        at += lengths[i];
    }
    if (const qsizetype shift = at - oldEnd)
        for (qsizetype i = front + newMiddle; i < FStarts.size(); ++i)
            FStarts[i] += shift;
    FAreas = Areas;
    return edits;
}
