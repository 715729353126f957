#include "simulator/ModelFeed.h"

#include "link/FrameAssembler.h"
#include "link/MessageParser.h"

namespace velmora {

void ModelFeed::deliver(const std::vector<std::string>& frames) {
    Frame frame;
    for (const std::string& text : frames) {
        // Whole frames, however long: a day's history is more than the receive buffer holds.
        splitFrame(text, frame);
        if (frame.endOfTest) m_state.modify([](ChargerState& s) { s.endOfTest = true; });
        for (const std::string& message : frame.messages) parseMessage(message, m_state, m_format);
    }
}

}  // namespace velmora
