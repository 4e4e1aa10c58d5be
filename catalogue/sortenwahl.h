#pragma once

#include <QString>

class QWidget;

// The amount prompt "Menge?" over `eltern`, its answer pre-filled with `alt`:
// the answer as typed, or an empty text when the user cancels.
QString mengeErfragen(QWidget *eltern, const QString &alt);
