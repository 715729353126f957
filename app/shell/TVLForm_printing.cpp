// The window's receipt handlers: the image pass, the two receipts on the link's worker,
// the simulated printer's preview and the dealer information dialog.
#include "bench/Bench.h"
#include "printing/InformationDialog.h"
#include "printing/PrintJob.h"
#include "printing/ReceiptPrinter.h"
#include "shell/TVLForm.h"
#include "shell/WindowContent.h"

namespace velmora {

void TVLForm::inisialprint() {
    receipts()->images().inisialprint();
}

void TVLForm::saveimage() {
    receipts()->saveimage();
}

void TVLForm::SusunBitmap() {
    receipts()->images().SusunBitmap();
}

void TVLForm::DataPrint(int stat2) {
    m_ctrl->printJob->printCharge(stat2);
}

void TVLForm::DataPrint2(int stat3) {
    m_ctrl->printJob->printTest(stat3);
}

void TVLForm::RSendInformationClick() {
    InformationDialog* d = informationDialog();
    QString failure;
    try {
        if (const std::optional<QString> message = d->sendDetails(shownBay().link()))
            showMessage(*message);
        else
            m_messages.notice(tr("Data informasi terkirim"));
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    }
    d->close();
    if (!failure.isEmpty()) reportError(failure);
}

void TVLForm::RCancelInformationClick() {
    informationDialog()->close();
}

}  // namespace velmora
