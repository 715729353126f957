#include "certificate/Certificate.h"

#include "certificate/Base64.h"

namespace velmora::certificate {

namespace {

const std::string kSignatureLine = "sig=";

// The code is Crockford's Base32 of the first 50 bits of the signature's SHA-256: no I, L,
// O or U to be misheard.
std::string codeOf(const std::string& signature) {
    static const char kAlphabet[] = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
    const std::string digest = sha256(signature);
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits = (bits << 8) | static_cast<unsigned char>(digest[i]);
    std::string code;
    for (int i = 0; i < 10; ++i) {
        if (i == 5) code += '-';
        code += kAlphabet[(bits >> (59 - 5 * i)) & 31];
    }
    return code;
}

std::string normalisedLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 1);
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    if (!out.empty() && out.back() == '\r') out.pop_back();
    if (!out.empty() && out.back() != '\n') out += '\n';
    return out;
}

// The value of the first line starting with "name=" in the record, undecoded.
std::string rawField(const std::string& record, const std::string& name) {
    const std::string wanted = "\n" + name + "=";
    const size_t at = record.find(wanted);
    if (at == std::string::npos) return "";
    const size_t from = at + wanted.size();
    return record.substr(from, record.find('\n', from) - from);
}

}  // namespace

std::string fingerprintOf(std::string_view publicKey) {
    return toHex(sha256(publicKey).substr(0, 8));
}

std::string groupedFingerprint(const std::string& fingerprint) {
    std::string grouped;
    for (size_t i = 0; i < fingerprint.size(); ++i) {
        if (i > 0 && i % 4 == 0) grouped += '-';
        grouped += fingerprint[i];
    }
    return grouped;
}

SignedCertificate signCertificate(CertificateRecord record, const KeyPair& key) {
    record.version = kRecordVersion;
    record.keyFingerprint = fingerprintOf(key.publicKey);
    const std::string text = encodeRecord(record);
    const std::string signature = sign(key.seed, text);
    SignedCertificate result;
    // What is printed is what the record's text says: control characters already spaces.
    result.record = *decodeRecord(text, nullptr);
    result.qrText = text + kSignatureLine + toBase64(signature) + "\n";
    result.code = codeOf(signature);
    return result;
}

std::optional<SignedCertificate> keptCertificate(std::string_view qrText) {
    const std::string text = normalisedLineEnds(qrText);
    const size_t signatureAt = text.rfind("\n" + kSignatureLine);
    if (signatureAt == std::string::npos) return std::nullopt;
    std::string encoded = text.substr(signatureAt + 1 + kSignatureLine.size());
    encoded.pop_back();
    const std::optional<std::string> signature = fromBase64(encoded);
    std::optional<CertificateRecord> record =
        decodeRecord(text.substr(0, signatureAt + 1), nullptr);
    if (!signature || signature->size() != kSignatureBytes || !record) return std::nullopt;
    return SignedCertificate{std::move(*record), text, codeOf(*signature)};
}

const char* verdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Valid:
            return "valid";
        case Verdict::Changed:
            return "changed";
        case Verdict::UnknownKey:
            return "unknown dealer key";
        case Verdict::Unreadable:
            return "unreadable";
        case Verdict::UnsupportedVersion:
            return "unsupported version";
    }
    return "unreadable";
}

Verification verifyCertificate(std::string_view qrText, const std::vector<std::string>& keys) {
    Verification result;
    const std::string text = normalisedLineEnds(qrText);
    const std::string magic = std::string(kRecordMagic) + " ";
    if (text.compare(0, magic.size(), magic) != 0) return result;  // not a certificate of ours
    const size_t firstLineEnd = text.find('\n');
    if (text.substr(magic.size(), firstLineEnd - magic.size()) != std::to_string(kRecordVersion)) {
        // A later version names itself the same way; anything else is not a version.
        const std::string version = text.substr(magic.size(), firstLineEnd - magic.size());
        const bool digits = !version.empty() && version.size() < 10 &&
                            version.find_first_not_of("0123456789") == std::string::npos;
        result.verdict = digits ? Verdict::UnsupportedVersion : Verdict::Unreadable;
        return result;
    }
    const size_t signatureAt = text.rfind("\n" + kSignatureLine);
    if (signatureAt == std::string::npos) return result;
    const std::string record = text.substr(0, signatureAt + 1);
    std::string encoded = text.substr(signatureAt + 1 + kSignatureLine.size());
    encoded.pop_back();  // its LF
    const std::string claimed = rawField(record, "key");
    std::vector<std::string> candidates;
    for (const std::string& key : keys)
        if (fingerprintOf(key) == claimed) candidates.push_back(key);
    if (candidates.empty()) {
        result.verdict = Verdict::UnknownKey;
        return result;
    }
    const std::optional<std::string> signature = fromBase64(encoded);
    bool signedByDealer = false;
    for (const std::string& key : candidates)
        signedByDealer = signedByDealer || (signature && verify(key, record, *signature));
    if (!signedByDealer) {
        result.verdict = Verdict::Changed;
        return result;
    }
    RecordProblem problem = RecordProblem::None;
    result.record = decodeRecord(record, &problem);
    if (!result.record) {
        result.verdict = problem == RecordProblem::UnsupportedVersion ? Verdict::UnsupportedVersion
                                                                      : Verdict::Unreadable;
        return result;
    }
    result.verdict = Verdict::Valid;
    result.code = codeOf(*signature);
    return result;
}

}  // namespace velmora::certificate
