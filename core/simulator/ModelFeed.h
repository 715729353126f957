#pragma once

#include <string>
#include <vector>

#include "link/ChargerState.h"
#include "link/NumberText.h"
#include "simulator/ChargerModel.h"

namespace velmora {

// A simulated charger wired straight into a live state, one simulated second per tick,
// with no thread and no link: for tools and benchmarks that want a whole charge at once.
// Each frame is parsed as the receive thread parses it, end-of-test marker included.
class ModelFeed {
public:
    ModelFeed(ChargerModel& model, LiveChargerState& state, NumberFormat format = {})
        : m_model(model), m_state(state), m_format(format) {}

    // A command from the application (for example the start command).
    void command(const std::string& bytes) { deliver(m_model.receive(bytes)); }
    // One simulated second.
    void tick() { deliver(m_model.tick()); }

private:
    void deliver(const std::vector<std::string>& frames);

    ChargerModel& m_model;
    LiveChargerState& m_state;
    NumberFormat m_format;
};

}  // namespace velmora
