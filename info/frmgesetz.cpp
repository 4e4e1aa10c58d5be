#include "info/frmgesetz.h"

#include "app/fenster.h"
#include "app/frmalkohol.h"
#include "info/einstufung.h"
#include "info/gesetztext.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStringList>

namespace {

QPointer<frmGesetz> einzigeInstanz;

// Below this share of the font's line spacing, descenders and umlaut dots of
// neighbouring lines would meet.
constexpr int KleinsterZeilenabstand = 80;

} // namespace

frmGesetz *frmGesetz::instanz()
{
    if (!einzigeInstanz)
        einzigeInstanz = new frmGesetz(frmAlkohol::instanz());
    return einzigeInstanz;
}

frmGesetz::frmGesetz(QWidget *eltern) : QWidget(eltern, Qt::Window)
{
    // The system's colours and font: this window is plain reading matter,
    // not part of the light cyan calculator.
    setObjectName(QStringLiteral("frmGesetz"));
    setWindowTitle(QStringLiteral("Gesetz"));
    setAccessibleName(QStringLiteral("Gesetz"));
    setFixedSize(twips(6105), twips(3825));

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
    // Every line of the statute starts a line of the label, and the label
    // has no scroll bar, so all of it must fit. With a narrow default font it
    // does at the font's own line spacing; a wider one (DejaVu Sans on Linux)
    // needs a few more lines than there is room for. The lines then move
    // closer together, no further than needed: the font and its size stay
    // those of the system.
    const QStringList zeilen = gesetzZeilen().split(u'\n');
    for (int abstand = 100; abstand >= KleinsterZeilenabstand; abstand -= 2) {
        QString html;
        for (qsizetype i = 0; i < zeilen.size(); ++i) {
            // A tighter line gives up room at its foot; the closing sentence
            // keeps its full height, or the label would cut off its
            // descenders.
            const int hoehe = i + 1 < zeilen.size() ? abstand : 100;
            html += QStringLiteral("<p style=\"margin:0; line-height:%1%\">%2</p>")
                        .arg(hoehe)
                        .arg(zeilen[i].toHtmlEscaped());
        }
        Label1->setText(html);
        if (Label1->heightForWidth(Label1->width()) <= Label1->height())
            return;
    }
}

void frmGesetz::Command1_Click()
{
    hide();
}

void frmAlkohol::Command2_Click()
{
    meldung(this, infoMeldung(Label1->text()));
}

void frmAlkohol::Command3_Click()
{
    frmGesetz *gesetz = frmGesetz::instanz();
    gesetz->show();
    gesetz->raise();
    gesetz->activateWindow();
    // Bottom edge on the main window's top edge, outer frames on both sides.
    // The top is set as computed, even above the screen's edge.
    const int oben = frameGeometry().top() - gesetz->frameGeometry().height();
    gesetz->move(gesetz->frameGeometry().left(), oben);
}
