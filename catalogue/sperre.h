#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The lock every copy of the program takes before it changes the catalogue:
// an advisory lock of the operating system on the file beside the catalogue
// whose name ends in ".lock". The system drops it when its holder ends, however
// it ends, so a copy that was killed never stands in the way; the file itself
// means nothing, stays empty and is never read. It is left in place after a
// save: removing it while another copy waits on it would let a third copy lock
// a new file of the same name at the same time.
class Katalogsperre
{
public:
    Katalogsperre() = default;
    ~Katalogsperre();
    Katalogsperre(const Katalogsperre &) = delete;
    Katalogsperre &operator=(const Katalogsperre &) = delete;

    // Takes the lock on the file `pfad`, made empty where none is, waiting up
    // to `wartezeitMs` while another copy holds it. Only a regular file is
    // locked; whatever else stands at the name is neither waited on nor read,
    // and named in the German reason returned on failure.
    std::optional<QString> nehmen(const QString &pfad, int wartezeitMs);

private:
    qintptr m_handle = -1;
};
