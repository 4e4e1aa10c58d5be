#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QWidget;

// The catalogue file in the program's directory.
QString katalogDatei();

// Refills the kind list with the names in alphabetical order, keeping the
// text in its edit field and raising no change handler.
void fuelleSortenliste(QComboBox *liste, const QStringList &namen);

// Writes Alk::Sorten to the catalogue file. On failure tells the user why in
// a message box over `eltern` and returns false; the old file is then
// unchanged.
bool katalogSpeichern(QWidget *eltern);
