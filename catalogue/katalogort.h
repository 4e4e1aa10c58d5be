#pragma once

#include <QString>

// Which catalogue file a user reads and writes. A copy of the program in a
// folder of the user's own, or one the user may write, keeps its catalogue
// beside it. A copy installed by someone else (a package,
// an administrator) into a folder the user may not write gives each user a
// catalogue of their own: the installed one is read until the user's first
// save, which writes the user's file; from then on that file is read.

// What the choice depends on; gathered by ordnerrechte.h and katalogdatei.cpp.
struct Katalogumstaende
{
    bool ordnerGehoertMir = true;      // the program's folder belongs to the user running it
    bool ordnerBeschreibbar = true;    // that user may create and replace files in it
    bool eigeneDateiVorhanden = false; // the user's own catalogue exists
    // The folder lies under /usr, where a package manager keeps the files it
    // installed and nothing may change them at run time, not even root:
    // an upgrade would overwrite the change, and a lock file left there
    // would keep the folder from being removed with the package.
    bool systemordner = false;
};

enum class Katalogort {
    Programmordner, // AlkoholSorten.txt beside the program
    Benutzerordner, // AlkoholSorten.txt in the user's data folder
};

struct Katalogwahl
{
    Katalogort lesen;
    Katalogort speichern;
};

// A folder that is the user's own but read-only stays the place of both: the
// user made it so, and a save says it cannot write there.
Katalogwahl katalogWahl(const Katalogumstaende &umstaende);

// The user's own catalogue in `datenordner` (the user's data folder for the
// program, as QStandardPaths names it), in native separators; empty when
// there is no such folder.
QString eigenerKatalog(const QString &datenordner);
