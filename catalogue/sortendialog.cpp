#include "catalogue/sortendialog.h"

#include "ui/fenster.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Client area of both dialogs, in twips.
constexpr int Breite = 3285;
constexpr int Hoehe = 1425;

} // namespace

Sortendialog::Sortendialog(QWidget *eltern, const Aufbau &aufbau) : QDialog(eltern)
{
    setObjectName(QLatin1String(aufbau.fenster));
    setWindowTitle(aufbau.titel);
    setAccessibleName(aufbau.titel);
    setModal(false);
    hellcyan(this);
    setFont(layoutSchrift());
    setFixedSize(twips(Breite), twips(Hoehe));

    // Created in tab order, so the focus chain is the order of creation.
    m_felder[0] =
        textfeld(this, aufbau.felder[0], QString(), twipsRect(120, 480, 1215, 285), QStringLiteral("Sorte"));
    m_felder[1] = textfeld(this, aufbau.felder[1], QStringLiteral("%"), twipsRect(1560, 480, 495, 285),
                           QStringLiteral("Prozent"));
    m_felder[2] =
        textfeld(this, aufbau.felder[2], QString(), twipsRect(2280, 480, 855, 285), QStringLiteral("Menge"));
    const QRect &s = aufbau.speichernLage;
    Command1 = knopf(this, "Command1", aufbau.speichernText, twipsRect(s.x(), s.y(), s.width(), s.height()));
    Command1->setDefault(true);
    const QRect &a = aufbau.abbrechenLage;
    Command2 =
        knopf(this, "Command2", QStringLiteral("&Abbrechen"), twipsRect(a.x(), a.y(), a.width(), a.height()));
    Label1 = beschriftung(this, "Label1", QStringLiteral("Sorte"), twipsRect(120, 120, 495, 255));
    hellcyan(Label1);
    Label2 = beschriftung(this, "Label2", QStringLiteral("Prozent"), twipsRect(1440, 120, 735, 255));
    hellcyan(Label2);
    Label3 = beschriftung(this, "Label3", QStringLiteral("Menge"), twipsRect(2280, 120, 735, 255));

    connect(Command2, &QPushButton::clicked, this, &Sortendialog::Command2_Click);
    fensterEinrichten(this);
}

void Sortendialog::Command2_Click()
{
    hide();
}

void Sortendialog::zeigen()
{
    const bool erstesMal = !m_schonGezeigt;
    m_schonGezeigt = true;
    // Centred before it appears, and again once shown: only then is the
    // window frame known that the centring has to include.
    if (erstesMal)
        zentrieren(this);
    show();
    if (erstesMal)
        zentrieren(this);
    raise();
    activateWindow();
}

Sortenzeile Sortendialog::texte() const
{
    return {m_felder[0]->text(), m_felder[1]->text(), m_felder[2]->text()};
}

bool Sortendialog::unspeicherbar(const Sortenzeile &zeile)
{
    for (const QString *text : {&zeile.Name, &zeile.Prozent, &zeile.Menge}) {
        if (const auto zeichen = nichtSpeicherbaresZeichen(*text)) {
            meldung(this, zeichenMeldung(*zeichen));
            return true;
        }
    }
    return false;
}

void Sortendialog::keyPressEvent(QKeyEvent *ereignis)
{
    // Escape has no meaning in these dialogs: it neither cancels nor hides.
    if (ereignis->key() == Qt::Key_Escape || ereignis->matches(QKeySequence::Cancel)) {
        ereignis->ignore();
        return;
    }
    QDialog::keyPressEvent(ereignis);
}

void Sortendialog::closeEvent(QCloseEvent *ereignis)
{
    // Closed from the window frame: hidden like "&Abbrechen", texts kept.
    Command2_Click();
    ereignis->accept();
}
