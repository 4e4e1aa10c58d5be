"""What a blind user hears: the real program with the screen reader Orca,
operated with real key presses, and Orca's own record of what it said.

    /usr/bin/python3 orca_test.py PROGRAMM KATALOG

With ORCA_PROTOKOLL set to a file name, Orca's debug log is kept there and
the output of the processes started here beside it (name + ".ausgabe").

One desktop of its own (session.Sitzung: Xvfb, D-Bus session, accessibility
bus) with the window manager openbox, a speech-dispatcher started here with
its own configuration (espeak-ng through the generic module, the sound
written to a file, never to a sound card), and Orca with preferences of its
own and its debug log, which records every "SPEECH OUTPUT". Keys go in
through xdotool, as from a keyboard. Exits non-zero when a check fails;
every process started here ends with the session.

Everything runs in de_DE.UTF-8, generated for the session, as a German
user runs it: Orca's own words (role names, "ausgewählt") are German, and
espeak-ng speaks with its German voice.
"""

import faulthandler
import os
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from session import Fehlschlag, Sitzung  # noqa: E402

# Longest the whole run may take; ctest's timeout stands behind it.
GESAMTFRIST = 480
# Longest Orca may take to say what a key press should make it say.
SPRECHFRIST = 15

# What Orca says for each control on a Tab round from start-up, beginning
# after the kind list, which has the focus at start: a part of each
# utterance that names the control.
TABRUNDE = ["Hinzufügen Druckknopf", "Prozent Text", "Berechnen Druckknopf", "Menge Text",
            "männlich", "Körpergewicht", "Anzahl", "Bearbeiten Druckknopf", "Info Druckknopf",
            "Gesetz Druckknopf", "Sorte Bearbeitbares Auswahlfeld"]


def _speechd_konfiguration(ordner):
    """speech-dispatcher's configuration: espeak-ng run by the generic module,
    each message rendered into a WAV file in `ordner`, any sound the server
    plays itself sent to /dev/null."""
    konfiguration = os.path.join(ordner, "speechd")
    os.makedirs(os.path.join(konfiguration, "modules"))
    wav = os.path.join(ordner, "sprache.wav")
    with open(os.path.join(konfiguration, "speechd.conf"), "w") as datei:
        datei.write('AddModule "espeak-ng-datei" "sd_generic" "espeak-ng-datei.conf"\n'
                    'DefaultModule espeak-ng-datei\n'
                    'DefaultLanguage "de"\n'
                    # The module wants a sound device even when it writes a
                    # file: OSS on the null device never reaches a sound card.
                    'AudioOutputMethod "oss"\n'
                    'AudioOSSDevice "/dev/null"\n')
    with open(os.path.join(konfiguration, "modules", "espeak-ng-datei.conf"), "w") as datei:
        datei.write('GenericExecuteSynth "printf %%s \\\'$DATA\\\' | espeak-ng -v de --stdin -w %s"\n'
                    'GenericLanguage "de" "de" "utf-8"\n'
                    'AddVoice "de" "MALE1" "de"\n' % wav)
    return konfiguration, wav


class Orca:
    """Orca on the session's desktop and what it has said so far."""

    def __init__(self, sitzung):
        self.s = sitzung
        ordner = sitzung.ordner
        self.log = os.path.join(ordner, "orca-debug.log")
        konfiguration, self.wav = _speechd_konfiguration(ordner)
        steckdose = os.path.join(ordner, "speechd.sock")
        umgebung = dict(sitzung.umgebung)
        umgebung["SPEECHD_ADDRESS"] = "unix_socket:" + steckdose
        self.umgebung = umgebung

        sitzung.dienst(["openbox", "--sm-disable"])
        sitzung.dienst(["speech-dispatcher", "--run-single", "--timeout", "0",
                        "--communication-method", "unix_socket", "--socket-path", steckdose,
                        "--config-dir", konfiguration, "--log-dir", ordner,
                        "--pid-file", os.path.join(ordner, "speechd.pid")], umgebung=umgebung)
        self._warte(lambda: os.path.exists(steckdose), "speech-dispatcher's socket")
        einstellungen = os.path.join(ordner, "orca")
        os.mkdir(einstellungen)
        starter = os.path.join(os.path.dirname(os.path.abspath(__file__)), "start_orca.py")
        self.prozess = sitzung.dienst([sys.executable, starter, "--user-prefs", einstellungen,
                                       "--debug-file", self.log], umgebung=umgebung)
        self.gelesen = 0

    def _warte(self, bedingung, was, frist=SPRECHFRIST):
        ende = time.monotonic() + frist
        while time.monotonic() < ende:
            if bedingung():
                return
            if self.s.programm_prozess is not None and not self.s.programm_laeuft():
                raise Fehlschlag("the program ended while waiting for %s" % was)
            time.sleep(0.05)
        raise Fehlschlag("no %s within %d s" % (was, frist))

    def bereit(self, frist=60):
        """Waits until Orca listens for events: an application that starts
        before then has its first focus go unspoken."""
        def laeuft():
            try:
                with open(self.log, encoding="utf-8", errors="replace") as datei:
                    return "ORCA: Starting registry" in datei.read()
            except FileNotFoundError:
                return False
        self._warte(laeuft, "start of Orca's event loop", frist)
        # The loop is entered just after the line is written.
        time.sleep(0.5)

    def alles(self):
        """Every utterance so far, in order."""
        try:
            with open(self.log, encoding="utf-8", errors="replace") as datei:
                zeilen = datei.read().splitlines()
        except FileNotFoundError:
            return []
        gesagt = []
        for zeile in zeilen:
            teile = zeile.split("SPEECH OUTPUT: '", 1)
            if len(teile) < 2:
                continue
            rest = teile[1]
            # The voice follows the text: "'text' {...}" or "'text'{...}".
            ende = rest.rfind("{")
            if ende >= 0:
                rest = rest[:ende]
            gesagt.append(rest.rstrip().rstrip("'").strip())
        return gesagt

    def neu(self):
        """What was said since the last call."""
        gesagt = self.alles()
        neu = gesagt[self.gelesen:]
        self.gelesen = len(gesagt)
        return neu

    def warte_auf(self, teil, frist=SPRECHFRIST):
        """Waits until Orca says something containing `teil`; returns all it
        said up to and including that utterance."""
        gehoert = []

        def gesagt():
            gehoert.extend(self.neu())
            return any(teil in satz for satz in gehoert)

        try:
            self._warte(gesagt, "%r from Orca" % teil, frist)
        except Fehlschlag:
            raise Fehlschlag("Orca did not say %r within %d s; it said %r" % (teil, frist, gehoert))
        # What came after the utterance stays for the next wait.
        letzte = max(i for i, satz in enumerate(gehoert) if teil in satz)
        self.gelesen -= len(gehoert) - letzte - 1
        return gehoert[:letzte + 1]

    def still(self, dauer=1.5):
        """What Orca says within `dauer` seconds from now."""
        time.sleep(dauer)
        return self.neu()


def taste(sitzung, *tasten):
    subprocess.run(["xdotool", "key", "--clearmodifiers"] + list(tasten),
                   env=sitzung.umgebung, check=True, timeout=30)


def tippe(sitzung, text):
    subprocess.run(["xdotool", "type", "--delay", "60", text],
                   env=sitzung.umgebung, check=True, timeout=30)


def einmal(gehoert, text, was):
    """`text` must be in exactly one of the utterances."""
    treffer = [satz for satz in gehoert if text in satz]
    if len(treffer) != 1:
        raise Fehlschlag("%s: %r heard %d times in %r" % (was, text, len(treffer), gehoert))


def name_dann_wert(orca, name, wert, was):
    """Waits for `name`; the value must follow it, whole: an utterance after
    the name's that begins with `wert`, none with it before."""
    gehoert = orca.warte_auf(name)
    gehoert += orca.still(1.0)
    vorn = min(i for i, satz in enumerate(gehoert) if name in satz)
    werte = [i for i, satz in enumerate(gehoert) if satz.split(" ")[0].rstrip(".") == wert]
    if not werte or werte[0] < vorn:
        raise Fehlschlag("%s: %r not heard whole after %r in %r" % (was, wert, name, gehoert))
    return gehoert


def meldung_einmal(orca, s, text, was):
    """The message box that the last key opened: its text once, then its OK
    button; closed with Enter."""
    gehoert = orca.warte_auf("OK Druckknopf")
    gehoert += orca.still(1.0)
    einmal(gehoert, text, was)
    taste(s, "Return")
    orca.warte_auf("Promilleberechnung Rahmen")


def lauf(programm, katalog, protokoll=None):
    # With a log kept, the helpers' own output goes next to it.
    ausgabe = open(protokoll + ".ausgabe", "w") if protokoll else None
    try:
        with Sitzung(programm, katalog, protokoll=ausgabe, gebietsschema="de_DE.UTF-8") as s:
            orca = Orca(s)
            try:
                _pruefe(s, orca)
            finally:
                if protokoll and os.path.exists(orca.log):
                    shutil.copyfile(orca.log, protokoll)
    finally:
        if ausgabe:
            ausgabe.close()


def _pruefe(s, orca):
    orca.warte_auf("Bildschirmleser an", frist=60)
    orca.bereit()
    s.starte_programm()
    fenster = subprocess.run(
        ["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Promilleberechnung$"],
        env=s.umgebung, capture_output=True, text=True, timeout=30, check=True).stdout.split()
    subprocess.run(["xdotool", "windowactivate", "--sync", fenster[0]],
                   env=s.umgebung, check=True, timeout=30)
    orca.warte_auf("Sorte Bearbeitbares Auswahlfeld", frist=30)

    # Each control by its name, once round; the sex options one stop, on
    # the selected option; the count list by its name, then its value.
    for name in TABRUNDE:
        taste(s, "Tab")
        if name == "Anzahl":
            name_dann_wert(orca, name, "0", "count list")
            continue
        gehoert = orca.warte_auf(name)
        if name == "männlich":
            zustand = orca.warte_auf("Radioknopf")
            if "nicht ausgewählt" in " ".join(zustand) or "ausgewählt" not in " ".join(zustand):
                raise Fehlschlag("the sex option's Tab stop reads %r" % (gehoert + zustand))
    print("PASS tab round: " + ", ".join(TABRUNDE))

    # Enter in the empty form: the input message, once.
    taste(s, "Return")
    meldung_einmal(orca, s, "Bitte füllen Sie die Boxen korrekt aus", "input message")
    print("PASS input message heard once")

    # 5 % of 500 ml for a man of 80 kg: 0.35, spoken after Enter without
    # the focus moving.
    taste(s, "Tab", "Tab")
    orca.warte_auf("Prozent Text")
    tippe(s, "5")
    taste(s, "Tab", "Tab")
    orca.warte_auf("Menge Text")
    tippe(s, "500")
    taste(s, "Tab", "Tab")
    orca.warte_auf("Körpergewicht")
    tippe(s, "80")
    orca.still(0.5)
    taste(s, "Return")
    gehoert = orca.warte_auf("0.35")
    gehoert += orca.still(1.0)
    einmal(gehoert, "0.35", "result after Enter")
    if any("Körpergewicht" in satz for satz in gehoert):
        raise Fehlschlag("the focus moved on Enter: %r" % gehoert)
    print("PASS result after Enter: %r" % [satz for satz in gehoert if "0.35" in satz])

    # "w" chosen with the arrow key: 0.41, spoken on its own.
    taste(s, "shift+Tab")
    orca.warte_auf("männlich")
    taste(s, "Right")
    gehoert = orca.warte_auf("0.41")
    gehoert += orca.still(1.0)
    einmal(gehoert, "0.41", "result after choosing w")
    print("PASS result after choosing w: %r" % [satz for satz in gehoert if "0.41" in satz])

    # Info on the shown value, once.
    taste(s, "alt+i")
    meldung_einmal(orca, s, "Zwischen 0,3 und 0,5 Promille: deutliches Wärmegefühl, Anheiterung",
                   "Info message")
    print("PASS Info message heard once")

    # Tab into the weight: its name, then 80, not "8".
    taste(s, "Tab")
    name_dann_wert(orca, "Körpergewicht", "80", "weight field")
    print("PASS weight heard as 80")

    # The law window: the text has the focus and its heading is read.
    taste(s, "Tab", "Tab", "Tab", "Tab")
    orca.warte_auf("Gesetz Druckknopf")
    taste(s, "space")
    orca.warte_auf("JuSchG § 9 Alkoholische Getränke")
    taste(s, "Down")
    orca.warte_auf("(1) In Gaststätten")
    taste(s, "Tab")
    orca.warte_auf("Schließen Druckknopf")
    taste(s, "space")
    orca.warte_auf("Promilleberechnung Rahmen")
    print("PASS law text read from its heading, line by line")

    # Bier chosen from the list with Return: heard once.
    taste(s, "Tab")
    orca.warte_auf("Sorte Bearbeitbares Auswahlfeld")
    taste(s, "alt+Down")
    orca.warte_auf("Liste mit")
    tippe(s, "Bier")
    orca.warte_auf("Bier")
    orca.still(1.0)
    taste(s, "Return")
    gehoert = orca.warte_auf("Sorte Bearbeitbares Auswahlfeld")
    gehoert += orca.still(1.5)
    einmal(gehoert, "Bier", "chosen kind")
    print("PASS chosen kind heard once: %r" % gehoert)

    # The edit dialog shows it: the name field reads Bier whole.
    taste(s, "shift+Tab", "shift+Tab", "shift+Tab")
    orca.warte_auf("Bearbeiten Druckknopf")
    taste(s, "space")
    name_dann_wert(orca, "Sorte Text", "Bier", "name field of the edit dialog")
    print("PASS Bier heard whole in the edit dialog")

    # The speech went through speech-dispatcher to the synthesizer.
    if not os.path.exists(orca.wav) or os.path.getsize(orca.wav) == 0:
        raise Fehlschlag("speech-dispatcher rendered no speech into %s" % orca.wav)


def _zeitueberschreitung(_nummer, _rahmen):
    raise Fehlschlag("the Orca test took longer than %d s" % GESAMTFRIST)


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    faulthandler.enable()
    signal.signal(signal.SIGALRM, _zeitueberschreitung)
    signal.alarm(GESAMTFRIST)
    try:
        lauf(sys.argv[1], sys.argv[2], os.environ.get("ORCA_PROTOKOLL"))
    except Fehlschlag as fehler:
        print("FAIL %s" % fehler)
        return 1
    finally:
        signal.alarm(0)
    print("orca: all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
