#pragma once

#include <QWidget>

class QPushButton;
class QTextEdit;

// The law window: the text of § 9 JuSchG. One shared instance, created on
// first use, shown without modality beside the main window and hidden (never
// destroyed) by its close button, so the next "Gesetz" shows it again.
class frmGesetz : public QWidget
{
    Q_OBJECT

public:
    // The single instance, created on first call as a window of its own
    // that belongs to the main window.
    static frmGesetz *instanz();

    QTextEdit *Label1;     // the law text, read-only
    QPushButton *Command1; // the close cross

    // Shows the window with its bottom edge on `fenster`'s top edge; its
    // left edge stays where it is.
    void ueberFensterZeigen(const QWidget *fenster);

    void Command1_Click();

protected:
    void showEvent(QShowEvent *ereignis) override;
    void changeEvent(QEvent *ereignis) override;

private:
    explicit frmGesetz(QWidget *eltern);
    void textSetzen();
    void textfarbenSetzen();

    bool zentriert = false;
};
