#pragma once
#include <QString>

namespace wvs {

// What the new-database window gathers before the first start.
struct NewInstallation {
    QString businessName;
    QString country;          // "New Zealand", "Australia", "USA" or "UK"
    QString installationID;
    QString associateID;
    QString associateName;
    QString password;
};

// The software version the database must carry, and the build suffix.
inline constexpr int kMajorVersion = 1;
inline constexpr int kMinorVersion = 3;
inline const char *const kSoftwareVersion = "1.3";
inline const char *const kBuildSuffix = ".5";
QString runningVersion(); // "1.3.5"

// Creates every table in a new file and writes the first rows: the version and
// installation, the administrator level with every right, its first associate
// and an unsaved preferences row. Opens the file as the program's database.
void createNewDatabase(const QString &path, const NewInstallation &inst);

// A suggested installation identifier.
QString generateInstallationID();

// Reads the installation row into the session; returns the database's version
// digits (0, 0 when the row is missing).
struct DatabaseVersion {
    int major = 0;
    int minor = 0;
};
DatabaseVersion readInstallation();

// Checks of the new-database window, in order; an empty result means valid.
QString validateNewInstallation(const NewInstallation &inst);

} // namespace wvs
