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

}  // namespace velmora
