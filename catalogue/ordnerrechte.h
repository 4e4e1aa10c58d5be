#pragma once

#include <QString>

// What the user running the program may do with the program's folder. Each
// answers "yes" when the folder cannot be looked at, so that the program
// then behaves as it does in a folder of the user's own.

// The folder belongs to the user running the program.
bool ordnerGehoertMir(const QString &ordner);

// That user may create and replace files in the folder.
bool ordnerBeschreibbar(const QString &ordner);

// The folder is where the system's packages put programs (under /usr), so
// the program never writes there, whoever runs it.
bool systemordner(const QString &ordner);
