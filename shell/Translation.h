#pragma once

#include <QString>
#include <QStringList>

class QLocale;

class QObject;
class TTranslationTable;

// The program-wide translation table, filled from a translation file before the first window is
// created and read-only afterwards.

// Creates the empty table and reads the file into it. A file that cannot be opened leaves the
// table empty and is not an error; a file that opens but cannot be read returns false with the
// reason in ErrorMessage. A file that is not a regular one under 16 MB (a pipe, a link to a
// device) is not opened: the table stays empty and Notices gets a message saying so.
bool LoadTranslationFile(const QString& FileName, QString* ErrorMessage = nullptr,
                         QStringList* Notices = nullptr);
// The files a translation is read from, in the order they are tried: "lang.txt" in the user's
// configuration folder, beside the program and in the installed data folder; then, for the
// locale's language, "lang.<region>.txt" (e.g. lang.de_AT.txt) and "lang.<language>.txt"
// (lang.de.txt) in the same three folders.
QStringList TranslationFileCandidates(const QLocale& Locale);
// The same for the first of those files that can be read (none: the table stays empty); each
// unusable one on the way adds its message to Notices.
bool LoadTranslationFile(const QLocale& Locale, QString* ErrorMessage = nullptr,
                         QStringList* Notices = nullptr);
// The same for the user's language (QLocale::system()).
bool LoadTranslationFile(QString* ErrorMessage = nullptr, QStringList* Notices = nullptr);
// Releases the table; lookups then return their text unchanged.
void FreeTranslations();
// The current table (an empty one when none was loaded), e.g. for tests to fill.
TTranslationTable& Translations();

// The translation of Text in Section, or Text itself. Throws ETranslationError when the stored
// translation holds an octal escape above 255.
QString TranslateText(const QString& Text, const QString& Section);

// Text looked up in the "STRING_TABLE" section; a translation that cannot be used gives the text
// itself, as a message must still be shown.
QString TranslateMessage(const QString& Text);

// Routes the program's own tr() texts (those of the libraries that know no translation table,
// such as the HTML reader and the picture loader) through the table's message strings. Qt's
// own texts are left to Qt. Installed on the application by InstallTableTranslator.
void InstallTableTranslator();

// The section a component is translated from: the class name of the window it belongs to,
// following the parents from the component itself, or "Application" when none is reached.
QString TranslationSection(const QObject* Component);

// Translates the texts and hints of a component and, recursively, of every component it owns,
// in creation order. Throws ETranslationError; components after the failing one stay as they
// were.
void TranslateComponent(QObject* Component);
