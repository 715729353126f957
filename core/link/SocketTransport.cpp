#include "link/SocketTransport.h"

namespace velmora {

namespace {

sockets::Endpoint parseAddress(const std::string& address) {
    sockets::Endpoint endpoint;
    if (address.rfind("unix:", 0) == 0) {
        endpoint.isUnix = true;
        endpoint.path = address.substr(5);
        if (endpoint.path.empty()) throw LinkError("bad socket path: " + address);
        return endpoint;
    }
    std::string rest = address.rfind("tcp:", 0) == 0 ? address.substr(4) : address;
    size_t colon = rest.rfind(':');
    if (colon == std::string::npos || colon == 0) throw LinkError("bad socket address: " + address);
    endpoint.host = rest.substr(0, colon);
    const std::string port = rest.substr(colon + 1);
    // Digits only: "5555x" or "+5" name no port.
    if (port.empty() || port.size() > 5 ||
        port.find_first_not_of("0123456789") != std::string::npos)
        throw LinkError("bad socket address: " + address);
    endpoint.port = std::stoi(port);
    if (endpoint.port > 65535) throw LinkError("bad socket port: " + address);
    return endpoint;
}

}  // namespace

bool isSocketAddress(const std::string& address) {
    try {
        parseAddress(address);
        return true;
    } catch (const LinkError&) {
        return false;
    }
}

SocketTransport::SocketTransport(std::string address, int connectTimeoutMs)
    : m_address(std::move(address)), m_connectTimeoutMs(connectTimeoutMs) {}

SocketTransport::SocketTransport(std::string address, sockets::Handle accepted)
    : StreamTransport(accepted), m_address(std::move(address)) {}

sockets::Handle SocketTransport::open() {
    try {
        sockets::Endpoint endpoint = parseAddress(m_address);
        endpoint.connectTimeoutMs = m_connectTimeoutMs;
        return sockets::connectTo(endpoint);
    } catch (const LinkError& error) {
        throw LinkError(m_address + ": " + error.what());
    }
}

SocketListener::SocketListener(const std::string& address) {
    sockets::Endpoint endpoint = parseAddress(address);
    try {
        m_handle = sockets::listenOn(endpoint, m_address);
    } catch (const LinkError& error) {
        throw LinkError(address + ": " + error.what());
    }
    if (endpoint.isUnix) m_unixPath = endpoint.path;
    m_open = true;
}

SocketListener::~SocketListener() {
    close();
    if (!m_unixPath.empty()) sockets::removeSocketFile(m_unixPath);
}

std::unique_ptr<SocketTransport> SocketListener::accept(int timeoutMs) {
    sockets::Handle handle = m_handle.load();
    if (handle == sockets::kNoSocket) throw LinkError("listener closed");
    int ready = sockets::waitReadable(handle, timeoutMs, m_open);
    if (ready == 0) return nullptr;
    if (!m_open || m_handle.load() == sockets::kNoSocket) throw LinkError("listener closed");
    if (ready < 0) throw LinkError("accept: " + sockets::lastError());
    sockets::Handle client = sockets::acceptFrom(handle);
    if (client == sockets::kNoSocket) return nullptr;
    return std::unique_ptr<SocketTransport>(new SocketTransport(m_address, client));
}

void SocketListener::close() {
    m_open = false;
    sockets::Handle handle = m_handle.exchange(sockets::kNoSocket);
    if (handle != sockets::kNoSocket) {
        sockets::shutdownBoth(handle);
        sockets::closeSocket(handle);
    }
}

}  // namespace velmora
