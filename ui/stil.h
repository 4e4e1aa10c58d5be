#pragma once

class QWidget;

// The program's windows keep their controls at fixed rectangles. Some
// styles (Adwaita from adwaita-qt6, for one) draw frames and paddings too
// wide for them: a count box without its digit, a list without its arrow.

// Whether every field, list and button of the window shows its text, and
// every list its arrow, under the style the control has now.
bool stilPasst(const QWidget *fenster);

// Draws the window and its controls in Fusion when the style they have does
// not fit them; message boxes and prompts, which size themselves, are never
// asked. Call it as the window is polished, before its controls are (some
// styles, Adwaita among them, leave margins behind that a later change of
// style keeps), and once more at its first show, when the style has given
// the controls the margins it wants.
void passendenStilWaehlen(QWidget *fenster);
