#pragma once

#include <QString>
#include <QStringList>

// The HTML files last imported or saved, newest first, at most MaxCount, kept in the section
// "RecentFiles" of the settings file (keys File1, File2 ...).
class TRecentFiles
{
public:
    static constexpr int MaxCount = 8;

    const QStringList& Files() const { return FFiles; }

    // Puts the file first; an entry for the same file further down goes, the oldest beyond
    // MaxCount too.
    void Add(const QString& FileName);
    void Clear() { FFiles.clear(); }

    // Reads and writes the list in the INI file; Save returns false when it cannot be written.
    void Load(const QString& IniFileName);
    bool Save(const QString& IniFileName) const;

private:
    QStringList FFiles;
};
