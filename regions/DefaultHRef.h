#pragma once

#include <QString>

/// The maker's home page: the fallback link of new regions, the about box's link and the services host.
QString HomePageURL();

/// The link address given to each new region: the "URLInfoAbout" value of the installation record
/// "Corvanta Zonequilter_is1" (an INI file in QSettings' system scope). The home page when the record
/// cannot be read; empty when it exists without that value. Looked up anew for every call, except
/// while a TDefaultHRefBatch lives.
QString DefaultHRef();

/// Regions made in one step (an import of thousands) get the record's value read once, at the first
/// of them, not a look at the file for each.
class TDefaultHRefBatch
{
public:
    TDefaultHRefBatch();
    ~TDefaultHRefBatch();
    TDefaultHRefBatch(const TDefaultHRefBatch&) = delete;
    TDefaultHRefBatch& operator=(const TDefaultHRefBatch&) = delete;
};

/// Where the installation record is read from (default: the system-scope INI file).
QString InstallRecordFile();
/// Overrides the record's location (tests); an empty path restores the default.
void SetInstallRecordFile(const QString& FilePath);
