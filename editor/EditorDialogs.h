#pragma once

#include <QString>

// The filter of every dialog that opens or saves an HTML file: the import, Save As and the
// properties dialog's link browser.
QString HTMLFileFilter();
