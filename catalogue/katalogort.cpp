#include "catalogue/katalogort.h"

#include <QDir>

Katalogwahl katalogWahl(const Katalogumstaende &umstaende)
{
    if (!umstaende.systemordner && (umstaende.ordnerBeschreibbar || umstaende.ordnerGehoertMir))
        return {Katalogort::Programmordner, Katalogort::Programmordner};
    return {umstaende.eigeneDateiVorhanden ? Katalogort::Benutzerordner : Katalogort::Programmordner,
            Katalogort::Benutzerordner};
}

QString eigenerKatalog(const QString &datenordner)
{
    if (datenordner.isEmpty())
        return QString();
    return QDir::toNativeSeparators(QDir(datenordner).filePath(QStringLiteral("AlkoholSorten.txt")));
}
