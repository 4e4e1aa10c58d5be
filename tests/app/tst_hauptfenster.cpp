// The main window driven like a user drives it: keys, clicks, message boxes.

#include "app/alk.h"
#include "app/frmalkohol.h"
#include "common/gui.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

const QByteArray Standardkatalog = katalogZeilen({
    {"Wein", "12%", "200"},
    {"Bier", "5%", "500"},
    {"Sekt", "11%", "100"},
    {"Ohne Menge", "40%", ""},
    {"Ohne Zeichen", "5", "330"},
    {"Dezimal", "4,5%", "330"},
    {"Doppelt", "1%", "1"},
    {"Doppelt", "2%", "2"},
    {"Küstennebel", "22%", "20"},
    {"äpfel", "6%", "250"},
});

// Chooses an entry of a combo box's list with the mouse, as a user would:
// open the list, click the entry.
void waehleMitMaus(QComboBox *liste, const QString &eintrag)
{
    const int index = liste->findText(eintrag, Qt::MatchExactly);
    QVERIFY2(index >= 0, qPrintable(eintrag));
    liste->showPopup();
    QAbstractItemView *ansicht = liste->view();
    QTRY_VERIFY(ansicht->isVisible());
    const QRect feld = ansicht->visualRect(ansicht->model()->index(index, 0));
    QTest::mouseClick(ansicht->viewport(), Qt::LeftButton, {}, feld.center());
    QTRY_VERIFY(!ansicht->isVisible());
}

} // namespace

class TestHauptfenster : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void startzustand();
    void pfadEndetMitEinemTrenner();
    void namenUndReihenfolge();
    void sortenlisteAlphabetischUndEinmal();

    void meldungen_data();
    void meldungen();
    void enterDrueckenBerechnet();
    void typischeBenutzung();

    void sorteWaehlen_data();
    void sorteWaehlen();
    void sorteMitTastaturWaehlen();
    void luekeBeendetDieSuche();
    void tippenInSorteLeertProzent();
    void mengeFragen();
    void tabOeffnetKeineFrage();

    void anzahlMalEinzelmenge();
    void anzahlOhneZahl();
    void gewichtBleibtZahl_data();
    void gewichtBleibtZahl();
    void geschlechtRechnetNeu();
    void geschlechtMitTastatur();
    void geschlechtOhneGewicht();

    void prozentfeldBeimTippen();
    void prozentAendertErgebnisNicht();
};

void TestHauptfenster::startzustand()
{
    Programm p(Standardkatalog);
    frmAlkohol *f = p.fenster();
    QCOMPARE(f->windowTitle(), QStringLiteral("Promilleberechnung"));
    QCOMPARE(Alk::Faktor, 0.7);
    QCOMPARE(f->Prozent->text(), QStringLiteral("%"));
    QCOMPARE(f->Anz->currentText(), QStringLiteral("0"));
    QCOMPARE(f->Anz->count(), 20);
    QCOMPARE(f->Anz->itemText(19), QStringLiteral("20"));
    QCOMPARE(f->Anz->itemData(0).toInt(), 0);
    QVERIFY(f->Label1->text().isEmpty());
    QVERIFY(f->Menge->text().isEmpty());
    QVERIFY(f->Masse->text().isEmpty());
    QVERIFY(f->Sorte->currentText().isEmpty());
    QVERIFY(f->Option1->isChecked());
    QVERIFY(!f->Option2->isChecked());
    QVERIFY(f->Einzelmenge.isEmpty());
    QCOMPARE(Alk::LetzteZeile, 10);
    QCOMPARE(f->palette().color(QPalette::Window), QColor(192, 255, 255));
    QCOMPARE(f->Label10->text(), QStringLiteral("×"));
    QVERIFY(!f->Picture1->pixmap().isNull());
    QVERIFY(!f->windowIcon().isNull());
}

void TestHauptfenster::pfadEndetMitEinemTrenner()
{
    Programm p;
    const QString sep = QDir::separator();
    QVERIFY(Alk::Pfad.endsWith(sep));
    QVERIFY(!Alk::Pfad.endsWith(sep + sep));

    // Started from a directory whose path already ends in the separator.
    frmAlkohol zweites(p.verzeichnis() + sep);
    QCOMPARE(Alk::Pfad, QDir::toNativeSeparators(p.verzeichnis()) + sep);
    frmAlkohol wurzel(QStringLiteral("/"));
    QCOMPARE(Alk::Pfad, QDir::toNativeSeparators(QStringLiteral("/")));
    // No directory to be had: no path at all, never the root's separator.
    frmAlkohol ohne{QString()};
    QCOMPARE(Alk::Pfad, QString());
}

void TestHauptfenster::namenUndReihenfolge()
{
    Programm p;
    frmAlkohol *f = p.fenster();

    const QStringList namen = {"Sorte",  "cmdHinzu", "Prozent",  "Label1",   "cmdBerechnen", "Label2",
                               "Label3", "Label4",   "Menge",    "Label5",   "Option2",      "Label6",
                               "Label7", "Label8",   "Masse",    "Label9",   "Option1",      "Label10",
                               "Anz",    "Command1", "Command2", "Picture1", "Command3"};
    for (const QString &name : namen)
        QVERIFY2(f->findChild<QWidget *>(name), qPrintable(name));

    // Every control a screen reader lands on says what it is, in German.
    const QList<QPair<QWidget *, QString>> zugaenglich = {
        {f->Sorte, "Sorte"},         {f->Prozent, "Prozent"},      {f->Menge, "Menge"},
        {f->Masse, "Körpergewicht"}, {f->Anz, "Anzahl"},           {f->Option1, "männlich"},
        {f->Option2, "weiblich"},    {f->Picture1, "Info-Symbol"}, {f->cmdBerechnen, "Berechnen"},
        {f->cmdHinzu, "Hinzufügen"}, {f->Command1, "Bearbeiten"},  {f->Command2, "Info"},
        {f->Command3, "Gesetz"}};
    for (const auto &[widget, name] : zugaenglich)
        QCOMPARE(widget->accessibleName(), name);
    QVERIFY(f->Label1->accessibleName().isEmpty());
    QCOMPARE(f->Label1->accessibleDescription(), QStringLiteral("Promille"));
    QCOMPARE(f->Sorte->accessibleDescription(), QStringLiteral("Sorte"));
    QCOMPARE(f->Anz->accessibleDescription(), QStringLiteral("Anzahl"));
    QCOMPARE(f->Label2->buddy(), f->Sorte);

    // Tab walks the controls in the window's order.
    // The sex options are one stop, the selected option first in the chain:
    // Qt's Tab visits only the first of an exclusive group.
    const auto pruefeReihenfolge = [f](const QList<QWidget *> &reihenfolge) {
        QWidget *w = f->Sorte;
        for (int i = 1; i < reihenfolge.size(); ++i) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || w->window() != f || w->parentWidget() != f);
            QCOMPARE(w->objectName(), reihenfolge[i]->objectName());
        }
    };
    pruefeReihenfolge({f->Sorte, f->cmdHinzu, f->Prozent, f->cmdBerechnen, f->Menge, f->Option1, f->Masse,
                       f->Option2, f->Anz, f->Command1, f->Command2, f->Command3});
    f->Option2->setChecked(true);
    pruefeReihenfolge({f->Sorte, f->cmdHinzu, f->Prozent, f->cmdBerechnen, f->Menge, f->Option2, f->Masse,
                       f->Option1, f->Anz, f->Command1, f->Command2, f->Command3});
}

void TestHauptfenster::sortenlisteAlphabetischUndEinmal()
{
    Programm p(Standardkatalog);
    QComboBox *sorte = p.fenster()->Sorte;
    const QStringList erwartet = {"äpfel",       "Bier",       "Dezimal",      "Doppelt", "Doppelt",
                                  "Küstennebel", "Ohne Menge", "Ohne Zeichen", "Sekt",    "Wein"};
    auto eintraege = [sorte] {
        QStringList l;
        for (int i = 0; i < sorte->count(); ++i)
            l.append(sorte->itemText(i));
        return l;
    };
    QCOMPARE(eintraege(), erwartet);

    // A refill keeps what the user typed and lists every kind once.
    tippe(sorte, QStringLiteral("Bi"));
    Alk::SortenEinlesen();
    Alk::SortenEinlesen();
    QCOMPARE(eintraege(), erwartet);
    QCOMPARE(sorte->currentText(), QStringLiteral("Bi"));
}

void TestHauptfenster::meldungen_data()
{
    QTest::addColumn<QString>("prozent");
    QTest::addColumn<QString>("menge");
    QTest::addColumn<QString>("masse");
    QTest::addColumn<QString>("meldung");

    // Which message for which fields is the engine's (tst_rechnen); these
    // rows tell the three fields apart on their way to it.
    QTest::newRow("Menge fehlt") << "5%"
                                 << ""
                                 << ""
                                 << "Bitte füllen Sie die Box für die Menge korrekt aus";
    QTest::newRow("Gewicht fehlt") << "5%"
                                   << "500"
                                   << ""
                                   << "Bitte füllen Sie die Box für das Körpergewicht korrekt aus";
}

void TestHauptfenster::meldungen()
{
    QFETCH(QString, prozent);
    QFETCH(QString, menge);
    QFETCH(QString, masse);
    QFETCH(QString, meldung);

    Programm p;
    frmAlkohol *f = p.fenster();
    f->Prozent->setText(prozent);
    f->Menge->setText(menge);
    f->Masse->setText(masse);
    QCOMPARE(naechsteMeldung([&] { QTest::mouseClick(f->cmdBerechnen, Qt::LeftButton); }), meldung);
    // The message changes nothing in the window.
    QCOMPARE(f->Prozent->text(), prozent);
    QCOMPARE(f->Menge->text(), menge);
    QCOMPARE(f->Masse->text(), masse);
    QVERIFY(f->Label1->text().isEmpty());
}

void TestHauptfenster::enterDrueckenBerechnet()
{
    Programm p;
    frmAlkohol *f = p.fenster();
    for (QWidget *feld : QList<QWidget *>{f->Prozent, f->Menge, f->Masse, f->Sorte, f->Anz, f->Option1}) {
        feld->setFocus();
        QCOMPARE(naechsteMeldung([&] { QTest::keyClick(feld, Qt::Key_Return); }),
                 QStringLiteral("Bitte füllen Sie die Boxen korrekt aus"));
    }
    QCOMPARE(naechsteMeldung([&] { QTest::keyClick(f->Masse, Qt::Key_Enter, Qt::KeypadModifier); }),
             QStringLiteral("Bitte füllen Sie die Boxen korrekt aus"));

    // The box's title, icon and buttons are the program's.
    QString titel;
    QTimer::singleShot(50, [&titel] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            titel = box->windowTitle() + u'|' + QString::number(box->icon()) + u'|'
                + QString::number(box->buttons().size());
            box->accept();
        }
    });
    QTest::keyClick(f->Masse, Qt::Key_Return);
    QCOMPARE(titel, QStringLiteral("Kavorin|0|1"));
}

void TestHauptfenster::typischeBenutzung()
{
    Programm p(Standardkatalog);
    frmAlkohol *f = p.fenster();

    waehleMitMaus(f->Sorte, QStringLiteral("Bier"));
    QCOMPARE(f->Prozent->text(), QStringLiteral("5%"));
    QCOMPARE(f->Menge->text(), QStringLiteral("500"));
    QCOMPARE(f->Einzelmenge, QStringLiteral("500"));

    waehleMitMaus(f->Anz, QStringLiteral("2"));
    QCOMPARE(f->Menge->text(), QStringLiteral("1000"));
    QVERIFY(f->Label1->text().isEmpty());

    tippe(f->Masse, QStringLiteral("80"));
    QTest::keyClick(f->Masse, Qt::Key_Return);
    QCOMPARE(f->Label1->text(), QStringLiteral(" 0.7"));
    QCOMPARE(Alk::Anteil, 0.05);
    QCOMPARE(Alk::Gramm, 39.0);
}

void TestHauptfenster::sorteWaehlen_data()
{
    QTest::addColumn<QString>("sorte");
    QTest::addColumn<QString>("prozent");
    QTest::addColumn<QString>("menge");
    QTest::addColumn<QString>("einzelmenge");

    QTest::newRow("Bier") << "Bier"
                          << "5%"
                          << "500"
                          << "500";
    QTest::newRow("Umlaut") << "Küstennebel"
                            << "22%"
                            << "20"
                            << "20";
    QTest::newRow("ohne Menge") << "Ohne Menge"
                                << "40%"
                                << "0"
                                << "";
    QTest::newRow("ohne Prozentzeichen") << "Ohne Zeichen"
                                         << "5%"
                                         << "330"
                                         << "330";
    QTest::newRow("Dezimalprozent") << "Dezimal"
                                    << ""
                                    << "330"
                                    << "330";
}

void TestHauptfenster::sorteWaehlen()
{
    QFETCH(QString, sorte);
    QFETCH(QString, prozent);
    QFETCH(QString, menge);
    QFETCH(QString, einzelmenge);

    Programm p(Standardkatalog);
    frmAlkohol *f = p.fenster();
    f->Anz->setEditText(QStringLiteral("3"));
    f->Masse->setText(QStringLiteral("80"));
    waehleMitMaus(f->Sorte, sorte);
    QCOMPARE(f->Sorte->currentText(), sorte);
    QCOMPARE(f->Prozent->text(), prozent);
    QCOMPARE(f->Menge->text(), menge);
    QCOMPARE(f->Einzelmenge, einzelmenge);
    // Choosing a kind touches nothing else and calculates nothing.
    QCOMPARE(f->Anz->currentText(), QStringLiteral("3"));
    QCOMPARE(f->Masse->text(), QStringLiteral("80"));
    QVERIFY(f->Label1->text().isEmpty());
}

void TestHauptfenster::sorteMitTastaturWaehlen()
{
    Programm p(Standardkatalog);
    frmAlkohol *f = p.fenster();
    f->Sorte->setFocus();
    // The list is alphabetical: "äpfel", then "Bier".
    QTest::keyClick(f->Sorte, Qt::Key_Down);
    QCOMPARE(f->Sorte->currentText(), QStringLiteral("äpfel"));
    QCOMPARE(f->Prozent->text(), QStringLiteral("6%"));
    QTest::keyClick(f->Sorte, Qt::Key_Down);
    QCOMPARE(f->Sorte->currentText(), QStringLiteral("Bier"));
    QCOMPARE(f->Prozent->text(), QStringLiteral("5%"));
    QCOMPARE(f->Menge->text(), QStringLiteral("500"));

    // Through the opened list with the keyboard.
    QTest::keyClick(f->Sorte, Qt::Key_Down, Qt::AltModifier);
    QTRY_VERIFY(f->Sorte->view()->isVisible());
    QTest::keyClick(f->Sorte->view(), Qt::Key_Down);
    QTest::keyClick(f->Sorte->view(), Qt::Key_Return);
    QTRY_VERIFY(!f->Sorte->view()->isVisible());
    QCOMPARE(f->Sorte->currentText(), QStringLiteral("Dezimal"));
    QCOMPARE(f->Prozent->text(), QString());
    QCOMPARE(f->Menge->text(), QStringLiteral("330"));
}

void TestHauptfenster::luekeBeendetDieSuche()
{
    Programm p(Standardkatalog);
    frmAlkohol *f = p.fenster();
    waehleMitMaus(f->Sorte, QStringLiteral("Bier"));
    Alk::Sorten[3].Name.clear(); // row of "Sekt": kinds behind it are no longer found
    waehleMitMaus(f->Sorte, QStringLiteral("Küstennebel"));
    QCOMPARE(f->Prozent->text(), QString());
    QCOMPARE(f->Menge->text(), QStringLiteral("500"));
    QCOMPARE(f->Einzelmenge, QStringLiteral("500"));
}

void TestHauptfenster::tippenInSorteLeertProzent()
{
    Programm p(Standardkatalog);
    frmAlkohol *f = p.fenster();
    waehleMitMaus(f->Sorte, QStringLiteral("Bier"));
    f->Sorte->lineEdit()->end(false);
    tippe(f->Sorte, QStringLiteral("x"));
    QCOMPARE(f->Sorte->currentText(), QStringLiteral("Bierx"));
    QCOMPARE(f->Prozent->text(), QString());
    QCOMPARE(f->Menge->text(), QStringLiteral("500"));
    QCOMPARE(f->Einzelmenge, QStringLiteral("500"));
    // Leaving the field after typing a kind's full name is no choice either.
    f->Sorte->lineEdit()->selectAll();
    QTest::keyClicks(f->Sorte, QStringLiteral("Sekt"));
    QTest::keyClick(f->Sorte, Qt::Key_Tab);
    QVERIFY(!f->Sorte->hasFocus());
    QCOMPARE(f->Sorte->currentText(), QStringLiteral("Sekt"));
    QCOMPARE(f->Prozent->text(), QString());
    QCOMPARE(f->Menge->text(), QStringLiteral("500"));
    QCOMPARE(f->Einzelmenge, QStringLiteral("500"));
    f->Sorte->setFocus();
    f->Sorte->lineEdit()->selectAll();
    QTest::keyClicks(f->Sorte, QStringLiteral("Bierx"));

    // Typed text never becomes a list entry, and is not completed.
    QCOMPARE(f->Sorte->count(), 10);
    QTest::keyClick(f->Sorte, Qt::Key_Backspace);
    QCOMPARE(f->Sorte->currentText(), QStringLiteral("Bier"));
    QCOMPARE(f->Prozent->text(), QString());
}

void TestHauptfenster::mengeFragen()
{
    Programm p(Standardkatalog);
    frmAlkohol *f = p.fenster();
    waehleMitMaus(f->Sorte, QStringLiteral("Bier"));

    const QString titel =
        beantworteFrage([&] { QTest::mouseClick(f->Menge, Qt::LeftButton); }, QStringLiteral("330"));
    QCOMPARE(titel, QStringLiteral("Menge?"));
    QCOMPARE(f->Menge->text(), QStringLiteral("330"));
    QCOMPARE(f->Einzelmenge, QStringLiteral("330"));

    beantworteFrage([&] { QTest::mouseClick(f->Menge, Qt::LeftButton); }, QString(), true);
    QCOMPARE(f->Menge->text(), QStringLiteral("330"));
    QVERIFY(f->Einzelmenge.isEmpty());

    // Any answer is taken as it stands; the count then cannot multiply it.
    beantworteFrage([&] { QTest::mouseClick(f->Menge, Qt::LeftButton); }, QStringLiteral("ein Glas"));
    QCOMPARE(f->Menge->text(), QStringLiteral("ein Glas"));
    waehleMitMaus(f->Anz, QStringLiteral("2"));
    QCOMPARE(f->Menge->text(), QStringLiteral("ein Glas"));
}

void TestHauptfenster::tabOeffnetKeineFrage()
{
    Programm p;
    frmAlkohol *f = p.fenster();
    f->Prozent->setFocus();
    QTest::keyClick(f->Prozent, Qt::Key_Tab); // to "&Berechnen"
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f->Menge);
    QVERIFY(!QApplication::activeModalWidget());
    QTest::keyClicks(f->Menge, QStringLiteral("250"));
    QCOMPARE(f->Menge->text(), QStringLiteral("250"));
}

void TestHauptfenster::anzahlMalEinzelmenge()
{
    Programm p(Standardkatalog);
    frmAlkohol *f = p.fenster();

    // Before any kind: the per-serving amount counts as 0.
    waehleMitMaus(f->Anz, QStringLiteral("2"));
    QCOMPARE(f->Menge->text(), QStringLiteral("0"));

    waehleMitMaus(f->Sorte, QStringLiteral("Bier"));
    waehleMitMaus(f->Anz, QStringLiteral("3"));
    QCOMPARE(f->Menge->text(), QStringLiteral("1500"));

    f->Anz->lineEdit()->selectAll();
    f->Anz->setFocus();
    QTest::keyClick(f->Anz, Qt::Key_1);
    QCOMPARE(f->Menge->text(), QStringLiteral("500"));
    QTest::keyClick(f->Anz, Qt::Key_0);
    QCOMPARE(f->Menge->text(), QStringLiteral("5000"));
    QVERIFY(f->Label1->text().isEmpty());
    QCOMPARE(f->Anz->currentText(), QStringLiteral("10"));

    // Leaving the count does not count again: the amount typed meanwhile stays.
    f->Menge->setText(QStringLiteral("750"));
    QTest::keyClick(f->Anz, Qt::Key_Tab);
    QVERIFY(!f->Anz->hasFocus());
    QCOMPARE(f->Menge->text(), QStringLiteral("750"));

    // Regional format: German 0,33 × 3.
    beantworteFrage([&] { QTest::mouseClick(f->Menge, Qt::LeftButton); }, QStringLiteral("0,33"));
    waehleMitMaus(f->Anz, QStringLiteral("3"));
    QCOMPARE(f->Menge->text(), QStringLiteral("0,99"));
}

void TestHauptfenster::anzahlOhneZahl()
{
    Programm p(Standardkatalog);
    frmAlkohol *f = p.fenster();
    waehleMitMaus(f->Sorte, QStringLiteral("Bier"));
    f->Anz->setFocus();
    f->Anz->lineEdit()->selectAll();
    QTest::keyClick(f->Anz, Qt::Key_Delete);
    QCOMPARE(f->Menge->text(), QStringLiteral("500"));
    QTest::keyClicks(f->Anz, QStringLiteral("x"));
    QCOMPARE(f->Menge->text(), QStringLiteral("500"));
}

void TestHauptfenster::gewichtBleibtZahl_data()
{
    QTest::addColumn<QString>("getippt");
    QTest::addColumn<QString>("bleibt");

    QTest::newRow("Zahl") << "80"
                          << "80";
    QTest::newRow("Komma") << "72,5"
                           << "72,5";
    QTest::newRow("Buchstabe") << "72a"
                               << "";
    QTest::newRow("Ziffer und Buchstabe") << "7a"
                                          << "";
    QTest::newRow("zehn Ziffern") << "1234567890"
                                  << "1234567890";
    QTest::newRow("elf Ziffern") << "12345678901"
                                 << "";
    QTest::newRow("Minus allein ist noch keine Zahl") << "-5"
                                                      << "5";
    QTest::newRow("Blank") << " "
                           << "";
}

void TestHauptfenster::gewichtBleibtZahl()
{
    QFETCH(QString, getippt);
    QFETCH(QString, bleibt);
    Programm p;
    frmAlkohol *f = p.fenster();
    tippe(f->Masse, getippt);
    QCOMPARE(f->Masse->text(), bleibt);
    QVERIFY(f->Label1->text().isEmpty());
}

void TestHauptfenster::geschlechtRechnetNeu()
{
    Programm p;
    frmAlkohol *f = p.fenster();
    f->Prozent->setText(QStringLiteral("5%"));
    f->Menge->setText(QStringLiteral("500"));
    f->Masse->setText(QStringLiteral("80"));

    QTest::mouseClick(f->Option2, Qt::LeftButton);
    QCOMPARE(Alk::Faktor, 0.6);
    QCOMPARE(f->Label1->text(), QStringLiteral(" 0.41"));
    QTest::mouseClick(f->Option1, Qt::LeftButton);
    QCOMPARE(Alk::Faktor, 0.7);
    QCOMPARE(f->Label1->text(), QStringLiteral(" 0.35"));

    // "%" alone is no percentage: the factor is stored, nothing calculated.
    f->Label1->clear();
    f->Prozent->setText(QStringLiteral("%"));
    QTest::mouseClick(f->Option2, Qt::LeftButton);
    QCOMPARE(Alk::Faktor, 0.6);
    QVERIFY(f->Label1->text().isEmpty());
}

void TestHauptfenster::geschlechtMitTastatur()
{
    Programm p;
    frmAlkohol *f = p.fenster();
    f->Prozent->setText(QStringLiteral("5%"));
    f->Menge->setText(QStringLiteral("500"));
    f->Masse->setText(QStringLiteral("80"));
    f->Option1->setFocus();
    QTest::keyClick(f->Option1, Qt::Key_Right);
    QVERIFY(f->Option2->isChecked());
    QCOMPARE(f->Label1->text(), QStringLiteral(" 0.41"));
    QTest::keyClick(f->Option2, Qt::Key_Left);
    QVERIFY(f->Option1->isChecked());
    QCOMPARE(f->Label1->text(), QStringLiteral(" 0.35"));
}

void TestHauptfenster::geschlechtOhneGewicht()
{
    Programm p;
    frmAlkohol *f = p.fenster();
    f->Prozent->setText(QStringLiteral("5%"));
    f->Menge->setText(QStringLiteral("500"));
    QCOMPARE(naechsteMeldung([&] { QTest::mouseClick(f->Option2, Qt::LeftButton); }), QString());
    QVERIFY(f->Label1->text().isEmpty());
    tippe(f->Masse, QStringLiteral("80"));
    QTest::mouseClick(f->cmdBerechnen, Qt::LeftButton);
    QCOMPARE(f->Label1->text(), QStringLiteral(" 0.41"));
}

void TestHauptfenster::prozentfeldBeimTippen()
{
    Programm p;
    frmAlkohol *f = p.fenster();
    QLineEdit *prozent = f->Prozent;
    prozent->setFocus();

    // Digits typed before the "%" are left alone, caret and all.
    prozent->setCursorPosition(0);
    QTest::keyClick(prozent, Qt::Key_4);
    QCOMPARE(prozent->text(), QStringLiteral("4%"));
    QTest::keyClick(prozent, Qt::Key_5);
    QCOMPARE(prozent->text(), QStringLiteral("45%"));
    QCOMPARE(prozent->cursorPosition(), 2);

    // Behind the "%" the text is no percentage: the field empties.
    prozent->setText(QStringLiteral("%"));
    QCOMPARE(prozent->text(), QString());
    QTest::keyClick(prozent, Qt::Key_7);
    QCOMPARE(prozent->text(), QStringLiteral("7%"));
    prozent->end(false);
    QTest::keyClick(prozent, Qt::Key_5);
    QCOMPARE(prozent->text(), QString());

    // 10% with a 0 typed before the "%" is 100%; another digit is too much.
    prozent->setText(QStringLiteral("10%"));
    prozent->setCursorPosition(2);
    QTest::keyClick(prozent, Qt::Key_0);
    QCOMPARE(prozent->text(), QStringLiteral("100%"));
    prozent->setCursorPosition(3);
    QTest::keyClick(prozent, Qt::Key_0);
    QCOMPARE(prozent->text(), QString());

    // Deleting the digits of "5%" leaves "%" alone, which empties the field.
    prozent->setText(QStringLiteral("5%"));
    prozent->setCursorPosition(1);
    QTest::keyClick(prozent, Qt::Key_Backspace);
    QCOMPARE(prozent->text(), QString());
}

void TestHauptfenster::prozentAendertErgebnisNicht()
{
    Programm p;
    frmAlkohol *f = p.fenster();
    f->Prozent->setText(QStringLiteral("5%"));
    f->Menge->setText(QStringLiteral("500"));
    f->Masse->setText(QStringLiteral("80"));
    QTest::mouseClick(f->cmdBerechnen, Qt::LeftButton);
    QCOMPARE(f->Label1->text(), QStringLiteral(" 0.35"));
    f->Prozent->setCursorPosition(0);
    tippe(f->Prozent, QStringLiteral("1"));
    QCOMPARE(f->Prozent->text(), QStringLiteral("15%"));
    QCOMPARE(f->Label1->text(), QStringLiteral(" 0.35"));
}

QTEST_MAIN(TestHauptfenster)
#include "tst_hauptfenster.moc"
