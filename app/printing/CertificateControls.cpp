#include "printing/CertificateControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>

#include "printing/CertificateCheckDialog.h"
#include "printing/InformationDialog.h"
#include "printing/JobDetailsDialog.h"
#include "printing/WarrantyCertificates.h"
#include "widgets/FileDialogs.h"
#include "widgets/Theme.h"

namespace velmora {

CertificateControls::CertificateControls(WarrantyCertificates& certificates, QWidget* content,
                                         QObject* parent)
    : QObject(parent), m_certificates(certificates), m_content(content) {
    connect(&m_certificates, &WarrantyCertificates::problem, this, &CertificateControls::message);
}

void CertificateControls::attachOption(QCheckBox* box) {
    box->setChecked(m_certificates.enabled());
    connect(box, &QCheckBox::toggled, this, [this](bool on) { m_certificates.setEnabled(on); });
}

void CertificateControls::attachInformation(InformationDialog* dialog) {
    QWidget* box = dialog->panel();
    const int y = InformationDialog::kKeyRowY;
    ui::makeLabel(box, QStringLiteral("LDealerKey"), tr("Kunci Dealer"), 16, ui::kWhite,
                  Qt::AlignLeft | Qt::AlignVCenter)
        ->setGeometry(30, y, 120, 28);
    m_fingerprint = ui::makeLabel(box, QStringLiteral("LDealerKeyPrint"), QString(), 15, ui::kWhite,
                                  Qt::AlignLeft | Qt::AlignVCenter);
    m_fingerprint->setGeometry(150, y, 220, 28);
    const struct {
        const char* name;
        QString text;
        void (CertificateControls::*action)();
        int x;
    } buttons[] = {
        {"RExportKey", tr("Ekspor Kunci"), &CertificateControls::exportKey, 30},
        {"RNewKey", tr("Kunci Baru"), &CertificateControls::newKey, 145},
        {"RCheckCertificate", tr("Periksa"), &CertificateControls::openCheck, 260},
    };
    QWidget* previous = dialog->ComboShowPrinter;  // Tab goes in reading order
    for (const auto& b : buttons) {
        auto* button = new ui::TextButton(box, QString::fromLatin1(b.name), b.text, 14);
        button->setFill(QColor::fromRgb(0x2F, 0x5E, 0x8C));
        button->setGeometry(b.x, y + 34, 110, 32);
        connect(button, &QAbstractButton::clicked, this, b.action);
        QWidget::setTabOrder(previous, button);
        previous = button;
    }
    QWidget::setTabOrder(previous, dialog->RCancelInformation);
    refreshKey();
}

void CertificateControls::refreshKey() {
    if (!m_fingerprint) return;
    try {
        const auto key = m_certificates.keys().current();
        m_fingerprint->setText(QString::fromStdString(
            certificate::groupedFingerprint(certificate::fingerprintOf(key.publicKey))));
    } catch (const certificate::KeyFileError& problem) {
        m_fingerprint->setText(keyProblemText(problem));
    } catch (const std::exception&) {
        m_fingerprint->setText(tr("Kunci dealer tidak bisa dipakai"));
    }
}

void CertificateControls::exportKey() {
    const QStringList prints = m_certificates.keys().fingerprints();
    if (prints.isEmpty()) return;
    // The current key; an earlier one is exported by choosing its file name in the folder.
    const QString path = ui::askSaveFileName(
        m_content, QDir::home().filePath(QStringLiteral("velmora-dealer-%1.pub").arg(prints[0])),
        tr("Kunci publik (*.pub)"));
    if (path.isEmpty()) return;
    try {
        m_certificates.keys().exportPublicKey(prints[0], path);
        emit message(tr("Kunci publik disimpan"));
    } catch (const certificate::KeyFileError& problem) {
        emit message(keyProblemText(problem));
    }
}

void CertificateControls::newKey() {
    try {
        m_certificates.keys().makeNewKey();
        emit message(tr("Kunci dealer baru dibuat; kunci lama tetap bisa diekspor"));
    } catch (const certificate::KeyFileError& problem) {
        emit message(keyProblemText(problem));
    } catch (const std::exception&) {
        emit message(tr("Kunci dealer tidak bisa dipakai"));
    }
    refreshKey();
}

void CertificateControls::beforePrinting(const std::function<void()>& print) {
    if (!m_certificates.enabled()) {
        print();
        return;
    }
    jobDialog()->ask(m_certificates.job, [this, print](const certificate::JobDetails& job) {
        m_certificates.job = job;
        print();
    });
}

void CertificateControls::openCheck() {
    checkDialog()->setKeys(m_certificates.keys().publicKeys());
    checkDialog()->open();
}

JobDetailsDialog* CertificateControls::jobDialog() {
    if (!m_jobDialog) m_jobDialog = new JobDetailsDialog(m_content);
    return m_jobDialog;
}

CertificateCheckDialog* CertificateControls::checkDialog() {
    if (!m_checkDialog) m_checkDialog = new CertificateCheckDialog(m_content);
    return m_checkDialog;
}

}  // namespace velmora
