// The percentage rule, with its nested change events, against a plain
// statement of where a field must end up.

#include "calc/prozentregel.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// Where a field must come to rest, stated without the rule's mechanics:
// "0%".."100%" stays, a bare "0".."100" gains its "%", anything else becomes
// the reset value.
QString erwartet(const QString &text, const QString &rueckfall)
{
    static const QRegularExpression zahl(QStringLiteral("^(0|[1-9][0-9]?|100)$"));
    if (text.endsWith(u'%') && zahl.match(text.chopped(1)).hasMatch())
        return text;
    if (zahl.match(text).hasMatch())
        return text + u'%';
    return rueckfall;
}

// A field that counts how deep the change events nest.
class ZaehlFeld : public Textfeld
{
public:
    ZaehlFeld(const QString &text, const QString &rueckfall) : m_text(text), m_rueckfall(rueckfall) {}
    QString text() const override { return m_text; }
    void setText(const QString &neu) override
    {
        ++schreibvorgaenge;
        if (neu == m_text)
            return;
        m_text = neu;
        ++tiefe;
        tiefsteVerschachtelung = qMax(tiefsteVerschachtelung, tiefe);
        prozentRegel(*this, m_rueckfall);
        --tiefe;
    }
    int tiefe = 1;
    int tiefsteVerschachtelung = 1;
    int schreibvorgaenge = 0;

private:
    QString m_text;
    QString m_rueckfall;
};

} // namespace

class TestProzentregel : public QObject
{
    Q_OBJECT

private slots:
    void zahlen_data();
    void zahlen();
    void beispiele_data();
    void beispiele();
    void alleTexteUeberKleinemAlphabet();
    void ruheIstStabil();
    void angenommeneTexteBleibenUnberuehrt();
};

void TestProzentregel::zahlen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("angenommen");
    QTest::newRow("0") << "0" << true;
    QTest::newRow("7") << "7" << true;
    QTest::newRow("42") << "42" << true;
    QTest::newRow("100") << "100" << true;
    QTest::newRow("101") << "101" << false;
    QTest::newRow("07") << "07" << false;
    QTest::newRow("00") << "00" << false;
    QTest::newRow("+7") << "+7" << false;
    QTest::newRow("7.0") << "7.0" << false;
    QTest::newRow("leer") << "" << false;
    QTest::newRow("1000") << "1000" << false;
    QTest::newRow("Blank") << " 7" << false;
}

void TestProzentregel::zahlen()
{
    QFETCH(QString, text);
    QFETCH(bool, angenommen);
    QCOMPARE(istProzentZahl(text), angenommen);
}

void TestProzentregel::beispiele_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hauptfenster");
    QTest::addColumn<QString>("dialog");
    // Every other text the rule tells apart is checked against its statement
    // in alleTexteUeberKleinemAlphabet; these go through prozentRuhelage.

    QTest::newRow("Ziffer") << "7"
                            << "7%"
                            << "7%";
    QTest::newRow("hinter dem Prozent getippt") << "%5"
                                                << ""
                                                << "%";
    QTest::newRow("leer") << ""
                          << ""
                          << "%";
    QTest::newRow("101") << "101"
                         << ""
                         << "%";
    QTest::newRow("0") << "0"
                       << "0%"
                       << "0%";
    QTest::newRow("lang") << "Bier ist gut"
                          << ""
                          << "%";
}

void TestProzentregel::beispiele()
{
    QFETCH(QString, text);
    QFETCH(QString, hauptfenster);
    QFETCH(QString, dialog);
    QCOMPARE(prozentRuhelage(text, QString()), hauptfenster);
    QCOMPARE(prozentRuhelage(text, QStringLiteral("%")), dialog);
}

void TestProzentregel::alleTexteUeberKleinemAlphabet()
{
    // Every text of up to five characters over an alphabet that holds every
    // kind of character the rule tells apart, and the six-character texts
    // over a smaller one: about 1.7 million texts for each reset value.
    const QString gross = QStringLiteral("0123456789%.,-+ x");
    const QString klein = QStringLiteral("01%x");

    int geprueft = 0;
    int tiefste = 0;
    auto pruefe = [&](const QString &text) {
        for (const QString &rueckfall : {QString(), QStringLiteral("%")}) {
            ZaehlFeld feld(text, rueckfall);
            prozentRegel(feld, rueckfall);
            if (feld.text() != erwartet(text, rueckfall))
                QFAIL(qPrintable(QStringLiteral("\"%1\" mit Rückfall \"%2\": \"%3\" statt \"%4\"")
                                     .arg(text, rueckfall, feld.text(), erwartet(text, rueckfall))));
            tiefste = qMax(tiefste, feld.tiefsteVerschachtelung);
            ++geprueft;
        }
    };

    std::function<void(const QString &, const QString &, int)> alle = [&](const QString &anfang,
                                                                          const QString &alphabet, int rest) {
        pruefe(anfang);
        if (QTest::currentTestFailed() || rest == 0)
            return;
        for (QChar c : alphabet)
            alle(anfang + c, alphabet, rest - 1);
    };
    alle(QString(), gross, 5);
    for (QChar c : klein)
        alle(QString(c), klein, 5);
    QVERIFY(geprueft > 3000000);
    // Writing an unchanged text raises nothing, so the nesting stays shallow.
    QVERIFY(tiefste <= 3);
}

void TestProzentregel::ruheIstStabil()
{
    // A field at rest stays at rest when the rule runs on it once more.
    const QStringList texte = {"", "%", "0%", "7%", "99%", "100%", "x", "101"};
    for (const QString &text : texte)
        for (const QString &rueckfall : {QString(), QStringLiteral("%")}) {
            const QString ruhe = prozentRuhelage(text, rueckfall);
            QCOMPARE(prozentRuhelage(ruhe, rueckfall), ruhe);
        }
}

void TestProzentregel::angenommeneTexteBleibenUnberuehrt()
{
    // An accepted text is never written at all: the caret stays where the
    // user put it.
    for (int i = 0; i <= 100; ++i) {
        ZaehlFeld feld(QString::number(i) + u'%', QString());
        prozentRegel(feld, QString());
        QCOMPARE(feld.schreibvorgaenge, 0);
    }
}

QTEST_GUILESS_MAIN(TestProzentregel)
#include "tst_prozentregel.moc"
