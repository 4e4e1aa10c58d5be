#pragma once

// What the fuzz targets share: a check that ends the run with the failing
// condition and the values that led to it, so that libFuzzer keeps the input
// and the log says what went wrong.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace pruefen {

[[noreturn]] inline void fehlschlag(const char *bedingung, const char *datei, int zeile,
                                    const QString &umstaende)
{
    std::fprintf(stderr, "\nVERLETZT: %s\n  bei %s:%d\n  %s\n", bedingung, datei, zeile,
                 umstaende.toUtf8().constData());
    std::abort();
}

// A text as the log shows it: quoted, with every character outside printable
// ASCII as \u{…}, so that blanks, line ends and look-alikes can be told apart.
inline QString zeige(const QString &text)
{
    QString aus = QStringLiteral("\"");
    for (QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f && c != u'\\' && c != u'"')
            aus += c;
        else
            aus += QStringLiteral("\\u{%1}").arg(c.unicode(), 0, 16);
    }
    return aus + u'"';
}

inline QString zeige(const QByteArray &bytes)
{
    return QStringLiteral("bytes(%1) %2")
        .arg(bytes.size())
        .arg(QString::fromLatin1(bytes.left(400).toPercentEncoding(" ,\"%")));
}

// The first byte of an input picks one of `n` variants. Counting from the
// digit '0' lets a seed file say which one it means in plain text.
inline unsigned waehle(uint8_t byte, unsigned n)
{
    return uint8_t(byte - '0') % n;
}

} // namespace pruefen

#define PRUEFE(bedingung, umstaende)                                                                         \
    do {                                                                                                     \
        if (!(bedingung))                                                                                    \
            ::pruefen::fehlschlag(#bedingung, __FILE__, __LINE__, (umstaende));                              \
    } while (0)
