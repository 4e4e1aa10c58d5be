// The two number readings on arbitrary text. The leading-number reading
// never fails and agrees with an independent reading of the same prefix; a
// text the regional reading accepts is a number of that locale, with the
// value that locale gives it; and a number the program writes for a field
// reads back as itself.
//
// Input: the first byte picks the locale (counted from '0': C, German,
// US English, French, Swiss German), the rest is the text in UTF-8.

#include "calc/zahlen.h"
#include "fuzz/check.h"

#include <QLocale>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

using pruefen::zeige;

const std::array<QLocale, 5> &gebietsschemata()
{
    static const std::array<QLocale, 5> alle{
        QLocale::c(),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::German, QLocale::Switzerland),
    };
    return alle;
}

bool istZwischenraum(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

bool ziffer(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The leading number of a text, read a second way: strip the blanks, take
// the longest prefix of the form [sign][digits][.digits][e[sign]digits] with
// at least one digit before the exponent, and let strtod convert it. Returns
// false for the "&H"/"&O" forms, which the comparison leaves out.
bool vergleichswert(const QString &text, double &wert)
{
    std::string s;
    for (QChar c : text)
        if (!istZwischenraum(c))
            s += c.unicode() < 0x80 ? char(c.unicode()) : '\x01';
    if (s.size() >= 2 && s[0] == '&')
        return false;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    const size_t ganzAb = i;
    while (i < s.size() && std::isdigit(uint8_t(s[i])))
        ++i;
    size_t ziffern = i - ganzAb;
    if (i < s.size() && s[i] == '.') {
        const size_t bruchAb = i + 1;
        size_t j = bruchAb;
        while (j < s.size() && std::isdigit(uint8_t(s[j])))
            ++j;
        // "2." is a number too, and an exponent may follow it: "2.e2" is 200.
        ziffern += j - bruchAb;
        i = j;
    }
    if (ziffern == 0) {
        wert = 0;
        return true;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        const size_t expAb = j;
        while (j < s.size() && std::isdigit(uint8_t(s[j])))
            ++j;
        if (j > expAb)
            i = j;
    }
    wert = std::strtod(s.substr(0, i).c_str(), nullptr);
    return true;
}

bool gleich(double a, double b)
{
    if (a == b)
        return true;
    // Below the normal range the two conversions may round a subnormal
    // differently or flush it to zero; neither matters to the program.
    return std::fabs(a) < 1e-300 && std::fabs(b) < 1e-300;
}

// Checks that `text`, which `gebiet` accepted with value `wert`, is written as
// that locale writes numbers: an optional sign, digits grouped by the
// locale's separator in threes (or not at all), the locale's decimal
// separator, an optional exponent; and that it stands for `wert`.
void pruefeRegional(const QString &text, const QLocale &gebiet, double wert)
{
    const QString zahl = text.trimmed();
    const QString punkt = gebiet.decimalPoint();
    const QString gruppe = gebiet.groupSeparator();
    // Where the separator is a no-break space (French), an ordinary blank is
    // taken for it too, as a user cannot type the one or see the difference.
    const bool leerGruppe = gruppe.size() == 1 && gruppe[0].isSpace();
    std::string c; // the same number in C notation
    int i = 0;
    const int n = zahl.size();
    auto beginntMit = [&](const QString &teil) {
        return !teil.isEmpty() && zahl.mid(i, teil.size()) == teil;
    };

    if (beginntMit(gebiet.negativeSign())) {
        c += '-';
        i += gebiet.negativeSign().size();
    } else if (beginntMit(gebiet.positiveSign())) {
        i += gebiet.positiveSign().size();
    } else if (i < n && (zahl[i] == u'-' || zahl[i] == u'+')) {
        c += char(zahl[i].unicode());
        ++i;
    }
    // Integer part, with the positions of its group separators.
    int ziffernImBlock = 0;
    int bloecke = 0;
    int ziffernGesamt = 0;
    while (i < n) {
        if (ziffer(zahl[i])) {
            c += char(zahl[i].unicode());
            ++ziffernImBlock;
            ++ziffernGesamt;
            ++i;
        } else if (beginntMit(gruppe)
                   || (leerGruppe
                       && (zahl[i] == u' ' || zahl[i] == QChar(0xa0) || zahl[i] == QChar(0x202f)))) {
            PRUEFE(ziffernImBlock >= 1 && (bloecke == 0 ? ziffernImBlock <= 3 : ziffernImBlock == 3),
                   QStringLiteral("Gruppierung in %1 (%2)").arg(zeige(text), gebiet.name()));
            ++bloecke;
            ziffernImBlock = 0;
            i += beginntMit(gruppe) ? gruppe.size() : 1;
        } else {
            break;
        }
    }
    PRUEFE(bloecke == 0 || ziffernImBlock == 3,
           QStringLiteral("Gruppierung in %1 (%2)").arg(zeige(text), gebiet.name()));
    if (beginntMit(punkt)) {
        c += '.';
        i += punkt.size();
        while (i < n && ziffer(zahl[i])) {
            c += char(zahl[i].unicode());
            ++ziffernGesamt;
            ++i;
        }
    }
    PRUEFE(ziffernGesamt > 0, QStringLiteral("keine Ziffer in %1 (%2)").arg(zeige(text), gebiet.name()));
    if (i < n && (zahl[i] == u'e' || zahl[i] == u'E' || beginntMit(gebiet.exponential()))) {
        i += zahl[i] == u'e' || zahl[i] == u'E' ? 1 : gebiet.exponential().size();
        c += 'e';
        if (beginntMit(gebiet.negativeSign())) {
            c += '-';
            i += gebiet.negativeSign().size();
        } else if (beginntMit(gebiet.positiveSign())) {
            i += gebiet.positiveSign().size();
        } else if (i < n && (zahl[i] == u'-' || zahl[i] == u'+')) {
            c += char(zahl[i].unicode());
            ++i;
        }
        int expZiffern = 0;
        while (i < n && ziffer(zahl[i])) {
            c += char(zahl[i].unicode());
            ++expZiffern;
            ++i;
        }
        PRUEFE(expZiffern > 0,
               QStringLiteral("Exponent ohne Ziffern in %1 (%2)").arg(zeige(text), gebiet.name()));
    }
    PRUEFE(i == n,
           QStringLiteral("fremdes Zeichen an Stelle %1 in %2 (%3)").arg(i).arg(zeige(text), gebiet.name()));
    const double erwartet = std::strtod(c.c_str(), nullptr);
    PRUEFE(gleich(erwartet, wert),
           QStringLiteral("%1 (%2) gelesen als %3, erwartet %4")
               .arg(zeige(text), gebiet.name())
               .arg(wert, 0, 'g', 17)
               .arg(erwartet, 0, 'g', 17));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t groesse)
{
    if (groesse < 1)
        return 0;
    const QLocale &gebiet = gebietsschemata()[pruefen::waehle(daten[0], 5)];
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(daten + 1), qsizetype(groesse - 1));

    // Leading-number reading.
    const double fuehrend = fuehrendeZahl(text);
    PRUEFE(!std::isnan(fuehrend), zeige(text));
    double vergleich = 0;
    // Beyond the range of a double as well: strtod's infinity or zero.
    if (vergleichswert(text, vergleich))
        PRUEFE(gleich(fuehrend, vergleich),
               QStringLiteral("%1 gelesen als %2, erwartet %3")
                   .arg(zeige(text))
                   .arg(fuehrend, 0, 'g', 17)
                   .arg(vergleich, 0, 'g', 17));
    else
        PRUEFE(fuehrend >= 0, zeige(text));
    // A unit or percent sign behind the number, and blanks anywhere, change nothing.
    PRUEFE(fuehrendeZahl(text + u'%') == fuehrend, zeige(text));
    const int stelle = text.isEmpty() ? 0 : int(daten[0]) % (text.size() + 1);
    PRUEFE(fuehrendeZahl(QString(text).insert(stelle, QStringLiteral(" \t"))) == fuehrend,
           zeige(text) + QStringLiteral(" Leerzeichen an Stelle %1").arg(stelle));

    // Regional reading.
    const std::optional<double> regional = regionaleZahl(text, gebiet);
    if (regional) {
        PRUEFE(std::isfinite(*regional), zeige(text));
        pruefeRegional(text, gebiet, *regional);
    }

    // A number the program writes into a field reads back as that number.
    for (const double wert : {fuehrend, regional.value_or(0.0)}) {
        if (!std::isfinite(wert))
            continue;
        const QString geschrieben = regionalerText(wert, gebiet);
        const std::optional<double> wieder = regionaleZahl(geschrieben, gebiet);
        PRUEFE(wieder.has_value(),
               QStringLiteral("%1 als %2 (%3) nicht lesbar")
                   .arg(wert, 0, 'g', 17)
                   .arg(zeige(geschrieben), gebiet.name()));
        PRUEFE(std::fabs(*wieder - wert) <= std::fabs(wert) * 1e-14 || std::fabs(wert) < 1e-290,
               QStringLiteral("%1 als %2 (%3) zurück als %4")
                   .arg(wert, 0, 'g', 17)
                   .arg(zeige(geschrieben), gebiet.name())
                   .arg(*wieder, 0, 'g', 17));
        PRUEFE(gebiet.groupSeparator().isEmpty() || !geschrieben.contains(gebiet.groupSeparator()),
               zeige(geschrieben));
    }
    return 0;
}
