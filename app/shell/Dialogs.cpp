#include "shell/Dialogs.h"

#include "link/ChargerLink.h"
#include "link/Commands.h"

namespace velmora {

ForceStopDialog::ForceStopDialog(QWidget* window)
    : QuestionDialog(window, QStringLiteral("LayoutForceStop"), QStringLiteral("FloatForce"),
                     tr("Proses pengisian daya belum selesai"),
                     tr("apakah anda yakin ingin menghentikan ?"), QStringLiteral("RForceNo"),
                     tr("Tidak"), QStringLiteral("RForceYes"), tr("Iya")) {
    RForceNo = left;
    RForceYes = right;
}

std::optional<QString> ForceStopDialog::sendStop(ChargerLink& link) {
    std::optional<QString> failure;
    try {
        link.Kirimstringdata(commands::kForceStop);
    } catch (const LinkError& error) {
        failure = QString::fromUtf8(error.what());
    }
    close();
    return failure;
}

QuestionSaveDialog::QuestionSaveDialog(QWidget* window)
    : QuestionDialog(window, QStringLiteral("LayoutQuestionSave"), QStringLiteral("FloatQS"),
                     tr("Data belum tersimpan"), tr("Apakah anda ingin menyimpan ?"),
                     QStringLiteral("RNO"), tr("Tidak"), QStringLiteral("RYES"), tr("Iya")) {
    RNO = left;
    RYES = right;
    setAnswerButtons(RYES, nullptr);
}

}  // namespace velmora
