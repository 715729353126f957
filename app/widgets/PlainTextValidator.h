#pragma once

#include <QValidator>

namespace velmora::ui {

// Refuses control characters (below U+0020, U+007F and the C1 range), typed or pasted: a
// text box's contents end up on receipts, where such bytes are printer commands.
class PlainTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

}  // namespace velmora::ui
