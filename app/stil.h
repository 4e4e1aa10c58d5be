#pragma once

class QWidget;

// The program's windows keep their controls at fixed rectangles. Some
// styles (Adwaita from adwaita-qt6, for one) draw frames and paddings too
// wide for them: a count box without its digit, a list without its arrow.

// Whether every field, list and button of the window shows its text, and
// every list its arrow, under the style the control has now.
bool stilPasst(const QWidget *fenster);

// From now on a window whose controls stand at fixed rectangles is drawn in
// Fusion when the system's style does not fit it; message boxes and prompts,
// which size themselves, keep the system's style. Once per program; further
// calls do nothing. Register it after beschriftungenImmerEinpassen(), so that
// the captions are fitted in the style the window ends up with.
void passendenStilImmerWaehlen();
