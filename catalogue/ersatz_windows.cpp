// The catalogue's replacement on Windows: ReplaceFile puts the new file in
// the old one's place and gives it the old one's ACL, attributes and streams,
// which a rename would lose.
#include "catalogue/ersatz.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <io.h>
#include <windows.h>

namespace {

QString windowsgrund(DWORD fehler)
{
    switch (fehler) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return QStringLiteral("Es fehlt die Berechtigung, die Datei zu ersetzen, oder ein anderes "
                              "Programm hält sie offen.");
    case ERROR_WRITE_PROTECT:
        return grundNurLesbar();
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return grundDatentraegerVoll();
    case ERROR_PATH_NOT_FOUND:
        return grundVerzeichnisFehlt();
    default:
        return QStringLiteral("Die neue Datei konnte nicht an die Stelle der alten treten (Fehler %1).")
            .arg(fehler);
    }
}

QString schreibgrund(const QFileDevice &datei, const QString &pfad)
{
    if (!QFileInfo::exists(QFileInfo(pfad).absolutePath()))
        return grundVerzeichnisFehlt();
    return datei.error() == QFileDevice::ResourceError || datei.error() == QFileDevice::WriteError
        ? grundDatentraegerVoll()
        : QStringLiteral("Die Datei konnte nicht geschrieben werden: %1.").arg(datei.errorString());
}

// A first catalogue has nothing to carry over.
std::optional<QString> neuAnlegen(const QString &pfad, const QByteArray &daten)
{
    QSaveFile datei(pfad);
    const bool ok = datei.open(QIODevice::WriteOnly) && datei.write(daten) == daten.size() && datei.flush()
        && datei.commit();
    if (ok)
        return std::nullopt;
    datei.cancelWriting();
    return schreibgrund(datei, pfad);
}

} // namespace

std::optional<QString> dateiErsetzen(const Dateiziel &ziel, const QByteArray &daten)
{
    if (!ziel.vorhanden)
        return neuAnlegen(ziel.pfad, daten);
    QTemporaryFile neu(ziel.pfad + QStringLiteral(".XXXXXX"));
    bool ok = neu.open() && neu.write(daten) == daten.size() && neu.flush();
    if (ok)
        ok = FlushFileBuffers(HANDLE(_get_osfhandle(neu.handle())));
    if (!ok)
        return schreibgrund(neu, ziel.pfad);
    neu.close();
    const std::wstring alt = QDir::toNativeSeparators(ziel.pfad).toStdWString();
    const std::wstring ersatz = QDir::toNativeSeparators(neu.fileName()).toStdWString();
    if (ReplaceFileW(alt.c_str(), ersatz.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
        neu.setAutoRemove(false); // it has become the catalogue
        return std::nullopt;
    }
    const DWORD fehler = GetLastError();
    // Without a backup name this error means the old file is gone already:
    // the new one must take its place rather than be thrown away.
    if (fehler == ERROR_UNABLE_TO_MOVE_REPLACEMENT
        && MoveFileExW(ersatz.c_str(), alt.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        neu.setAutoRemove(false);
        return std::nullopt;
    }
    return windowsgrund(fehler);
}
