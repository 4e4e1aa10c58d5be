#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QWidget;

// What every window of the program shares: positions in twips, the bold
// caption font, the light cyan background and the message box.

// Twips (1/1440 inch) to device-independent pixels through the screen's
// logical DPI, so the layout keeps its proportions on any screen.
int twips(int t);
QRect twipsRect(int links, int oben, int breite, int hoehe);

// The system's sans-serif font, bold, at the given point size.
QFont fettSchrift(qreal punkte = 8.25);

// Light cyan, RGB(192, 255, 255), as window or control background.
void hellcyan(QWidget *w);

// Moves a top-level window so that it stands in the middle of its screen.
void zentrieren(QWidget *fenster);

// The program's message box: the text, one OK button, no icon, title "Kavorin".
// Modal; returns when the user closes it.
void meldung(QWidget *eltern, const QString &text);

// The name every message box and prompt carries as its title.
inline constexpr char16_t Programmtitel[] = u"Kavorin";
