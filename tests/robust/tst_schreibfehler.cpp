// Write faults of the catalogue write. Whatever stops the write, the file
// that was there before is still there byte for byte, nothing half-written
// is left next to it, and the caller gets a message saying why.
//
// Tests run as root in CI, where permission bits stop no write. The cases
// that rest on them therefore write from a forked child that has given up
// root for the user 'nobody'; the file-size limit is set in a child too, so
// it cannot cut the test run's own output short.

#include "catalogue/katalog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString Dateiname = QStringLiteral("AlkoholSorten.txt");

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
    return QDir(verzeichnis).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                       QDir::Name);
}

struct Ausgang
{
    bool gelaufen = false;    // the child got as far as the write
    QString ohneRechte;       // why the child could not drop root, if it could not
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
        auto antworte = [&](char art, const QByteArray &text) {
            const QByteArray paket = art + text;
            qsizetype geschrieben = 0;
            while (geschrieben < paket.size()) {
                const ssize_t n = write(rohr[1], paket.constData() + geschrieben, size_t(paket.size() - geschrieben));
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
        if (vorgaben.dateigrenze != RLIM_INFINITY) {
            // Without the signal, the first write past the limit would kill
            // the process; ignored, the write fails with EFBIG as a full
            // disk makes it fail.
            signal(SIGXFSZ, SIG_IGN);
            const rlimit grenze{vorgaben.dateigrenze, vorgaben.dateigrenze};
            if (setrlimit(RLIMIT_FSIZE, &grenze) != 0)
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
        a.ohneRechte = QStringLiteral("Kindprozess endete mit Status %1").arg(status);
        return a;
    }
    const QString text = QString::fromUtf8(antwort.mid(1));
    switch (antwort[0]) {
    case 'R': a.ohneRechte = text; break;
    case 'F': a.gelaufen = true; a.meldung = text; break;
    default: a.gelaufen = true; break;
    }
    return a;
}

bool istRoot()
{
    return geteuid() == 0;
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
    void schreibgeschuetzteDatei();
    void schreibgeschuetztesVerzeichnis();
    void verzeichnisVerschwunden();
    void dateiZuGross();
    void nameIstVerzeichnis();
};

void Schreibfehler::init()
{
    m_basis = std::make_unique<QTemporaryDir>();
    QVERIFY(m_basis->isValid());
    QVERIFY(QFile::setPermissions(m_basis->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                       | QFile::ReadGroup | QFile::ExeGroup
                                                       | QFile::ReadOther | QFile::ExeOther));
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
        QTest::qSkip("Als root braucht dieser Test den Benutzer 'nobody', den es hier nicht gibt.",
                     __FILE__, __LINE__);
        return false;
    }
    if (chown(QFile::encodeName(pfad).constData(), nobody->pw_uid, nobody->pw_gid) != 0) {
        QTest::qFail(qPrintable(QStringLiteral("chown %1: %2").arg(pfad, QString::fromLocal8Bit(strerror(errno)))),
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
    a = imKind({nobody && istRoot(), grenze}, [datei] { return katalogDateiSchreiben(datei, volleTabelle()); });
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

void Schreibfehler::schreibgeschuetzteDatei()
{
    // The directory is writable; only the file is protected.
    if (!nobodyGehoert(m_programm))
        return;
    QVERIFY(QFile::setPermissions(m_datei, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QStringList vorher = eintraege(m_programm);
    Ausgang a;
    if (!schreibenAls(true, RLIM_INFINITY, a))
        return;
    pruefeUnveraendert(vorher);
    if (QTest::currentTestFailed())
        return;
    pruefeMeldung(a.meldung, QStringLiteral("Die Datei ist schreibgeschützt"));
}

void Schreibfehler::schreibgeschuetztesVerzeichnis()
{
    // The file itself is writable; the directory is not, so no new file can
    // be made next to it.
    if (!nobodyGehoert(m_datei))
        return;
    QVERIFY(QFile::setPermissions(m_programm, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                  | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    const QStringList vorher = eintraege(m_programm);
    Ausgang a;
    if (!schreibenAls(true, RLIM_INFINITY, a))
        return;
    pruefeUnveraendert(vorher);
    if (QTest::currentTestFailed())
        return;
    pruefeMeldung(a.meldung, QStringLiteral("Das Verzeichnis ist schreibgeschützt"));
}

void Schreibfehler::verzeichnisVerschwunden()
{
    // The program directory was moved away while the program ran: the write
    // must not create it anew, and the catalogue at its new place stays.
    const QString neu = m_basis->filePath(QStringLiteral("verschoben"));
    QVERIFY(QDir().rename(m_programm, neu));
    const std::optional<QString> meldung = katalogDateiSchreiben(m_datei, volleTabelle());
    QVERIFY(!QFileInfo::exists(m_programm));
    QCOMPARE(inhalt(neu + u'/' + Dateiname), AlterInhalt);
    QCOMPARE(eintraege(neu), QStringList{Dateiname});
    pruefeMeldung(meldung, QStringLiteral("Verzeichnis ist nicht mehr vorhanden"));
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

QTEST_GUILESS_MAIN(Schreibfehler)
#include "tst_schreibfehler.moc"
