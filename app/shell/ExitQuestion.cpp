#include "shell/ExitQuestion.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>

#include "widgets/MessageDialog.h"

namespace velmora {

ExitQuestion::ExitQuestion(QWidget* content) : QObject(content), m_content(content) {}

bool ExitQuestion::handle(QKeyEvent* event) {
    if (event->key() != Qt::Key_Back) return false;
    if (QInputMethod* input = QGuiApplication::inputMethod(); input && input->isVisible()) {
        event->ignore();
        return true;
    }
    event->accept();
    if (ui::MessageDialog::anyOpen(m_content)) return true;  // answered there first
    if (!m_dialog) {
        m_dialog = new ui::MessageDialog(m_content, QStringLiteral("ExitDialog"),
                                         tr("Apakah anda yakin ingin keluar dari aplikasi ?"),
                                         ui::MessageDialog::Buttons::OkCancel);
        connect(m_dialog, &ui::MessageDialog::finished, this, &ExitQuestion::answered);
    }
    m_dialog->present();
    return true;
}

QString ExitQuestion::closeQuestion(CutOff what) {
    switch (what) {
        case CutOff::Print:
            return tr(
                "Struk sedang dicetak dan akan terpotong.\n"
                "Apakah anda yakin ingin keluar dari aplikasi ?");
        case CutOff::Charge:
            return tr(
                "Pengisian sedang dipantau dan dicatat; keduanya akan berhenti.\n"
                "Apakah anda yakin ingin keluar dari aplikasi ?");
        case CutOff::Reconnect:
            return tr(
                "Aplikasi sedang menyambung ulang ke charger.\n"
                "Apakah anda yakin ingin keluar dari aplikasi ?");
        case CutOff::Nothing:
            break;
    }
    return tr("Apakah anda yakin ingin keluar dari aplikasi ?");
}

bool ExitQuestion::raiseOpenQuestion() {
    for (ui::MessageDialog* dialog : {m_dialog, m_closeDialog})
        if (dialog && !dialog->isHidden()) {
            dialog->raise();
            return true;
        }
    return false;
}

void ExitQuestion::askToClose(CutOff what) {
    if (raiseOpenQuestion()) return;
    // Made for this answer: the text says what would be cut off now.
    delete m_closeDialog;
    m_closeDialog =
        new ui::MessageDialog(m_content, QStringLiteral("CloseDialog"), closeQuestion(what),
                              ui::MessageDialog::Buttons::OkCancel);
    connect(m_closeDialog, &ui::MessageDialog::finished, this, &ExitQuestion::answered);
    m_closeDialog->present();
}

}  // namespace velmora
