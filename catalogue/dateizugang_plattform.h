#pragma once

#include "catalogue/dateizugang.h"

// What dateizugang.cpp shares with the file of its platform
// (dateizugang_posix.cpp or dateizugang_windows.cpp), which defines the
// functions of dateizugang.h that only that platform can answer.

// The folder with a directory separator at its end; empty stays empty.
QString mitTrenner(QString ordner);

// The message for a file larger than KatalogHoechstgroesse.
QString zuGross();

// Reads the file that dateiziel accepted at `pfad` into `inhalt`, at most
// one byte past KatalogHoechstgroesse; a file gone meanwhile clears
// `inhalt.vorhanden`.
void zielLesen(const QString &pfad, Dateiinhalt &inhalt);
