#include "catalogue/katalogdatei.h"

#include "app/alk.h"
#include "app/fenster.h"

#include <QCollator>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>

QString katalogDatei()
{
    return Alk::Pfad + QStringLiteral("AlkoholSorten.txt");
}

void fuelleSortenliste(QComboBox *liste, const QStringList &namen)
{
    QStringList sortiert = namen;
    QCollator vergleich;
    vergleich.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(sortiert.begin(), sortiert.end(),
                     [&](const QString &a, const QString &b) { return vergleich.compare(a, b) < 0; });

    // A combo box puts its first entry into the edit field when it is filled;
    // the kind text the user sees must not change behind their back.
    const QSignalBlocker still(liste);
    const QString text = liste->currentText();
    liste->clear();
    liste->addItems(sortiert);
    liste->setCurrentIndex(-1);
    liste->setEditText(text);
}

bool katalogSpeichern(QWidget *eltern)
{
    if (const auto fehler = katalogDateiSchreiben(katalogDatei(), Alk::Sorten)) {
        meldung(eltern, *fehler);
        return false;
    }
    return true;
}
