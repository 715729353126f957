"""Bad input for every program: help, refused arguments, inputs that are no files, outputs
that cannot be written, the journal's own file as a target. Each refusal is one line on the
error stream with its exit status; nothing is printed as if it had worked.

VELMORA_TOOL and VELMORA_SIM name the programs; VELMORA_TESTER the window program where it
is built (run here without a display: it must answer without one).
"""
import os
import shutil
import sqlite3
import subprocess
import tempfile
import threading
import unittest

from test_tools import CAPTURE, EXAMPLE_LOG, make_journal, tool_has_journal

TOOL = os.environ["VELMORA_TOOL"]
SIM = os.environ["VELMORA_SIM"]
TESTER = os.environ.get("VELMORA_TESTER", "")
HAS_DEV_FULL = os.path.exists("/dev/full")
# Longest first line of a log file (two digits a byte of the longest record) and its CR LF.
MAX_LOG_READ = 2 * 65 * 1024 + 2


def without_display():
    """An environment in which opening a window fails: the X11 platform and no display."""
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env["QT_QPA_PLATFORM"] = "xcb"
    return env


def run(program, args, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, env=None):
    return subprocess.run([program, *args], stdin=stdin, stdout=stdout, stderr=subprocess.PIPE,
                          timeout=60, env=env)


class Case(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="velmora_bad_input_")
        self.addCleanup(shutil.rmtree, self.folder, True)

    def path(self, name, content=None):
        full = os.path.join(self.folder, name)
        if content is not None:
            with open(full, "wb") as f:
                f.write(content)
        return full

    def assertOneLine(self, result, status, text=""):
        """Exit `status`, one line on the error stream holding `text`, nothing else."""
        self.assertEqual(result.returncode, status, result.stderr)
        lines = result.stderr.decode(errors="replace").splitlines()
        self.assertEqual(len(lines), 1, result.stderr)
        self.assertIn(text, lines[0])
        if result.stdout is not None:
            self.assertEqual(result.stdout, b"")
        return lines[0]


class HelpTest(Case):
    def test_every_program_answers_help_on_standard_output(self):
        programs = [(TOOL, "velmora-tool"), (SIM, "--tick-ms")]
        if TESTER:
            programs.append((TESTER, "--sim-speed"))
        for program, mentioned in programs:
            for args in (["--help"], ["-h"], ["--help-all"]):
                with self.subTest(program=program, args=args):
                    out = run(program, args, env=without_display())
                    self.assertEqual(out.returncode, 0, out.stderr)
                    self.assertIn(mentioned.encode(), out.stdout)
                    self.assertEqual(out.stderr, b"")

    def test_help_after_a_command_and_qt_options_of_the_window(self):
        out = run(TOOL, ["journal", "list", "--help"])
        self.assertEqual(out.returncode, 0)
        self.assertIn(b"journal export", out.stdout)
        if TESTER:
            out = run(TESTER, ["-platform", "offscreen", "--help-all"], env=without_display())
            self.assertEqual(out.returncode, 0, out.stderr)
            self.assertIn(b"-platform", out.stdout)  # Qt's own options, listed here only


class RefusedArgumentsTest(Case):
    def test_bad_options_and_values_are_refused_in_one_line_with_status_2(self):
        cases = [
            (TOOL, ["--bogus"], "unknown command"),
            (TOOL, [], "command is missing"),
            (TOOL, ["frobnicate"], "unknown command"),
            (TOOL, ["catalogue", "extra"], "no arguments"),
            (TOOL, ["decode", "--bogus"], "unknown option --bogus"),
            (TOOL, ["decode", "--chunk-size", "x"], "--chunk-size"),
            (TOOL, ["decode", "--chunk-size"], "--chunk-size"),
            (TOOL, ["log", "frobnicate"], "log takes"),
            (TOOL, ["receipt", "charge", "--colour", "red"], "unknown option --colour"),
            (TOOL, ["raster", "one"], "raster takes"),
            (TOOL, ["render-receipt"], "render-receipt takes"),
            (SIM, ["--bogus"], "unknown option --bogus"),
            (SIM, ["--speed", "abc"], "--speed"),
            (SIM, ["--speed", "0"], "--speed"),
            (SIM, ["--speed"], "--speed needs a value"),
            (SIM, ["--garbage", "7"], "--garbage"),
            (SIM, ["--garbage", "-1"], "--garbage"),
            (SIM, ["--garbage", "abc"], "--garbage"),
            (SIM, ["--tick-ms", "99999999999"], "--tick-ms"),
            (SIM, ["--tick-ms", "0"], "--tick-ms"),
            (SIM, ["--drop-after", "-3"], "--drop-after"),
            (SIM, ["--seed", "x"], "--seed"),
            (SIM, ["--listen", "foo:bar"], "--listen"),
            (SIM, ["--listen", ""], "--listen"),
            (SIM, ["--listen", "tcp:127.0.0.1:5555x"], "--listen"),
            (SIM, ["--start-answer", "maybe"], "--start-answer takes standby or state"),
        ]
        if tool_has_journal():
            cases += [
                (TOOL, ["journal", "show", "99999999999999999999"], "no session number"),
                (TOOL, ["journal", "show", "-5"], "unknown option -5"),
                (TOOL, ["journal", "show", "1", "2"], "one session number"),
                (TOOL, ["journal", "list", "--bogus"], "unknown option --bogus"),
                (TOOL, ["journal", "list", "--from", "2025-02-30"], "--from"),
                (TOOL, ["journal", "list", "--db"], "--db needs a value"),
                (TOOL, ["journal", "export", "1"], "--csv"),
                (TOOL, ["journal"], "journal takes"),
            ]
        if TESTER:
            cases += [
                (TESTER, ["--bogus"], "bogus"),
                (TESTER, ["--sim-speed", "abc"], "--sim-speed"),
                (TESTER, ["--sim-speed", "-5"], "--sim-speed"),
                (TESTER, ["--sim-speed", "0"], "--sim-speed"),
                (TESTER, ["--charger-address", ""], "--charger-address"),
                (TESTER, ["--charger-address", "foo:bar"], "--charger-address"),
                (TESTER, ["--language", "de"], "--language takes id or en"),
                (TESTER, ["--sim-start-answer", "maybe"], "--sim-start-answer"),
                (TESTER, ["--printer-address", "foo"], "--printer-address"),
                (TESTER, ["--connect", ""], "--connect"),
                (TESTER, ["--connect", "sim:charger", "--connect", "sim:charger"], "twice"),
                (TESTER, [a for n in range(8) for a in ("--connect", "sim:charger-%d" % n)],
                 "at most 7"),
                (TESTER, ["stray"], "stray"),
            ]
        for program, args, text in cases:
            with self.subTest(program=os.path.basename(program), args=args):
                self.assertOneLine(run(program, args, env=without_display()), 2, text)


class InputsThatAreNoFilesTest(Case):
    def test_folders_devices_and_unreadable_files_are_refused_in_one_line(self):
        folder = self.path("captures")
        os.mkdir(folder)
        state = self.path("state.json", b"{}")
        texts = self.path("texts.json", b"{}")
        receipt = ["receipt", "charge", "--clock", "2026-12-10T14:05:09"]
        cases = [
            (["decode", folder], "a folder"),
            (["log", "decode", folder], "a folder"),
            (["log", "decode", "/dev/zero"], "a device"),
            (["decode", "/dev/zero"], "a device"),
            (["render-receipt", folder, self.path("out.pgm")], "a folder"),
            (["render-receipt", "/dev/zero", self.path("out.pgm")], "a device"),
            (receipt + ["--state", folder, "--texts", texts], "a folder"),
            (receipt + ["--state", state, "--texts", texts, "--logo", "/dev/zero"], "a device"),
            (["raster", folder, self.path("out.bin")], "a folder"),
            (["decode", self.path("missing.bin")], "cannot read"),
        ]
        if tool_has_journal():
            cases.append((["journal", "list", "--db", folder], "a folder"))
        if os.geteuid() != 0:  # root reads every file
            locked = self.path("locked.bin", CAPTURE)
            os.chmod(locked, 0)
            cases += [(["decode", locked], "cannot read"), (["log", "decode", locked], "cannot read")]
        for args, text in cases:
            with self.subTest(args=args):
                self.assertOneLine(run(TOOL, args), 1, text)

    def test_standard_input_that_is_a_folder_is_refused(self):
        for args in (["decode"], ["decode", "--trace", "-"], ["log", "encode"]):
            with self.subTest(args=args):
                descriptor = os.open(self.folder, os.O_RDONLY)
                try:
                    self.assertOneLine(run(TOOL, args, stdin=descriptor), 1, "a folder")
                finally:
                    os.close(descriptor)

    def test_log_decode_reads_no_further_than_the_longest_line(self):
        # A log file as a pipe that always has more to give: the reader must stop just past
        # the longest line a log may have, never read it all into memory first.
        fifo = self.path("endless.log")
        os.mkfifo(fifo)
        written = [0]

        def feed():
            piece = b"A" * 65536
            try:
                with open(fifo, "wb") as f:
                    while written[0] < 64 * MAX_LOG_READ:
                        f.write(piece)
                        written[0] += len(piece)
            except BrokenPipeError:
                pass
        writer = threading.Thread(target=feed)
        writer.start()
        out = run(TOOL, ["log", "decode", fifo])
        writer.join(timeout=60)
        self.assertOneLine(out, 1, "not a valid log")
        # What the pipe held when the reader left is at most a few of its buffers.
        self.assertLess(written[0], MAX_LOG_READ + 16 * 65536)


@unittest.skipUnless(HAS_DEV_FULL, "no /dev/full here")
class WriteFailuresTest(Case):
    def test_every_write_into_a_full_device_fails_in_one_line(self):
        state = self.path("state.json", b'{"afterCca": 455}')
        texts = self.path("texts.json", b'{"profileName": "Budi"}')
        receipt = ["receipt", "charge", "--state", state, "--texts", texts, "--clock",
                   "2026-12-10T14:05:09"]
        stream = run(TOOL, receipt).stdout
        paper = self.path("r.bin", stream)
        capture = self.path("capture.bin", CAPTURE)
        log = self.path("aki.log", EXAMPLE_LOG)
        to_stdout = [receipt, receipt + ["--chunks"], ["catalogue"], ["decode", capture],
                     ["log", "decode", log], ["--help"]]
        to_file = [["render-receipt", paper, "/dev/full"]]
        if tool_has_journal():
            journal = self.path("journal.sqlite")
            make_journal(journal)
            to_stdout += [["journal", "list", "--db", journal],
                          ["journal", "show", "1", "--db", journal]]
            to_file.append(["journal", "export", "1", "--csv", "/dev/full", "--db", journal])
        for args in to_stdout:
            with self.subTest(args=args), open("/dev/full", "wb") as full:
                self.assertOneLine(run(TOOL, args, stdout=full), 1, "cannot write")
        for args in to_file:
            with self.subTest(args=args):
                self.assertOneLine(run(TOOL, args), 1, "cannot write")
        with open("/dev/full", "wb") as full, open(state, "rb") as given:
            self.assertOneLine(run(TOOL, ["log", "encode"], stdin=given, stdout=full), 1,
                               "cannot write")


@unittest.skipUnless(tool_has_journal(), "built without the journal")
class JournalMessagesTest(Case):
    def setUp(self):
        super().setUp()
        self.db = self.path("journal.sqlite")
        make_journal(self.db)

    def sessions(self, db=None):
        out = run(TOOL, ["journal", "list", "--db", db or self.db])
        self.assertEqual(out.returncode, 0, out.stderr)
        return len(out.stdout.splitlines())

    def test_export_never_replaces_the_journal(self):
        link = self.path("hard link.sqlite")
        os.link(self.db, link)
        symbolic = self.path("symbolic.sqlite")
        os.symlink(self.db, symbolic)
        spelled = os.path.join(self.folder, ".", "journal.sqlite")
        db = sqlite3.connect(self.db)  # a log beside it, as while the window writes
        self.addCleanup(db.close)
        db.execute("PRAGMA journal_mode=WAL")
        db.execute("SELECT count(*) FROM sessions").fetchone()
        self.assertTrue(os.path.exists(self.db + "-wal"))
        cases = [self.db, link, symbolic, spelled, self.db + "-wal"]
        for target in cases:
            with self.subTest(target=target):
                out = run(TOOL, ["journal", "export", "1", "--csv", target, "--db", self.db])
                self.assertOneLine(out, 1, "is the journal itself")
                self.assertEqual(self.sessions(), 3)
        # The window's own journal, while another one is read.
        docs = self.path("Dokumen")
        os.makedirs(os.path.join(docs, "Velmora Tester"))
        window = os.path.join(docs, "Velmora Tester", "journal.sqlite")
        make_journal(window)
        env = dict(os.environ, XDG_DOCUMENTS_DIR=docs)
        out = run(TOOL, ["journal", "export", "--from", "2025-03-01", "--to", "2025-03-31",
                         "--csv", window, "--db", self.db], env=env)
        self.assertOneLine(out, 1, "is the journal itself")
        self.assertEqual(self.sessions(window), 3)

    def test_failures_say_what_happened_without_the_engines_words(self):
        damaged = self.path("damaged.sqlite", b"\xa5" * 5000)
        with sqlite3.connect(self.path("foreign.sqlite")) as db:
            db.execute("CREATE TABLE customers (name TEXT)")
        truncated = self.path("truncated.sqlite")
        with open(self.db, "rb") as whole, open(truncated, "wb") as half:
            half.write(whole.read()[:4096 + 100])
        for db, fault in ((damaged, "corrupt"), (self.path("foreign.sqlite"), "corrupt"),
                          (truncated, "corrupt")):
            with self.subTest(db=db):
                line = self.assertOneLine(run(TOOL, ["journal", "list", "--db", db]), 1, fault)
                for engine in ("file:", "mode=ro", "immutable", "SELECT", "sqlite_master",
                               "database disk image", "basic_filebuf"):
                    self.assertNotIn(engine, line)
                # The engine's own words, when asked for.
                out = run(TOOL, ["journal", "list", "--db", db, "--verbose"])
                self.assertEqual(out.returncode, 1)
                self.assertEqual(len(out.stderr.splitlines()), 2, out.stderr)
                self.assertIn(b"detail:", out.stderr.splitlines()[1])


if __name__ == "__main__":
    unittest.main(verbosity=2)
