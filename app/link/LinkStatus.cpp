#include "link/LinkStatus.h"

#include "link/ChargerLink.h"

namespace velmora {

LinkStatus describeLink(const ChargerLink& link, const std::optional<QString>& connectingTo) {
    using Tone = LinkStatus::Tone;
    if (connectingTo)
        return {QStringLiteral("Menyambungkan ke %1...").arg(*connectingTo), Tone::Busy};
    if (link.linkSocket() && !link.connected())
        return {QStringLiteral("Koneksi terputus"), Tone::Down};
    if (!link.connected()) return {QString(), Tone::Up};
    if (link.peerIsPrinter()) return {QStringLiteral("Printer: %1").arg(link.peerName()), Tone::Up};
    if (link.deviceSilent()) return {QStringLiteral("Perangkat tidak menjawab"), Tone::Down};
    return {QStringLiteral("Terhubung: %1").arg(link.peerName()), Tone::Up};
}

}  // namespace velmora
