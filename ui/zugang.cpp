#include "ui/zugang.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QValidator>

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

// Qt 6.4's interface of a line edit answers the question for the text's
// attribute runs (AT-SPI's GetAttributeRun) with an empty run at the offset
// asked for, [offset, offset), where a text without attributes is one run
// over all of it. Orca splits what it speaks by those runs (for their
// language): it gets [0, 0) at offset 0, [1, 1) at 1, and so on, and
// the last run it keeps ends one character short. So a field holding 80
// was read as "8", on focus and on every line Orca read from it. This is
// Qt's line edit interface with that answer right; everything else answers
// as Qt's does. Password fields keep Qt's own interface.
class Textfeld : public QAccessibleWidget,
                 public QAccessibleTextInterface,
                 public QAccessibleEditableTextInterface
{
public:
    explicit Textfeld(QLineEdit *feld) : QAccessibleWidget(feld, QAccessible::EditableText)
    {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    QLineEdit *feld() const { return static_cast<QLineEdit *>(widget()); }

    void *interface_cast(QAccessible::InterfaceType art) override
    {
        if (art == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (art == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(art);
    }

    QString text(QAccessible::Text art) const override
    {
        QString text = art == QAccessible::Value ? feld()->text() : QString();
        if (text.isEmpty())
            text = QAccessibleWidget::text(art);
        if (text.isEmpty() && art == QAccessible::Description)
            text = feld()->placeholderText();
        return text;
    }

    void setText(QAccessible::Text art, const QString &text) override
    {
        if (art != QAccessible::Value) {
            QAccessibleWidget::setText(art, text);
            return;
        }
        QString neu = text;
        int stelle = 0;
        if (feld()->validator() && feld()->validator()->validate(neu, stelle) != QValidator::Acceptable)
            return;
        feld()->setText(neu);
    }

    QAccessible::State state() const override
    {
        QAccessible::State zustand = QAccessibleWidget::state();
        if (feld()->isReadOnly())
            zustand.readOnly = true;
        else
            zustand.editable = true;
        zustand.selectableText = true;
        return zustand;
    }

    QString attributes(int, int *anfang, int *ende) const override
    {
        // No attributes, over the whole text.
        *anfang = 0;
        *ende = characterCount();
        return QString();
    }

    void selection(int nummer, int *anfang, int *ende) const override
    {
        *anfang = *ende = 0;
        if (nummer != 0 || !feld()->hasSelectedText())
            return;
        *anfang = feld()->selectionStart();
        *ende = feld()->selectionEnd();
    }
    int selectionCount() const override { return feld()->hasSelectedText() ? 1 : 0; }
    void addSelection(int anfang, int ende) override { setSelection(0, anfang, ende); }
    void removeSelection(int nummer) override
    {
        if (nummer == 0)
            feld()->deselect();
    }
    void setSelection(int nummer, int anfang, int ende) override
    {
        if (nummer == 0)
            feld()->setSelection(anfang, ende - anfang);
    }

    int cursorPosition() const override { return feld()->cursorPosition(); }
    void setCursorPosition(int stelle) override { feld()->setCursorPosition(stelle); }

    QString text(int anfang, int ende) const override
    {
        return anfang > ende ? QString() : feld()->text().mid(anfang, ende - anfang);
    }
    int characterCount() const override { return int(feld()->text().size()); }

    QRect characterRect(int stelle) const override
    {
        const QString zeichen = text(stelle, stelle + 1);
        if (zeichen.isEmpty())
            return QRect();
        // The field tells input methods where its caret stands, in the middle
        // of that rectangle; a character stands its text's width away from it.
        const QRect marke = feld()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QFontMetrics masse(feld()->font());
        const QString ganz = feld()->text();
        const int x = marke.center().x() + masse.horizontalAdvance(ganz.left(stelle))
            - masse.horizontalAdvance(ganz.left(feld()->cursorPosition()));
        return QRect(feld()->mapToGlobal(QPoint(x, marke.top())),
                     QSize(masse.horizontalAdvance(zeichen), masse.height()));
    }
    int offsetAtPoint(const QPoint &punkt) const override
    {
        return feld()->cursorPositionAt(feld()->mapFromGlobal(punkt));
    }
    void scrollToSubstring(int anfang, int ende) override
    {
        feld()->setCursorPosition(ende);
        feld()->setCursorPosition(anfang);
    }

    // Offset -2 stands for the caret.
    QString textBeforeOffset(int stelle, QAccessible::TextBoundaryType art, int *anfang,
                             int *ende) const override
    {
        return QAccessibleTextInterface::textBeforeOffset(stelle == -2 ? cursorPosition() : stelle, art,
                                                          anfang, ende);
    }
    QString textAfterOffset(int stelle, QAccessible::TextBoundaryType art, int *anfang,
                            int *ende) const override
    {
        return QAccessibleTextInterface::textAfterOffset(stelle == -2 ? cursorPosition() : stelle, art,
                                                         anfang, ende);
    }
    QString textAtOffset(int stelle, QAccessible::TextBoundaryType art, int *anfang, int *ende) const override
    {
        return QAccessibleTextInterface::textAtOffset(stelle == -2 ? cursorPosition() : stelle, art, anfang,
                                                      ende);
    }

    void deleteText(int anfang, int ende) override
    {
        feld()->setText(feld()->text().remove(anfang, ende - anfang));
    }
    void insertText(int stelle, const QString &text) override
    {
        feld()->setText(feld()->text().insert(stelle, text));
    }
    void replaceText(int anfang, int ende, const QString &text) override
    {
        feld()->setText(feld()->text().replace(anfang, ende - anfang, text));
    }
};

// On Linux Qt 6.4 names a combo box by the text it holds, and leaves its
// own name to a label beside it: the count list, which has none, was
// announced as "0", and "Anzahl" came last, as its description. Here a
// combo box is named by its name and valued by its text, like any other
// control; the rest answers as Qt's interface does.
class Auswahl : public QAccessibleWidget
{
public:
    explicit Auswahl(QComboBox *liste) : QAccessibleWidget(liste, QAccessible::ComboBox) {}

    QComboBox *liste() const { return static_cast<QComboBox *>(widget()); }

    QString text(QAccessible::Text art) const override
    {
        QString text;
        if (art == QAccessible::Value)
            text = liste()->isEditable() ? liste()->lineEdit()->text() : liste()->currentText();
        else if (art == QAccessible::Accelerator)
            text = QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText);
        return text.isEmpty() ? QAccessibleWidget::text(art) : text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State zustand = QAccessibleWidget::state();
        // The list exists once it has been opened; asking must not make it.
        const auto *offen = liste()->findChild<QAbstractItemView *>();
        zustand.expandable = true;
        zustand.expanded = offen && offen->isVisible();
        zustand.collapsed = !zustand.expanded;
        zustand.editable = liste()->isEditable();
        return zustand;
    }

    // The list first, then the text field.
    int childCount() const override { return liste()->isEditable() ? 2 : 1; }
    QAccessibleInterface *child(int nummer) const override
    {
        if (nummer == 0)
            return QAccessible::queryAccessibleInterface(liste()->view());
        if (nummer == 1 && liste()->isEditable())
            return QAccessible::queryAccessibleInterface(liste()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface *kind) const override
    {
        if (kind->object() == liste()->view())
            return 0;
        if (liste()->isEditable() && kind->object() == liste()->lineEdit())
            return 1;
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QLineEdit *feld = liste()->lineEdit();
        if (feld && feld->rect().contains(feld->mapFromGlobal(QPoint(x, y))))
            return child(1);
        return nullptr;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    QString localizedActionDescription(const QString &aktion) const override
    {
        if (aktion == showMenuAction() || aktion == pressAction())
            return QComboBox::tr("Open the combo box selection popup");
        return QString();
    }
    void doAction(const QString &aktion) override
    {
        if (aktion != showMenuAction() && aktion != pressAction())
            return;
        if (liste()->view()->isVisible())
            liste()->hidePopup();
        else
            liste()->showPopup();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
};

QAccessibleInterface *eigeneSchnittstelle(const QString &klasse, QObject *objekt)
{
    if (auto *label = qobject_cast<QLabel *>(objekt); label && label->property(AnsageEigenschaft).toBool())
        return new Ansage(label);
    // Exactly these classes, as Qt's own factory asks: a spin box's field is
    // read through the spin box.
    if (klasse == QLatin1String("QLineEdit")) {
        auto *feld = static_cast<QLineEdit *>(objekt);
        if (feld->echoMode() == QLineEdit::Normal
            && feld->objectName() != QLatin1String("qt_spinbox_lineedit"))
            return new Textfeld(feld);
    }
    if (klasse == QLatin1String("QComboBox"))
        return new Auswahl(static_cast<QComboBox *>(objekt));
    return nullptr;
}

// Keeps the accessibility events of one object from the screen reader while
// it lives; every other event goes on as before.
class Verschwiegen
{
public:
    explicit Verschwiegen(QObject *objekt)
    {
        stumm = objekt;
        vorher = QAccessible::installUpdateHandler(weitergeben);
    }
    ~Verschwiegen()
    {
        QAccessible::installUpdateHandler(vorher);
        stumm = nullptr;
    }
    Verschwiegen(const Verschwiegen &) = delete;
    Verschwiegen &operator=(const Verschwiegen &) = delete;

private:
    static void weitergeben(QAccessibleEvent *ereignis)
    {
        if (ereignis->object() == stumm)
            return;
        if (vorher) {
            vorher(ereignis);
            return;
        }
        // Without a handler Qt passes the event to the platform's bridge.
        QAccessible::installUpdateHandler(nullptr);
        QAccessible::updateAccessibility(ereignis);
        QAccessible::installUpdateHandler(weitergeben);
    }

    static inline QObject *stumm = nullptr;
    static inline QAccessible::UpdateHandler vorher = nullptr;
};

// Return in an open combo box list, with a screen reader listening, made
// Qt 6.4 choose the entry twice, and Orca said it three times. Qt hands a
// key press to the screen reader first and delivers it again when it comes
// back unused; the list, closed by then, still takes the repeat's shortcut
// override for a choice. And Qt closes the list, giving the combo box the
// focus, before it writes the entry into the text field: Orca speaks the
// combo box with its new text, then takes the text written after Return
// for text completed and speaks it again. Here the entry is written first,
// without telling the screen reader, the list closes, Orca reads the combo
// box with its text, and the choice is reported once; the repeat is dropped.
class Listenwahl : public QObject
{
public:
    explicit Listenwahl(QComboBox *liste) : QObject(liste), m_liste(liste)
    {
        liste->installEventFilter(this);
        if (liste->lineEdit())
            liste->lineEdit()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *objekt, QEvent *ereignis) override
    {
        // The list is made when it first opens, taking the focus; its own
        // filter then comes before this one.
        if (ereignis->type() == QEvent::FocusOut
            && static_cast<QFocusEvent *>(ereignis)->reason() == Qt::PopupFocusReason) {
            m_ansicht = m_liste->view();
            m_ansicht->installEventFilter(this);
            return false;
        }
        if (!m_ansicht || objekt != m_ansicht || ereignis->type() != QEvent::ShortcutOverride)
            return false;
        auto *taste = static_cast<QKeyEvent *>(ereignis);
        if ((taste->key() != Qt::Key_Return && taste->key() != Qt::Key_Enter)
            || (taste->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        if (!m_ansicht->isVisible())
            return true;
        const QModelIndex eintrag = m_ansicht->currentIndex();
        if (!eintrag.isValid() || !(eintrag.flags() & Qt::ItemIsEnabled))
            return false;
        const int zeile = eintrag.row();
        {
            const Verschwiegen still(m_liste->lineEdit());
            m_liste->setCurrentIndex(zeile);
        }
        m_liste->hidePopup();
        taste->accept();
        emit m_liste->activated(zeile);
        emit m_liste->textActivated(m_liste->itemText(zeile));
        return true;
    }

private:
    QComboBox *m_liste;
    QPointer<QAbstractItemView> m_ansicht;
};

class FokusMelder : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *objekt, QEvent *ereignis) override
    {
        if (ereignis->type() != QEvent::FocusIn || umgeleitet)
            return false;
        const auto grund = static_cast<QFocusEvent *>(ereignis)->reason();
        if (grund != Qt::TabFocusReason && grund != Qt::BacktabFocusReason
            && grund != Qt::ShortcutFocusReason)
            return false;
        auto *liste = qobject_cast<QComboBox *>(objekt);
        QLineEdit *feld = liste ? liste->lineEdit() : qobject_cast<QLineEdit *>(objekt);
        if (!feld || !feld->inputMask().isEmpty())
            return false;
        // Reached by Tab or a shortcut, a field selects all its text, and Qt
        // reports that selection and the caret before the focus itself. For
        // a field with text Orca then read the selected text before the
        // field's name, and the field again; for an empty one it took the
        // caret report for the focus change and said nothing at all. So the
        // field gets the focus as by any other means, which reports only
        // the focus, and selects its text right after.
        QFocusEvent ohneAuswahl(QEvent::FocusIn, Qt::OtherFocusReason);
        umgeleitet = true;
        QCoreApplication::sendEvent(objekt, &ohneAuswahl);
        umgeleitet = false;
        if (!feld->text().isEmpty()) {
            QMetaObject::invokeMethod(
                feld,
                [feld] {
                    if (feld->hasFocus())
                        feld->selectAll();
                },
                Qt::QueuedConnection);
        }
        return true;
    }

private:
    bool umgeleitet = false;
};

class Tabstopp : public QObject
{
public:
    Tabstopp(QWidget *davor, QRadioButton *erste, QRadioButton *zweite, QWidget *danach)
        : QObject(erste), m_davor(davor), m_erste(erste), m_zweite(zweite), m_danach(danach)
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
        if (!m_davor || !m_erste || !m_zweite || !m_danach)
            return;
        QRadioButton *gewaehlt = m_zweite->isChecked() ? m_zweite.data() : m_erste.data();
        QRadioButton *andere = gewaehlt == m_erste ? m_zweite.data() : m_erste.data();
        QWidget::setTabOrder(m_davor, gewaehlt);
        QWidget::setTabOrder(gewaehlt, m_danach);
        QWidget::setTabOrder(m_danach, andere);
    }

    QPointer<QWidget> m_davor;
    QPointer<QRadioButton> m_erste;
    QPointer<QRadioButton> m_zweite;
    QPointer<QWidget> m_danach;
};

} // namespace

void zugangAnmelden()
{
    static bool angemeldet = false;
    if (angemeldet)
        return;
    angemeldet = true;
    QAccessible::installFactory(eigeneSchnittstelle);
}

void listeEinmalWaehlen(QComboBox *liste)
{
    new Listenwahl(liste);
}

void alsAnsage(QLabel *label)
{
    zugangAnmelden();
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
    // A combo box takes the focus for its field.
    for (QComboBox *liste : fenster->findChildren<QComboBox *>())
        liste->installEventFilter(melder);
}

void optionenEinTabstopp(QWidget *davor, QRadioButton *erste, QRadioButton *zweite, QWidget *danach)
{
    new Tabstopp(davor, erste, zweite, danach);
}
