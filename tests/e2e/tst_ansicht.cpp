// The look of all four windows, as built by the real program: every caption
// inside its control and clear of the other controls, every control inside
// its window, the dialogs in the main window's colours with bold headings,
// and the pictures sharp at the screen's scale. Run once at scale 1 and once
// under QT_SCALE_FACTOR=2.
//
// Controls may reach past their window's edge by a pixel where the layout
// puts them there (the law window's close cross); their captions may not.
//
// The caption measures here are this test's own (font metrics of the text,
// a few pixels of frame for a button), not the program's fitting routine,
// so a wrong fitting routine shows up as a failure.

#include "gemeinsam/gui.h"

#include "app/frmalkohol.h"
#include "catalogue/frmbearbeiten.h"
#include "catalogue/frmsorte.h"
#include "info/frmgesetz.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

const QByteArray Katalog = katalogZeilen({
    {"Bier", "5%", "500"},
    {"Kräuterlikör", "35%", "20"},
});

QString name(const QWidget *w)
{
    return QStringLiteral("%1 %2 (\"%3\")")
        .arg(w->window()->objectName(), w->objectName(),
             qobject_cast<const QLabel *>(w)     ? qobject_cast<const QLabel *>(w)->text().left(30)
             : qobject_cast<const QPushButton *>(w) ? qobject_cast<const QPushButton *>(w)->text()
                                                  : QString());
}

// A button's caption needs room for its frame (a pixel) and two pixels of air
// on either side, or it reads as touching the frame.
constexpr qreal KnopfRand = 3;

// The rectangles the caption's lines take, in the window's coordinates;
// empty for a control without a caption. Fails the test when a caption is
// wider or taller than the part of its control that shows it.
QList<QRectF> beschriftung(const QWidget *w)
{
    QList<QRectF> zeilen;
    const QPointF ursprung = w->geometry().topLeft();
    const QFontMetricsF masse(w->font());
    if (const auto *knopf = qobject_cast<const QPushButton *>(w)) {
        QString text = knopf->text();
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
        if (text.isEmpty())
            return zeilen;
        const qreal breite = masse.horizontalAdvance(text);
        const qreal hoehe = masse.height();
        const QRectF innen = QRectF(knopf->rect()).adjusted(KnopfRand, 2, -KnopfRand, -2);
        if (breite > innen.width() || hoehe > innen.height())
            QTest::qFail(qPrintable(QStringLiteral("caption of %1 is cut off: %2 x %3 px in %4 x %5")
                                        .arg(name(w)).arg(breite).arg(hoehe)
                                        .arg(innen.width()).arg(innen.height())),
                         __FILE__, __LINE__);
        QRectF r(0, 0, breite, hoehe);
        r.moveCenter(QRectF(knopf->rect()).center());
        zeilen.append(r.translated(ursprung));
        return zeilen;
    }
    const auto *label = qobject_cast<const QLabel *>(w);
    if (!label || label->text().isEmpty())
        return zeilen;
    const QRectF flaeche = label->contentsRect();
    if (label->textFormat() == Qt::RichText
        || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()))) {
        QTextDocument dokument;
        dokument.setDefaultFont(label->font());
        dokument.setDocumentMargin(0);
        dokument.setHtml(label->text());
        dokument.setTextWidth(label->wordWrap() ? flaeche.width() : -1);
        for (QTextBlock block = dokument.begin(); block.isValid(); block = block.next()) {
            const QPointF oben = dokument.documentLayout()->blockBoundingRect(block).topLeft();
            for (int i = 0; i < block.layout()->lineCount(); ++i) {
                const QTextLine zeile = block.layout()->lineAt(i);
                zeilen.append(zeile.naturalTextRect().translated(oben).translated(ursprung));
            }
        }
    } else {
        int art = int(label->alignment());
        if (label->wordWrap())
            art |= Qt::TextWordWrap;
        zeilen.append(masse.boundingRect(flaeche, art, label->text()).translated(ursprung));
    }
    const QRectF rahmen = QRectF(label->geometry()).adjusted(-0.01, -0.01, 0.01, 0.01);
    for (const QRectF &zeile : zeilen) {
        if (!rahmen.contains(zeile))
            QTest::qFail(qPrintable(QStringLiteral("caption of %1 is cut off: a line at %2,%3 %4 x %5"
                                                   " outside %6,%7 %8 x %9")
                                        .arg(name(w)).arg(zeile.x()).arg(zeile.y())
                                        .arg(zeile.width()).arg(zeile.height())
                                        .arg(rahmen.x()).arg(rahmen.y())
                                        .arg(rahmen.width()).arg(rahmen.height())),
                         __FILE__, __LINE__);
    }
    return zeilen;
}

// What of a control covers others: a label only its caption (it has no
// background of its own unless it fills it), anything else its rectangle.
QList<QRectF> deckt(const QWidget *w, const QList<QRectF> &zeilen)
{
    if (qobject_cast<const QLabel *>(w) && !w->autoFillBackground())
        return zeilen;
    return {QRectF(w->geometry())};
}

void pruefeFenster(QWidget *fenster)
{
    QVERIFY2(fenster->isVisible(), qPrintable(fenster->objectName()));
    const QRectF innen = QRectF(fenster->rect()).adjusted(-0.01, -0.01, 0.01, 0.01);
    QList<QWidget *> sichtbare;
    for (QWidget *kind : fenster->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (kind->isVisible() && !kind->isWindow())
            sichtbare.append(kind);
    }
    QVERIFY2(!sichtbare.isEmpty(), qPrintable(fenster->objectName()));

    QHash<QWidget *, QList<QRectF>> zeilen;
    for (QWidget *kind : sichtbare) {
        zeilen.insert(kind, beschriftung(kind));
        if (QTest::currentTestFailed())
            return;
        for (const QRectF &zeile : zeilen.value(kind))
            QVERIFY2(innen.contains(zeile),
                     qPrintable(QStringLiteral("caption of %1 is cut off by the window's edge").arg(name(kind))));
    }
    for (QWidget *kind : sichtbare) {
        for (QWidget *anderes : sichtbare) {
            if (anderes == kind)
                continue;
            for (const QRectF &zeile : zeilen.value(kind)) {
                for (const QRectF &flaeche : deckt(anderes, zeilen.value(anderes))) {
                    // A rounding sliver at the edge is no overlap.
                    const QRectF ueber = zeile.intersected(flaeche);
                    QVERIFY2(ueber.width() < 0.5 || ueber.height() < 0.5,
                             qPrintable(QStringLiteral("caption of %1 runs into %2")
                                            .arg(name(kind), name(anderes))));
                }
            }
        }
    }
}

// The dialogs belong to the main window's family: light cyan, bold headings.
void pruefeFamilie(QWidget *dialog, const QWidget *haupt)
{
    QCOMPARE(dialog->palette().color(QPalette::Window), QColor(192, 255, 255));
    QCOMPARE(dialog->palette().color(QPalette::Window), haupt->palette().color(QPalette::Window));
    QVERIFY(dialog->autoFillBackground());
    const QList<QLabel *> labels = dialog->findChildren<QLabel *>();
    QCOMPARE(labels.size(), 3);
    for (const QLabel *label : labels)
        QVERIFY2(label->font().bold(), qPrintable(name(label)));
}

} // namespace

class tst_Ansicht : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_programm = std::make_unique<Programm>(Katalog);
        QVERIFY(QTest::qWaitForWindowExposed(m_programm->fenster()));
    }

    void cleanup()
    {
        // The dialogs and the law window are children of the main window and
        // go with it.
        m_programm.reset();
    }

    void hauptfenster()
    {
        frmAlkohol *haupt = m_programm->fenster();
        pruefeFenster(haupt);
        for (const QLabel *label : haupt->findChildren<QLabel *>()) {
            if (!label->text().isEmpty())
                QVERIFY2(label->font().bold(), qPrintable(name(label)));
        }
    }

    void hauptfensterMitErgebnis()
    {
        // The widest result a plausible estimate gives.
        frmAlkohol *haupt = m_programm->fenster();
        haupt->Label1->setText(QStringLiteral(" 12.35"));
        pruefeFenster(haupt);
    }

    void bilderScharf()
    {
        frmAlkohol *haupt = m_programm->fenster();
        const qreal skala = haupt->devicePixelRatioF();
        QCOMPARE(qgetenv("QT_SCALE_FACTOR").isEmpty() ? 1.0 : qgetenv("QT_SCALE_FACTOR").toDouble(), skala);
        // The question mark in as many screen pixels as it has room for.
        const QPixmap bild = haupt->Picture1->pixmap();
        QCOMPARE(bild.devicePixelRatio(), skala);
        QCOMPARE(bild.width(), qRound(32 * skala));
        // The window icon offers the sizes a title bar or task bar asks for,
        // at scale 1 and 2; larger ones come from the icon theme.
        const QList<QSize> groessen = haupt->windowIcon().availableSizes();
        for (int g : {16, 24, 32, 48, 64})
            QVERIFY2(groessen.contains(QSize(g, g)), qPrintable(QString::number(g)));
    }

    void sorteHinzufuegen()
    {
        frmAlkohol *haupt = m_programm->fenster();
        haupt->cmdHinzu_Click();
        frmSorte *dialog = frmSorte::instanz();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        dialog->Sorte2->setText(QStringLiteral("Kräuterlikör"));
        dialog->Prozent2->setText(QStringLiteral("100%"));
        pruefeFenster(dialog);
        pruefeFamilie(dialog, haupt);
    }

    void sorteBearbeiten()
    {
        frmAlkohol *haupt = m_programm->fenster();
        haupt->Sorte->setEditText(QStringLiteral("Kräuterlikör"));
        haupt->Command1_Click();
        frmBearbeiten *dialog = frmBearbeiten::instanz();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCOMPARE(dialog->Sorte3->text(), QStringLiteral("Kräuterlikör"));
        pruefeFenster(dialog);
        pruefeFamilie(dialog, haupt);
    }

    void gesetz()
    {
        frmAlkohol *haupt = m_programm->fenster();
        haupt->Command3_Click();
        frmGesetz *gesetz = frmGesetz::instanz();
        QVERIFY(QTest::qWaitForWindowExposed(gesetz));
        QVERIFY(gesetz->Label1->text().contains(QStringLiteral("Gaststättengesetzes")));
        pruefeFenster(gesetz);
    }

private:
    std::unique_ptr<Programm> m_programm;
};

QTEST_MAIN(tst_Ansicht)
#include "tst_ansicht.moc"
