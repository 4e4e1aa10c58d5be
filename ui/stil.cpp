#include "ui/stil.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QWidget>

namespace {

// A line of text fits when the room for it is at least its letters' height;
// a pixel less only trims the lowest descender.
bool hochGenug(const QRect &raum, const QFontMetricsF &masse)
{
    return raum.height() >= masse.ascent() + masse.descent() - 1;
}

bool listePasst(const QComboBox *liste)
{
    QStyleOptionComboBox option;
    option.initFrom(liste);
    option.editable = liste->isEditable();
    option.frame = liste->hasFrame();
    option.subControls = QStyle::SC_All;
    const QStyle *stil = liste->style();
    const QRect pfeil = stil->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, liste);
    const QRect feld =
        stil->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, liste);
    const QFontMetricsF masse(liste->font());
    if (pfeil.width() < 6 || pfeil.height() < 6 || !liste->rect().contains(pfeil) || !hochGenug(feld, masse))
        return false;
    // The field must hold the widest entry (of the first 50) or, for a
    // list without entries, a digit; but a long name may run out of the
    // kind list's field, a count may not: no more room is asked for than
    // "20" needs. A field that wide holds whatever the entries are, and
    // otherwise the first entry wider than the field decides. Each
    // measurement costs a text shaping.
    if (feld.width() >= masse.horizontalAdvance(QStringLiteral("20")))
        return true;
    if (feld.width() < masse.horizontalAdvance(QStringLiteral("0")))
        return false;
    for (int i = 0; i < liste->count() && i < 50; ++i) {
        if (feld.width() < masse.horizontalAdvance(liste->itemText(i)))
            return false;
    }
    return true;
}

bool feldPasst(const QLineEdit *feld)
{
    QStyleOptionFrame option;
    option.initFrom(feld);
    option.rect = feld->rect();
    option.lineWidth =
        feld->hasFrame() ? feld->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, feld) : 0;
    option.state |= QStyle::State_Sunken;
    // The margins a style gives the text (Adwaita: 8 and 2 pixels) take from
    // the same room.
    const QRect raum = feld->style()
                           ->subElementRect(QStyle::SE_LineEditContents, &option, feld)
                           .marginsRemoved(feld->textMargins());
    return hochGenug(raum, QFontMetricsF(feld->font()));
}

bool knopfPasst(const QPushButton *knopf)
{
    QStyleOptionButton option;
    option.initFrom(knopf);
    option.text = knopf->text();
    const QRect raum = knopf->style()->subElementRect(QStyle::SE_PushButtonContents, &option, knopf);
    return hochGenug(raum, QFontMetricsF(knopf->font()));
}

QStyle *fusion()
{
    static QStyle *stil = [] {
        QStyle *s = QStyleFactory::create(QStringLiteral("Fusion"));
        if (s)
            s->setParent(qApp);
        return s;
    }();
    return stil;
}

} // namespace

bool stilPasst(const QWidget *fenster)
{
    for (const QWidget *w : fenster->findChildren<QWidget *>()) {
        if (w->window() != fenster)
            continue;
        if (const auto *liste = qobject_cast<const QComboBox *>(w)) {
            if (!listePasst(liste))
                return false;
        } else if (const auto *feld = qobject_cast<const QLineEdit *>(w)) {
            if (!qobject_cast<const QComboBox *>(feld->parentWidget()) && !feldPasst(feld))
                return false;
        } else if (const auto *knopf = qobject_cast<const QPushButton *>(w)) {
            if (!knopfPasst(knopf))
                return false;
        }
    }
    return true;
}

void passendenStilWaehlen(QWidget *fenster)
{
    QStyle *ersatz = fusion();
    if (!ersatz || fenster->style() == ersatz || stilPasst(fenster))
        return;
    // A style set on a widget is not passed on to its children.
    fenster->setStyle(ersatz);
    for (QWidget *kind : fenster->findChildren<QWidget *>()) {
        kind->setStyle(ersatz);
        // Adwaita gives the field of an editable list wide text margins as
        // the list is made, and they outlive the style: the program sets
        // none of its own.
        if (auto *feld = qobject_cast<QLineEdit *>(kind))
            feld->setTextMargins(QMargins());
    }
}
