#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

// The stream-socket calls of the operating system, behind one small interface: Berkeley
// sockets in posix/SocketCalls.cpp, Winsock in windows/SocketCalls.cpp. Everything above
// it (framing, time-outs, the send loop) is shared by every platform.
namespace velmora::sockets {

// A descriptor, or a Winsock SOCKET (an unsigned pointer-sized value whose invalid value
// ~0 reads as -1 here).
using Handle = std::intptr_t;
inline constexpr Handle kNoSocket = -1;

// A parsed link address: TCP host and port, or a Unix-domain path.
struct Endpoint {
    bool isUnix = false;
    std::string host;
    int port = 0;
    std::string path;
    // TCP: how long a connect may wait for the peer; -1 waits as long as the system does
    // (minutes, for a host that is switched off).
    int connectTimeoutMs = -1;
};

// A connected stream socket to the endpoint. Throws LinkError.
Handle connectTo(const Endpoint& endpoint);
// A listening socket; boundAddress names it ("tcp:127.0.0.1:40123"). Throws LinkError.
Handle listenOn(const Endpoint& endpoint, std::string& boundAddress);
// The next waiting connection, or kNoSocket when there is none after all. Throws LinkError.
Handle acceptFrom(Handle listener);

// Waits up to timeoutMs until the socket is readable (data, end of stream or an error
// waiting). Returns 1 when readable, 0 on time-out, -1 on failure (see lastError()).
// Returns promptly once `open` turns false, even where shutting a socket down does not
// wake a waiting call.
int waitReadable(Handle handle, int timeoutMs, const std::atomic<bool>& open);
// Sends part of the bytes: the count sent (at least 1) or -1 on failure.
long sendSome(Handle handle, const char* bytes, std::size_t size);
// One receive on a readable socket: the count read, 0 at end of stream, -1 on failure.
long receiveSome(Handle handle, char* buffer, std::size_t size);
// Ends both directions; a receive waiting on the socket wakes up. The handle stays valid.
void shutdownBoth(Handle handle);
void closeSocket(Handle handle);
// Removes a Unix-domain socket's file, if the platform has them.
void removeSocketFile(const std::string& path);
// Why the last call on this thread failed, in words.
std::string lastError();

}  // namespace velmora::sockets
