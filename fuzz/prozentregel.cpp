// The percent rule's outcome. After every edit of a percentage field, once
// the rule and the runs its own writes set off have come to rest, the field
// holds an accepted numeral followed by "%" or the field's reset value, and
// exactly the one the rule's table names for the text the edit left.
//
// Input: the first byte picks the field (counted from '0': even = main
// window, reset ""; odd = add dialog, reset "%") and how the rest is used:
// '0'/'1' the rest is one text written into the field; '2'/'3' the rest is a
// sequence of keystrokes on a field that starts as "%", as both fields do.

#include "calc/prozentregel.h"
#include "fuzz/check.h"

using pruefen::zeige;

namespace {

// A text field whose change event runs the rule at once, inside the write,
// and not at all when the same text is written again, as the real fields
// do. It counts how deep the runs nest and how often the rule writes.
class Feld : public Textfeld
{
public:
    QString inhalt;
    QString rueckfall;
    int tiefe = 0;
    int tiefsteVerschachtelung = 0;
    int schreibvorgaenge = 0;

    QString text() const override { return inhalt; }
    void setText(const QString &neu) override
    {
        ++schreibvorgaenge;
        PRUEFE(schreibvorgaenge <= 8, QStringLiteral("kommt nicht zur Ruhe: ") + zeige(neu));
        if (neu == inhalt)
            return;
        inhalt = neu;
        aenderung();
    }

    // The change event: one run of the rule.
    void aenderung()
    {
        ++tiefe;
        tiefsteVerschachtelung = qMax(tiefsteVerschachtelung, tiefe);
        prozentRegel(*this, rueckfall);
        --tiefe;
    }

    // The user's edit left `neu` in the field.
    void bearbeitet(const QString &neu)
    {
        if (neu == inhalt)
            return;
        inhalt = neu;
        schreibvorgaenge = 0;
        tiefsteVerschachtelung = 0;
        aenderung();
    }
};

// The text the rule's table names for an edit that left `text`.
QString erwartet(const QString &text, const QString &rueckfall)
{
    if (text.endsWith(u'%') && istProzentZahl(text.chopped(1)))
        return text;
    if (istProzentZahl(text))
        return text + u'%';
    return rueckfall;
}

void pruefeEdit(Feld &feld, const QString &vorher, const QString &nachEdit)
{
    feld.bearbeitet(nachEdit);
    const QString soll = erwartet(nachEdit, feld.rueckfall);
    PRUEFE(feld.inhalt == soll,
           QStringLiteral("%1 → %2 wurde %3, erwartet %4 (Rückfall %5)")
               .arg(zeige(vorher), zeige(nachEdit), zeige(feld.inhalt), zeige(soll), zeige(feld.rueckfall)));
    PRUEFE(feld.tiefsteVerschachtelung <= 3,
           zeige(nachEdit) + QStringLiteral(" Tiefe %1").arg(feld.tiefsteVerschachtelung));
    // An accepted text is left alone: no write, so the caret stays put.
    if (soll == nachEdit && nachEdit != feld.rueckfall)
        PRUEFE(feld.schreibvorgaenge == 0, zeige(nachEdit));
    PRUEFE(prozentRuhelage(nachEdit, feld.rueckfall) == soll, zeige(nachEdit));
}

// Characters a user is likely to type into a percentage field, and a few
// that are not.
const char16_t Tasten[] = u"0123456789%%.,-+ 0x\t1e05ä€";
constexpr int AnzahlTasten = int(sizeof(Tasten) / sizeof(Tasten[0])) - 1;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t groesse)
{
    if (groesse < 1)
        return 0;
    const unsigned wahl = pruefen::waehle(daten[0], 4);
    Feld feld;
    feld.rueckfall = wahl % 2 ? QStringLiteral("%") : QString();

    if (wahl < 2) {
        const QString text =
            QString::fromUtf8(reinterpret_cast<const char *>(daten + 1), qsizetype(groesse - 1));
        feld.inhalt = text == QStringLiteral("%") ? QStringLiteral("7%") : QStringLiteral("%");
        pruefeEdit(feld, feld.inhalt, text);
        return 0;
    }

    // Keystrokes: the caret moves as in a line edit, and a text the program
    // writes puts it at the end.
    feld.inhalt = QStringLiteral("%");
    int caret = 1;
    for (size_t i = 1; i < groesse; ++i) {
        const uint8_t b = daten[i];
        const uint8_t arg = i + 1 < groesse ? daten[i + 1] : 0;
        QString neu = feld.inhalt;
        switch (b % 8) {
        case 0:
        case 1:
        case 2:
        case 3: // type a character
            neu.insert(caret, QChar(Tasten[(b / 8) % AnzahlTasten]));
            ++caret;
            break;
        case 4: // backspace
            if (caret > 0)
                neu.remove(--caret, 1);
            break;
        case 5: // delete
            neu.remove(caret, 1);
            break;
        case 6: // move the caret: home, end, left, right
            caret = (b / 8) % 4 == 0 ? 0
                : (b / 8) % 4 == 1   ? int(neu.size())
                                     : caret + ((b / 8) % 4 == 2 ? -1 : 1);
            caret = qBound(0, caret, int(neu.size()));
            continue;
        case 7: // select all and paste up to eight of the following bytes
        {
            const size_t rest = groesse > i + 2 ? groesse - i - 2 : 0;
            const int laenge = int(qMin<size_t>(arg % 9, rest));
            neu = QString::fromUtf8(reinterpret_cast<const char *>(daten + i + 2), laenge);
            i += size_t(laenge) + 1;
            caret = int(neu.size());
            break;
        }
        }
        const QString vorher = feld.inhalt;
        if (neu == vorher)
            continue;
        pruefeEdit(feld, vorher, neu);
        if (feld.inhalt != neu)
            caret = int(feld.inhalt.size());
        caret = qBound(0, caret, int(feld.inhalt.size()));
    }
    return 0;
}
