#pragma once

#include <QString>

class QVariant;

// Full path of "Settings.ini" beside the program, worked out on first use and kept until exit.
QString GetSettingsFileName();

// Replaces the settings file's path (tests); an empty path works it out again on next use.
void SetSettingsFileName(const QString& FileName);

// A value read from an INI file as the text that was written: QSettings' INI reader returns a
// value with commas as a list of its parts, which are joined back here.
QString IniValueText(const QVariant& Value);
