#include "widgets/PlainTextValidator.h"

#include <algorithm>

namespace velmora::ui {

QValidator::State PlainTextValidator::validate(QString& input, int&) const {
    const bool control = std::any_of(input.cbegin(), input.cend(), [](QChar c) {
        return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0);
    });
    return control ? Invalid : Acceptable;
}

}  // namespace velmora::ui
