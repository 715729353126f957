"""Black-box tests of velmora-tool and velmora-charger-sim."""
import csv
import io
import json
import os
import select
import socket
import sqlite3
import subprocess
import sys
import struct
import tempfile
import time
import unittest
import zlib

TOOL = os.environ["VELMORA_TOOL"]
SIM = os.environ["VELMORA_SIM"]

CAPTURE = (
    b"\xff\x00noise\r\n"
    b"#|STANDBY|*\r\n"
    b"#|Baterai_Detected|1262|*\r\n"
    b"#|1|2|1325|2500|61|45|*\r\n#|1|2|x|2500|62|45|*\r\n"
    b"#|3|1|410|450|1102|1271|*\r\n"
    b"#|2|1|0|4|1|*\r\n"
    b"#|4|1300|1310|*\r\n#|5|2500|2400|*\r\n"
    b"#|3|5|1310|1150|420|480|GOOD|*\r\n#|5|*\r\n"
)


def decode(data, *args):
    out = subprocess.run([TOOL, "decode", *args], input=data, capture_output=True, check=True)
    return out.stdout.decode()


class DecodeTest(unittest.TestCase):
    def test_capture_gives_final_state_as_json(self):
        state = json.loads(decode(CAPTURE))
        self.assertEqual(state["stageNumber"], 2)
        self.assertEqual(state["chargeVoltage"], 13.25)  # garbled reading dropped whole
        self.assertEqual(state["elapsedSeconds"], 61)
        self.assertEqual(state["beforeCca"], 410)
        self.assertEqual(state["beforeResistance"], 4.5)
        # One chunk per line: the after result is its own frame, read before the marker.
        self.assertEqual(state["afterCca"], 1310)
        self.assertTrue(state["endOfTest"])
        # Nothing plots here, so the empty marker leaves the waiting history as it is.
        self.assertEqual(state["currentHistory"], ["2500", "2400"])
        self.assertEqual(state["voltageHistory"], ["1300", "1310"])
        self.assertTrue(state["historyReady"])
        self.assertTrue(state["profileReceived"])
        self.assertEqual(state["profileTypeIndex"], 4)
        self.assertEqual(len(state["optionSlots"]), 5)
        self.assertEqual(set(state["auxReadings"][0]), {"voltage", "current", "number", "text"})

    def test_chunk_size_changes_frame_boundaries(self):
        # In one chunk the frame ends with the empty current history: read reversed.
        whole = json.loads(decode(CAPTURE, "--chunk-size", "4096"))
        self.assertEqual(whole["afterCca"], 480)
        self.assertEqual(whole["afterVoltage"], 13.1)
        self.assertFalse(whole["endOfTest"])
        # Chunks that end mid-line keep the frame open until one ends on LF.
        stream = b"#|STANDBY|*\r\n#|1|3|1400|1200|90|75|*\r\n#|1|4"
        self.assertEqual(json.loads(decode(stream, "--chunk-size", "5"))["stageNumber"], 0)
        self.assertEqual(json.loads(decode(stream[:-5], "--chunk-size", "5"))["stageNumber"], 3)

    def test_trace_names_each_shape(self):
        lines = decode(CAPTURE, "--trace").splitlines()
        shapes = [line.split("\t")[0] for line in lines[:-1]]
        self.assertEqual(shapes[:4], ["status-word", "detection-report", "live-reading",
                                      "live-reading (rejected)"])
        self.assertIn("after-charge-result", shapes)
        json.loads(lines[-1])

    def test_file_argument_and_errors(self):
        path = os.path.join(os.environ.get("TMPDIR", "/tmp"), "velmora_capture_%d.bin" % os.getpid())
        with open(path, "wb") as f:
            f.write(CAPTURE)
        try:
            out = subprocess.run([TOOL, "decode", path], capture_output=True, check=True)
            self.assertEqual(json.loads(out.stdout)["beforeCca"], 410)
        finally:
            os.unlink(path)
        self.assertNotEqual(subprocess.run([TOOL, "decode", "/nonexistent/x"],
                                           capture_output=True).returncode, 0)
        self.assertEqual(subprocess.run([TOOL, "decode", "--chunk-size", "0"],
                                        capture_output=True).returncode, 2)


    # The Linux/Windows comparison collects both outputs whole, so it cannot stream.
    @unittest.skipIf(TOOL.endswith("-twin"), "compared builds answer only at the end")
    def test_piped_capture_is_decoded_as_it_arrives(self):
        # The input is streamed, not read whole first: the trace of the first frame comes
        # out while the capture is still open, as with a live charger piped in.
        proc = subprocess.Popen([TOOL, "decode", "--trace"], stdin=subprocess.PIPE,
                                stdout=subprocess.PIPE)
        try:
            proc.stdin.write(b"#|STANDBY|*\r\n")
            proc.stdin.flush()
            self.assertEqual(read_line(proc.stdout, deadline=30), b"status-word\t#|STANDBY|*\n")
            out, _ = proc.communicate(b"#|1|2|1325|2500|61|45|*\r\n", timeout=60)
        finally:
            proc.kill()
        lines = out.decode().splitlines()
        self.assertEqual(lines[0], "live-reading\t#|1|2|1325|2500|61|45|*")
        self.assertEqual(json.loads(lines[1])["stageNumber"], 2)
        self.assertEqual(proc.returncode, 0)


def read_line(stream, deadline):
    """One line from a pipe, or whatever came before the deadline."""
    line = b""
    end = time.monotonic() + deadline
    while not line.endswith(b"\n") and time.monotonic() < end:
        ready, _, _ = select.select([stream], [], [], max(0.0, end - time.monotonic()))
        if not ready:
            break
        piece = os.read(stream.fileno(), 1)
        if not piece:
            break
        line += piece
    return line


class CatalogueTest(unittest.TestCase):
    def test_catalogue_is_one_json_object_with_every_position(self):
        out = subprocess.run([TOOL, "catalogue"], capture_output=True, check=True)
        catalogue = json.loads(out.stdout)
        self.assertEqual(catalogue["brands"], ["Zentor", "Yuasa", "GSAstra", "Other"])
        self.assertEqual(len(catalogue["varieties"]), 4)
        self.assertEqual(len(catalogue["brandVarieties"]), 4)
        self.assertEqual(len(catalogue["typeLists"]), 6)
        self.assertEqual(sum(len(rows) for rows in catalogue["typeLists"]), 58)
        self.assertEqual(len(catalogue["capacityScale"]), 39)
        for rows in catalogue["typeLists"]:
            for row in rows:
                self.assertIn(row["scale"], catalogue["capacityScale"])
                self.assertTrue(row["capacity"].endswith(" Ah"))
                self.assertNotIn(",", row["capacity"])  # "." whatever the machine's locale


EXAMPLE_STATE = {
    "profileBrandIndex": 0, "profileVarietyIndex": 1, "profileTypeIndex": 3, "profileMode": "1",
    "beforeCca": 410, "beforeResistance": 4.5, "beforeVoltage": 12.71, "beforeDiagVoltage": 11.02,
    "afterCca": 455, "afterResistance": 4.2, "afterVoltage": 13.05, "afterDiagVoltage": 11.8,
}
EXAMPLE_LOG = (b"237C307C317C337C317C3431307C3435307C313237317C313130327C3435357C3432307C"
               b"313330357C313138307C7C2A\r\n")


def hexed(record):
    return record.encode("cp1252").hex().upper().encode() + b"\r\n"


def log(*args, data=b""):
    return subprocess.run([TOOL, "log", *args], input=data, capture_output=True)


class LogTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)

    def write(self, name, data):
        path = os.path.join(self.dir.name, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def assertRefused(self, result):
        self.assertNotEqual(result.returncode, 0)
        self.assertEqual(result.stdout, b"")
        lines = result.stderr.decode().splitlines()
        self.assertEqual(len(lines), 1, result.stderr)
        return lines[0]

    def test_encode_writes_the_file_bytes(self):
        out = log("encode", data=json.dumps(EXAMPLE_STATE).encode())
        self.assertEqual(out.returncode, 0, out.stderr)
        self.assertEqual(out.stdout, EXAMPLE_LOG)
        # Rounding to hundredths: 4.35 is 435, halves go away from zero.
        state = dict(EXAMPLE_STATE, beforeResistance=4.35, afterVoltage=-0.005, afterStatus="Ā|ok")
        out = log("encode", data=json.dumps(state).encode())
        record = bytes.fromhex(out.stdout.decode().strip()).decode("cp1252")
        self.assertEqual(record, "#|0|1|3|1|410|435|1271|1102|455|420|-1|1180|? ok|*")

    def test_decode_prints_the_record(self):
        for data in (EXAMPLE_LOG, EXAMPLE_LOG.lower()):
            out = log("decode", self.write("aki.log", data))
            self.assertEqual(out.returncode, 0, out.stderr)
            self.assertEqual(json.loads(out.stdout), dict(EXAMPLE_STATE, status=""))

    def test_a_capture_becomes_a_log_and_reads_back(self):
        state = decode(CAPTURE)
        out = log("encode", data=state.encode())
        self.assertEqual(out.returncode, 0, out.stderr)
        self.assertTrue(out.stdout.endswith(b"\r\n"))
        record = json.loads(log("decode", self.write("capture.log", out.stdout)).stdout)
        expected = json.loads(state)
        for key in ("profileTypeIndex", "beforeCca", "beforeResistance", "afterCca",
                    "afterVoltage"):
            self.assertEqual(record[key], expected[key], key)
        self.assertEqual(record["status"], expected["afterStatus"])

    def test_bad_state_is_refused_with_a_reason(self):
        cases = {
            b"{": "not JSON",
            b'{"beforeCCA": 410}': "beforeCCA: unknown field",
            b'{"beforeCca": "410"}': "beforeCca: expected number",
            b"[]": "expected object",
        }
        for data, reason in cases.items():
            self.assertIn(reason, self.assertRefused(log("encode", data=data)))

    def test_files_that_are_not_logs_are_refused_with_a_reason(self):
        record = "#|0|1|3|1|410|450|1271|1102|455|420|1305|1180|GO#OD|*"
        cases = {
            "words.txt": (b"Nota bengkel\r\n", "no hexadecimal text"),
            "empty.log": (b"", "no hexadecimal text"),
            "fourteen.log": (hexed("#|0|1|3|1|410|450|1271|1102|455|420|1305|1180|*"),
                             "14 fields"),
            "mark.log": (hexed(record), "fields, not 15"),
            "number.log": (hexed(record.replace("GO#OD", "").replace("410", "4x0")),
                           "\"4x0\" is not a number"),
        }
        for name, (data, reason) in cases.items():
            message = self.assertRefused(log("decode", self.write(name, data)))
            self.assertIn(reason, message, name)
            self.assertIn(name, message)
        self.assertIn("cannot read", self.assertRefused(log("decode", self.dir.name)))
        self.assertIn("cannot read", self.assertRefused(
            log("decode", os.path.join(self.dir.name, "missing.log"))))
        self.assertEqual(log("frobnicate").returncode, 2)


class SimulatorTest(unittest.TestCase):
    def test_simulator_answers_start_and_profile_over_tcp(self):
        proc = subprocess.Popen([SIM, "--listen", "tcp:127.0.0.1:0", "--tick-ms", "20", "--quick",
                                 "--once"], stdout=subprocess.PIPE, text=True)
        try:
            line = proc.stdout.readline()
            self.assertTrue(line.startswith("listening on tcp:"), line)
            port = int(line.strip().rsplit(":", 1)[1])
            with socket.create_connection(("127.0.0.1", port), timeout=10) as conn:
                conn.sendall(b"#KWPRZ41*")
                conn.sendall(b"#2| 3|0|4|1*")  # not a number to the charger: ignored
                conn.sendall(b"#2|1|0|4|2*")
                received = b""
                deadline = time.monotonic() + 20
                while b"#|3|5|" not in received and time.monotonic() < deadline:
                    received += conn.recv(65536)
            state = json.loads(decode(received, "--chunk-size", "100000"))
            self.assertEqual(state["profileMode"], "2")
            self.assertIn(b"#|2|1|0|4|2|*", received)
            self.assertNotIn(b"#|2| 3|", received)
            self.assertEqual(state["optionSlots"][0]["name"], "OTHER 1")
            self.assertIn(b"#|Baterai_Detected|", received)
            self.assertIn(b"#|3|1|", received)
            self.assertIn(b"#|3|5|", received)
        finally:
            proc.terminate()
            proc.wait(timeout=10)


def png(width, height, pixel):
    """An RGB PNG whose pixel(x, y) gives (r, g, b)."""
    raw = b"".join(b"\x00" + bytes(c for x in range(width) for c in pixel(x, y))
                   for y in range(height))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def png_size(data):
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    return struct.unpack(">II", data[16:24])


def tool_handles_png():
    probe = subprocess.run([TOOL, "raster", "/nonexistent.png", "/nonexistent.bin"],
                           capture_output=True)
    return b"built without Qt" not in probe.stderr


class ReceiptToolTest(unittest.TestCase):
    STATE = {"beforeVoltage": 12.71, "beforeDiagVoltage": 11.02, "beforeResistance": 4.5,
             "beforeCca": 410, "afterVoltage": 13.12, "afterDiagVoltage": 11.64,
             "afterResistance": 3.8, "afterCca": 455, "afterStatus": "GOOD",
             "testVoltage": 12.38, "testCca": 285, "testStatus": "WEAK"}
    TEXTS = {"profileName": "Pak Budi", "variety": "MF", "type": "GM5Z-3B", "capacity": "5 Ah"}

    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)

    def path(self, name, content=None):
        full = os.path.join(self.dir.name, name)
        if content is not None:
            with open(full, "wb") as f:
                f.write(content if isinstance(content, bytes) else json.dumps(content).encode())
        return full

    def receipt(self, kind, *extra, state=None, check=True):
        args = [TOOL, "receipt", kind, "--state", self.path("state.json", state or self.STATE),
                "--texts", self.path("texts.json", self.TEXTS), "--clock", "2026-12-10T14:05:09",
                *extra]
        return subprocess.run(args, capture_output=True, check=check)

    def test_charge_receipt_chunks_with_locale_facts_and_rasters(self):
        logo = bytes(range(256)) * 18 + b"\x00" * 24  # 4632 bytes, any content is sent whole
        out = self.receipt("charge", "--chunks", "--decimal", ",", "--date-sep", ".",
                           "--time-format", "h:mm:ss AP", "--logo", self.path("logo.bin", logo))
        chunks = [bytes.fromhex(line) for line in out.stdout.decode().splitlines()]
        self.assertEqual(len(chunks), 12)
        self.assertEqual(chunks[0], b"\x1b3\x00\x1ba\x01" + logo + b"\n")
        self.assertEqual(chunks[1], b"\x1b@\x1ba\x0110.12.2026 - 2:05:09 PM\x1b\r\n")
        self.assertEqual(chunks[5], b"\x1b@VOLTAGE      : 12,71 V\x1b\r\nV DIAGNOSTIC : 11,02 V\x1b\r\n"
                                    b"iR           : 4,50 mOhm\x1b\r\nCCA          : 410\x1b\r\n")
        self.assertEqual(chunks[9], b"\x1b@\x1b3\x00\x1ba\x01\n")  # no voltage raster given
        self.assertEqual(chunks[11][-4:], b"\n\n\x1b@")
        whole = self.receipt("charge", "--decimal", ",", "--date-sep", ".", "--time-format",
                             "h:mm:ss AP", "--logo", self.path("logo.bin")).stdout
        self.assertEqual(whole, b"".join(chunks))

    def test_test_receipt_from_a_decoded_capture(self):
        state = json.loads(decode(CAPTURE))
        out = self.receipt("test", "--chunks", state=state)
        chunks = [bytes.fromhex(line) for line in out.stdout.decode().splitlines()]
        self.assertEqual(len(chunks), 6)
        self.assertEqual(chunks[0], b"\x1b3\x00\x1ba\x01\n")
        self.assertIn(b"Profile Name : Pak Budi\x1b\r\n", chunks[3])
        self.assertTrue(chunks[4].endswith(b"          TEST REPORT           \n"))

    def test_receipt_rejects_bad_input_in_one_line(self):
        cases = [
            ("charge", "--clock", "2026-02-30T10:00:00"),
            ("charge", "--decimal", ",,"),
            ("test", "--voltage-raster", "/nonexistent"),
            ("charge", "--logo", "/nonexistent/logo.bin"),
            ("charge", "--colour", "red"),
            ("invoice",),
        ]
        for args in cases:
            out = self.receipt(*args, check=False)
            self.assertNotEqual(out.returncode, 0, args)
            self.assertEqual(len(out.stderr.decode().strip().splitlines()), 1, args)
        for state in (b"{", b'{"afterCCA": 1}', b'{"afterCca": "x"}', b"[]"):
            out = subprocess.run(
                [TOOL, "receipt", "charge", "--state", self.path("bad.json", state), "--texts",
                 self.path("texts.json", self.TEXTS), "--clock", "2026-12-10T14:05:09"],
                capture_output=True)
            self.assertEqual(out.returncode, 1, state)
            self.assertEqual(len(out.stderr.decode().strip().splitlines()), 1, state)

    @unittest.skipUnless(tool_handles_png(), "built without PNG support")
    def test_raster_packs_a_picture_into_bands(self):
        # Column 7: dots 3, 4, 6 and 7 black in the top byte, which is 1B and goes out as 1A.
        black = {3, 4, 6, 7}
        picture = png(384, 90, lambda x, y: (0, 0, 0) if x == 7 and y in black else
                      ((126, 126, 126) if x == 20 else (127, 127, 127)))
        out = subprocess.run([TOOL, "raster", self.path("logo.png", picture), self.path("logo.bin")],
                             capture_output=True, check=True)
        self.assertEqual(json.loads(out.stdout), {"width": 384, "height": 90, "bands": 4, "bytes": 4632})
        with open(self.path("logo.bin"), "rb") as f:
            raster = f.read()
        self.assertEqual(len(raster), 4632)
        self.assertEqual(raster[:5], b"\x1b*\x21\x80\x01")
        self.assertEqual(raster[5 + 3 * 7], 0x1A)
        self.assertEqual(raster[5 + 3 * 20: 5 + 3 * 21], b"\xff\xff\xff")  # grey 126 is black
        self.assertEqual(raster[5 + 3 * 21: 5 + 3 * 22], b"\x00\x00\x00")  # grey 127 is white
        last = 3 * 1158 + 5 + 3 * 20
        self.assertEqual(raster[last: last + 3], b"\xff\xff\xc0")  # rows 72..89, six white
        chart = png(384, 300, lambda x, y: (255, 255, 255))
        out = subprocess.run([TOOL, "raster", self.path("c.png", chart), self.path("c.bin")],
                             capture_output=True, check=True)
        self.assertEqual(json.loads(out.stdout)["bytes"], 15054)
        # A damaged picture: the libraries' own complaints stay quiet, one line is said.
        damaged = bytearray(chart)
        damaged[29] ^= 0xFF  # the header's checksum
        out = subprocess.run([TOOL, "raster", self.path("d.png", bytes(damaged)),
                              self.path("d.bin")], capture_output=True)
        self.assertEqual(out.returncode, 1)
        self.assertEqual(out.stderr.decode().count("\n"), 1, out.stderr)
        self.assertTrue(out.stderr.startswith(b"velmora-tool: cannot read the picture"))

    @unittest.skipUnless(tool_handles_png(), "built without PNG support")
    def test_raster_refuses_pictures_it_cannot_print(self):
        cases = [(self.path("narrow.png", png(383, 24, lambda x, y: (0, 0, 0))), "383"),
                 (self.path("text.png", b"not a picture"), "picture"),
                 ("/nonexistent.png", "picture")]
        for path, word in cases:
            out = subprocess.run([TOOL, "raster", path, self.path("out.bin")], capture_output=True)
            self.assertEqual(out.returncode, 1)
            self.assertIn(word, out.stderr.decode())
            self.assertEqual(len(out.stderr.decode().strip().splitlines()), 1)

    def test_render_receipt_draws_the_paper(self):
        receipt = self.receipt("charge").stdout
        out = subprocess.run([TOOL, "render-receipt", self.path("r.bin", receipt),
                              self.path("r.pgm")], capture_output=True, check=True)
        info = json.loads(out.stdout)
        with open(self.path("r.pgm"), "rb") as f:
            self.assertTrue(f.read().startswith(b"P5\n384 %d\n" % info["height"]))
        self.assertEqual(info["lines"], 19)  # no logo or charts given: text lines only
        if tool_handles_png():
            out = subprocess.run([TOOL, "render-receipt", self.path("r.bin", receipt),
                                  self.path("r.png")], capture_output=True, check=True)
            with open(self.path("r.png"), "rb") as f:
                self.assertEqual(png_size(f.read()), (384, info["height"]))
        out = subprocess.run([TOOL, "render-receipt", self.path("g.bin", os.urandom(20000)),
                              self.path("g.pgm")], capture_output=True, check=True)
        with open(self.path("g.pgm"), "rb") as f:
            self.assertTrue(f.read().startswith(b"P5\n384 "))
        out = subprocess.run([TOOL, "render-receipt", "/nonexistent.bin", self.path("x.pgm")],
                             capture_output=True)
        self.assertEqual(out.returncode, 1)
# A journal as the application's first schema version writes it.
JOURNAL_V1 = """
CREATE TABLE schema_version (version INTEGER PRIMARY KEY, applied_ms INTEGER NOT NULL);
CREATE TABLE sessions (
    id INTEGER PRIMARY KEY, kind TEXT NOT NULL, start_ms INTEGER NOT NULL,
    utc_offset_min INTEGER NOT NULL, end_ms INTEGER, stop_reason TEXT NOT NULL DEFAULT '',
    device_name TEXT NOT NULL DEFAULT '', device_address TEXT NOT NULL DEFAULT '',
    profile_brand_index INTEGER NOT NULL DEFAULT -1, profile_variety_index INTEGER NOT NULL DEFAULT -1,
    profile_type_index INTEGER NOT NULL DEFAULT -1, profile_mode TEXT NOT NULL DEFAULT '',
    profile_brand TEXT NOT NULL DEFAULT '', profile_variety TEXT NOT NULL DEFAULT '',
    profile_type TEXT NOT NULL DEFAULT '', profile_mode_text TEXT NOT NULL DEFAULT '',
    profile_capacity TEXT NOT NULL DEFAULT '', profile_name TEXT NOT NULL DEFAULT '',
    before_cca INTEGER, before_resistance REAL, before_diag_voltage REAL, before_voltage REAL,
    after_cca INTEGER, after_resistance REAL, after_diag_voltage REAL, after_voltage REAL,
    after_status TEXT,
    test_cca INTEGER, test_resistance REAL, test_diag_voltage REAL, test_voltage REAL,
    test_status TEXT,
    point_count INTEGER NOT NULL DEFAULT 0, last_point_ms INTEGER NOT NULL DEFAULT 0);
CREATE INDEX sessions_by_start ON sessions (start_ms);
CREATE TABLE points (
    session_id INTEGER NOT NULL REFERENCES sessions (id) ON DELETE CASCADE,
    seq INTEGER NOT NULL, offset_ms INTEGER NOT NULL, centivolts INTEGER NOT NULL,
    milliamps INTEGER NOT NULL, stage INTEGER NOT NULL,
    PRIMARY KEY (session_id, seq)) WITHOUT ROWID;
INSERT INTO schema_version VALUES (1, 0);
"""

MARCH_1 = 1740787200000  # 2025-03-01 00:00 UTC
WIB = 7 * 3600 * 1000


def make_journal(path):
    db = sqlite3.connect(path)
    db.executescript(JOURNAL_V1)
    # 1: a finished charge on 2025-03-01 (local), 2: an open one on 03-02, 3: a test on 03-05.
    db.execute("INSERT INTO sessions (id, kind, start_ms, utc_offset_min, end_ms, stop_reason,"
               " device_name, profile_brand_index, profile_variety_index, profile_type_index,"
               " profile_mode, profile_brand, profile_variety, profile_type, profile_mode_text,"
               " profile_capacity, profile_name, before_cca, before_resistance,"
               " before_diag_voltage, before_voltage, after_cca, after_resistance,"
               " after_diag_voltage, after_voltage, after_status, point_count, last_point_ms)"
               " VALUES (1, 'charge', ?, 420, ?, 'finished', 'VELMORA-CH1', 1, 0, 4, '1', 'Yuasa',"
               " 'MF', 'YTZ5S', 'Normal Mode', '3.5 Ah', 'Pak Budi', 410, 4.5, 11.02, 12.71,"
               " 480, 3.9, 11.6, 13.1, 'GOOD', 3, 7200000)",
               (MARCH_1 + 3 * 3600000 - WIB, MARCH_1 + 5 * 3600000 - WIB))
    db.executemany("INSERT INTO points VALUES (1, ?, ?, ?, ?, ?)",
                   [(0, 0, 1245, 0, 1), (1, 1000, 1325, 2505, 2), (2, 7200000, 1470, 80, 4)])
    db.execute("INSERT INTO sessions (id, kind, start_ms, utc_offset_min, device_name,"
               " profile_brand, point_count, last_point_ms)"
               " VALUES (2, 'charge', ?, 420, 'VELMORA-CH1', 'GSAstra', 0, 0)",
               (MARCH_1 + 24 * 3600000 + 3600000 - WIB,))
    db.execute("INSERT INTO sessions (id, kind, start_ms, utc_offset_min, end_ms, stop_reason,"
               " profile_brand, test_cca, test_resistance, test_diag_voltage, test_voltage,"
               " test_status) VALUES (3, 'test', ?, 420, ?, 'finished', 'Zentor', 300, 6.1, 11.4,"
               " 12.4, 'WEAK')", (MARCH_1 + 4 * 86400000, MARCH_1 + 4 * 86400000 + 12000))
    db.commit()
    db.close()


def upgrade_to_bays(path, labels):
    """The journal brought to the version with bay labels as the application does it, then
    the sessions given put in their bays."""
    db = sqlite3.connect(path)
    db.executescript("""
ALTER TABLE sessions ADD COLUMN joined_mid_charge INTEGER NOT NULL DEFAULT 0;
CREATE TABLE certificates (session_id INTEGER PRIMARY KEY REFERENCES sessions (id)
    ON DELETE CASCADE, battery_id TEXT NOT NULL DEFAULT '', technician TEXT NOT NULL DEFAULT '',
    job TEXT NOT NULL DEFAULT '', in_vehicle INTEGER, qr_text TEXT NOT NULL);
ALTER TABLE sessions ADD COLUMN bay_label TEXT NOT NULL DEFAULT '';
CREATE INDEX sessions_by_bay ON sessions (bay_label, start_ms);
INSERT INTO schema_version VALUES (2, 0), (3, 0), (4, 0);
""")
    db.executemany("UPDATE sessions SET bay_label = ? WHERE id = ?",
                   [(label, id) for id, label in labels.items()])
    db.commit()
    db.close()


def tool(*args, env=None, check=True):
    return subprocess.run([TOOL, *args], capture_output=True, check=check, env=env)


def tool_has_journal():
    probe = subprocess.run([TOOL, "journal", "list", "--db", "/nonexistent/journal.sqlite"],
                           capture_output=True)
    return b"this build has no journal" not in probe.stderr


@unittest.skipUnless(tool_has_journal(), "built without the journal")
class JournalTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.db = os.path.join(self.folder.name, "journal.sqlite")
        make_journal(self.db)

    def tearDown(self):
        self.folder.cleanup()

    def test_list_gives_one_session_per_line_newest_first(self):
        lines = tool("journal", "list", "--db", self.db).stdout.decode().splitlines()
        sessions = [json.loads(line) for line in lines]
        self.assertEqual([s["id"] for s in sessions], [3, 2, 1])
        charge = sessions[2]
        self.assertEqual(charge["startTime"], "2025-03-01T03:00:00+07:00")
        self.assertEqual(charge["endTime"], "2025-03-01T05:00:00+07:00")
        self.assertEqual(charge["durationSeconds"], 7200)
        self.assertEqual(charge["stopReason"], "finished")
        self.assertEqual(charge["profileBrand"], "Yuasa")
        self.assertEqual(charge["profileTypeIndex"], 4)
        self.assertEqual(charge["profileName"], "Pak Budi")
        self.assertEqual(charge["beforeCca"], 410)
        self.assertEqual(charge["afterStatus"], "GOOD")
        self.assertIsNone(charge["testCca"])
        self.assertIsNone(sessions[1]["endTime"])  # never ended: writer gone or still busy
        self.assertEqual(sessions[0]["kind"], "test")
        self.assertEqual(sessions[0]["testStatus"], "WEAK")

    def test_list_filters_by_text_and_local_dates(self):
        def ids(*args):
            out = tool("journal", "list", "--db", self.db, *args).stdout.decode()
            return [json.loads(line)["id"] for line in out.splitlines()]
        self.assertEqual(ids("--filter", "gsastra"), [2])
        self.assertEqual(ids("--filter", "weak"), [3])
        self.assertEqual(ids("--from", "2025-03-02"), [3, 2])
        self.assertEqual(ids("--from", "2025-03-01", "--to", "2025-03-01"), [1])
        self.assertEqual(ids("--to", "2025-02-28"), [])

    def test_show_gives_the_session_with_its_points(self):
        session = json.loads(tool("journal", "show", "1", "--db", self.db).stdout)
        self.assertEqual(session["id"], 1)
        self.assertEqual(session["pointCount"], 3)
        self.assertEqual(session["points"][1], {"seconds": 1, "stageNumber": 2,
                                                "chargeVoltage": 13.25, "chargeCurrent": 2.505})
        self.assertEqual(len(session["points"]), 3)

    def test_export_one_session_and_a_date_range_as_csv(self):
        out = os.path.join(self.folder.name, "sesi.csv")
        tool("journal", "export", "1", "--csv", out, "--db", self.db, "--decimal-separator", ",")
        with open(out, encoding="utf-8-sig", newline="") as f:
            rows = list(csv.reader(f, delimiter=";"))
        self.assertEqual(rows[0][4], "Voltage (V)")
        self.assertEqual(rows[2][1:6], ["2025-03-01 03:00:01", "1", "2", "13,25", "2,505"])
        self.assertEqual(rows[2][6:], [""])  # kept before bays: no bay, in the last column
        self.assertEqual(len(rows), 4)

        tool("journal", "export", "--from", "2025-03-01", "--to", "2025-03-02", "--csv", out,
             "--db", self.db)
        with open(out, encoding="utf-8-sig", newline="") as f:
            rows = list(csv.DictReader(f))
        self.assertEqual([r["Session"] for r in rows], ["2", "1"])
        self.assertEqual(rows[1]["Before iR (mOhm)"], "4.5")
        self.assertEqual(rows[0]["End"], "")

    def test_sessions_carry_their_bay_and_list_and_export_by_bay(self):
        def listed(*args):
            out = tool("journal", "list", "--db", self.db, *args).stdout.decode()
            return [(s["id"], s["bayLabel"]) for s in map(json.loads, out.splitlines())]
        # Kept before bays had labels, read as it stands: every session has none.
        self.assertEqual(listed(), [(3, ""), (2, ""), (1, "")])
        self.assertEqual(listed("--bay", ""), [(3, ""), (2, ""), (1, "")])
        self.assertEqual(listed("--bay", "Rak 1"), [])

        upgrade_to_bays(self.db, {1: "Rak 1", 2: "Rak 10"})
        self.assertEqual(listed(), [(3, ""), (2, "Rak 10"), (1, "Rak 1")])
        self.assertEqual(listed("--bay", "Rak 1"), [(1, "Rak 1")])  # the whole label only
        self.assertEqual(listed("--bay", ""), [(3, "")])
        self.assertEqual(listed("--bay", "rak 10"), [])
        self.assertEqual(listed("--bay", "Rak 10", "--filter", "gsastra"), [(2, "Rak 10")])
        self.assertEqual(json.loads(tool("journal", "show", "1", "--db", self.db).stdout)
                         ["bayLabel"], "Rak 1")

        out = os.path.join(self.folder.name, "rak.csv")
        tool("journal", "export", "--from", "2025-03-01", "--to", "2025-03-31", "--bay", "Rak 1",
             "--csv", out, "--db", self.db)
        with open(out, encoding="utf-8-sig", newline="") as f:
            rows = list(csv.reader(f))
        self.assertEqual((rows[0][0], rows[0][-1]), ("Session", "Bay"))
        self.assertEqual([(r[0], r[-1]) for r in rows[1:]], [("1", "Rak 1")])
        tool("journal", "export", "1", "--csv", out, "--db", self.db)
        with open(out, encoding="utf-8-sig", newline="") as f:
            rows = list(csv.reader(f))
        self.assertEqual({r[-1] for r in rows[1:]}, {"Rak 1"})

        for args in (["show", "1", "--bay", "Rak 1"], ["export", "1", "--csv", out, "--bay", "x"],
                     ["list", "--bay"]):
            with self.subTest(args=args):
                result = tool("journal", args[0], "--db", self.db, *args[1:], check=False)
                self.assertEqual(result.returncode, 2)
                self.assertIn("usage", result.stderr.decode())
                self.assertEqual(result.stdout, b"")

    def test_default_journal_is_under_documents(self):
        docs = os.path.join(self.folder.name, "Dokumen")
        os.makedirs(os.path.join(docs, "Velmora Tester"))
        os.replace(self.db, os.path.join(docs, "Velmora Tester", "journal.sqlite"))
        env = dict(os.environ, HOME=self.folder.name, XDG_DOCUMENTS_DIR=docs)
        self.assertEqual(len(tool("journal", "list", env=env).stdout.splitlines()), 3)
        # No Documents folder configured: ~/Documents, and nothing is created there.
        env = dict(os.environ, HOME=self.folder.name, XDG_CONFIG_HOME=self.folder.name)
        env.pop("XDG_DOCUMENTS_DIR", None)
        result = tool("journal", "list", env=env, check=False)
        self.assertEqual(result.returncode, 1)
        self.assertIn(os.path.join(self.folder.name, "Documents", "Velmora Tester"),
                      result.stderr.decode())
        self.assertFalse(os.path.exists(os.path.join(self.folder.name, "Documents")))

    def test_errors_are_one_line_and_non_zero(self):
        garbage = os.path.join(self.folder.name, "garbage.sqlite")
        with open(garbage, "wb") as f:
            f.write(b"\xa5" * 5000)
        cases = [
            (["show", "99", "--db", self.db], 1, "no session 99"),
            (["list", "--db", garbage], 1, "corrupt"),
            (["list", "--db", os.path.join(self.folder.name, "none.sqlite")], 1, "missing"),
            (["export", "1", "--db", self.db], 2, "usage"),
            (["export", "1", "--csv", "/nonexistent/dir/x.csv", "--db", self.db], 1, "cannot write"),
            (["list", "--from", "2025-02-30", "--db", self.db], 2, "usage"),
            (["show", "abc", "--db", self.db], 2, "usage"),
            (["export", "1", "--csv", "x.csv", "--decimal-separator", ";", "--db", self.db], 2,
             "usage"),
            (["frobnicate"], 2, "usage"),
        ]
        for args, code, text in cases:
            with self.subTest(args=args):
                result = tool("journal", *args, check=False)
                self.assertEqual(result.returncode, code)
                self.assertIn(text, result.stderr.decode())
                self.assertEqual(result.stdout, b"")
        self.assertFalse(os.path.exists(os.path.join(self.folder.name, "none.sqlite")))


if __name__ == "__main__":
    unittest.main(verbosity=2)
