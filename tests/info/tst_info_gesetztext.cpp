// The law text as data: the seventeen pieces with their runs of blanks, the
// caption of 1644 characters made of them, and the display form with its lines.
#include "info/gesetztext.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

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
    void stuecke();
    void zeichen();
    void zeilen_data();
    void zeilen();
    void zeilenOhneRaender();
    void gleicheWoerter();
};

void TestGesetztext::laenge()
{
    QCOMPARE(gesetzStuecke().size(), 17);
    QCOMPARE(gesetzText().size(), 1644);
}

void TestGesetztext::stuecke()
{
    // The caption is the pieces, each followed by its run of blanks; inside
    // a piece single blanks stand between words, so every run of blanks in
    // the caption is one that a piece ends with.
    QString zusammen;
    for (const GesetzStueck &stueck : gesetzStuecke()) {
        QVERIFY2(!stueck.text.isEmpty() && stueck.text.trimmed() == stueck.text
                     && !stueck.text.contains(QStringLiteral("  ")),
                 qPrintable(stueck.text));
        zusammen += stueck.text + QString(stueck.leerzeichen, u' ');
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
