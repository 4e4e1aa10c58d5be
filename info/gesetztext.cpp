#include "info/gesetztext.h"

namespace {

// A run at least this long ended a line of the statute; the shorter ones (two
// to five blanks) only separate words.
constexpr int ZeilenendeAb = 20;

// "1.", "2.": the number of an item, which always begins a line, even where
// the run before it is short ("oder" ends item 1 of paragraph (3)).
bool istPunktnummer(const QString &text)
{
    return text.size() == 2 && text[0].isDigit() && text[1] == u'.';
}

} // namespace

const QList<GesetzStueck> &gesetzStuecke()
{
    // "Jahrenweder" in the seventh piece is one word on purpose: the text is
    // shown with it so.
    static const QList<GesetzStueck> stuecke{
        {QStringLiteral("JuSchG § 9 Alkoholische Getränke"), 72},
        {QStringLiteral("(1) In Gaststätten, Verkaufsstellen oder sonst in der Öffentlichkeit dürfen"), 148},
        {QStringLiteral("1."), 2},
        {QStringLiteral("Branntwein, branntweinhaltige Getränke oder Lebensmittel, die Branntwein"), 4},
        {QStringLiteral("in nicht nur geringfügiger Menge enthalten, an Kinder und Jugendliche,"), 21},
        {QStringLiteral("2."), 2},
        {QStringLiteral("andere alkoholische Getränke an Kinder und Jugendliche unter 16 Jahrenweder "
                        "abgegeben noch darf ihnen der Verzehr gestattet werden."),
         169},
        {QStringLiteral("(2) Absatz 1 Nr. 2 gilt nicht, wenn Jugendliche von einer "
                        "personensorgeberechtigten Person begleitet werden."),
         45},
        {QStringLiteral("(3) In der Öffentlichkeit dürfen alkoholische Getränke nicht in Automaten "
                        "angeboten werden. Dies gilt nicht, wenn ein Automat"),
         46},
        {QStringLiteral("1."), 2},
        {QStringLiteral("an einem für Kinder und Jugendliche unzugänglichen Ort aufgestellt ist"), 4},
        {QStringLiteral("oder"), 5},
        {QStringLiteral("2."), 2},
        {QStringLiteral("in einem gewerblich genutzten Raum aufgestellt und durch technische"), 4},
        {QStringLiteral("Vorrichtungen oder durch ständige Aufsicht sichergestellt ist, dass Kinder"), 4},
        {QStringLiteral("und Jugendliche alkoholische Getränke nicht entnehmen können."), 165},
        {QStringLiteral("§ 20 Nr. 1 des Gaststättengesetzes bleibt unberührt."), 0},
    };
    return stuecke;
}

QString gesetzText()
{
    QString text;
    for (const GesetzStueck &stueck : gesetzStuecke()) {
        text += stueck.text;
        text += QString(stueck.leerzeichen, u' ');
    }
    return text;
}

QString gesetzZeilen()
{
    // The runs of blanks laid the statute out only for one font at one label
    // width; with any other font the lines break somewhere else. Explicit
    // breaks keep the heading, paragraphs and items apart with every font.
    QString zeilen;
    const QList<GesetzStueck> &stuecke = gesetzStuecke();
    for (qsizetype i = 0; i < stuecke.size(); ++i) {
        if (i > 0) {
            const bool zeilenende =
                stuecke[i - 1].leerzeichen >= ZeilenendeAb || istPunktnummer(stuecke[i].text);
            zeilen += zeilenende ? u'\n' : u' ';
        }
        zeilen += stuecke[i].text;
    }
    return zeilen;
}
