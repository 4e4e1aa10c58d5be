"""Operating a program through the accessibility interface (AT-SPI) as an
assistive technology does: finding controls by role and name, moving the
focus, typing through synthesized key events, pressing buttons through their
actions, reading texts back.

Import this only inside a running Sitzung (pyatspi finds the buses through
the environment, which the Sitzung sets).
"""

import time

import pyatspi

from session import Fehlschlag

FRIST = 15.0

# X keysyms used here.
RETURN = 0xFF0D
TAB = 0xFF09
RUNTER = 0xFF54
HOCH = 0xFF52
ENDE = 0xFF57
ZURUECK = 0xFF08
# Modifier mask of Alt (Mod1) for locking it around a key.
ALT = 1 << 3

# Qt 6.4 reports positions and sizes to the accessibility bus in its
# device-independent pixels, not in the screen's: under QT_SCALE_FACTOR they
# must be scaled before they can be used for the pointer or a screenshot.
_massstab = 1.0


def massstab_setzen(faktor):
    global _massstab
    _massstab = float(faktor or 1)


def ausmass(objekt):
    """The control's rectangle on the screen, in screen pixels: x, y, w, h."""
    r = objekt.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return tuple(int(round(v * _massstab)) for v in (r.x, r.y, r.width, r.height))


def warte(bedingung, was, frist=FRIST):
    """Polls `bedingung` until it gives a true value and returns that value;
    fails naming `was` when the time is up."""
    ende = time.monotonic() + frist
    letzter = None
    while True:
        try:
            ergebnis = bedingung()
            if ergebnis:
                return ergebnis
        except Exception as fehler:  # the tree changes under our feet
            letzter = fehler
        if time.monotonic() > ende:
            grund = " (last error: %r)" % letzter if letzter else ""
            raise Fehlschlag("waited %.0f s in vain for %s%s" % (frist, was, grund))
        time.sleep(0.05)


def kinder(objekt):
    ergebnis = []
    for i in range(objekt.childCount):
        kind = objekt.getChildAtIndex(i)
        if kind is not None:
            ergebnis.append(kind)
    return ergebnis


def alle(wurzel):
    """The accessible and all below it, depth first, in the order the
    application gives its children."""
    stapel = [wurzel]
    while stapel:
        objekt = stapel.pop()
        yield objekt
        stapel.extend(reversed(kinder(objekt)))


def rolle(objekt):
    return objekt.getRoleName()


def passt(objekt, rolle_=None, name=None, beschreibung=None):
    return ((rolle_ is None or objekt.getRoleName() == rolle_)
            and (name is None or objekt.name == name)
            and (beschreibung is None or objekt.description == beschreibung))


def finde(wurzel, rolle=None, name=None, beschreibung=None):
    for objekt in alle(wurzel):
        if passt(objekt, rolle, name, beschreibung):
            return objekt
    return None


def element(wurzel, rolle=None, name=None, beschreibung=None, frist=FRIST):
    """The first matching accessible below `wurzel`, waited for."""
    return warte(lambda: finde(wurzel, rolle, name, beschreibung),
                 "%s %r%s" % (rolle or "accessible", name,
                              " (%r)" % beschreibung if beschreibung else ""), frist)


def hat_zustand(objekt, zustand):
    return objekt.getState().contains(zustand)


def sichtbar(objekt):
    return hat_zustand(objekt, pyatspi.STATE_SHOWING)


def fenster(anwendung, name, frist=FRIST, rollen=("frame", "dialog", "alert", "window")):
    """The application's top-level window of that name, once it is shown."""
    def suche():
        for kind in kinder(anwendung):
            if kind.name == name and rolle(kind) in rollen and sichtbar(kind):
                return kind
        return None
    return warte(suche, "window %r" % name, frist)


def fenster_weg(anwendung, name, frist=FRIST):
    def weg():
        return not any(kind.name == name and sichtbar(kind) for kind in kinder(anwendung))
    warte(weg, "window %r to close" % name, frist)


def text(objekt):
    """What a screen reader reads as the control's text: the text of an
    editable field, the name of anything else."""
    try:
        schnitt = objekt.queryText()
    except NotImplementedError:
        return objekt.name
    return schnitt.getText(0, -1)


def feldtext(objekt):
    return objekt.queryText().getText(0, -1)


def fenster_von(objekt):
    """The top-level window the control belongs to."""
    while True:
        eltern = objekt.parent
        if eltern is None or rolle(eltern) == "application":
            return objekt
        objekt = eltern


def klicke(objekt, dx=3, dy=3):
    """A click of the first mouse button near the control's top left corner."""
    x, y, _, _ = ausmass(objekt)
    pyatspi.Registry.generateMouseEvent(x + dx, y + dy, "b1c")


def aktiviere(fenster):
    """Makes the window the active one, as a window manager does when the user
    switches to it. The bare X server of a test has no window manager: a click
    on one of the window's labels, which does nothing else, activates it."""
    if hat_zustand(fenster, pyatspi.STATE_ACTIVE):
        return
    ziel = None
    for objekt in alle(fenster):
        if rolle(objekt) == "label" and sichtbar(objekt):
            ziel = objekt
            break
    klicke(ziel or fenster)
    warte(lambda: hat_zustand(fenster, pyatspi.STATE_ACTIVE), "window %r to be active" % fenster.name)


def hat_fokus(objekt):
    """Whether the control or a part of it (the field of a combo box) has
    the keyboard focus."""
    return any(hat_zustand(o, pyatspi.STATE_FOCUSED) for o in alle(objekt))


def fokussiere(objekt):
    """Moves the keyboard focus onto the control, its window activated first.
    A combo box takes the focus through its text field."""
    aktiviere(fenster_von(objekt))
    if not any(o.queryComponent().grabFocus() for o in alle(objekt)):
        raise Fehlschlag("%s %r refused the focus" % (rolle(objekt), objekt.name))
    warte(lambda: hat_fokus(objekt), "the focus on %s %r" % (rolle(objekt), objekt.name))


def taste(keysym, alt=False):
    if alt:
        pyatspi.Registry.generateKeyboardEvent(ALT, None, pyatspi.KEY_LOCKMODIFIERS)
    try:
        pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
    finally:
        if alt:
            pyatspi.Registry.generateKeyboardEvent(ALT, None, pyatspi.KEY_UNLOCKMODIFIERS)


def kuerzel(buchstabe):
    """Alt + letter: the mnemonic of a caption such as "&Berechnen"."""
    taste(ord(buchstabe.lower()), alt=True)


def tippe(zeichen):
    """Types `zeichen` into the focused control, one key event per character."""
    for z in zeichen:
        pyatspi.Registry.generateKeyboardEvent(0, z, pyatspi.KEY_STRING)


def leere(objekt):
    """Empties the focused field the way a user does: to the end, then
    backspace until nothing is left."""
    taste(ENDE)
    for _ in range(len(feldtext(objekt))):
        taste(ZURUECK)
    warte(lambda: feldtext(objekt) == "", "%r to be empty" % objekt.name)


def schreibe(objekt, zeichen):
    """Focuses the field and replaces its text by typing. The caller waits for
    what the field must show: a field's own rule may change what was typed."""
    fokussiere(objekt)
    if feldtext(objekt):
        leere(objekt)
    tippe(zeichen)


def druecke(knopf):
    """Presses a button through its accessible action."""
    aktion = knopf.queryAction()
    for i in range(aktion.nActions):
        if aktion.getName(i) in ("Press", "press", "click"):
            if not aktion.doAction(i):
                raise Fehlschlag("button %r did not take the press" % knopf.name)
            return
    raise Fehlschlag("button %r has no press action" % knopf.name)


def tastenkuerzel(knopf):
    """The key binding the button announces (for example "Alt+B")."""
    aktion = knopf.queryAction()
    for i in range(aktion.nActions):
        if aktion.getName(i) in ("Press", "press", "click"):
            return aktion.getKeyBinding(i)
    return ""


def listentext(liste):
    """The text an editable combo box holds: that of its field."""
    return feldtext(finde(liste, "text"))


def gewaehlter_eintrag(liste):
    """The entry that the open list of a combo box has under its cursor."""
    for eintrag in kinder(finde(liste, "list")):
        if hat_zustand(eintrag, pyatspi.STATE_SELECTED):
            return eintrag.name
    return None


def waehle(liste, eintrag):
    """Chooses an entry of a combo box as a keyboard user does: focus, Alt+Down
    opens the list, typing the entry's beginning finds it, Enter chooses it.
    Each step waits for the list to follow: a key that comes before the list
    is open would land in the window instead."""
    fokussiere(liste)
    taste(RUNTER, alt=True)
    warte(lambda: hat_zustand(liste, pyatspi.STATE_EXPANDED), "the list %r to open" % liste.description)
    tippe(eintrag)
    warte(lambda: gewaehlter_eintrag(liste) == eintrag,
          "%r under the cursor of the list %r" % (eintrag, liste.description))
    taste(RETURN)
    warte(lambda: not hat_zustand(liste, pyatspi.STATE_EXPANDED) and listentext(liste) == eintrag,
          "%r chosen in the list %r" % (eintrag, liste.description))


def meldungstext(box):
    """All texts a screen reader reads out of a message box: its
    description and the texts of its labels, each as often as it is read."""
    texte = []
    if box.description:
        texte.append(box.description)
    for objekt in alle(box):
        if rolle(objekt) == "label" and objekt.name:
            texte.append(objekt.name)
    return texte
