#pragma once

#include <QString>

class QVariant;

// The user's configuration folder of the program (QStandardPaths::AppConfigLocation), ending
// in "/".
QString GetConfigFolder();

// Where "Settings.ini" lives: the program folder when the program may write there (a build
// tree, a portable copy), else the user's configuration folder, which is made if need be.
QString SettingsFolder();

// Full path of "Settings.ini" in SettingsFolder(), worked out on first use and kept until exit.
QString GetSettingsFileName();

// Replaces the settings file's path (tests); an empty path works it out again on next use.
void SetSettingsFileName(const QString& FileName);

// Checks the settings file once at start, before anything reads it. A file that cannot be
// parsed is removed, so that the exit writes a clean one, and gives "Settings.ini could not be
// read and was reset"; one that is not a regular file under 16 MB is neither read nor written
// in this run and gives the message saying so. A link to a good file is replaced by a plain
// file of the same text, so that no write goes through it. Empty when all is well.
QString PrepareSettingsFile();
// True when PrepareSettingsFile found a file that must be left alone, or when the file is now
// anything but this user's plain file (a link, a device, a pipe): every reader and writer of the
// file asks first.
bool IsSettingsFileIgnored();

// A value read from an INI file as the text that was written: QSettings' INI reader returns a
// value with commas as a list of its parts, which are joined back here.
QString IniValueText(const QVariant& Value);
