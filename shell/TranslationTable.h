#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// The escaped form of a text: control characters, double quotes and backslashes written as
// C-style escapes, so that any caption fits on one line of "lang.txt".
QString EscapeText(const QString& Text);

// The reverse of EscapeText, also accepting octal and one-digit hexadecimal escapes.
// Throws ETranslationError("Numeric constant too large.") for an octal code above 255.
QString UnescapeText(const QString& Text);

// Decodes the bytes of a translation file: UTF-8 when they are valid UTF-8 (a byte-order mark
// is dropped), otherwise Windows-1252.
QString DecodeTranslationFile(const QByteArray& Bytes);

// Trims leading and trailing blanks and control characters (everything up to U+0020).
QString TrimControls(const QString& Text);

// The in-memory translation table: sections of English text (escaped) to translation
// (escaped). Section names and keys are compared without regard to letter case.
class TTranslationTable
{
public:
    // Processes the lines of a translation file in order, adding to the table.
    void LoadLines(const QStringList& Lines);
    // Decodes the file's bytes, splits them at CR LF, LF or CR and loads the lines.
    void LoadBytes(const QByteArray& Bytes);

    bool IsEmpty() const { return FSections.isEmpty(); }
    int EntryCount() const;

    // The stored translation (escaped) of an escaped English text, or the key itself when the
    // section or the key is missing.
    QString Lookup(const QString& Section, const QString& Key) const;

private:
    static QString Fold(const QString& Name) { return Name.toCaseFolded(); }
    // Fold for an escaped English text, with "\r\n" read as "\n".
    static QString FoldKey(const QString& Key);

    QHash<QString, QHash<QString, QString>> FSections;
};
