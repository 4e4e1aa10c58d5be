// The catalogue's replacement on POSIX systems: QSaveFile's temporary file
// gets the old file's owner, mode, ACL and user attributes before it is
// renamed over the old one.
#include "catalogue/ersatz.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <sys/stat.h>
#include <sys/statvfs.h>
#ifdef Q_OS_LINUX
#include <sys/xattr.h>
#endif
#include <unistd.h>

namespace {

bool nurLesbar(const QString &ordner)
{
    struct statvfs sv;
    return statvfs(QFile::encodeName(ordner).constData(), &sv) == 0 && (sv.f_flag & ST_RDONLY);
}

// A folder named through a kept handle stays reachable once removed; the
// kernel then counts no link to it.
bool entfernt(const QString &ordner)
{
    struct stat st;
    if (stat(QFile::encodeName(ordner).constData(), &st) != 0)
        return errno == ENOENT;
    return st.st_nlink == 0;
}

QString schreibgrund(QFileDevice::FileError fehler, const QString &datei)
{
    // The file system says more precisely than the error code what stood in
    // the way: QSaveFile reports a protected file or directory as a failed
    // write, which would send the user looking for a full disk.
    const QFileInfo info(datei);
    const QString ordner = info.absolutePath();
    if (entfernt(ordner))
        return grundVerzeichnisFehlt();
    if (nurLesbar(ordner))
        return grundNurLesbar();
    if (info.isDir())
        return QStringLiteral("Unter diesem Namen steht ein Verzeichnis.");
    if (info.exists() && !info.isWritable())
        return grundDateiGeschuetzt();
    if (!QFileInfo(ordner).isWritable())
        return grundVerzeichnisGeschuetzt();
    switch (fehler) {
    case QFileDevice::PermissionsError:
        return QStringLiteral("Es fehlt die Berechtigung, in das Verzeichnis oder die Datei zu "
                              "schreiben.");
    case QFileDevice::ResourceError:
    case QFileDevice::WriteError:
        return grundDatentraegerVoll();
    case QFileDevice::OpenError:
        return QStringLiteral("Die Datei konnte nicht zum Schreiben geöffnet werden.");
    case QFileDevice::RenameError:
        return QStringLiteral("Die neue Datei konnte nicht an die Stelle der alten treten.");
    default:
        return QStringLiteral("Die Datei konnte nicht geschrieben werden.");
    }
}

std::optional<QString> besitzUndModus(int handle, const Dateiziel &ziel)
{
    struct stat st;
    if (fstat(handle, &st) != 0)
        return QStringLiteral("Die neue Datei lässt sich nicht prüfen: %1.").arg(systemfehler(errno));
    // Owner first: a change of owner may clear the mode's special bits.
    if ((st.st_uid != ziel.besitzer || st.st_gid != ziel.gruppe)
        && fchown(handle, ziel.besitzer, ziel.gruppe) != 0)
        return QStringLiteral("Die Datei gehört einem anderen Benutzer oder einer Gruppe, der Sie nicht "
                              "angehören; beim Speichern ginge das verloren.");
    if (fchmod(handle, mode_t(ziel.modus)) != 0)
        return QStringLiteral("Die Zugriffsrechte der Datei lassen sich nicht übernehmen: %1.")
            .arg(systemfehler(errno));
    return std::nullopt;
}

// Linux names attributes and the ACL alike; other systems have calls of
// their own, not written here.
#ifdef Q_OS_LINUX
const char AclName[] = "system.posix_acl_access";

QString attributVerloren(const QByteArray &name, int fehler)
{
    if (name == AclName)
        return QStringLiteral("Die Zugriffssteuerungsliste (ACL) der Datei lässt sich nicht "
                              "übernehmen (%1); beim Speichern ginge sie verloren.")
            .arg(systemfehler(fehler));
    return QStringLiteral("Das erweiterte Attribut „%1“ der Datei lässt sich nicht übernehmen (%2); "
                          "beim Speichern ginge es verloren.")
        .arg(QString::fromUtf8(name), systemfehler(fehler));
}

// Reads an attribute or the list of names (`name` empty) of `datei`, which
// is no link: the size first, then the value, again if it grew meanwhile.
std::optional<QByteArray> attributLesen(const QByteArray &datei, const QByteArray &name)
{
    for (;;) {
        const ssize_t groesse = name.isEmpty() ? llistxattr(datei.constData(), nullptr, 0)
                                               : lgetxattr(datei.constData(), name.constData(), nullptr, 0);
        if (groesse < 0)
            return std::nullopt;
        QByteArray wert(groesse, Qt::Uninitialized);
        const ssize_t n = name.isEmpty()
            ? llistxattr(datei.constData(), wert.data(), size_t(groesse))
            : lgetxattr(datei.constData(), name.constData(), wert.data(), size_t(groesse));
        if (n >= 0)
            return wert.left(n);
        if (errno != ERANGE)
            return std::nullopt;
    }
}

// The ACL and the user's attributes; what the system or its policy sets
// (security labels, capabilities) is not the file's to carry.
std::optional<QString> attributeUebernehmen(int handle, const QByteArray &alt)
{
    const auto namen = attributLesen(alt, QByteArray());
    if (!namen)
        return errno == ENOTSUP ? std::nullopt : std::optional(attributVerloren("user.*", errno));
    bool mitAcl = false;
    for (const QByteArray &name : namen->split('\0')) {
        if (!name.startsWith("user.") && name != AclName)
            continue;
        const auto wert = attributLesen(alt, name);
        if (!wert && errno == ENODATA)
            continue; // removed meanwhile
        if (!wert || fsetxattr(handle, name.constData(), wert->constData(), size_t(wert->size()), 0) != 0)
            return attributVerloren(name, errno);
        mitAcl |= name == AclName;
    }
    // A folder's default ACL gives a new file an ACL the old one did not have.
    if (!mitAcl && fremovexattr(handle, AclName) != 0 && errno != ENODATA && errno != ENOTSUP)
        return attributVerloren(AclName, errno);
    return std::nullopt;
}

#endif

// What the old file carries, onto the new one. The mode before the ACL: a
// mode set after it would make the group bits the ACL's mask.
std::optional<QString> uebernehmen(int handle, const Dateiziel &ziel)
{
    if (!ziel.vorhanden)
        return std::nullopt;
    if (const auto fehler = besitzUndModus(handle, ziel))
        return fehler;
#ifdef Q_OS_LINUX
    return attributeUebernehmen(handle, QFile::encodeName(ziel.pfad));
#else
    return std::nullopt;
#endif
}

} // namespace

std::optional<QString> dateiErsetzen(const Dateiziel &ziel, const QByteArray &daten)
{
    QSaveFile datei(ziel.pfad);
    bool ok = datei.open(QIODevice::WriteOnly);
    if (ok) {
        if (const auto fehler = uebernehmen(int(datei.handle()), ziel)) {
            datei.cancelWriting();
            return fehler;
        }
        ok = datei.write(daten) == daten.size();
    }
    // QSaveFile::commit() renames even when its final flush fails (a full
    // disk cuts the buffered data short), so the flush is checked first.
    if (ok)
        ok = datei.flush();
    if (ok)
        ok = datei.commit();
    if (ok)
        return std::nullopt;
    const QFileDevice::FileError fehler = datei.error();
    datei.cancelWriting();
    return schreibgrund(fehler, ziel.pfad);
}
