#pragma once

#include "catalogue/dateizugang.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Puts `daten` in the place of the file `ziel` names, whole or not at all:
// the new contents go into a new file beside the old one, which takes over
// everything the old one carries (owner, group, mode, access control list,
// extended attributes) and only then takes its place. A hard link to the old
// file keeps the old contents. On failure the German reason; the old file is
// then as it was, and nothing new is left beside it.
std::optional<QString> dateiErsetzen(const Dateiziel &ziel, const QByteArray &daten);
