#pragma once

#include <functional>

#include "certificate/CertificateRecord.h"
#include "widgets/SlideInDialog.h"

class QComboBox;
class QLineEdit;

namespace velmora {

// "DATA PEKERJAAN", asked before a receipt with a warranty certificate: the battery's
// serial or date code (a barcode scanner types it and ends with Enter, which only ends the
// field), the technician, the job or invoice number, and whether the battery was in the
// vehicle. "Lanjut" hands the details on; "Batalkan" prints nothing.
class JobDetailsDialog : public ui::SlideInDialog {
    Q_OBJECT
public:
    explicit JobDetailsDialog(QWidget* window);

    // Opens with the details of the last receipt; `next` gets the details on "Lanjut".
    void ask(const certificate::JobDetails& last,
             std::function<void(const certificate::JobDetails&)> next);
    certificate::JobDetails details() const;

    QLineEdit* EditBatteryId;
    QLineEdit* EditTechnician;
    QLineEdit* EditJob;
    QComboBox* ComboInVehicle;
    ui::TextButton* RJobCancel;
    ui::TextButton* RJobNext;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const certificate::JobDetails&)> m_next;
};

}  // namespace velmora
