// The catalogue file is shared: other copies of the program and text editors
// may change it while this one runs, and its name may not be a plain file at
// all. A save therefore takes a lock that every copy respects, reads the file
// again when its bytes differ from those the table was read from, applies the
// one change the user made to what is there now, and replaces the file whole
// through a new file that takes over everything the old one carries: owner,
// group, mode, ACL and user attributes. The lock is the system's advisory lock
// on an empty file beside the catalogue; it dies with its holder, so nothing
// is ever read from that file, and nothing but a regular file at its name is
// ever opened. Everything is reached through the folder the program started
// in, whatever was renamed or made since. Only regular files are read or
// replaced, read without blocking and up to a bound; anything else leaves an
// empty list and refuses every save, naming why.
#include "catalogue/katalog.h"

#include "catalogue/dateizugang.h"
#include "catalogue/ersatz.h"
#include "catalogue/sperre.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

constexpr char Kodierung[] = "windows-1252";

Sortenzeile &zeileVon(std::array<Sortenzeile, SortenTabelle::Zeilen> &zeilen, int zeile)
{
    Q_ASSERT(zeile >= 1 && zeile <= SortenTabelle::Zeilen);
    return zeilen[size_t(zeile - 1)];
}

bool istLeerzeichen(char c)
{
    return c == ' ' || c == '\t';
}

// Splits one line (without its line end) into up to three fields.
std::array<QByteArray, 3> felderDerZeile(const QByteArray &zeile)
{
    std::array<QByteArray, 3> felder;
    const int n = zeile.size();
    int pos = 0;
    for (auto &feld : felder) {
        while (pos < n && istLeerzeichen(zeile[pos]))
            ++pos;
        if (pos >= n)
            break;
        if (zeile[pos] == '"') {
            const int ende = zeile.indexOf('"', pos + 1);
            if (ende < 0) {
                // A field cut short: everything up to the end of the line.
                feld = zeile.mid(pos + 1);
                pos = n;
            } else {
                feld = zeile.mid(pos + 1, ende - pos - 1);
                pos = ende + 1;
                // Whatever stands between the closing quote and the comma is
                // not part of any field.
                const int komma = zeile.indexOf(',', pos);
                pos = komma < 0 ? n : komma + 1;
            }
        } else {
            const int komma = zeile.indexOf(',', pos);
            const int ende = komma < 0 ? n : komma;
            feld = zeile.mid(pos, ende - pos).trimmed();
            // A quote cannot be written back into a field; drop stray ones so
            // that what is read is always what a rewrite reproduces.
            feld.replace('"', QByteArray());
            pos = komma < 0 ? n : komma + 1;
        }
    }
    return felder;
}

bool istLeerzeile(const QByteArray &zeile)
{
    for (char c : zeile)
        if (!istLeerzeichen(c))
            return false;
    return true;
}

// Windows-1252 is Latin-1 but for the bytes 0x80 to 0x9F. Qt decodes
// Latin-1 itself and Windows-1252 through ICU, whose converter costs about
// 1 MB of memory at start-up; a file without those bytes reads the same
// either way.
bool wieLatin1(const QByteArray &daten)
{
    for (char c : daten)
        if (uchar(c) >= 0x80 && uchar(c) <= 0x9f)
            return false;
    return true;
}

} // namespace

Sortenzeile &SortenTabelle::operator[](int zeile)
{
    return zeileVon(m_zeilen, zeile);
}

const Sortenzeile &SortenTabelle::operator[](int zeile) const
{
    return zeileVon(const_cast<std::array<Sortenzeile, Zeilen> &>(m_zeilen), zeile);
}

int katalogLesen(const QByteArray &daten, SortenTabelle &tabelle)
{
    QStringDecoder dekoder =
        wieLatin1(daten) ? QStringDecoder(QStringDecoder::Latin1) : QStringDecoder(Kodierung);
    int anzahl = 0;
    tabelle.ueberhang.clear();

    const int n = daten.size();
    int pos = 0;
    while (pos < n) {
        int ende = pos;
        while (ende < n && daten[ende] != '\r' && daten[ende] != '\n')
            ++ende;
        const QByteArray zeile = daten.mid(pos, ende - pos);
        const int zeilenAnfang = pos;
        pos = ende;
        if (pos < n && daten[pos] == '\r')
            ++pos;
        if (pos < n && daten[pos] == '\n' && (pos == ende || daten[pos - 1] == '\r'))
            ++pos;

        if (istLeerzeile(zeile))
            continue;
        if (anzahl == SortenTabelle::Zeilen) {
            tabelle.ueberhang = daten.mid(zeilenAnfang);
            if (!tabelle.ueberhang.endsWith('\n') && !tabelle.ueberhang.endsWith('\r'))
                tabelle.ueberhang.append("\r\n");
            break;
        }
        const auto felder = felderDerZeile(zeile);
        Sortenzeile &sorte = tabelle[++anzahl];
        sorte.Name = dekoder.decode(felder[0]);
        sorte.Prozent = dekoder.decode(felder[1]);
        sorte.Menge = dekoder.decode(felder[2]);
    }

    for (int z = anzahl + 1; z <= SortenTabelle::Zeilen; ++z)
        tabelle[z] = Sortenzeile{};
    return anzahl;
}

QByteArray katalogDaten(const SortenTabelle &tabelle)
{
    QStringEncoder enkoder(Kodierung);
    QByteArray daten;
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z) {
        const Sortenzeile &s = tabelle[z];
        if (!s.gefuellt())
            continue;
        daten += '"';
        daten += enkoder.encode(s.Name);
        daten += "\",\"";
        daten += enkoder.encode(s.Prozent);
        daten += "\",\"";
        daten += enkoder.encode(s.Menge);
        daten += "\"\r\n";
    }
    daten += tabelle.ueberhang;
    return daten;
}

namespace {

// A double quote or a line break would end the field or the record early.
std::optional<QChar> trennzeichen(const QString &text)
{
    for (QChar c : text)
        if (c == u'"' || c == u'\r' || c == u'\n')
            return c;
    return std::nullopt;
}

// Once the encoder has met a character Windows-1252 cannot hold, its error
// flag stays set for every later text.
bool kodierbar(QStringEncoder &enkoder, const QString &text)
{
    const QByteArray bytes = enkoder(text); // it converts lazily: take the bytes
    Q_UNUSED(bytes);
    return !enkoder.hasError();
}

} // namespace

std::optional<QChar> nichtSpeicherbaresZeichen(const QString &text)
{
    if (const auto c = trennzeichen(text))
        return c;
    QStringEncoder enkoder(Kodierung);
    if (kodierbar(enkoder, text))
        return std::nullopt;
    // Find the culprit one character at a time; only on this rare path.
    for (int i = 0; i < text.size(); ++i) {
        const int laenge = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QStringEncoder einzeln(Kodierung);
        if (!kodierbar(einzeln, text.mid(i, laenge)))
            return text[i];
        i += laenge - 1;
    }
    return text.isEmpty() ? std::nullopt : std::optional<QChar>(text[0]);
}

std::optional<QChar> nichtSpeicherbaresZeichen(const SortenTabelle &tabelle)
{
    // One encoder for the whole table: opening a converter costs more than
    // encoding a field. The first field it fails on is the one to look into.
    QStringEncoder enkoder(Kodierung);
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z) {
        const Sortenzeile &s = tabelle[z];
        if (!s.gefuellt())
            continue;
        for (const QString *feld : {&s.Name, &s.Prozent, &s.Menge}) {
            if (const auto c = trennzeichen(*feld))
                return c;
            if (!kodierbar(enkoder, *feld))
                return nichtSpeicherbaresZeichen(*feld);
        }
    }
    return std::nullopt;
}

QString zeichenMeldung(QChar zeichen)
{
    if (zeichen == u'"')
        return QStringLiteral("Das Zeichen \" (Anführungszeichen) kann nicht in der Sortendatei "
                              "gespeichert werden. Bitte entfernen Sie es.");
    if (zeichen == u'\r' || zeichen == u'\n')
        return QStringLiteral("Ein Zeilenumbruch kann nicht in der Sortendatei gespeichert "
                              "werden. Bitte entfernen Sie ihn.");
    return QStringLiteral("Das Zeichen „%1“ (U+%2) kann nicht in der Sortendatei gespeichert "
                          "werden. Bitte entfernen oder ersetzen Sie es.")
        .arg(zeichen.isSurrogate() ? QStringLiteral("?") : QString(zeichen))
        .arg(zeichen.unicode(), 4, 16, QLatin1Char('0'));
}

QString nichtGespeichert(const QString &datei, const QString &grund)
{
    return QStringLiteral("Die Sortendatei konnte nicht gespeichert werden:\n%1\n\n%2\n\n"
                          "Die bisherige Datei ist unverändert geblieben.")
        .arg(anzeigename(datei), grund);
}

namespace {

QString nichtGelesen(const QString &datei, const QString &grund)
{
    return QStringLiteral("Die Sortendatei konnte nicht gelesen werden:\n%1\n\n%2\n\n"
                          "Damit keine Sorten verloren gehen, wird sie nicht überschrieben.")
        .arg(anzeigename(datei),
             grund.isEmpty() ? QStringLiteral("Bitte prüfen Sie die Berechtigungen der Datei.") : grund);
}

// A save takes well under a millisecond; a lock held this long belongs to
// a copy of the program that hangs, and the user may try again.
constexpr int SperreWartezeitMs = 3000;

} // namespace

std::optional<QString> katalogDateiSchreiben(const QString &datei, const SortenTabelle &tabelle)
{
    if (tabelle.dateiUnlesbar)
        return nichtGelesen(datei, tabelle.unlesbarGrund);
    if (const auto c = nichtSpeicherbaresZeichen(tabelle))
        return zeichenMeldung(*c);

    const Dateiziel ziel = dateiziel(datei);
    if (ziel.verweigert)
        return nichtGespeichert(datei, *ziel.verweigert);
    // Root may write a file whose owner took away the write permission; the
    // owner's word counts for the program all the same.
    if (ziel.schreibgeschuetzt)
        return nichtGespeichert(datei, grundDateiGeschuetzt());

    const QByteArray daten = katalogDaten(tabelle);
    if (daten.size() > KatalogHoechstgroesse)
        return nichtGespeichert(
            datei,
            QStringLiteral("Der Sortenkatalog würde größer als %1 MiB und ließe sich danach nicht "
                           "mehr lesen. Bitte kürzen Sie die Texte.")
                .arg(KatalogHoechstgroesse / (1024 * 1024)));

    dateigrenzeOhneSignal();
    if (const auto grund = dateiErsetzen(ziel, daten))
        return nichtGespeichert(datei, *grund);
    return std::nullopt;
}

Katalogergebnis katalogAendern(const QString &datei, SortenTabelle &tabelle,
                               const Katalogaenderung &aenderung)
{
    if (datei.isEmpty())
        return {0,
                QStringLiteral("Das Verzeichnis des Programms lässt sich nicht bestimmen, und damit auch "
                               "nicht, wo die Sortendatei steht. Es wurde nichts gespeichert.")};

    // The lock stands beside the file that is really written, so that copies
    // reaching it through different links still meet there.
    const Dateiziel ziel = dateiziel(datei);
    if (ziel.verweigert)
        return {0, nichtGespeichert(datei, *ziel.verweigert)};
    Katalogsperre sperre;
    if (const auto grund = sperre.nehmen(ziel.pfad + QStringLiteral(".lock"), SperreWartezeitMs))
        return {0, nichtGespeichert(datei, *grund)};

    const Dateiinhalt jetzt = dateiLesen(datei);
    if (jetzt.fehler)
        return {0, nichtGelesen(datei, *jetzt.fehler)};
    const bool neuGelesen = tabelle.dateiUnlesbar || jetzt.daten != tabelle.gelesen;
    if (neuGelesen) {
        katalogLesen(jetzt.daten, tabelle);
        tabelle.gelesen = jetzt.daten;
        tabelle.dateiUnlesbar = false;
        tabelle.unlesbarGrund.clear();
    }
    const Katalogergebnis ergebnis = aenderung(tabelle, neuGelesen);
    if (ergebnis.fehler)
        return ergebnis;
    if (const auto fehler = katalogDateiSchreiben(datei, tabelle))
        return {0, fehler};
    tabelle.gelesen = katalogDaten(tabelle);
    return ergebnis;
}

Lesestand katalogDateiLesen(const QString &datei, SortenTabelle &tabelle, int *anzahl)
{
    Dateiinhalt inhalt;
    if (datei.isEmpty())
        inhalt = {true, QByteArray(),
                  QStringLiteral("Das Verzeichnis des Programms lässt sich nicht bestimmen.")};
    else
        inhalt = dateiLesen(datei);
    const Lesestand stand = inhalt.fehler ? Lesestand::Unlesbar
        : inhalt.vorhanden                ? Lesestand::Gelesen
                                          : Lesestand::Fehlt;
    const int n = katalogLesen(inhalt.daten, tabelle);
    tabelle.gelesen = inhalt.daten;
    tabelle.dateiUnlesbar = stand == Lesestand::Unlesbar;
    tabelle.unlesbarGrund = inhalt.fehler.value_or(QString());
    if (anzahl)
        *anzahl = n;
    return stand;
}

int sorteFinden(const SortenTabelle &tabelle, const QString &name, Suchregel regel)
{
    int gefunden = 0;
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z) {
        if (regel == Suchregel::BisZurLuecke && !tabelle[z].gefuellt())
            break;
        if (tabelle[z].Name == name)
            gefunden = z;
    }
    return gefunden;
}

int letzteZeile(const SortenTabelle &tabelle)
{
    for (int z = SortenTabelle::Zeilen; z >= 1; --z)
        if (tabelle[z].gefuellt())
            return z;
    return 0;
}

QStringList sortenNamen(const SortenTabelle &tabelle)
{
    QStringList namen;
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        if (tabelle[z].gefuellt())
            namen.append(tabelle[z].Name);
    return namen;
}

int sorteAnfuegen(SortenTabelle &tabelle, int letzte, const Sortenzeile &neu)
{
    if (letzte < 0 || letzte >= SortenTabelle::Zeilen)
        return 0;
    tabelle[letzte + 1] = neu;
    return letzte + 1;
}

int geladeneZeile(const SortenTabelle &tabelle, int zeile, const Sortenzeile &geladen)
{
    if (zeile >= 1 && zeile <= SortenTabelle::Zeilen && tabelle[zeile] == geladen)
        return zeile;
    int gefunden = 0;
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        if (tabelle[z] == geladen)
            gefunden = z;
    return gefunden;
}
