// The floor of the start-up benchmark: the least a Qt Widgets program with a
// caption does before its first window is mapped. One QMainWindow showing
// one QLabel; the label's text makes it pay for the font database as every
// window with text does.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow fenster;
    fenster.setCentralWidget(new QLabel(QStringLiteral("Promilleberechnung"), &fenster));
    fenster.show();
    return app.exec();
}
