"""Takes screenshots of the program's four windows under Xvfb: the main
window after the typical use, the add and edit dialogs, and the law window;
then the main window once more under two dark desktop colour schemes
(qt6ct's "darker" and KDE's Breeze Dark, each handed to Qt the way that
desktop does). Started by tools/screenshots.sh; run with
/usr/bin/python3.

    screenshots.py PROGRAMM KATALOG ZIELORDNER [SKALIERUNG]

With NUR_DUNKEL set to a picture's name, only that dark picture is taken.
"""

import os
import subprocess
import sys
import tempfile

HIER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HIER, "..", "tests", "e2e"))

from session import Sitzung  # noqa: E402


def foto(sitzung, fenster, datei):
    """Cuts the window out of a picture of the whole screen."""
    import operate as bedienung

    x, y, breite, hoehe = bedienung.ausmass(fenster)
    subprocess.run(["import", "-display", sitzung.anzeige, "-window", "root",
                    "-crop", "%dx%d+%d+%d" % (breite, hoehe, x, y), "+repage",
                    datei], check=True, env=sitzung.umgebung, timeout=60)
    print("  %s (%dx%d)" % (datei, breite, hoehe))


# Dark schemes: the file a desktop's settings leave behind, and the
# environment under which Qt reads it.
QT6CT = """[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Fusion
"""
KDEGLOBALS = """[General]
ColorScheme=BreezeDark

[Colors:Window]
BackgroundNormal=42,46,50
ForegroundNormal=252,252,252

[Colors:View]
BackgroundNormal=27,30,32
ForegroundNormal=252,252,252

[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=252,252,252

[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=252,252,252

[Colors:Tooltip]
BackgroundNormal=49,54,59
ForegroundNormal=252,252,252
"""
DUNKEL = [
    ("hauptfenster-dunkel-qt6ct.png", "qt6ct/qt6ct.conf", QT6CT,
     {"QT_QPA_PLATFORMTHEME": "qt6ct"}),
    ("hauptfenster-dunkel-breeze.png", "kdeglobals", KDEGLOBALS,
     {"QT_QPA_PLATFORMTHEME": "kde", "KDE_SESSION_VERSION": "5", "XDG_CURRENT_DESKTOP": "KDE",
      "KDE_FULL_SESSION": "true"}),
]


def typische_nutzung(haupt):
    """Two servings of Bier, 80 kg, Enter; waits for the result."""
    import operate as b

    b.waehle(b.element(haupt, "combo box", beschreibung="Sorte"), "Bier")
    b.waehle(b.element(haupt, "combo box", beschreibung="Anzahl"), "2")
    masse = b.element(haupt, "text", "Körpergewicht")
    b.schreibe(masse, "80")
    b.taste(b.RETURN)
    ergebnis = b.element(haupt, "notification", beschreibung="Promille")
    b.warte(lambda: ergebnis.name.strip(), "a result")


def dunkel(programm, katalog, ziel, skalierung, bildschirm, nur=None):
    for datei, pfad, inhalt, umgebung in DUNKEL:
        if nur and nur not in datei:
            continue
        with tempfile.TemporaryDirectory(prefix="promille-farben-") as konfiguration:
            os.makedirs(os.path.dirname(os.path.join(konfiguration, pfad)), exist_ok=True)
            with open(os.path.join(konfiguration, pfad), "w") as f:
                f.write(inhalt)
            vorher = dict(os.environ)
            os.environ.update(umgebung)
            os.environ["XDG_CONFIG_HOME"] = konfiguration
            try:
                with Sitzung(programm, katalog, skalierung=skalierung, bildschirm=bildschirm) as s:
                    app = s.starte_programm()
                    import operate as b

                    b.massstab_setzen(skalierung)
                    haupt = b.fenster(app, "Promilleberechnung")
                    typische_nutzung(haupt)
                    foto(s, haupt, os.path.join(ziel, datei))
            finally:
                os.environ.clear()
                os.environ.update(vorher)


def main():
    programm, katalog, ziel = sys.argv[1:4]
    skalierung = sys.argv[4] if len(sys.argv) > 4 else None
    os.makedirs(ziel, exist_ok=True)
    # The law window stands above the main window, which stands in the middle
    # of the screen: the screen grows with the scale so that both fit on it.
    faktor = float(skalierung or 1)
    bildschirm = "%dx%dx24" % (1280 * faktor, 1024 * faktor)
    if os.environ.get("NUR_DUNKEL"):
        dunkel(programm, katalog, ziel, skalierung, bildschirm, os.environ["NUR_DUNKEL"])
        return
    with Sitzung(programm, katalog, skalierung=skalierung, bildschirm=bildschirm) as s:
        app = s.starte_programm()
        import operate as b

        b.massstab_setzen(skalierung)
        haupt = b.fenster(app, "Promilleberechnung")
        typische_nutzung(haupt)
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

    # Each scheme in a process of its own: the accessibility client keeps
    # its connection to the first session's bus.
    for datei, _pfad, _inhalt, _umgebung in DUNKEL:
        subprocess.run([sys.executable] + sys.argv, check=True, timeout=300,
                       env=dict(os.environ, NUR_DUNKEL=datei))


if __name__ == "__main__":
    main()
