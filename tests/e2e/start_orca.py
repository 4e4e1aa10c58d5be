"""Starts Debian's Orca for a test, with two changes to its start-up script
(/usr/bin/orca) and none to the screen reader itself:

- Orca allows one instance per user, on any display: it refuses to start
  while another runs, and with --replace it kills every other one. A test
  must do neither to a user's own Orca or to a test running beside it, so
  this Orca neither looks for others nor is found by them (it keeps the
  process name python3).
- Its --debug-file is written line by line, so that the test reads every
  utterance as soon as it is spoken rather than when a buffer fills.

    /usr/bin/python3 start_orca.py ORCA-ARGUMENTE...
"""

import builtins
import runpy
import sys


def _zeilenweise(datei, modus="r", *args, **kwargs):
    if "w" in modus and "b" not in modus and not args and "buffering" not in kwargs:
        kwargs["buffering"] = 1
    return builtins.open(datei, modus, *args, **kwargs)


def main():
    # run_path hands back a copy of the script's globals; its functions see
    # the original.
    orca = runpy.run_path("/usr/bin/orca", run_name="orca_start")["main"].__globals__
    orca["otherOrcas"] = lambda: []
    orca["setProcessName"] = lambda _name: None
    orca["open"] = _zeilenweise
    sys.argv = ["orca"] + sys.argv[1:]
    return orca["main"]()


if __name__ == "__main__":
    sys.exit(main())
