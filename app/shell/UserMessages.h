#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace velmora {

namespace ui {
class Notice;
}

// Where short texts for the user go: a message in the window's own look, modal to the
// window, unless a sink replaces it (tests); and notices, short lines that go by
// themselves, saying what a command just did.
class UserMessages {
public:
    explicit UserMessages(QWidget* content) : m_content(content) {}
    void setSink(std::function<void(const QString&)> sink) { m_sink = std::move(sink); }
    void message(const QString& text);
    void notice(const QString& text);

private:
    QWidget* m_content;
    std::function<void(const QString&)> m_sink;
    ui::Notice* m_notice = nullptr;  // made at the first notice
};

}  // namespace velmora
