// The "&Info" button on the running main window: it reads the result label
// back and shows the classification in the program's message box.
#include "app/alk.h"
#include "app/frmalkohol.h"
#include "common/gui.h"
#include "info/einstufung.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

QString infoDruecken(frmAlkohol *f)
{
    return naechsteMeldung([f] { QTest::mouseClick(f->Command2, Qt::LeftButton); });
}

} // namespace

class TestInfoMeldung : public QObject
{
    Q_OBJECT

private slots:
    void knopf();
    void vorDerErstenRechnung();
    void angezeigterWert_data();
    void angezeigterWert();
    void nachRechnung_data();
    void nachRechnung();
};

void TestInfoMeldung::knopf()
{
    Programm p;
    QPushButton *info = p.fenster()->Command2;
    QCOMPARE(info->objectName(), QStringLiteral("Command2"));
    QCOMPARE(info->text(), QStringLiteral("&Info"));
    QCOMPARE(info->accessibleName(), QStringLiteral("Info"));
}

void TestInfoMeldung::vorDerErstenRechnung()
{
    Programm p;
    QVERIFY(p.fenster()->Label1->text().isEmpty());
    QCOMPARE(infoDruecken(p.fenster()), einstufungsText(1));
}

void TestInfoMeldung::angezeigterWert_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("zeile");

    // Each bound as the label shows it, and the next value the label can show.
    const char *const grenzen[] = {" 0.3", " 0.5", " 0.8", " 1", " 1.5", " 2", " 2.5", " 3", " 4"};
    const char *const darueber[] = {" 0.31", " 0.51", " 0.81", " 1.01", " 1.51",
                                    " 2.01", " 2.51", " 3.01", " 4.01"};
    for (int i = 0; i < 9; ++i) {
        QTest::addRow("\"%s\"", grenzen[i]) << QString::fromLatin1(grenzen[i]) << i + 1;
        QTest::addRow("\"%s\"", darueber[i]) << QString::fromLatin1(darueber[i]) << i + 2;
    }
    QTest::newRow("\" 0\"") << QStringLiteral(" 0") << 1;
    QTest::newRow("\" 12.35\"") << QStringLiteral(" 12.35") << 10;
}

void TestInfoMeldung::angezeigterWert()
{
    QFETCH(QString, label);
    QFETCH(int, zeile);

    Programm p;
    p.fenster()->Label1->setText(label);
    QCOMPARE(infoDruecken(p.fenster()), einstufungsText(zeile));
    // Only read: the label keeps its text.
    QCOMPARE(p.fenster()->Label1->text(), label);
}

void TestInfoMeldung::nachRechnung_data()
{
    QTest::addColumn<QString>("menge");
    QTest::addColumn<bool>("frau");
    QTest::addColumn<QString>("anzeige");
    QTest::addColumn<int>("zeile");

    QTest::newRow("ein Bier") << "500" << false << " 0.35" << 2;
    QTest::newRow("ein Bier, Frau") << "500" << true << " 0.41" << 2;
    QTest::newRow("zwei Bier") << "1000" << false << " 0.7" << 3;
    QTest::newRow("vier Bier") << "2000" << false << " 1.39" << 5;
    QTest::newRow("zwölf Bier") << "6000" << false << " 4.18" << 10;
}

void TestInfoMeldung::nachRechnung()
{
    QFETCH(QString, menge);
    QFETCH(bool, frau);
    QFETCH(QString, anzeige);
    QFETCH(int, zeile);

    Programm p;
    frmAlkohol *f = p.fenster();
    f->Prozent->setText(QStringLiteral("5%"));
    f->Menge->setText(menge);
    f->Masse->setText(QStringLiteral("80"));
    if (frau)
        QTest::mouseClick(f->Option2, Qt::LeftButton);
    QTest::mouseClick(f->cmdBerechnen, Qt::LeftButton);
    QCOMPARE(f->Label1->text(), anzeige);

    QCOMPARE(infoDruecken(f), einstufungsText(zeile));
    // Neither the inputs nor the result change.
    QCOMPARE(f->Label1->text(), anzeige);
    QCOMPARE(Alk::Ergebnis, anzeige);
    QCOMPARE(f->Prozent->text(), QStringLiteral("5%"));
    QCOMPARE(f->Menge->text(), menge);
    QCOMPARE(f->Masse->text(), QStringLiteral("80"));
}

QTEST_MAIN(TestInfoMeldung)
#include "tst_info_meldung.moc"
