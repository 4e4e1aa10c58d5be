#include "ui/zugang.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

namespace {

const char AnsageEigenschaft[] = "promille_ansage";

// Qt 6.4 has no announcement event and its AT-SPI bridge no live-region
// attributes. What Orca speaks without the focus moving is a notification
// that appears: so the label is a notification, and a new text makes it
// appear again (showing state set) for the accessibility interface. On
// screen nothing changes; the label was and stays visible.
class Ansage : public QAccessibleWidget
{
public:
    explicit Ansage(QLabel *label) : QAccessibleWidget(label, QAccessible::Notification) {}

    QString text(QAccessible::Text art) const override
    {
        // Read as a label is read: by its text.
        if (art == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel *>(widget())->text();
        return QAccessibleWidget::text(art);
    }
};

QAccessibleInterface *ansageSchnittstelle(const QString &, QObject *objekt)
{
    auto *label = qobject_cast<QLabel *>(objekt);
    if (!label || !label->property(AnsageEigenschaft).toBool())
        return nullptr;
    return new Ansage(label);
}

class FokusMelder : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *objekt, QEvent *ereignis) override
    {
        if (ereignis->type() != QEvent::FocusIn || umgeleitet)
            return false;
        auto *feld = qobject_cast<QLineEdit *>(objekt);
        const auto grund = static_cast<QFocusEvent *>(ereignis)->reason();
        // Reached by Tab or a shortcut, a field selects all its text, and
        // even for an empty one that reports a selection and a caret before
        // the focus itself. Orca takes the caret report for the focus change
        // and then says nothing: there is no text to read and the focus
        // event comes too late. With nothing to select the field is given
        // the focus as by any other means, and reports only that.
        if (!feld || !feld->text().isEmpty() || !feld->inputMask().isEmpty()
            || (grund != Qt::TabFocusReason && grund != Qt::BacktabFocusReason
                && grund != Qt::ShortcutFocusReason))
            return false;
        QFocusEvent ohneAuswahl(QEvent::FocusIn, Qt::OtherFocusReason);
        umgeleitet = true;
        QCoreApplication::sendEvent(feld, &ohneAuswahl);
        umgeleitet = false;
        return true;
    }

private:
    bool umgeleitet = false;
};

class Tabstopp : public QObject
{
public:
    Tabstopp(QWidget *davor, QRadioButton *erste, QRadioButton *zweite, QWidget *danach)
        : QObject(erste), davor(davor), erste(erste), zweite(zweite), danach(danach)
    {
        connect(erste, &QRadioButton::toggled, this, &Tabstopp::ordnen);
        connect(zweite, &QRadioButton::toggled, this, &Tabstopp::ordnen);
        ordnen();
    }

private:
    // Qt's Tab visits one option of an exclusive group, the first of them in
    // the focus chain, whether it is selected or not. So the selected one
    // goes first, at the group's place; the other follows `danach`, where Tab
    // passes it by.
    // Neither option ever stands apart from the chain, so it stays whole.
    void ordnen()
    {
        if (!davor || !erste || !zweite || !danach)
            return;
        QRadioButton *gewaehlt = zweite->isChecked() ? zweite.data() : erste.data();
        QRadioButton *andere = gewaehlt == erste ? zweite.data() : erste.data();
        QWidget::setTabOrder(davor, gewaehlt);
        QWidget::setTabOrder(gewaehlt, danach);
        QWidget::setTabOrder(danach, andere);
    }

    QPointer<QWidget> davor;
    QPointer<QRadioButton> erste;
    QPointer<QRadioButton> zweite;
    QPointer<QWidget> danach;
};

} // namespace

void alsAnsage(QLabel *label)
{
    static bool angemeldet = false;
    if (!angemeldet) {
        angemeldet = true;
        QAccessible::installFactory(ansageSchnittstelle);
    }
    label->setProperty(AnsageEigenschaft, true);
}

void ergebnisAnsagen(QLabel *label)
{
    if (label->text().isEmpty() || !QAccessible::isActive())
        return;
    QAccessibleEvent erschienen(label, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&erschienen);
}

void fokusVorSchreibmarkeMelden(QWidget *fenster)
{
    auto *melder = new FokusMelder(fenster);
    for (QLineEdit *feld : fenster->findChildren<QLineEdit *>())
        feld->installEventFilter(melder);
}

void optionenEinTabstopp(QWidget *davor, QRadioButton *erste, QRadioButton *zweite, QWidget *danach)
{
    new Tabstopp(davor, erste, zweite, danach);
}
