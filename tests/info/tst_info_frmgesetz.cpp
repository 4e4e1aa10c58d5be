// The law window on the running program: one modeless instance above the main
// window, the statute readable in full, closed by its cross and shown again.
#include "app/frmalkohol.h"
#include "common/gui.h"
#include "info/frmgesetz.h"
#include "info/gesetztext.h"
#include "ui/fenster.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

namespace {

frmGesetz *gesetzDruecken(frmAlkohol *f)
{
    QTest::mouseClick(f->Command3, Qt::LeftButton);
    return frmGesetz::instanz();
}

QList<frmGesetz *> alleGesetzfenster()
{
    QList<frmGesetz *> fenster;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *g = qobject_cast<frmGesetz *>(w))
            fenster.append(g);
    }
    return fenster;
}

// Where the next window below would start: the outer bottom edge.
int unterkante(const QWidget *fenster)
{
    const QRect rahmen = fenster->frameGeometry();
    return rahmen.top() + rahmen.height();
}

int oberkante(const QWidget *fenster)
{
    return fenster->frameGeometry().top();
}

} // namespace

class TestFrmGesetz : public QObject
{
    Q_OBJECT

private slots:
    void fenster();
    void steuerelemente();
    void standardAussehen();
    void textPasstOhneRollbalken();
    void nichtModal();
    void nurEinFenster();
    void platzierung_data();
    void platzierung();
    void linkeKanteBleibt();
    void schliessen();
};

void TestFrmGesetz::fenster()
{
    Programm p;
    frmGesetz *g = gesetzDruecken(p.fenster());
    QVERIFY(g);
    QVERIFY(g->isVisible());
    QVERIFY(g->isWindow());
    QCOMPARE(g->objectName(), QStringLiteral("frmGesetz"));
    QCOMPARE(g->windowTitle(), QStringLiteral("Gesetz"));
    QCOMPARE(g->accessibleName(), QStringLiteral("Gesetz"));
    QCOMPARE(g->size(), QSize(twips(6105), twips(3825)));
    // No icon of its own.
    QVERIFY(!g->testAttribute(Qt::WA_SetWindowIcon));
}

void TestFrmGesetz::steuerelemente()
{
    Programm p;
    frmGesetz *g = gesetzDruecken(p.fenster());

    QCOMPARE(g->Label1->objectName(), QStringLiteral("Label1"));
    QCOMPARE(g->Label1->geometry(), twipsRect(120, 120, 5895, 3615));
    QCOMPARE(g->Label1->lineWrapMode(), QTextEdit::WidgetWidth);
    // Read-only, with the focus when shown.
    QVERIFY(g->Label1->isReadOnly());
    QCOMPARE(g->focusWidget(), g->Label1);
    // No name of its own: the screen reader reads the text, line by line
    // as it is wrapped, the heading first.
    QVERIFY(g->Label1->accessibleName().isEmpty());
    QAccessibleInterface *zugang = QAccessible::queryAccessibleInterface(g->Label1);
    QVERIFY(zugang && zugang->textInterface());
    int anfang = -1;
    int ende = -1;
    QCOMPARE(zugang->textInterface()->textAtOffset(0, QAccessible::LineBoundary, &anfang, &ende).trimmed(),
             QStringLiteral("JuSchG § 9 Alkoholische Getränke"));

    QCOMPARE(g->Command1->objectName(), QStringLiteral("Command1"));
    QCOMPARE(g->Command1->geometry(), twipsRect(5760, 0, 375, 375));
    QCOMPARE(g->Command1->text(), QStringLiteral("×"));
    QCOMPARE(g->Command1->accessibleName(), QStringLiteral("Schließen"));

    // Tab order: the text, then the cross.
    QTest::keyClick(g->Label1, Qt::Key_Tab);
    QCOMPARE(g->focusWidget(), g->Command1);
}

void TestFrmGesetz::standardAussehen()
{
    Programm p;
    frmGesetz *g = gesetzDruecken(p.fenster());

    // System colours, not the main window's light cyan.
    const QColor cyan(192, 255, 255);
    QCOMPARE(p.fenster()->palette().color(QPalette::Window), cyan);
    QCOMPARE(g->palette().color(QPalette::Window), QApplication::palette(g).color(QPalette::Window));
    QVERIFY(g->palette().color(QPalette::Window) != cyan);
    // The text stands on the window in the window's text colour, as a label's.
    QCOMPARE(g->Label1->palette().color(QPalette::Text), g->palette().color(QPalette::WindowText));
    QVERIFY(!g->Label1->viewport()->autoFillBackground());

    // Regular, in the face and size of the main window's fields: the face
    // the layout was drawn for, not the system's.
    const QFont felder = p.fenster()->Masse->font();
    QCOMPARE(QFontInfo(g->Label1->font()).family(), QFontInfo(felder).family());
    QCOMPARE(g->Label1->font().pointSizeF(), felder.pointSizeF());
    QVERIFY(!g->Label1->font().bold());
    QCOMPARE(g->Label1->font().weight(), QFont::Normal);
    QVERIFY(!g->Command1->font().bold());
}

void TestFrmGesetz::textPasstOhneRollbalken()
{
    Programm p;
    frmGesetz *g = gesetzDruecken(p.fenster());

    QCOMPARE(g->Label1->toPlainText(), gesetzZeilen());
    for (const QScrollBar *balken : g->findChildren<QScrollBar *>())
        QVERIFY(!balken->isVisible());
    QVERIFY(g->findChildren<QScrollArea *>().isEmpty());
    const qreal noetig = g->Label1->document()->size().height();
    QVERIFY2(noetig <= g->Label1->height(),
             qPrintable(QStringLiteral("%1 px needed, %2 px there").arg(noetig).arg(g->Label1->height())));
    // The label stays inside the window.
    QVERIFY(g->rect().contains(g->Label1->geometry()));
}

void TestFrmGesetz::nichtModal()
{
    Programm p;
    frmAlkohol *f = p.fenster();
    frmGesetz *g = gesetzDruecken(f);
    QVERIFY(!g->isModal());
    QCOMPARE(g->windowModality(), Qt::NonModal);
    QVERIFY(!QApplication::activeModalWidget());

    // The main window keeps taking input while the law window is open.
    QVERIFY(f->isEnabled());
    QCOMPARE(naechsteMeldung([f] { QTest::mouseClick(f->cmdBerechnen, Qt::LeftButton); }),
             QStringLiteral("Bitte füllen Sie die Boxen korrekt aus"));
    QVERIFY(g->isVisible());
}

void TestFrmGesetz::nurEinFenster()
{
    Programm p;
    QVERIFY(alleGesetzfenster().isEmpty());
    frmGesetz *erstes = gesetzDruecken(p.fenster());
    frmGesetz *zweites = gesetzDruecken(p.fenster());
    QCOMPARE(zweites, erstes);
    QCOMPARE(alleGesetzfenster().size(), 1);
    QVERIFY(erstes->isVisible());
}

void TestFrmGesetz::platzierung_data()
{
    QTest::addColumn<QPoint>("hauptfenster");

    QTest::newRow("weiter unten") << QPoint(100, 500);
    QTest::newRow("rechts") << QPoint(600, 420);
    // The computed top lies above the screen's top edge and is kept.
    QTest::newRow("oben am Rand") << QPoint(200, 20);
    QTest::newRow("ganz oben") << QPoint(0, 0);
}

void TestFrmGesetz::platzierung()
{
    QFETCH(QPoint, hauptfenster);

    Programm p;
    frmAlkohol *f = p.fenster();
    frmGesetz *g = gesetzDruecken(f);
    QCOMPARE(unterkante(g), oberkante(f));
    // The first time it stands in the middle of the screen, left to right.
    const QRect schirm = g->screen()->availableGeometry();
    QVERIFY2(qAbs(g->frameGeometry().center().x() - schirm.center().x()) <= 1,
             qPrintable(QString::number(g->frameGeometry().center().x())));
    const int links = g->frameGeometry().left();

    f->move(hauptfenster);
    QCOMPARE(f->frameGeometry().topLeft(), hauptfenster);
    QCOMPARE(gesetzDruecken(f), g);
    QCOMPARE(unterkante(g), oberkante(f));
    QCOMPARE(g->frameGeometry().top(), hauptfenster.y() - g->frameGeometry().height());
    QCOMPARE(g->frameGeometry().left(), links);
}

void TestFrmGesetz::linkeKanteBleibt()
{
    Programm p;
    frmAlkohol *f = p.fenster();
    frmGesetz *g = gesetzDruecken(f);

    // Wherever the user last put it, left to right; the height is set anew.
    g->move(37, 300);
    QCOMPARE(gesetzDruecken(f), g);
    QCOMPARE(g->frameGeometry().left(), 37);
    QCOMPARE(unterkante(g), oberkante(f));
}

void TestFrmGesetz::schliessen()
{
    Programm p;
    frmAlkohol *f = p.fenster();
    QPointer<frmGesetz> g = gesetzDruecken(f);
    const QString text = g->Label1->toPlainText();

    QTest::mouseClick(g->Command1, Qt::LeftButton);
    QVERIFY(g);
    QVERIFY(!g->isVisible());
    QVERIFY(f->isVisible());

    // Moved while the law window was hidden: shown again, placed anew.
    f->move(250, 450);
    QCOMPARE(gesetzDruecken(f), g.data());
    QVERIFY(g->isVisible());
    QCOMPARE(g->Label1->toPlainText(), text);
    QCOMPARE(unterkante(g), oberkante(f));
    QCOMPARE(alleGesetzfenster().size(), 1);
}

QTEST_MAIN(TestFrmGesetz)
#include "tst_info_frmgesetz.moc"
