#include "calc/anzeige.h"

#include <QByteArray>
#include <QLocale>
#include <cmath>

namespace {

// Rounds the decimal digits of a non-negative number written as "123.4567"
// (no exponent) to two decimals, half away from zero.
QByteArray rundeAufHundertstel(const QByteArray &zahl)
{
    const int punkt = zahl.indexOf('.');
    QByteArray ganz = punkt < 0 ? zahl : zahl.left(punkt);
    QByteArray bruch = punkt < 0 ? QByteArray() : zahl.mid(punkt + 1);
    const bool aufrunden = bruch.size() > 2 && bruch[2] >= '5';
    bruch = bruch.left(2).leftJustified(2, '0');

    // Carry through "ganz" + "bruch" as one string of digits.
    QByteArray ziffern = ganz + bruch;
    if (aufrunden) {
        int i = ziffern.size() - 1;
        while (i >= 0 && ziffern[i] == '9')
            ziffern[i--] = '0';
        if (i >= 0)
            ziffern[i] = char(ziffern[i] + 1);
        else
            ziffern.prepend('1');
    }
    ganz = ziffern.left(ziffern.size() - 2);
    bruch = ziffern.right(2);
    while (ganz.size() > 1 && ganz[0] == '0')
        ganz.remove(0, 1);
    if (ganz.isEmpty())
        ganz = "0";
    while (!bruch.isEmpty() && bruch.endsWith('0'))
        bruch.chop(1);
    return bruch.isEmpty() ? ganz : ganz + '.' + bruch;
}

} // namespace

QString anzeigeText(double wert)
{
    if (std::isnan(wert))
        return QStringLiteral(" 0");
    const bool negativ = std::signbit(wert);
    if (std::isinf(wert))
        return negativ ? QStringLiteral(" -∞") : QStringLiteral(" ∞");

    // The shortest form that reads back as the same double, without exponent.
    const QByteArray betrag = QByteArray::number(std::fabs(wert), 'f', QLocale::FloatingPointShortest);
    const QByteArray gerundet = rundeAufHundertstel(betrag);
    if (gerundet == "0")
        return QStringLiteral(" 0");
    return (negativ ? QStringLiteral(" -") : QStringLiteral(" ")) + QString::fromLatin1(gerundet);
}
