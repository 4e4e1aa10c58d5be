"""Takes screenshots of the program's four windows under Xvfb: the main
window after the typical use, the add and edit dialogs, and the law window.
Started by werkzeuge/bildschirmfotos.sh; run with /usr/bin/python3.

    bildschirmfotos.py PROGRAMM KATALOG ZIELORDNER [SKALIERUNG]
"""

import os
import subprocess
import sys

HIER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HIER, "..", "tests", "e2e"))

from sitzung import Sitzung  # noqa: E402


def foto(sitzung, fenster, datei):
    """Cuts the window out of a picture of the whole screen."""
    import bedienung

    x, y, breite, hoehe = bedienung.ausmass(fenster)
    subprocess.run(["import", "-display", sitzung.anzeige, "-window", "root",
                    "-crop", "%dx%d+%d+%d" % (breite, hoehe, x, y), "+repage",
                    datei], check=True, env=sitzung.umgebung, timeout=60)
    print("  %s (%dx%d)" % (datei, breite, hoehe))


def main():
    programm, katalog, ziel = sys.argv[1:4]
    skalierung = sys.argv[4] if len(sys.argv) > 4 else None
    os.makedirs(ziel, exist_ok=True)
    # The law window stands above the main window, which stands in the middle
    # of the screen: the screen grows with the scale so that both fit on it.
    faktor = float(skalierung or 1)
    bildschirm = "%dx%dx24" % (1280 * faktor, 1024 * faktor)
    with Sitzung(programm, katalog, skalierung=skalierung, bildschirm=bildschirm) as s:
        app = s.starte_programm()
        import bedienung as b

        b.massstab_setzen(skalierung)
        haupt = b.fenster(app, "Promilleberechnung")
        # The typical use: two servings of Bier, 80 kg, Enter.
        b.waehle(b.element(haupt, "combo box", beschreibung="Sorte"), "Bier")
        b.waehle(b.element(haupt, "combo box", beschreibung="Anzahl"), "2")
        masse = b.element(haupt, "text", "Körpergewicht")
        b.schreibe(masse, "80")
        b.taste(b.RETURN)
        ergebnis = b.element(haupt, "notification", beschreibung="Promille")
        b.warte(lambda: ergebnis.name.strip(), "a result")
        foto(s, haupt, os.path.join(ziel, "hauptfenster.png"))

        # The edit dialog with the kind the main window names.
        b.druecke(b.element(haupt, "push button", "Bearbeiten"))
        bearbeiten = b.fenster(app, "Sorte bearbeiten")
        b.warte(lambda: b.feldtext(b.element(bearbeiten, "text", "Sorte")) == "Bier",
                "Bier in the edit dialog")
        foto(s, bearbeiten, os.path.join(ziel, "sorte-bearbeiten.png"))
        b.druecke(b.element(bearbeiten, "push button", "Abbrechen"))
        b.fenster_weg(app, "Sorte bearbeiten")

        # The add dialog with a new kind typed in.
        b.druecke(b.element(haupt, "push button", "Hinzufügen"))
        hinzu = b.fenster(app, "Sorte hinzufügen")
        b.schreibe(b.element(hinzu, "text", "Sorte"), "Federweißer")
        prozent = b.element(hinzu, "text", "Prozent")
        b.fokussiere(prozent)
        b.taste(0xFF50)  # Home: the number goes before the "%"
        b.tippe("10")
        b.schreibe(b.element(hinzu, "text", "Menge"), "200")
        b.warte(lambda: b.feldtext(prozent) == "10%", "10% in the add dialog")
        foto(s, hinzu, os.path.join(ziel, "sorte-hinzufuegen.png"))
        b.druecke(b.element(hinzu, "push button", "Abbrechen"))
        b.fenster_weg(app, "Sorte hinzufügen")

        # The law window.
        b.druecke(b.element(haupt, "push button", "Gesetz"))
        gesetz = b.fenster(app, "Gesetz")
        foto(s, gesetz, os.path.join(ziel, "gesetz.png"))


if __name__ == "__main__":
    main()
