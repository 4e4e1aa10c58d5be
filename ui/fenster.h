#pragma once

#include <QFont>
#include <QIcon>
#include <QRect>
#include <QRectF>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// What every window of the program shares: positions in twips, the bold
// caption font, the light cyan background and the message box.

// Twips (1/1440 inch) to device-independent pixels through the screen's
// logical DPI, so the layout keeps its proportions on any screen.
int twips(int t);
QRect twipsRect(int links, int oben, int breite, int hoehe);

// The face the layout was drawn for, "MS Sans Serif", at the given point
// size: fields, lists and buttons use it regular at 8.25 pt. Where it is
// missing, a face of nearly its widths stands in ("Microsoft Sans Serif",
// then the metric twins of Arial, "Liberation Sans" and "Arimo"), and only
// then the system's sans.
QFont layoutSchrift(qreal punkte = 8.25);

// The same face, bold: the captions of the labels.
QFont fettSchrift(qreal punkte = 8.25);

// Light cyan, RGB(192, 255, 255), as window or control background, with
// black captions on it under any system palette; an option's circle stays
// white with a black dot.
void hellcyan(QWidget *w);

// The controls of the program's windows, each at its rectangle and under the
// name the program's code and outside tools know it by.
// A bold caption at the given point size. Without an accessible name of its
// own, so that a screen reader reads the caption itself.
QLabel *beschriftung(QWidget *eltern, const char *name, const QString &text, const QRect &lage,
                     qreal punkte = 8.25);
// A button; a screen reader calls it by its caption without the "&".
QPushButton *knopf(QWidget *eltern, const char *name, const QString &text, const QRect &lage);
QLineEdit *textfeld(QWidget *eltern, const char *name, const QString &text, const QRect &lage,
                    const QString &zugaenglich);

// A guard for systems without the layout's face or its stand-ins: there a
// caption may be wider than its control. With the face present every caption
// fits, and the check costs one measurement in the font the control draws
// with anyway. The rectangles stay as they are; the caption's letters are narrowed a
// little (down to 88 % of their width), and if that is not enough the font
// is made smaller, a quarter point at a time, until the caption fits or
// `kleinstePunkte` is reached. Works on labels and buttons; other widgets
// are left alone.
void schriftEinpassen(QWidget *steuerelement, qreal kleinstePunkte = 6.0);

// schriftEinpassen for every label and button with a caption in the window.
// Run it once the controls have their captions and rectangles.
void beschriftungenEinpassen(QWidget *fenster);

// Readies one of the program's own windows, whose controls stand at fixed
// rectangles, for its first appearance: as it is polished and at its first
// show the style check (passendenStilWaehlen), then the caption fitting in
// the style it ends up with; and its empty fields announce their focus to a
// screen reader (fokusVorSchreibmarkeMelden). Windows laid out by Qt
// (message boxes, prompts) size themselves and are never asked. Call at the
// end of the window's constructor, once it has all its controls.
void fensterEinrichten(QWidget *fenster);

// Where the caption of a label or button is drawn, in the control's own
// coordinates, with the font it has now; an empty rectangle for a control
// without a caption.
QRectF beschriftungsRechteck(const QWidget *steuerelement);

// Whether the caption lies wholly inside the part of the control that shows
// it (for a button: inside its frame, with a little room on either side).
bool beschriftungPasst(const QWidget *steuerelement);

// The program's icon, a bottle, in all its sizes (window, task bar, HiDPI).
QIcon programmSymbol();

// The question-mark picture beside the Info button, sized for `widget`'s
// screen so that it stays sharp at any scale.
QPixmap fragezeichenBild(const QWidget *widget);

// Screen readers treat a top-level window by its role: a plain widget shown
// as a window would be announced as a "filler", not as a window with a
// title, and its activation would go unannounced. Makes every window built
// directly on QWidget a window for the accessibility interface. Once per
// program, before the first window is shown; further calls do nothing.
void fensterRolleAnmelden();

// Moves a top-level window so that its outer frame stands in the middle of
// its screen. Where the frame is not known yet (the first window, before the
// window manager has framed it), the window is centred again once it is.
void zentrieren(QWidget *fenster);

// The program's message box: the text, one OK button, no icon, title "Kavorin".
// Modal; returns when the user closes it.
void meldung(QWidget *eltern, const QString &text);

// The name every message box and prompt carries as its title.
inline constexpr char16_t Programmtitel[] = u"Kavorin";
