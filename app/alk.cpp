#include "app/alk.h"

#include "app/frmalkohol.h"
#include "calc/prozentregel.h"
#include "catalogue/frmsorte.h"
#include "catalogue/katalogdatei.h"

#include <QComboBox>
#include <QLineEdit>

namespace Alk {

SortenTabelle Sorten;
int Zeile = 0;
int LetzteZeile = 0;
int BearbeitenZeile = 0;
QString Pfad;
double Faktor = 0;
double Anteil = 0;
double Gramm = 0;
QString Ergebnis;

namespace {

// A line edit as the percentage rule sees it. QLineEdit::setText emits
// textChanged at once, and not at all for the text it already holds, which
// is exactly the change event the rule is written against.
class Zeilenfeld : public Textfeld
{
public:
    explicit Zeilenfeld(QLineEdit *feld) : m_feld(feld) {}
    QString text() const override { return m_feld->text(); }
    void setText(const QString &text) override { m_feld->setText(text); }

private:
    QLineEdit *m_feld;
};

} // namespace

void SortenEinlesen()
{
    katalogDateiLesen(katalogDatei(), Sorten);
    // An empty catalogue leaves LetzteZeile as it was.
    if (const int letzte = letzteZeile(Sorten))
        LetzteZeile = letzte;
    fuelleSortenliste(frmAlkohol::instanz()->Sorte, sortenNamen(Sorten));
}

void ProzentPruefen()
{
    Zeilenfeld feld(frmAlkohol::instanz()->Prozent);
    prozentRegel(feld, QString());
}

void Prozent2Pruefen()
{
    Zeilenfeld feld(frmSorte::instanz()->Prozent2);
    prozentRegel(feld, QStringLiteral("%"));
}

} // namespace Alk
