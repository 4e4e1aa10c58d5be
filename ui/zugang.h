#pragma once

class QComboBox;
class QLabel;
class QRadioButton;
class QWidget;

// What a screen reader needs beyond the accessible names: results it speaks
// without being asked, and focus changes it hears in the right order.

// Puts the program's own accessibility interfaces in front of Qt's where
// Qt 6.4's tell a screen reader something wrong: text fields whose last
// character Orca loses, and editable combo boxes named by their text. Once
// per program, before the first control exists: an interface, once asked
// for, is kept. Further calls do nothing.
void zugangAnmelden();

// Return in the open list of `liste` chooses the entry once and is heard
// once; see zugang.cpp. Call once, right after creating the combo box.
void listeEinmalWaehlen(QComboBox *liste);

// The label becomes a notification for the accessibility interface: each
// call of ergebnisAnsagen() then has a screen reader speak its text once,
// wherever the focus is. Call right after creating the label, before
// anything asks for its accessibility interface (an accessible name or
// description set on it does), which is made once and kept.
void alsAnsage(QLabel *label);

// Tells a screen reader that the label shows a new text to be spoken. Does
// nothing for an empty label or while no screen reader listens.
void ergebnisAnsagen(QLabel *label);

// An empty text field of the window that gets the focus from Tab or a
// shortcut reports the focus alone, so that a screen reader announces it by
// its name; see zugang.cpp. Call once the window has its fields.
void fokusVorSchreibmarkeMelden(QWidget *fenster);

// Keeps the one Tab stop of an exclusive pair of options on the selected
// one: Tab reaches the pair at `davor`'s successor and leaves it towards
// `danach`, whichever of the two is selected. Call once the focus chain
// holds `davor`, both options and `danach`.
void optionenEinTabstopp(QWidget *davor, QRadioButton *erste, QRadioButton *zweite, QWidget *danach);
