// What the user waits for when the catalogue changes or a key is pressed:
// reading a 200-kind catalogue into the table and refilling the kind list,
// the whole rewrite, and one keystroke in the percentage field with the
// change events the percent rule sets off.
//
// Runs the real main window on Qt's offscreen platform, started from a
// directory of its own with a catalogue of 200 kinds.

#include "app/alk.h"
#include "app/frmalkohol.h"
#include "calc/prozentregel.h"
#include "catalogue/katalog.h"
#include "catalogue/katalogdatei.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// 200 kinds as a user might have them: names with umlauts and commas,
// percentages, amounts; about 6 kB on disk.
QByteArray katalog200()
{
    QStringEncoder enkoder("windows-1252");
    QByteArray daten;
    for (int i = 1; i <= SortenTabelle::Zeilen; ++i) {
        const QString zeile = QStringLiteral("\"%1 Nr. %2, Fass\",\"%3%\",\"%4\"")
                                  .arg(i % 3 ? QStringLiteral("Weißbier") : QStringLiteral("Kölsch"))
                                  .arg(i)
                                  .arg(i % 101)
                                  .arg(100 + 5 * i);
        daten += enkoder.encode(zeile);
        daten += "\r\n";
    }
    return daten;
}

struct Umgebung
{
    QTemporaryDir verzeichnis;
    std::unique_ptr<frmAlkohol> fenster;
    QByteArray daten = katalog200();

    Umgebung()
    {
        QFile f(verzeichnis.filePath(QStringLiteral("AlkoholSorten.txt")));
        if (!f.open(QIODevice::WriteOnly) || f.write(daten) != daten.size())
            qFatal("Katalog nicht geschrieben");
        f.close();
        fenster = std::make_unique<frmAlkohol>(verzeichnis.path());
        fenster->show();
        if (Alk::LetzteZeile != SortenTabelle::Zeilen)
            qFatal("Katalog nicht gelesen: %d Zeilen", Alk::LetzteZeile);
    }
};

Umgebung *umgebung = nullptr;

// --- Reading -----------------------------------------------------------------

// What start-up and both dialogs do: file into table, names into the list.
void BM_SortenEinlesen(benchmark::State &state)
{
    for (auto _ : state)
        Alk::SortenEinlesen();
    if (umgebung->fenster->Sorte->count() != SortenTabelle::Zeilen)
        state.SkipWithError("Liste nicht gefüllt");
}
BENCHMARK(BM_SortenEinlesen)->Unit(benchmark::kMicrosecond);

// Its parts: the file, the parse alone, the list alone.
void BM_KatalogDateiLesen(benchmark::State &state)
{
    SortenTabelle tabelle;
    const QString datei = katalogDatei();
    for (auto _ : state)
        benchmark::DoNotOptimize(katalogDateiLesen(datei, tabelle));
}
BENCHMARK(BM_KatalogDateiLesen)->Unit(benchmark::kMicrosecond);

void BM_KatalogLesenImSpeicher(benchmark::State &state)
{
    SortenTabelle tabelle;
    for (auto _ : state)
        benchmark::DoNotOptimize(katalogLesen(umgebung->daten, tabelle));
    state.SetBytesProcessed(int64_t(state.iterations()) * umgebung->daten.size());
}
BENCHMARK(BM_KatalogLesenImSpeicher)->Unit(benchmark::kMicrosecond);

void BM_SortenlisteFuellen(benchmark::State &state)
{
    QStringList namen;
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        namen.append(Alk::Sorten[z].Name);
    for (auto _ : state)
        fuelleSortenliste(umgebung->fenster->Sorte, namen);
}
BENCHMARK(BM_SortenlisteFuellen)->Unit(benchmark::kMicrosecond);

// --- Writing -----------------------------------------------------------------

// The whole rewrite as a dialog does it: the table to the file, replacing it.
void BM_KatalogSpeichern(benchmark::State &state)
{
    for (auto _ : state)
        if (!katalogSpeichern(nullptr))
            state.SkipWithError("Speichern fehlgeschlagen");
}
BENCHMARK(BM_KatalogSpeichern)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The file contents alone, without the file system.
void BM_KatalogDaten(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(katalogDaten(Alk::Sorten));
}
BENCHMARK(BM_KatalogDaten)->Unit(benchmark::kMicrosecond);

// A dialog's save from the user's side: write, then read back and refill.
void BM_SpeichernUndEinlesen(benchmark::State &state)
{
    for (auto _ : state) {
        katalogSpeichern(nullptr);
        Alk::SortenEinlesen();
    }
}
BENCHMARK(BM_SpeichernUndEinlesen)->Unit(benchmark::kMicrosecond)->UseRealTime();

// --- One keystroke -----------------------------------------------------------

struct Tastendruck
{
    const char *name;
    const char *vorher;
    int caret;
    char taste;
    const char *nachher;
};

// Each the field before, where the caret stands, the key, and where the
// field comes to rest (with the runs of the rule it takes).
const Tastendruck Faelle[] = {
    {"45%: angenommen, 1 Lauf", "4%", 1, '5', "45%"},
    {"7 -> 7%: %-Zeichen angehängt, 2 Läufe", "", 0, '7', "7%"},
    {"%5 -> leer: Rückfall, 2 Läufe", "%", 1, '5', ""},
    {"123% -> leer: über 100, 2 Läufe", "12%", 2, '3', ""},
    {"05% -> leer: führende Null, 2 Läufe", "0%", 0, '0', ""},
};

void BM_Tastendruck(benchmark::State &state)
{
    const Tastendruck &fall = Faelle[state.range(0)];
    QLineEdit *feld = umgebung->fenster->Prozent;
    state.SetLabel(fall.name);
    feld->setFocus();
    for (auto _ : state) {
        state.PauseTiming();
        {
            // The state before the key, set as it was left, not as a new edit:
            // "%" exists only as the field's text at start-up.
            const QSignalBlocker still(feld);
            feld->setText(QString::fromUtf8(fall.vorher));
            feld->setCursorPosition(fall.caret);
        }
        state.ResumeTiming();
        QTest::keyClick(feld, fall.taste);
    }
    if (feld->text() != QString::fromUtf8(fall.nachher))
        state.SkipWithError(qPrintable(QStringLiteral("Feld endet als \"%1\"").arg(feld->text())));
}
BENCHMARK(BM_Tastendruck)->DenseRange(0, int(std::size(Faelle)) - 1)->Unit(benchmark::kMicrosecond);

// The rule alone on a model field, without the widget and key event.
void BM_ProzentRuhelage(benchmark::State &state)
{
    const Tastendruck &fall = Faelle[state.range(0)];
    QString text = QString::fromUtf8(fall.vorher);
    text.insert(fall.caret, QLatin1Char(fall.taste));
    state.SetLabel(fall.name);
    for (auto _ : state)
        benchmark::DoNotOptimize(prozentRuhelage(text, QString()));
}
BENCHMARK(BM_ProzentRuhelage)->DenseRange(0, int(std::size(Faelle)) - 1)->Unit(benchmark::kNanosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Umgebung u;
    umgebung = &u;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    umgebung = nullptr;
    return 0;
}
