"""Black-box tests of velmora-tool and velmora-charger-sim."""
import json
import os
import select
import socket
import subprocess
import sys
import time
import unittest

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


if __name__ == "__main__":
    unittest.main(verbosity=2)
