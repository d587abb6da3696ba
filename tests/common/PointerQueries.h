#pragma once

// Counts the program's questions to the window system about where the pointer is (QCursor::pos). Over a
// remote display each one is a blocking round trip; linking PointerQueries.cpp into a test executable puts
// a counting QCursor::pos in front of Qt's own, which it then calls.
int PointerQueries();
