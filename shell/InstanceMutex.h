#pragma once

#include <QString>

// The named system object that marks a running copy of the program: a POSIX named semaphore
// named after the application title, opened (created when missing) on the first call and kept
// open until the program ends. Nobody waits on it, and a second copy starts normally.
void CreateInstanceMutex();

// The semaphore's name ("/" followed by the application title).
QString InstanceMutexName();
// Whether this process holds the semaphore open.
bool InstanceMutexIsOpen();
