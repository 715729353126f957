"""Black-box tests of velmora-tool's warranty certificates: keys, receipts, checking."""
import hashlib
import json
import os
import stat
import subprocess
import tempfile
import unittest

TOOL = os.environ["VELMORA_TOOL"]

STATE = {"beforeVoltage": 12.71, "beforeCca": 410, "afterVoltage": 13.12, "afterCca": 455,
         "afterStatus": "GOOD", "elapsedSeconds": 3600, "stageNumber": 6}
TEXTS = {"profileName": "Pak Budi", "variety": "MF", "type": "GM5Z-3B", "capacity": "5 Ah"}
# SHA-256 of these receipts as the program printed them before certificates existed: with
# the option off they stay the same to the byte.
PLAIN_RECEIPTS = {
    "charge": "11f0b0aa10bf9487063df11ce2d578cf82b7bb3c40600a679b0a72770f716b33",
    "test": "749240c2b2c04db92bf45b29bf4e5acb59c26518c4ab9c149df26027d5e55018",
}
JOB = ["--battery-id", "SN 4471", "--technician", "Budi", "--job", "INV/118", "--in-vehicle",
       "yes", "--dealer", "Aki Jaya Motor", "--utc-offset", "+07:00"]


def run(*args, check=False):
    return subprocess.run([TOOL, *args], capture_output=True, check=check)


class CertificateToolTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)
        self.key, self.pub = self.keygen("dealer")

    def path(self, name, content=None):
        full = os.path.join(self.dir.name, name)
        if content is not None:
            with open(full, "wb") as f:
                f.write(content if isinstance(content, bytes) else json.dumps(content).encode())
        return full

    def keygen(self, name):
        key, pub = self.path(name + ".key"), self.path(name + ".pub")
        out = run("certificate", "keygen", "--private", key, "--public", pub, check=True)
        self.assertRegex(json.loads(out.stdout)["fingerprint"], r"^([0-9A-F]{4}-){3}[0-9A-F]{4}$")
        return key, pub

    def receipt(self, kind, *extra):
        return run("receipt", kind, "--state", self.path("state.json", STATE), "--texts",
                   self.path("texts.json", TEXTS), "--clock", "2026-12-10T14:05:09", *extra)

    def qr_text(self, receipt_bytes):
        png = self.path("receipt.png")
        run("render-receipt", self.path("receipt.bin", receipt_bytes), png, check=True)
        out = self.verify("--image", png)
        self.assertEqual(out.returncode, 0, out.stderr)
        return out

    def verify(self, how, what, public=None):
        return run("certificate", "verify", "--public", public or self.pub, how, what)

    def signed_text(self):
        """The QR text of a signed test receipt, as read off the virtual printer's picture."""
        receipt = self.receipt("test", "--certificate", self.key, *JOB)
        self.assertEqual(receipt.returncode, 0, receipt.stderr)
        return json.loads(self.qr_text(receipt.stdout).stdout)["text"]

    def test_keys_are_private_and_never_overwritten(self):
        self.assertEqual(stat.S_IMODE(os.stat(self.key).st_mode), 0o600)
        with open(self.key, "rb") as f:
            before = f.read()
        again = run("certificate", "keygen", "--private", self.key, "--public",
                    self.path("new.pub"))
        self.assertEqual(again.returncode, 1)
        self.assertIn(b"never overwritten", again.stderr)
        with open(self.key, "rb") as f:
            self.assertEqual(f.read(), before)
        self.assertFalse(os.path.exists(self.path("new.pub")))

    def test_receipts_without_the_option_are_unchanged_and_with_it_end_in_the_block(self):
        for kind, digest in PLAIN_RECEIPTS.items():
            plain = self.receipt(kind)
            self.assertEqual(hashlib.sha256(plain.stdout).hexdigest(), digest, kind)
            signed = self.receipt(kind, "--certificate", self.key, *JOB)
            self.assertEqual(signed.returncode, 0, signed.stderr)
            self.assertTrue(signed.stdout.startswith(plain.stdout), kind)
            self.assertIn(b"WARRANTY CERTIFICATE", signed.stdout)
            self.assertIn(b"SN 4471", signed.stdout)
            # The same receipt signs to the same certificate.
            self.assertEqual(self.receipt(kind, "--certificate", self.key, *JOB).stdout,
                             signed.stdout)

    def test_printed_certificate_reads_back_as_valid_json(self):
        receipt = self.receipt("charge", "--certificate", self.key, *JOB).stdout
        result = json.loads(self.qr_text(receipt).stdout)
        self.assertEqual(result["status"], "valid")
        record = result["record"]
        self.assertEqual(record["version"], 1)
        self.assertEqual(record["dealer"], "Aki Jaya Motor")
        self.assertEqual(record["kind"], "charge")
        self.assertEqual(record["battery_id"], "SN 4471")
        self.assertEqual(record["in_vehicle"], "yes")
        self.assertEqual(record["before"], "410;0.00;0.00;12.71")
        self.assertEqual(record["after_status"], "GOOD")
        self.assertEqual(record["charge_start"], "2026-12-10T13:05:09+07:00")
        self.assertEqual(record["time"], "2026-12-10T14:05:09+07:00")
        self.assertEqual(result["dealerKey"].replace("-", ""), record["key"])
        self.assertIn(result["code"].encode(), receipt)

    def test_changed_certificates_say_why(self):
        good = self.signed_text()
        signature = good.split("\nsig=")[1].strip()
        self.assertEqual(self.verify("--text", good).returncode, 0)
        _, other_pub = self.keygen("other")
        cases = [
            ("technician", good.replace("technician=Budi", "technician=Andi"), "changed"),
            ("kind", good.replace("kind=test", "kind=charge"), "changed"),
            ("signature", good.replace("sig=" + signature[:4], "sig=AAAA"), "changed"),
            ("version", good.replace("velmora-certificate 1", "velmora-certificate 2"),
             "unsupported version"),
            ("not ours", "https://example.com/warranty", "unreadable"),
        ]
        for what, changed, status in cases:
            out = self.verify("--text", changed)
            self.assertEqual(out.returncode, 1, what)
            self.assertEqual(json.loads(out.stdout)["status"], status, what)
            self.assertIn(status.encode(), out.stderr, what)
        unknown = self.verify("--text", good, public=other_pub)
        self.assertEqual(json.loads(unknown.stdout)["status"], "unknown dealer key")
        # A folder of trusted keys: the dealer's among others.
        folder = os.path.join(self.dir.name, "keys")
        os.mkdir(folder)
        for name in ("dealer.pub", "other.pub"):
            os.rename(self.path(name), os.path.join(folder, name))
        self.path("keys/readme.txt", b"public keys of our dealers")
        self.assertEqual(self.verify("--text", good, public=folder).returncode, 0)

    def test_an_independent_ed25519_checks_it_as_documented(self):
        """docs/CERTIFICATE.md's recipe, with another library's Ed25519."""
        import base64
        import urllib.parse
        from cryptography.hazmat.primitives.asymmetric.ed25519 import Ed25519PublicKey
        text = self.signed_text()
        signed, signature = text.rsplit("\nsig=", 1)
        signed += "\n"
        with open(self.pub) as f:
            key = base64.b64decode(f.read().split()[2])
        Ed25519PublicKey.from_public_bytes(key).verify(base64.b64decode(signature.strip()),
                                                       signed.encode("ascii"))
        fields = dict(line.split("=", 1) for line in signed.splitlines()[1:])
        self.assertEqual(fields["key"], hashlib.sha256(key).hexdigest()[:16].upper())
        self.assertEqual(urllib.parse.unquote(fields["job"]), "INV/118")
        self.assertEqual(len(fields), 28)

    def test_unusable_keys_and_pictures_give_clear_answers(self):
        os.chmod(self.key, 0o644)
        for key, words in ((self.key, b"other users"), (self.path("missing.key"), b"no key")):
            out = self.receipt("charge", "--certificate", key)
            self.assertEqual(out.returncode, 1)
            self.assertIn(words, out.stderr)
            self.assertIn(b"without its certificate", out.stderr)
            self.assertEqual(hashlib.sha256(out.stdout).hexdigest(), PLAIN_RECEIPTS["charge"])
        for args in (["--battery-id", "x"], ["--certificate", self.key, "--in-vehicle", "maybe"],
                     ["--certificate", self.key, "--utc-offset", "7"]):
            out = self.receipt("charge", *args)
            self.assertEqual(out.returncode, 1, args)
            self.assertEqual(out.stdout, b"", args)
        plain = self.path("plain.png")
        run("render-receipt", self.path("plain.bin", self.receipt("test").stdout), plain,
            check=True)
        for picture, words in ((plain, b"no QR code"), (self.path("junk.png", b"junk"),
                                                        b"cannot read")):
            out = self.verify("--image", picture)
            self.assertEqual(out.returncode, 1)
            self.assertEqual(json.loads(out.stdout)["status"], "unreadable")
            self.assertIn(words, out.stderr)
        both = run("certificate", "verify", "--public", self.pub, "--image", plain, "--text", "x")
        self.assertEqual(both.returncode, 2)  # arguments that make no command
        self.assertEqual(run("certificate", "sign").returncode, 2)


if __name__ == "__main__":
    unittest.main()
