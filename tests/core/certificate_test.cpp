#include "certificate/Certificate.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "certificate/Base64.h"

using namespace velmora;
using namespace velmora::certificate;

namespace {

std::string fromHex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

// RFC 8032, 7.1, test 2: a battery maker's own Ed25519 must agree with ours.
const std::string kRfcSeed =
    fromHex("4ccd089b28ff96da9db6c346ec114e0f5b8a319f35aba624da8cf6ed4fb8a6fb");
const std::string kRfcPublic =
    fromHex("3d4017c3e843895a92b70aa74d1b7ebc9c982ccf2ec4968cc0cd55f12af4660c");
const std::string kRfcSignature = fromHex(
    "92a009a9f0d4cab8720e820b5f642540a2b27b5416503f8fb3762223ebdb69da"
    "085ac1e43e15996e458f3613d0f11d8c387b2eaeb4302aeeb00d291612bb0c00");

KeyPair rfcKey() {
    return {kRfcSeed, kRfcPublic};
}

CertificateRecord chargeRecord() {
    CertificateRecord r;
    r.dealer = "Aki Jaya Motor";
    r.deviceName = "Velmora C1";
    r.deviceAddress = "00:11:22:33:44:55";
    r.kind = "charge";
    r.brand = "YUASA";
    r.variety = "MF";
    r.type = "YTZ5S";
    r.capacity = "3.5 Ah";
    r.mode = "1";
    r.job = {"2412-0457", "Budi", "INV/2026/118", true};
    r.before = TestResult{210, 8.41, 10.2, 12.31, ""};
    r.charge = {"2026-12-10T12:59:04+07:00",
                "2026-12-10T14:01:30+07:00",
                3746,
                6,
                "finished",
                1,
                3740,
                curveHash({{0, 1231, 1500, 1}, {1000, 1240, 1490, 2}})};
    r.after = TestResult{265, 5.02, 11.4, 13.02, "GOOD"};
    r.time = "2026-12-10T14:05:09+07:00";
    return r;
}

}  // namespace

TEST(Ed25519Test, AgreesWithTheStandardsTestVector) {
    EXPECT_EQ(publicKeyOf(kRfcSeed), kRfcPublic);
    EXPECT_EQ(sign(kRfcSeed, "\x72"), kRfcSignature);
    EXPECT_TRUE(verify(kRfcPublic, "\x72", kRfcSignature));
    EXPECT_FALSE(verify(kRfcPublic, "\x73", kRfcSignature));
    EXPECT_FALSE(verify(kRfcPublic, "\x72", kRfcSignature.substr(0, 63)));
    const KeyPair fresh = generateKeyPair();
    EXPECT_EQ(publicKeyOf(fresh.seed), fresh.publicKey);
    EXPECT_NE(fresh.seed, generateKeyPair().seed);
    EXPECT_THROW(sign("short", "x"), CryptoError);
}

TEST(Base64Test, RoundTripsAndRefusesWhatIsNotCanonical) {
    for (const std::string& bytes : {std::string(), std::string("f"), std::string("fo"),
                                     std::string("foo"), std::string("\0\xFF\x10\x80", 4)})
        EXPECT_EQ(fromBase64(toBase64(bytes)), bytes) << toBase64(bytes);
    EXPECT_EQ(toBase64("foob"), "Zm9vYg==");
    for (const char* bad : {"Zm9vYg=", "Zm9vYh==", "Zm9v Yg==", "Zg=a", "====", "Zm9\n"})
        EXPECT_FALSE(fromBase64(bad)) << bad;
}

TEST(CertificateRecordTest, RoundTripsEveryField) {
    CertificateRecord r = chargeRecord();
    r.keyFingerprint = "0123456789ABCDEF";
    r.dealer = "Toko \xC3\x89lan 100% \"aki\"=";  // UTF-8, "%", quotes and "="
    const std::string text = encodeRecord(r);
    for (char c : text) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c <= 0x7E)) << int(c);
    RecordProblem problem = RecordProblem::Unreadable;
    const std::optional<CertificateRecord> back = decodeRecord(text, &problem);
    ASSERT_TRUE(back);
    EXPECT_EQ(problem, RecordProblem::None);
    EXPECT_EQ(encodeRecord(*back), text);
    EXPECT_EQ(back->dealer, r.dealer);
    EXPECT_EQ(back->job, r.job);
    EXPECT_EQ(back->charge.curveHash, r.charge.curveHash);
    ASSERT_TRUE(back->after);
    EXPECT_EQ(back->after->status, "GOOD");
    EXPECT_DOUBLE_EQ(back->after->resistance, 5.02);
    EXPECT_FALSE(back->test);

    CertificateRecord test;
    test.kind = "test";
    test.test = TestResult{180, 12.5, 9.8, 12.1, "REPLACE"};
    const auto testBack = decodeRecord(encodeRecord(test), nullptr);
    ASSERT_TRUE(testBack && testBack->test);
    EXPECT_EQ(testBack->test->status, "REPLACE");
    EXPECT_FALSE(testBack->job.inVehicle);
}

TEST(CertificateRecordTest, TypedControlCharactersBecomeSpacesAndNonCanonicalTextIsRefused) {
    CertificateRecord r = chargeRecord();
    r.job.batteryId = "AB\x1B\x69\nC";  // a paper cut command and a line break typed in
    const auto back = decodeRecord(encodeRecord(r), nullptr);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->job.batteryId, "AB \x69 C");

    const std::string text = encodeRecord(chargeRecord());
    RecordProblem problem = RecordProblem::None;
    auto refused = [&problem](const std::string& changed) {
        return !decodeRecord(changed, &problem) && problem == RecordProblem::Unreadable;
    };
    std::string lowerHex = text;
    lowerHex.replace(lowerHex.find("variety=MF"), 10, "variety=%4d");  // "M" spelled out
    EXPECT_TRUE(refused(lowerHex));
    std::string swapped = text;
    swapped.replace(swapped.find("brand="), 5, "bran_");
    EXPECT_TRUE(refused(swapped));
    EXPECT_TRUE(refused(text.substr(0, text.size() - 1)));  // no last LF
    std::string number = text;
    number.replace(number.find("charge_gaps=1"), 13, "charge_gaps=01");
    EXPECT_TRUE(refused(number));
    std::string later = text;
    later.replace(later.find(" 1\n"), 3, " 2\n");
    EXPECT_FALSE(decodeRecord(later, &problem));
    EXPECT_EQ(problem, RecordProblem::UnsupportedVersion);
}

TEST(CertificateTest, SignsAndVerifiesWithTheDealersKeyOnly) {
    const SignedCertificate certificate = signCertificate(chargeRecord(), rfcKey());
    EXPECT_EQ(certificate.record.keyFingerprint, fingerprintOf(kRfcPublic));
    EXPECT_EQ(certificate.record.keyFingerprint.size(), 16u);
    EXPECT_EQ(certificate.code.size(), 11u);
    EXPECT_EQ(certificate.code[5], '-');

    const KeyPair other = generateKeyPair();
    const Verification valid = verifyCertificate(certificate.qrText, {other.publicKey, kRfcPublic});
    ASSERT_EQ(valid.verdict, Verdict::Valid);
    EXPECT_EQ(encodeRecord(*valid.record), encodeRecord(certificate.record));
    EXPECT_EQ(valid.code, certificate.code);
    // Pasted by hand: CR LF line ends, the last one lost.
    std::string pasted;
    for (char c : certificate.qrText) pasted += c == '\n' ? std::string("\r\n") : std::string(1, c);
    pasted.resize(pasted.size() - 2);
    EXPECT_EQ(verifyCertificate(pasted, {kRfcPublic}).verdict, Verdict::Valid);

    EXPECT_EQ(verifyCertificate(certificate.qrText, {other.publicKey}).verdict,
              Verdict::UnknownKey);
    EXPECT_EQ(verifyCertificate(certificate.qrText, {}).verdict, Verdict::UnknownKey);
    // Signed by another key that claims to be the dealer's: the signature gives it away.
    CertificateRecord forged = chargeRecord();
    const SignedCertificate byOther = signCertificate(forged, other);
    std::string claimed = byOther.qrText;
    const std::string otherPrint = fingerprintOf(other.publicKey);
    claimed.replace(claimed.find(otherPrint), otherPrint.size(), fingerprintOf(kRfcPublic));
    EXPECT_EQ(verifyCertificate(claimed, {kRfcPublic}).verdict, Verdict::Changed);
}

TEST(CertificateTest, TheSameSessionSignsToTheSameCertificate) {
    const SignedCertificate first = signCertificate(chargeRecord(), rfcKey());
    const SignedCertificate again = signCertificate(chargeRecord(), rfcKey());
    EXPECT_EQ(first.qrText, again.qrText);
    EXPECT_EQ(first.code, again.code);
    CertificateRecord later = chargeRecord();
    later.time = "2026-12-10T14:05:10+07:00";
    EXPECT_NE(signCertificate(later, rfcKey()).code, first.code);
}

// Every way a printed certificate can be altered, and what the checker says.
TEST(CertificateTest, TamperedCertificatesAreRefusedWithTheirReason) {
    const std::string good = signCertificate(chargeRecord(), rfcKey()).qrText;
    const std::vector<std::string> keys{kRfcPublic};
    // Each field's value changed by one character (appended or its first one replaced).
    const auto names = recordFields(CertificateRecord{});
    for (const auto& [name, value] : names) {
        std::string changed = good;
        const size_t at = changed.find("\n" + name + "=") + name.size() + 2;
        if (changed[at] == '\n')
            changed.insert(at, "X");
        else
            changed[at] = changed[at] == '9' ? '8' : '9';
        const Verdict expected = name == "key" ? Verdict::UnknownKey : Verdict::Changed;
        EXPECT_EQ(verifyCertificate(changed, keys).verdict, expected) << name;
    }
    struct Case {
        const char* what;
        std::function<std::string(std::string)> alter;
        Verdict verdict;
    };
    const std::vector<Case> cases{
        {"a signature byte",
         [](std::string t) {
             const size_t at = t.find("\nsig=") + 6;
             t[at] = t[at] == 'A' ? 'B' : 'A';
             return t;
         },
         Verdict::Changed},
        {"the signature cut short", [](std::string t) { return t.substr(0, t.size() - 6) + "\n"; },
         Verdict::Changed},
        {"the signature gone", [](std::string t) { return t.substr(0, t.find("sig=")); },
         Verdict::Unreadable},
        {"a line added",
         [](std::string t) { return t.insert(t.find("\nsig=") + 1, "warranty=10 years\n"); },
         Verdict::Changed},
        {"a field removed",
         [](std::string t) {
             const size_t at = t.find("\njob=") + 1;
             return t.erase(at, t.find('\n', at) + 1 - at);
         },
         Verdict::Changed},
        {"version 2", [](std::string t) { return t.replace(t.find(" 1\n"), 3, " 2\n"); },
         Verdict::UnsupportedVersion},
        {"version garbled", [](std::string t) { return t.replace(t.find(" 1\n"), 3, " x\n"); },
         Verdict::Unreadable},
        {"another kind of text", [](std::string) { return std::string("https://example.com"); },
         Verdict::Unreadable},
        {"empty", [](std::string) { return std::string(); }, Verdict::Unreadable},
    };
    for (const Case& c : cases)
        EXPECT_EQ(verifyCertificate(c.alter(good), keys).verdict, c.verdict) << c.what;
}

TEST(CertificateTest, FingerprintAndCurveHashAreTheDocumentedOnes) {
    EXPECT_EQ(groupedFingerprint("0123456789ABCDEF"), "0123-4567-89AB-CDEF");
    // sha256("") and sha256("0,1231,1500,1\n") in lower-case hex.
    EXPECT_EQ(curveHash({}), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(curveHash({{0, 1231, 1500, 1}, {1000, 1240, 1490, 2}}),
              "ac9ef68b63045e827e7241ba80a93998d61976e71f2f95abf0b54af4dd07dd78");
    EXPECT_EQ(recordTime(2026, 1, 2, 3, 4, 5, -150), "2026-01-02T03:04:05-02:30");
}
