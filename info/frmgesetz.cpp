#include "info/frmgesetz.h"

#include "app/frmalkohol.h"
#include "info/einstufung.h"
#include "info/gesetztext.h"
#include "ui/fenster.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStringList>

namespace {

QPointer<frmGesetz> einzigeInstanz;

// The smallest size the text is set in where the layout's face is missing
// and a wider one stands in; below it the statute is no longer comfortable
// to read.
constexpr qreal KleinstePunkte = 6.5;

// Client area of the window, in twips.
constexpr int Breite = 6105;
constexpr int Hoehe = 3825;

} // namespace

frmGesetz *frmGesetz::instanz()
{
    if (!einzigeInstanz)
        einzigeInstanz = new frmGesetz(frmAlkohol::instanz());
    return einzigeInstanz;
}

frmGesetz::frmGesetz(QWidget *eltern) : QWidget(eltern, Qt::Window)
{
    // The system's colours: this window is plain reading matter, not part of
    // the light cyan calculator. Its text is regular, in the face the layout
    // was drawn for, as are the fields of the other windows.
    setFont(layoutSchrift());
    setObjectName(QStringLiteral("frmGesetz"));
    setWindowTitle(QStringLiteral("Gesetz"));
    setAccessibleName(QStringLiteral("Gesetz"));
    setFixedSize(twips(Breite), twips(Hoehe));

    // Created in tab order: the text first, then the cross.
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(120, 120, 5895, 3615));
    Label1->setTextFormat(Qt::RichText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    textSetzen();
    // No accessible name: a screen reader reads the text itself.

    // A plain multiplication sign in the ordinary font: the symbol font that
    // once drew this cross is not found on every system.
    Command1 = new QPushButton(QStringLiteral("×"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(5760, 0, 375, 375));
    Command1->setAutoDefault(false);
    Command1->setAccessibleName(QStringLiteral("Schließen"));
    connect(Command1, &QPushButton::clicked, this, &frmGesetz::Command1_Click);
    fensterEinrichten(this);
}

void frmGesetz::showEvent(QShowEvent *ereignis)
{
    // The first showing is in the middle of the screen; later ones keep
    // whatever left position the window last had. Centred here rather than
    // at creation, because only a window being shown knows its frame.
    if (!zentriert) {
        zentrieren(this);
        zentriert = true;
    }
    QWidget::showEvent(ereignis);
}

void frmGesetz::textSetzen()
{
    // Every line of the statute starts a line of the label, at the font's
    // own line spacing, so that umlaut dots and descenders stay clear of the
    // neighbouring lines. The label has no scroll bar: in the layout's face
    // all of it fits; a wider face standing in for it gets a smaller size,
    // half a point at a time, rather than lines squeezed together.
    QString html;
    for (const QString &zeile : gesetzZeilen().split(u'\n'))
        html += QStringLiteral("<p style=\"margin:0\">%1</p>").arg(zeile.toHtmlEscaped());
    Label1->setText(html);
    QFont schrift = Label1->font();
    while (Label1->heightForWidth(Label1->width()) > Label1->height()
           && schrift.pointSizeF() - 0.5 >= KleinstePunkte) {
        schrift.setPointSizeF(schrift.pointSizeF() - 0.5);
        Label1->setFont(schrift);
    }
}

void frmGesetz::Command1_Click()
{
    hide();
}
