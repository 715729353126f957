// Warranty certificates in the window: the option, the job details before printing, the
// signed block on the printer's paper, a key that cannot be used, and "Periksa Sertifikat".
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QTest>
#ifdef __unix__
#include <sys/stat.h>
#endif

#include "certificate/CertificateBlock.h"
#include "certificate/QrReader.h"
#include "gui_wait.h"
#include "journal_window_fixture.h"
#include "printing/CertificateCheckDialog.h"
#include "printing/CertificateControls.h"
#include "printing/EscPosReader.h"
#include "printing/JobDetailsDialog.h"
#include "printing/WarrantyCertificates.h"
#include "window_fixture.h"

namespace velmora::testing {
namespace {

class CertificateWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(m_keys.isValid());
        warranty().keys().setFolder(m_keys.path());
        setState([](ChargerState& s) { s.test = TestResult{285, 7.25, 10.86, 12.38, "WEAK"}; });
        m_window->FormShow();
    }
    WarrantyCertificates& warranty() { return m_window->certificates().warranty(); }
    QString keyFile() const { return m_keys.filePath(QStringLiteral("dealer.key")); }

    // "Print Test" on RPP02N; the bytes the printer got.
    std::string printTest() {
        control<QComboBox>("ComboDevice")->setCurrentIndex(1);
        QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
        m_window->BTReportClick();
        EXPECT_TRUE(printed.wait(20000));
        std::string all;
        for (std::string chunk; !(chunk = m_bt->peers.back()->receive(0)).empty();) all += chunk;
        return all;
    }
    // The QR code on the paper the virtual printer draws of these bytes.
    static certificate::QrRead readPaper(const std::string& bytes) {
        const printing::DotGrid dots = printing::drawPaper(printing::readEscPos(bytes));
        std::vector<std::uint8_t> grey(dots.flags.size());
        for (size_t i = 0; i < grey.size(); ++i) grey[i] = dots.flags[i] ? 0 : 255;
        return certificate::readQrCode(dots.width, dots.height, grey.data(), dots.width);
    }

    QTemporaryDir m_keys;
};

TEST_F(CertificateWindowTest, OffUntilChosenAndThenAskedAndSignedOnThePaper) {
    QCheckBox* option = control<QCheckBox>("CheckCertificate");
    EXPECT_FALSE(option->isChecked());
    m_window->BTPrintClick();  // off: the printer dialog at once, the receipt as it was
    EXPECT_TRUE(control("LayoutConnection")->isVisible());
    EXPECT_EQ(printTest().find("WARRANTY"), std::string::npos);
    EXPECT_FALSE(QFile::exists(keyFile()));  // no key made while nobody asked for one

    option->setChecked(true);
    EXPECT_TRUE(WarrantyCertificates(m_keys.path()).enabled());  // remembered
    m_window->RectLayoutBTClick();
    m_window->BTPrintClick();
    JobDetailsDialog* job = m_window->certificates().jobDialog();
    ASSERT_TRUE(job->isVisible());
    EXPECT_FALSE(control("LayoutConnection")->isVisible());
    // A barcode scanner types the serial and ends with Enter: the field ends, nothing prints.
    job->EditBatteryId->setFocus();
    QTest::keyClicks(job->EditBatteryId, QStringLiteral("YTZ5S-2411-0457"));
    QTest::keyClick(job->EditBatteryId, Qt::Key_Return);
    EXPECT_TRUE(job->isVisible());
    EXPECT_EQ(job->EditTechnician->window()->focusWidget(), job->EditTechnician);
    EXPECT_FALSE(control("LayoutConnection")->isVisible());
    job->EditTechnician->setText(QStringLiteral("Budi"));
    job->EditJob->setText(QStringLiteral("INV/118\x1B"));  // a command typed in stays text
    job->ComboInVehicle->setCurrentIndex(2);
    job->RJobNext->click();
    EXPECT_FALSE(job->isVisible());
    ASSERT_TRUE(control("LayoutConnection")->isVisible());

    const std::string bytes = printTest();
    EXPECT_NE(bytes.find("BATTERY ID   : YTZ5S-2411-0457"), std::string::npos);
    EXPECT_NE(bytes.find("JOB NO       : INV/118 "), std::string::npos);
    const certificate::QrRead read = readPaper(bytes);
    ASSERT_EQ(read.outcome, certificate::QrReadOutcome::Found);
    const auto checked = certificate::verifyCertificate(read.text, warranty().keys().publicKeys());
    ASSERT_EQ(checked.verdict, certificate::Verdict::Valid);
    EXPECT_EQ(checked.record->kind, "test");
    EXPECT_EQ(checked.record->job.batteryId, "YTZ5S-2411-0457");
    EXPECT_EQ(checked.record->job.inVehicle, std::optional<bool>(false));
    ASSERT_TRUE(checked.record->test);
    EXPECT_EQ(checked.record->test->status, "WEAK");
#ifdef __unix__
    struct stat info {};
    ASSERT_EQ(stat(keyFile().toLocal8Bit().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
#endif
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('|').toStdString();
}

#ifdef __unix__
TEST_F(CertificateWindowTest, KeyOthersCanReadPrintsTheReceiptWithoutACertificate) {
    warranty().keys().current();
    ASSERT_EQ(chmod(keyFile().toLocal8Bit().constData(), 0644), 0);
    warranty().setEnabled(true);
    m_window->BTPrintClick();
    m_window->certificates().jobDialog()->RJobNext->click();
    const std::string bytes = printTest();
    EXPECT_NE(bytes.find("TEST REPORT"), std::string::npos);
    EXPECT_EQ(bytes.find("WARRANTY"), std::string::npos);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0],
              "Struk dicetak tanpa sertifikat: Kunci dealer bisa dibaca pengguna lain, "
              "tidak dipakai");
}
#endif

// The dealer dialog forgets its texts at exit; the certificate keeps the dealer's name.
TEST_F(CertificateWindowTest, DealerNameIsRememberedForLaterCertificates) {
    m_window->R1UseClick();
    control<QLineEdit>("EditStore")->setText(QStringLiteral("  Aki Jaya Motor "));
    EXPECT_EQ(warranty().sign({})->record.dealer, "Aki Jaya Motor");
    control<QLineEdit>("EditStore")->clear();
    EXPECT_EQ(warranty().sign({})->record.dealer, "Aki Jaya Motor");
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(CertificateWindowTest, PeriksaSertifikatSaysValidChangedUnknownAndUnreadable) {
    certificate::CertificateRecord record;
    record.kind = "test";
    record.dealer = "Aki Jaya";
    record.job.batteryId = "SN 1";
    const std::string good =
        certificate::signCertificate(record, warranty().keys().current()).qrText;
    const std::string stranger =
        certificate::signCertificate(record, certificate::generateKeyPair()).qrText;
    m_window->BT4OptionClick();
    control<QAbstractButton>("BTPeriksa")->click();
    CertificateCheckDialog* check = m_window->certificates().checkDialog();
    ASSERT_TRUE(check->isVisible());
    const struct {
        std::string text;
        const char* answer;
    } cases[] = {
        {good, "Sertifikat sah"},
        {QString::fromStdString(good).replace("SN 1", "SN 2").toStdString(),
         "Sertifikat telah diubah, tidak sah"},
        {stranger, "Ditandatangani kunci dealer yang tidak dikenal"},
        {"just text", "Bukan sertifikat yang bisa dibaca"},
    };
    for (const auto& c : cases) {
        check->MemoCertificate->setPlainText(QString::fromStdString(c.text));
        check->RCheck->click();
        EXPECT_TRUE(check->LCheckResult->text().startsWith(QString::fromUtf8(c.answer)))
            << c.answer << " / " << check->LCheckResult->text().toStdString();
    }
    QTemporaryDir pictures;
    QImage blank(200, 200, QImage::Format_RGB32);
    blank.fill(Qt::white);
    const QString path = pictures.filePath(QStringLiteral("blank.png"));
    ASSERT_TRUE(blank.save(path));
    check->checkPicture(path);
    EXPECT_EQ(check->LCheckResult->text(), "Tidak ada kode QR pada gambar");
    check->checkPicture(pictures.filePath(QStringLiteral("missing.png")));
    EXPECT_EQ(check->LCheckResult->text(), "Gambar tidak bisa dibuka");
}

class CertificateJournalTest : public JournalWindowTest {};

// A charge printed with its certificate: the record names the recorded charger and covers
// the points kept so far; the certificate is kept with the session, and printed from there
// again it is the same block, byte for byte.
TEST_F(CertificateJournalTest, CertificateIsKeptWithTheChargeAndPrintsAgainTheSame) {
    QTemporaryDir keys;
    WarrantyCertificates& warranty = m_window->certificates().warranty();
    warranty.keys().setFolder(keys.path());
    warranty.setEnabled(true);
    connect();
    startCharge();
    for (int i = 0; i < 12; ++i) charging(13.2 + i * 0.01, 2.5);
    m_window->journal().sync();
    const std::vector<journal::SessionSummary> sessions = kept();
    ASSERT_EQ(sessions.size(), 1u);

    m_window->BTPrintClick();
    m_window->certificates().jobDialog()->EditBatteryId->setText(QStringLiteral("SN 77"));
    m_window->certificates().jobDialog()->RJobNext->click();
    control<QComboBox>("ComboDevice")->setCurrentIndex(1);
    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    m_window->BTConnectClick();
    ASSERT_TRUE(printed.wait(20000));
    std::string bytes;
    for (std::string chunk; !(chunk = m_bt->peers.back()->receive(0)).empty();) bytes += chunk;

    const printing::DotGrid dots = printing::drawPaper(printing::readEscPos(bytes));
    std::vector<std::uint8_t> grey(dots.flags.size());
    for (size_t i = 0; i < grey.size(); ++i) grey[i] = dots.flags[i] ? 0 : 255;
    const auto read = certificate::readQrCode(dots.width, dots.height, grey.data(), dots.width);
    ASSERT_EQ(read.outcome, certificate::QrReadOutcome::Found);
    const auto checked = certificate::verifyCertificate(read.text, warranty.keys().publicKeys());
    ASSERT_EQ(checked.verdict, certificate::Verdict::Valid);
    EXPECT_EQ(checked.record->deviceName, "VELMORA-CHG");
    EXPECT_EQ(checked.record->kind, "charge");
    EXPECT_GT(checked.record->charge.points, 0);
    EXPECT_EQ(checked.record->charge.curveHash.size(), 64u);

    const auto keptCertificate = journal::Journal::open(m_path)->certificate(sessions[0].id);
    ASSERT_TRUE(keptCertificate);
    EXPECT_EQ(keptCertificate->qrText, read.text);
    EXPECT_EQ(keptCertificate->job.batteryId, "SN 77");
    std::string again;
    for (const std::string& chunk :
         certificate::certificateChunks(*certificate::keptCertificate(keptCertificate->qrText)))
        again += chunk;
    ASSERT_GE(bytes.size(), again.size());
    EXPECT_EQ(bytes.substr(bytes.size() - again.size()), again);
}

}  // namespace
}  // namespace velmora::testing
