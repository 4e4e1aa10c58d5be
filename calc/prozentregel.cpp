#include "calc/prozentregel.h"

bool istProzentZahl(const QString &text)
{
    const int n = text.size();
    if (n < 1 || n > 3)
        return false;
    int wert = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
        wert = wert * 10 + (c.unicode() - u'0');
    }
    if (n > 1 && text[0] == u'0')
        return false;
    return wert <= 100;
}

namespace {

// The value of the digits a text begins with; capped, since only "above 100"
// matters and the rule never sees more than five characters.
int fuehrendeZiffern(const QString &text)
{
    int wert = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        wert = qMin(wert * 10 + (c.unicode() - u'0'), 100000);
    }
    return wert;
}

} // namespace

void prozentRegel(Textfeld &feld, const QString &rueckfall)
{
    bool angenommen = false;

    const QString text = feld.text();
    const int n = text.size();
    if (n >= 1 && n <= 5) {
        const QString kopf = n == 1 ? text : text.left(n - 1);
        angenommen = istProzentZahl(kopf);
    }

    if (!angenommen) {
        feld.setText(rueckfall);
        return;
    }

    // Each check reads the text afresh: a write above may have run the rule
    // again and left something else in the field.
    if (fuehrendeZiffern(feld.text()) > 100)
        feld.setText(rueckfall);

    const QString jetzt = feld.text();
    if (!jetzt.isEmpty() && !jetzt.endsWith(u'%'))
        feld.setText(jetzt + u'%');
}

namespace {

class SimuliertesFeld : public Textfeld
{
public:
    SimuliertesFeld(const QString &text, const QString &rueckfall) : m_text(text), m_rueckfall(rueckfall) {}
    QString text() const override { return m_text; }
    void setText(const QString &neu) override
    {
        if (neu == m_text)
            return;
        m_text = neu;
        prozentRegel(*this, m_rueckfall);
    }

private:
    QString m_text;
    QString m_rueckfall;
};

} // namespace

QString prozentRuhelage(const QString &text, const QString &rueckfall)
{
    SimuliertesFeld feld(text, rueckfall);
    prozentRegel(feld, rueckfall);
    return feld.text();
}
