#pragma once

// The free functions shared by the program's windows, in one include.
#include "AppFolder.h"
#include "EFileCreateError.h"
#include "InternetConnection.h"
#include "MainWindowHelpers.h"
#include "MessageBoxes.h"
#include "SharedDialogs.h"
#include "TBrowserPage.h"
#include "TSharedFileDialog.h"
#include "WebViewHelpers.h"
