#pragma once

#include "catalogue/katalog.h"

#include <QString>

// The program's shared state and the routines every window uses. All of it
// lives from program start to program end.
namespace Alk {

// The catalogue and its row counters.
extern SortenTabelle Sorten;
extern int Zeile;           // row the last kind lookup found; 0 = none
extern int LetzteZeile;     // highest row the last read put into the kind list
extern int BearbeitenZeile; // row of the kind in the edit dialog; 0 = none

// The program's directory, ending in the platform's directory separator.
extern QString Pfad;

// The calculation: sex factor, alcohol fraction, grams, result text.
extern double Faktor;
extern double Anteil;
extern double Gramm;
extern QString Ergebnis;

// Reads the catalogue file into Sorten and refills the main window's kind
// list, leaving the text in its edit field alone.
void SortenEinlesen();

// The percentage rule on the main window's Prozent (reset to empty) and on
// the add dialog's Prozent2 (reset to "%").
void ProzentPruefen();
void Prozent2Pruefen();

} // namespace Alk
