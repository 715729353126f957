#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "certificate/Certificate.h"
#if defined(VELMORA_HAVE_QR_ENCODE) && defined(VELMORA_HAVE_QR_READ)
#include "certificate/CertificateBlock.h"
#include "certificate/QrPicture.h"
#include "certificate/QrReader.h"
#include "printing/EscPosReader.h"
#include "printing/ReceiptChunks.h"
#endif

using namespace velmora;
using namespace velmora::certificate;

#if defined(VELMORA_HAVE_QR_ENCODE) && defined(VELMORA_HAVE_QR_READ)

namespace {

// A dot grid as the grey picture a scanner would give: black dots 0, white 255.
QrRead readGrid(const printing::DotGrid& dots) {
    std::vector<std::uint8_t> grey(dots.flags.size());
    for (size_t i = 0; i < grey.size(); ++i) grey[i] = dots.flags[i] ? 0 : 255;
    return readQrCode(dots.width, dots.height, grey.data(), dots.width);
}

CertificateRecord longRecord() {
    CertificateRecord r;
    r.kind = "charge";
    r.dealer = std::string(30, 'D');
    r.deviceName = std::string(40, 'N');
    r.deviceAddress = "00:11:22:33:44:55";
    r.brand = "YUASA";
    r.variety = "MAINTENANCE FREE";
    r.type = "YTZ10S";
    r.capacity = "8.6 Ah";
    r.job = {std::string(40, '7'), std::string(40, 'T'), std::string(40, 'J'), false};
    r.before = TestResult{9999, 99.99, 99.99, 99.99, ""};
    r.after = TestResult{9999, 99.99, 99.99, 99.99, std::string(20, 'S')};
    r.charge = {
        "2026-12-10T12:59:04+07:00", "2026-12-10T14:01:30+07:00", 3746, 6, "finished", 12, 86400,
        std::string(64, 'a')};
    r.time = "2026-12-10T14:05:09+07:00";
    return r;
}

}  // namespace

TEST(CertificateQrTest, ModulesAreAtLeastThreeDotsWithTheQuietZoneKept) {
    const KeyPair key = generateKeyPair();
    const SignedCertificate certificate = signCertificate(longRecord(), key);
    const printing::DotGrid picture = qrPicture(certificate.qrText);
    ASSERT_EQ(picture.width, printing::kPrintWidth);
    // The top-left finder pattern's edge: the first black row and column, and its width of
    // 7 modules give the module size.
    int top = -1, left = -1;
    for (int y = 0; y < picture.height && top < 0; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (picture.black(x, y)) {
                top = y;
                left = x;
                break;
            }
    ASSERT_GE(top, 0);
    int run = 0;
    while (picture.black(left + run, top)) ++run;
    ASSERT_EQ(run % 7, 0);
    const int module = run / 7;
    EXPECT_GE(module, kMinDotsPerModule);
    EXPECT_GE(top, kQuietModules * module);
    EXPECT_GE(left, kQuietModules * module);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (picture.black(x, y)) {
                EXPECT_LE(x, picture.width - 1 - kQuietModules * module);
                EXPECT_LE(y, picture.height - 1 - kQuietModules * module);
            }
    EXPECT_EQ(readGrid(picture).text, certificate.qrText);
    EXPECT_THROW(qrPicture(std::string(3000, 'x')), std::runtime_error);
}

TEST(CertificateQrTest, PrintedReceiptReadsBackFromTheVirtualPrintersPaper) {
    const KeyPair key = generateKeyPair();
    CertificateRecord record = longRecord();
    record.job.batteryId = "A1\x1D\x56";  // a typed paper-cut command (GS V) stays text
    const SignedCertificate certificate = signCertificate(record, key);
    std::string bytes;
    for (const std::string& chunk :
         printing::testReceiptChunks({}, {}, {2026, 12, 10, 14, 5, 9, 0}, {}, ""))
        bytes += chunk;
    for (const std::string& chunk : certificateChunks(certificate)) bytes += chunk;
    EXPECT_EQ(bytes.find("\x1D\x56"), std::string::npos);

    const printing::Paper paper = printing::readEscPos(bytes);
    EXPECT_FALSE(paper.cutShort);
    const QrRead read = readGrid(printing::drawPaper(paper));
    ASSERT_EQ(read.outcome, QrReadOutcome::Found);
    const Verification checked = verifyCertificate(read.text, {key.publicKey});
    ASSERT_EQ(checked.verdict, Verdict::Valid);
    EXPECT_EQ(checked.code, certificate.code);
    EXPECT_EQ(checked.record->job.batteryId, "A1 V");
}

// A reprint from the kept QR text prints the same block to the byte.
TEST(CertificateQrTest, KeptCertificatePrintsAgainTheSame) {
    const SignedCertificate printed = signCertificate(longRecord(), generateKeyPair());
    const std::optional<SignedCertificate> kept = keptCertificate(printed.qrText);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->code, printed.code);
    EXPECT_EQ(certificateChunks(*kept), certificateChunks(printed));
    EXPECT_FALSE(keptCertificate(printed.qrText.substr(0, printed.qrText.find("sig="))));
    EXPECT_FALSE(keptCertificate("garbage"));
}

TEST(CertificateQrTest, PicturesWithoutOneQrCodeSaySo) {
    printing::DotGrid blank{200, 200, std::vector<std::uint8_t>(200 * 200, 0)};
    EXPECT_EQ(readGrid(blank).outcome, QrReadOutcome::None);

    // Two codes one above the other.
    const printing::DotGrid one = qrPicture("first");
    const printing::DotGrid two = qrPicture("second");
    printing::DotGrid both{one.width, one.height + two.height, one.flags};
    both.flags.insert(both.flags.end(), two.flags.begin(), two.flags.end());
    EXPECT_EQ(readGrid(both).outcome, QrReadOutcome::Several);

    // A one-dimensional barcode, as on the battery's own label: wide and narrow bars of an
    // EAN-8 for "96385074".
    const char* kEan8 =
        "101"
        "0001011"
        "0101111"
        "0111101"
        "0110111"
        "01010"
        "1001110"
        "1110010"
        "1000100"
        "1011100"
        "101";
    const int scale = 3, quiet = 30, height = 120;
    const int width = 2 * quiet + scale * static_cast<int>(std::strlen(kEan8));
    printing::DotGrid bars{width, height,
                           std::vector<std::uint8_t>(static_cast<size_t>(width * height), 0)};
    for (int y = 0; y < height; ++y)
        for (int i = 0; kEan8[i]; ++i)
            for (int d = 0; d < scale; ++d)
                bars.flags[static_cast<size_t>(y * width + quiet + i * scale + d)] =
                    kEan8[i] == '1';
    EXPECT_EQ(readGrid(bars).outcome, QrReadOutcome::OtherCode);
}

#else

TEST(CertificateQrTest, ThisBuildHasNoQrLibraries) {
    GTEST_SKIP() << "built without libqrencode or ZXing";
}

#endif
