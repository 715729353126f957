"""Black-box tests of velmora-tool and velmora-charger-sim."""
import json
import os
import socket
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
        self.assertEqual(state["currentHistory"], [])
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
                conn.sendall(b"#2|1|0|4|2*")
                received = b""
                deadline = time.monotonic() + 20
                while b"#|3|5|" not in received and time.monotonic() < deadline:
                    received += conn.recv(65536)
            state = json.loads(decode(received, "--chunk-size", "100000"))
            self.assertEqual(state["profileMode"], "2")
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
                              self.path("r.png")], capture_output=True, check=True)
        info = json.loads(out.stdout)
        with open(self.path("r.png"), "rb") as f:
            self.assertEqual(png_size(f.read()), (384, info["height"]))
        self.assertEqual(info["lines"], 19)  # no logo or charts given: text lines only
        out = subprocess.run([TOOL, "render-receipt", self.path("g.bin", os.urandom(20000)),
                              self.path("g.pgm")], capture_output=True, check=True)
        with open(self.path("g.pgm"), "rb") as f:
            self.assertTrue(f.read().startswith(b"P5\n384 "))
        out = subprocess.run([TOOL, "render-receipt", "/nonexistent.bin", self.path("x.png")],
                             capture_output=True)
        self.assertEqual(out.returncode, 1)


if __name__ == "__main__":
    unittest.main(verbosity=2)
