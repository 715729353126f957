#include "journal/SessionTypes.h"

#include <array>
#include <utility>

namespace velmora::journal {

namespace {
constexpr std::array<std::pair<StopReason, const char*>, 9> kReasons{{
    {StopReason::Finished, "finished"},
    {StopReason::ForceStop, "forceStop"},
    {StopReason::LinkLost, "linkLost"},
    {StopReason::AppClosed, "appClosed"},
    {StopReason::BatteryUnplugged, "batteryUnplugged"},
    {StopReason::ChargerStandby, "chargerStandby"},
    {StopReason::Interrupted, "interrupted"},
    {StopReason::PrinterHandOver, "printerHandOver"},
    {StopReason::StoppedWatching, "stoppedWatching"},
}};
}  // namespace

const char* kindName(SessionKind kind) {
    return kind == SessionKind::Test ? "test" : "charge";
}

std::optional<SessionKind> kindFromName(const std::string& name) {
    if (name == "charge") return SessionKind::Charge;
    if (name == "test") return SessionKind::Test;
    return std::nullopt;
}

const char* stopReasonName(StopReason reason) {
    for (const auto& [r, name] : kReasons)
        if (r == reason) return name;
    return "";
}

std::optional<StopReason> stopReasonFromName(const std::string& name) {
    for (const auto& [r, text] : kReasons)
        if (name == text) return r;
    return std::nullopt;
}

}  // namespace velmora::journal
