#include "app/frmalkohol.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    frmAlkohol fenster;
    fenster.show();
    return app.exec();
}
