#pragma once

#include <QString>

// A percentage field keeps a whole percentage from "0%" to "100%" or falls back
// to its reset value. The rule runs after every change of the field's text,
// including the changes it makes itself: a write raises the field's change
// event at once, which runs the rule again inside the write, and writing the
// text the field already holds raises nothing. That is how the rule comes to
// rest, at most three runs deep.

// What the rule needs of a field: its text, and a write that, when the text
// really changes, runs the field's change handler before it returns.
class Textfeld
{
public:
    virtual ~Textfeld() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
};

// One run of the rule on a field with the given reset value.
void prozentRegel(Textfeld &feld, const QString &rueckfall);

// The text a field ends with after the user's edit left `text` in it and the
// rule, with all its nested runs, has come to rest.
QString prozentRuhelage(const QString &text, const QString &rueckfall);

// True for the 101 texts "0" to "100" as an integer is written: no sign, no
// blank, no leading zero, no decimal point.
bool istProzentZahl(const QString &text);
