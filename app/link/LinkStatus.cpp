#include "link/LinkStatus.h"

#include <QCoreApplication>

#include "link/ChargerLink.h"

namespace velmora {

LinkStatus describeLink(const ChargerLink& link, const std::optional<QString>& connectingTo) {
    using Tone = LinkStatus::Tone;
    if (connectingTo)
        return {
            QCoreApplication::translate("LinkStatus", "Menyambungkan ke %1...").arg(*connectingTo),
            Tone::Busy};
    if (link.linkSocket() && !link.connected())
        return {QCoreApplication::translate("LinkStatus", "Koneksi terputus"), Tone::Down};
    if (!link.connected()) return {QString(), Tone::Up};
    if (link.peerIsPrinter())
        return {QCoreApplication::translate("LinkStatus", "Printer: %1").arg(link.peerName()),
                Tone::Up};
    if (link.deviceSilent())
        return {QCoreApplication::translate("LinkStatus", "Perangkat tidak menjawab"), Tone::Down};
    return {QCoreApplication::translate("LinkStatus", "Terhubung: %1").arg(link.peerName()),
            Tone::Up};
}

}  // namespace velmora
