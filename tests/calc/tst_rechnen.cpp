// The number readings, the display text and the Widmark calculation.

#include "calc/anzeige.h"
#include "calc/berechnung.h"
#include "calc/zahlen.h"

#include <QTest>
#include <cmath>
#include <limits>

class TestRechnen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void fuehrendeZahl_data();
    void fuehrendeZahl();
    void fuehrendeZahlUeberlauf();

    void regionaleZahl_data();
    void regionaleZahl();
    void regionaleZahlFolgtDemGebietsschema();

    void regionalerText_data();
    void regionalerText();

    void anzeige_data();
    void anzeige();

    void meldungen_data();
    void meldungen();

    void berechnung_data();
    void berechnung();
    void fehlschlagBehaeltAlteWerte();
};

void TestRechnen::fuehrendeZahl_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("wert");

    QTest::newRow("ganze Zahl") << "80" << 80.0;
    QTest::newRow("mit Prozent") << "40%" << 40.0;
    QTest::newRow("Punkt") << "72.5" << 72.5;
    QTest::newRow("Komma beendet") << "72,5" << 72.0;
    QTest::newRow("Blank in der Zahl") << "7 2" << 72.0;
    QTest::newRow("Tab und Zeilenumbruch") << "\t1\n2\r.5" << 12.5;
    QTest::newRow("führende Blanks") << "   5" << 5.0;
    QTest::newRow("Buchstaben") << "abc" << 0.0;
    QTest::newRow("leer") << "" << 0.0;
    QTest::newRow("nur Punkt") << "." << 0.0;
    QTest::newRow("Punkt und Ziffern") << ".5" << 0.5;
    QTest::newRow("Punkt am Ende") << "5." << 5.0;
    QTest::newRow("zweiter Punkt beendet") << "1.2.3" << 1.2;
    QTest::newRow("minus") << "-5" << -5.0;
    QTest::newRow("minus mit Blank") << "- 5" << -5.0;
    QTest::newRow("plus") << "+5" << 5.0;
    QTest::newRow("zwei Vorzeichen") << "+-5" << 0.0;
    QTest::newRow("Exponent") << "1e3" << 1000.0;
    QTest::newRow("Exponent gross, negativ") << "25E-1" << 2.5;
    QTest::newRow("Exponent ohne Ziffern") << "5e" << 5.0;
    QTest::newRow("Exponent nur Vorzeichen") << "5e+x" << 5.0;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex klein") << "&hff" << 255.0;
    QTest::newRow("oktal") << "&O17" << 15.0;
    QTest::newRow("oktal endet bei 8") << "&O78" << 7.0;
    QTest::newRow("Kaufmanns-Und allein") << "&" << 0.0;
    QTest::newRow("unbekanntes Präfix") << "&X1" << 0.0;
    QTest::newRow("Anzeigetext") << " 0.35" << 0.35;
    QTest::newRow("nicht-ASCII-Ziffern") << "٣" << 0.0;
    QTest::newRow("zu klein ohne Exponent")
        << QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1") << 0.0;
    QTest::newRow("zu klein trotz Exponent")
        << QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1e5") << 0.0;
    QTest::newRow("groß trotz Exponent") << QStringLiteral("1") + QString(400, u'0') + QStringLiteral("e-5")
                                         << std::numeric_limits<double>::infinity();
}

void TestRechnen::fuehrendeZahl()
{
    QFETCH(QString, text);
    QFETCH(double, wert);
    QCOMPARE(::fuehrendeZahl(text), wert);
}

void TestRechnen::fuehrendeZahlUeberlauf()
{
    QVERIFY(std::isinf(::fuehrendeZahl(QStringLiteral("1e999"))));
    QVERIFY(::fuehrendeZahl(QStringLiteral("-1e999")) < 0);
    QCOMPARE(::fuehrendeZahl(QStringLiteral("1e-999")), 0.0);
    QCOMPARE(::fuehrendeZahl(QString(5000, u'9')), std::numeric_limits<double>::infinity());
}

void TestRechnen::regionaleZahl_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("gelesen");
    QTest::addColumn<double>("wert");

    QTest::newRow("ganze Zahl") << "500" << true << 500.0;
    QTest::newRow("Komma") << "0,5" << true << 0.5;
    QTest::newRow("nur Nachkomma") << ",5" << true << 0.5;
    QTest::newRow("Blanks aussen") << " 72,5 " << true << 72.5;
    QTest::newRow("minus") << "-5" << true << -5.0;
    QTest::newRow("Tausenderpunkt") << "1.000" << true << 1000.0;
    QTest::newRow("leer") << "" << false << 0.0;
    QTest::newRow("Buchstaben") << "abc" << false << 0.0;
    QTest::newRow("Einheit") << "500 ml" << false << 0.0;
    QTest::newRow("angehängter Buchstabe") << "72a" << false << 0.0;
    QTest::newRow("Unendlich") << "inf" << false << 0.0;
    QTest::newRow("keine Zahl") << "nan" << false << 0.0;
    QTest::newRow("zu gross") << "1e999" << false << 0.0;
    QTest::newRow("Blank") << " " << false << 0.0;
}

void TestRechnen::regionaleZahl()
{
    QFETCH(QString, text);
    QFETCH(bool, gelesen);
    QFETCH(double, wert);
    const auto ergebnis = ::regionaleZahl(text);
    QCOMPARE(ergebnis.has_value(), gelesen);
    if (gelesen)
        QCOMPARE(*ergebnis, wert);
}

void TestRechnen::regionaleZahlFolgtDemGebietsschema()
{
    const QLocale englisch(QLocale::English, QLocale::UnitedStates);
    QCOMPARE(::regionaleZahl(QStringLiteral("0.5"), englisch).value_or(-1), 0.5);
    QCOMPARE(::regionaleZahl(QStringLiteral("1,000"), englisch).value_or(-1), 1000.0);
    // Under German settings "0.5" is no number: a dot only groups thousands.
    QVERIFY(!::regionaleZahl(QStringLiteral("0.5")).has_value());
}

void TestRechnen::regionalerText_data()
{
    QTest::addColumn<double>("wert");
    QTest::addColumn<QString>("text");

    QTest::newRow("ganz") << 1000.0 << "1000";
    QTest::newRow("ohne Gruppen") << 1234567.0 << "1234567";
    QTest::newRow("Rundungsrest") << 0.33 * 3 << "0,99";
    QTest::newRow("Nachkomma") << 1.5 << "1,5";
    QTest::newRow("null") << 0.0 << "0";
    QTest::newRow("minus null") << -0.0 << "0";
    QTest::newRow("negativ") << -2.5 << "-2,5";
    QTest::newRow("15 Stellen") << 1.0 / 3 << "0,333333333333333";
}

void TestRechnen::regionalerText()
{
    QFETCH(double, wert);
    QFETCH(QString, text);
    QCOMPARE(::regionalerText(wert), text);
}

void TestRechnen::anzeige_data()
{
    QTest::addColumn<double>("wert");
    QTest::addColumn<QString>("text");

    QTest::newRow("Beispiel") << 19.5 / 56 << " 0.35";
    QTest::newRow("Frau") << 0.40625 << " 0.41";
    QTest::newRow("vier Portionen") << 78.0 / 56 << " 1.39";
    QTest::newRow("fast eins") << 0.996 << " 1";
    QTest::newRow("genau zwei") << 2.0 << " 2";
    QTest::newRow("anderthalb") << 1.5 << " 1.5";
    QTest::newRow("zwölf") << 12.3456 << " 12.35";
    QTest::newRow("klein") << 0.05 << " 0.05";
    QTest::newRow("halb") << 0.5 << " 0.5";
    QTest::newRow("null") << 0.0 << " 0";
    QTest::newRow("rundet auf null") << 0.004 << " 0";
    QTest::newRow("rundet auf ein Hundertstel") << 0.005 << " 0.01";
    QTest::newRow("Hälfte weg von null") << 0.125 << " 0.13";
    QTest::newRow("Hälfte als Dezimalzahl") << 1.005 << " 1.01";
    QTest::newRow("Übertrag") << 9.999 << " 10";
    QTest::newRow("ohne Gruppen") << 12345.678 << " 12345.68";
    QTest::newRow("negativ") << -0.3482 << " -0.35";
    QTest::newRow("negativ rundet auf null") << -0.001 << " 0";
    QTest::newRow("sehr klein") << 1e-300 << " 0";
}

void TestRechnen::anzeige()
{
    QFETCH(double, wert);
    QFETCH(QString, text);
    QCOMPARE(anzeigeText(wert), text);
}

void TestRechnen::meldungen_data()
{
    QTest::addColumn<QString>("prozent");
    QTest::addColumn<QString>("menge");
    QTest::addColumn<QString>("masse");
    QTest::addColumn<QString>("meldung");

    const QString alle = QStringLiteral("Bitte füllen Sie die Boxen korrekt aus");
    const QString prozente = QStringLiteral("Bitte füllen Sie die Box für die Prozente korrekt aus");
    const QString menge = QStringLiteral("Bitte füllen Sie die Box für die Menge korrekt aus");
    const QString gewicht = QStringLiteral("Bitte füllen Sie die Box für das Körpergewicht korrekt aus");

    QTest::newRow("Start") << "%"
                           << ""
                           << "" << alle;
    QTest::newRow("alles leer") << ""
                                << ""
                                << "" << alle;
    QTest::newRow("nur Gewicht") << ""
                                 << ""
                                 << "80" << prozente;
    QTest::newRow("Prozent nur Zeichen") << "%"
                                         << "500"
                                         << "80" << prozente;
    QTest::newRow("nur Menge") << "%"
                               << "500"
                               << "" << prozente;
    QTest::newRow("Menge fehlt") << "5%"
                                 << ""
                                 << "" << menge;
    QTest::newRow("Menge fehlt, Gewicht da") << "5%"
                                             << ""
                                             << "80" << menge;
    QTest::newRow("Gewicht fehlt") << "5%"
                                   << "500"
                                   << "" << gewicht;
    QTest::newRow("Blanks zählen") << " "
                                   << " "
                                   << " " << QString();
    QTest::newRow("vollständig") << "5%"
                                 << "500"
                                 << "80" << QString();
}

void TestRechnen::meldungen()
{
    QFETCH(QString, prozent);
    QFETCH(QString, menge);
    QFETCH(QString, masse);
    QFETCH(QString, meldung);
    QCOMPARE(eingabeMeldung(prozent, menge, masse), meldung);
    QCOMPARE(eingabenVollstaendig(prozent, menge, masse), meldung.isEmpty());
}

void TestRechnen::berechnung_data()
{
    QTest::addColumn<QString>("prozent");
    QTest::addColumn<QString>("menge");
    QTest::addColumn<QString>("masse");
    QTest::addColumn<double>("faktor");
    QTest::addColumn<QString>("anzeige");
    QTest::addColumn<double>("gramm");

    QTest::newRow("Beispiel Mann") << "5%"
                                   << "500"
                                   << "80" << 0.7 << " 0.35" << 19.5;
    QTest::newRow("Beispiel Frau") << "5%"
                                   << "500"
                                   << "80" << 0.6 << " 0.41" << 19.5;
    QTest::newRow("vier Portionen") << "5%"
                                    << "2000"
                                    << "80" << 0.7 << " 1.39" << 78.0;
    QTest::newRow("zwei Bier") << "5%"
                               << "1000"
                               << "80" << 0.7 << " 0.7" << 39.0;
    QTest::newRow("Gewicht mit Komma") << "5%"
                                       << "500"
                                       << "72,5" << 0.7 << " 0.39" << 19.5;
    QTest::newRow("Menge mit Komma") << "40%"
                                     << "0,5"
                                     << "80" << 0.7 << " 0" << 0.156;
    QTest::newRow("null Prozent") << "0%"
                                  << "500"
                                  << "80" << 0.7 << " 0" << 0.0;
    QTest::newRow("negatives Gewicht") << "5%"
                                       << "500"
                                       << "-80" << 0.7 << " -0.35" << 19.5;
}

void TestRechnen::berechnung()
{
    QFETCH(QString, prozent);
    QFETCH(QString, menge);
    QFETCH(QString, masse);
    QFETCH(double, faktor);
    QFETCH(QString, anzeige);
    QFETCH(double, gramm);

    Rechenstand stand;
    QCOMPARE(berechne(prozent, menge, masse, faktor, stand), anzeige);
    QCOMPARE(stand.Ergebnis, anzeige);
    QVERIFY(qAbs(stand.Gramm - gramm) < 1e-9);
    QCOMPARE(stand.Anteil, ::fuehrendeZahl(prozent) / 100);
}

void TestRechnen::fehlschlagBehaeltAlteWerte()
{
    Rechenstand stand;

    // Before any result: an amount that does not read leaves the grams at 0.
    QCOMPARE(berechne("5%", "abc", "80", 0.7, stand), QStringLiteral(" 0"));
    QCOMPARE(stand.Gramm, 0.0);

    // A weight of 0 before any result shows 0 and keeps the result empty.
    Rechenstand leer;
    QCOMPARE(berechne("5%", "500", "0", 0.7, leer), QStringLiteral(" 0"));
    QVERIFY(leer.Ergebnis.isEmpty());
    QCOMPARE(leer.Gramm, 19.5);

    QCOMPARE(berechne("5%", "500", "80", 0.7, stand), QStringLiteral(" 0.35"));

    // The amount does not read: the grams of the last calculation stay, and
    // with a new percentage they give a new result.
    QCOMPARE(berechne("10%", "500 ml", "80", 0.7, stand), QStringLiteral(" 0.35"));
    QCOMPARE(stand.Gramm, 19.5);
    QCOMPARE(stand.Anteil, 0.1);

    // The weight reads as 0 (German ",5" has no leading number): the last
    // result is shown again.
    QCOMPARE(berechne("5%", "2000", ",5", 0.7, stand), QStringLiteral(" 0.35"));
    QCOMPARE(stand.Gramm, 78.0);
    QCOMPARE(stand.Ergebnis, QStringLiteral(" 0.35"));

    // A quotient that is no finite number keeps the result too.
    QCOMPARE(berechne("100%", "1e308", "1e-300", 0.7, stand), QStringLiteral(" 0.35"));
}

QTEST_GUILESS_MAIN(TestRechnen)
#include "tst_rechnen.moc"
