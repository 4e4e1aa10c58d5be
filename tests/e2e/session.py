"""A desktop of its own for one run of the real program, driven from outside
through the accessibility interface (AT-SPI), as a screen reader does.

Each Sitzung starts its own X server (Xvfb, display number chosen by the
server through -displayfd), its own D-Bus session bus and, on it, the
accessibility bus, all under a private runtime directory, so that runs on the
same machine never meet. Every process is started in a process group of its
own and the whole group is ended afterwards: a bus launched on demand by
another (the accessibility registry) goes with the group that started it.

The program under test runs from a temporary copy of its directory (the
binary and a catalogue), so no run touches the build's catalogue.

Needs Debian's xvfb, dbus, at-spi2-core and python3-pyatspi; run it with
/usr/bin/python3, whose site packages hold pyatspi.
"""

import os
import shutil
import signal
import subprocess
import tempfile
import time


class Fehlschlag(AssertionError):
    """A check of the end-to-end test failed."""


def _ende_gruppe(prozess, frist=5.0):
    """Ends a process started with start_new_session and everything in its group."""
    if prozess is None:
        return
    try:
        os.killpg(prozess.pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    try:
        prozess.wait(timeout=frist)
    except subprocess.TimeoutExpired:
        pass
    # Whatever the group still holds (the leader may be gone already).
    try:
        os.killpg(prozess.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    try:
        prozess.wait(timeout=frist)
    except subprocess.TimeoutExpired:
        pass


def _beendet(nummer, _rahmen):
    raise Fehlschlag("stopped by signal %d" % nummer)


def _lies_zeile(fd, frist):
    """Reads one line from a pipe within `frist` seconds."""
    import select

    daten = b""
    ende = time.monotonic() + frist
    while not daten.endswith(b"\n"):
        rest = ende - time.monotonic()
        if rest <= 0:
            raise Fehlschlag("no answer on the pipe within %.0f s" % frist)
        bereit, _, _ = select.select([fd], [], [], rest)
        if not bereit:
            continue
        stueck = os.read(fd, 64)
        if not stueck:
            break
        daten += stueck
    return daten.decode().strip()


class Sitzung:
    """Xvfb + D-Bus session + accessibility bus + the program.

    Use as a context manager:

        with Sitzung(programm, katalog) as s:
            fenster = s.fenster("Promilleberechnung")
    """

    def __init__(self, programm, katalog=None, skalierung=None, bildschirm="1280x1024x24",
                 protokoll=None, schreibgeschuetzt=False, fensterverwalter=False, vor_ort=False,
                 gebietsschema=None):
        self.programm_quelle = os.path.abspath(programm)
        # The program started where it is (an installed one), not from a copy.
        self.vor_ort = vor_ort
        self.katalog_quelle = katalog
        self.skalierung = skalierung
        self.bildschirm = bildschirm
        self.protokoll = protokoll
        # The program's directory and catalogue without write permission.
        self.schreibgeschuetzt = schreibgeschuetzt
        # Debian's openbox on the X server: windows get frames and are placed
        # by a real window manager.
        self.fensterverwalter = fensterverwalter
        # A locale such as "de_DE.UTF-8" for every process of the session,
        # generated here: the machine need not have it.
        self.gebietsschema = gebietsschema
        self._gruppen = []
        self._ordner = None
        self.programm_prozess = None
        self.verzeichnis = None
        self.umgebung = None
        self.anzeige = None
        self.starter_prozess = None

    # -- set-up and clean-up ------------------------------------------------

    def __enter__(self):
        # A timeout's SIGTERM must still run the clean-up below.
        signal.signal(signal.SIGTERM, _beendet)
        try:
            self._starte()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *_):
        # The program first, so it does not complain about the buses going.
        if self.programm_prozess is not None:
            _ende_gruppe(self.programm_prozess)
        for prozess in reversed(self._gruppen):
            _ende_gruppe(prozess)
        self._gruppen.clear()
        if self._ordner:
            if self.verzeichnis and os.path.isdir(self.verzeichnis):
                os.chmod(self.verzeichnis, 0o755)
            shutil.rmtree(self._ordner, ignore_errors=True)
        return False

    def _starte(self):
        self._ordner = tempfile.mkdtemp(prefix="promille-e2e-")
        laufzeit = os.path.join(self._ordner, "laufzeit")
        os.mkdir(laufzeit, 0o700)
        self.verzeichnis = os.path.join(self._ordner, "programm")
        os.mkdir(self.verzeichnis)

        umgebung = dict(os.environ)
        # The tests' own settings must not reach the program: it has to run
        # on a real X server with its accessibility bridge on.
        for name in ("QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                     "QT_ACCESSIBILITY", "NO_AT_BRIDGE", "AT_SPI_BUS_ADDRESS",
                     "DBUS_SESSION_BUS_ADDRESS", "DISPLAY", "WAYLAND_DISPLAY"):
            umgebung.pop(name, None)
        umgebung["XDG_RUNTIME_DIR"] = laufzeit
        umgebung["LC_ALL"] = "C.UTF-8"
        if self.gebietsschema:
            self._erzeuge_gebietsschema(umgebung)

        # X server: it picks a free display and writes its number to the pipe.
        lesen, schreiben = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(schreiben), "-screen", "0", self.bildschirm,
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(schreiben,), stdin=subprocess.DEVNULL,
            stdout=self._log(), stderr=subprocess.STDOUT, start_new_session=True, env=umgebung)
        self._gruppen.append(xvfb)
        os.close(schreiben)
        try:
            nummer = _lies_zeile(lesen, 30)
        finally:
            os.close(lesen)
        if not nummer.isdigit():
            raise Fehlschlag("Xvfb did not start (exit %s)" % xvfb.poll())
        self.anzeige = ":" + nummer
        umgebung["DISPLAY"] = self.anzeige
        if self.fensterverwalter:
            self._starte_fensterverwalter(umgebung)

        # Session bus, listening in the private runtime directory.
        bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1",
             "--address=unix:dir=" + laufzeit],
            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=self._log(),
            start_new_session=True, env=umgebung)
        self._gruppen.append(bus)
        adresse = _lies_zeile(bus.stdout.fileno(), 30)
        if not adresse:
            raise Fehlschlag("dbus-daemon did not start (exit %s)" % bus.poll())
        umgebung["DBUS_SESSION_BUS_ADDRESS"] = adresse

        # The accessibility bus, started here rather than on demand, so that it
        # and the registry it starts belong to a group this session ends.
        starter = subprocess.Popen(
            ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
            stdin=subprocess.DEVNULL, stdout=self._log(), stderr=subprocess.STDOUT,
            start_new_session=True, env=umgebung)
        self._gruppen.append(starter)
        self.starter_prozess = starter

        # In a sanitizer build: Qt's xcb plugin reads the strings of X server
        # replies with strndup, bounded but not NUL-terminated, which ASan's
        # strict string check takes for an overflow in the library (Debian's
        # Qt 6.4). The program's own code stays under every other check.
        if "strict_string_checks=1" in umgebung.get("ASAN_OPTIONS", ""):
            umgebung["ASAN_OPTIONS"] += ":strict_string_checks=0"

        umgebung["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        umgebung["QT_QPA_PLATFORM"] = "xcb"
        if self.skalierung:
            umgebung["QT_SCALE_FACTOR"] = str(self.skalierung)
        self.umgebung = umgebung

        # pyatspi finds the buses through the environment of this process.
        for name in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR"):
            os.environ[name] = umgebung[name]
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)

        self._warte_auf_registry()

    def _erzeuge_gebietsschema(self, umgebung):
        """Compiles the locale from the definitions of Debian's `locales`
        into the session's directory, where glibc finds it through LOCPATH."""
        name = self.gebietsschema
        sprache, _, zeichensatz = name.partition(".")
        ordner = os.path.join(self._ordner, "locale")
        os.mkdir(ordner)
        ergebnis = subprocess.run(["localedef", "-i", sprache, "-f", zeichensatz or "UTF-8",
                                   os.path.join(ordner, name)],
                                  capture_output=True, text=True, timeout=120)
        if not os.path.isdir(os.path.join(ordner, name)):
            raise Fehlschlag("localedef made no %s (exit %d): %s"
                             % (name, ergebnis.returncode, ergebnis.stderr.strip()))
        umgebung["LOCPATH"] = ordner
        umgebung["LC_ALL"] = umgebung["LANG"] = name
        umgebung["LANGUAGE"] = sprache

    def _starte_fensterverwalter(self, umgebung, frist=30):
        verwalter = subprocess.Popen(
            ["openbox", "--sm-disable"], stdin=subprocess.DEVNULL, stdout=self._log(),
            stderr=subprocess.STDOUT, start_new_session=True, env=umgebung)
        self._gruppen.append(verwalter)
        # It is there once it has announced itself on the root window.
        ende = time.monotonic() + frist
        while time.monotonic() < ende:
            if verwalter.poll() is not None:
                raise Fehlschlag("openbox ended (exit %s)" % verwalter.returncode)
            ergebnis = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=umgebung,
                                      capture_output=True, text=True, timeout=10)
            if "window id" in ergebnis.stdout:
                return
            time.sleep(0.05)
        raise Fehlschlag("openbox did not come up within %d s" % frist)

    def aussenrahmen(self, titel):
        """The outer frame of the program's top-level window with that title,
        as the window manager draws it: x, y, width, height in screen pixels."""
        baum = subprocess.run(["xwininfo", "-root", "-tree"], env=self.umgebung,
                              capture_output=True, timeout=10).stdout.decode("utf-8", "replace")
        kennung = None
        for zeile in baum.splitlines():
            teile = zeile.split(None, 1)
            if len(teile) == 2 and teile[1].startswith('"%s"' % titel):
                kennung = teile[0]
        if kennung is None:
            raise Fehlschlag("no X window titled %r" % titel)
        info = subprocess.run(["xwininfo", "-id", kennung], env=self.umgebung,
                              capture_output=True, text=True, timeout=10).stdout
        werte = {}
        for zeile in info.splitlines():
            name, _, wert = zeile.strip().partition(":")
            werte[name] = wert.strip()
        x, y = int(werte["Absolute upper-left X"]), int(werte["Absolute upper-left Y"])
        breite, hoehe = int(werte["Width"]), int(werte["Height"])
        raender = subprocess.run(["xprop", "-id", kennung, "_NET_FRAME_EXTENTS"], env=self.umgebung,
                                 capture_output=True, text=True, timeout=10).stdout
        if "=" not in raender:
            raise Fehlschlag("the window %r has no frame: %s" % (titel, raender.strip()))
        links, rechts, oben, unten = (int(v) for v in raender.split("=")[1].split(","))
        return x - links, y - oben, breite + links + rechts, hoehe + oben + unten

    def _log(self):
        return self.protokoll if self.protokoll is not None else subprocess.DEVNULL

    def _warte_auf_registry(self, frist=30):
        # Asking for the bus's address before the launcher has taken its name
        # would have D-Bus start a second launcher: wait for the name first.
        ende = time.monotonic() + frist
        while time.monotonic() < ende:
            if self.starter_prozess.poll() is not None:
                raise Fehlschlag("at-spi-bus-launcher ended (exit %s)" % self.starter_prozess.returncode)
            ergebnis = subprocess.run(
                ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                 "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
                env=self.umgebung, capture_output=True, text=True, timeout=10)
            if ergebnis.returncode == 0 and "boolean true" in ergebnis.stdout:
                return
            time.sleep(0.05)
        raise Fehlschlag("the accessibility bus did not come up within %d s" % frist)

    def dienst(self, befehl, umgebung=None, ausgabe=None):
        """Starts a helper (a window manager, a speech server, a screen reader)
        on this desktop, in a process group of its own that the session ends."""
        prozess = subprocess.Popen(
            befehl, cwd=self._ordner, stdin=subprocess.DEVNULL,
            stdout=ausgabe if ausgabe is not None else self._log(), stderr=subprocess.STDOUT,
            start_new_session=True, env=umgebung or self.umgebung)
        self._gruppen.append(prozess)
        return prozess

    @property
    def ordner(self):
        """The session's private directory, removed at the end."""
        return self._ordner

    # -- the program --------------------------------------------------------

    @property
    def katalog(self):
        return os.path.join(self.verzeichnis, "AlkoholSorten.txt")

    def katalog_bytes(self):
        with open(self.katalog, "rb") as datei:
            return datei.read()

    def starte_programm(self, frist=30):
        """Copies the program (and catalogue) into the session's directory,
        starts it and returns its application object on the accessibility bus."""
        ziel = os.path.join(self.verzeichnis, os.path.basename(self.programm_quelle))
        if self.vor_ort:
            ziel = self.programm_quelle
        else:
            shutil.copy2(self.programm_quelle, ziel)
        if self.katalog_quelle is not None:
            shutil.copyfile(self.katalog_quelle, self.katalog)
        if self.schreibgeschuetzt:
            if os.path.exists(self.katalog):
                os.chmod(self.katalog, 0o444)
            os.chmod(self.verzeichnis, 0o555)
        self.programm_prozess = subprocess.Popen(
            [ziel], cwd=self._ordner, stdin=subprocess.DEVNULL,
            stdout=self._log(), stderr=subprocess.STDOUT, start_new_session=True,
            env=self.umgebung)
        import pyatspi

        ende = time.monotonic() + frist
        while time.monotonic() < ende:
            if self.programm_prozess.poll() is not None:
                raise Fehlschlag("the program ended at start-up (exit %s)"
                                 % self.programm_prozess.returncode)
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                anwendung = desktop.getChildAtIndex(i)
                try:
                    if anwendung is not None and anwendung.get_process_id() == self.programm_prozess.pid \
                            and anwendung.childCount > 0:
                        return anwendung
                except Exception:
                    continue
            time.sleep(0.1)
        raise Fehlschlag("the program did not appear on the accessibility bus within %d s" % frist)

    def beende_programm(self):
        _ende_gruppe(self.programm_prozess)
        self.programm_prozess = None

    def programm_laeuft(self):
        return self.programm_prozess is not None and self.programm_prozess.poll() is None
