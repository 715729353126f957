#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "certificate/CertificateRecord.h"
#include "certificate/Ed25519.h"

namespace velmora::certificate {

// A public key's fingerprint: the first 8 bytes of its SHA-256, 16 upper-case hex digits.
std::string fingerprintOf(std::string_view publicKey);
// The same in groups of four for reading aloud: "3F9A-1C22-B07E-4D51".
std::string groupedFingerprint(const std::string& fingerprint);

// A signed certificate as it is printed.
struct SignedCertificate {
    CertificateRecord record;
    std::string qrText;  // the record, then "sig=" and the Base64 signature, then LF
    std::string code;    // the short code for telephone calls, "7KQ2M-XW4DA"
};

// Signs the record with the dealer's key (its fingerprint is written into the record
// first). The same record and key give the same certificate: Ed25519 is deterministic.
// Throws CryptoError.
SignedCertificate signCertificate(CertificateRecord record, const KeyPair& key);

// A certificate kept as its QR text (with a session), to print again exactly as it was:
// read without checking (it is the program's own), nothing when it cannot be read.
std::optional<SignedCertificate> keptCertificate(std::string_view qrText);

enum class Verdict { Valid, Changed, UnknownKey, Unreadable, UnsupportedVersion };
// "valid", "changed", "unknown dealer key", "unreadable", "unsupported version".
const char* verdictName(Verdict verdict);

struct Verification {
    Verdict verdict = Verdict::Unreadable;
    std::optional<CertificateRecord> record;  // only when valid
    std::string code;                         // only when valid
};

// Checks a QR text against the public keys the checker trusts. Line ends may come as CR LF
// and the last LF may be missing (text pasted by hand); nothing else is forgiven.
Verification verifyCertificate(std::string_view qrText, const std::vector<std::string>& keys);

}  // namespace velmora::certificate
