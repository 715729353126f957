#include "link/SocketTransport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velmora {

namespace {

constexpr size_t kReadChunk = 4096;

// A parsed link address: TCP host and port, or a Unix-domain path.
struct Endpoint {
    bool isUnix = false;
    std::string host;
    int port = 0;
    std::string path;
};

Endpoint parseAddress(const std::string& address) {
    Endpoint endpoint;
    if (address.rfind("unix:", 0) == 0) {
        endpoint.isUnix = true;
        endpoint.path = address.substr(5);
        if (endpoint.path.empty() || endpoint.path.size() >= sizeof(sockaddr_un{}.sun_path))
            throw LinkError("bad socket path: " + address);
        return endpoint;
    }
    std::string rest = address.rfind("tcp:", 0) == 0 ? address.substr(4) : address;
    size_t colon = rest.rfind(':');
    if (colon == std::string::npos) throw LinkError("bad socket address: " + address);
    endpoint.host = rest.substr(0, colon);
    try {
        endpoint.port = std::stoi(rest.substr(colon + 1));
    } catch (const std::exception&) {
        throw LinkError("bad socket address: " + address);
    }
    if (endpoint.port < 0 || endpoint.port > 65535) throw LinkError("bad socket port: " + address);
    return endpoint;
}

int openSocket(const Endpoint& endpoint) {
    int fd = ::socket(endpoint.isUnix ? AF_UNIX : AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw LinkError(std::string("socket: ") + std::strerror(errno));
    return fd;
}

// Fills the right sockaddr for the endpoint and calls fn(addr, len).
template <typename Fn>
int withSockaddr(const Endpoint& endpoint, Fn&& fn) {
    if (endpoint.isUnix) {
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::memcpy(addr.sun_path, endpoint.path.c_str(), endpoint.path.size() + 1);
        return fn(reinterpret_cast<sockaddr*>(&addr), static_cast<socklen_t>(sizeof addr));
    }
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(endpoint.port));
    if (::inet_pton(AF_INET, endpoint.host.c_str(), &addr.sin_addr) != 1)
        throw LinkError("bad host: " + endpoint.host);
    return fn(reinterpret_cast<sockaddr*>(&addr), static_cast<socklen_t>(sizeof addr));
}

}  // namespace

SocketTransport::SocketTransport(std::string address) : m_address(std::move(address)) {}

SocketTransport::SocketTransport(std::string address, int acceptedFd)
    : m_address(std::move(address)), m_fd(acceptedFd), m_connected(true) {}

SocketTransport::~SocketTransport() {
    int fd = m_fd.exchange(-1);
    if (fd >= 0) ::close(fd);
}

void SocketTransport::connect() {
    Endpoint endpoint = parseAddress(m_address);
    int old = m_fd.exchange(-1);
    if (old >= 0) ::close(old);
    int fd = openSocket(endpoint);
    int rc = withSockaddr(endpoint,
                          [fd](sockaddr* addr, socklen_t len) { return ::connect(fd, addr, len); });
    if (rc != 0) {
        std::string reason = std::strerror(errno);
        ::close(fd);
        throw LinkError("connect " + m_address + ": " + reason);
    }
    if (!endpoint.isUnix) {
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }
    m_fd = fd;
    m_connected = true;
}

bool SocketTransport::connected() const {
    return m_connected.load();
}

void SocketTransport::markClosed() {
    m_connected = false;
    int fd = m_fd.load();
    // shutdown, not close: a receive waiting on this descriptor wakes at once and the
    // descriptor number cannot be reused under it. It is closed by the destructor.
    if (fd >= 0) ::shutdown(fd, SHUT_RDWR);
}

void SocketTransport::send(const std::string& bytes) {
    std::lock_guard<std::mutex> lock(m_sendMutex);
    if (!m_connected) throw LinkError("link not connected");
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::send(m_fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            markClosed();
            throw LinkError(std::string("send: ") + std::strerror(errno));
        }
        done += static_cast<size_t>(n);
    }
}

std::string SocketTransport::receive(int timeoutMs) {
    if (!m_connected) throw LinkError("link not connected");
    pollfd pfd{m_fd.load(), POLLIN, 0};
    int rc;
    do {
        rc = ::poll(&pfd, 1, timeoutMs);
    } while (rc < 0 && errno == EINTR);
    if (rc < 0) {
        markClosed();
        throw LinkError(std::string("poll: ") + std::strerror(errno));
    }
    if (rc == 0) return {};
    std::string data;
    char buffer[kReadChunk];
    for (;;) {
        ssize_t n = ::recv(pfd.fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n < 0 && errno == EINTR) continue;
        if (n > 0) {
            data.append(buffer, static_cast<size_t>(n));
            if (static_cast<size_t>(n) == sizeof buffer) continue;  // more may be waiting
            return data;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return data;
        // Peer closed (0) or error: hand over what was read first, fail next time.
        markClosed();
        if (!data.empty()) return data;
        throw LinkError(n == 0 ? "link closed by peer" : std::strerror(errno));
    }
}

void SocketTransport::release() {
    markClosed();
}

SocketListener::SocketListener(const std::string& address) {
    Endpoint endpoint = parseAddress(address);
    int fd = openSocket(endpoint);
    if (endpoint.isUnix) {
        ::unlink(endpoint.path.c_str());
        m_unixPath = endpoint.path;
    } else {
        int one = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    }
    int rc = withSockaddr(endpoint,
                          [fd](sockaddr* addr, socklen_t len) { return ::bind(fd, addr, len); });
    if (rc != 0 || ::listen(fd, 4) != 0) {
        std::string reason = std::strerror(errno);
        ::close(fd);
        throw LinkError("listen " + address + ": " + reason);
    }
    if (endpoint.isUnix) {
        m_address = "unix:" + endpoint.path;
    } else {
        sockaddr_in bound{};
        socklen_t len = sizeof bound;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &len);
        m_address = "tcp:" + endpoint.host + ":" + std::to_string(ntohs(bound.sin_port));
    }
    m_fd = fd;
}

SocketListener::~SocketListener() {
    close();
    if (!m_unixPath.empty()) ::unlink(m_unixPath.c_str());
}

std::unique_ptr<SocketTransport> SocketListener::accept(int timeoutMs) {
    int fd = m_fd.load();
    if (fd < 0) throw LinkError("listener closed");
    pollfd pfd{fd, POLLIN, 0};
    int rc;
    do {
        rc = ::poll(&pfd, 1, timeoutMs);
    } while (rc < 0 && errno == EINTR);
    if (rc == 0) return nullptr;
    if (m_fd.load() < 0) throw LinkError("listener closed");
    int client = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) {
        if (errno == EAGAIN || errno == EINTR) return nullptr;
        throw LinkError(std::string("accept: ") + std::strerror(errno));
    }
    return std::unique_ptr<SocketTransport>(new SocketTransport(m_address, client));
}

void SocketListener::close() {
    int fd = m_fd.exchange(-1);
    if (fd >= 0) {
        ::shutdown(fd, SHUT_RDWR);
        ::close(fd);
    }
}

}  // namespace velmora
