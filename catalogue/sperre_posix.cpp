// The catalogue's lock on POSIX systems: flock(2) on a regular file opened
// without following a link and without waiting, so that nothing another user
// puts at the lock's name can hold the program or feed it data.
#include "catalogue/sperre.h"

#include "catalogue/dateizugang.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString fremdesAnDerStelle(const QString &pfad, mode_t modus)
{
    return QStringLiteral("Unter dem Namen „%1“, den das Programm neben der Sortendatei für seine "
                          "Sperre braucht, steht %2. Bitte entfernen Sie, was dort steht; danach lässt "
                          "sich wieder speichern.")
        .arg(QFileInfo(pfad).fileName(), dateiart(modus));
}

// Why the lock file could not be opened, from the first open's error.
QString oeffnungsgrund(const QString &pfad, int fehler)
{
    struct stat st;
    if (lstat(QFile::encodeName(pfad).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return fremdesAnDerStelle(pfad, st.st_mode); // it changed since it was looked at
    switch (fehler) {
    case ENOENT:
    case ENOTDIR:
        return grundVerzeichnisFehlt();
    case EACCES:
    case EPERM:
        return grundVerzeichnisGeschuetzt();
    case EROFS:
        return grundNurLesbar();
    case ENOSPC:
    case EDQUOT:
        return grundDatentraegerVoll();
    default:
        return QStringLiteral("Die Sperrdatei „%1“ lässt sich nicht öffnen: %2.")
            .arg(QFileInfo(pfad).fileName(), systemfehler(fehler));
    }
}

// Opens the lock file, made where none is. A lock file another user made
// may be read-only for this one: flock needs no write access.
int sperrdateiOeffnen(const QString &pfad, std::optional<QString> &grund)
{
    const QByteArray name = QFile::encodeName(pfad);
    struct stat st;
    // A device is not even opened: opening some of them does something.
    if (lstat(name.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
        grund = fremdesAnDerStelle(pfad, st.st_mode);
        return -1;
    }
    constexpr int Art = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    int handle = open(name.constData(), O_RDWR | O_CREAT | Art, 0644);
    const int fehler = errno;
    if (handle < 0 && (fehler == EACCES || fehler == EROFS || fehler == EPERM))
        handle = open(name.constData(), O_RDONLY | Art);
    if (handle < 0 && errno == EACCES) {
        grund = QStringLiteral("Die Sperrdatei „%1“ neben der Sortendatei gehört jemand anderem und ist "
                               "für Sie nicht lesbar. Bitte lassen Sie sie lesbar machen oder entfernen, "
                               "wenn kein Fenster des Programms mehr läuft.")
                    .arg(QFileInfo(pfad).fileName());
        return -1;
    }
    if (handle < 0) {
        grund = oeffnungsgrund(pfad, errno == ENOENT ? fehler : errno);
        return -1;
    }
    if (fstat(handle, &st) != 0 || !S_ISREG(st.st_mode)) {
        grund = fremdesAnDerStelle(pfad, st.st_mode);
        close(handle);
        return -1;
    }
    return handle;
}

} // namespace

Katalogsperre::~Katalogsperre()
{
    if (m_handle >= 0)
        close(int(m_handle)); // releases the lock
}

std::optional<QString> Katalogsperre::nehmen(const QString &pfad, int wartezeitMs)
{
    std::optional<QString> grund;
    const int handle = sperrdateiOeffnen(pfad, grund);
    if (handle < 0)
        return grund;
    QElapsedTimer uhr;
    uhr.start();
    for (;;) {
        if (flock(handle, LOCK_EX | LOCK_NB) == 0) {
            m_handle = handle;
            return std::nullopt;
        }
        const int fehler = errno;
        if (fehler != EWOULDBLOCK && fehler != EINTR) {
            close(handle);
            return QStringLiteral("Die Sortendatei lässt sich nicht sperren: %1.").arg(systemfehler(fehler));
        }
        if (fehler == EWOULDBLOCK && uhr.elapsed() >= wartezeitMs) {
            close(handle);
            return grundSperreBelegt();
        }
        if (fehler == EWOULDBLOCK)
            usleep(10 * 1000);
    }
}
