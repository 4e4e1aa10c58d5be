#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What the catalogue needs of the file system beyond Qt: where the program
// really lives, whether a name is a plain file the program may follow and
// replace, a read that cannot hang or swallow the machine, and the reasons a
// save is refused for. The replacement itself is in ersatz.h, the lock in
// sperre.h.

// The catalogue is read up to this size and never written larger: far above
// 200 kinds and the lines kept past them, far below what a mistaken file
// (a device, a log someone pointed the name at) could make the program hold.
constexpr qint64 KatalogHoechstgroesse = 4 * 1024 * 1024;

// The folder that holds the program file, ending in the directory separator,
// or empty when it cannot be told. On Linux the folder is named through a
// handle the program keeps open from start-up on: the catalogue read and
// written is the one beside the program even when the folder is renamed
// meanwhile or its name is not valid UTF-8, and never one that appears later
// under the folder's old name.
QString programmverzeichnis();
// The same for the program file's path as the kernel gives it, in bytes.
QString programmverzeichnis(const QByteArray &programmdatei);

// The path as a person reads it: a folder named through a kept handle is
// shown by the name it has now (with replacement characters where it is no
// UTF-8), or by its name at start-up once it has been removed.
QString anzeigename(const QString &pfad);

// What stands at a name, and whether the program may use it.
struct Dateiziel
{
    // The name to open: the target itself when the name is a symbolic link.
    QString pfad;
    bool vorhanden = false;
    // Set when the program must neither read nor replace it: the reason, in
    // German, for the user.
    std::optional<QString> verweigert;
    // Set for an existing file whose mode gives its owner no write
    // permission: root could write it, but the owner has said no.
    bool schreibgeschuetzt = false;
#ifndef Q_OS_WIN
    unsigned besitzer = 0, gruppe = 0, modus = 0;
#endif
};

// Follows symbolic links only where the kernel's protected-symlinks rule
// would (a link of the user running the program, or of the owner of the
// folder it stands in), in every folder, and accepts only a regular file
// or a name where nothing is yet.
Dateiziel dateiziel(const QString &pfad);

struct Dateiinhalt
{
    bool vorhanden = false;
    QByteArray daten;
    std::optional<QString> fehler; // German, for the user
};

// Reads a regular file without blocking (a FIFO or a device is refused, not
// waited on) and at most KatalogHoechstgroesse bytes of it.
Dateiinhalt dateiLesen(const QString &pfad);

// A write past the file-size limit must fail like a full disk instead of
// killing the program with SIGXFSZ; a handler someone else set stays.
void dateigrenzeOhneSignal();

// Reasons a save is refused for, in German, shared by the lock and the write.
QString grundVerzeichnisFehlt();
QString grundVerzeichnisGeschuetzt();
QString grundDateiGeschuetzt();
QString grundNurLesbar(); // a file system mounted read-only
QString grundDatentraegerVoll();
QString grundSperreBelegt(); // another copy holds the lock
// The system's text for an error number.
QString systemfehler(int fehler);

#ifndef Q_OS_WIN
// What stands at a name, by its file type, to end a German sentence
// ("… steht ein Verzeichnis"): a directory, a FIFO, a socket, a device, a
// symbolic link, anything but a regular file.
QString dateiart(unsigned modus);
#endif
