#pragma once

#include <QString>

// Full path of "Settings.ini" beside the program, worked out on first use and kept until exit.
QString GetSettingsFileName();

// Replaces the settings file's path (tests); an empty path works it out again on next use.
void SetSettingsFileName(const QString& FileName);
