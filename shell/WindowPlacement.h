#pragma once

#include <QString>

class QSettings;
class QWidget;

// The window placement store: per user, organisation "Corvanta", application
// "Corvanta Zonequilter", one group per window class, with the values "FormVersion", "Flags",
// "ShowCmd", "PixelsPerInch", "MinMaxPos" and "NormPos" stored as text.

// Restores the window's bounds (when the stored screen density matches the current one) and
// its show state. Call it before the window is shown.
void RestoreWindowPlacement(QWidget& Window);
// Saves the window's placement, but only after RestoreWindowPlacement has run for it, so a
// window that was never shown does not overwrite the store. Returns whether it wrote.
bool SaveWindowPlacement(QWidget& Window);

// Tests keep the store in a file of their own; an empty name returns to the per-user store.
void SetPlacementStoreFile(const QString& FileName);

// Parses "%d,%d,%d,%d"; numbers that are missing or unreadable keep the values in Numbers.
// Returns true when at least one number was read.
bool ParseFourNumbers(const QString& Text, int Numbers[4]);
