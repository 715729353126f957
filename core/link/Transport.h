#pragma once

#include <stdexcept>
#include <string>

namespace velmora {

// Raised by a transport when connecting fails or the link is lost or closed.
class LinkError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One serial byte stream to a device (charger or printer). One thread may send while
// another receives; release() may be called from any thread and cuts a waiting
// receive short, so a reader can be stopped promptly.
class Transport {
public:
    virtual ~Transport() = default;

    // Opens the stream. Throws LinkError on failure and stays not connected.
    virtual void connect() = 0;
    virtual bool connected() const = 0;
    // Writes every byte. A failure closes the link and throws LinkError.
    virtual void send(const std::string& bytes) = 0;
    // Waits up to timeoutMs for data and returns what is available (possibly nothing).
    // A time-out is not an error; a lost or closed link throws LinkError.
    virtual std::string receive(int timeoutMs) = 0;
    // Closes the link. Safe to call more than once and while another thread receives.
    virtual void release() = 0;
};

}  // namespace velmora
