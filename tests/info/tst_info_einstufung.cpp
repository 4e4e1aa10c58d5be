// The classification behind the "&Info" button, without any window: the ten
// ranges, their bounds, the messages, and reading the result label back.
#include "calc/anzeige.h"
#include "calc/berechnung.h"
#include "info/einstufung.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

// The upper bound of rows 1 to 9; row n + 1 begins just above it.
const double Grenzen[] = {0.3, 0.5, 0.8, 1, 1.5, 2, 2.5, 3, 4};

double knappDarueber(double grenze)
{
    return std::nextafter(grenze, std::numeric_limits<double>::infinity());
}

} // namespace

class TestEinstufung : public QObject
{
    Q_OBJECT

private slots:
    void zeilen_data();
    void zeilen();
    void texte_data();
    void texte();
    void keineZeileAusserhalb();
    void ergebnistext_data();
    void ergebnistext();
    void gerechneteAnzeige_data();
    void gerechneteAnzeige();
};

void TestEinstufung::zeilen_data()
{
    QTest::addColumn<double>("promille");
    QTest::addColumn<int>("zeile");

    const double unendlich = std::numeric_limits<double>::infinity();
    QTest::newRow("minus unendlich") << -unendlich << 1;
    QTest::newRow("negativ") << -0.5 << 1;
    QTest::newRow("null") << 0.0 << 1;
    QTest::newRow("0.1") << 0.1 << 1;
    // Every bound belongs to the range below it; the smallest double above it
    // and a hundredth above it (what the label can show) to the next.
    for (int i = 0; i < 9; ++i) {
        const double g = Grenzen[i];
        const QByteArray name = QByteArray::number(g);
        QTest::newRow(name + " genau") << g << i + 1;
        QTest::newRow(name + " knapp darüber") << knappDarueber(g) << i + 2;
        QTest::newRow(name + " + 0.01") << g + 0.01 << i + 2;
        QTest::newRow(name + " knapp darunter") << std::nextafter(g, -unendlich) << i + 1;
    }
    QTest::newRow("12.35") << 12.35 << 10;
    QTest::newRow("unendlich") << unendlich << 10;
}

void TestEinstufung::zeilen()
{
    QFETCH(double, promille);
    QFETCH(int, zeile);
    QCOMPARE(einstufungsZeile(promille), zeile);
    QCOMPARE(einstufung(promille), einstufungsText(zeile));
}

void TestEinstufung::texte_data()
{
    QTest::addColumn<int>("zeile");
    for (int z = 1; z <= 10; ++z)
        QTest::addRow("Zeile %d", z) << z;
}

// Each message names its own range in the words and numbers the user reads
// ("Zwischen 0,5 und 0,8 Promille: ", the last "Ab 4 Promille: "), bounds
// with a decimal comma, then the effects; no two are alike.
void TestEinstufung::texte()
{
    QFETCH(int, zeile);
    const auto zahl = [](double g) {
        return g == 0 ? QStringLiteral("0") : QString::number(g, 'f', 1).replace(u'.', u',');
    };
    const QString kopf = zeile == 10
        ? QStringLiteral("Ab %1 Promille: ").arg(Grenzen[8])
        : QStringLiteral("Zwischen %1 und %2 Promille: ")
              .arg(zahl(zeile == 1 ? 0.0 : Grenzen[zeile - 2]), zahl(Grenzen[zeile - 1]));
    const QString text = einstufungsText(zeile);
    QVERIFY2(text.startsWith(kopf), qPrintable(text));
    const QString wirkung = text.mid(kopf.size());
    QVERIFY2(wirkung.size() >= 3 && wirkung == wirkung.trimmed() && !wirkung.contains(QStringLiteral("  "))
                 && !wirkung.endsWith(u'.'),
             qPrintable(text));
    for (int andere = 1; andere <= 10; ++andere)
        QVERIFY(andere == zeile || !einstufungsText(andere).endsWith(wirkung));
}

void TestEinstufung::keineZeileAusserhalb()
{
    QVERIFY(einstufungsText(0).isEmpty());
    QVERIFY(einstufungsText(11).isEmpty());
}

void TestEinstufung::ergebnistext_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("zeile");

    QTest::newRow("leer, noch nichts gerechnet") << QString() << 1;
    QTest::newRow("ein Blank") << QStringLiteral(" ") << 1;
    QTest::newRow(" 0") << QStringLiteral(" 0") << 1;
    QTest::newRow(" 0.05") << QStringLiteral(" 0.05") << 1;
    QTest::newRow(" 0.35") << QStringLiteral(" 0.35") << 2;
    QTest::newRow(" 0.7") << QStringLiteral(" 0.7") << 3;
    QTest::newRow(" 1.39") << QStringLiteral(" 1.39") << 5;
    QTest::newRow(" 12.35") << QStringLiteral(" 12.35") << 10;
    QTest::newRow("negativ") << QStringLiteral(" -0.35") << 1;
    // The label is written with "." whatever the locale; a comma ends the number.
    QTest::newRow("Komma liest bis zum Komma") << QStringLiteral(" 1,9") << 4;
    // Each bound as the display rule writes it, and a hundredth above it.
    for (int i = 0; i < 9; ++i) {
        const double g = Grenzen[i];
        QTest::addRow("Grenze \"%s\"", qPrintable(anzeigeText(g))) << anzeigeText(g) << i + 1;
        QTest::addRow("darüber \"%s\"", qPrintable(anzeigeText(g + 0.01))) << anzeigeText(g + 0.01) << i + 2;
    }
}

void TestEinstufung::ergebnistext()
{
    QFETCH(QString, label);
    QFETCH(int, zeile);
    QCOMPARE(infoMeldung(label), einstufungsText(zeile));
}

void TestEinstufung::gerechneteAnzeige_data()
{
    QTest::addColumn<QString>("prozent");
    QTest::addColumn<QString>("menge");
    QTest::addColumn<QString>("masse");
    QTest::addColumn<double>("faktor");
    QTest::addColumn<QString>("anzeige");
    QTest::addColumn<int>("zeile");

    QTest::newRow("Bier, Mann") << "5%"
                                << "500"
                                << "80" << 0.7 << " 0.35" << 2;
    QTest::newRow("Bier, Frau") << "5%"
                                << "500"
                                << "80" << 0.6 << " 0.41" << 2;
    QTest::newRow("Bier zweimal") << "5%"
                                  << "1000"
                                  << "80" << 0.7 << " 0.7" << 3;
    QTest::newRow("Bier viermal") << "5%"
                                  << "2000"
                                  << "80" << 0.7 << " 1.39" << 5;
    QTest::newRow("nichts getrunken") << "0%"
                                      << "500"
                                      << "80" << 0.7 << " 0" << 1;
}

void TestEinstufung::gerechneteAnzeige()
{
    QFETCH(QString, prozent);
    QFETCH(QString, menge);
    QFETCH(QString, masse);
    QFETCH(double, faktor);
    QFETCH(QString, anzeige);
    QFETCH(int, zeile);

    Rechenstand stand;
    const QString label = berechne(prozent, menge, masse, faktor, stand, QLocale::c());
    QCOMPARE(label, anzeige);
    QCOMPARE(infoMeldung(label), einstufungsText(zeile));
}

QTEST_APPLESS_MAIN(TestEinstufung)
#include "tst_info_einstufung.moc"
