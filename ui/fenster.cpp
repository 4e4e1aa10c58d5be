#include "ui/fenster.h"

#include "ui/stil.h"
#include "ui/zugang.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <QWindow>
#include <limits>

namespace {

qreal logischeDpi()
{
    const QScreen *bildschirm = QGuiApplication::primaryScreen();
    return bildschirm ? bildschirm->logicalDotsPerInchY() : 96.0;
}

// The part of a button inside its frame where the caption may stand. The
// caption keeps a couple of pixels from the frame, or it reads as cut off.
QRectF knopfInnenflaeche(const QPushButton *knopf)
{
    QStyleOptionButton option;
    option.initFrom(knopf);
    option.text = knopf->text();
    option.features = QStyleOptionButton::None;
    if (knopf->isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    if (knopf->autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    const QRect innen = knopf->style()->subElementRect(QStyle::SE_PushButtonContents, &option, knopf);
    return QRectF(innen).adjusted(2, 0, -2, 0);
}

QRectF beschriftungsFlaeche(const QWidget *steuerelement)
{
    if (const auto *knopf = qobject_cast<const QPushButton *>(steuerelement))
        return knopfInnenflaeche(knopf);
    if (const auto *label = qobject_cast<const QLabel *>(steuerelement)) {
        const int rand = label->margin();
        return QRectF(label->contentsRect()).adjusted(rand, rand, -rand, -rand);
    }
    return QRectF();
}

// A label's rich text is laid out by a text document, not by these metrics.
bool hatEinfacheBeschriftung(const QWidget *steuerelement)
{
    if (const auto *knopf = qobject_cast<const QPushButton *>(steuerelement))
        return !knopf->text().isEmpty();
    if (const auto *label = qobject_cast<const QLabel *>(steuerelement)) {
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText
            || label->textFormat() == Qt::MarkdownText)
            return false;
        return label->textFormat() == Qt::PlainText || !Qt::mightBeRichText(label->text());
    }
    return false;
}

// How far letters are narrowed (per cent of their width) before the font
// gets smaller: more would read as a different typeface.
constexpr int KleinsteBreite = 88;

// Watches only the window it belongs to: the styles and captions of the
// other windows, and every event of the program, are none of its business.
class Fensterwaechter : public QObject
{
public:
    explicit Fensterwaechter(QWidget *fenster) : QObject(fenster), m_fenster(fenster) {}

protected:
    bool eventFilter(QObject *objekt, QEvent *ereignis) override
    {
        if (objekt != m_fenster)
            return false;
        if (ereignis->type() == QEvent::Polish && !m_poliert) {
            m_poliert = true;
            passendenStilWaehlen(m_fenster);
        } else if (ereignis->type() == QEvent::Show && !m_gezeigt) {
            m_gezeigt = true;
            passendenStilWaehlen(m_fenster);
            beschriftungenEinpassen(m_fenster);
        }
        return false;
    }

private:
    QWidget *m_fenster;
    bool m_poliert = false;
    bool m_gezeigt = false;
};

QAccessibleInterface *fensterSchnittstelle(const QString &klasse, QObject *objekt)
{
    auto *fenster = qobject_cast<QWidget *>(objekt);
    // Only the window's own class answers; dialogs and main windows already
    // have their roles from Qt.
    if (!fenster || !fenster->isWindow() || fenster->metaObject()->superClass() != &QWidget::staticMetaObject
        || klasse != QLatin1String(fenster->metaObject()->className()))
        return nullptr;
    return new QAccessibleWidget(fenster, QAccessible::Window);
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

QFont layoutSchrift(qreal punkte)
{
    static const QFont grund = [] {
        const QString name = QStringLiteral("MS Sans Serif");
        QFont::insertSubstitutions(name,
                                   {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                    QStringLiteral("Arimo")});
        // The face is picked here, not by Qt: for a family that is not
        // installed Qt first has fontconfig sort every font as a fall-back
        // (7 to 8 M instructions at start-up) before it tries the
        // substitutes. No style hint either, which would ask for another.
        // The installed families are listed once: hasFamily would first
        // have fontconfig resolve each candidate as an alias (about 1 M
        // instructions a candidate), and for these names no alias puts
        // another family before them.
        const QStringList installiert = QFontDatabase::families();
        const QStringList kandidaten = QStringList{name} + QFont::substitutes(name);
        for (const QString &familie : kandidaten) {
            if (installiert.contains(familie, Qt::CaseInsensitive))
                return QFont(familie);
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    }();
    QFont schrift = grund;
    schrift.setPointSizeF(punkte);
    return schrift;
}

QFont fettSchrift(qreal punkte)
{
    QFont schrift = layoutSchrift(punkte);
    schrift.setBold(true);
    return schrift;
}

void hellcyan(QWidget *w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor(192, 255, 255));
    // A button (an option, too) fills its background in the button colour.
    p.setColor(w->backgroundRole(), QColor(192, 255, 255));
    // The text drawn on the cyan comes with it: a dark system palette has
    // near-white text, unreadable on light cyan. Only the window's own roles
    // are set, so fields, lists and buttons keep the system's colours.
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(96, 128, 128));
    // An option draws its circle in the field colours: under a dark palette
    // a dark disc, its dot a faint grey, on the light cyan. Its circle and
    // dot come with the cyan as the captions do, as a light palette has them.
    if (qobject_cast<QRadioButton *>(w)) {
        p.setColor(QPalette::Base, Qt::white);
        p.setColor(QPalette::Text, Qt::black);
        p.setColor(QPalette::Disabled, QPalette::Text, QColor(96, 128, 128));
    }
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QRectF beschriftungsRechteck(const QWidget *steuerelement)
{
    if (!hatEinfacheBeschriftung(steuerelement))
        return QRectF();
    const QRectF flaeche = beschriftungsFlaeche(steuerelement);
    const QFontMetricsF masse(steuerelement->font());
    if (const auto *knopf = qobject_cast<const QPushButton *>(steuerelement))
        return masse.boundingRect(flaeche, Qt::AlignCenter | Qt::TextShowMnemonic, knopf->text());
    const auto *label = static_cast<const QLabel *>(steuerelement);
    int art = int(label->alignment());
    if (label->wordWrap())
        art |= Qt::TextWordWrap;
    if (label->buddy())
        art |= Qt::TextShowMnemonic;
    return masse.boundingRect(flaeche, art, label->text());
}

bool beschriftungPasst(const QWidget *steuerelement)
{
    const QRectF text = beschriftungsRechteck(steuerelement);
    if (text.isEmpty())
        return true;
    // Metrics in fractions of a pixel: a hundredth over is rounding, not clipping.
    const QRectF flaeche = beschriftungsFlaeche(steuerelement).adjusted(-0.01, -0.01, 0.01, 0.01);
    return flaeche.contains(text);
}

void schriftEinpassen(QWidget *steuerelement, qreal kleinstePunkte)
{
    if (!hatEinfacheBeschriftung(steuerelement) || beschriftungPasst(steuerelement))
        return;
    // Every font tried costs a font-database match and a face loaded at
    // start-up, so the steps are few and the same for every caption: the
    // captions that need it share one narrowed font, and the smaller sizes
    // come in half points. Narrower letters first: the caption keeps its
    // size and weight, so it still matches its neighbours' height.
    QFont schrift = steuerelement->font();
    schrift.setStretch(KleinsteBreite);
    steuerelement->setFont(schrift);
    qreal punkte = schrift.pointSizeF();
    // A font given in pixels has no point size to step down from.
    if (punkte <= 0)
        return;
    while (!beschriftungPasst(steuerelement) && punkte - 0.5 >= kleinstePunkte) {
        punkte -= 0.5;
        schrift.setPointSizeF(punkte);
        steuerelement->setFont(schrift);
    }
}

void beschriftungenEinpassen(QWidget *fenster)
{
    const QList<QWidget *> kinder = fenster->findChildren<QWidget *>();
    for (QWidget *kind : kinder) {
        if (qobject_cast<QLabel *>(kind) || qobject_cast<QPushButton *>(kind))
            schriftEinpassen(kind);
    }
}

void fensterEinrichten(QWidget *fenster)
{
    fenster->installEventFilter(new Fensterwaechter(fenster));
    fokusVorSchreibmarkeMelden(fenster);
}

namespace {

// Read as BMP straight away: letting Qt guess the format loads every image
// plugin at start-up, and only switching the guessing off altogether keeps
// it from asking them.
QPixmap bildLesen(const QString &pfad)
{
    QImageReader leser(pfad, "bmp");
    leser.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(leser.read());
}

} // namespace

QIcon programmSymbol()
{
    // The sizes a window and a task bar use, at scale 1 and 2; the larger
    // ones serve the desktop entry, which takes them from the icon theme.
    QIcon symbol;
    for (int groesse : {16, 24, 32, 48, 64})
        symbol.addPixmap(bildLesen(QStringLiteral(":/images/flasche-%1.bmp").arg(groesse)));
    return symbol;
}

QPixmap fragezeichenBild(const QWidget *widget)
{
    const qreal skala = widget->devicePixelRatioF();
    const int groesse = skala > 1.0 ? 64 : 32;
    QPixmap bild = bildLesen(QStringLiteral(":/images/fragezeichen-%1.bmp").arg(groesse));
    if (bild.width() != qRound(32 * skala))
        bild = bild.scaled(QSize(32, 32) * skala, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    bild.setDevicePixelRatio(skala);
    return bild;
}

void fensterRolleAnmelden()
{
    static bool angemeldet = false;
    if (angemeldet)
        return;
    angemeldet = true;
    QAccessible::installFactory(fensterSchnittstelle);
}

QLabel *beschriftung(QWidget *eltern, const char *name, const QString &text, const QRect &lage, qreal punkte)
{
    auto *l = new QLabel(text, eltern);
    l->setObjectName(QLatin1String(name));
    l->setFont(fettSchrift(punkte));
    l->setGeometry(lage);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QPushButton *knopf(QWidget *eltern, const char *name, const QString &text, const QRect &lage)
{
    auto *k = new QPushButton(text, eltern);
    k->setObjectName(QLatin1String(name));
    k->setGeometry(lage);
    QString ohneKuerzel = text;
    k->setAccessibleName(ohneKuerzel.remove(u'&'));
    return k;
}

QLineEdit *textfeld(QWidget *eltern, const char *name, const QString &text, const QRect &lage,
                    const QString &zugaenglich)
{
    auto *f = new QLineEdit(text, eltern);
    f->setObjectName(QLatin1String(name));
    // QLineEdit cuts typed and pasted text at 32767 characters without a
    // word; the catalogue write refuses what the file cannot hold instead.
    f->setMaxLength(std::numeric_limits<int>::max());
    f->setGeometry(lage);
    f->setAccessibleName(zugaenglich);
    return f;
}

namespace {

// The window manager's frame around a top-level window: known only once the
// window manager has framed it, and on a desktop without one never. Until
// then another of the program's framed windows tells what the frame is like.
QMargins rahmenRaender(const QWidget *fenster, bool *eigene = nullptr)
{
    const auto raender = [](const QWidget *w) {
        return w->isVisible() && w->windowHandle() ? w->windowHandle()->frameMargins() : QMargins();
    };
    QMargins m = raender(fenster);
    if (eigene)
        *eigene = !m.isNull();
    if (!m.isNull())
        return m;
    for (const QWidget *anderes : QApplication::topLevelWidgets()) {
        if (anderes != fenster && !(m = raender(anderes)).isNull())
            return m;
    }
    return QMargins();
}

void mittig(QWidget *fenster, const QMargins &rahmen)
{
    const QScreen *bildschirm = fenster->screen();
    if (!bildschirm)
        return;
    // The client area is placed, so that no window manager's idea of what a
    // position includes can shift it; the outer frame is what is centred.
    QRect aussen = QRect(QPoint(), fenster->size()).marginsAdded(rahmen);
    aussen.moveCenter(bildschirm->availableGeometry().center());
    fenster->setGeometry(QRect(aussen.topLeft() + QPoint(rahmen.left(), rahmen.top()), fenster->size()));
}

// Centres a window again once its own frame has come: the first window of
// the program has no other to learn the frame from.
class Nachzentrierer : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *objekt, QEvent *ereignis) override
    {
        // The frame comes around the window before it is first drawn; a
        // window placed by its client area does not move when framed.
        const QEvent::Type art = ereignis->type();
        if (art == QEvent::Move || art == QEvent::Resize || art == QEvent::Paint
            || art == QEvent::WindowActivate) {
            auto *fenster = static_cast<QWidget *>(objekt);
            bool eigene = false;
            const QMargins rahmen = rahmenRaender(fenster, &eigene);
            if (eigene) {
                fenster->removeEventFilter(this);
                deleteLater();
                mittig(fenster, rahmen);
            }
        }
        return false;
    }
};

} // namespace

void zentrieren(QWidget *fenster)
{
    bool eigene = false;
    const QMargins rahmen = rahmenRaender(fenster, &eigene);
    mittig(fenster, rahmen);
    if (rahmen.isNull()) {
        // At most one waits per window.
        const QString name = QStringLiteral("nachzentrieren");
        if (!fenster->findChild<QObject *>(name, Qt::FindDirectChildrenOnly)) {
            auto *warten = new Nachzentrierer(fenster);
            warten->setObjectName(name);
            fenster->installEventFilter(warten);
        }
    }
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
