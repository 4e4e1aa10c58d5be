#pragma once

#include <QList>
#include <QString>

// § 9 of the youth protection act (JuSchG), the text of the law window.

// One piece of the law text and the run of blanks that follows it. The long
// runs once pushed the next piece onto a line of its own in the label; the
// short ones separate an item number from its text or stand inside an item.
struct GesetzStueck
{
    QString text;
    int leerzeichen;
};

// The seventeen pieces, in order.
const QList<GesetzStueck> &gesetzStuecke();

// The pieces with their runs of blanks as one text (1644 characters, no line
// breaks), the words exactly as the statute's table gives them.
QString gesetzText();

// The same words in the same order, set for display with a line of its own
// for the heading, each paragraph and each numbered item, and the closing
// sentence. Runs that ended a line of the statute, and the runs before an
// item number, become line breaks; every other run a single blank.
QString gesetzZeilen();
