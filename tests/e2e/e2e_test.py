"""End-to-end test: the real program, out of process, operated through the
accessibility interface the way a screen reader user does it: keys typed
into the focused field, mnemonics, buttons pressed through their accessible
actions, texts read back from the accessibility tree, the catalogue checked
on disk.

    /usr/bin/python3 e2e_test.py PROGRAMM KATALOG [TESTNAME ...]

Every test gets a desktop of its own (session.Sitzung) and a fresh copy of
the program's directory with KATALOG as its catalogue. Exits non-zero when a
test fails; the closing line says how many passed and failed.
"""

import faulthandler
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from session import Fehlschlag, Sitzung  # noqa: E402

HAUPT = "Promilleberechnung"
HINZU = "Sorte hinzufügen"
BEARBEITEN = "Sorte bearbeiten"
GESETZ = "Gesetz"
TITEL = "Kavorin"

# Longest a single test may take; the whole run has ctest's timeout on top.
TESTFRIST = 180


def gleich(ist, soll, was):
    if ist != soll:
        raise Fehlschlag("%s: expected %r, got %r" % (was, soll, ist))


def zeile(*felder):
    """One catalogue line as the program writes it: quoted, CR LF, cp1252."""
    return ('"' + '","'.join(felder) + '"\r\n').encode("cp1252")


class Lauf:
    """What every test has: the session, the program's application object, its
    main window and the accessibility helpers."""

    def __init__(self, sitzung):
        import operate as bedienung

        self.s = sitzung
        self.b = bedienung
        self.app = sitzung.starte_programm()
        self.haupt = bedienung.fenster(self.app, HAUPT)

    def feld(self, fenster, name):
        return self.b.element(fenster, "text", name)

    def knopf(self, fenster, name):
        return self.b.element(fenster, "push button", name)

    def liste(self, name):
        return self.b.element(self.haupt, "combo box", name)

    def ergebnis(self):
        # A notification, so that a screen reader speaks each new result.
        return self.b.element(self.haupt, "notification", beschreibung="Promille")

    def zeigt(self, objekt, soll, text=None):
        """Waits until the control shows `soll` and fails loudly if it does not."""
        lesen = text or self.b.text
        try:
            self.b.warte(lambda: lesen(objekt) == soll, "%r in %r" % (soll, objekt.name), frist=5)
        except Fehlschlag:
            raise Fehlschlag("%s %r shows %r, expected %r"
                             % (self.b.rolle(objekt), objekt.name or objekt.description,
                                lesen(objekt), soll))

    def meldung(self, erwartet, schliessen="taste"):
        """The message box that must be open now: its title, its text as a
        screen reader reads it, then closed with Enter (or its OK button)."""
        box = self.b.fenster(self.app, TITEL, rollen=("alert", "dialog"))
        gleich(self.b.rolle(box), "alert", "role of the message box")
        # The text once: a description equal to it would be read a second time.
        gleich(self.b.meldungstext(box), [erwartet], "what the message box reads")
        if schliessen == "taste":
            self.b.aktiviere(box)
            self.b.taste(self.b.RETURN)
        else:
            self.b.druecke(self.knopf(box, "OK"))
        self.b.fenster_weg(self.app, TITEL)

    def keine_meldung(self):
        time.sleep(0.3)
        offen = [k.name for k in self.b.kinder(self.app) if k.name == TITEL and self.b.sichtbar(k)]
        if offen:
            raise Fehlschlag("an unexpected message box is open")


# -- the tests ---------------------------------------------------------------

def test_typische_nutzung(l):
    """Bier, 2 servings, 80 kg, Enter: " 0.7"; "&Info" classifies it."""
    b = l.b
    gleich(b.rolle(l.haupt), "frame", "role of the main window")
    katalog_vorher = l.s.katalog_bytes()
    prozent, menge = l.feld(l.haupt, "Prozent"), l.feld(l.haupt, "Menge")
    l.zeigt(prozent, "%", b.feldtext)
    gleich(l.ergebnis().name, "", "result before any calculation")

    b.waehle(l.liste("Sorte"), "Bier")
    l.zeigt(prozent, "5%", b.feldtext)
    l.zeigt(menge, "500", b.feldtext)
    b.waehle(l.liste("Anzahl"), "2")
    l.zeigt(menge, "1000", b.feldtext)
    masse = l.feld(l.haupt, "Körpergewicht")
    b.schreibe(masse, "80")
    l.zeigt(masse, "80", b.feldtext)
    b.taste(b.RETURN)  # Enter in a field presses the default button "&Berechnen"
    l.zeigt(l.ergebnis(), " 0.7")

    gleich(b.tastenkuerzel(l.knopf(l.haupt, "Info")), "Alt+I", "key binding of Info")
    b.kuerzel("i")
    l.meldung("Zwischen 0,5 und 0,8 Promille: deutlich eingeschränkte Reaktionsfähigkeit")
    l.zeigt(l.ergebnis(), " 0.7")
    gleich(l.s.katalog_bytes(), katalog_vorher, "catalogue after a calculation")


def test_namen(l):
    """Every control of the main window is found by the name (or, for the
    result, the description) a screen reader announces."""
    b = l.b
    import pyatspi

    gleich(b.rolle(l.haupt), "frame", "role of the main window")
    for rolle, name in [("push button", "Hinzufügen"), ("push button", "Berechnen"),
                        ("push button", "Bearbeiten"), ("push button", "Info"),
                        ("push button", "Gesetz"), ("text", "Prozent"), ("text", "Menge"),
                        ("text", "Körpergewicht"), ("radio button", "männlich"),
                        ("radio button", "weiblich"), ("image", "Info-Symbol"),
                        ("label", "Sorte"), ("label", "Prozent (+%)"), ("label", "Menge (in ml)"),
                        ("label", "Körpergewicht (in kg)"), ("label", "Geschlecht"),
                        ("label", "m"), ("label", "w"), ("label", "Promille")]:
        if b.finde(l.haupt, rolle, name) is None:
            raise Fehlschlag("no %s named %r on the main window" % (rolle, name))
    for name in ("Sorte", "Anzahl"):
        l.liste(name)
    gleich(b.listentext(l.liste("Anzahl")), "0", "the count list's text at start")
    if not b.hat_zustand(l.knopf(l.haupt, "Berechnen"), pyatspi.STATE_IS_DEFAULT):
        raise Fehlschlag("Berechnen is not announced as the default button")
    if not b.hat_zustand(b.element(l.haupt, "radio button", "männlich"), pyatspi.STATE_CHECKED):
        raise Fehlschlag("männlich is not checked at start")
    # The kind list is labelled by its heading, so its heading is read with it.
    beschriftet = [z.getTarget(i).name
                   for z in l.liste("Sorte").getRelationSet()
                   if z.getRelationType() == pyatspi.RELATION_LABELLED_BY
                   for i in range(z.getNTargets())]
    gleich(beschriftet, ["Sorte"], "labels of the kind list")


def test_meldung_und_geschlecht(l):
    """The empty-fields message read from its box; the sex options recalculate."""
    b = l.b
    b.druecke(l.knopf(l.haupt, "Berechnen"))
    l.meldung("Bitte füllen Sie die Boxen korrekt aus", schliessen="knopf")
    l.zeigt(l.ergebnis(), "")

    prozent = l.feld(l.haupt, "Prozent")
    b.fokussiere(prozent)
    b.taste(0xFF50)  # Home: the number goes before the "%"
    b.tippe("5")
    l.zeigt(prozent, "5%", b.feldtext)
    b.schreibe(l.feld(l.haupt, "Menge"), "500")  # typing; a click would ask "Menge?"
    b.schreibe(l.feld(l.haupt, "Körpergewicht"), "80")
    b.druecke(l.knopf(l.haupt, "Berechnen"))
    l.zeigt(l.ergebnis(), " 0.35")
    weiblich = b.element(l.haupt, "radio button", "weiblich")
    b.fokussiere(weiblich)
    b.taste(0x20)  # Space selects the focused option
    l.zeigt(l.ergebnis(), " 0.41")
    if not b.hat_zustand(weiblich, __import__("pyatspi").STATE_CHECKED):
        raise Fehlschlag("option 'weiblich' is not checked")


def test_mengenfrage(l):
    """A click into the amount field asks "Menge?"; the answer becomes the amount."""
    b = l.b
    menge = l.feld(l.haupt, "Menge")
    b.aktiviere(l.haupt)
    b.klicke(menge)
    frage = b.fenster(l.app, "Menge?", rollen=("dialog",))
    b.element(frage, "label", "Menge?")
    antwort = b.element(frage, "text", "Menge?")
    b.warte(lambda: b.hat_fokus(antwort), "the focus in the prompt's field")
    b.tippe("330")
    l.zeigt(antwort, "330", b.feldtext)
    b.taste(b.RETURN)
    b.fenster_weg(l.app, "Menge?")
    l.zeigt(menge, "330", b.feldtext)


def test_tabulatorreihenfolge(l):
    """Tab walks the main window's controls in the order of the layout table.
    Labels take no focus. The two sex options are one exclusive group and so
    one tab stop, at the place of the first of them in the table ("w"); it
    lands on the selected option, and the arrow keys move between them."""
    b = l.b
    import pyatspi

    def fokus():
        for objekt in b.alle(l.haupt):
            if b.hat_zustand(objekt, pyatspi.STATE_FOCUSED):
                return objekt.description if b.rolle(objekt) == "combo box" else objekt.name
        return None

    b.fokussiere(l.liste("Sorte"))
    reihe = [fokus()]
    for _ in range(12):
        vorher = fokus()
        b.taste(b.TAB)
        b.warte(lambda: fokus() not in (None, vorher), "the focus to move on from %r" % vorher, frist=5)
        reihe.append(fokus())
    gleich(reihe, ["Sorte", "Hinzufügen", "Prozent", "Berechnen", "Menge", "männlich",
                   "Körpergewicht", "Anzahl", "Bearbeiten", "Info", "Gesetz", "Sorte", "Hinzufügen"],
           "tab order")


def test_hinzufuegen(l):
    """"&Hinzufügen", a new kind typed in, "&Ok": one more line in the file,
    and the kind can be chosen at once."""
    b = l.b
    katalog_vorher = l.s.katalog_bytes()
    gleich(b.tastenkuerzel(l.knopf(l.haupt, "Hinzufügen")), "Alt+H", "key binding of Hinzufügen")

    # "&Abbrechen" hides the dialog, keeps its texts and stores nothing.
    b.aktiviere(l.haupt)
    b.kuerzel("h")
    dialog = b.fenster(l.app, HINZU, rollen=("dialog",))
    sorte = l.feld(dialog, "Sorte")
    b.warte(lambda: b.hat_fokus(sorte), "the focus in the new kind's name")
    b.tippe("Eierlikör")
    l.zeigt(sorte, "Eierlikör", b.feldtext)
    b.kuerzel("a")
    b.fenster_weg(l.app, HINZU)
    gleich(l.s.katalog_bytes(), katalog_vorher, "catalogue after Abbrechen")

    b.aktiviere(l.haupt)
    b.kuerzel("h")
    dialog = b.fenster(l.app, HINZU, rollen=("dialog",))
    sorte = l.feld(dialog, "Sorte")
    l.zeigt(sorte, "Eierlikör", b.feldtext)
    prozent = l.feld(dialog, "Prozent")
    l.zeigt(prozent, "%", b.feldtext)
    b.fokussiere(prozent)
    b.taste(0xFF50)
    b.tippe("20")
    l.zeigt(prozent, "20%", b.feldtext)
    menge = l.feld(dialog, "Menge")
    b.schreibe(menge, "20")
    l.zeigt(menge, "20", b.feldtext)
    gleich(b.tastenkuerzel(l.knopf(dialog, "Ok")), "Alt+O", "key binding of Ok")
    b.kuerzel("o")
    b.fenster_weg(l.app, HINZU)

    gleich(l.s.katalog_bytes(), katalog_vorher + zeile("Eierlikör", "20%", "20"),
           "catalogue after the add")
    l.zeigt(l.feld(l.haupt, "Menge"), "0", b.feldtext)
    b.waehle(l.liste("Sorte"), "Eierlikör")
    l.zeigt(l.feld(l.haupt, "Prozent"), "20%", b.feldtext)
    l.zeigt(l.feld(l.haupt, "Menge"), "20", b.feldtext)


def test_bearbeiten(l):
    """"&Bearbeiten" shows the chosen kind; a changed amount saved with
    "&Speichern" is in the file and on the main window."""
    b = l.b
    katalog_vorher = l.s.katalog_bytes()
    gleich(katalog_vorher.split(b"\r\n")[0], b'"Bier","5%","500"', "first line of the catalogue")
    b.waehle(l.liste("Sorte"), "Bier")

    # "&Berechnen" and "&Bearbeiten" share Alt+B: each press moves the focus
    # to the next of the two, and Space presses the one that has it.
    bearbeiten = l.knopf(l.haupt, "Bearbeiten")
    gleich(b.tastenkuerzel(bearbeiten), "Alt+B", "key binding of Bearbeiten")
    for _ in range(2):
        if b.hat_fokus(bearbeiten):
            break
        b.kuerzel("b")
        time.sleep(0.3)
    b.warte(lambda: b.hat_fokus(bearbeiten), "Alt+B to reach Bearbeiten", frist=5)
    l.keine_meldung()
    b.taste(0x20)

    dialog = b.fenster(l.app, BEARBEITEN, rollen=("dialog",))
    l.zeigt(l.feld(dialog, "Sorte"), "Bier", b.feldtext)
    l.zeigt(l.feld(dialog, "Prozent"), "5%", b.feldtext)
    menge = l.feld(dialog, "Menge")
    l.zeigt(menge, "500", b.feldtext)
    b.schreibe(menge, "330")
    l.zeigt(menge, "330", b.feldtext)
    gleich(b.tastenkuerzel(l.knopf(dialog, "Speichern")), "Alt+S", "key binding of Speichern")
    b.kuerzel("s")
    b.fenster_weg(l.app, BEARBEITEN)

    erwartet = katalog_vorher.replace(b'"Bier","5%","500"\r\n', b'"Bier","5%","330"\r\n', 1)
    gleich(l.s.katalog_bytes(), erwartet, "catalogue after the edit")
    l.zeigt(l.feld(l.haupt, "Prozent"), "5%", b.feldtext)
    l.zeigt(l.feld(l.haupt, "Menge"), "330", b.feldtext)

    # "&Abbrechen" stores nothing.
    b.druecke(bearbeiten)
    dialog = b.fenster(l.app, BEARBEITEN, rollen=("dialog",))
    menge = l.feld(dialog, "Menge")
    l.zeigt(menge, "330", b.feldtext)
    b.schreibe(menge, "1")
    b.kuerzel("a")
    b.fenster_weg(l.app, BEARBEITEN)
    gleich(l.s.katalog_bytes(), erwartet, "catalogue after Abbrechen")


def test_gesetz(l):
    """"Gesetz" shows the law window with § 9 JuSchG; its cross hides it."""
    b = l.b
    b.druecke(l.knopf(l.haupt, "Gesetz"))
    gesetz = b.fenster(l.app, GESETZ, rollen=("frame",))
    text = None
    for objekt in b.alle(gesetz):
        if b.rolle(objekt) == "text" and b.feldtext(objekt).startswith("JuSchG § 9"):
            text = b.feldtext(objekt)
    if text is None:
        raise Fehlschlag("the law window has no text with the law")
    for stueck in ("Alkoholische Getränke", "16 Jahrenweder abgegeben",
                   "personensorgeberechtigten Person", "§ 20 Nr. 1 des Gaststättengesetzes bleibt unberührt."):
        if stueck not in text:
            raise Fehlschlag("law text lacks %r" % stueck)
    b.druecke(b.element(gesetz, "push button", "Schließen"))
    b.fenster_weg(l.app, GESETZ)
    if not l.s.programm_laeuft():
        raise Fehlschlag("the program ended when the law window was closed")


def test_schreibgeschuetzt(l):
    """A program directory the user may not write to: the add reports that
    the catalogue could not be saved, the file stays as it was, and the
    dialog keeps what was typed. Runs as an unprivileged user (root may
    write anywhere), see nicht_als_root."""
    b = l.b
    if os.geteuid() == 0:
        raise Fehlschlag("runs only as an unprivileged user")
    katalog_vorher = l.s.katalog_bytes()
    b.aktiviere(l.haupt)
    b.kuerzel("h")
    dialog = b.fenster(l.app, HINZU, rollen=("dialog",))
    sorte = l.feld(dialog, "Sorte")
    b.warte(lambda: b.hat_fokus(sorte), "the focus in the new kind's name")
    b.tippe("Eierlikör")
    prozent = l.feld(dialog, "Prozent")
    b.fokussiere(prozent)
    b.taste(0xFF50)
    b.tippe("20")
    l.zeigt(prozent, "20%", b.feldtext)
    b.kuerzel("o")
    box = b.fenster(l.app, TITEL, rollen=("alert",))
    texte = b.meldungstext(box)
    if len(texte) != 1 or not texte[0].startswith("Die Sortendatei konnte nicht gespeichert werden") \
            or not texte[0].endswith("Die bisherige Datei ist unverändert geblieben."):
        raise Fehlschlag("message box reads %r" % texte)
    b.taste(b.RETURN)
    b.fenster_weg(l.app, TITEL)
    gleich(l.s.katalog_bytes(), katalog_vorher, "catalogue in a read-only directory")
    if not b.sichtbar(dialog):
        raise Fehlschlag("the add dialog closed although nothing was saved")
    l.zeigt(sorte, "Eierlikör", b.feldtext)
    l.zeigt(prozent, "20%", b.feldtext)
    namen = [e.name for e in b.kinder(b.finde(l.liste("Sorte"), "list"))]
    if "Eierlikör" in namen:
        raise Fehlschlag("the kind list shows a kind that is in no file")


def _rahmen_mittig(l, skalierung):
    """Under a window manager the main window and both dialogs open with their
    outer frame, title bar included, in the middle of the screen, and the law
    window's frame stands on the main window's."""
    b = l.b
    breite, hoehe = (int(v) for v in l.s.bildschirm.split("x")[:2])

    def mittig(titel):
        def abstand():
            x, y, w, h = l.s.aussenrahmen(titel)
            return abs(2 * x + w - breite) / 2, abs(2 * y + h - hoehe) / 2, (x, y, w, h)

        # The first window is centred again once its frame has come.
        try:
            b.warte(lambda: max(abstand()[:2]) <= 1, "%r centred" % titel, frist=5)
        except Fehlschlag:
            dx, dy, rahmen = abstand()
            raise Fehlschlag("the frame of %r at scale %s is %s, %.1f px off the middle "
                             "across and %.1f px down a %dx%d screen"
                             % (titel, skalierung, rahmen, dx, dy, breite, hoehe))

    mittig(HAUPT)
    b.druecke(l.knopf(l.haupt, "Hinzufügen"))
    b.fenster(l.app, HINZU, rollen=("dialog",))
    mittig(HINZU)
    b.druecke(b.element(b.fenster(l.app, HINZU, rollen=("dialog",)), "push button", "Abbrechen"))
    b.fenster_weg(l.app, HINZU)
    b.druecke(l.knopf(l.haupt, "Bearbeiten"))
    b.fenster(l.app, BEARBEITEN, rollen=("dialog",))
    mittig(BEARBEITEN)

    # The law window, shown for the first time, stands on the main window:
    # its frame's bottom edge on the main window's frame's top edge.
    b.druecke(l.knopf(l.haupt, "Gesetz"))
    b.fenster(l.app, GESETZ, rollen=("frame",))

    def aufliegend():
        _, haupt_oben, _, _ = l.s.aussenrahmen(HAUPT)
        _, oben, _, hoehe = l.s.aussenrahmen(GESETZ)
        # At scale 2 the frame's one-pixel edges are half a pixel of the
        # program's, so a pixel either way is rounding.
        return abs(oben + hoehe - haupt_oben) <= 1

    try:
        b.warte(aufliegend, "the law window on the main window", frist=5)
    except Fehlschlag:
        raise Fehlschlag("at scale %s the law window's frame is %s, the main window's %s"
                         % (skalierung, l.s.aussenrahmen(GESETZ), l.s.aussenrahmen(HAUPT)))


def test_rahmen_mittig(l):
    _rahmen_mittig(l, 1)


def test_rahmen_mittig_skala2(l):
    _rahmen_mittig(l, 2)


TESTS = [test_typische_nutzung, test_namen, test_meldung_und_geschlecht, test_mengenfrage,
         test_tabulatorreihenfolge, test_hinzufuegen, test_bearbeiten, test_gesetz,
         test_schreibgeschuetzt, test_rahmen_mittig, test_rahmen_mittig_skala2]

# Tests whose program directory is read-only; see nicht_als_root.
NUR_LESEN = {test_schreibgeschuetzt}

# Tests under a window manager, and at which scale.
MIT_FENSTERVERWALTER = {test_rahmen_mittig: None, test_rahmen_mittig_skala2: 2}


# -- runner ------------------------------------------------------------------

def _zeitueberschreitung(_nummer, _rahmen):
    raise Fehlschlag("test took longer than %d s" % TESTFRIST)


def einzeln(test, programm, katalog):
    """Runs one test in this process; pyatspi holds on to the first desktop's
    bus it meets, so a process serves a single Sitzung."""
    signal.signal(signal.SIGALRM, _zeitueberschreitung)
    faulthandler.dump_traceback_later(TESTFRIST + 30, exit=True)
    signal.alarm(TESTFRIST)
    start = time.monotonic()
    with tempfile.TemporaryFile("w+") as protokoll:
        try:
            with Sitzung(programm, katalog, protokoll=protokoll,
                         schreibgeschuetzt=test in NUR_LESEN,
                         fensterverwalter=test in MIT_FENSTERVERWALTER,
                         skalierung=MIT_FENSTERVERWALTER.get(test)) as sitzung:
                test(Lauf(sitzung))
                if not sitzung.programm_laeuft():
                    raise Fehlschlag("the program is no longer running")
        except Exception:
            print("FAIL %s (%.1f s)" % (test.__name__, time.monotonic() - start))
            traceback.print_exc(file=sys.stdout)
            protokoll.seek(0)
            ausgabe = protokoll.read().strip()
            if ausgabe:
                print("---- output of the program and its desktop ----")
                print(ausgabe[-4000:])
                print("----")
            return False
        finally:
            signal.alarm(0)
    print("ok   %s (%.1f s)" % (test.__name__, time.monotonic() - start))
    return True


def nicht_als_root(befehl):
    """Runs a test as the user nobody, for whom a read-only directory is one.
    The test's scripts, the program and the catalogue are copied to a
    directory everyone may read, since the checkout may lie under a
    directory that only root may enter."""
    programm, katalog = befehl[2], befehl[3]
    ablage = tempfile.mkdtemp(prefix="promille-e2e-nobody-")
    try:
        os.chmod(ablage, 0o755)
        hier = os.path.dirname(os.path.abspath(__file__))
        for datei in ("e2e_test.py", "session.py", "operate.py"):
            shutil.copyfile(os.path.join(hier, datei), os.path.join(ablage, datei))
        shutil.copy2(programm, os.path.join(ablage, "promille"))
        shutil.copyfile(katalog, os.path.join(ablage, "AlkoholSorten.txt"))
        for datei in os.listdir(ablage):
            os.chmod(os.path.join(ablage, datei), 0o755)
        lauf = subprocess.run(
            ["runuser", "-u", "nobody", "--", "env", "HOME=" + ablage, "PYTHONDONTWRITEBYTECODE=1",
             befehl[0], os.path.join(ablage, "e2e_test.py"), os.path.join(ablage, "promille"),
             os.path.join(ablage, "AlkoholSorten.txt")] + befehl[4:],
            cwd=ablage, timeout=TESTFRIST + 60)
        return lauf.returncode == 0
    except (OSError, subprocess.TimeoutExpired) as fehler:
        print("FAIL %s: could not run as nobody: %s" % (befehl[4], fehler))
        return False
    finally:
        shutil.rmtree(ablage, ignore_errors=True)


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    programm, katalog = sys.argv[1], sys.argv[2]
    auswahl = sys.argv[3:]
    tests = [t for t in TESTS if not auswahl or t.__name__ in auswahl]
    if auswahl and len(tests) != len(auswahl):
        print("FAIL: unknown test in %r; known: %s" % (auswahl, " ".join(t.__name__ for t in TESTS)))
        return 2
    for datei in (programm, katalog):
        if not os.path.isfile(datei):
            print("FAIL: %s not found" % datei)
            return 1

    if len(tests) == 1:
        ok = einzeln(tests[0], programm, katalog)
        print("e2e: %d passed, %d failed" % (int(ok), int(not ok)))
        return 0 if ok else 1

    bestanden = fehlgeschlagen = 0
    for test in tests:
        sys.stdout.flush()
        befehl = [sys.executable, os.path.abspath(__file__), programm, katalog, test.__name__]
        try:
            if test in NUR_LESEN and os.geteuid() == 0:
                ok = nicht_als_root(befehl)
                bestanden += ok
                fehlgeschlagen += not ok
                continue
            lauf = subprocess.run(befehl, timeout=TESTFRIST + 60)
            ok = lauf.returncode == 0
        except subprocess.TimeoutExpired:
            print("FAIL %s: no end within %d s" % (test.__name__, TESTFRIST + 60))
            ok = False
        bestanden += ok
        fehlgeschlagen += not ok
    print("e2e: %d passed, %d failed" % (bestanden, fehlgeschlagen))
    return 0 if fehlgeschlagen == 0 and bestanden > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
