#include "catalogue/ordnerrechte.h"

#include <QFile>

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool ordnerGehoertMir(const QString &ordner)
{
    struct stat st;
    if (stat(QFile::encodeName(ordner).constData(), &st) != 0)
        return true;
    return st.st_uid == geteuid();
}

bool systemordner(const QString &ordner)
{
    // The folder's real name: the program reaches it through a handle.
    char echt[PATH_MAX];
    if (!realpath(QFile::encodeName(ordner).constData(), echt))
        return false;
    return qstrcmp(echt, "/usr") == 0 || qstrncmp(echt, "/usr/", 5) == 0;
}

bool ordnerBeschreibbar(const QString &ordner)
{
    // The kernel's own answer for the effective user: it knows ACLs and
    // read-only mounts, which the mode bits do not tell.
    const QByteArray name = QFile::encodeName(ordner);
    if (faccessat(AT_FDCWD, name.constData(), F_OK, AT_EACCESS) != 0)
        return true;
    return faccessat(AT_FDCWD, name.constData(), W_OK | X_OK, AT_EACCESS) == 0;
}
