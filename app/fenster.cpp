#include "app/fenster.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPalette>
#include <QScreen>
#include <QWidget>

namespace {

qreal logischeDpi()
{
    const QScreen *bildschirm = QGuiApplication::primaryScreen();
    return bildschirm ? bildschirm->logicalDotsPerInchY() : 96.0;
}

} // namespace

int twips(int t)
{
    return qRound(t * logischeDpi() / 1440.0);
}

QRect twipsRect(int links, int oben, int breite, int hoehe)
{
    return QRect(twips(links), twips(oben), twips(breite), twips(hoehe));
}

QFont fettSchrift(qreal punkte)
{
    QFont schrift = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    schrift.setStyleHint(QFont::SansSerif);
    schrift.setPointSizeF(punkte);
    schrift.setBold(true);
    return schrift;
}

void hellcyan(QWidget *w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor(192, 255, 255));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void zentrieren(QWidget *fenster)
{
    const QScreen *bildschirm = fenster->screen();
    if (!bildschirm)
        return;
    QRect rahmen = fenster->frameGeometry();
    rahmen.moveCenter(bildschirm->availableGeometry().center());
    fenster->move(rahmen.topLeft());
}

void meldung(QWidget *eltern, const QString &text)
{
    QMessageBox box(eltern);
    box.setWindowTitle(QString::fromUtf16(Programmtitel));
    box.setText(text);
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
