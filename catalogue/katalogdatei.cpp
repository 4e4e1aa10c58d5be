#include "catalogue/katalogdatei.h"

#include "app/alk.h"
#include "ui/fenster.h"

#include <QCollator>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>

QString katalogDatei()
{
    if (Alk::Pfad.isEmpty())
        return QString();
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

bool katalogSpeichern(QWidget *eltern, const std::function<std::optional<QString>()> &aenderung)
{
    const auto aendern = [&](SortenTabelle &tabelle, bool neuGelesen) -> std::optional<QString> {
        // The change is made to the fresh table, so the row an add counts on
        // is the one after the fresh table's last kind.
        if (neuGelesen) {
            Alk::LetzteZeile = 0;
            for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
                if (tabelle[z].gefuellt())
                    Alk::LetzteZeile = z;
        }
        return aenderung ? aenderung() : std::nullopt;
    };
    if (const auto fehler = katalogAendern(katalogDatei(), Alk::Sorten, aendern)) {
        meldung(eltern, *fehler);
        return false;
    }
    return true;
}
