#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

// The catalogue of drink kinds: a table of 200 rows, numbered 1 to 200, and its
// text file. One line per kind: "name","percent","amount" followed by CR LF,
// one byte per character in Windows-1252, no header. The fields are texts; the
// table converts nothing to a number.

struct Sortenzeile
{
    QString Name;
    QString Prozent;
    QString Menge;

    bool gefuellt() const { return !Name.isEmpty(); }
    bool operator==(const Sortenzeile &o) const
    {
        return Name == o.Name && Prozent == o.Prozent && Menge == o.Menge;
    }
    bool operator!=(const Sortenzeile &o) const { return !(*this == o); }
};

class SortenTabelle
{
public:
    static constexpr int Zeilen = 200;

    // Rows count from 1; a row outside 1..200 is a programming error.
    Sortenzeile &operator[](int zeile);
    const Sortenzeile &operator[](int zeile) const;

    // Lines of the file that did not fit into the 200 rows. They are written
    // back unchanged after the table, so a rewrite never drops a kind the
    // table had no room for; once rows free up, the next read takes them in.
    QByteArray ueberhang;

    // Set when the last read found a file it could not read. Writing the table
    // would then replace kinds it never saw, so writes are refused until a
    // read succeeds.
    bool dateiUnlesbar = false;
    // Why, in German, for the message that refuses the write.
    QString unlesbarGrund;

    // The file's bytes as the table was last read from them (empty for a
    // missing file). A save compares them with the file as it is now to
    // see whether another program or window has changed it meanwhile.
    QByteArray gelesen;

private:
    std::array<Sortenzeile, Zeilen> m_zeilen;
};

// How a kind is looked up by its name. Names compare as whole texts, case
// and blanks counting; an empty name matches an empty text.
enum class Suchregel {
    BisZurLuecke, // ends at the first row without a name (choosing a kind, the refresh after an edit)
    GanzeTabelle, // compares every row, empty ones too (filling the edit dialog)
};

// The last row named `name` under `regel`; 0 when none is.
int sorteFinden(const SortenTabelle &tabelle, const QString &name, Suchregel regel);

// The highest filled row; 0 when no row is filled.
int letzteZeile(const SortenTabelle &tabelle);

// The names of the filled rows, in row order: what the kind list shows.
QStringList sortenNamen(const SortenTabelle &tabelle);

// Puts `neu` into the row after `letzte` and returns that row; 0 (and the
// table unchanged) when `letzte` is the table's last row.
int sorteAnfuegen(SortenTabelle &tabelle, int letzte, const Sortenzeile &neu);

// The row that holds the kind `geladen` now: `zeile` while it still does,
// else the last row equal to it in all three fields (the catalogue was read
// again and rows moved up); 0 when none is.
int geladeneZeile(const SortenTabelle &tabelle, int zeile, const Sortenzeile &geladen);

// Reads file contents into the table: records into rows 1 to n in file order,
// the remaining rows emptied, lines past the 200th kept in `ueberhang`.
// Returns n. Never fails: a field without quotes is taken as it stands
// (without surrounding blanks), a missing field is empty, and blank lines
// are skipped. CR LF, LF alone and CR alone all end a line.
int katalogLesen(const QByteArray &daten, SortenTabelle &tabelle);

// The file contents for the table: one line per row whose name is not empty,
// in row order, then the kept-over lines. Call only for a table whose fields
// pass `nichtSpeicherbaresZeichen`.
QByteArray katalogDaten(const SortenTabelle &tabelle);

// The first character of a text that a catalogue line cannot hold: a double
// quote (the format has no escape for it), a line break, or a character that
// Windows-1252 has no byte for.
std::optional<QChar> nichtSpeicherbaresZeichen(const QString &text);

// The message that refuses such a character, naming it.
QString zeichenMeldung(QChar zeichen);

// The message of a save that did not happen: the file as a person reads its
// name, and the German reason.
QString nichtGespeichert(const QString &datei, const QString &grund);

// The first character of a table's fields that the file cannot hold.
std::optional<QChar> nichtSpeicherbaresZeichen(const SortenTabelle &tabelle);

// Replaces the file with the table's contents. The old file is replaced only
// once the new one has been written completely, so a failed write leaves it
// as it was; the new one keeps the old one's owner, group, mode, ACL and user
// attributes, and a save that could not keep them is refused. Only a
// regular file (or a link to one that may be followed) is replaced, and
// none that would grow past what the reader takes. On failure returns a
// German message for the user naming the file and the reason.
std::optional<QString> katalogDateiSchreiben(const QString &datei, const SortenTabelle &tabelle);

// What a change to the catalogue came to: the row it wrote (0 for none), or
// the German message why nothing was saved.
struct Katalogergebnis
{
    int zeile = 0;
    std::optional<QString> fehler;
};

// One user's change to the catalogue: applied to the table as the file holds
// it at the moment of the save. `neuGelesen` tells that the table was just
// read again because the file had changed since it was last read.
using Katalogaenderung = std::function<Katalogergebnis(SortenTabelle &tabelle, bool neuGelesen)>;

// A save that loses no one else's change: under a lock that every copy of
// the program takes (waiting up to 3 s for another copy), reads the file
// again if it is no longer what the table was read from, applies `aenderung`
// and writes the table. Returns the row the change wrote; on failure (the
// lock, the read, the change or the write) the message, the file unchanged.
Katalogergebnis katalogAendern(const QString &datei, SortenTabelle &tabelle,
                               const Katalogaenderung &aenderung);

// Result of reading the file from disk.
enum class Lesestand {
    Gelesen,  // the file was read (possibly empty)
    Fehlt,    // there is no file: an empty catalogue
    Unlesbar, // a file is there but could not be read
};

// Reads the file into the table (an empty table when it is missing or cannot
// be read) and returns how that went and, through `anzahl`, how many records
// were read.
Lesestand katalogDateiLesen(const QString &datei, SortenTabelle &tabelle, int *anzahl = nullptr);
