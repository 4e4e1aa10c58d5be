// The prompt that asks for a kind's amount when the user clicks into the
// main window's amount field.
#include "catalogue/sortenwahl.h"

#include <QInputDialog>

QString mengeErfragen(QWidget *eltern, const QString &alt)
{
    QInputDialog frage(eltern);
    frage.setObjectName(QStringLiteral("MengeFrage"));
    frage.setWindowTitle(QStringLiteral("Menge?"));
    frage.setLabelText(QStringLiteral("Menge?"));
    frage.setTextValue(alt);
    frage.setOkButtonText(QStringLiteral("OK"));
    frage.setCancelButtonText(QStringLiteral("Abbrechen"));
    frage.setAccessibleName(QStringLiteral("Menge?"));
    return frage.exec() == QDialog::Accepted ? frage.textValue() : QString();
}
