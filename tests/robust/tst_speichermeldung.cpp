// A failed catalogue write reaches the user: the program's save routine
// shows the reason in its message box, reports the failure to the dialog
// that called it, and leaves the file on disk alone.

#include "app/alk.h"
#include "catalogue/katalogdatei.h"
#include "gemeinsam/gui.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class Speichermeldung : public QObject
{
    Q_OBJECT

private slots:
    void fehlerErreichtDenBenutzer();
    void gelungenesSpeichernOhneMeldung();
};

namespace {

void kataloganlegen(const QTemporaryDir &verzeichnis)
{
    Alk::Pfad = QDir::toNativeSeparators(verzeichnis.path()) + QDir::separator();
    Alk::Sorten = SortenTabelle{};
    Alk::Sorten[1] = {QStringLiteral("Bier"), QStringLiteral("5%"), QStringLiteral("500")};
    Alk::Sorten[2] = {QStringLiteral("Weißwein"), QStringLiteral("12%"), QStringLiteral("200")};
}

} // namespace

void Speichermeldung::fehlerErreichtDenBenutzer()
{
    QTemporaryDir verzeichnis;
    kataloganlegen(verzeichnis);
    // A directory where the catalogue should be stops the write for root too.
    QVERIFY(QDir().mkdir(katalogDatei()));
    QFile notiz(katalogDatei() + QStringLiteral("/notiz.txt"));
    QVERIFY(notiz.open(QIODevice::WriteOnly));
    notiz.write("bleibt");
    notiz.close();

    bool gespeichert = true;
    const QString text = naechsteMeldung([&] { gespeichert = katalogSpeichern(nullptr); });
    QVERIFY(!gespeichert);
    QVERIFY2(text.contains(QStringLiteral("konnte nicht gespeichert werden")), qPrintable(text));
    QVERIFY2(text.contains(katalogDatei()), qPrintable(text));
    QVERIFY(QFileInfo(katalogDatei()).isDir());
    QVERIFY(notiz.open(QIODevice::ReadOnly));
    QCOMPARE(notiz.readAll(), QByteArray("bleibt"));
}

void Speichermeldung::gelungenesSpeichernOhneMeldung()
{
    QTemporaryDir verzeichnis;
    kataloganlegen(verzeichnis);
    bool gespeichert = false;
    const QString text = naechsteMeldung([&] { gespeichert = katalogSpeichern(nullptr); });
    QVERIFY(gespeichert);
    QVERIFY2(text.isNull(), qPrintable(text));
    QFile f(katalogDatei());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("\"Bier\",\"5%\",\"500\"\r\n\"Wei\xdfwein\",\"12%\",\"200\"\r\n"));
}

QTEST_MAIN(Speichermeldung)
#include "tst_speichermeldung.moc"
