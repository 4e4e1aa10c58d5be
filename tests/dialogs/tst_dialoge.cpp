// The add-kind dialog and the edit-kind dialog, driven through their widgets:
// keys and clicks go to the real controls, message boxes are read and closed
// as the user would, and every change is checked on the catalogue file's bytes.

#include "common/dateigrenze.h"
#include "common/gui.h"

#include "app/alk.h"
#include "app/frmalkohol.h"
#include "catalogue/frmbearbeiten.h"
#include "catalogue/frmsorte.h"
#include "ui/fenster.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStringEncoder>
#include <QTest>

#include <array>

#include <unistd.h>

namespace {

// Wein, Sekt, Bier, Korn in rows 1 to 4.
QByteArray vierSorten()
{
    return katalogZeilen(
        {{"Wein", "12%", "200"}, {"Sekt", "11%", "100"}, {"Bier", "5%", "500"}, {"Korn", "32%", "20"}});
}

// One record as the file holds it, from UTF-8 texts.
QByteArray satz(const QString &name, const QString &prozent, const QString &menge)
{
    QStringEncoder enkoder("windows-1252");
    return enkoder.encode(u'"' + name + QStringLiteral("\",\"") + prozent + QStringLiteral("\",\"") + menge
                          + QStringLiteral("\"\r\n"));
}

// `anzahl` kinds named Sorte001, Sorte002, ...
QByteArray vieleSorten(int anzahl)
{
    QByteArray daten;
    for (int i = 1; i <= anzahl; ++i)
        daten += satz(QStringLiteral("Sorte%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("5%"),
                      QStringLiteral("500"));
    return daten;
}

QStringList eintraege(const QComboBox *liste)
{
    QStringList namen;
    for (int i = 0; i < liste->count(); ++i)
        namen.append(liste->itemText(i));
    return namen;
}

frmSorte *hinzuOeffnen(const Programm &p)
{
    QTest::mouseClick(p.fenster()->cmdHinzu, Qt::LeftButton);
    return frmSorte::instanz();
}

// Puts `sorte` into the main window's kind text and presses "&Bearbeiten".
frmBearbeiten *bearbeitenOeffnen(const Programm &p, const QString &sorte)
{
    ersetze(p.fenster()->Sorte->lineEdit(), sorte);
    QTest::mouseClick(p.fenster()->Command1, Qt::LeftButton);
    return frmBearbeiten::instanz();
}

QString klicke(QPushButton *knopf)
{
    return naechsteMeldung([knopf] { QTest::mouseClick(knopf, Qt::LeftButton); });
}

QString enter(QWidget *feld)
{
    return naechsteMeldung([feld] { QTest::keyClick(feld, Qt::Key_Return); });
}

Sortenzeile zeile(const char *name, const char *prozent, const char *menge)
{
    return {QString::fromUtf8(name), QString::fromUtf8(prozent), QString::fromUtf8(menge)};
}

// A dialog opened on the four kinds with one change typed in: the add dialog
// with Met, 9% and 330; the edit dialog on Bier with the amount 330.
struct Geoeffnet
{
    Sortendialog *d = nullptr;
    std::array<QLineEdit *, 3> felder{};
    Sortenzeile neu;        // the row a save stores
    QByteArray gespeichert; // the file after the save
    QStringList texte() const { return {felder[0]->text(), felder[1]->text(), felder[2]->text()}; }
};

Geoeffnet mitAenderung(const Programm &p, const QString &dialog)
{
    Geoeffnet g;
    if (dialog == u"frmSorte") {
        frmSorte *d = hinzuOeffnen(p);
        ersetze(d->Sorte2, QStringLiteral("Met"));
        ersetze(d->Prozent2, QStringLiteral("9"));
        ersetze(d->Menge, QStringLiteral("330"));
        g = {d,
             {d->Sorte2, d->Prozent2, d->Menge},
             zeile("Met", "9%", "330"),
             vierSorten() + satz(QStringLiteral("Met"), QStringLiteral("9%"), QStringLiteral("330"))};
    } else {
        frmBearbeiten *d = bearbeitenOeffnen(p, QStringLiteral("Bier"));
        ersetze(d->Menge3, QStringLiteral("330"));
        g = {d,
             {d->Sorte3, d->Prozent3, d->Menge3},
             zeile("Bier", "5%", "330"),
             katalogZeilen({{"Wein", "12%", "200"},
                            {"Sekt", "11%", "100"},
                            {"Bier", "5%", "330"},
                            {"Korn", "32%", "20"}})};
    }
    return g;
}

// Ways of making the catalogue write fail that work for root as well.
enum class Schreibfehler {
    DateiGroesse,       // a file size limit: the write stops as on a full disk
    PfadIstVerzeichnis, // a directory stands where the file belongs
    VerzeichnisWeg,     // the program directory has been removed
    NurLesen,           // a write-protected directory (not for root)
};

} // namespace

// Readable rows in failure output.
char *toString(const Sortenzeile &z)
{
    return QTest::toString(QStringLiteral("{\"%1\", \"%2\", \"%3\"}").arg(z.Name, z.Prozent, z.Menge));
}

Q_DECLARE_METATYPE(Schreibfehler)

class TestDialoge : public QObject
{
    Q_OBJECT

private:
    // Sets up the cause; the returned text is a part the message must hold.
    static QString fehlerHerbeifuehren(const Programm &p, Schreibfehler art);
    static void fehlerBeheben(const Programm &p, Schreibfehler art, const QByteArray &alt);
    // Presses the save button with the cause in place and checks that the
    // message says what went wrong; returns the message.
    static QString speichernScheitert(const Programm &p, Schreibfehler art, QPushButton *knopf);
    // "&Speichern" with the texts "Alt" and "1" must be refused with a
    // message holding `imText`, leaving the file, the table and the texts.
    static void speichernVerweigert(const Programm &p, frmBearbeiten *d, const QString &imText);
    // Adds a kind named `name` at 9% through the add dialog.
    static void hinzufuegen(const Programm &p, const char *name);

private slots:
    void initTestCase();

    // Both dialogs.
    void fenster_data();
    void fenster();
    void mitEnter_data();
    void mitEnter();
    void verlassen_data();
    void verlassen();
    void unspeicherbar_data();
    void unspeicherbar();
    void schreibfehler_data();
    void schreibfehler();

    // Add-kind dialog.
    void hinzufuegen_data();
    void hinzufuegen();
    void hinzufuegenEingabefehler_data();
    void hinzufuegenEingabefehler();
    void hinzufuegenBeideBoxenLeer();
    void hinzufuegenKatalogVoll();
    void hinzufuegenWiederOeffnen();

    // Edit-kind dialog.
    void laden_data();
    void laden();
    void speichern_data();
    void speichern();
    void speichernInZeile200();
    void speichernOhneGeladeneZeile();
    void speichernNachUnbekanntemNamen();
    void nachFremderAenderung_data();
    void nachFremderAenderung();
    // A save that would overwrite another kind than the one loaded.
    void verweigertNachUnbekanntemNamen();
    void loeschenMitUnspeicherbaremRest();
};

void TestDialoge::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

// ---------------------------------------------------------------- both --

void TestDialoge::fenster_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("titel");
    QTest::addColumn<QStringList>("tabfolge");
    QTest::addColumn<QStringList>("gehoert"); // what a screen reader names them

    const QStringList gehoert{"Sorte", "Prozent", "Menge"};
    QTest::newRow("hinzufügen") << "frmSorte"
                                << "Sorte hinzufügen"
                                << QStringList{"Sorte2", "Prozent2", "Menge", "Command1", "Command2"}
                                << gehoert + QStringList{"Ok", "Abbrechen"};
    QTest::newRow("bearbeiten") << "frmBearbeiten"
                                << "Sorte bearbeiten"
                                << QStringList{"Sorte3", "Prozent3", "Menge3", "Command1", "Command2"}
                                << gehoert + QStringList{"Speichern", "Abbrechen"};
}

void TestDialoge::fenster()
{
    QFETCH(QString, dialog);
    QFETCH(QString, titel);
    QFETCH(QStringList, tabfolge);
    QFETCH(QStringList, gehoert);

    Programm p(vierSorten());
    const auto oeffnen = [&]() -> QDialog * {
        if (dialog == QLatin1String("frmSorte"))
            return hinzuOeffnen(p);
        return bearbeitenOeffnen(p, QStringLiteral("Bier"));
    };
    QDialog *d = oeffnen();

    QVERIFY(d->isVisible());
    QCOMPARE(d->parentWidget(), static_cast<QWidget *>(p.fenster()));
    QCOMPARE(d->windowTitle(), titel);
    QCOMPARE(d->accessibleName(), titel);
    QCOMPARE(d->size(), QSize(twips(3285), twips(1425)));
    QCOMPARE(d->minimumSize(), d->maximumSize());
    QCOMPARE(d->palette().color(QPalette::Window), QColor(192, 255, 255));

    // Modeless: no modal widget, and the main window still takes input.
    QVERIFY(!d->isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    ersetze(p.fenster()->Masse, QStringLiteral("80"));
    QCOMPARE(p.fenster()->Masse->text(), QStringLiteral("80"));

    // Centred on the screen the first time it is shown.
    const QRect bildschirm = d->screen()->availableGeometry();
    QVERIFY2((d->frameGeometry().center() - bildschirm.center()).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2 statt %3,%4")
                            .arg(d->frameGeometry().center().x())
                            .arg(d->frameGeometry().center().y())
                            .arg(bildschirm.center().x())
                            .arg(bildschirm.center().y())));

    // Tab order is the order of the table.
    QStringList folge, namen;
    QWidget *w = d->findChild<QWidget *>(tabfolge.first());
    for (int i = 0; i < tabfolge.size(); ++i) {
        folge.append(w->objectName());
        namen.append(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name));
        do {
            w = w->nextInFocusChain();
        } while (!(w->focusPolicy() & Qt::TabFocus) || w->parentWidget() != d);
    }
    QCOMPARE(folge, tabfolge);
    QCOMPARE(namen, gehoert);
    QVERIFY(d->findChild<QPushButton *>(QStringLiteral("Command1"))->isDefault());
    // The headings read as the fields below them are named.
    for (int i = 0; i < 3; ++i)
        QCOMPARE(d->findChild<QLabel *>(QStringLiteral("Label%1").arg(i + 1))->text(), gehoert[i]);
    // Every control inside the window, none over another.
    const auto kinder = d->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *a : kinder) {
        QVERIFY2(d->rect().contains(a->geometry()), qPrintable(a->objectName()));
        for (QWidget *b : kinder)
            QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                     qPrintable(a->objectName() + u' ' + b->objectName()));
    }

    // A paste past QLineEdit's default 32767 characters stays whole; what
    // the file cannot hold, the save refuses with a message.
    auto *feld = d->findChild<QLineEdit *>(tabfolge.first());
    const qsizetype vorher = feld->text().size();
    feld->insert(QString(40000, u'x'));
    QCOMPARE(feld->text().size(), vorher + 40000);

    // Moved by the user and reopened: the same instance where the user left it.
    d->move(d->pos() + QPoint(30, 20));
    const QPoint verschoben = d->pos();
    d->hide();
    QDialog *wieder = oeffnen();
    QCOMPARE(wieder, d);
    QVERIFY(wieder->isVisible());
    QCOMPARE(wieder->pos(), verschoben);
}

// ---------------------------------------------------------- add dialog --

// Enter in any field of either dialog presses its save button.
void TestDialoge::mitEnter_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("feld");
    for (const char *feld : {"Sorte2", "Prozent2", "Menge"})
        QTest::addRow("frmSorte %s", feld) << "frmSorte" << feld;
    for (const char *feld : {"Sorte3", "Prozent3", "Menge3"})
        QTest::addRow("frmBearbeiten %s", feld) << "frmBearbeiten" << feld;
}

void TestDialoge::mitEnter()
{
    QFETCH(QString, dialog);
    QFETCH(QString, feld);

    Programm p(vierSorten());
    const Geoeffnet g = mitAenderung(p, dialog);
    QCOMPARE(enter(g.d->findChild<QLineEdit *>(feld)), QString());
    QVERIFY(!g.d->isVisible());
    QCOMPARE(p.katalogInhalt(), g.gespeichert);
    QCOMPARE(p.fenster()->Sorte->count(), int(g.gespeichert.count('\n')));
}

// "&Abbrechen" and the frame's close button hide the dialog, Escape does
// nothing; either way nothing is stored and the texts stay.
void TestDialoge::verlassen_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("wie");
    QTest::addColumn<bool>("offen"); // still shown afterwards

    for (const char *dialog : {"frmSorte", "frmBearbeiten"}) {
        QTest::addRow("%s Abbrechen", dialog) << dialog << "Abbrechen" << false;
        QTest::addRow("%s Fensterrahmen", dialog) << dialog << "Rahmen" << false;
        QTest::addRow("%s Escape tut nichts", dialog) << dialog << "Escape" << true;
    }
}

void TestDialoge::verlassen()
{
    QFETCH(QString, dialog);
    QFETCH(QString, wie);
    QFETCH(bool, offen);

    Programm p(vierSorten());
    frmAlkohol *haupt = p.fenster();
    const Geoeffnet g = mitAenderung(p, dialog);
    ersetze(haupt->Menge, QStringLiteral("750"));
    const QString prozentVorher = haupt->Prozent->text();
    const QStringList texte = g.texte();
    const SortenTabelle tabelleVorher = Alk::Sorten;

    if (wie == u"Abbrechen")
        QCOMPARE(klicke(g.d->Command2), QString());
    else if (wie == u"Rahmen")
        QVERIFY(g.d->close());
    else
        QCOMPARE(naechsteMeldung([&g] { QTest::keyClick(g.felder[2], Qt::Key_Escape); }), QString());

    QCOMPARE(g.d->isVisible(), offen);
    QCOMPARE(dialog == u"frmSorte" ? static_cast<Sortendialog *>(frmSorte::instanz())
                                   : frmBearbeiten::instanz(),
             g.d);
    QCOMPARE(g.texte(), texte);
    QCOMPARE(p.katalogInhalt(), vierSorten());
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        QCOMPARE(Alk::Sorten[z], tabelleVorher[z]);
    QCOMPARE(haupt->Prozent->text(), prozentVorher);
    QCOMPARE(haupt->Menge->text(), QStringLiteral("750"));

    if (dialog == u"frmSorte") {
        // Opened again: name and amount kept, the percentage starts over at
        // "%", and the name has the focus.
        g.d->Command1->setFocus();
        QCOMPARE(hinzuOeffnen(p), g.d);
        QCOMPARE(g.texte(), (QStringList{"Met", "%", "330"}));
        QCOMPARE(g.d->focusWidget(), static_cast<QWidget *>(g.felder[0]));
    } else {
        // Opened again for the same kind: the stored values, not the edited ones.
        QTest::mouseClick(haupt->Command1, Qt::LeftButton);
        QCOMPARE(g.texte(), (QStringList{"Bier", "5%", "500"}));
    }
    QVERIFY(g.d->isVisible());
}

// A character the file cannot hold is refused with a message naming it; the
// dialog stays open with every text, and nothing is stored.
void TestDialoge::unspeicherbar_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("zeichen"); // none: Windows-1252 holds it

    QTest::newRow("frmSorte Anführungszeichen im Namen") << "frmSorte"
                                                         << "Sorte2"
                                                         << "Bier \"hell\"" << QChar(u'"');
    QTest::newRow("frmSorte Anführungszeichen in der Menge") << "frmSorte"
                                                             << "Menge"
                                                             << "0,5\"" << QChar(u'"');
    QTest::newRow("frmSorte griechischer Buchstabe im Namen") << "frmSorte"
                                                              << "Sorte2"
                                                              << "Ωmega" << QChar(u'Ω');
    QTest::newRow("frmSorte Häkchen in der Menge") << "frmSorte"
                                                   << "Menge"
                                                   << "500✓" << QChar(u'✓');
    QTest::newRow("frmBearbeiten Anführungszeichen im Namen") << "frmBearbeiten"
                                                              << "Sorte3"
                                                              << "\"Bier\"" << QChar(u'"');
    QTest::newRow("frmBearbeiten Anführungszeichen in Prozent") << "frmBearbeiten"
                                                                << "Prozent3"
                                                                << "5\"" << QChar(u'"');
    QTest::newRow("frmBearbeiten Anführungszeichen in der Menge") << "frmBearbeiten"
                                                                  << "Menge3"
                                                                  << "0,5\"" << QChar(u'"');
    QTest::newRow("frmBearbeiten kyrillisch im Namen") << "frmBearbeiten"
                                                       << "Sorte3"
                                                       << "Пиво" << QChar(u'П');
    QTest::newRow("frmBearbeiten Promillezeichen geht") << "frmBearbeiten"
                                                        << "Prozent3"
                                                        << "5‰" << QChar();
}

void TestDialoge::unspeicherbar()
{
    QFETCH(QString, dialog);
    QFETCH(QString, feld);
    QFETCH(QString, text);
    QFETCH(QChar, zeichen);

    Programm p(vierSorten());
    const Geoeffnet g = mitAenderung(p, dialog);
    auto *f = g.d->findChild<QLineEdit *>(feld);
    ersetze(f, text);
    QCOMPARE(f->text(), text);
    const QStringList texte = g.texte();
    const SortenTabelle tabelleVorher = Alk::Sorten;

    const QString meldung = klicke(g.d->Command1);
    if (zeichen.isNull()) {
        QCOMPARE(meldung, QString());
        QVERIFY(p.katalogInhalt().contains(QByteArray("\"5\x89\"")));
        return;
    }
    QCOMPARE(meldung, zeichenMeldung(zeichen));
    QVERIFY(meldung.contains(zeichen));
    QVERIFY(g.d->isVisible());
    QCOMPARE(g.texte(), texte);
    QCOMPARE(p.katalogInhalt(), vierSorten());
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        QCOMPARE(Alk::Sorten[z], tabelleVorher[z]);
    QCOMPARE(p.fenster()->Sorte->count(), 4);
}

// A save the file system stops: the message says why, nothing typed is lost,
// the main window is as it was, and once the cause is gone Enter saves.
void TestDialoge::schreibfehler_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<Schreibfehler>("art");
    QTest::addColumn<bool>("dateiBleibt");   // the old file is still there to compare
    QTest::addColumn<QByteArray>("nachher"); // the file after the retry; empty: the change saved

    for (const char *dialog : {"frmSorte", "frmBearbeiten"}) {
        QTest::addRow("%s Datenträger voll", dialog)
            << dialog << Schreibfehler::DateiGroesse << true << QByteArray();
        QTest::addRow("%s Verzeichnis statt Datei", dialog)
            << dialog << Schreibfehler::PfadIstVerzeichnis << false << QByteArray();
        QTest::addRow("%s schreibgeschütztes Verzeichnis", dialog)
            << dialog << Schreibfehler::NurLesen << true << QByteArray();
    }
    // The file went with the directory: the table read back is empty, and
    // the retry writes the one kind the user typed.
    QTest::newRow("frmSorte Programmverzeichnis entfernt")
        << "frmSorte" << Schreibfehler::VerzeichnisWeg << false << QByteArray("\"Met\",\"9%\",\"330\"\r\n");
}

void TestDialoge::schreibfehler()
{
    QFETCH(QString, dialog);
    QFETCH(Schreibfehler, art);
    QFETCH(bool, dateiBleibt);
    QFETCH(QByteArray, nachher);
    if (art == Schreibfehler::NurLesen && geteuid() == 0)
        QSKIP("File permissions do not stop root from writing");

    Programm p(vierSorten());
    frmAlkohol *haupt = p.fenster();
    // A successful add would empty the kind text; a failed one must not.
    if (dialog == u"frmSorte")
        ersetze(haupt->Sorte->lineEdit(), QStringLiteral("Sekt"));
    const Geoeffnet g = mitAenderung(p, dialog);
    ersetze(haupt->Menge, QStringLiteral("750"));
    const QString prozentVorher = haupt->Prozent->text();
    const QString sorteVorher = haupt->Sorte->currentText();
    const QStringList texte = g.texte();

    const QString meldung = speichernScheitert(p, art, g.d->Command1);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(meldung.contains(QDir::toNativeSeparators(p.katalogPfad())), qPrintable(meldung));

    QVERIFY(g.d->isVisible());
    QCOMPARE(g.texte(), texte);
    QCOMPARE(haupt->Sorte->currentText(), sorteVorher);
    QCOMPARE(haupt->Menge->text(), QStringLiteral("750"));
    QCOMPARE(haupt->Prozent->text(), prozentVorher);
    if (dateiBleibt) {
        QCOMPARE(p.katalogInhalt(), vierSorten());
        QCOMPARE(Alk::LetzteZeile, 4);
        QCOMPARE(Alk::Sorten[3], zeile("Bier", "5%", "500"));
        QVERIFY(!Alk::Sorten[5].gefuellt());
        QCOMPARE(haupt->Sorte->count(), 4);
    }
    // The table holds what the file holds: the change is not in it.
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        QVERIFY(Alk::Sorten[z] != g.neu);
    // No half-written file is left behind next to the catalogue and its lock.
    QStringList reste = QDir(p.verzeichnis()).entryList(QDir::Files | QDir::Hidden);
    reste.removeOne(QStringLiteral("AlkoholSorten.txt.lock"));
    QVERIFY2(reste.isEmpty() || reste == QStringList{QStringLiteral("AlkoholSorten.txt")},
             qPrintable(reste.join(u' ')));

    fehlerBeheben(p, art, vierSorten());
    QCOMPARE(enter(g.felder[2]), QString());
    QVERIFY(!g.d->isVisible());
    QCOMPARE(p.katalogInhalt(), nachher.isEmpty() ? g.gespeichert : nachher);
    if (dialog == u"frmSorte") {
        QVERIFY(eintraege(haupt->Sorte).contains(QStringLiteral("Met")));
    } else {
        QCOMPARE(haupt->Prozent->text(), QStringLiteral("5%"));
        QCOMPARE(haupt->Menge->text(), QStringLiteral("330"));
    }
}

void TestDialoge::hinzufuegen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("prozent"); // typed in front of the "%"
    QTest::addColumn<QString>("menge");
    QTest::addColumn<QByteArray>("neuerSatz");
    QTest::addColumn<int>("imListe"); // how often the name is listed afterwards

    QTest::newRow("ohne Menge") << "Pils"
                                << "5"
                                << "" << QByteArray("\"Pils\",\"5%\",\"\"\r\n") << 1;
    QTest::newRow("Umlaut") << "Glühwein"
                            << "10"
                            << "200" << QByteArray("\"Gl\xfchwein\",\"10%\",\"200\"\r\n") << 1;
    QTest::newRow("Eurozeichen") << "Wein €"
                                 << "12"
                                 << "150" << QByteArray("\"Wein \x80\",\"12%\",\"150\"\r\n") << 1;
    QTest::newRow("Komma im Namen") << "Wein, rot"
                                    << "13"
                                    << "0,2" << QByteArray("\"Wein, rot\",\"13%\",\"0,2\"\r\n") << 1;
    QTest::newRow("zwei Blanks") << "  "
                                 << "40"
                                 << "20" << QByteArray("\"  \",\"40%\",\"20\"\r\n") << 1;
    QTest::newRow("Name doppelt") << "Bier"
                                  << "6"
                                  << "330" << QByteArray("\"Bier\",\"6%\",\"330\"\r\n") << 2;
    QTest::newRow("null Prozent") << "Wasser"
                                  << "0"
                                  << "250" << QByteArray("\"Wasser\",\"0%\",\"250\"\r\n") << 1;
    QTest::newRow("hundert Prozent") << "Sprit"
                                     << "100"
                                     << "x" << QByteArray("\"Sprit\",\"100%\",\"x\"\r\n") << 1;
}

void TestDialoge::hinzufuegen()
{
    QFETCH(QString, name);
    QFETCH(QString, prozent);
    QFETCH(QString, menge);
    QFETCH(QByteArray, neuerSatz);
    QFETCH(int, imListe);

    Programm p(vierSorten());
    frmAlkohol *haupt = p.fenster();
    ersetze(haupt->Sorte->lineEdit(), QStringLiteral("Wein"));
    frmSorte *d = hinzuOeffnen(p);
    QVERIFY(d->isVisible());
    ersetze(haupt->Masse, QStringLiteral("80"));
    haupt->Einzelmenge = QStringLiteral("250");
    const QString ergebnisVorher = haupt->Label1->text();
    ersetze(d->Sorte2, name);
    ersetze(d->Prozent2, prozent);
    ersetze(d->Menge, menge);
    QCOMPARE(d->Prozent2->text(), prozent + u'%');

    QCOMPARE(klicke(d->Command1), QString());

    // The file: the four kinds as they were, then the new one.
    QCOMPARE(p.katalogInhalt(), vierSorten() + neuerSatz);
    QCOMPARE(Alk::LetzteZeile, 5);
    QCOMPARE(Alk::Sorten[5], (Sortenzeile{name, prozent + u'%', menge}));
    QVERIFY(!Alk::Sorten[6].gefuellt());

    // The dialog is hidden and ready for the next kind.
    QVERIFY(!d->isVisible());
    QCOMPARE(d->Sorte2->text(), QString());
    QCOMPARE(d->Prozent2->text(), QStringLiteral("%"));
    QCOMPARE(d->Menge->text(), QStringLiteral("0"));

    // The main window: kind text emptied, "%" emptied by the percentage
    // rule, amount "0"; the list holds every kind, the new one included.
    QCOMPARE(haupt->Sorte->currentText(), QString());
    QCOMPARE(haupt->Prozent->text(), QString());
    QCOMPARE(haupt->Menge->text(), QStringLiteral("0"));
    QCOMPARE(haupt->Sorte->count(), 5);
    QCOMPARE(eintraege(haupt->Sorte).count(name), imListe);
    for (const char *alt : {"Wein", "Sekt", "Bier", "Korn"})
        QVERIFY(eintraege(haupt->Sorte).contains(QLatin1String(alt)));
    // Nothing calculated, nothing else touched.
    QCOMPARE(haupt->Label1->text(), ergebnisVorher);
    QCOMPARE(haupt->Masse->text(), QStringLiteral("80"));
    QCOMPARE(haupt->Einzelmenge, QStringLiteral("250"));
    QCOMPARE(haupt->Anz->currentText(), QStringLiteral("0"));

    // A second kind right after goes after the first.
    hinzuOeffnen(p);
    ersetze(d->Sorte2, QStringLiteral("Met"));
    ersetze(d->Prozent2, QStringLiteral("9"));
    QCOMPARE(klicke(d->Command1), QString());
    QCOMPARE(p.katalogInhalt(), vierSorten() + neuerSatz + QByteArray("\"Met\",\"9%\",\"0\"\r\n"));
    QCOMPARE(Alk::LetzteZeile, 6);
}

void TestDialoge::hinzufuegenEingabefehler_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("prozent"); // empty: the field is left at "%"
    QTest::addColumn<QString>("meldung");

    const QString fuerProzente = QStringLiteral("Bitte füllen Sie die Box für die Prozente korrekt aus");
    const QString fuerSorte = QStringLiteral("Bitte füllen Sie die Box für die Sorte korrekt aus");
    QTest::newRow("nichts eingegeben") << ""
                                       << "" << fuerProzente;
    QTest::newRow("Name ohne Prozente") << "Wein"
                                        << "" << fuerProzente;
    QTest::newRow("Blanks ohne Prozente") << "  "
                                          << "" << fuerProzente;
    QTest::newRow("Prozente ohne Name") << ""
                                        << "12" << fuerSorte;
}

void TestDialoge::hinzufuegenEingabefehler()
{
    QFETCH(QString, name);
    QFETCH(QString, prozent);
    QFETCH(QString, meldung);

    Programm p(vierSorten());
    frmSorte *d = hinzuOeffnen(p);
    ersetze(d->Sorte2, name);
    ersetze(d->Prozent2, prozent);
    ersetze(d->Menge, QStringLiteral("0,5l"));
    const QString prozentText = d->Prozent2->text();

    // Another copy of the program has added a kind meanwhile: the message is
    // followed by a fresh read, which shows it.
    const QByteArray draussen = vierSorten() + satz(QStringLiteral("Met"), QStringLiteral("9%"), QString());
    p.schreibeKatalog(draussen);

    QCOMPARE(klicke(d->Command1), meldung);

    QVERIFY(d->isVisible());
    QCOMPARE(d->Sorte2->text(), name);
    QCOMPARE(d->Prozent2->text(), prozentText);
    QCOMPARE(d->Menge->text(), QStringLiteral("0,5l"));
    QCOMPARE(p.katalogInhalt(), draussen);
    QCOMPARE(Alk::LetzteZeile, 5);
    QCOMPARE(Alk::Sorten[5], zeile("Met", "9%", ""));
    QStringList liste = eintraege(p.fenster()->Sorte);
    liste.sort();
    QCOMPARE(liste, (QStringList{"Bier", "Korn", "Met", "Sekt", "Wein"}));
}

void TestDialoge::hinzufuegenBeideBoxenLeer()
{
    Programm p(vierSorten());
    frmSorte *d = hinzuOeffnen(p);
    ersetze(d->Menge, QStringLiteral("330"));
    {
        // The percentage rule never lets the field rest empty; only a write
        // past it reaches this check.
        const QSignalBlocker ohneRegel(d->Prozent2);
        d->Prozent2->setText(QString());
    }
    p.schreibeKatalog(QByteArray());

    QCOMPARE(klicke(d->Command1), QStringLiteral("Bitte füllen Sie beide Boxen korrekt aus"));

    QVERIFY(d->isVisible());
    QCOMPARE(d->Sorte2->text(), QString());
    QCOMPARE(d->Prozent2->text(), QString());
    QCOMPARE(d->Menge->text(), QStringLiteral("330"));
    // This message ends the handler: no fresh read of the emptied file.
    QCOMPARE(Alk::LetzteZeile, 4);
    QCOMPARE(p.fenster()->Sorte->count(), 4);
    QCOMPARE(Alk::Sorten[3], zeile("Bier", "5%", "500"));
}

void TestDialoge::hinzufuegenKatalogVoll()
{
    // The 201st kind is refused: nothing stored, the texts stay.
    const QByteArray mitLetzter = vieleSorten(200);
    Programm p(mitLetzter);
    frmSorte *d = hinzuOeffnen(p);
    ersetze(d->Sorte2, QStringLiteral("Zuviel"));
    ersetze(d->Prozent2, QStringLiteral("7"));
    ersetze(d->Menge, QStringLiteral("2"));
    const QString text = klicke(d->Command1);
    QVERIFY2(text.contains(QStringLiteral("voll")) && text.contains(QStringLiteral("200")), qPrintable(text));

    QVERIFY(d->isVisible());
    QCOMPARE(d->Sorte2->text(), QStringLiteral("Zuviel"));
    QCOMPARE(d->Prozent2->text(), QStringLiteral("7%"));
    QCOMPARE(d->Menge->text(), QStringLiteral("2"));
    QCOMPARE(p.katalogInhalt(), mitLetzter);
    QCOMPARE(Alk::LetzteZeile, 200);
    QCOMPARE(p.fenster()->Sorte->count(), 200);
    QVERIFY(!eintraege(p.fenster()->Sorte).contains(QStringLiteral("Zuviel")));
}

QString TestDialoge::fehlerHerbeifuehren(const Programm &p, Schreibfehler art)
{
    switch (art) {
    case Schreibfehler::DateiGroesse:
        return QStringLiteral("nicht vollständig geschrieben");
    case Schreibfehler::PfadIstVerzeichnis:
        QFile::remove(p.katalogPfad());
        QDir().mkdir(p.katalogPfad());
        return QStringLiteral("Verzeichnis");
    case Schreibfehler::VerzeichnisWeg:
        QDir(p.verzeichnis()).removeRecursively();
        return QStringLiteral("nicht mehr vorhanden");
    case Schreibfehler::NurLesen:
        QFile::setPermissions(p.verzeichnis(), QFile::ReadOwner | QFile::ExeOwner);
        return QStringLiteral("Datei");
    }
    return QString();
}

QString TestDialoge::speichernScheitert(const Programm &p, Schreibfehler art, QPushButton *knopf)
{
    const QString grund = fehlerHerbeifuehren(p, art);
    QString meldung;
    if (art == Schreibfehler::DateiGroesse) {
        const Dateigrenze grenze(8);
        if (!grenze.aktiv())
            QTest::qFail("Die Dateigrenze ließ sich nicht setzen", __FILE__, __LINE__);
        else
            meldung = klicke(knopf);
    } else {
        meldung = klicke(knopf);
    }
    if (!meldung.startsWith(QStringLiteral("Die Sortendatei konnte nicht gespeichert werden"))
        || !meldung.contains(grund))
        QTest::qFail(qPrintable(QStringLiteral("Meldung ohne „%1“: %2").arg(grund, meldung)), __FILE__,
                     __LINE__);
    return meldung;
}

void TestDialoge::fehlerBeheben(const Programm &p, Schreibfehler art, const QByteArray &alt)
{
    switch (art) {
    case Schreibfehler::DateiGroesse:
        break;
    case Schreibfehler::PfadIstVerzeichnis:
        QDir().rmdir(p.katalogPfad());
        p.schreibeKatalog(alt);
        break;
    case Schreibfehler::VerzeichnisWeg:
        QDir().mkpath(p.verzeichnis());
        break;
    case Schreibfehler::NurLesen:
        QFile::setPermissions(p.verzeichnis(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        break;
    }
}

void TestDialoge::hinzufuegenWiederOeffnen()
{
    // First use: the initial texts.
    Programm p(vierSorten());
    frmSorte *d = hinzuOeffnen(p);
    QCOMPARE(d->Sorte2->text(), QString());
    QCOMPARE(d->Prozent2->text(), QStringLiteral("%"));
    QCOMPARE(d->Menge->text(), QString());
    QCOMPARE(d->focusWidget(), static_cast<QWidget *>(d->Sorte2));

    // "&Hinzufügen" while the dialog is open runs the same steps on it.
    ersetze(d->Sorte2, QStringLiteral("Met"));
    ersetze(d->Prozent2, QStringLiteral("9"));
    ersetze(d->Menge, QStringLiteral("330"));
    d->Menge->setFocus();
    QCOMPARE(hinzuOeffnen(p), d);
    QVERIFY(d->isVisible());
    QCOMPARE(d->Sorte2->text(), QStringLiteral("Met"));
    QCOMPARE(d->Prozent2->text(), QStringLiteral("%"));
    QCOMPARE(d->Menge->text(), QStringLiteral("330"));
    QCOMPARE(d->focusWidget(), static_cast<QWidget *>(d->Sorte2));
}

// --------------------------------------------------------- edit dialog --

void TestDialoge::laden_data()
{
    QTest::addColumn<QString>("sorte");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("prozent");
    QTest::addColumn<QString>("menge");
    QTest::addColumn<int>("zeilennummer");

    QTest::newRow("hinter einer Zeile ohne Namen") << "Sekt"
                                                   << "Sekt"
                                                   << "11%"
                                                   << "100" << 4;
}

void TestDialoge::laden()
{
    QFETCH(QString, sorte);
    QFETCH(QString, name);
    QFETCH(QString, prozent);
    QFETCH(QString, menge);
    QFETCH(int, zeilennummer);

    // Row 2 has no name: it is not listed, and the loading passes over it.
    Programm p(katalogZeilen({{"Wein", "12%", "200"},
                              {"", "1%", "1"},
                              {"Bier", "5%", "500"},
                              {"Sekt", "11%", "100"},
                              {"Bier", "4,9%", "330"}}));
    frmBearbeiten *d = bearbeitenOeffnen(p, sorte);

    QVERIFY(d->isVisible());
    QCOMPARE(d->Sorte3->text(), name);
    QCOMPARE(d->Prozent3->text(), prozent);
    QCOMPARE(d->Menge3->text(), menge);
    QCOMPARE(Alk::BearbeitenZeile, zeilennummer);
    // Loading touches nothing on the main window but the kind text it reads.
    QCOMPARE(p.fenster()->Sorte->currentText(), sorte);
    QCOMPARE(p.katalogInhalt().count('\n'), 5);
}

void TestDialoge::speichern_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("prozent");
    QTest::addColumn<QString>("menge");
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<QString>("prozentHaupt");
    QTest::addColumn<QString>("mengeHaupt");
    QTest::addColumn<QStringList>("liste");

    const QByteArray wein = satz(QStringLiteral("Wein"), QStringLiteral("12%"), QStringLiteral("200"));
    const QByteArray sekt = satz(QStringLiteral("Sekt"), QStringLiteral("11%"), QStringLiteral("100"));
    const QByteArray korn = satz(QStringLiteral("Korn"), QStringLiteral("32%"), QStringLiteral("20"));
    const QStringList alle{"Bier", "Korn", "Sekt", "Wein"};

    QTest::newRow("Menge geändert") << "Bier"
                                    << "5%"
                                    << "330" << wein + sekt + QByteArray("\"Bier\",\"5%\",\"330\"\r\n") + korn
                                    << "5%"
                                    << "330" << alle;
    QTest::newRow("Prozent ohne Zeichen")
        << "Bier"
        << "5"
        << "500" << wein + sekt + QByteArray("\"Bier\",\"5\",\"500\"\r\n") + korn << "5%"
        << "500" << alle;
    QTest::newRow("Prozent mit Komma")
        << "Bier"
        << "4,5%"
        << "500" << wein + sekt + QByteArray("\"Bier\",\"4,5%\",\"500\"\r\n") + korn << ""
        << "500" << alle;
    QTest::newRow("Menge keine Zahl")
        << "Bier"
        << "5%"
        << "ein Krug" << wein + sekt + QByteArray("\"Bier\",\"5%\",\"ein Krug\"\r\n") + korn << "5%"
        << "ein Krug" << alle;
    // The kind text still says Bier: no row matches after the rename.
    QTest::newRow("umbenannt") << "Bräu, hell"
                               << "5%"
                               << "500"
                               << wein + sekt + QByteArray("\"Br\xe4u, hell\",\"5%\",\"500\"\r\n") + korn
                               << ""
                               << "750" << QStringList{"Bräu, hell", "Korn", "Sekt", "Wein"};
    // The scan stops at the emptied row; the read after it closes the gap.
    QTest::newRow("gelöscht") << ""
                              << "5%"
                              << "500" << wein + sekt + korn << ""
                              << "750" << QStringList{"Korn", "Sekt", "Wein"};
}

void TestDialoge::speichern()
{
    QFETCH(QString, name);
    QFETCH(QString, prozent);
    QFETCH(QString, menge);
    QFETCH(QByteArray, datei);
    QFETCH(QString, prozentHaupt);
    QFETCH(QString, mengeHaupt);
    QFETCH(QStringList, liste);

    Programm p(vierSorten());
    frmAlkohol *haupt = p.fenster();
    frmBearbeiten *d = bearbeitenOeffnen(p, QStringLiteral("Bier"));
    ersetze(haupt->Menge, QStringLiteral("750"));
    haupt->Einzelmenge = QStringLiteral("250");
    ersetze(haupt->Masse, QStringLiteral("80"));
    const QString ergebnisVorher = haupt->Label1->text();
    QCOMPARE(d->Sorte3->text(), QStringLiteral("Bier"));
    QCOMPARE(d->Prozent3->text(), QStringLiteral("5%"));
    QCOMPARE(d->Menge3->text(), QStringLiteral("500"));
    QCOMPARE(Alk::BearbeitenZeile, 3);
    ersetze(d->Sorte3, name);
    ersetze(d->Prozent3, prozent);
    ersetze(d->Menge3, menge);
    // No percentage rule in this dialog.
    QCOMPARE(d->Prozent3->text(), prozent);

    QCOMPARE(klicke(d->Command1), QString());

    QCOMPARE(p.katalogInhalt(), datei);
    QVERIFY(!d->isVisible());
    QCOMPARE(d->Sorte3->text(), name);
    QCOMPARE(d->Prozent3->text(), prozent);
    QCOMPARE(d->Menge3->text(), menge);

    QCOMPARE(haupt->Sorte->currentText(), QStringLiteral("Bier"));
    QCOMPARE(haupt->Prozent->text(), prozentHaupt);
    QCOMPARE(haupt->Menge->text(), mengeHaupt);
    QStringList imFenster = eintraege(haupt->Sorte);
    QCOMPARE(imFenster, liste);
    QCOMPARE(Alk::LetzteZeile, liste.size());
    // Nothing calculated; the per-serving amount untouched.
    QCOMPARE(haupt->Label1->text(), ergebnisVorher);
    QCOMPARE(haupt->Einzelmenge, QStringLiteral("250"));

    // Table and file agree after the read that ends the save.
    SortenTabelle ausDatei;
    katalogLesen(datei, ausDatei);
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        QCOMPARE(Alk::Sorten[z], ausDatei[z]);
}

void TestDialoge::speichernInZeile200()
{
    Programm p(vierSorten());
    // Right after the start the kind text is empty: every row without a name
    // matches, the last one decides.
    QTest::mouseClick(p.fenster()->Command1, Qt::LeftButton);
    frmBearbeiten *d = frmBearbeiten::instanz();
    QVERIFY(d->isVisible());
    QCOMPARE(Alk::BearbeitenZeile, 200);
    QCOMPARE(d->Sorte3->text(), QString());
    QCOMPARE(d->Prozent3->text(), QString());
    QCOMPARE(d->Menge3->text(), QString());

    ersetze(d->Sorte3, QStringLiteral("Met"));
    ersetze(d->Prozent3, QStringLiteral("9%"));
    ersetze(d->Menge3, QStringLiteral("330"));
    QCOMPARE(enter(d->Sorte3), QString());

    QCOMPARE(p.katalogInhalt(), vierSorten() + QByteArray("\"Met\",\"9%\",\"330\"\r\n"));
    QCOMPARE(Alk::Sorten[5], zeile("Met", "9%", "330"));
    QVERIFY(!Alk::Sorten[200].gefuellt());
    QCOMPARE(Alk::LetzteZeile, 5);
    QVERIFY(eintraege(p.fenster()->Sorte).contains(QStringLiteral("Met")));
}

void TestDialoge::speichernOhneGeladeneZeile()
{
    Programm p(vierSorten());
    frmBearbeiten *d = bearbeitenOeffnen(p, QStringLiteral("Unbekannt"));
    QCOMPARE(Alk::BearbeitenZeile, 0);
    QCOMPARE(d->Prozent3->text(), QStringLiteral("%"));
    ersetze(d->Sorte3, QStringLiteral("Met"));
    ersetze(d->Prozent3, QStringLiteral("9%"));
    ersetze(d->Menge3, QStringLiteral("330"));

    const QString meldung = klicke(d->Command1);
    QVERIFY2(meldung.contains(QStringLiteral("keine Sorte zum Bearbeiten geladen")), qPrintable(meldung));

    QVERIFY(d->isVisible());
    QCOMPARE(d->Sorte3->text(), QStringLiteral("Met"));
    QCOMPARE(d->Prozent3->text(), QStringLiteral("9%"));
    QCOMPARE(d->Menge3->text(), QStringLiteral("330"));
    QCOMPARE(p.katalogInhalt(), vierSorten());
    QCOMPARE(Alk::BearbeitenZeile, 0);
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        QVERIFY(Alk::Sorten[z].Name != QLatin1String("Met"));
}

void TestDialoge::speichernNachUnbekanntemNamen()
{
    Programm p(vierSorten());
    frmBearbeiten *d = bearbeitenOeffnen(p, QStringLiteral("Bier"));
    ersetze(d->Sorte3, QStringLiteral("Pils"));
    ersetze(d->Menge3, QStringLiteral("330"));
    QCOMPARE(klicke(d->Command1), QString());

    // The kind text still says Bier, which is no longer there: the dialog
    // shows the texts of the last edit, and saving writes into that row.
    bearbeitenOeffnen(p, QStringLiteral("Bier"));
    QCOMPARE(d->Sorte3->text(), QStringLiteral("Pils"));
    QCOMPARE(d->Menge3->text(), QStringLiteral("330"));
    QCOMPARE(Alk::BearbeitenZeile, 3);
    ersetze(d->Prozent3, QStringLiteral("6%"));
    QCOMPARE(klicke(d->Command1), QString());

    QCOMPARE(
        p.katalogInhalt(),
        katalogZeilen(
            {{"Wein", "12%", "200"}, {"Sekt", "11%", "100"}, {"Pils", "6%", "330"}, {"Korn", "32%", "20"}}));
}

// Another window or a text editor changed the file while a dialog was open:
// the save applies its one change to the file as it is now, and refuses an
// edit whose kind is no longer as it was loaded.
void TestDialoge::nachFremderAenderung_data()
{
    QTest::addColumn<bool>("bearbeiten"); // else the add dialog
    QTest::addColumn<QByteArray>("draussen");
    QTest::addColumn<QByteArray>("danach");
    QTest::addColumn<QString>("meldung"); // part of it; empty: saved

    const QByteArray apfelwein =
        satz(QStringLiteral("Apfelwein"), QStringLiteral("6%"), QStringLiteral("250"));
    const QByteArray ohneWein =
        katalogZeilen({{"Sekt", "11%", "100"}, {"Bier", "5%", "500"}, {"Korn", "32%", "20"}});
    const QByteArray met = satz(QStringLiteral("Met"), QStringLiteral("9%"), QStringLiteral("330"));
    const QByteArray korn40 = satz(QStringLiteral("Korn"), QStringLiteral("32%"), QStringLiteral("40"));
    const QByteArray ohneKorn =
        katalogZeilen({{"Wein", "12%", "200"}, {"Sekt", "11%", "100"}, {"Bier", "5%", "500"}});
    const QByteArray kornGeaendert =
        ohneKorn + satz(QStringLiteral("Korn"), QStringLiteral("38%"), QStringLiteral("20"));

    QTest::newRow("hinzu nach fremdem Hinzufügen")
        << false << vierSorten() + apfelwein << vierSorten() + apfelwein + met << QString();
    QTest::newRow("hinzu nach fremdem Löschen") << false << ohneWein << ohneWein + met << QString();
    QTest::newRow("bearbeiten nach fremdem Hinzufügen")
        << true << vierSorten() + apfelwein << ohneKorn + korn40 + apfelwein << QString();
    QTest::newRow("bearbeiten nach fremdem Löschen davor")
        << true << ohneWein << katalogZeilen({{"Sekt", "11%", "100"}, {"Bier", "5%", "500"}}) + korn40
        << QString();
    QTest::newRow("Sorte draußen geändert") << true << kornGeaendert << kornGeaendert << "nichts gespeichert";
    QTest::newRow("Sorte draußen gelöscht") << true << ohneKorn << ohneKorn << "„Korn“ steht nicht mehr";
}

void TestDialoge::nachFremderAenderung()
{
    QFETCH(bool, bearbeiten);
    QFETCH(QByteArray, draussen);
    QFETCH(QByteArray, danach);
    QFETCH(QString, meldung);

    Programm p(vierSorten());
    QDialog *dialog = nullptr;
    QPushButton *speichern = nullptr;
    if (bearbeiten) {
        frmBearbeiten *d = bearbeitenOeffnen(p, QStringLiteral("Korn"));
        ersetze(d->Menge3, QStringLiteral("40"));
        dialog = d;
        speichern = d->Command1;
    } else {
        frmSorte *d = hinzuOeffnen(p);
        ersetze(d->Sorte2, QStringLiteral("Met"));
        ersetze(d->Prozent2, QStringLiteral("9"));
        ersetze(d->Menge, QStringLiteral("330"));
        dialog = d;
        speichern = d->Command1;
    }
    p.schreibeKatalog(draussen);

    const QString gesagt = klicke(speichern);
    if (meldung.isEmpty())
        QCOMPARE(gesagt, QString());
    else
        QVERIFY2(gesagt.contains(meldung), qPrintable(gesagt));
    QCOMPARE(dialog->isVisible(), !meldung.isEmpty());
    QCOMPARE(p.katalogInhalt(), danach);
    // The list shows what the file holds, either way.
    QCOMPARE(p.fenster()->Sorte->count(), int(danach.count('\n')));
}

void TestDialoge::hinzufuegen(const Programm &p, const char *name)
{
    frmSorte *hinzu = hinzuOeffnen(p);
    ersetze(hinzu->Sorte2, QLatin1String(name));
    ersetze(hinzu->Prozent2, QStringLiteral("9"));
    QCOMPARE(klicke(hinzu->Command1), QString());
}

void TestDialoge::speichernVerweigert(const Programm &p, frmBearbeiten *d, const QString &imText)
{
    ersetze(d->Sorte3, QStringLiteral("Alt"));
    ersetze(d->Menge3, QStringLiteral("1"));
    const QByteArray vorher = p.katalogInhalt();
    const SortenTabelle tabelleVorher = Alk::Sorten;

    const QString meldung = klicke(d->Command1);
    QVERIFY2(meldung.contains(imText) && meldung.contains(QStringLiteral("nichts gespeichert")),
             qPrintable(meldung));

    QVERIFY(d->isVisible());
    QCOMPARE(d->Sorte3->text(), QStringLiteral("Alt"));
    QCOMPARE(d->Menge3->text(), QStringLiteral("1"));
    QCOMPARE(p.katalogInhalt(), vorher);
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        QCOMPARE(Alk::Sorten[z], tabelleVorher[z]);
}

void TestDialoge::verweigertNachUnbekanntemNamen()
{
    // Bier is deleted; Korn moves up into its row. The dialog, opened for a
    // name not in the catalogue, still shows the deleted row's texts.
    Programm p(vierSorten());
    frmBearbeiten *d = bearbeitenOeffnen(p, QStringLiteral("Bier"));
    ersetze(d->Sorte3, QString());
    QCOMPARE(klicke(d->Command1), QString());
    QCOMPARE(Alk::Sorten[3].Name, QStringLiteral("Korn"));
    bearbeitenOeffnen(p, QStringLiteral("Xyz"));
    QCOMPARE(d->Prozent3->text(), QStringLiteral("5%"));
    QCOMPARE(Alk::BearbeitenZeile, 3);
    speichernVerweigert(p, d, QStringLiteral("Katalogzeile"));
}

void TestDialoge::loeschenMitUnspeicherbaremRest()
{
    // A row without a name is not written, so its other texts need not fit.
    Programm p(vierSorten());
    frmBearbeiten *d = bearbeitenOeffnen(p, QStringLiteral("Bier"));
    ersetze(d->Sorte3, QString());
    ersetze(d->Prozent3, QStringLiteral("5\""));
    QCOMPARE(klicke(d->Command1), QString());
    QCOMPARE(p.katalogInhalt(),
             katalogZeilen({{"Wein", "12%", "200"}, {"Sekt", "11%", "100"}, {"Korn", "32%", "20"}}));
    QVERIFY(!d->isVisible());
}

QTEST_MAIN(TestDialoge)
#include "tst_dialoge.moc"
