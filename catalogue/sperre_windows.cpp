// The catalogue's lock on Windows: LockFileEx on a file that is no
// directory and no reparse point, opened without following one.
#include "catalogue/sperre.h"

#include "catalogue/dateizugang.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <windows.h>

namespace {

QString nichtZuSperren(const QString &pfad, const QString &was)
{
    return QStringLiteral("Unter dem Namen „%1“, den das Programm neben der Sortendatei für seine "
                          "Sperre braucht, steht %2. Bitte entfernen Sie, was dort steht; danach lässt "
                          "sich wieder speichern.")
        .arg(QFileInfo(pfad).fileName(), was);
}

HANDLE sperrdateiOeffnen(const QString &pfad, std::optional<QString> &grund)
{
    const std::wstring name = QDir::toNativeSeparators(pfad).toStdWString();
    const DWORD art = GetFileAttributesW(name.c_str());
    if (art != INVALID_FILE_ATTRIBUTES && (art & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        grund = nichtZuSperren(pfad,
                               art & FILE_ATTRIBUTE_DIRECTORY ? QStringLiteral("ein Verzeichnis")
                                                              : QStringLiteral("eine Verknüpfung"));
        return INVALID_HANDLE_VALUE;
    }
    const HANDLE handle =
        CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD fehler = GetLastError();
        grund = fehler == ERROR_ACCESS_DENIED ? grundVerzeichnisGeschuetzt()
            : fehler == ERROR_WRITE_PROTECT   ? grundNurLesbar()
            : fehler == ERROR_PATH_NOT_FOUND
            ? grundVerzeichnisFehlt()
            : QStringLiteral("Die Sperrdatei lässt sich nicht öffnen (Fehler %1).").arg(fehler);
        return INVALID_HANDLE_VALUE;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info)
        || (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        CloseHandle(handle);
        grund = nichtZuSperren(pfad, QStringLiteral("keine gewöhnliche Datei"));
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

} // namespace

Katalogsperre::~Katalogsperre()
{
    if (m_handle != -1)
        CloseHandle(HANDLE(m_handle)); // releases the lock
}

std::optional<QString> Katalogsperre::nehmen(const QString &pfad, int wartezeitMs)
{
    std::optional<QString> grund;
    const HANDLE handle = sperrdateiOeffnen(pfad, grund);
    if (handle == INVALID_HANDLE_VALUE)
        return grund;
    QElapsedTimer uhr;
    uhr.start();
    for (;;) {
        OVERLAPPED bereich{};
        if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &bereich)) {
            m_handle = qintptr(handle);
            return std::nullopt;
        }
        const DWORD fehler = GetLastError();
        if (fehler != ERROR_LOCK_VIOLATION || uhr.elapsed() >= wartezeitMs) {
            CloseHandle(handle);
            return fehler == ERROR_LOCK_VIOLATION
                ? grundSperreBelegt()
                : QStringLiteral("Die Sortendatei lässt sich nicht sperren (Fehler %1).").arg(fehler);
        }
        Sleep(10);
    }
}
