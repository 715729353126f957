#pragma once

#include <QObject>
#include <functional>

class QCheckBox;
class QLabel;

namespace velmora {

class CertificateCheckDialog;
class InformationDialog;
class JobDetailsDialog;
class WarrantyCertificates;
namespace ui {
class TextButton;
}

// The window's side of the warranty certificates: the option's check box, the job details
// asked before printing, the dealer key in the dealer information dialog (its fingerprint,
// exporting a public key, a new key) and "Periksa Sertifikat". Dialogs are made at their
// first opening.
class CertificateControls : public QObject {
    Q_OBJECT
public:
    CertificateControls(WarrantyCertificates& certificates, QWidget* content,
                        QObject* parent = nullptr);

    // "Cetak sertifikat garansi" shows and sets the option.
    void attachOption(QCheckBox* box);
    // Puts the dealer key's row into the dealer information dialog.
    void attachInformation(InformationDialog* dialog);
    // The fingerprint shown anew (the key is made on its first use).
    void refreshKey();
    // With the option on, asks the job details first; then `print` (the printer dialog).
    void beforePrinting(const std::function<void()>& print);
    void openCheck();

    WarrantyCertificates& warranty() { return m_certificates; }
    JobDetailsDialog* jobDialog();
    CertificateCheckDialog* checkDialog();

signals:
    void message(const QString& text);

private:
    void exportKey();
    void newKey();

    WarrantyCertificates& m_certificates;
    QWidget* m_content;
    JobDetailsDialog* m_jobDialog = nullptr;
    CertificateCheckDialog* m_checkDialog = nullptr;
    QLabel* m_fingerprint = nullptr;
};

}  // namespace velmora
