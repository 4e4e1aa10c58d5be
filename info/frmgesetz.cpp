#include "info/frmgesetz.h"

#include "app/frmalkohol.h"
#include "info/gesetztext.h"
#include "ui/fenster.h"

#include <QEvent>
#include <QLabel>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

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

    // Created in tab order: the text first, then the cross. A read-only
    // text rather than a label, so that a screen reader gets the focus in it
    // and reads it line by line as it is wrapped, and a keyboard user can
    // select from it. It is drawn as the label it was: no frame, no field
    // background, no scroll bars, no caret, the window's text colour.
    Label1 = new QTextEdit(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(120, 120, 5895, 3615));
    Label1->setReadOnly(true);
    Label1->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    Label1->setTabChangesFocus(true);
    Label1->setFrameShape(QFrame::NoFrame);
    Label1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Label1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Label1->setCursorWidth(0);
    Label1->viewport()->setAutoFillBackground(false);
    Label1->document()->setDocumentMargin(0);
    textfarbenSetzen();
    textSetzen();
    // No accessible name: a screen reader reads the text itself.

    // A plain multiplication sign in the ordinary font: a symbol font that
    // draws the cross from a letter is not found on every system.
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
    // Each showing is read from the heading on.
    Label1->moveCursor(QTextCursor::Start);
    Label1->setFocus(Qt::OtherFocusReason);
    QWidget::showEvent(ereignis);
}

void frmGesetz::changeEvent(QEvent *ereignis)
{
    if (ereignis->type() == QEvent::PaletteChange)
        textfarbenSetzen();
    QWidget::changeEvent(ereignis);
}

void frmGesetz::textfarbenSetzen()
{
    // A text is drawn in the field colours; this one stands on the window
    // as a label does, in the window's colours, whatever the system's are.
    QPalette farben = palette();
    for (const auto gruppe : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        farben.setColor(gruppe, QPalette::Base, farben.color(gruppe, QPalette::Window));
        farben.setColor(gruppe, QPalette::Text, farben.color(gruppe, QPalette::WindowText));
    }
    Label1->setPalette(farben);
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
    Label1->setHtml(html);
    // The height the text takes at the field's width, wrapped as it is drawn.
    const auto hoehe = [this] {
        Label1->document()->setTextWidth(Label1->width());
        return Label1->document()->size().height();
    };
    QFont schrift = Label1->font();
    while (hoehe() > Label1->height() && schrift.pointSizeF() - 0.5 >= KleinstePunkte) {
        schrift.setPointSizeF(schrift.pointSizeF() - 0.5);
        Label1->setFont(schrift);
    }
}

void frmGesetz::ueberFensterZeigen(const QWidget *fenster)
{
    show();
    raise();
    activateWindow();
    // Bottom edge on the other window's top edge, outer frames on both sides.
    // The top is set as computed, even above the screen's edge.
    move(frameGeometry().left(), fenster->frameGeometry().top() - frameGeometry().height());
}

void frmGesetz::Command1_Click()
{
    hide();
}
