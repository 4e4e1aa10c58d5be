#include "catalogue/dateizugang.h"

#include "catalogue/dateizugang_plattform.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>

#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Folders named through a kept handle, and their names for people.
QHash<QString, QString> &gezeigteNamen()
{
    static QHash<QString, QString> namen;
    return namen;
}

// A name from the file system as Qt names files, or nothing when its bytes
// are no UTF-8 and Qt could not open it under the decoded name.
std::optional<QString> alsQString(const QByteArray &name)
{
    const QString text = QFile::decodeName(name);
    if (QFile::encodeName(text) != name)
        return std::nullopt;
    return text;
}

QString artVon(mode_t modus)
{
    return QStringLiteral("Unter diesem Namen steht %1.").arg(dateiart(modus));
}

QByteArray ordnerVon(const QByteArray &name)
{
    const int schnitt = name.lastIndexOf('/');
    if (schnitt < 0)
        return QByteArrayLiteral(".");
    return schnitt == 0 ? QByteArrayLiteral("/") : name.left(schnitt);
}

QString verweisOhneZiel()
{
    return QStringLiteral(
        "Die Sortendatei ist ein Verweis (symbolischer Link), dem sich nicht folgen lässt.");
}

// One step along a symbolic link at `name`: `name` becomes its target, or
// false with the reason in `ziel` when the link must not be followed.
bool verweisFolgen(QByteArray &name, const struct stat &st, int tiefe, Dateiziel &ziel)
{
    const QByteArray ordner = ordnerVon(name);
    struct stat os;
    if (tiefe >= 8 || stat(ordner.constData(), &os) != 0) {
        ziel.verweigert = verweisOhneZiel();
        return false;
    }
    // A link planted by someone else in a folder others may write must not
    // steer a save onto a file of its choosing.
    if (st.st_uid != geteuid() && st.st_uid != os.st_uid) {
        ziel.verweigert = QStringLiteral("Die Sortendatei ist ein Verweis (symbolischer Link), der weder "
                                         "Ihnen noch dem Besitzer des Verzeichnisses gehört. Aus "
                                         "Sicherheitsgründen folgt das Programm ihm nicht.");
        return false;
    }
    QByteArray verweis(PATH_MAX, Qt::Uninitialized);
    const ssize_t n = readlink(name.constData(), verweis.data(), size_t(verweis.size()));
    if (n <= 0 || n >= verweis.size()) {
        ziel.verweigert = verweisOhneZiel();
        return false;
    }
    verweis.truncate(n);
    name = verweis.startsWith('/') ? verweis : ordner + '/' + verweis;
    return true;
}

// What `ziel` says of the regular file at `name`.
void dateiGefunden(const QByteArray &name, const struct stat &st, Dateiziel &ziel)
{
    const auto text = alsQString(name);
    if (!text) {
        ziel.verweigert = QStringLiteral("Die Sortendatei ist ein Verweis auf einen Namen, der nicht in "
                                         "UTF-8 geschrieben ist.");
        return;
    }
    ziel.pfad = *text;
    ziel.vorhanden = true;
    ziel.besitzer = st.st_uid;
    ziel.gruppe = st.st_gid;
    ziel.modus = st.st_mode & 07777;
    ziel.schreibgeschuetzt = !(st.st_mode & S_IWUSR);
}

// Reads the open regular file to its end, or one byte past the limit: that
// byte tells a file that grew meanwhile.
void allesLesen(int handle, qint64 groesse, Dateiinhalt &inhalt)
{
    inhalt.daten.resize(qsizetype(groesse) + 1);
    qsizetype gelesen = 0;
    while (gelesen <= KatalogHoechstgroesse) {
        if (gelesen == inhalt.daten.size())
            inhalt.daten.resize(qMin<qsizetype>(gelesen * 2 + 4096, KatalogHoechstgroesse + 1));
        const ssize_t n = read(handle, inhalt.daten.data() + gelesen, size_t(inhalt.daten.size() - gelesen));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            inhalt.fehler = QStringLiteral("Die Datei lässt sich nicht lesen: %1.").arg(systemfehler(errno));
            break;
        }
        if (n == 0)
            break;
        gelesen += n;
    }
    inhalt.daten.truncate(gelesen);
}

} // namespace

QString programmverzeichnis(const QByteArray &programmdatei)
{
    const int schnitt = programmdatei.lastIndexOf('/');
    if (!programmdatei.startsWith('/') || schnitt < 0)
        return QString();
    const QByteArray ordner = programmdatei.left(schnitt + 1);
#ifdef O_PATH
    // The folder as it was at start-up, whatever is renamed or made later.
    const int handle = open(ordner.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        const QString ueberHandle = QStringLiteral("/proc/self/fd/%1/").arg(handle);
        struct stat st;
        if (stat(QFile::encodeName(ueberHandle).constData(), &st) == 0) {
            gezeigteNamen().insert(ueberHandle, QFile::decodeName(ordner));
            return ueberHandle;
        }
        close(handle); // no /proc: the folder by its name
    }
#endif
    // Qt names files in UTF-8 only; without a handle, other names are lost.
    return alsQString(ordner).value_or(QString());
}

QString programmverzeichnis()
{
#ifdef Q_OS_LINUX
    // Qt's own answer is decoded already, and lossy for a folder whose name
    // is no UTF-8; the kernel's link holds the bytes.
    QByteArray puffer(PATH_MAX, Qt::Uninitialized);
    const ssize_t n = readlink("/proc/self/exe", puffer.data(), size_t(puffer.size()));
    if (n <= 0 || n >= puffer.size())
        return QString();
    puffer.truncate(n);
    return programmverzeichnis(puffer);
#else
    const QString ordner = QCoreApplication::applicationDirPath();
    return ordner.isEmpty() ? QString() : mitTrenner(ordner);
#endif
}

QString anzeigename(const QString &pfad)
{
    const auto &namen = gezeigteNamen();
    for (auto it = namen.cbegin(); it != namen.cend(); ++it) {
        if (!pfad.startsWith(it.key()))
            continue;
        QString ordner = it.value();
        // The kernel knows the folder's name now; a removed one it marks.
        QByteArray jetzt(PATH_MAX, Qt::Uninitialized);
        const QByteArray verweis = QFile::encodeName(it.key().chopped(1));
        const ssize_t n = readlink(verweis.constData(), jetzt.data(), size_t(jetzt.size()));
        if (n > 0 && n < jetzt.size() && jetzt.startsWith('/')
            && !QByteArray(jetzt.constData(), n).endsWith(" (deleted)"))
            ordner = mitTrenner(QFile::decodeName(jetzt.left(n)));
        return ordner + pfad.mid(it.key().size());
    }
    return pfad;
}

Dateiziel dateiziel(const QString &pfad)
{
    Dateiziel ziel;
    QByteArray name = QFile::encodeName(pfad);
    for (int tiefe = 0;; ++tiefe) {
        struct stat st;
        if (lstat(name.constData(), &st) != 0) {
            const int fehler = errno;
            if (fehler == ENOENT && tiefe == 0)
                ziel.pfad = pfad; // nothing there yet: the save creates it
            else if (fehler == ENOENT)
                ziel.verweigert = QStringLiteral("Die Sortendatei ist ein Verweis (symbolischer Link) auf "
                                                 "„%1“, das es nicht gibt.")
                                      .arg(QFile::decodeName(name));
            else
                ziel.verweigert =
                    QStringLiteral("Die Datei lässt sich nicht prüfen: %1.").arg(systemfehler(fehler));
            return ziel;
        }
        if (S_ISLNK(st.st_mode)) {
            if (!verweisFolgen(name, st, tiefe, ziel))
                return ziel;
            continue;
        }
        if (S_ISREG(st.st_mode))
            dateiGefunden(name, st, ziel);
        else
            ziel.verweigert = artVon(st.st_mode);
        return ziel;
    }
}

void zielLesen(const QString &pfad, Dateiinhalt &inhalt)
{
    // Without O_NONBLOCK, a FIFO put there between the check and the open
    // would hold the program before its window ever shows.
    const int handle =
        open(QFile::encodeName(pfad).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    if (handle < 0) {
        const int fehler = errno;
        if (fehler == ENOENT)
            inhalt.vorhanden = false;
        else if (fehler == EACCES)
            inhalt.fehler = QStringLiteral("Es fehlt die Berechtigung, die Datei zu lesen.");
        else
            inhalt.fehler =
                QStringLiteral("Die Datei lässt sich nicht öffnen: %1.").arg(systemfehler(fehler));
        return;
    }
    struct stat st;
    if (fstat(handle, &st) != 0)
        inhalt.fehler = QStringLiteral("Die Datei lässt sich nicht prüfen: %1.").arg(systemfehler(errno));
    else if (!S_ISREG(st.st_mode))
        inhalt.fehler = artVon(st.st_mode);
    else if (st.st_size > KatalogHoechstgroesse)
        inhalt.fehler = zuGross();
    else
        allesLesen(handle, st.st_size, inhalt);
    close(handle);
}

void dateigrenzeOhneSignal()
{
    struct sigaction bisher;
    if (sigaction(SIGXFSZ, nullptr, &bisher) == 0 && bisher.sa_handler == SIG_DFL)
        signal(SIGXFSZ, SIG_IGN);
}

QString dateiart(unsigned modus)
{
    if (S_ISDIR(modus))
        return QStringLiteral("ein Verzeichnis");
    if (S_ISFIFO(modus))
        return QStringLiteral("keine Datei, sondern eine benannte Pipe (FIFO)");
    if (S_ISSOCK(modus))
        return QStringLiteral("keine Datei, sondern ein Socket");
    if (S_ISCHR(modus) || S_ISBLK(modus))
        return QStringLiteral("keine Datei, sondern ein Gerät");
    if (S_ISLNK(modus))
        return QStringLiteral("ein Verweis (symbolischer Link)");
    return QStringLiteral("keine gewöhnliche Datei");
}
