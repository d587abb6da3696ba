#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

// A program's version resource: the fixed numeric part, the list of (language, code page)
// pairs under "\VarFileInfo\Translation", and the text fields under
// "\StringFileInfo\<language and code page as 8 hex digits>\<name>".
struct TVersionResource
{
    bool Present = false;
    quint32 FileVersionMS = 0; // major << 16 | minor
    quint32 FileVersionLS = 0; // release << 16 | build
    QList<QPair<quint16, quint16>> Translations;
    QHash<QString, QString> Strings; // keyed by the full path, e.g. "\StringFileInfo\040904B0\Comments"
};

// The version resource compiled into this program from the project's version.
TVersionResource ProgramVersionResource();
