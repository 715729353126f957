#include "printing/CertificateCheckDialog.h"

#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>

#include "catalogue/InputStyle.h"
#include "certificate/QrReader.h"
#include "widgets/FileDialogs.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
constexpr int kWidth = 560, kHeight = 480, kRestingY = 30;
const QColor kGood = QColor::fromRgb(0x00, 0xC8, 0x96);
const QColor kBad = QColor::fromRgb(0xFF, 0x5A, 0x4E);

QString resultSummary(const certificate::Verification& v) {
    const certificate::CertificateRecord& r = *v.record;
    const auto& result = r.kind == "test" ? r.test : r.after;
    const QString status = result ? QString::fromStdString(result->status) : QString();
    return CertificateCheckDialog::tr("Kode %1 - %2\n%3 %4 %5, %6\nNo. seri %7, %8")
        .arg(QString::fromStdString(v.code), QString::fromStdString(r.dealer),
             QString::fromStdString(r.brand), QString::fromStdString(r.type),
             QString::fromStdString(r.kind), status.isEmpty() ? QStringLiteral("-") : status,
             QString::fromStdString(r.job.batteryId.empty() ? "-" : r.job.batteryId),
             QString::fromStdString(r.time));
}
}  // namespace

QString verdictText(certificate::Verdict verdict) {
    switch (verdict) {
        case certificate::Verdict::Valid:
            return CertificateCheckDialog::tr("Sertifikat sah");
        case certificate::Verdict::Changed:
            return CertificateCheckDialog::tr("Sertifikat telah diubah, tidak sah");
        case certificate::Verdict::UnknownKey:
            return CertificateCheckDialog::tr("Ditandatangani kunci dealer yang tidak dikenal");
        case certificate::Verdict::Unreadable:
            return CertificateCheckDialog::tr("Bukan sertifikat yang bisa dibaca");
        case certificate::Verdict::UnsupportedVersion:
            return CertificateCheckDialog::tr("Versi sertifikat belum didukung");
    }
    return CertificateCheckDialog::tr("Bukan sertifikat yang bisa dibaca");
}

CertificateCheckDialog::CertificateCheckDialog(QWidget* window)
    : ui::SlideInDialog(window, QStringLiteral("LayoutPeriksa"), QStringLiteral("FloatPeriksa"),
                        QSize(kWidth, kHeight), kRestingY) {
    ui::Panel* box = panel();
    QLabel* title =
        ui::makeLabel(box, QStringLiteral("LPeriksaTitle"), tr("PERIKSA SERTIFIKAT"), 20);
    title->setFont(ui::roboto(20, QFont::Medium));
    title->setGeometry(0, 14, kWidth, 30);
    ui::makeLabel(box, QStringLiteral("LPeriksaHint"),
                  tr("Tempel teks kode QR, atau buka foto atau pindaian struk"), 14, ui::kGrey)
        ->setGeometry(0, 46, kWidth, 20);
    MemoCertificate = new QPlainTextEdit(box);
    MemoCertificate->setObjectName(QStringLiteral("MemoCertificate"));
    MemoCertificate->setFont(ui::roboto(12));
    MemoCertificate->setStyleSheet(
        QStringLiteral("QPlainTextEdit{background:#1b1b1b;color:white;border:1px solid #555}"));
    MemoCertificate->setGeometry(24, 74, kWidth - 48, 200);
    LCheckResult = ui::makeLabel(box, QStringLiteral("LCheckResult"), QString(), 15);
    LCheckResult->setWordWrap(true);
    LCheckResult->setGeometry(24, 284, kWidth - 48, 120);

    ROpenPicture = new ui::TextButton(box, QStringLiteral("ROpenPicture"), tr("Buka Gambar"), 16);
    ROpenPicture->setFill(QColor::fromRgb(0x2F, 0x5E, 0x8C));
    ROpenPicture->setGeometry(24, kHeight - 62, 160, 42);
    RCheckClose = new ui::TextButton(box, QStringLiteral("RCheckClose"), tr("Tutup"), 16);
    RCheckClose->setFill(QColor::fromRgb(0x4A, 0x4A, 0x4A));
    RCheckClose->setGeometry(kWidth / 2 - 65, kHeight - 62, 130, 42);
    RCheck = new ui::TextButton(box, QStringLiteral("RCheck"), tr("Periksa"), 16);
    RCheck->setFill(QColor::fromRgb(0x00, 0xA7, 0x7F));
    RCheck->setGeometry(kWidth - 24 - 130, kHeight - 62, 130, 42);
    setAnswerButtons(RCheck, RCheckClose);
    connect(RCheck, &QAbstractButton::clicked, this, &CertificateCheckDialog::check);
    connect(RCheckClose, &QAbstractButton::clicked, this, &CertificateCheckDialog::close);
    connect(ROpenPicture, &QAbstractButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getOpenFileName(ui::topLevelWindowOf(this), tr("Buka Gambar"), QString(),
                                         tr("Gambar (*.png *.jpg *.jpeg *.bmp)"));
        if (!path.isEmpty()) checkPicture(path);
    });
}

void CertificateCheckDialog::showAnswer(bool good, const QString& text) {
    LCheckResult->setStyleSheet(
        QStringLiteral("color:%1").arg((good ? kGood : kBad).name(QColor::HexRgb)));
    LCheckResult->setText(text);
}

void CertificateCheckDialog::check() {
    const certificate::Verification result =
        certificate::verifyCertificate(MemoCertificate->toPlainText().toStdString(), m_keys);
    const bool valid = result.verdict == certificate::Verdict::Valid;
    showAnswer(valid, valid ? verdictText(result.verdict) + "\n" + resultSummary(result)
                            : verdictText(result.verdict));
}

void CertificateCheckDialog::checkPicture(const QString& path) {
    QImage picture;
    if (!picture.load(path)) {
        showAnswer(false, tr("Gambar tidak bisa dibuka"));
        return;
    }
    picture = picture.convertToFormat(QImage::Format_Grayscale8);
    const certificate::QrRead read = certificate::readQrCode(
        picture.width(), picture.height(), picture.constBits(), picture.bytesPerLine());
    switch (read.outcome) {
        case certificate::QrReadOutcome::Found:
            MemoCertificate->setPlainText(QString::fromStdString(read.text));
            check();
            return;
        case certificate::QrReadOutcome::None:
            showAnswer(false, tr("Tidak ada kode QR pada gambar"));
            return;
        case certificate::QrReadOutcome::Several:
            showAnswer(false, tr("Ada lebih dari satu kode QR pada gambar"));
            return;
        case certificate::QrReadOutcome::OtherCode:
            showAnswer(false, tr("Kode pada gambar bukan kode QR"));
            return;
    }
}

}  // namespace velmora
