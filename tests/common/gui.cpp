#include "common/gui.h"

#include "app/alk.h"
#include "app/frmalkohol.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringEncoder>
#include <QTest>
#include <QTimer>

Programm::Programm(const QByteArray &katalog)
{
    Alk::Sorten = SortenTabelle{};
    Alk::Zeile = 0;
    Alk::LetzteZeile = 0;
    Alk::BearbeitenZeile = 0;
    Alk::Pfad.clear();
    Alk::Faktor = 0;
    Alk::Anteil = 0;
    Alk::Gramm = 0;
    Alk::Ergebnis.clear();
    if (!katalog.isNull())
        schreibeKatalog(katalog);
    m_fenster = std::make_unique<frmAlkohol>(m_verzeichnis.path());
    m_fenster->show();
    QApplication::setActiveWindow(m_fenster.get());
}

Programm::~Programm() = default;

namespace {

void tasten(QWidget *feld, const QString &text)
{
    for (const QChar c : text) {
        const QChar gross = c.toUpper();
        const auto taste = gross.unicode() <= 0xff ? Qt::Key(gross.unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, feld, taste, QString(c), Qt::NoModifier);
    }
}

} // namespace

void tippe(QWidget *feld, const QString &text)
{
    feld->setFocus();
    tasten(feld, text);
}

void ersetze(QLineEdit *feld, const QString &text)
{
    feld->selectAll();
    QTest::keyClick(feld, Qt::Key_Backspace);
    QTest::keyClick(feld, Qt::Key_Home);
    tasten(feld, text);
}

QString Programm::katalogPfad() const
{
    return m_verzeichnis.filePath(QStringLiteral("AlkoholSorten.txt"));
}

QByteArray Programm::katalogInhalt() const
{
    QFile f(katalogPfad());
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void Programm::schreibeKatalog(const QByteArray &inhalt) const
{
    QFile f(katalogPfad());
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(inhalt);
}

namespace {

// Polls for the modal widget: it appears only once exec() has started. The
// poll ends when the trigger has returned, so nothing outlives the call.
void wennModal(const std::shared_ptr<bool> &vorbei, const std::function<void(QWidget *)> &tu)
{
    QTimer::singleShot(5, [vorbei, tu] {
        if (*vorbei)
            return;
        if (QWidget *modal = QApplication::activeModalWidget()) {
            *vorbei = true;
            tu(modal);
        } else {
            wennModal(vorbei, tu);
        }
    });
}

} // namespace

QString naechsteMeldung(const std::function<void()> &ausloeser)
{
    auto text = std::make_shared<QString>();
    auto vorbei = std::make_shared<bool>(false);
    wennModal(vorbei, [text](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            *text = box->text();
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                ok->click();
            else
                box->accept();
        } else {
            *text = QStringLiteral("<kein Meldungsfenster: %1>")
                        .arg(QString::fromLatin1(modal->metaObject()->className()));
            modal->close();
        }
    });
    ausloeser();
    *vorbei = true;
    return *text;
}

QString beantworteFrage(const std::function<void()> &ausloeser, const QString &antwort, bool abbrechen)
{
    auto titel = std::make_shared<QString>();
    auto vorbei = std::make_shared<bool>(false);
    wennModal(vorbei, [=](QWidget *modal) {
        *titel = modal->windowTitle();
        auto *frage = qobject_cast<QInputDialog *>(modal);
        if (!frage) {
            modal->close();
            return;
        }
        if (abbrechen) {
            frage->reject();
            return;
        }
        auto *feld = frage->findChild<QLineEdit *>();
        feld->selectAll();
        QTest::keyClicks(feld, antwort);
        QTest::keyClick(feld, Qt::Key_Return);
    });
    ausloeser();
    *vorbei = true;
    return *titel;
}

QByteArray katalogZeilen(std::initializer_list<std::initializer_list<const char *>> zeilen)
{
    QStringEncoder enkoder("windows-1252");
    QByteArray daten;
    for (const auto &zeile : zeilen) {
        QStringList felder;
        for (const char *feld : zeile)
            felder.append(QString::fromUtf8(feld));
        daten += enkoder.encode(u'"' + felder.join(QStringLiteral("\",\"")) + u'"');
        daten += "\r\n";
    }
    return daten;
}
