#pragma once

#include "catalogue/katalog.h"

#include <QString>
#include <QStringList>
#include <optional>

class QComboBox;
class QWidget;

// The catalogue file the program reads: the one in the program's directory,
// or, for a copy installed into a folder the user may not write, the user's
// own once it exists. Empty when the program's directory could not be told
// (never a file in the working or the root directory).
QString katalogDatei();

// Refills the kind list with the names in alphabetical order, keeping the
// text in its edit field and raising no change handler.
void fuelleSortenliste(QComboBox *liste, const QStringList &namen);

// Saves one change to the catalogue: `aenderung` is applied to Alk::Sorten
// as the file holds it now (read again first when another window or program
// has changed it, which `aenderung` is told) and may refuse with a message.
// A first save into the user's own file starts from the installed catalogue
// as it is now. Returns the row the change wrote; on failure tells the user
// why in a message box over `eltern` and returns nothing, the old file then
// unchanged.
std::optional<int> katalogSpeichern(QWidget *eltern, const Katalogaenderung &aenderung = {});
