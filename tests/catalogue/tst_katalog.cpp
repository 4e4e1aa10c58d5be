// The catalogue table and its file: reading, writing, odd files, round trips.

#include "catalogue/katalog.h"
#include "catalogue/katalogort.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray zeile(const char *name, const char *prozent, const char *menge)
{
    return QByteArray("\"") + name + "\",\"" + prozent + "\",\"" + menge + "\"\r\n";
}

QStringList namen(const SortenTabelle &t)
{
    QStringList liste;
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        liste.append(t[z].Name);
    while (!liste.isEmpty() && liste.last().isEmpty())
        liste.removeLast();
    return liste;
}

// A row from "Name" or "Name=Menge" (percent 5%, amount 500 unless given).
Sortenzeile sorte(const QString &text)
{
    const QStringList teile = text.split(u'=');
    return {teile[0], QStringLiteral("5%"), teile.value(1, QStringLiteral("500"))};
}

QByteArray kinds(int anzahl, int ab = 1)
{
    QByteArray daten;
    for (int i = ab; i < ab + anzahl; ++i)
        daten += zeile(QByteArray::number(i).prepend("Sorte ").constData(), "5%", "500");
    return daten;
}

} // namespace

class TestKatalog : public QObject
{
    Q_OBJECT

private slots:
    void liestInDateireihenfolge();
    void umlauteKommaUndLeerfelder();
    void schreibtGenauDieseBytes();
    void lueckenFallenBeimSchreibenWeg();
    void zweihundertZeilen();
    void ueberhangBleibtErhalten();
    void leereUndFehlendeDatei();
    void seltsameDateien_data();
    void seltsameDateien();
    void erneutesLesenLeertRestzeilen();
    void nichtSpeicherbareZeichen_data();
    void nichtSpeicherbareZeichen();
    void nichtSpeicherbaresZeichenDerTabelle();
    void schreibenErsetztDateiGanz();
    void unlesbareDateiWirdNichtUeberschrieben();
    void welcheDatei_data();
    void welcheDatei();
    void zeilenregeln_data();
    void zeilenregeln();
};

void TestKatalog::liestInDateireihenfolge()
{
    SortenTabelle t;
    const int n = katalogLesen(
        zeile("Wein", "12%", "200") + zeile("Bier", "5%", "500") + zeile("Sekt", "11%", "100"), t);
    QCOMPARE(n, 3);
    QCOMPARE(namen(t), QStringList({"Wein", "Bier", "Sekt"}));
    QCOMPARE(t[2].Prozent, QStringLiteral("5%"));
    QCOMPARE(t[2].Menge, QStringLiteral("500"));
    QVERIFY(!t[4].gefuellt());
}

void TestKatalog::umlauteKommaUndLeerfelder()
{
    // Windows-1252: one byte per umlaut; a comma inside quotes is part of the field.
    SortenTabelle t;
    katalogLesen(QByteArray("\"K\xf6lsch, hell\",\"5%\",\"200\"\r\n"
                            "\"Wei\xdf"
                            "bier\",\"\",\"\"\r\n"
                            "\"\",\"5%\",\"500\"\r\n"
                            "\"Gl\xfchwein \x80\",\"10%\",\"200\"\r\n"),
                 t);
    QCOMPARE(t[1].Name, QStringLiteral("Kölsch, hell"));
    QCOMPARE(t[2].Name, QStringLiteral("Weißbier"));
    QCOMPARE(t[2].Prozent, QString());
    QVERIFY(!t[3].gefuellt());
    QCOMPARE(t[3].Menge, QStringLiteral("500"));
    QCOMPARE(t[4].Name, QStringLiteral("Glühwein €"));
}

void TestKatalog::schreibtGenauDieseBytes()
{
    SortenTabelle t;
    t[1] = {QStringLiteral("Kölsch, hell"), QStringLiteral("5%"), QStringLiteral("200")};
    t[2] = {QStringLiteral("Weißbier"), QStringLiteral("5"), QString()};
    t[3] = {QStringLiteral("  "), QString(), QStringLiteral("x")};
    QCOMPARE(katalogDaten(t),
             QByteArray("\"K\xf6lsch, hell\",\"5%\",\"200\"\r\n"
                        "\"Wei\xdf"
                        "bier\",\"5\",\"\"\r\n"
                        "\"  \",\"\",\"x\"\r\n"));

    SortenTabelle zurueck;
    QCOMPARE(katalogLesen(katalogDaten(t), zurueck), 3);
    for (int z = 1; z <= 3; ++z)
        QCOMPARE(zurueck[z], t[z]);
}

void TestKatalog::lueckenFallenBeimSchreibenWeg()
{
    SortenTabelle t;
    t[1] = {"A", "1%", "1"};
    t[2] = {"B", "2%", "2"};
    t[3] = {QString(), "3%", "3"};
    t[4] = {"D", "4%", "4"};
    t[200] = {"Z", "9%", "9"};
    const QByteArray daten = katalogDaten(t);
    QCOMPARE(daten,
             zeile("A", "1%", "1") + zeile("B", "2%", "2") + zeile("D", "4%", "4") + zeile("Z", "9%", "9"));

    SortenTabelle neu;
    QCOMPARE(katalogLesen(daten, neu), 4);
    QCOMPARE(namen(neu), QStringList({"A", "B", "D", "Z"}));
}

void TestKatalog::zweihundertZeilen()
{
    SortenTabelle t;
    QCOMPARE(katalogLesen(kinds(200), t), 200);
    QCOMPARE(t[200].Name, QStringLiteral("Sorte 200"));
    QVERIFY(t.ueberhang.isEmpty());
    QCOMPARE(katalogDaten(t), kinds(200));
}

void TestKatalog::ueberhangBleibtErhalten()
{
    // Kinds past the 200th do not fit the table, but a rewrite keeps them
    // in the file, and once a row is free the next read takes them in.
    const QByteArray datei = kinds(203);
    SortenTabelle t;
    QCOMPARE(katalogLesen(datei, t), 200);
    QCOMPARE(t.ueberhang, kinds(3, 201));
    QCOMPARE(katalogDaten(t), datei);

    t[5].Name.clear();
    SortenTabelle danach;
    QCOMPARE(katalogLesen(katalogDaten(t), danach), 200);
    QCOMPARE(danach[200].Name, QStringLiteral("Sorte 201"));
    QCOMPARE(danach.ueberhang, kinds(2, 202));

    // A surplus without a final line end still ends in one when written back.
    SortenTabelle abgeschnitten;
    katalogLesen(kinds(200) + "\"Rest\",\"1%\"", abgeschnitten);
    QCOMPARE(abgeschnitten.ueberhang, QByteArray("\"Rest\",\"1%\"\r\n"));
}

void TestKatalog::leereUndFehlendeDatei()
{
    QTemporaryDir dir;
    SortenTabelle t;
    t[1] = {"alt", "1%", "1"};
    int n = -1;
    QCOMPARE(katalogDateiLesen(dir.filePath("fehlt.txt"), t, &n), Lesestand::Fehlt);
    QCOMPARE(n, 0);
    QVERIFY(!t[1].gefuellt());

    QFile leer(dir.filePath("leer.txt"));
    QVERIFY(leer.open(QIODevice::WriteOnly));
    leer.close();
    t[1] = {"alt", "1%", "1"};
    QCOMPARE(katalogDateiLesen(leer.fileName(), t, &n), Lesestand::Gelesen);
    QCOMPARE(n, 0);
    QVERIFY(!t[1].gefuellt());
    QVERIFY(!t.dateiUnlesbar);
}

void TestKatalog::seltsameDateien_data()
{
    QTest::addColumn<QByteArray>("daten");
    QTest::addColumn<QStringList>("namen");
    QTest::addColumn<QString>("prozent1");
    QTest::addColumn<QString>("menge1");

    QTest::newRow("nur LF") << QByteArray("\"A\",\"5%\",\"1\"\n\"B\",\"6%\",\"2\"\n") << QStringList{"A", "B"}
                            << "5%"
                            << "1";
    QTest::newRow("nur CR") << QByteArray("\"A\",\"5%\",\"1\"\r\"B\",\"6%\",\"2\"") << QStringList{"A", "B"}
                            << "5%"
                            << "1";
    QTest::newRow("Leerzeilen") << QByteArray(
        "\r\n\"A\",\"5%\",\"1\"\r\n\r\n  \r\n\"B\",\"6%\",\"2\"\r\n\r\n")
                                << QStringList{"A", "B"} << "5%"
                                << "1";
    QTest::newRow("letzte Zeile ohne Ende") << QByteArray("\"A\",\"5%\",\"1\"") << QStringList{"A"} << "5%"
                                            << "1";
    QTest::newRow("abgeschnitten im Feld") << QByteArray("\"A\",\"5%\",\"10") << QStringList{"A"} << "5%"
                                           << "10";
    QTest::newRow("nur ein Feld") << QByteArray("\"A\"\r\n") << QStringList{"A"} << ""
                                  << "";
    QTest::newRow("ohne Anführungszeichen") << QByteArray("Bier , 5% ,500\r\n") << QStringList{"Bier"} << "5%"
                                            << "500";
    QTest::newRow("halb in Anführungszeichen")
        << QByteArray("\"Bier,5%,500\r\n") << QStringList{"Bier,5%,500"} << ""
        << "";
    QTest::newRow("Anführungszeichen mitten im Feld")
        << QByteArray("Bi\"er,5%,500\r\n") << QStringList{"Bier"} << "5%"
        << "500";
    QTest::newRow("Müll nach dem Feld")
        << QByteArray("\"A\"xy,\"5%\"  ,\"1\"zz\r\n") << QStringList{"A"} << "5%"
        << "1";
    QTest::newRow("vier Felder") << QByteArray("\"A\",\"5%\",\"1\",\"mehr\"\r\n") << QStringList{"A"} << "5%"
                                 << "1";
    QTest::newRow("Nullbytes und Binärmüll")
        << QByteArray("\"A\0B\",\"\x01\x02\",\"\xff\"\r\n\x81\x8d\r\n", 20)
        << QStringList{QString::fromUtf16(u"A\0B", 3), QString::fromUtf16(u"\x81\x8d")}
        << QString::fromUtf16(u"\x01\x02") << QString::fromUtf16(u"ÿ");
}

void TestKatalog::seltsameDateien()
{
    QFETCH(QByteArray, daten);
    QFETCH(QStringList, namen);
    QFETCH(QString, prozent1);
    QFETCH(QString, menge1);

    SortenTabelle t;
    QCOMPARE(katalogLesen(daten, t), namen.size());
    QCOMPARE(::namen(t), namen);
    QCOMPARE(t[1].Prozent, prozent1);
    QCOMPARE(t[1].Menge, menge1);

    // Whatever was read, writing it and reading it again gives the same table.
    QVERIFY(!nichtSpeicherbaresZeichen(t).has_value());
    SortenTabelle wieder;
    katalogLesen(katalogDaten(t), wieder);
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        if (t[z].gefuellt())
            QCOMPARE(wieder[z], t[z]);
}

void TestKatalog::erneutesLesenLeertRestzeilen()
{
    SortenTabelle t;
    katalogLesen(zeile("A", "1%", "1") + zeile("B", "2%", "2") + zeile("C", "3%", "3"), t);
    katalogLesen(zeile("A", "1%", "1") + zeile("B", "2%", "2"), t);
    QCOMPARE(t[3], Sortenzeile{});
    QCOMPARE(namen(t), QStringList({"A", "B"}));
}

void TestKatalog::nichtSpeicherbareZeichen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("zeichen");

    QTest::newRow("harmlos") << "Kölsch, 5% & mehr €"
                             << "";
    QTest::newRow("Anführungszeichen") << "Bier \"hell\""
                                       << "\"";
    QTest::newRow("Zeilenumbruch") << "A\nB"
                                   << "\n";
    QTest::newRow("Wagenrücklauf") << "A\rB"
                                   << "\r";
    QTest::newRow("kyrillisch") << "Водка"
                                << "В";
    QTest::newRow("nach harmlosen Zeichen") << "Äpfel Ł"
                                            << "Ł";
    QTest::newRow("Emoji") << QString::fromUtf8("Bier 🍺") << QString(QChar(0xD83C));
}

void TestKatalog::nichtSpeicherbareZeichen()
{
    QFETCH(QString, text);
    QFETCH(QString, zeichen);
    const auto gefunden = nichtSpeicherbaresZeichen(text);
    QCOMPARE(gefunden ? QString(*gefunden) : QString(), zeichen);
    if (gefunden) {
        const QString meldung = zeichenMeldung(*gefunden);
        QVERIFY(meldung.contains(QStringLiteral("nicht in der Sortendatei gespeichert")));
    }
}

void TestKatalog::nichtSpeicherbaresZeichenDerTabelle()
{
    SortenTabelle t;
    t[1] = {"Kölsch", "5%", "200"};
    t[2] = {QString(), "Ł", "\""}; // no name: never written, so never refused
    t[3] = {"Wodka", "40%", "20 ml"};
    QCOMPARE(nichtSpeicherbaresZeichen(t), std::nullopt);
    t[4] = {"Sake", "15%", QString::fromUtf8("180 ml 酒")};
    QCOMPARE(nichtSpeicherbaresZeichen(t), std::optional<QChar>(QChar(0x9152)));
    t[3].Prozent = QStringLiteral("40\"");
    QCOMPARE(nichtSpeicherbaresZeichen(t), std::optional<QChar>(u'"'));

    // The writer refuses such a table itself, before it touches the file.
    QTemporaryDir dir;
    const auto fehler = katalogDateiSchreiben(dir.filePath("AlkoholSorten.txt"), t);
    QVERIFY(fehler && fehler->contains(QStringLiteral("Anführungszeichen")));
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestKatalog::schreibenErsetztDateiGanz()
{
    QTemporaryDir dir;
    const QString datei = dir.filePath("AlkoholSorten.txt");
    {
        QFile f(datei);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(5000, 'x'));
    }
    SortenTabelle t;
    t[1] = {"Bier", "5%", "500"};
    QCOMPARE(katalogDateiSchreiben(datei, t), std::nullopt);
    QFile f(datei);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), zeile("Bier", "5%", "500"));
}

void TestKatalog::unlesbareDateiWirdNichtUeberschrieben()
{
    // A file that is there but cannot be read must not be replaced by the
    // few kinds the user adds afterwards.
    SortenTabelle t;
    t.dateiUnlesbar = true;
    t[1] = {"Neu", "5%", "500"};
    QTemporaryDir dir;
    const QString datei = dir.filePath("AlkoholSorten.txt");
    const auto fehler = katalogDateiSchreiben(datei, t);
    QVERIFY(fehler && fehler->contains(QStringLiteral("nicht gelesen")));
    QVERIFY(!QFile::exists(datei));

    // A directory under the catalogue's name cannot be read either.
    QVERIFY(QDir(dir.path()).mkdir("AlkoholSorten.txt"));
    SortenTabelle gelesen;
    QCOMPARE(katalogDateiLesen(datei, gelesen), Lesestand::Unlesbar);
    QVERIFY(gelesen.dateiUnlesbar);
}

void TestKatalog::welcheDatei_data()
{
    QTest::addColumn<bool>("meinOrdner");
    QTest::addColumn<bool>("beschreibbar");
    QTest::addColumn<bool>("eigeneDatei");
    QTest::addColumn<bool>("unterUsr");
    QTest::addColumn<Katalogort>("lesen");
    QTest::addColumn<Katalogort>("speichern");

    const auto P = Katalogort::Programmordner, B = Katalogort::Benutzerordner;
    QTest::newRow("eigener Ordner, beschreibbar") << true << true << false << false << P << P;
    QTest::newRow("eigener Ordner, schreibgeschützt") << true << false << true << false << P << P;
    QTest::newRow("fremder Ordner, beschreibbar") << false << true << true << false << P << P;
    QTest::newRow("fremder Ordner, ohne eigene Datei") << false << false << false << false << P << B;
    QTest::newRow("fremder Ordner, mit eigener Datei") << false << false << true << false << B << B;
    QTest::newRow("unter /usr, als root") << true << true << false << true << P << B;
}

void TestKatalog::welcheDatei()
{
    QFETCH(bool, meinOrdner);
    QFETCH(bool, beschreibbar);
    QFETCH(bool, eigeneDatei);
    QFETCH(bool, unterUsr);
    QFETCH(Katalogort, lesen);
    QFETCH(Katalogort, speichern);
    const Katalogwahl wahl = katalogWahl({meinOrdner, beschreibbar, eigeneDatei, unterUsr});
    QCOMPARE(wahl.lesen, lesen);
    QCOMPARE(wahl.speichern, speichern);
}

// The row rules the windows rely on: which row a kind text names, which is
// the last one, what the list shows, where an add goes, where an edit
// finds the kind it loaded. "*" stands for a full table of 200 kinds.
void TestKatalog::zeilenregeln_data()
{
    QTest::addColumn<QStringList>("tabelle"); // rows 1, 2, ...; "" is a row without a name
    QTest::addColumn<QString>("regel");
    QTest::addColumn<QString>("text"); // name looked for, row added or loaded
    QTest::addColumn<int>("zeile");    // LetzteZeile for an add, the row loaded for an edit
    QTest::addColumn<int>("erwartet");

    const QStringList luecke{"Bier", "Wein", "", "Sekt", "Bier=330"};
    const QStringList voll{"*"};
    QTest::newRow("Wahl: die letzte gleiche") << QStringList{"Bier", "Wein", "Bier=330"} << "Wahl"
                                              << "Bier" << 0 << 3;
    QTest::newRow("Wahl: endet an der Lücke") << luecke << "Wahl"
                                              << "Sekt" << 0 << 0;
    QTest::newRow("Wahl: vor der Lücke") << luecke << "Wahl"
                                         << "Bier" << 0 << 1;
    QTest::newRow("Wahl: Groß/klein zählt") << luecke << "Wahl"
                                            << "bier" << 0 << 0;
    QTest::newRow("Wahl: Blanks zählen") << luecke << "Wahl"
                                         << "Bier " << 0 << 0;
    QTest::newRow("Wahl: leerer Text") << luecke << "Wahl"
                                       << "" << 0 << 0;
    QTest::newRow("Laden: hinter der Lücke") << luecke << "Laden"
                                             << "Sekt" << 0 << 4;
    QTest::newRow("Laden: die letzte gleiche") << luecke << "Laden"
                                               << "Bier" << 0 << 5;
    QTest::newRow("Laden: Groß/klein zählt") << luecke << "Laden"
                                             << "bier" << 0 << 0;
    QTest::newRow("Laden: leerer Text, letzte leere Zeile") << luecke << "Laden"
                                                            << "" << 0 << 200;
    QTest::newRow("Laden: leerer Text, volle Tabelle") << voll << "Laden"
                                                       << "" << 0 << 0;
    QTest::newRow("letzte Zeile hinter der Lücke") << luecke << "letzte"
                                                   << "" << 0 << 5;
    QTest::newRow("letzte Zeile: leer") << QStringList{} << "letzte"
                                        << "" << 0 << 0;
    QTest::newRow("letzte Zeile: voll") << voll << "letzte"
                                        << "" << 0 << 200;
    QTest::newRow("Liste ohne Lücke") << luecke << "Liste"
                                      << "Bier,Wein,Sekt,Bier" << 0 << 0;
    QTest::newRow("anfügen hinter LetzteZeile") << luecke << "anfügen"
                                                << "Met" << 5 << 6;
    QTest::newRow("anfügen in eine leere Tabelle") << QStringList{} << "anfügen"
                                                   << "Met" << 0 << 1;
    QTest::newRow("anfügen in Zeile 200") << voll << "anfügen"
                                          << "Met" << 199 << 200;
    QTest::newRow("anfügen, voll") << voll << "anfügen"
                                   << "Met" << 200 << 0;
    QTest::newRow("geladen: noch an ihrer Zeile") << luecke << "geladen"
                                                  << "Bier" << 1 << 1;
    QTest::newRow("geladen: nachgerückt") << QStringList{"Wein", "Bier"} << "geladen"
                                          << "Bier" << 3 << 2;
    QTest::newRow("geladen: die letzte gleiche") << QStringList{"Bier", "Wein", "Bier"} << "geladen"
                                                 << "Bier" << 4 << 3;
    QTest::newRow("geladen: Menge geändert") << luecke << "geladen"
                                             << "Bier=250" << 5 << 0;
    QTest::newRow("geladen: andere Sorte an ihrer Zeile") << QStringList{"Wein", "Met"} << "geladen"
                                                          << "Bier" << 2 << 0;
    QTest::newRow("geladen: leere Zeile belegt") << voll << "geladen"
                                                 << "=" << 200 << 0;
}

void TestKatalog::zeilenregeln()
{
    QFETCH(QStringList, tabelle);
    QFETCH(QString, regel);
    QFETCH(QString, text);
    QFETCH(int, zeile);
    QFETCH(int, erwartet);

    SortenTabelle t;
    if (tabelle == QStringList{"*"})
        katalogLesen(kinds(200), t);
    else
        for (int z = 0; z < tabelle.size(); ++z)
            t[z + 1] = tabelle[z].isEmpty() ? Sortenzeile{} : sorte(tabelle[z]);
    const SortenTabelle vorher = t;

    if (regel == u"Wahl")
        QCOMPARE(sorteFinden(t, text, Suchregel::BisZurLuecke), erwartet);
    else if (regel == u"Laden")
        QCOMPARE(sorteFinden(t, text, Suchregel::GanzeTabelle), erwartet);
    else if (regel == u"letzte")
        QCOMPARE(letzteZeile(t), erwartet);
    else if (regel == u"Liste")
        QCOMPARE(sortenNamen(t), text.split(u','));
    else if (regel == u"geladen")
        QCOMPARE(geladeneZeile(t, zeile, text == u"=" ? Sortenzeile{} : sorte(text)), erwartet);
    else {
        QCOMPARE(sorteAnfuegen(t, zeile, sorte(text)), erwartet);
        if (erwartet) {
            QCOMPARE(t[erwartet], sorte(text));
            t[erwartet] = vorher[erwartet];
        }
    }
    // Only an add changes the table, and only its one row.
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        QCOMPARE(t[z], vorher[z]);
}

QTEST_GUILESS_MAIN(TestKatalog)
#include "tst_katalog.moc"
