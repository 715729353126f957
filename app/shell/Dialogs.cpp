#include "shell/Dialogs.h"

#include "link/ChargerLink.h"
#include "link/Commands.h"

namespace velmora {

ForceStopDialog::ForceStopDialog(QWidget* window)
    : QuestionDialog(window, QStringLiteral("LayoutForceStop"), QStringLiteral("FloatForce"),
                     QStringLiteral("Proses pengisian daya belum selesai"),
                     QStringLiteral("apakah anda yakin ingin menghentikan ?"),
                     QStringLiteral("RForceNo"), QStringLiteral("Tidak"),
                     QStringLiteral("RForceYes"), QStringLiteral("Iya")) {
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
                     QStringLiteral("Data belum tersimpan"),
                     QStringLiteral("Apakah anda ingin menyimpan ?"), QStringLiteral("RNO"),
                     QStringLiteral("Tidak"), QStringLiteral("RYES"), QStringLiteral("Iya")) {
    RNO = left;
    RYES = right;
    setAnswerButtons(RYES, nullptr);
}

}  // namespace velmora
