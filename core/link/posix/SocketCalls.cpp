// Berkeley sockets (Linux and other POSIX systems).
#include "link/SocketCalls.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "link/Transport.h"

namespace velmora::sockets {

namespace {

int descriptor(Handle handle) {
    return static_cast<int>(handle);
}

int openSocket(const Endpoint& endpoint) {
    int fd = ::socket(endpoint.isUnix ? AF_UNIX : AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw LinkError("socket: " + lastError());
    return fd;
}

// Fills the right sockaddr for the endpoint and calls fn(addr, len).
template <typename Fn>
int withSockaddr(const Endpoint& endpoint, Fn&& fn) {
    if (endpoint.isUnix) {
        sockaddr_un addr{};
        if (endpoint.path.empty() || endpoint.path.size() >= sizeof addr.sun_path)
            throw LinkError("bad socket path: " + endpoint.path);
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

// Closes fd when a step between socket() and success throws.
struct CloseOnThrow {
    int fd;
    ~CloseOnThrow() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

namespace {
// A connect that gives up after timeoutMs: started without blocking, then waited for.
void connectWithin(int fd, const Endpoint& endpoint, int timeoutMs) {
    const int flags = ::fcntl(fd, F_GETFL, 0);
    ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    int rc = withSockaddr(endpoint,
                          [fd](sockaddr* addr, socklen_t len) { return ::connect(fd, addr, len); });
    if (rc != 0 && errno != EINPROGRESS) throw LinkError("connect: " + lastError());
    if (rc != 0) {
        pollfd wait{fd, POLLOUT, 0};
        do {
            rc = ::poll(&wait, 1, timeoutMs);
        } while (rc < 0 && errno == EINTR);
        if (rc == 0)
            throw LinkError("connect: no answer within " + std::to_string(timeoutMs) + " ms");
        int error = 0;
        socklen_t length = sizeof error;
        if (rc < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
            throw LinkError("connect: " + lastError());
        if (error != 0) throw LinkError("connect: " + std::string(std::strerror(error)));
    }
    ::fcntl(fd, F_SETFL, flags);
}
}  // namespace

Handle connectTo(const Endpoint& endpoint) {
    CloseOnThrow guard{openSocket(endpoint)};
    const int fd = guard.fd;
    if (!endpoint.isUnix && endpoint.connectTimeoutMs >= 0) {
        connectWithin(fd, endpoint, endpoint.connectTimeoutMs);
    } else {
        int rc = withSockaddr(
            endpoint, [fd](sockaddr* addr, socklen_t len) { return ::connect(fd, addr, len); });
        if (rc != 0) throw LinkError("connect: " + lastError());
    }
    if (!endpoint.isUnix) {
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }
    guard.fd = -1;
    return fd;
}

Handle listenOn(const Endpoint& endpoint, std::string& boundAddress) {
    CloseOnThrow guard{openSocket(endpoint)};
    const int fd = guard.fd;
    if (endpoint.isUnix) {
        ::unlink(endpoint.path.c_str());
    } else {
        int one = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    }
    int rc = withSockaddr(endpoint,
                          [fd](sockaddr* addr, socklen_t len) { return ::bind(fd, addr, len); });
    if (rc != 0 || ::listen(fd, 4) != 0) throw LinkError("listen: " + lastError());
    if (endpoint.isUnix) {
        boundAddress = "unix:" + endpoint.path;
    } else {
        sockaddr_in bound{};
        socklen_t len = sizeof bound;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &len);
        boundAddress = "tcp:" + endpoint.host + ":" + std::to_string(ntohs(bound.sin_port));
    }
    guard.fd = -1;
    return fd;
}

Handle acceptFrom(Handle listener) {
    int client = ::accept4(descriptor(listener), nullptr, nullptr, SOCK_CLOEXEC);
    if (client >= 0) return client;
    if (errno == EAGAIN || errno == EINTR) return kNoSocket;
    throw LinkError("accept: " + lastError());
}

int waitReadable(Handle handle, int timeoutMs, const std::atomic<bool>&) {
    // shutdownBoth() wakes poll(), so `open` need not be watched here.
    pollfd pfd{descriptor(handle), POLLIN, 0};
    int rc;
    do {
        rc = ::poll(&pfd, 1, timeoutMs);
    } while (rc < 0 && errno == EINTR);
    return rc < 0 ? -1 : (rc > 0 ? 1 : 0);
}

long sendSome(Handle handle, const char* bytes, std::size_t size) {
    ssize_t n;
    do {
        n = ::send(descriptor(handle), bytes, size, MSG_NOSIGNAL);
    } while (n < 0 && errno == EINTR);
    return n > 0 ? static_cast<long>(n) : -1;
}

long receiveSome(Handle handle, char* buffer, std::size_t size) {
    ssize_t n;
    do {
        n = ::recv(descriptor(handle), buffer, size, 0);
    } while (n < 0 && errno == EINTR);
    return static_cast<long>(n);
}

void shutdownBoth(Handle handle) {
    ::shutdown(descriptor(handle), SHUT_RDWR);
}

void closeSocket(Handle handle) {
    ::close(descriptor(handle));
}

void removeSocketFile(const std::string& path) {
    ::unlink(path.c_str());
}

std::string lastError() {
    return std::strerror(errno);
}

}  // namespace velmora::sockets
