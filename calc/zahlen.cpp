#include "calc/zahlen.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool istZwischenraum(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

bool istZiffer(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int ziffernwert(QChar c, int basis)
{
    int w = -1;
    if (istZiffer(c))
        w = c.unicode() - u'0';
    else if (c >= u'a' && c <= u'f')
        w = c.unicode() - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        w = c.unicode() - u'A' + 10;
    return w >= 0 && w < basis ? w : -1;
}

// Reads "&H…" or "&O…" digits as an unsigned whole number.
double leseMitPraefix(const QString &s, int ab, int basis)
{
    double wert = 0;
    for (int i = ab; i < s.size(); ++i) {
        const int z = ziffernwert(s[i], basis);
        if (z < 0)
            break;
        wert = wert * basis + z;
    }
    return wert;
}

// The power of ten of a number's first significant digit, for a number
// too large or too small for a double: which of the two it is. Leading
// zeros after the point count as much as a negative exponent does.
long long dezimalOrdnung(const std::string &zahl)
{
    const auto e = zahl.find('e');
    const std::string mantisse = zahl.substr(0, e);
    const auto punkt = mantisse.find('.');
    const long long vorKomma = punkt == std::string::npos ? (long long)mantisse.size() : (long long)punkt;
    const auto erste = mantisse.find_first_of("123456789");
    if (erste == std::string::npos)
        return 0;
    long long ordnung =
        (long long)erste < vorKomma ? vorKomma - (long long)erste - 1 : vorKomma - (long long)erste;
    if (e != std::string::npos) {
        const char *anfang = zahl.data() + e + 1;
        const bool minus = *anfang == '-';
        if (*anfang == '+' || *anfang == '-')
            ++anfang;
        long long exponent = 0;
        const auto [rest, fehler] = std::from_chars(anfang, zahl.data() + zahl.size(), exponent);
        Q_UNUSED(rest);
        // Beyond any double's range either way: saturate rather than wrap.
        if (fehler == std::errc::result_out_of_range || exponent > (1LL << 40))
            exponent = 1LL << 40;
        ordnung += minus ? -exponent : exponent;
    }
    return ordnung;
}

} // namespace

double fuehrendeZahl(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (!istZwischenraum(c))
            s.append(c);

    if (s.size() >= 2 && s[0] == u'&') {
        const QChar p = s[1].toUpper();
        if (p == u'H')
            return leseMitPraefix(s, 2, 16);
        if (p == u'O')
            return leseMitPraefix(s, 2, 8);
        return 0;
    }

    // Collect the longest prefix of the form [sign]digits[.digits][e[sign]digits]
    // and let the locale-independent std::from_chars convert it.
    std::string zahl;
    int i = 0;
    const int n = s.size();
    bool negativ = false;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
        negativ = s[i] == u'-';
        ++i;
    }
    bool ziffern = false;
    while (i < n && istZiffer(s[i])) {
        zahl += char(s[i].unicode());
        ziffern = true;
        ++i;
    }
    if (i < n && s[i] == u'.') {
        ++i;
        std::string nachkomma;
        while (i < n && istZiffer(s[i])) {
            nachkomma += char(s[i].unicode());
            ++i;
        }
        if (!nachkomma.empty()) {
            zahl += '.' + nachkomma;
            ziffern = true;
        }
    }
    if (!ziffern)
        return 0;
    if (zahl[0] == '.')
        zahl.insert(0, 1, '0');
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        int j = i + 1;
        std::string exponent = "e";
        if (j < n && (s[j] == u'+' || s[j] == u'-'))
            exponent += char(s[j++].unicode());
        bool expZiffern = false;
        while (j < n && istZiffer(s[j])) {
            exponent += char(s[j++].unicode());
            expZiffern = true;
        }
        if (expZiffern)
            zahl += exponent;
    }

    double wert = 0;
    const auto [ende, fehler] = std::from_chars(zahl.data(), zahl.data() + zahl.size(), wert);
    Q_UNUSED(ende);
    if (fehler == std::errc::result_out_of_range)
        wert = dezimalOrdnung(zahl) < 0 ? 0.0 : std::numeric_limits<double>::infinity();
    return negativ ? -wert : wert;
}

std::optional<double> regionaleZahl(const QString &text, const QLocale &locale)
{
    bool ok = false;
    const double wert = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(wert))
        return std::nullopt;
    return wert;
}

QString regionalerText(double wert, const QLocale &locale)
{
    QLocale ohneGruppen = locale;
    ohneGruppen.setNumberOptions(QLocale::OmitGroupSeparator);
    if (wert == 0)
        wert = 0; // no "-0"
    return ohneGruppen.toString(wert, 'g', 15);
}
