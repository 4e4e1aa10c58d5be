"""The Debian package as a user meets it: built with CPack, checked with
lintian, unpacked into a root that belongs to root, and the installed
program operated by the user nobody, who may not write its folder.

    /usr/bin/python3 paket_test.py CPACK CPACKCONFIG

An add and an edit go into that user's own catalogue and leave the installed
one as it was; a new start reads the user's kinds, another user (another
HOME) the installed ones. Needs root (skipped otherwise, exit 77) and
Debian's lintian and dpkg.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import traceback

HIER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HIER)

from session import Fehlschlag, Sitzung  # noqa: E402

INSTALLIERT = "usr/lib/promille/AlkoholSorten.txt"


def eigener_katalog(home):
    return os.path.join(home, ".local/share/promille/AlkoholSorten.txt")


class Installiert(Sitzung):
    """The catalogue a test of e2e_test.py checks is the one the user reads:
    their own once a save has made it, the installed one before."""

    def __init__(self, wurzel, home, protokoll):
        super().__init__(os.path.join(wurzel, "usr/bin/promille"), protokoll=protokoll, vor_ort=True)
        self.installiert = os.path.join(wurzel, INSTALLIERT)
        self.home = home

    @property
    def katalog(self):
        eigener = eigener_katalog(self.home)
        return eigener if os.path.exists(eigener) else self.installiert

    def fuer(self, home):
        """The next start is one of the user whose home is `home`."""
        self.home = home
        self.umgebung["HOME"] = home
        self.umgebung.pop("XDG_DATA_HOME", None)
        return self


def sorten(l):
    return [e.name for e in l.b.kinder(l.b.finde(l.liste("Sorte"), "list"))]


def als_benutzer(wurzel, a, b):
    """The part that runs as nobody, on a desktop of its own."""
    import e2e_test
    from e2e_test import gleich

    with tempfile.TemporaryFile("w+") as protokoll:
        try:
            with Installiert(wurzel, a, protokoll) as s:
                vorher = open(s.installiert, "rb").read()
                e2e_test.test_hinzufuegen(e2e_test.Lauf(s.fuer(a)))
                s.beende_programm()
                l = e2e_test.Lauf(s.fuer(a))
                if "Eierlikör" not in sorten(l):
                    raise Fehlschlag("a new start lists %r, without the user's kind" % sorten(l))
                e2e_test.test_bearbeiten(l)
                gleich(open(s.installiert, "rb").read(), vorher, "the installed catalogue")
                eigene = open(eigener_katalog(a), "rb").read()
                s.beende_programm()

                l = e2e_test.Lauf(s.fuer(b))
                if "Eierlikör" in sorten(l) or "Bier" not in sorten(l):
                    raise Fehlschlag("another user sees %r" % sorten(l))
                l.b.waehle(l.liste("Sorte"), "Bier")
                l.zeigt(l.feld(l.haupt, "Menge"), "500", l.b.feldtext)
                gleich(open(eigener_katalog(a), "rb").read(), eigene, "the first user's catalogue")
                gleich(os.path.exists(eigener_katalog(b)), False, "a file of the second user")
        except Exception:
            print("FAIL the installed program")
            traceback.print_exc(file=sys.stdout)
            protokoll.seek(0)
            print(protokoll.read()[-4000:])
            return 1
    print("ok   the installed program: own catalogue for one user, the installed one for another")
    return 0


def pruefe(befehl, was, **optionen):
    lauf = subprocess.run(befehl, capture_output=True, text=True, **optionen)
    if lauf.returncode != 0:
        raise Fehlschlag("%s failed (%d):\n%s%s" % (was, lauf.returncode, lauf.stdout, lauf.stderr))
    return lauf.stdout


def main():
    if len(sys.argv) == 5 and sys.argv[1] == "--als-benutzer":
        return als_benutzer(*sys.argv[2:])
    if os.geteuid() != 0:
        print("skipped: needs root, to give the installed files an owner other than the user")
        return 77
    cpack, konfiguration = sys.argv[1:3]
    ablage = tempfile.mkdtemp(prefix="promille-paket-")
    try:
        os.chmod(ablage, 0o755)
        pruefe([cpack, "-G", "DEB", "--config", konfiguration, "-B", os.path.join(ablage, "bau")], "cpack")
        paket = [d for d in os.listdir(os.path.join(ablage, "bau")) if d.endswith(".deb")]
        if len(paket) != 1 or not paket[0].startswith("promille_"):
            raise Fehlschlag("cpack made %r" % paket)
        paket = os.path.join(ablage, "bau", paket[0])

        befund = subprocess.run(["lintian", paket], capture_output=True, text=True).stdout
        print(befund, end="")
        if any(z.startswith(("E:", "W:")) for z in befund.splitlines()):
            raise Fehlschlag("lintian reports errors or warnings")

        wurzel = os.path.join(ablage, "wurzel")
        pruefe(["dpkg-deb", "-x", paket, wurzel], "dpkg-deb -x")
        for ordner, namen, dateien in os.walk(wurzel):
            for name in [ordner] + [os.path.join(ordner, n) for n in namen + dateien]:
                os.lchown(name, 0, 0)
        skripte = os.path.join(ablage, "skripte")
        os.mkdir(skripte)
        for datei in ("paket_test.py", "e2e_test.py", "session.py", "operate.py"):
            shutil.copyfile(os.path.join(HIER, datei), os.path.join(skripte, datei))
        homes = [os.path.join(ablage, n) for n in ("a", "b")]
        for home in homes:
            os.mkdir(home, 0o700)
            shutil.chown(home, "nobody")
        lauf = subprocess.run(
            ["runuser", "-u", "nobody", "--", "env", "HOME=" + homes[0], "PYTHONDONTWRITEBYTECODE=1",
             sys.executable, os.path.join(skripte, "paket_test.py"), "--als-benutzer", wurzel] + homes,
            cwd=ablage, timeout=400)
        return lauf.returncode
    except (Fehlschlag, OSError, subprocess.TimeoutExpired) as fehler:
        print("FAIL %s" % fehler)
        return 1
    finally:
        shutil.rmtree(ablage, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
