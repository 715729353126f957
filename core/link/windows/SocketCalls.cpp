// Winsock. Unix-domain sockets are not offered: TCP serves every platform's simulators.
#include "link/SocketCalls.h"

// winsock2.h before windows.h.
// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
// clang-format on

#include <algorithm>
#include <chrono>
#include <climits>
#include <mutex>

#include "link/Transport.h"
#include "link/windows/WindowsText.h"
#include "link/windows/Winsock.h"

namespace velmora {

void ensureWinsock() {
    static std::once_flag once;
    static int result = 0;
    std::call_once(once, [] {
        WSADATA data;
        result = ::WSAStartup(MAKEWORD(2, 2), &data);
    });
    if (result != 0) throw LinkError("Winsock: " + systemErrorText(static_cast<DWORD>(result)));
}

namespace sockets {

namespace {

// Winsock gives no promise that shutting a socket down wakes a select() waiting on it in
// another thread, so waits are cut into slices and `open` is checked between them.
constexpr int kWaitSliceMs = 100;

SOCKET native(Handle handle) {
    return static_cast<SOCKET>(handle);
}

struct CloseOnThrow {
    SOCKET socket;
    ~CloseOnThrow() {
        if (socket != INVALID_SOCKET) ::closesocket(socket);
    }
};

SOCKET openTcp() {
    ensureWinsock();
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) throw LinkError("socket: " + lastError());
    // Child processes must not inherit the link.
    ::SetHandleInformation(reinterpret_cast<HANDLE>(s), HANDLE_FLAG_INHERIT, 0);
    return s;
}

sockaddr_in tcpAddress(const Endpoint& endpoint) {
    if (endpoint.isUnix)
        throw LinkError("Unix-domain sockets are not available here: " + endpoint.path);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = ::htons(static_cast<u_short>(endpoint.port));
    if (::inet_pton(AF_INET, endpoint.host.c_str(), &addr.sin_addr) != 1)
        throw LinkError("bad host: " + endpoint.host);
    return addr;
}

}  // namespace

namespace {
// A connect that gives up after timeoutMs: started without blocking, then waited for.
void connectWithin(SOCKET s, const sockaddr_in& addr, int timeoutMs) {
    u_long nonBlocking = 1;
    ::ioctlsocket(s, FIONBIO, &nonBlocking);
    if (::connect(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        if (::WSAGetLastError() != WSAEWOULDBLOCK) throw LinkError("connect: " + lastError());
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(s, &writable);
        FD_SET(s, &failed);
        timeval wait{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
        const int rc = ::select(0, nullptr, &writable, &failed, &wait);
        if (rc == 0)
            throw LinkError("connect: no answer within " + std::to_string(timeoutMs) + " ms");
        int error = 0;
        int length = sizeof error;
        ::getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
        if (rc < 0 || FD_ISSET(s, &failed) || error != 0) {
            if (error != 0) ::WSASetLastError(error);
            throw LinkError("connect: " + lastError());
        }
    }
    u_long blocking = 0;
    ::ioctlsocket(s, FIONBIO, &blocking);
}
}  // namespace

Handle connectTo(const Endpoint& endpoint) {
    sockaddr_in addr = tcpAddress(endpoint);
    CloseOnThrow guard{openTcp()};
    if (endpoint.connectTimeoutMs >= 0)
        connectWithin(guard.socket, addr, endpoint.connectTimeoutMs);
    else if (::connect(guard.socket, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
        throw LinkError("connect: " + lastError());
    BOOL one = TRUE;
    ::setsockopt(guard.socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one),
                 sizeof one);
    SOCKET s = guard.socket;
    guard.socket = INVALID_SOCKET;
    return static_cast<Handle>(s);
}

Handle listenOn(const Endpoint& endpoint, std::string& boundAddress) {
    sockaddr_in addr = tcpAddress(endpoint);
    CloseOnThrow guard{openTcp()};
    if (::bind(guard.socket, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(guard.socket, 4) != 0)
        throw LinkError("listen: " + lastError());
    sockaddr_in bound{};
    int length = sizeof bound;
    ::getsockname(guard.socket, reinterpret_cast<sockaddr*>(&bound), &length);
    boundAddress = "tcp:" + endpoint.host + ":" + std::to_string(::ntohs(bound.sin_port));
    SOCKET s = guard.socket;
    guard.socket = INVALID_SOCKET;
    return static_cast<Handle>(s);
}

Handle acceptFrom(Handle listener) {
    SOCKET client = ::accept(native(listener), nullptr, nullptr);
    if (client != INVALID_SOCKET) return static_cast<Handle>(client);
    const int code = ::WSAGetLastError();
    if (code == WSAEWOULDBLOCK || code == WSAEINTR) return kNoSocket;
    throw LinkError("accept: " + lastError());
}

int waitReadable(Handle handle, int timeoutMs, const std::atomic<bool>& open) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(end - Clock::now()).count();
        const long slice = static_cast<long>(std::clamp<long long>(left, 0, kWaitSliceMs * 1000));
        fd_set readable, failed;
        FD_ZERO(&readable);
        FD_ZERO(&failed);
        FD_SET(native(handle), &readable);
        FD_SET(native(handle), &failed);
        timeval wait{slice / 1000000, slice % 1000000};
        int rc = ::select(0, &readable, nullptr, &failed, &wait);
        if (rc != 0) return rc > 0 ? 1 : -1;
        // Released meanwhile: readable, so the caller's next call reports the end.
        if (!open) return 1;
        if (Clock::now() >= end) return 0;
    }
}

long sendSome(Handle handle, const char* bytes, std::size_t size) {
    const int part = static_cast<int>(std::min<std::size_t>(size, INT_MAX));
    int n = ::send(native(handle), bytes, part, 0);
    return n > 0 ? n : -1;
}

long receiveSome(Handle handle, char* buffer, std::size_t size) {
    int n =
        ::recv(native(handle), buffer, static_cast<int>(std::min<std::size_t>(size, INT_MAX)), 0);
    return n == SOCKET_ERROR ? -1 : n;
}

void shutdownBoth(Handle handle) {
    ::shutdown(native(handle), SD_BOTH);
}

void closeSocket(Handle handle) {
    ::closesocket(native(handle));
}

void removeSocketFile(const std::string&) {}

std::string lastError() {
    return systemErrorText(static_cast<DWORD>(::WSAGetLastError()));
}

}  // namespace sockets
}  // namespace velmora
