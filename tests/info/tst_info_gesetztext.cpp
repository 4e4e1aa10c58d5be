// The law text as data: the seventeen pieces with their runs of blanks, the
// stored caption of 1644 characters, and the display form with its lines.
#include "info/gesetztext.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

struct Stueck
{
    const char16_t *text;
    int leer;
};

const Stueck Erwartet[] = {
    {u"JuSchG § 9 Alkoholische Getränke", 72},
    {u"(1) In Gaststätten, Verkaufsstellen oder sonst in der Öffentlichkeit dürfen", 148},
    {u"1.", 2},
    {u"Branntwein, branntweinhaltige Getränke oder Lebensmittel, die Branntwein", 4},
    {u"in nicht nur geringfügiger Menge enthalten, an Kinder und Jugendliche,", 21},
    {u"2.", 2},
    {u"andere alkoholische Getränke an Kinder und Jugendliche unter 16 Jahrenweder abgegeben "
     u"noch darf ihnen der Verzehr gestattet werden.",
     169},
    {u"(2) Absatz 1 Nr. 2 gilt nicht, wenn Jugendliche von einer personensorgeberechtigten "
     u"Person begleitet werden.",
     45},
    {u"(3) In der Öffentlichkeit dürfen alkoholische Getränke nicht in Automaten angeboten "
     u"werden. Dies gilt nicht, wenn ein Automat",
     46},
    {u"1.", 2},
    {u"an einem für Kinder und Jugendliche unzugänglichen Ort aufgestellt ist", 4},
    {u"oder", 5},
    {u"2.", 2},
    {u"in einem gewerblich genutzten Raum aufgestellt und durch technische", 4},
    {u"Vorrichtungen oder durch ständige Aufsicht sichergestellt ist, dass Kinder", 4},
    {u"und Jugendliche alkoholische Getränke nicht entnehmen können.", 165},
    {u"§ 20 Nr. 1 des Gaststättengesetzes bleibt unberührt.", 0},
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
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("leer");

    int anfang = 0;
    for (int i = 0; i < AnzahlStuecke; ++i) {
        const QString text = QString::fromUtf16(Erwartet[i].text);
        QTest::addRow("Stück %d", i + 1) << anfang << text << Erwartet[i].leer;
        anfang += int(text.size()) + Erwartet[i].leer;
    }
}

void TestGesetztext::stuecke()
{
    QFETCH(int, anfang);
    QFETCH(QString, text);
    QFETCH(int, leer);

    const QString ganz = gesetzText();
    QCOMPARE(ganz.mid(anfang, text.size()), text);
    const qsizetype ende = anfang + text.size();
    QCOMPARE(ganz.mid(ende, leer), QString(leer, u' '));
    // The run is exactly that long: the next piece starts right after it.
    if (ende + leer < ganz.size())
        QVERIFY2(ganz.at(ende + leer) != u' ', "run of blanks too long");
    else
        QCOMPARE(ende + leer, ganz.size());
}

void TestGesetztext::stueckliste()
{
    const QList<GesetzStueck> &liste = gesetzStuecke();
    QCOMPARE(liste.size(), AnzahlStuecke);
    for (int i = 0; i < AnzahlStuecke; ++i) {
        QCOMPARE(liste[i].text, QString::fromUtf16(Erwartet[i].text));
        QCOMPARE(liste[i].leerzeichen, Erwartet[i].leer);
    }
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
}

QTEST_APPLESS_MAIN(TestGesetztext)
#include "tst_info_gesetztext.moc"
