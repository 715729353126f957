#pragma once

namespace velmora {

// What a charger for 12 V motorcycle batteries can sensibly take, with wide margins. The
// commands we compose stay inside these ranges; what the charger reports is kept as sent
// and each screen decides how to show a value it cannot show sensibly.
struct ValueRange {
    double low;
    double high;
    constexpr bool contains(double value) const { return value >= low && value <= high; }
    // The same range in wire units, as the charger sends the value times `factor`.
    constexpr ValueRange times(double factor) const { return {low * factor, high * factor}; }
};

namespace ranges {
// Charging stages 0 (idle) to 6 (floating).
inline constexpr ValueRange kStage{0, 6};
// Volts: a 12 V battery charges at up to about 16 V; a 24 V battery clipped on by mistake
// reads near 29 V and reversed clamps read negative.
inline constexpr ValueRange kVoltage{-60, 60};
// Amperes: motorcycle chargers give up to about 10 A; the sign covers a discharge.
inline constexpr ValueRange kCurrent{-100, 100};
// Seconds since the charge started: a battery left floating for up to a year.
inline constexpr ValueRange kElapsedSeconds{0, 366 * 24 * 3600};
// Percent; the charger may pass 100, which the dashboard shows as 100 %.
inline constexpr ValueRange kProgress{0, 1000};
// Cold cranking amps: motorcycle batteries stay below 600, custom options allow 10 000.
inline constexpr ValueRange kCca{0, 20000};
// Internal resistance in milliohms: a good battery is 3 to 30, a dead one some hundreds.
inline constexpr ValueRange kResistance{0, 10000};
// Capacity of a custom option in ampere-hours (the add dialog allows 2 to 20).
inline constexpr ValueRange kCapacity{0, 1000};
// Charging current of a custom option in amperes (the add dialog allows 1 to 5).
inline constexpr ValueRange kOptionCurrent{0, 100};
// Catalogue positions; -1 means none chosen.
inline constexpr ValueRange kPosition{-1, 9999};
}  // namespace ranges

}  // namespace velmora
