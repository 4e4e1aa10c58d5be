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
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
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

// A field shows its whole text, not its tail scrolled to the cursor: with
// the cursor after the last character (where typing leaves it), the first
// character still starts inside the part of the field that is drawn.
void pruefeFeld(QLineEdit *feld)
{
    if (feld->text().isEmpty())
        return;
    feld->setSelection(0, int(feld->text().size()));
    // QLineEdit scrolls its text when it paints.
    feld->grab();
    QStyleOptionFrame option;
    option.initFrom(feld);
    option.lineWidth = feld->hasFrame() ? feld->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, feld) : 0;
    const QRect sichtbar = feld->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, feld)
                               .marginsRemoved(feld->textMargins());
    // Where the text begins and ends: the middle of the rectangles the field
    // gives for its selection's anchor and its cursor (padded on both sides).
    const qreal anfang = feld->inputMethodQuery(Qt::ImAnchorRectangle).toRectF().center().x();
    const qreal ende = feld->inputMethodQuery(Qt::ImCursorRectangle).toRectF().center().x();
    QVERIFY2(anfang >= sichtbar.left() - 0.5 && ende <= sichtbar.right() + 1.5,
             qPrintable(QStringLiteral("%1 shows \"%2\" cut: text from x=%3 to %4, field %5 to %6")
                            .arg(name(feld), feld->text()).arg(anfang).arg(ende)
                            .arg(sichtbar.left()).arg(sichtbar.right())));
    QVERIFY2(QFontMetrics(feld->font()).height() <= sichtbar.height(),
             qPrintable(QStringLiteral("%1 is too low for its font").arg(name(feld))));
}

// An option button stands on light cyan with its circle whole: what it draws
// around the circle is the window's colour, and the circle fits its height.
void pruefeOption(QRadioButton *option)
{
    const QImage bild = option->grab().toImage();
    const qreal skala = bild.devicePixelRatio();
    const QColor cyan(192, 255, 255);
    for (const QPoint ecke : {QPoint(0, 0), QPoint(bild.width() - 1, 0), QPoint(0, bild.height() - 1),
                              QPoint(bild.width() - 1, bild.height() - 1)})
        QVERIFY2(bild.pixelColor(ecke) == cyan,
                 qPrintable(QStringLiteral("%1 is drawn on %2 at %3,%4")
                                .arg(name(option), bild.pixelColor(ecke).name())
                                .arg(ecke.x() / skala).arg(ecke.y() / skala)));
    QStyleOptionButton stil;
    stil.initFrom(option);
    const QRect kreis = option->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &stil, option);
    QVERIFY2(option->rect().contains(kreis),
             qPrintable(QStringLiteral("circle of %1 cut: %2,%3 %4 x %5 in %6 x %7")
                            .arg(name(option)).arg(kreis.x()).arg(kreis.y()).arg(kreis.width())
                            .arg(kreis.height()).arg(option->width()).arg(option->height())));
}

// A text of several lines at the font's own line spacing: no line reaches
// into the next, so umlaut dots and descenders stay clear of their
// neighbours.
void pruefeZeilenabstand(const QLabel *label)
{
    QTextDocument dokument;
    dokument.setDefaultFont(label->font());
    dokument.setDocumentMargin(0);
    dokument.setHtml(label->text());
    dokument.setTextWidth(label->contentsRect().width());
    const QFontMetricsF masse(label->font());
    qreal vorige = -1e9;
    int zeilen = 0;
    for (QTextBlock block = dokument.begin(); block.isValid(); block = block.next()) {
        const qreal oben = dokument.documentLayout()->blockBoundingRect(block).top();
        for (int i = 0; i < block.layout()->lineCount(); ++i, ++zeilen) {
            const QTextLine zeile = block.layout()->lineAt(i);
            const qreal grundlinie = oben + zeile.y() + zeile.ascent();
            QVERIFY2(grundlinie - vorige >= masse.ascent() + masse.descent() - 0.01,
                     qPrintable(QStringLiteral("line %1 of %2 is %3 px below the one above, the font needs %4")
                                    .arg(zeilen + 1).arg(name(label)).arg(grundlinie - vorige)
                                    .arg(masse.ascent() + masse.descent())));
            vorige = grundlinie;
        }
    }
    QVERIFY2(zeilen > 1, qPrintable(name(label)));
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

    for (QWidget *kind : sichtbare) {
        if (auto *feld = qobject_cast<QLineEdit *>(kind))
            pruefeFeld(feld);
        else if (auto *option = qobject_cast<QRadioButton *>(kind))
            pruefeOption(option);
        if (QTest::currentTestFailed())
            return;
    }

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
        // The widest result a plausible estimate gives, and the longest
        // values the fields take.
        frmAlkohol *haupt = m_programm->fenster();
        haupt->Label1->setText(QStringLiteral(" 12.35"));
        haupt->Prozent->setText(QStringLiteral("100%"));
        QCOMPARE(haupt->Prozent->text(), QStringLiteral("100%"));
        haupt->Masse->setText(QStringLiteral("1234567890"));
        QCOMPARE(haupt->Masse->text(), QStringLiteral("1234567890"));
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
        dialog->Prozent3->setText(QStringLiteral("100%"));
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
        pruefeZeilenabstand(gesetz->Label1);
    }

private:
    std::unique_ptr<Programm> m_programm;
};

QTEST_MAIN(tst_Ansicht)
#include "tst_ansicht.moc"
