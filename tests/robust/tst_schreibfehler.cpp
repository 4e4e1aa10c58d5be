// Write faults of the catalogue write. Whatever stops the write, the file
// that was there before is still there byte for byte, nothing half-written
// is left next to it, and the caller gets a message saying why.
//
// Tests run as root in CI, where permission bits stop no write. The cases
// that rest on them therefore write from a forked child that has given up
// root for the user 'nobody'; the file-size limit is set in a child too, so
// it cannot cut the test run's own output short.

#include "catalogue/dateizugang.h"
#include "catalogue/katalog.h"
#include "catalogue/sperre.h"
#include "common/dateigrenze.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString Dateiname = QStringLiteral("AlkoholSorten.txt");
const QString Sperrname = Dateiname + QStringLiteral(".lock");

// The catalogue on disk before the write: three kinds, one with an umlaut.
const QByteArray AlterInhalt = "\"Bier\",\"5%\",\"500\"\r\n"
                               "\"K\xf6lsch\",\"5%\",\"200\"\r\n"
                               "\"Korn\",\"32%\",\"20\"\r\n";

// The table the program wants to write: all 200 rows, about 6 kB on disk,
// so that a write cut short is cut in the middle of it.
SortenTabelle volleTabelle()
{
    SortenTabelle t;
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        t[z] = {QStringLiteral("Sorte Nummer %1 (Weißbier)").arg(z), QStringLiteral("%1%").arg(z % 101),
                QString::number(100 + z)};
    return t;
}

QByteArray inhalt(const QString &pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<nicht lesbar>");
}

void schreibe(const QString &pfad, const QByteArray &daten)
{
    QFile f(pfad);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(f.errorString()));
    QCOMPARE(f.write(daten), daten.size());
}

// Names in a directory, hidden ones included: a temporary file that a
// failed write left behind shows up here.
QStringList eintraege(const QString &verzeichnis)
{
    return QDir(verzeichnis)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

struct Ausgang
{
    bool gelaufen = false; // the child got as far as the write
    QString ohneRechte;    // why the child could not drop root, if it could not
    QString abbruch;       // how the child ended, when it did not answer
    std::optional<QString> meldung;
};

struct Kindvorgaben
{
    bool alsNobody = false;
    rlim_t dateigrenze = RLIM_INFINITY;
};

// Runs `schreiben` in a forked child and brings back what it returned.
Ausgang imKind(const Kindvorgaben &vorgaben, const std::function<std::optional<QString>()> &schreiben)
{
    int rohr[2];
    if (pipe(rohr) != 0)
        qFatal("pipe: %s", strerror(errno));
    const pid_t kind = fork();
    if (kind < 0)
        qFatal("fork: %s", strerror(errno));
    if (kind == 0) {
        close(rohr[0]);
        alarm(20); // a child that waits or reads for ever fails the test instead of holding it
        auto antworte = [&](char art, const QByteArray &text) {
            const QByteArray paket = art + text;
            qsizetype geschrieben = 0;
            while (geschrieben < paket.size()) {
                const ssize_t n =
                    write(rohr[1], paket.constData() + geschrieben, size_t(paket.size() - geschrieben));
                if (n <= 0)
                    break;
                geschrieben += n;
            }
            _exit(0);
        };
        if (vorgaben.alsNobody) {
            const passwd *nobody = getpwnam("nobody");
            if (!nobody)
                antworte('R', "es gibt keinen Benutzer 'nobody'");
            if (setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0)
                antworte('R', QByteArray("setuid: ") + strerror(errno));
            if (setuid(0) == 0)
                antworte('R', "root lässt sich wiedererlangen");
            // Keeps /proc/self readable for the sanitizers' reports.
            prctl(PR_SET_DUMPABLE, 1);
        }
        // Ends with the child: it never returns from here.
        std::optional<Dateigrenze> grenze;
        if (vorgaben.dateigrenze != RLIM_INFINITY) {
            grenze.emplace(vorgaben.dateigrenze);
            if (!grenze->aktiv())
                antworte('R', QByteArray("setrlimit: ") + strerror(errno));
        }
        const std::optional<QString> meldung = schreiben();
        antworte(meldung ? 'F' : 'O', meldung ? meldung->toUtf8() : QByteArray());
    }
    close(rohr[1]);
    QByteArray antwort;
    char puffer[4096];
    ssize_t n;
    while ((n = read(rohr[0], puffer, sizeof puffer)) > 0)
        antwort.append(puffer, n);
    close(rohr[0]);
    int status = 0;
    waitpid(kind, &status, 0);

    Ausgang a;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || antwort.isEmpty()) {
        a.abbruch = WIFSIGNALED(status)
            ? QStringLiteral("Kindprozess durch Signal %1 beendet").arg(WTERMSIG(status))
            : QStringLiteral("Kindprozess endete mit Status %1").arg(status);
        return a;
    }
    const QString text = QString::fromUtf8(antwort.mid(1));
    switch (antwort[0]) {
    case 'R':
        a.ohneRechte = text;
        break;
    case 'F':
        a.gelaufen = true;
        a.meldung = text;
        break;
    default:
        a.gelaufen = true;
        break;
    }
    return a;
}

// What a tool printed, or nothing when it failed.
std::optional<QByteArray> ausgabe(const char *programm, const QStringList &argumente)
{
    QProcess p;
    p.start(QString::fromLatin1(programm), argumente);
    if (!p.waitForFinished() || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return p.readAllStandardOutput();
}

bool istRoot()
{
    return geteuid() == 0;
}

// The add dialog's save: the new kind after the table's last one; the
// message when it was not saved.
std::optional<QString> anhaengen(const QString &datei, SortenTabelle &tabelle, const QString &name)
{
    return katalogAendern(datei, tabelle,
                          [name](SortenTabelle &t, bool) -> Katalogergebnis {
                              const int z = sorteAnfuegen(
                                  t, letzteZeile(t), {name, QStringLiteral("5%"), QStringLiteral("500")});
                              return {z, z ? std::nullopt : std::optional<QString>(QStringLiteral("voll"))};
                          })
        .fehler;
}

// What lstat says a name is, as a word for failure output.
QString artAn(const QString &pfad)
{
    struct stat st;
    if (lstat(QFile::encodeName(pfad).constData(), &st) != 0)
        return QStringLiteral("nichts");
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("Verweis");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("FIFO");
    if (S_ISSOCK(st.st_mode))
        return QStringLiteral("Socket");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("Verzeichnis");
    return S_ISREG(st.st_mode) ? QStringLiteral("Datei") : QStringLiteral("anderes");
}

} // namespace

class Schreibfehler : public QObject
{
    Q_OBJECT

private:
    // A directory all users can reach, holding the program directory.
    std::unique_ptr<QTemporaryDir> m_basis;
    QString m_programm;
    QString m_datei;

    void pruefeUnveraendert(const QStringList &vorher);
    void pruefeMeldung(const std::optional<QString> &meldung, const QString &grund);
    bool nobodyGehoert(const QString &pfad);
    bool schreibenAls(bool nobody, rlim_t grenze, Ausgang &a);

private slots:
    void init();
    void cleanup();

    void gegenprobe_data();
    void gegenprobe();
    void schreibschutz_data();
    void schreibschutz();
    void verzeichnisVerschwunden_data();
    void verzeichnisVerschwunden();
    void dateiZuGross();
    void nameIstVerzeichnis();

    void keineGewoehnlicheDatei_data();
    void keineGewoehnlicheDatei();
    void verweise_data();
    void verweise();
    void besitzUndRechte_data();
    void besitzUndRechte();
    void programmverzeichnis_data();
    void programmverzeichnis();
    void gleichzeitigeSpeicherungen_data();
    void gleichzeitigeSpeicherungen();
};

void Schreibfehler::init()
{
    m_basis = std::make_unique<QTemporaryDir>();
    QVERIFY(m_basis->isValid());
    QVERIFY(QFile::setPermissions(m_basis->path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                      | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    m_programm = m_basis->filePath(QStringLiteral("programm"));
    QVERIFY(QDir().mkdir(m_programm));
    m_datei = m_programm + u'/' + Dateiname;
    schreibe(m_datei, AlterInhalt);
}

void Schreibfehler::cleanup()
{
    // Give everything back to the owner so that it can be removed.
    if (!m_programm.isEmpty())
        chmod(QFile::encodeName(m_programm).constData(), 0755);
    m_basis.reset();
}

// Hands a file or directory to 'nobody', the user the writing child becomes
// when the tests run as root. False when the test cannot go on.
bool Schreibfehler::nobodyGehoert(const QString &pfad)
{
    if (!istRoot())
        return true; // then the test's own user plays the part
    const passwd *nobody = getpwnam("nobody");
    if (!nobody) {
        QTest::qSkip("Als root braucht dieser Test den Benutzer 'nobody', den es hier nicht gibt.", __FILE__,
                     __LINE__);
        return false;
    }
    if (chown(QFile::encodeName(pfad).constData(), nobody->pw_uid, nobody->pw_gid) != 0) {
        QTest::qFail(
            qPrintable(QStringLiteral("chown %1: %2").arg(pfad, QString::fromLocal8Bit(strerror(errno)))),
            __FILE__, __LINE__);
        return false;
    }
    return true;
}

// The catalogue write of the full table from a child, as 'nobody' if asked
// and the tests run as root. False when the test cannot go on.
bool Schreibfehler::schreibenAls(bool nobody, rlim_t grenze, Ausgang &a)
{
    const QString datei = m_datei;
    a = imKind({nobody && istRoot(), grenze},
               [datei] { return katalogDateiSchreiben(datei, volleTabelle()); });
    if (!a.abbruch.isEmpty()) {
        QTest::qFail(qPrintable(a.abbruch), __FILE__, __LINE__);
        return false;
    }
    if (!a.ohneRechte.isEmpty()) {
        QTest::qSkip(qPrintable(QStringLiteral("Der Kindprozess konnte die Rechte nicht abgeben (%1); "
                                               "als root hindert ein Schreibschutz nicht am Schreiben.")
                                    .arg(a.ohneRechte)),
                     __FILE__, __LINE__);
        return false;
    }
    if (!a.gelaufen) {
        QTest::qFail("Der Kindprozess hat nicht geschrieben", __FILE__, __LINE__);
        return false;
    }
    return true;
}

void Schreibfehler::pruefeUnveraendert(const QStringList &vorher)
{
    QCOMPARE(inhalt(m_datei), AlterInhalt);
    QCOMPARE(eintraege(m_programm), vorher);
}

void Schreibfehler::pruefeMeldung(const std::optional<QString> &meldung, const QString &grund)
{
    QVERIFY2(meldung.has_value(), "das Schreiben wurde als gelungen gemeldet");
    QVERIFY2(meldung->contains(m_datei), qPrintable(*meldung));
    QVERIFY2(meldung->contains(QStringLiteral("unverändert")), qPrintable(*meldung));
    QVERIFY2(meldung->contains(grund), qPrintable(*meldung));
}

// The same child, the same rights and the same limit, with nothing in the way:
// the write succeeds. Without this, a harness that failed every write would
// make every test below pass.
void Schreibfehler::gegenprobe_data()
{
    QTest::addColumn<bool>("nobody");
    QTest::addColumn<qint64>("grenze");
    QTest::newRow("im Kind") << false << qint64(-1);
    QTest::newRow("als nobody") << true << qint64(-1);
    QTest::newRow("Grenze über der Dateigröße") << false << qint64(1 << 20);
}

void Schreibfehler::gegenprobe()
{
    QFETCH(bool, nobody);
    QFETCH(qint64, grenze);
    if (nobody && !nobodyGehoert(m_programm))
        return;
    if (!nobodyGehoert(m_datei))
        return;
    Ausgang a;
    if (!schreibenAls(nobody, grenze < 0 ? RLIM_INFINITY : rlim_t(grenze), a))
        return;
    QVERIFY2(!a.meldung, qPrintable(a.meldung.value_or(QString())));
    QCOMPARE(inhalt(m_datei), katalogDaten(volleTabelle()));
    QCOMPARE(eintraege(m_programm), QStringList{Dateiname});
}

// A write-protected file in a writable directory, and a writable file in a
// write-protected directory (no new file can be made next to it).
// A read-only file system stops root too, and is named as what it is.
void Schreibfehler::schreibschutz_data()
{
    QTest::addColumn<bool>("verzeichnis"); // else the file is protected
    QTest::addColumn<bool>("nurLesbar");   // the folder is on a read-only mount
    QTest::addColumn<QString>("grund");
    QTest::newRow("Datei") << false << false << "Die Datei ist schreibgeschützt";
    QTest::newRow("Verzeichnis") << true << false << "Das Verzeichnis ist schreibgeschützt";
    QTest::newRow("Datenträger nur lesbar") << false << true << "nur zum Lesen eingebunden";
}

void Schreibfehler::schreibschutz()
{
    QFETCH(bool, verzeichnis);
    QFETCH(bool, nurLesbar);
    QFETCH(QString, grund);
    if (nurLesbar) {
        schreibe(m_programm + u'/' + Sperrname, QByteArray()); // so that the lock is no obstacle
        const QStringList vorher = eintraege(m_programm);
        const QByteArray ordner = QFile::encodeName(m_programm);
        const QString datei = m_datei;
        const Ausgang a = imKind({}, [ordner, datei]() -> std::optional<QString> {
            // Read-only in the child's own mount namespace only.
            if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                || mount(ordner, ordner, nullptr, MS_BIND, nullptr) != 0
                || mount(nullptr, ordner, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
                return QStringLiteral("ohne mount: %1").arg(QString::fromLocal8Bit(strerror(errno)));
            SortenTabelle t;
            katalogDateiLesen(datei, t);
            return anhaengen(datei, t, QStringLiteral("Met"));
        });
        if (a.meldung && a.meldung->startsWith(QStringLiteral("ohne mount")))
            QSKIP(
                "Ohne Recht auf einen eigenen Mount-Namensraum lässt sich kein Verzeichnis schreibschützen.");
        QVERIFY2(a.gelaufen, qPrintable(a.abbruch));
        pruefeUnveraendert(vorher);
        pruefeMeldung(a.meldung, grund);
        return;
    }
    if (!nobodyGehoert(verzeichnis ? m_datei : m_programm))
        return;
    if (verzeichnis)
        QVERIFY(QFile::setPermissions(m_programm,
                                      QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                          | QFile::ReadOther | QFile::ExeOther));
    else
        QVERIFY(QFile::setPermissions(m_datei, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QStringList vorher = eintraege(m_programm);
    Ausgang a;
    if (!schreibenAls(true, RLIM_INFINITY, a))
        return;
    pruefeUnveraendert(vorher);
    if (QTest::currentTestFailed())
        return;
    pruefeMeldung(a.meldung, grund);
}

// The program directory is moved away while the program runs. Named by its
// path, the save must not create it anew. Named through the handle start-up
// keeps, the catalogue moves with the folder, and a folder made under the old
// name is no concern of the program's; a folder removed is refused.
void Schreibfehler::verzeichnisVerschwunden_data()
{
    QTest::addColumn<bool>("ueberHandle");
    QTest::addColumn<bool>("entfernt");
    QTest::newRow("verschoben, über den Pfad") << false << false;
    QTest::newRow("verschoben, ein neuer am alten Ort") << true << false;
    QTest::newRow("entfernt") << true << true;
}

void Schreibfehler::verzeichnisVerschwunden()
{
    QFETCH(bool, ueberHandle);
    QFETCH(bool, entfernt);
    const QString pfad = ueberHandle
        ? ::programmverzeichnis(QFile::encodeName(m_programm + QStringLiteral("/promille")))
        : m_programm + u'/';
    QVERIFY(pfad.startsWith(ueberHandle ? QStringLiteral("/proc/self/fd/") : m_programm));
    SortenTabelle t;
    QCOMPARE(katalogDateiLesen(pfad + Dateiname, t), Lesestand::Gelesen);
    const QString neu = m_basis->filePath(QStringLiteral("verschoben"));
    QVERIFY(QDir().rename(m_programm, neu));
    if (entfernt)
        QVERIFY(QDir(neu).removeRecursively());
    else if (ueberHandle)
        QVERIFY(QDir().mkdir(m_programm));
    const auto meldung = anhaengen(pfad + Dateiname, t, QStringLiteral("Met"));
    QCOMPARE(eintraege(m_programm), QStringList());
    if (entfernt || !ueberHandle) {
        pruefeMeldung(meldung, QStringLiteral("Verzeichnis ist nicht mehr vorhanden"));
        // The write alone, without the lock that finds it first, says so too.
        pruefeMeldung(katalogDateiSchreiben(pfad + Dateiname, t),
                      QStringLiteral("Verzeichnis ist nicht mehr vorhanden"));
        QCOMPARE(inhalt(neu + u'/' + Dateiname), entfernt ? QByteArray("<nicht lesbar>") : AlterInhalt);
        return;
    }
    QVERIFY2(!meldung, qPrintable(*meldung));
    QCOMPARE(inhalt(neu + u'/' + Dateiname), AlterInhalt + "\"Met\",\"5%\",\"500\"\r\n");
}

void Schreibfehler::dateiZuGross()
{
    // The limit lets the old file's size through but stops the new contents
    // part-way, as a full disk would.
    const QByteArray neu = katalogDaten(volleTabelle());
    const rlim_t grenze = 1000;
    QVERIFY(AlterInhalt.size() < qsizetype(grenze) && neu.size() > 4 * qsizetype(grenze));
    const QStringList vorher = eintraege(m_programm);
    Ausgang a;
    if (!schreibenAls(false, grenze, a))
        return;
    pruefeUnveraendert(vorher);
    if (QTest::currentTestFailed())
        return;
    pruefeMeldung(a.meldung, QStringLiteral("nicht vollständig geschrieben"));
}

void Schreibfehler::nameIstVerzeichnis()
{
    // Where the catalogue should be, there is a directory with a file in it.
    QVERIFY(QFile::remove(m_datei));
    QVERIFY(QDir().mkdir(m_datei));
    const QString darin = m_datei + QStringLiteral("/notiz.txt");
    schreibe(darin, AlterInhalt);
    const QStringList vorher = eintraege(m_programm);

    const std::optional<QString> meldung = katalogDateiSchreiben(m_datei, volleTabelle());
    QVERIFY(QFileInfo(m_datei).isDir());
    QCOMPARE(inhalt(darin), AlterInhalt);
    QCOMPARE(eintraege(m_datei), QStringList{QStringLiteral("notiz.txt")});
    QCOMPARE(eintraege(m_programm), vorher);
    pruefeMeldung(meldung, QStringLiteral("Unter diesem Namen steht ein Verzeichnis"));
}

// Names that are no regular file: the list stays empty at once (no wait on a
// FIFO, no endless read of a device), and every save is refused, naming the
// cause, with the thing at the name left as it was.
void Schreibfehler::keineGewoehnlicheDatei_data()
{
    QTest::addColumn<QString>("art");
    QTest::addColumn<QString>("grund"); // part of both messages
    QTest::addColumn<bool>("sperre");   // it stands at the lock's name, the catalogue is sound

    QTest::newRow("FIFO") << "FIFO"
                          << "benannte Pipe" << false;
    QTest::newRow("Socket") << "Socket"
                            << "Socket" << false;
    QTest::newRow("Verweis auf /dev/zero") << "Gerät"
                                           << "Gerät" << false;
    QTest::newRow("Verweis ins Leere") << "Leere"
                                       << "das es nicht gibt" << false;
    QTest::newRow("zu große Datei") << "groß"
                                    << "größer als 4 MiB" << false;
    QTest::newRow("Sperre: FIFO") << "FIFO"
                                  << "benannte Pipe" << true;
    QTest::newRow("Sperre: Verzeichnis") << "Verzeichnis"
                                         << "ein Verzeichnis" << true;
    QTest::newRow("Sperre: Verweis auf /dev/zero") << "Gerät"
                                                   << "Verweis" << true;
    QTest::newRow("Sperre: Verweis auf eine fremde Datei") << "fremder Verweis"
                                                           << "Verweis" << true;
}

void Schreibfehler::keineGewoehnlicheDatei()
{
    QFETCH(QString, art);
    QFETCH(QString, grund);
    QFETCH(bool, sperre);
    const QString ort = sperre ? m_programm + u'/' + Sperrname : m_datei;
    if (!sperre)
        QVERIFY(QFile::remove(m_datei));
    const QByteArray name = QFile::encodeName(ort);
    int socketHandle = -1;
    if (art == u"FIFO") {
        QCOMPARE(mkfifo(name.constData(), 0644), 0);
    } else if (art == u"Socket") {
        socketHandle = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un adresse{};
        adresse.sun_family = AF_UNIX;
        QVERIFY(size_t(name.size()) < sizeof adresse.sun_path);
        memcpy(adresse.sun_path, name.constData(), size_t(name.size()));
        QCOMPARE(bind(socketHandle, reinterpret_cast<sockaddr *>(&adresse), sizeof adresse), 0);
    } else if (art == u"Gerät") {
        QCOMPARE(symlink("/dev/zero", name.constData()), 0);
    } else if (art == u"Leere") {
        QCOMPARE(symlink("fehlt.txt", name.constData()), 0);
    } else if (art == u"Verzeichnis") {
        QCOMPARE(mkdir(name.constData(), 0755), 0);
    } else if (art == u"fremder Verweis") {
        schreibe(m_basis->filePath(QStringLiteral("fremd")), "1234\n");
        QCOMPARE(symlink(QFile::encodeName(m_basis->filePath(QStringLiteral("fremd"))), name.constData()), 0);
    } else {
        schreibe(m_datei, AlterInhalt.repeated(int(KatalogHoechstgroesse / AlterInhalt.size()) + 1));
    }
    const QString vorherArt = artAn(ort);
    const QStringList vorher = eintraege(m_programm);
    if (sperre) {
        // In a child: a save that waits on the thing fails instead of hanging.
        const QString datei = m_datei;
        const Ausgang a = imKind({}, [datei] {
            SortenTabelle t;
            katalogDateiLesen(datei, t);
            return anhaengen(datei, t, QStringLiteral("Met"));
        });
        QVERIFY2(a.gelaufen, qPrintable(a.abbruch));
        pruefeUnveraendert(vorher);
        QCOMPARE(artAn(ort), vorherArt);
        pruefeMeldung(a.meldung, grund);
        QVERIFY2(!a.meldung->contains(QStringLiteral("anderes Fenster")), qPrintable(*a.meldung));
        return;
    }

    SortenTabelle t;
    t[1] = {QStringLiteral("alt"), QStringLiteral("1%"), QStringLiteral("1")};
    QCOMPARE(katalogDateiLesen(m_datei, t), Lesestand::Unlesbar);
    QVERIFY(!t[1].gefuellt());
    QVERIFY2(t.unlesbarGrund.contains(grund), qPrintable(t.unlesbarGrund));

    // A file over the bound is a regular file: only the table read from it
    // knows it must not be replaced.
    const bool zuGross = art == u"groß";
    QList<std::optional<QString>> meldungen{anhaengen(m_datei, t, QStringLiteral("Met"))};
    if (!zuGross)
        meldungen.append(katalogDateiSchreiben(m_datei, volleTabelle()));
    if (socketHandle >= 0)
        close(socketHandle);
    for (const auto &meldung : meldungen) {
        QVERIFY2(meldung && meldung->contains(grund) && meldung->contains(m_datei),
                 qPrintable(meldung.value_or(QStringLiteral("<gespeichert>"))));
    }
    QCOMPARE(artAn(m_datei), vorherArt);
    QStringList jetzt = eintraege(m_programm);
    jetzt.removeOne(Sperrname); // the lock stays, empty
    QCOMPARE(jetzt, vorher);
    if (zuGross)
        QCOMPARE(QFileInfo(m_datei).size(),
                 (KatalogHoechstgroesse / AlterInhalt.size() + 1) * AlterInhalt.size());
}

// A link is followed, and its target replaced with the link left a link,
// only when it is the user's own or the folder owner's; a link that someone
// else planted in a folder all may write leads nowhere.
void Schreibfehler::verweise_data()
{
    QTest::addColumn<bool>("linkNobody");   // the link belongs to 'nobody'
    QTest::addColumn<bool>("ordnerNobody"); // the folder belongs to 'nobody'
    QTest::addColumn<bool>("gefolgt");

    QTest::newRow("eigener Verweis") << false << false << true;
    QTest::newRow("Verweis des Ordnerbesitzers") << true << true << true;
    QTest::newRow("fremder Verweis") << true << false << false;
}

void Schreibfehler::verweise()
{
    QFETCH(bool, linkNobody);
    QFETCH(bool, ordnerNobody);
    QFETCH(bool, gefolgt);
    if ((linkNobody || ordnerNobody) && !istRoot())
        QSKIP("Verweise eines anderen Benutzers kann nur root anlegen.");
    const passwd *nobody = getpwnam("nobody");
    if ((linkNobody || ordnerNobody) && !nobody)
        QSKIP("Es gibt keinen Benutzer 'nobody'.");

    // The target lies outside the program's folder, as a root-only file would.
    const QString ziel = m_basis->filePath(QStringLiteral("ziel.txt"));
    QVERIFY(QFile::rename(m_datei, ziel));
    const QByteArray link = QFile::encodeName(m_datei);
    QCOMPARE(symlink(QFile::encodeName(ziel).constData(), link.constData()), 0);
    // Writable for all, as /tmp is, but not sticky: the rule holds anyway.
    QCOMPARE(chmod(QFile::encodeName(m_programm).constData(), 0777), 0);
    if (linkNobody)
        QCOMPARE(lchown(link.constData(), nobody->pw_uid, nobody->pw_gid), 0);
    if (ordnerNobody)
        QCOMPARE(chown(QFile::encodeName(m_programm).constData(), nobody->pw_uid, nobody->pw_gid), 0);

    SortenTabelle t;
    const Lesestand stand = katalogDateiLesen(m_datei, t);
    const auto meldung = anhaengen(m_datei, t, QStringLiteral("Met"));
    QCOMPARE(artAn(m_datei), QStringLiteral("Verweis"));
    if (gefolgt) {
        QCOMPARE(stand, Lesestand::Gelesen);
        QVERIFY2(!meldung, qPrintable(meldung.value_or(QString())));
        QCOMPARE(inhalt(ziel), AlterInhalt + "\"Met\",\"5%\",\"500\"\r\n");
    } else {
        QCOMPARE(stand, Lesestand::Unlesbar);
        QVERIFY2(meldung && meldung->contains(QStringLiteral("Sicherheitsgründen")),
                 qPrintable(meldung.value_or(QStringLiteral("<gespeichert>"))));
        QCOMPARE(inhalt(ziel), AlterInhalt);
    }
    QCOMPARE(eintraege(m_programm), QStringList{Dateiname});
}

// A save keeps the file's owner, group, mode, ACL and user attributes; a
// file whose owner may not write it is not written, not even by root.
void Schreibfehler::besitzUndRechte_data()
{
    QTest::addColumn<bool>("nobodyGehoertSie");
    QTest::addColumn<int>("modus");
    QTest::addColumn<bool>("geschrieben");
    QTest::addColumn<QString>("acl"); // for setfacl -m, with a user attribute

    QTest::newRow("eigene, 0604") << false << 0604 << true << "";
    QTest::newRow("fremde, 0640") << true << 0640 << true << "";
    QTest::newRow("0444") << false << 0444 << false << "";
    QTest::newRow("ACL und Attribut") << false << 0640 << true << "u:nobody:rw,g:daemon:r,m:rw";
}

void Schreibfehler::besitzUndRechte()
{
    QFETCH(bool, nobodyGehoertSie);
    QFETCH(int, modus);
    QFETCH(bool, geschrieben);
    if (nobodyGehoertSie && !istRoot())
        QSKIP("Eine Datei eines anderen Benutzers ersetzen kann nur root.");
    if (!geschrieben && !istRoot())
        QSKIP("Der Fall, dass die Rechte das Schreiben nicht verbieten, gibt es nur für root.");
    if (nobodyGehoertSie && !nobodyGehoert(m_datei))
        return;
    const QByteArray name = QFile::encodeName(m_datei);
    QCOMPARE(chmod(name.constData(), mode_t(modus)), 0);
    QFETCH(QString, acl);
    if (!acl.isEmpty()
        && (!ausgabe("setfacl", {"-m", acl, m_datei})
            || !ausgabe("setfattr", {"-n", "user.wer", "-v", "wir", m_datei})))
        QSKIP("Das Dateisystem der Tests kennt keine ACL oder erweiterten Attribute.");
    const auto attribute = [&] {
        return ausgabe("getfacl", {"-c", m_datei}).value_or("?") + *ausgabe("getfattr", {"-d", m_datei});
    };
    const QByteArray attributeVorher = attribute();
    struct stat vorher;
    QCOMPARE(stat(name.constData(), &vorher), 0);

    const auto meldung = katalogDateiSchreiben(m_datei, volleTabelle());
    struct stat nachher;
    QCOMPARE(stat(name.constData(), &nachher), 0);
    QCOMPARE(nachher.st_uid, vorher.st_uid);
    QCOMPARE(nachher.st_gid, vorher.st_gid);
    QCOMPARE(nachher.st_mode, vorher.st_mode);
    QCOMPARE(attribute(), attributeVorher);
    if (geschrieben) {
        QVERIFY2(!meldung, qPrintable(meldung.value_or(QString())));
        QCOMPARE(inhalt(m_datei), katalogDaten(volleTabelle()));
    } else {
        pruefeMeldung(meldung, QStringLiteral("Die Datei ist schreibgeschützt"));
        QCOMPARE(inhalt(m_datei), AlterInhalt);
    }
}

// The catalogue beside the program, whatever the folder's name is made of;
// without a folder, nothing is read or written anywhere.
void Schreibfehler::programmverzeichnis_data()
{
    QTest::addColumn<QByteArray>("ordner"); // below the test's base folder; empty: no path
    QTest::addColumn<bool>("gefunden");

    QTest::newRow("UTF-8") << QByteArray("Getr\xc3\xa4nke") << true;
    QTest::newRow("Latin-1, kein UTF-8") << QByteArray("Getr\xe4nke") << true;
    QTest::newRow("kein absoluter Pfad") << QByteArray() << false;
}

void Schreibfehler::programmverzeichnis()
{
    QFETCH(QByteArray, ordner);
    QFETCH(bool, gefunden);
    QByteArray programm = "promille";
    QByteArray katalog;
    if (!ordner.isEmpty()) {
        const QByteArray pfad = QFile::encodeName(m_basis->path()) + '/' + ordner;
        QCOMPARE(mkdir(pfad.constData(), 0755), 0);
        katalog = pfad + "/AlkoholSorten.txt";
        const int f = open(katalog.constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(f >= 0);
        QCOMPARE(write(f, AlterInhalt.constData(), size_t(AlterInhalt.size())), ssize_t(AlterInhalt.size()));
        close(f);
        programm = pfad + "/promille";
    }

    const QString pfad = ::programmverzeichnis(programm);
    QCOMPARE(!pfad.isEmpty(), gefunden);
    const QString datei = pfad.isEmpty() ? QString() : pfad + QStringLiteral("AlkoholSorten.txt");
    SortenTabelle t;
    int n = 0;
    QCOMPARE(katalogDateiLesen(datei, t, &n), gefunden ? Lesestand::Gelesen : Lesestand::Unlesbar);
    QCOMPARE(n, gefunden ? 3 : 0);
    const auto meldung = anhaengen(datei, t, QStringLiteral("Met"));
    if (!gefunden) {
        QVERIFY(meldung && meldung->contains(QStringLiteral("Verzeichnis des Programms")));
        return;
    }
    QVERIFY2(!meldung, qPrintable(*meldung));
    QCOMPARE(t[4].Name, QStringLiteral("Met"));
    const int f = open(katalog.constData(), O_RDONLY);
    QVERIFY(f >= 0);
    QByteArray jetzt(4096, Qt::Uninitialized);
    jetzt.truncate(read(f, jetzt.data(), size_t(jetzt.size())));
    close(f);
    QCOMPARE(jetzt, AlterInhalt + "\"Met\",\"5%\",\"500\"\r\n");
    // Messages name the folder as a person knows it.
    QVERIFY2(anzeigename(datei).startsWith(m_basis->path() + QStringLiteral("/Getr")),
             qPrintable(anzeigename(datei)));
    // Qt cannot name the folder to remove it.
    QCOMPARE(unlink(katalog.constData()), 0);
    QCOMPARE(unlink((katalog + ".lock").constData()), 0);
    QCOMPARE(rmdir(QFile::encodeName(m_basis->path() + u'/').append(ordner).constData()), 0);
}

// Copies of the program that each read the catalogue once and then keep
// adding kinds: every kind of every copy ends up in the file once. Whatever a
// copy left at the lock's name does not stop the others: a lock file it never
// wrote into, the lock of a copy that hung (which makes a save wait and give
// up) once that copy has ended.
void Schreibfehler::gleichzeitigeSpeicherungen_data()
{
    QTest::addColumn<QString>("vorher");
    QTest::newRow("keine Sperrdatei") << "";
    QTest::newRow("leere Sperrdatei") << "leer";
    QTest::newRow("Sperre einer hängenden Kopie") << "gehalten";
}

void Schreibfehler::gleichzeitigeSpeicherungen()
{
    QFETCH(QString, vorher);
    schreibe(m_datei, QByteArray());
    const QString sperrdatei = m_programm + u'/' + Sperrname;
    if (vorher == u"leer")
        schreibe(sperrdatei, QByteArray());
    if (vorher == u"gehalten") {
        // A lock of its own file description conflicts even in one process.
        Katalogsperre andere;
        QVERIFY(!andere.nehmen(sperrdatei, 0));
        SortenTabelle t;
        const auto meldung = anhaengen(m_datei, t, QStringLiteral("Met"));
        QVERIFY2(meldung && meldung->contains(QStringLiteral("anderes Fenster")),
                 qPrintable(meldung.value_or(QStringLiteral("<gespeichert>"))));
    }

    constexpr int Kopien = 4;
    constexpr int Je = 25;
    std::vector<pid_t> kinder;
    for (int k = 0; k < Kopien; ++k) {
        const pid_t kind = fork();
        QVERIFY(kind >= 0);
        if (kind == 0) {
            SortenTabelle t;
            katalogDateiLesen(m_datei, t);
            int fehler = 0;
            for (int i = 0; i < Je; ++i)
                if (anhaengen(m_datei, t, QStringLiteral("Kopie %1 Sorte %2").arg(k).arg(i)))
                    ++fehler;
            _exit(fehler);
        }
        kinder.push_back(kind);
    }
    for (const pid_t kind : kinder) {
        int status = 0;
        waitpid(kind, &status, 0);
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "eine Kopie konnte nicht speichern");
    }

    SortenTabelle t;
    int n = 0;
    QCOMPARE(katalogDateiLesen(m_datei, t, &n), Lesestand::Gelesen);
    QCOMPARE(n, Kopien * Je);
    QStringList namen;
    for (int z = 1; z <= n; ++z)
        namen.append(t[z].Name);
    namen.removeDuplicates();
    QCOMPARE(namen.size(), Kopien * Je);
    QCOMPARE(eintraege(m_programm), (QStringList{Dateiname, Sperrname}));
}

QTEST_GUILESS_MAIN(Schreibfehler)
#include "tst_schreibfehler.moc"
