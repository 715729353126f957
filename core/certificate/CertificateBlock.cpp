#include "certificate/CertificateBlock.h"

#include "certificate/QrPicture.h"
#include "printing/ReceiptChunks.h"

namespace velmora::certificate {

namespace {

const std::string kInitialise = "\x1B\x40";
const std::string kCentre = "\x1B\x61\x01";
const std::string kReverseBold = "\x1D\x42\x01\x1B\x45\x01";
const std::string kNoLineSpacing = std::string("\x1B\x33\x00", 3);
const std::string kLineEnd = "\x1B\x0D\x0A";
const std::string kFeed = "\x0A";
// 32 columns, like the receipt's other titles, so the reverse band spans the line.
const std::string kTitle = "      WARRANTY CERTIFICATE      ";

std::string line(const char* label, const std::string& value) {
    return label + printing::printableText(value.empty() ? "-" : value) + kLineEnd;
}

std::string inVehicleText(const std::optional<bool>& inVehicle) {
    if (!inVehicle) return "";
    return *inVehicle ? "YES" : "NO";
}

}  // namespace

std::vector<std::string> certificateChunks(const SignedCertificate& certificate) {
    const CertificateRecord& r = certificate.record;
    const std::string bands = printing::packBands(qrPicture(certificate.qrText));
    return {
        kInitialise + kCentre + kReverseBold + kTitle + kFeed,
        kInitialise + line("CODE         : ", certificate.code) +
            line("BATTERY ID   : ", r.job.batteryId) + line("TECHNICIAN   : ", r.job.technician) +
            line("JOB NO       : ", r.job.job) +
            line("IN VEHICLE   : ", inVehicleText(r.job.inVehicle)) +
            line("DEALER KEY   : ", r.keyFingerprint) + kFeed,
        kInitialise + kNoLineSpacing + kCentre + bands + kFeed + kFeed + kFeed + kInitialise,
    };
}

}  // namespace velmora::certificate
