#pragma once

#include <QByteArray>
#include <string>
#include <vector>

namespace velmora {

// A receipt as one PDF page: the paper the simulated printer would print from these
// chunks, at the printer's 8 dots a millimetre on a 58 mm wide page as long as the receipt.
QByteArray receiptPdf(const std::vector<std::string>& chunks, const QString& title);

}  // namespace velmora
