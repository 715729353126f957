#include "shell/UserMessages.h"

#include "widgets/MessageDialog.h"
#include "widgets/Notice.h"

namespace velmora {

void UserMessages::message(const QString& text) {
    if (m_sink) {
        m_sink(text);
        return;
    }
    ui::MessageDialog::inform(m_content, text);
}

void UserMessages::notice(const QString& text) {
    if (!m_notice) m_notice = new ui::Notice(m_content);
    m_notice->say(text);
}

}  // namespace velmora
