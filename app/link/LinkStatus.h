#pragma once

#include <QString>
#include <optional>

namespace velmora {

class ChargerLink;

// The dashboard's line about the link: what is connected (not what is picked in the
// device box), a connection being made, a lost link, or a charger that never answers.
struct LinkStatus {
    enum class Tone { Busy, Up, Down };
    QString text;
    Tone tone = Tone::Up;
};

// connectingTo: the device a connection is being made to, while one is.
LinkStatus describeLink(const ChargerLink& link, const std::optional<QString>& connectingTo);

}  // namespace velmora
