"""--version of the three programs: one line with the build's version, without a display.

VELMORA_TOOL, VELMORA_SIM and, where the window program is built, VELMORA_TESTER name the
programs; VELMORA_VERSION_FILE the version the build wrote; VELMORA_PROJECT_VERSION the
project's release number.
"""
import os
import subprocess
import unittest

PROGRAMS = {
    "velmora-tool": os.environ["VELMORA_TOOL"],
    "velmora-charger-sim": os.environ["VELMORA_SIM"],
}
if os.environ.get("VELMORA_TESTER"):
    PROGRAMS["velmora-tester"] = os.environ["VELMORA_TESTER"]

with open(os.environ["VELMORA_VERSION_FILE"], encoding="ascii") as f:
    VERSION = f.read().strip()


def without_display():
    """An environment in which opening a window fails: the X11 platform and no display."""
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env["QT_QPA_PLATFORM"] = "xcb"
    return env


class VersionTest(unittest.TestCase):
    def test_build_version_starts_with_the_project_version(self):
        project = os.environ["VELMORA_PROJECT_VERSION"]
        self.assertTrue(VERSION == project or VERSION.startswith(project + "-"), VERSION)

    def test_each_program_prints_its_name_and_the_one_version(self):
        # Alone, and after other options: --version answers and nothing else starts (the
        # simulator would listen, the window would open).
        cases = [
            ("velmora-tool", ["--version"]),
            ("velmora-tool", ["catalogue", "--version"]),
            ("velmora-charger-sim", ["--version"]),
            ("velmora-charger-sim", ["--quick", "--version"]),
            ("velmora-tester", ["--version"]),
            ("velmora-tester", ["--demo", "--version"]),
            ("velmora-tester", ["--language", "en", "--version"]),
        ]
        for name, args in cases:
            if name not in PROGRAMS:
                continue
            with self.subTest(program=name, args=args):
                out = subprocess.run([PROGRAMS[name], *args], capture_output=True, timeout=30,
                                     env=without_display())
                self.assertEqual(out.returncode, 0, out.stderr)
                # One line (a Windows console program may end it with CR LF).
                self.assertEqual(out.stdout.decode().splitlines(), [f"{name} {VERSION}"])
                self.assertEqual(out.stderr, b"")

    def test_the_window_refuses_a_language_it_does_not_speak(self):
        if "velmora-tester" not in PROGRAMS:
            self.skipTest("the window program is not built")
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        for language in ["de", "EN", ""]:
            with self.subTest(language=language):
                out = subprocess.run([PROGRAMS["velmora-tester"], "--language", language],
                                     capture_output=True, timeout=30, env=env)
                self.assertEqual(out.returncode, 2, out.stderr)
                self.assertIn(b"--language takes id or en", out.stderr)

    def test_version_after_the_end_of_options_is_an_argument(self):
        out = subprocess.run([PROGRAMS["velmora-charger-sim"], "--", "--version"],
                             capture_output=True, timeout=30)
        self.assertEqual(out.returncode, 2)  # its usage: "--" is no option it knows
        self.assertNotIn(VERSION.encode(), out.stdout)


if __name__ == "__main__":
    unittest.main()
