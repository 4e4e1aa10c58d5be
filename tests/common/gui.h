#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class frmAlkohol;
class QLineEdit;
class QWidget;

// A program directory of its own for one test, with the main window started
// from it, the shared state of the run reset first.
class Programm
{
public:
    // `katalog` is written as the catalogue file unless it is null (no file).
    explicit Programm(const QByteArray &katalog = QByteArray());
    ~Programm();

    frmAlkohol *fenster() const { return m_fenster.get(); }
    QString katalogPfad() const;
    QByteArray katalogInhalt() const;
    void schreibeKatalog(const QByteArray &inhalt) const;
    QString verzeichnis() const { return m_verzeichnis.path(); }

private:
    QTemporaryDir m_verzeichnis;
    std::unique_ptr<frmAlkohol> m_fenster;
};

// Gives `feld` the focus and types `text` at its caret, one key per
// character as the user would, any character (QTest::keyClicks takes only
// Latin-1).
void tippe(QWidget *feld, const QString &text);

// Types `text` into a field as the user would after emptying it: everything
// selected and deleted, the caret to the start, then one key per character.
// Typing at the start is how a percentage goes in front of the "%" a
// percentage field keeps. The focus stays where it is.
void ersetze(QLineEdit *feld, const QString &text);

// Runs `ausloeser`, which is expected to open a modal box, and returns the
// text of that box after closing it with its accept button. Returns a null
// string when no modal box came.
QString naechsteMeldung(const std::function<void()> &ausloeser);

// Runs `ausloeser`, which opens a modal prompt; types `antwort` and accepts,
// or cancels when `abbrechen` is true. Returns the prompt's window title.
QString beantworteFrage(const std::function<void()> &ausloeser, const QString &antwort,
                        bool abbrechen = false);

// A catalogue file's bytes from rows written as name/percent/amount triples.
QByteArray katalogZeilen(std::initializer_list<std::initializer_list<const char *>> zeilen);
