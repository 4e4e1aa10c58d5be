#include "app/frmalkohol.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // The name of the user's data folder (~/.local/share/promille), whatever
    // the program file is called; the desktop entry's name for Wayland.
    QCoreApplication::setApplicationName(QStringLiteral("promille"));
    QGuiApplication::setDesktopFileName(QStringLiteral("promille"));
    QApplication app(argc, argv);

    // The program speaks German whatever the system's language, and so do
    // Qt's own texts (context menus, standard buttons) where Qt's German
    // translation is installed.
    QTranslator qtTexte;
    if (qtTexte.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexte);

    frmAlkohol fenster;
    fenster.show();
    return app.exec();
}
