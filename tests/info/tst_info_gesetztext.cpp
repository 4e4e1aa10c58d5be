// The law text as data: the seventeen pieces with their runs of blanks, the
// stored caption of 1644 characters, and the display form with its lines.
#include "info/gesetztext.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

// Each piece by its first and last words, its length and the run of blanks
// after it: enough to place every piece and its blanks without a second
// copy of the statute.
struct Stueck
{
    const char16_t *anfang;
    const char16_t *ende;
    int laenge;
    int leer;
};

const Stueck Erwartet[] = {
    {u"JuSchG §", u"Getränke", 32, 72},
    {u"(1) In", u"dürfen", 75, 148},
    {u"1.", u"1.", 2, 2},
    {u"Branntwein, branntweinhaltige", u"Branntwein", 72, 4},
    {u"in nicht", u"Jugendliche,", 70, 21},
    {u"2.", u"2.", 2, 2},
    {u"andere alkoholische", u"werden.", 131, 169},
    {u"(2) Absatz", u"werden.", 108, 45},
    {u"(3) In", u"Automat", 125, 46},
    {u"1.", u"1.", 2, 2},
    {u"an einem", u"ist", 70, 4},
    {u"oder", u"oder", 4, 5},
    {u"2.", u"2.", 2, 2},
    {u"in einem", u"technische", 67, 4},
    {u"Vorrichtungen oder", u"Kinder", 74, 4},
    {u"und Jugendliche", u"können.", 61, 165},
    {u"§ 20", u"unberührt.", 52, 0},
};

constexpr int AnzahlStuecke = int(std::size(Erwartet));

QStringList woerter(const QString &text)
{
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

} // namespace

class TestGesetztext : public QObject
{
    Q_OBJECT

private slots:
    void laenge();
    void stuecke_data();
    void stuecke();
    void stueckliste();
    void zeichen();
    void zeilen_data();
    void zeilen();
    void zeilenOhneRaender();
    void gleicheWoerter();
};

void TestGesetztext::laenge()
{
    QCOMPARE(AnzahlStuecke, 17);
    QCOMPARE(gesetzText().size(), 1644);
}

void TestGesetztext::stuecke_data()
{
    QTest::addColumn<int>("anfang");
    QTest::addColumn<int>("laenge");
    QTest::addColumn<QString>("erstes");
    QTest::addColumn<QString>("letztes");
    QTest::addColumn<int>("leer");

    int anfang = 0;
    for (int i = 0; i < AnzahlStuecke; ++i) {
        const Stueck &e = Erwartet[i];
        QTest::addRow("Stück %d", i + 1)
            << anfang << e.laenge << QString::fromUtf16(e.anfang) << QString::fromUtf16(e.ende) << e.leer;
        anfang += e.laenge + e.leer;
    }
}

void TestGesetztext::stuecke()
{
    QFETCH(int, anfang);
    QFETCH(int, laenge);
    QFETCH(QString, erstes);
    QFETCH(QString, letztes);
    QFETCH(int, leer);

    const QString ganz = gesetzText();
    const QString stueck = ganz.mid(anfang, laenge);
    QVERIFY2(stueck.startsWith(erstes) && stueck.endsWith(letztes), qPrintable(stueck));
    // A piece holds single blanks only; its runs of blanks follow it.
    QVERIFY2(stueck.trimmed() == stueck && !stueck.contains(QStringLiteral("  ")), qPrintable(stueck));
    const qsizetype ende = anfang + laenge;
    QCOMPARE(ganz.mid(ende, leer), QString(leer, u' '));
    // The run is exactly that long: the next piece starts right after it.
    if (ende + leer < ganz.size())
        QVERIFY2(ganz.at(ende + leer) != u' ', "run of blanks too long");
    else
        QCOMPARE(ende + leer, ganz.size());
}

void TestGesetztext::stueckliste()
{
    // The list of pieces and the stored caption are one text.
    const QList<GesetzStueck> &liste = gesetzStuecke();
    QCOMPARE(liste.size(), AnzahlStuecke);
    QString zusammen;
    for (int i = 0; i < AnzahlStuecke; ++i) {
        QCOMPARE(int(liste[i].text.size()), Erwartet[i].laenge);
        QCOMPARE(liste[i].leerzeichen, Erwartet[i].leer);
        zusammen += liste[i].text + QString(liste[i].leerzeichen, u' ');
    }
    QCOMPARE(zusammen, gesetzText());
}

void TestGesetztext::zeichen()
{
    const QString text = gesetzText();
    QVERIFY(!text.contains(u'\n'));
    QVERIFY(!text.contains(u'\r'));
    QVERIFY(!text.contains(u'\t'));
    QVERIFY(text.contains(QStringLiteral(" Jahrenweder ")));

    // One 8-bit Western code page holds it: besides ASCII only these five.
    QSet<QChar> ausserhalbAscii;
    for (QChar c : text) {
        QVERIFY2(c.unicode() <= 0xFF, "character outside Latin-1");
        if (c.unicode() > 0x7F)
            ausserhalbAscii.insert(c);
    }
    const QSet<QChar> erwartet{u'§', u'Ö', u'ä', u'ö', u'ü'};
    QCOMPARE(ausserhalbAscii, erwartet);
}

void TestGesetztext::zeilen_data()
{
    QTest::addColumn<int>("zeile");
    QTest::addColumn<QString>("anfang");
    QTest::addColumn<QString>("ende");

    QTest::newRow("Überschrift") << 0 << "JuSchG § 9"
                                 << "Alkoholische Getränke";
    QTest::newRow("Absatz 1") << 1 << "(1) In Gaststätten"
                              << "Öffentlichkeit dürfen";
    QTest::newRow("Absatz 1 Nr. 1") << 2 << "1. Branntwein,"
                                    << "an Kinder und Jugendliche,";
    QTest::newRow("Absatz 1 Nr. 2") << 3 << "2. andere alkoholische"
                                    << "gestattet werden.";
    QTest::newRow("Absatz 2") << 4 << "(2) Absatz 1 Nr. 2"
                              << "Person begleitet werden.";
    QTest::newRow("Absatz 3") << 5 << "(3) In der Öffentlichkeit"
                              << "wenn ein Automat";
    QTest::newRow("Absatz 3 Nr. 1") << 6 << "1. an einem"
                                    << "aufgestellt ist oder";
    QTest::newRow("Absatz 3 Nr. 2") << 7 << "2. in einem"
                                    << "nicht entnehmen können.";
    QTest::newRow("Schlusssatz") << 8 << "§ 20 Nr. 1"
                                 << "bleibt unberührt.";
}

void TestGesetztext::zeilen()
{
    QFETCH(int, zeile);
    QFETCH(QString, anfang);
    QFETCH(QString, ende);

    const QStringList zeilen = gesetzZeilen().split(u'\n');
    QCOMPARE(zeilen.size(), 9);
    QVERIFY2(zeilen[zeile].startsWith(anfang), qPrintable(zeilen[zeile]));
    QVERIFY2(zeilen[zeile].endsWith(ende), qPrintable(zeilen[zeile]));
}

void TestGesetztext::zeilenOhneRaender()
{
    // Inside a line only single blanks; the runs are gone, not moved.
    for (const QString &zeile : gesetzZeilen().split(u'\n')) {
        QVERIFY(!zeile.isEmpty());
        QVERIFY2(zeile.trimmed() == zeile, qPrintable(zeile));
        QVERIFY2(!zeile.contains(QStringLiteral("  ")), qPrintable(zeile));
    }
}

void TestGesetztext::gleicheWoerter()
{
    // Same words, same order: only the blanks between them differ.
    const QStringList gespeichert = woerter(gesetzText());
    QCOMPARE(woerter(gesetzZeilen()), gespeichert);
    QCOMPARE(gespeichert.size(), 131);
    // The statute's own terms, in its order.
    int ab = 0;
    for (const char *wort : {"JuSchG", "Alkoholische", "Gaststätten,", "Branntwein,", "Jugendliche,", "16",
                             "abgegeben", "personensorgeberechtigten", "Automaten", "unzugänglichen",
                             "gewerblich", "Aufsicht", "entnehmen", "Gaststättengesetzes"}) {
        const int stelle = int(gespeichert.indexOf(QString::fromUtf8(wort), ab));
        QVERIFY2(stelle >= 0, wort);
        ab = stelle + 1;
    }
}

QTEST_APPLESS_MAIN(TestGesetztext)
#include "tst_info_gesetztext.moc"
