#include "shell/Dialogs.h"

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
