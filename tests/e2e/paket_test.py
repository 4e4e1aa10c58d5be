"""The Debian package as a user meets it: built with CPack, checked with
lintian, unpacked into a root that belongs to root, and the installed
program operated by the user nobody, who may not write its folder.

    /usr/bin/python3 paket_test.py CPACK CPACKCONFIG

An add and an edit go into that user's own catalogue and leave the installed
one as it was; a new start reads the user's kinds, another user (another
HOME) the installed ones. Needs root (skipped otherwise, exit 77) and
Debian's lintian and dpkg.
"""

import glob
import os
import shutil
import subprocess
import sys
import tempfile

HIER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HIER)

from session import Fehlschlag, Sitzung  # noqa: E402


def eigener_katalog(home):
    return os.path.join(home, ".local/share/promille/AlkoholSorten.txt")


class Installiert(Sitzung):
    """The catalogue the tests of e2e_test.py check is the one the user
    reads: their own once a save has made it, the installed one before."""

    def __init__(self, wurzel):
        super().__init__(os.path.join(wurzel, "usr/bin/promille"), protokoll=sys.stdout, vor_ort=True)
        self.installiert = os.path.join(wurzel, "usr/lib/promille/AlkoholSorten.txt")

    @property
    def katalog(self):
        eigener = eigener_katalog(self.umgebung["HOME"])
        return eigener if os.path.exists(eigener) else self.installiert

    def fuer(self, home):
        self.umgebung["HOME"] = home
        self.umgebung.pop("XDG_DATA_HOME", None)
        return self


def als_benutzer(wurzel, a, b):
    import e2e_test
    from e2e_test import Lauf, gleich

    def sorten(l):
        return [e.name for e in l.b.kinder(l.b.finde(l.liste("Sorte"), "list"))]

    with Installiert(wurzel) as s:
        vorher = open(s.installiert, "rb").read()
        e2e_test.test_hinzufuegen(Lauf(s.fuer(a)))
        s.beende_programm()
        l = Lauf(s.fuer(a))
        if "Eierlikör" not in sorten(l):
            raise Fehlschlag("a new start lists %r, without the user's kind" % sorten(l))
        e2e_test.test_bearbeiten(l)
        gleich(open(s.installiert, "rb").read(), vorher, "the installed catalogue")
        s.beende_programm()
        l = Lauf(s.fuer(b))
        if "Eierlikör" in sorten(l) or "Bier" not in sorten(l):
            raise Fehlschlag("another user sees %r" % sorten(l))
        l.b.waehle(l.liste("Sorte"), "Bier")
        l.zeigt(l.feld(l.haupt, "Menge"), "500", l.b.feldtext)
        gleich(os.path.exists(eigener_katalog(b)), False, "a file of the second user")
    print("ok   the installed program: own catalogue for one user, the installed one for another")


def main():
    if os.geteuid() != 0:
        print("skipped: needs root, to give the installed files an owner other than the user")
        return 77
    cpack, konfiguration = sys.argv[1:3]
    ablage = tempfile.mkdtemp(prefix="promille-paket-")
    try:
        os.chmod(ablage, 0o755)
        bau = os.path.join(ablage, "bau")
        subprocess.run([cpack, "-G", "DEB", "--config", konfiguration, "-B", bau], check=True)
        paket, = glob.glob(os.path.join(bau, "promille_*_*.deb"))
        befund = subprocess.run(["lintian", paket], capture_output=True, text=True).stdout
        print("lintian:\n" + befund)
        if any(z.startswith(("E:", "W:")) for z in befund.splitlines()):
            raise Fehlschlag("lintian reports errors or warnings")

        wurzel, skripte = os.path.join(ablage, "wurzel"), os.path.join(ablage, "skripte")
        subprocess.run(["dpkg-deb", "-x", paket, wurzel], check=True)
        subprocess.run(["chown", "-R", "root:root", wurzel], check=True)
        os.mkdir(skripte)
        for datei in ("paket_test.py", "e2e_test.py", "session.py", "operate.py"):
            shutil.copyfile(os.path.join(HIER, datei), os.path.join(skripte, datei))
        homes = [os.path.join(ablage, n) for n in ("a", "b")]
        for home in homes:
            os.mkdir(home)
            shutil.chown(home, "nobody")
        befehl = "import sys; sys.path.insert(0, %r); import paket_test; paket_test.als_benutzer(*sys.argv[1:])"
        return subprocess.run(["runuser", "-u", "nobody", "--", "env", "PYTHONDONTWRITEBYTECODE=1",
                               sys.executable, "-c", befehl % skripte, wurzel] + homes,
                              cwd=ablage, timeout=400).returncode
    finally:
        shutil.rmtree(ablage, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
