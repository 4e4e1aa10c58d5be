#include "app/frmalkohol.h"

#include "app/alk.h"
#include "calc/berechnung.h"
#include "calc/zahlen.h"
#include "catalogue/frmbearbeiten.h"
#include "catalogue/frmsorte.h"
#include "catalogue/sortenwahl.h"
#include "info/einstufung.h"
#include "info/frmgesetz.h"
#include "ui/fenster.h"
#include "ui/stil.h"
#include "ui/zugang.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <limits>

namespace {

QPointer<frmAlkohol> einzigeInstanz;

// Client area of the window, in twips.
constexpr int Breite = 5475;
constexpr int Hoehe = 2805;
// The count list offers 1 to this many servings.
constexpr int HoechsteAnzahl = 20;
// A body weight longer than this is no weight the field keeps.
constexpr int GewichtHoechstens = 10;

// A completer lent to a list's line edit for its handover only: a line
// edit without one gets a completer of its own there, bound to the list's
// entries, which the list is then told to drop (0.7 M instructions each at
// start-up). One empty completer, never used to complete, does for all.
QCompleter *leihCompleter()
{
    static QPointer<QCompleter> leihgabe;
    if (!leihgabe)
        leihgabe = new QCompleter(qApp);
    return leihgabe;
}

QComboBox *auswahl(QWidget *eltern, const char *name, QRect lage, const QString &zugaenglich)
{
    auto *c = new QComboBox(eltern);
    c->setObjectName(QLatin1String(name));
    // At its rectangle first: a combo box made editable without a size of
    // its own measures itself for one.
    c->setGeometry(lage);
    // Editable through a line edit handed over: setEditable(true) would also
    // build the drop-down list's pop-up at once, which otherwise waits until
    // the list is first needed.
    auto *feld = new QLineEdit(c);
    feld->setCompleter(leihCompleter());
    c->setLineEdit(feld);
    // Typed text is the user's, not a new entry, and it is never completed.
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);
    // A kind's name is as long as the catalogue lets it be; a line edit
    // would cut it at 32767 characters without a word.
    c->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    c->setAccessibleName(zugaenglich);
    c->setAccessibleDescription(zugaenglich);
    return c;
}

QRadioButton *option(QWidget *eltern, const char *name, QRect lage, const QString &zugaenglich)
{
    auto *o = new QRadioButton(eltern);
    o->setObjectName(QLatin1String(name));
    o->setGeometry(lage);
    o->setAccessibleName(zugaenglich);
    // A button fills its background with the button colour, not the
    // window's; and where the style's circle is taller than the rectangle,
    // the rectangle grows about its middle, or the circle is cut.
    o->setBackgroundRole(QPalette::Window);
    hellcyan(o);
    const int kreis = o->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, o);
    if (lage.height() < kreis)
        o->setGeometry(lage.adjusted(0, -(kreis - lage.height()) / 2, 0, (kreis - lage.height() + 1) / 2));
    return o;
}

} // namespace

frmAlkohol::frmAlkohol(const QString &programmverzeichnis)
{
    einzigeInstanz = this;
    fensterRolleAnmelden();
    zugangAnmelden();
    // Qt's own windows and pop-ups (message boxes, prompts, the lists of the
    // combo boxes) in the same face; the system's font would cost a face
    // and a fontconfig fall-back search of its own at the first drawing.
    QApplication::setFont(layoutSchrift());
    setObjectName(QStringLiteral("frmAlkohol"));
    setWindowTitle(QStringLiteral("Promilleberechnung"));
    setWindowIcon(programmSymbol());
    setAccessibleName(QStringLiteral("Promilleberechnung"));
    hellcyan(this);
    setFont(layoutSchrift());
    setFixedSize(twips(Breite), twips(Hoehe));

    steuerelementeAnlegen();
    verbinden();
    Form_Load(programmverzeichnis);
}

frmAlkohol::~frmAlkohol()
{
    qApp->removeEventFilter(this);
    // The controls die after this body has run; the focus leaving a combo box
    // then still raises `activated`, which must not reach a half-destroyed
    // window.
    for (QObject *kind : findChildren<QObject *>())
        kind->disconnect(this);
}

frmAlkohol *frmAlkohol::instanz()
{
    return einzigeInstanz;
}

void frmAlkohol::steuerelementeAnlegen()
{
    // Created in tab order, so the focus chain is the order of creation.
    Sorte = auswahl(this, "Sorte", twipsRect(120, 600, 2295, 315), QStringLiteral("Sorte"));
    cmdHinzu = knopf(this, "cmdHinzu", QStringLiteral("&Hinzufügen"), twipsRect(720, 120, 975, 375));
    Prozent = textfeld(this, "Prozent", QStringLiteral("%"), twipsRect(120, 1200, 495, 285),
                       QStringLiteral("Prozent"));
    Label1 = beschriftung(this, "Label1", QString(), twipsRect(120, 2280, 735, 375), 9.75);
    alsAnsage(Label1);
    Label1->setAccessibleDescription(QStringLiteral("Promille"));
    cmdBerechnen = knopf(this, "cmdBerechnen", QStringLiteral("&Berechnen"), twipsRect(960, 1800, 1095, 375));
    cmdBerechnen->setDefault(true);
    Label2 = beschriftung(this, "Label2", QStringLiteral("Sorte"), twipsRect(120, 120, 615, 255));
    Label2->setBuddy(Sorte);
    Label3 = beschriftung(this, "Label3", QStringLiteral("Prozent (+%)"), twipsRect(120, 960, 1095, 255));
    Label4 = beschriftung(this, "Label4", QStringLiteral("Menge (in ml)"), twipsRect(1320, 960, 1215, 255));
    Menge = textfeld(this, "Menge", QString(), twipsRect(1320, 1200, 1095, 285), QStringLiteral("Menge"));
    Label5 = beschriftung(this, "Label5", QStringLiteral("Geschlecht"), twipsRect(4200, 120, 1095, 255));
    Option2 = option(this, "Option2", twipsRect(5040, 360, 255, 255), QStringLiteral("weiblich"));
    Label6 = beschriftung(this, "Label6", QStringLiteral("m"), twipsRect(4200, 360, 255, 255), 9.75);
    Label7 = beschriftung(this, "Label7", QStringLiteral("w"), twipsRect(4800, 360, 255, 255), 9.75);
    Label8 = beschriftung(this, "Label8", QStringLiteral("Körpergewicht (in kg)"),
                          twipsRect(2880, 120, 1215, 495));
    Label8->setWordWrap(true);
    Masse =
        textfeld(this, "Masse", QString(), twipsRect(2880, 600, 1095, 285), QStringLiteral("Körpergewicht"));
    Label8->setBuddy(Masse);
    Label9 = beschriftung(this, "Label9", QStringLiteral("Promille"), twipsRect(120, 1920, 855, 255));
    Option1 = option(this, "Option1", twipsRect(4440, 360, 255, 195), QStringLiteral("männlich"));
    Option1->setChecked(true);
    // A plain multiplication sign, which every face has: a symbol font's
    // cross would be missing wherever that font is.
    Label10 = beschriftung(this, "Label10", QStringLiteral("×"), twipsRect(2640, 1260, 255, 255));
    Label10->setAlignment(Qt::AlignCenter);
    Label10->setAccessibleName(QStringLiteral("mal"));
    Anz = auswahl(this, "Anz", twipsRect(2880, 1200, 615, 315), QStringLiteral("Anzahl"));
    for (int i = 1; i <= HoechsteAnzahl; ++i)
        Anz->addItem(QString::number(i), 0);
    Anz->setCurrentIndex(-1);
    Anz->setEditText(QStringLiteral("0"));
    Command1 = knopf(this, "Command1", QStringLiteral("&Bearbeiten"), twipsRect(1800, 120, 975, 375));
    Command2 = knopf(this, "Command2", QStringLiteral("&Info"), twipsRect(1440, 2280, 615, 375));
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(960, 2280, 495, 495));
    Picture1->setPixmap(fragezeichenBild(Picture1));
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setAccessibleName(QStringLiteral("Info-Symbol"));
    hellcyan(Picture1);
    Command3 = knopf(this, "Command3", QStringLiteral("Gesetz"), twipsRect(2160, 2280, 855, 375));
}

void frmAlkohol::verbinden()
{
    connect(cmdBerechnen, &QPushButton::clicked, this, &frmAlkohol::cmdBerechnen_Click);
    connect(cmdHinzu, &QPushButton::clicked, this, &frmAlkohol::cmdHinzu_Click);
    connect(Command1, &QPushButton::clicked, this, &frmAlkohol::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmAlkohol::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmAlkohol::Command3_Click);

    // textChanged comes for every change, the program's own included, and
    // synchronously inside setText: the field rules depend on both.
    connect(Prozent, &QLineEdit::textChanged, this, &frmAlkohol::Prozent_Change);
    connect(Masse, &QLineEdit::textChanged, this, &frmAlkohol::Masse_Change);

    // A choice from the list (mouse or keyboard) is `activated`; typing is
    // the line edit's `textEdited`, which the program's own writes never raise.
    connect(Sorte, qOverload<int>(&QComboBox::activated), this, &frmAlkohol::Sorte_Click);
    connect(Sorte->lineEdit(), &QLineEdit::textEdited, this, &frmAlkohol::Sorte_Change);
    connect(Anz, qOverload<int>(&QComboBox::activated), this, &frmAlkohol::Anz_Click);
    connect(Anz->lineEdit(), &QLineEdit::textEdited, this, &frmAlkohol::Anz_Change);

    connect(Option1, &QRadioButton::toggled, this, [this](bool an) {
        if (an)
            Option1_Click();
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool an) {
        if (an)
            Option2_Click();
    });

    optionenEinTabstopp(Menge, Option1, Option2, Masse);

    // Enter anywhere in the window presses "&Berechnen"; outside a dialog Qt
    // has no default button, so the window routes the key itself. The
    // window watches itself and its own controls, nothing else of the
    // program (the lists' pop-ups, made later, choose with Enter).
    installEventFilter(this);
    for (QWidget *steuerelement : findChildren<QWidget *>())
        steuerelement->installEventFilter(this);
    // After the window's filter, so that it sees the focus leave for the
    // list before the window's filter takes that event.
    listeEinmalWaehlen(Sorte);
    listeEinmalWaehlen(Anz);
    fensterEinrichten(this);
}

void frmAlkohol::Form_Load(const QString &programmverzeichnis)
{
    // No directory is no directory: a separator alone would name the root.
    Alk::Pfad = QDir::toNativeSeparators(programmverzeichnis);
    if (!Alk::Pfad.isEmpty() && !Alk::Pfad.endsWith(QDir::separator()))
        Alk::Pfad += QDir::separator();

    if (Option1->isChecked())
        Alk::Faktor = Widmark::FaktorMann;
    if (Option2->isChecked())
        Alk::Faktor = Widmark::FaktorFrau;

    Alk::SortenEinlesen();
    zentrieren(this);
}

bool frmAlkohol::eventFilter(QObject *objekt, QEvent *ereignis)
{
    switch (ereignis->type()) {
    case QEvent::KeyPress:
        return enterGedrueckt(objekt, static_cast<QKeyEvent *>(ereignis));
    case QEvent::FocusOut:
        return listeVerlassen(objekt, ereignis);
    case QEvent::MouseButtonRelease:
        return objekt == Menge && mengeGeklickt(static_cast<QMouseEvent *>(ereignis));
    default:
        return QWidget::eventFilter(objekt, ereignis);
    }
}

bool frmAlkohol::enterGedrueckt(QObject *objekt, QKeyEvent *taste)
{
    auto *ziel = qobject_cast<QWidget *>(objekt);
    if ((taste->key() != Qt::Key_Return && taste->key() != Qt::Key_Enter) || !ziel || ziel->window() != this
        || (taste->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // A focused button takes Enter itself, as buttons do in dialogs.
    if (auto *knopf = qobject_cast<QAbstractButton *>(ziel); knopf && !qobject_cast<QRadioButton *>(ziel))
        knopf->click();
    else
        cmdBerechnen->click();
    return true;
}

bool frmAlkohol::listeVerlassen(QObject *objekt, QEvent *ereignis)
{
    // Leaving an editable combo box whose text matches an entry makes Qt
    // choose that entry and report it as `activated`. Only a choice the
    // user makes from the list counts as one.
    QComboBox *liste = objekt == Sorte || objekt == Sorte->lineEdit() ? Sorte
        : objekt == Anz || objekt == Anz->lineEdit()                  ? Anz
                                                                      : nullptr;
    if (!liste)
        return false;
    const QSignalBlocker still(liste);
    objekt->event(ereignis);
    return true;
}

bool frmAlkohol::mengeGeklickt(QMouseEvent *maus)
{
    if (maus->button() != Qt::LeftButton || !Menge->rect().contains(maus->position().toPoint()))
        return false;
    // Let the line edit finish its own click first, then ask.
    Menge->event(maus);
    Menge_Click();
    return true;
}

void frmAlkohol::cmdBerechnen_Click()
{
    const QString fehlt = eingabeMeldung(Prozent->text(), Menge->text(), Masse->text());
    if (!fehlt.isEmpty()) {
        meldung(this, fehlt);
        return;
    }
    Berechnen();
}

void frmAlkohol::Berechnen()
{
    Rechenstand stand{Alk::Anteil, Alk::Gramm, Alk::Ergebnis};
    const QString text = berechne(Prozent->text(), Menge->text(), Masse->text(), Alk::Faktor, stand);
    Alk::Anteil = stand.Anteil;
    Alk::Gramm = stand.Gramm;
    Alk::Ergebnis = stand.Ergebnis;
    Label1->setText(text);
    ergebnisAnsagen(Label1);
}

void frmAlkohol::AnzahlInMenge()
{
    const auto anzahl = regionaleZahl(Anz->currentText());
    const auto einzel = Einzelmenge.isEmpty() ? std::optional<double>(0) : regionaleZahl(Einzelmenge);
    // Without two numbers there is no product; the amount stays as it is.
    if (!anzahl || !einzel)
        return;
    Menge->setText(regionalerText(*einzel * *anzahl));
}

void frmAlkohol::Anz_Click()
{
    AnzahlInMenge();
}

void frmAlkohol::Anz_Change()
{
    AnzahlInMenge();
}

void frmAlkohol::Masse_Change()
{
    if (!regionaleZahl(Masse->text()))
        Masse->setText(QString());
    if (Masse->text().size() > GewichtHoechstens)
        Masse->setText(QString());
}

void frmAlkohol::Option1_Click()
{
    Alk::Faktor = Widmark::FaktorMann;
    if (eingabenVollstaendig(Prozent->text(), Menge->text(), Masse->text()))
        Berechnen();
}

void frmAlkohol::Option2_Click()
{
    Alk::Faktor = Widmark::FaktorFrau;
    if (eingabenVollstaendig(Prozent->text(), Menge->text(), Masse->text()))
        Berechnen();
}

void frmAlkohol::Prozent_Change()
{
    Alk::ProzentPruefen();
}

// The kind list and the amount field.

void frmAlkohol::Sorte_Click()
{
    Prozent->setText(QString());
    // Kinds behind a row without a name are not found until the catalogue
    // is read again and the rows close up.
    Alk::Zeile = sorteFinden(Alk::Sorten, Sorte->currentText(), Suchregel::BisZurLuecke);
    if (Alk::Zeile == 0)
        return;
    const Sortenzeile &zeile = Alk::Sorten[Alk::Zeile];
    Prozent->setText(zeile.Prozent);
    Menge->setText(zeile.Menge);
    Einzelmenge = zeile.Menge;
    if (Menge->text().isEmpty())
        Menge->setText(QStringLiteral("0"));
}

void frmAlkohol::Sorte_Change()
{
    Prozent->setText(QString());
}

void frmAlkohol::Menge_Click()
{
    const QString alt = Menge->text();
    const QString antwort = mengeErfragen(this, alt);
    Einzelmenge = antwort;
    Menge->setText(antwort);
    if (Menge->text().isEmpty())
        Menge->setText(alt);
}

// The buttons that open the other windows.

void frmAlkohol::cmdHinzu_Click()
{
    frmSorte *dialog = frmSorte::instanz();
    dialog->zeigen();
    dialog->Prozent2->setText(QStringLiteral("%"));
    dialog->Sorte2->setFocus();
}

void frmAlkohol::Command1_Click()
{
    frmBearbeiten::instanz()->zeigen();
    Load();
}

void frmAlkohol::Load()
{
    // The whole table, empty rows too: an empty kind text loads the last
    // empty row, which a save then makes a kind.
    const int z = sorteFinden(Alk::Sorten, Sorte->currentText(), Suchregel::GanzeTabelle);
    if (z == 0)
        return;
    frmBearbeiten *dialog = frmBearbeiten::instanz();
    const Sortenzeile &zeile = Alk::Sorten[z];
    dialog->Sorte3->setText(zeile.Name);
    dialog->Prozent3->setText(zeile.Prozent);
    dialog->Menge3->setText(zeile.Menge);
    dialog->geladen = zeile;
    Alk::BearbeitenZeile = z;
}

void frmAlkohol::Command2_Click()
{
    meldung(this, infoMeldung(Label1->text()));
}

void frmAlkohol::Command3_Click()
{
    frmGesetz::instanz()->ueberFensterZeigen(this);
}
