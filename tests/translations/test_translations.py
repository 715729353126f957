#!/usr/bin/env python3
"""Every translation in translations/ is complete for the window's texts as they are now.

lupdate reads app/ into a copy of each .ts file: a text of the window with no translation
comes back unfinished, a translation whose text left the window comes back vanished. Each
translation must also keep the source's %1, %2 ... so no figure or name goes missing.
Environment: VELMORA_LUPDATE (the lupdate program), VELMORA_SOURCE (the source tree).
"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def placeholders_kept(source, text, counted=False):
    """The translation keeps every %1, %2 ... of the source; a plural form may say its
    count in words ("once") instead of %n."""
    numbered = sorted(re.findall(r"%\d", source)) == sorted(re.findall(r"%\d", text))
    return numbered and (counted or ("%n" in source) == ("%n" in text))


def problems_of(ts_file):
    found = []
    for context in ET.parse(ts_file).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            kind = translation.get("type") if translation is not None else "missing"
            forms = translation.findall("numerusform") if translation is not None else []
            text = (translation.text or "") if translation is not None else ""
            where = f"{name}: {source!r}"
            if kind in ("unfinished", "vanished", "obsolete", "missing"):
                found.append(f"{kind}: {where}")
            elif forms:  # a text with a count: each plural form whole
                for form in forms:
                    if not (form.text or "").strip():
                        found.append(f"empty plural form: {where}")
                    elif not placeholders_kept(source, form.text, counted=True):
                        found.append(f"placeholders differ: {where} -> {form.text!r}")
            elif not text.strip():
                found.append(f"empty translation: {where}")
            elif not placeholders_kept(source, text):
                found.append(f"placeholders differ: {where} -> {text!r}")
    return found


def main():
    lupdate = os.environ["VELMORA_LUPDATE"]
    root = os.environ["VELMORA_SOURCE"]
    ts_files = sorted(glob.glob(os.path.join(root, "translations", "velmora_*.ts")))
    if not ts_files:
        print("no translations in translations/")
        return 1
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        for ts in ts_files:
            copy = os.path.join(scratch, os.path.basename(ts))
            shutil.copyfile(ts, copy)
            run = subprocess.run(
                [lupdate, "-locations", "none", os.path.join(root, "app"), "-ts", copy],
                capture_output=True, text=True)
            if run.returncode != 0:
                failures.append(f"{os.path.basename(ts)}: lupdate failed:\n{run.stderr}")
                continue
            # lupdate's warnings mean a text it could not read (tr() where it cannot be).
            warnings = [line for line in run.stderr.splitlines() if "warning" in line.lower()]
            failures += [f"{os.path.basename(ts)}: {w}" for w in warnings]
            failures += [f"{os.path.basename(ts)}: {p}" for p in problems_of(copy)]
    for failure in failures:
        print(failure)
    if failures:
        print("Run `cmake --build build --target update_translations`, then translate "
              "the unfinished entries (Qt Linguist or the .ts file itself).")
        return 1
    print(f"{len(ts_files)} translation file(s) complete")
    return 0


if __name__ == "__main__":
    sys.exit(main())
