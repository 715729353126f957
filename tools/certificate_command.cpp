#include "certificate_command.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "certificate/Certificate.h"
#include "certificate/KeyFiles.h"
#include "certificate/ReceiptRecord.h"
#include "command_line.h"
#include "link/JsonObjectWriter.h"
#ifdef VELMORA_HAVE_QR_ENCODE
#include "certificate/CertificateBlock.h"
#endif
#if defined(VELMORA_TOOL_PNG) && defined(VELMORA_HAVE_QR_READ)
#include <QImage>

#include "certificate/QrReader.h"
#endif

using namespace velmora;
using namespace velmora::certificate;

namespace {

struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// Arguments that make no command: refused with status 2, as every command does.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// --name VALUE pairs; every name must be one of `known`.
std::map<std::string, std::string> parseOptions(int argc, char** argv,
                                                std::initializer_list<const char*> known) {
    std::map<std::string, std::string> options;
    for (int i = 0; i < argc; ++i) {
        const std::string name = argv[i];
        bool ok = false;
        for (const char* k : known) ok = ok || name == k;
        if (!ok) throw UsageError("unknown option " + name);
        if (i + 1 >= argc) throw UsageError(name + " needs a value");
        options[name] = argv[++i];
    }
    return options;
}

std::string required(const std::map<std::string, std::string>& options, const char* name) {
    const auto it = options.find(name);
    if (it == options.end()) throw InputError(std::string(name) + " is missing");
    return it->second;
}

int keygen(int argc, char** argv) {
    const auto options = parseOptions(argc, argv, {"--private", "--public"});
    const KeyPair key =
        createKeyFiles(required(options, "--private"), required(options, "--public"));
    const std::string fingerprint = fingerprintOf(key.publicKey);
    std::printf("%s\n", JsonObjectWriter()
                            .text("fingerprint", groupedFingerprint(fingerprint))
                            .text("public", required(options, "--public"))
                            .done()
                            .c_str());
    return 0;
}

// The QR text in a picture: a photo or a scan of the receipt, or the virtual printer's.
std::string qrTextOfPicture(const std::string& path) {
#if defined(VELMORA_TOOL_PNG) && defined(VELMORA_HAVE_QR_READ)
    QImage picture;
    if (!picture.load(QString::fromLocal8Bit(path.c_str())))
        throw InputError("cannot read the picture " + path);
    picture = picture.convertToFormat(QImage::Format_Grayscale8);
    const QrRead read =
        readQrCode(picture.width(), picture.height(), picture.constBits(), picture.bytesPerLine());
    switch (read.outcome) {
        case QrReadOutcome::Found:
            return read.text;
        case QrReadOutcome::None:
            throw InputError("no QR code in " + path);
        case QrReadOutcome::Several:
            throw InputError("more than one QR code in " + path);
        case QrReadOutcome::OtherCode:
            throw InputError("the code in " + path + " is another kind of barcode, not a QR code");
    }
    throw InputError("no QR code in " + path);
#else
    throw InputError("this build reads no pictures (built without Qt or ZXing): " + path);
#endif
}

std::string recordJson(const CertificateRecord& record) {
    JsonObjectWriter json;
    json.integer("version", record.version);
    for (const auto& [name, value] : recordFields(record)) json.text(name.c_str(), value);
    return json.done();
}

int verifyCommand(int argc, char** argv) {
    const auto options = parseOptions(argc, argv, {"--public", "--text", "--image"});
    if (options.count("--text") == options.count("--image"))
        throw UsageError("verify takes --text QRTEXT or --image FILE");
    const std::vector<std::string> keys = readPublicKeys(required(options, "--public"));
    std::string text;
    try {
        text =
            options.count("--text") ? options.at("--text") : qrTextOfPicture(options.at("--image"));
    } catch (const InputError& unreadable) {
        std::printf("%s\n", JsonObjectWriter()
                                .text("status", verdictName(Verdict::Unreadable))
                                .text("detail", unreadable.what())
                                .done()
                                .c_str());
        std::fprintf(stderr, "velmora-tool: unreadable: %s\n", unreadable.what());
        return 1;
    }
    const Verification result = verifyCertificate(text, keys);
    JsonObjectWriter json;
    json.text("status", verdictName(result.verdict));
    json.text("text", text);  // what was read off a picture, to keep or to paste
    if (result.verdict == Verdict::Valid) {
        json.text("code", result.code);
        json.text("dealerKey", groupedFingerprint(result.record->keyFingerprint));
        json.raw("record", recordJson(*result.record));
    }
    std::printf("%s\n", json.done().c_str());
    if (result.verdict == Verdict::Valid) return 0;
    std::fprintf(stderr, "velmora-tool: certificate %s\n", verdictName(result.verdict));
    return 1;
}

std::optional<bool> inVehicleOf(const std::map<std::string, std::string>& options) {
    const auto it = options.find("--in-vehicle");
    if (it == options.end()) return std::nullopt;
    if (it->second == "yes") return true;
    if (it->second == "no") return false;
    throw InputError("--in-vehicle takes yes or no");
}

}  // namespace

int certificateCommand(int argc, char** argv) {
    try {
        if (argc >= 1 && std::strcmp(argv[0], "keygen") == 0) return keygen(argc - 1, argv + 1);
        if (argc >= 1 && std::strcmp(argv[0], "verify") == 0)
            return verifyCommand(argc - 1, argv + 1);
        throw UsageError("certificate takes keygen or verify");
    } catch (const UsageError& error) {
        return refuseArguments("velmora-tool", error.what());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velmora-tool: %s\n", error.what());
        return 1;
    }
}

std::string appendCertificate(std::vector<std::string>& chunks, bool charge,
                              const ChargerState& state, const printing::ProfileTexts& texts,
                              const printing::ClockReading& clock,
                              const std::map<std::string, std::string>& options) {
    if (!options.count("--certificate")) {
        for (const char* name : kCertificateReceiptOptions)
            if (options.count(name)) throw InputError(std::string(name) + " needs --certificate");
        return "";
    }
    const std::optional<int> offset =
        parseUtcOffset(options.count("--utc-offset") ? options.at("--utc-offset") : "+00:00");
    if (!offset) throw InputError("--utc-offset takes +HH:MM or -HH:MM");
    CertificateRecord record = receiptRecord(charge, state, texts, clock, *offset);
    auto text = [&options](const char* name) {
        return options.count(name) ? options.at(name) : std::string();
    };
    record.dealer = text("--dealer");
    record.job = {text("--battery-id"), text("--technician"), text("--job"), inVehicleOf(options)};
#ifdef VELMORA_HAVE_QR_ENCODE
    try {
        const KeyPair key = readPrivateKeyFile(options.at("--certificate"));
        for (std::string& chunk : certificateChunks(signCertificate(record, key)))
            chunks.push_back(std::move(chunk));
        return "";
    } catch (const std::exception& failure) {  // the key file, or a record too long for a QR
        return failure.what();
    }
#else
    (void)chunks;
    return "this build prints no QR codes (built without libqrencode)";
#endif
}
