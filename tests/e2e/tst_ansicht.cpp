// The look of all four windows, as built by the real program: every caption
// inside its control and clear of the other controls, every control inside
// its window, the dialogs in the main window's colours with bold headings,
// and the pictures sharp at the screen's scale. Run once at scale 1 and once
// under QT_SCALE_FACTOR=2. Under every style Debian ships for Qt 6 and the
// dark palettes of common desktops, every field, list and button shows its
// text and every caption on the light cyan reads (the styles come from
// adwaita-qt6, the qt6ct scheme from qt6ct; tools/packages.sh installs both).
//
// Controls may reach past their window's edge by a pixel where the layout
// puts them there (the law window's close cross); their captions may not.
//
// The caption measures here are this test's own (font metrics of the text,
// a few pixels of frame for a button), not the program's fitting routine,
// so a wrong fitting routine shows up as a failure.

#include "common/gui.h"

#include "app/frmalkohol.h"
#include "catalogue/frmbearbeiten.h"
#include "catalogue/frmsorte.h"
#include "info/frmgesetz.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <cmath>

namespace {

const QByteArray Katalog = katalogZeilen({
    {"Bier", "5%", "500"},
    {"Kräuterlikör", "35%", "20"},
});

QString name(const QWidget *w)
{
    return QStringLiteral("%1 %2 (\"%3\")")
        .arg(w->window()->objectName(), w->objectName(),
             qobject_cast<const QLabel *>(w)            ? qobject_cast<const QLabel *>(w)->text().left(30)
                 : qobject_cast<const QPushButton *>(w) ? qobject_cast<const QPushButton *>(w)->text()
                                                        : QString());
}

// A button's caption needs room for its frame (a pixel) and two pixels of air
// on either side, or it reads as touching the frame.
constexpr qreal KnopfRand = 3;

// The lines a laid-out document draws, moved by `ursprung`.
QList<QRectF> dokumentZeilen(const QTextDocument &dokument, QPointF ursprung)
{
    QList<QRectF> zeilen;
    for (QTextBlock block = dokument.begin(); block.isValid(); block = block.next()) {
        const QPointF oben = dokument.documentLayout()->blockBoundingRect(block).topLeft();
        for (int i = 0; i < block.layout()->lineCount(); ++i)
            zeilen.append(block.layout()->lineAt(i).naturalTextRect().translated(oben + ursprung));
    }
    return zeilen;
}

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
                                        .arg(name(w))
                                        .arg(breite)
                                        .arg(hoehe)
                                        .arg(innen.width())
                                        .arg(innen.height())),
                         __FILE__, __LINE__);
        QRectF r(0, 0, breite, hoehe);
        r.moveCenter(QRectF(knopf->rect()).center());
        zeilen.append(r.translated(ursprung));
        return zeilen;
    }
    const auto *label = qobject_cast<const QLabel *>(w);
    const auto *text = qobject_cast<const QTextEdit *>(w);
    if (text) {
        // A read-only text is laid out by its own document, as it is drawn.
        zeilen = dokumentZeilen(*text->document(), ursprung + text->viewport()->pos());
    } else if (!label || label->text().isEmpty()) {
        return zeilen;
    } else if (label->textFormat() == Qt::RichText
               || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()))) {
        QTextDocument dokument;
        dokument.setDefaultFont(label->font());
        dokument.setDocumentMargin(0);
        dokument.setHtml(label->text());
        dokument.setTextWidth(label->wordWrap() ? label->contentsRect().width() : -1);
        zeilen = dokumentZeilen(dokument, ursprung);
    } else {
        int art = int(label->alignment());
        if (label->wordWrap())
            art |= Qt::TextWordWrap;
        zeilen.append(masse.boundingRect(label->contentsRect(), art, label->text()).translated(ursprung));
    }
    const QRectF rahmen = QRectF(w->geometry()).adjusted(-0.01, -0.01, 0.01, 0.01);
    for (const QRectF &zeile : zeilen) {
        if (!rahmen.contains(zeile))
            QTest::qFail(qPrintable(QStringLiteral("caption of %1 is cut off: a line at %2,%3 %4 x %5"
                                                   " outside %6,%7 %8 x %9")
                                        .arg(name(w))
                                        .arg(zeile.x())
                                        .arg(zeile.y())
                                        .arg(zeile.width())
                                        .arg(zeile.height())
                                        .arg(rahmen.x())
                                        .arg(rahmen.y())
                                        .arg(rahmen.width())
                                        .arg(rahmen.height())),
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
    option.lineWidth =
        feld->hasFrame() ? feld->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, feld) : 0;
    const QRect sichtbar = feld->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, feld)
                               .marginsRemoved(feld->textMargins());
    // Where the text begins and ends: the middle of the rectangles the field
    // gives for its selection's anchor and its cursor (padded on both sides).
    const qreal anfang = feld->inputMethodQuery(Qt::ImAnchorRectangle).toRectF().center().x();
    const qreal ende = feld->inputMethodQuery(Qt::ImCursorRectangle).toRectF().center().x();
    QVERIFY2(anfang >= sichtbar.left() - 0.5 && ende <= sichtbar.right() + 1.5,
             qPrintable(QStringLiteral("%1 shows \"%2\" cut: text from x=%3 to %4, field %5 to %6")
                            .arg(name(feld), feld->text())
                            .arg(anfang)
                            .arg(ende)
                            .arg(sichtbar.left())
                            .arg(sichtbar.right())));
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
                                .arg(ecke.x() / skala)
                                .arg(ecke.y() / skala)));
    QStyleOptionButton stil;
    stil.initFrom(option);
    const QRect kreis = option->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &stil, option);
    QVERIFY2(option->rect().contains(kreis),
             qPrintable(QStringLiteral("circle of %1 cut: %2,%3 %4 x %5 in %6 x %7")
                            .arg(name(option))
                            .arg(kreis.x())
                            .arg(kreis.y())
                            .arg(kreis.width())
                            .arg(kreis.height())
                            .arg(option->width())
                            .arg(option->height())));
}

// A text of several lines at the font's own line spacing: no line reaches
// into the next, so umlaut dots and descenders stay clear of their
// neighbours.
void pruefeZeilenabstand(const QTextEdit *text)
{
    const QTextDocument &dokument = *text->document();
    const QFontMetricsF masse(text->font());
    qreal vorige = -1e9;
    int zeilen = 0;
    for (QTextBlock block = dokument.begin(); block.isValid(); block = block.next()) {
        const qreal oben = dokument.documentLayout()->blockBoundingRect(block).top();
        for (int i = 0; i < block.layout()->lineCount(); ++i, ++zeilen) {
            const QTextLine zeile = block.layout()->lineAt(i);
            const qreal grundlinie = oben + zeile.y() + zeile.ascent();
            QVERIFY2(
                grundlinie - vorige >= masse.ascent() + masse.descent() - 0.01,
                qPrintable(QStringLiteral("line %1 of %2 is %3 px below the one above, the font needs %4")
                               .arg(zeilen + 1)
                               .arg(name(text))
                               .arg(grundlinie - vorige)
                               .arg(masse.ascent() + masse.descent())));
            vorige = grundlinie;
        }
    }
    QVERIFY2(zeilen > 1, qPrintable(name(text)));
}

// What of a control covers others: a label only its caption (it has no
// background of its own unless it fills it), anything else its rectangle.
QList<QRectF> deckt(const QWidget *w, const QList<QRectF> &zeilen)
{
    if (qobject_cast<const QLabel *>(w) && !w->autoFillBackground())
        return zeilen;
    if (const auto *text = qobject_cast<const QTextEdit *>(w);
        text && !text->viewport()->autoFillBackground())
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
            QVERIFY2(
                innen.contains(zeile),
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
                    QVERIFY2(
                        ueber.width() < 0.5 || ueber.height() < 0.5,
                        qPrintable(
                            QStringLiteral("caption of %1 runs into %2").arg(name(kind), name(anderes))));
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

// Dark palettes of real desktops, role by role as the desktop sets them.
// qt6ct's "darker" scheme is read from the file qt6ct installs; KDE's Breeze
// Dark and GTK's Adwaita dark are the colours their platform themes hand Qt.
QPalette dunklePalette(const QString &art)
{
    QPalette p;
    if (art == QLatin1String("qt6ct darker")) {
        QSettings schema(QStringLiteral("/usr/share/qt6ct/colors/darker.conf"), QSettings::IniFormat);
        const QPalette::ColorGroup gruppen[] = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};
        const char *schluessel[] = {"ColorScheme/active_colors", "ColorScheme/inactive_colors",
                                    "ColorScheme/disabled_colors"};
        for (int g = 0; g < 3; ++g) {
            const QStringList farben = schema.value(QLatin1String(schluessel[g])).toStringList();
            for (int rolle = 0; rolle < farben.size() && rolle < QPalette::NColorRoles; ++rolle)
                p.setColor(gruppen[g], QPalette::ColorRole(rolle), QColor(farben.at(rolle).trimmed()));
        }
        return p;
    }
    struct Farben
    {
        QColor fenster, text, feld, feldtext, knopf, knopftext;
    };
    const Farben f = art == QLatin1String("Breeze Dark")
        ? Farben{QColor(0x2a, 0x2e, 0x32), QColor(0xfc, 0xfc, 0xfc), QColor(0x1b, 0x1e, 0x20),
                 QColor(0xfc, 0xfc, 0xfc), QColor(0x31, 0x36, 0x3b), QColor(0xfc, 0xfc, 0xfc)}
        : Farben{QColor(0x35, 0x35, 0x35), QColor(0xee, 0xee, 0xec), QColor(0x2d, 0x2d, 0x2d),
                 QColor(0xee, 0xee, 0xec), QColor(0x3a, 0x3a, 0x3a), QColor(0xee, 0xee, 0xec)};
    p.setColor(QPalette::Window, f.fenster);
    p.setColor(QPalette::WindowText, f.text);
    p.setColor(QPalette::Base, f.feld);
    p.setColor(QPalette::AlternateBase, f.fenster);
    p.setColor(QPalette::Text, f.feldtext);
    p.setColor(QPalette::Button, f.knopf);
    p.setColor(QPalette::ButtonText, f.knopftext);
    p.setColor(QPalette::ToolTipBase, f.fenster);
    p.setColor(QPalette::ToolTipText, f.text);
    p.setColor(QPalette::PlaceholderText, f.text.darker(150));
    p.setColor(QPalette::Light, f.knopf.lighter(150));
    p.setColor(QPalette::Midlight, f.knopf.lighter(125));
    p.setColor(QPalette::Mid, f.knopf.darker(120));
    p.setColor(QPalette::Dark, f.knopf.darker(150));
    p.setColor(QPalette::Shadow, Qt::black);
    return p;
}

// Relative luminance and contrast ratio as accessibility guidelines define
// them; 4.5 is what body text needs to be read.
qreal leuchtdichte(const QColor &farbe)
{
    const auto kanal = [](qreal c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * kanal(farbe.redF()) + 0.7152 * kanal(farbe.greenF()) + 0.0722 * kanal(farbe.blueF());
}

qreal kontrast(const QColor &a, const QColor &b)
{
    const qreal hell = std::max(leuchtdichte(a), leuchtdichte(b));
    const qreal dunkel = std::min(leuchtdichte(a), leuchtdichte(b));
    return (hell + 0.05) / (dunkel + 0.05);
}

// The middle of an option's circle as it is drawn: its dot when selected.
QColor kreismitte(QRadioButton *option)
{
    QStyleOptionButton stil;
    stil.initFrom(option);
    const QRect kreis = option->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &stil, option);
    const QImage bild = option->grab().toImage();
    return bild.pixelColor(kreis.center() * bild.devicePixelRatio());
}

// The colour a widget's background is painted in: its own or that of the
// nearest parent that fills its background, up to the window.
QColor hintergrund(const QWidget *w)
{
    for (const QWidget *v = w; v; v = v->isWindow() ? nullptr : v->parentWidget()) {
        if (v->autoFillBackground() || v->isWindow())
            return v->palette().color(v->backgroundRole());
    }
    return QColor();
}

// Every caption drawn on the window's own background reads against it.
void pruefeFarben(const QWidget *fenster)
{
    for (const QWidget *w : fenster->findChildren<QWidget *>()) {
        if (w->window() != fenster
            || (!qobject_cast<const QLabel *>(w) && !qobject_cast<const QRadioButton *>(w)))
            continue;
        if (const auto *label = qobject_cast<const QLabel *>(w); label && label->text().isEmpty())
            continue;
        const QColor text = w->palette().color(w->foregroundRole());
        const QColor grund = hintergrund(w);
        QVERIFY2(kontrast(text, grund) >= 4.5,
                 qPrintable(QStringLiteral("%1: text %2 on %3, contrast %4")
                                .arg(name(w), text.name(), grund.name())
                                .arg(kontrast(text, grund))));
    }
}

// What a field, a list or a button needs to show its text: the part its
// style leaves for the text at least one line of the font high and wide
// enough for `text`; a list also its arrow.
void pruefeFelder(const QWidget *fenster)
{
    for (const QWidget *w : fenster->findChildren<QWidget *>()) {
        if (!w->isVisible() || w->window() != fenster)
            continue;
        const QFontMetricsF masse(w->font());
        QRectF textflaeche;
        QString text;
        if (const auto *liste = qobject_cast<const QComboBox *>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(liste);
            option.editable = liste->isEditable();
            option.frame = liste->hasFrame();
            option.subControls = QStyle::SC_All;
            const QRect pfeil =
                liste->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, liste);
            QVERIFY2(pfeil.width() >= 6 && pfeil.height() >= 6 && liste->rect().contains(pfeil),
                     qPrintable(QStringLiteral("%1: the arrow has %2 x %3 px")
                                    .arg(name(w))
                                    .arg(pfeil.width())
                                    .arg(pfeil.height())));
            // The field inside the list, less the margins a style may have
            // given it; the text may use the line edit's own small margins.
            const QMargins rand = liste->lineEdit()->textMargins();
            textflaeche = QRectF(liste->lineEdit()->geometry())
                              .adjusted(rand.left(), rand.top(), -rand.right(), -rand.bottom());
            text = liste->count() ? liste->itemText(liste->count() - 1) : QStringLiteral("0");
        } else if (const auto *feld = qobject_cast<const QLineEdit *>(w)) {
            if (qobject_cast<const QComboBox *>(feld->parentWidget()))
                continue;
            QStyleOptionFrame option;
            option.initFrom(feld);
            option.rect = feld->rect();
            option.lineWidth = feld->hasFrame()
                ? feld->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, feld)
                : 0;
            option.state |= QStyle::State_Sunken;
            const QMargins rand = feld->textMargins();
            textflaeche = QRectF(feld->style()->subElementRect(QStyle::SE_LineEditContents, &option, feld))
                              .adjusted(rand.left(), rand.top(), -rand.right(), -rand.bottom())
                              .translated(feld->pos());
            // What the field holds in use: a percentage, an amount or a weight.
            text = feld->text().endsWith(u'%') ? QStringLiteral("40%") : QStringLiteral("1000");
        } else if (const auto *knopf = qobject_cast<const QPushButton *>(w)) {
            QStyleOptionButton option;
            option.initFrom(knopf);
            option.text = knopf->text();
            textflaeche =
                QRectF(knopf->style()->subElementRect(QStyle::SE_PushButtonContents, &option, knopf))
                    .translated(knopf->pos());
            text = knopf->text().remove(u'&');
        } else {
            continue;
        }
        const qreal hoehe = masse.ascent() + masse.descent();
        QVERIFY2(textflaeche.height() >= hoehe - 1 && textflaeche.width() >= masse.horizontalAdvance(text),
                 qPrintable(QStringLiteral("%1 under %2: \"%3\" needs %4 x %5 px, the style leaves %6 x %7")
                                .arg(name(w), w->style()->name(), text)
                                .arg(masse.horizontalAdvance(text))
                                .arg(hoehe)
                                .arg(textflaeche.width())
                                .arg(textflaeche.height())));
    }
}

} // namespace

class tst_Ansicht : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_stil = QApplication::style()->name();
        m_palette = QApplication::palette();
    }

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
        QVERIFY(gesetz->Label1->toPlainText().contains(QStringLiteral("Gaststättengesetzes")));
        pruefeFenster(gesetz);
        pruefeZeilenabstand(gesetz->Label1);
    }

    // The program under each style Debian ships for Qt 6 and under the dark
    // palettes of the common desktops: every field, list and button shows
    // its text (and a list its arrow), every caption reads on light cyan,
    // and the law window keeps the system's colours.
    void stileUndPaletten_data()
    {
        QTest::addColumn<QString>("stil");
        QTest::addColumn<QString>("palette");
        QTest::newRow("Fusion") << "Fusion" << QString();
        QTest::newRow("Windows") << "Windows" << QString();
        QTest::newRow("Adwaita") << "adwaita" << QString();
        QTest::newRow("Adwaita-dunkel") << "adwaita-dark" << QString();
        QTest::newRow("qt6ct darker") << "Fusion"
                                      << "qt6ct darker";
        QTest::newRow("Breeze Dark") << "Fusion"
                                     << "Breeze Dark";
        QTest::newRow("GTK Adwaita dunkel") << "Fusion"
                                            << "GTK Adwaita dunkel";
    }

    void stileUndPaletten()
    {
        QFETCH(QString, stil);
        QFETCH(QString, palette);
        m_programm.reset();
        QStyle *s = QStyleFactory::create(stil);
        QVERIFY2(s, qPrintable(QStringLiteral("no style %1 (adwaita-qt6 installed?)").arg(stil)));
        QApplication::setStyle(s);
        QApplication::setPalette(palette.isEmpty() ? s->standardPalette() : dunklePalette(palette));
        const QColor systemText = QApplication::palette().color(QPalette::WindowText);
        const QColor systemGrund = QApplication::palette().color(QPalette::Window);

        m_programm = std::make_unique<Programm>(Katalog);
        frmAlkohol *haupt = m_programm->fenster();
        QVERIFY(QTest::qWaitForWindowExposed(haupt));
        haupt->Label1->setText(QStringLiteral(" 0.35"));
        haupt->cmdHinzu_Click();
        haupt->Sorte->setEditText(QStringLiteral("Bier"));
        haupt->Command1_Click();
        haupt->Command3_Click();
        for (QWidget *fenster : {static_cast<QWidget *>(haupt), static_cast<QWidget *>(frmSorte::instanz()),
                                 static_cast<QWidget *>(frmBearbeiten::instanz()),
                                 static_cast<QWidget *>(frmGesetz::instanz())}) {
            QVERIFY(QTest::qWaitForWindowExposed(fenster));
            pruefeFelder(fenster);
            if (QTest::currentTestFailed())
                return;
            pruefeFenster(fenster);
            if (QTest::currentTestFailed())
                return;
            if (fenster != frmGesetz::instanz())
                pruefeFarben(fenster);
            if (QTest::currentTestFailed())
                return;
        }
        // The unselected option an empty light circle, the selected one a
        // clear dot on it, as under the light palette.
        const QColor leer = kreismitte(haupt->Option2);
        const QColor punkt = kreismitte(haupt->Option1);
        QVERIFY2(leuchtdichte(leer) > 0.6 && kontrast(punkt, leer) >= 3,
                 qPrintable(QStringLiteral("circle %1, dot %2").arg(leer.name(), punkt.name())));
        const QWidget *gesetz = frmGesetz::instanz();
        QCOMPARE(gesetz->palette().color(QPalette::Window), systemGrund);
        for (const QLabel *label : gesetz->findChildren<QLabel *>())
            QCOMPARE(label->palette().color(label->foregroundRole()), systemText);
    }

    void cleanupTestCase()
    {
        QApplication::setStyle(m_stil);
        QApplication::setPalette(m_palette);
    }

private:
    std::unique_ptr<Programm> m_programm;
    QString m_stil;
    QPalette m_palette;
};

QTEST_MAIN(tst_Ansicht)
#include "tst_ansicht.moc"
