#include "catalogue/ordnerrechte.h"

#include <QFileInfo>

// Qt reads NTFS owners and access lists only while this is raised.
extern Q_CORE_EXPORT int qt_ntfs_permission_lookup;

namespace {

struct NtfsRechte
{
    NtfsRechte() { ++qt_ntfs_permission_lookup; }
    ~NtfsRechte() { --qt_ntfs_permission_lookup; }
};

} // namespace

bool ordnerGehoertMir(const QString &ordner)
{
    const NtfsRechte rechte;
    const QString besitzer = QFileInfo(ordner).owner();
    return besitzer.isEmpty() || besitzer.compare(qEnvironmentVariable("USERNAME"), Qt::CaseInsensitive) == 0;
}

bool systemordner(const QString &ordner)
{
    // "Program Files" is protected by its access list, which
    // ordnerBeschreibbar already asks.
    Q_UNUSED(ordner);
    return false;
}

bool ordnerBeschreibbar(const QString &ordner)
{
    const NtfsRechte rechte;
    const QFileInfo info(ordner);
    return !info.exists() || info.isWritable();
}
