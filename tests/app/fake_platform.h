#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "link/BluetoothPlatform.h"
#include "link/MemoryTransport.h"

namespace velmora::testing {

// A scripted Bluetooth stack: devices, radio state, and in-memory sockets whose charger
// ends the test can read and write.
class FakePlatform : public BluetoothPlatform {
public:
    struct Shared {
        bool radio = true;
        bool throwOnList = false;
        int enableRequests = 0;
        QList<DeviceInfo> devices;
        bool refuseConnect = false;
        // No socket can be made at all (the adapter went off under a paired device).
        bool refuseSocket = false;
        // Listed as paired but reported unpaired when asked again (paired state changed).
        QStringList unpairedNow;
        // The peer end of every socket created, in creation order, and the secure flags.
        std::vector<std::shared_ptr<MemoryTransport>> peers;
        std::vector<bool> secureFlags;
        // Called with every send before the bytes go out, on the sending thread; may
        // block (a slow printer) or throw LinkError (a broken link).
        std::function<void(const std::string&)> beforeSend;
        // Connecting hangs until the socket is released (a device that never answers);
        // set when a hanging connect was never cut short and gave up by itself.
        bool hangOnConnect = false;
        std::atomic<bool> hangOutlived{false};
    };

    explicit FakePlatform(std::shared_ptr<Shared> shared) : m_shared(std::move(shared)) {}

    bool radioPresent() override {
        if (m_shared->throwOnList) throw LinkError("no bus");
        return m_shared->radio;
    }
    QList<DeviceInfo> pairedDevices() override {
        if (m_shared->throwOnList) throw LinkError("no bus");
        QList<DeviceInfo> paired;
        for (const DeviceInfo& d : m_shared->devices)
            if (d.paired) paired.append(d);
        return paired;
    }
    void requestEnable() override { ++m_shared->enableRequests; }
    bool isPaired(const DeviceInfo& device) override {
        if (m_shared->unpairedNow.contains(device.address)) return false;
        for (const DeviceInfo& d : m_shared->devices)
            if (d.address == device.address) return d.paired;
        return false;
    }
    std::unique_ptr<Transport> createSocket(const DeviceInfo&, bool secure) override {
        if (m_shared->refuseSocket) throw LinkError("no socket");
        auto [app, peer] = MemoryTransport::createPair();
        m_shared->peers.push_back(peer);
        m_shared->secureFlags.push_back(secure);
        return std::make_unique<Socket>(app, m_shared, m_shared->refuseConnect);
    }

private:
    // The application's end: connects unless refused.
    class Socket : public Transport {
    public:
        Socket(std::shared_ptr<MemoryTransport> end, std::shared_ptr<Shared> shared, bool refuse)
            : m_end(end),
              m_shared(shared),
              m_refuse(refuse),
              m_hang(shared->hangOnConnect),
              m_beforeSend(shared->beforeSend) {}
        void connect() override {
            if (m_hang) {
                std::unique_lock<std::mutex> lock(m_mutex);
                if (!m_cut.wait_for(lock, std::chrono::seconds(20), [this] { return m_released; }))
                    m_shared->hangOutlived = true;
                throw LinkError("no answer");
            }
            if (m_refuse) throw LinkError("refused");
            m_connected = true;
        }
        bool connected() const override { return m_connected && m_end->connected(); }
        void send(const std::string& bytes) override {
            if (m_beforeSend) m_beforeSend(bytes);
            m_end->send(bytes);
        }
        std::string receive(int ms) override { return m_end->receive(ms); }
        void release() override {
            m_connected = false;
            m_end->release();
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_released = true;
            }
            m_cut.notify_all();
        }

    private:
        std::shared_ptr<MemoryTransport> m_end;
        std::shared_ptr<Shared> m_shared;
        bool m_refuse;
        bool m_hang;
        std::mutex m_mutex;
        std::condition_variable m_cut;
        bool m_released = false;
        std::function<void(const std::string&)> m_beforeSend;
        std::atomic<bool> m_connected{false};
    };

    std::shared_ptr<Shared> m_shared;
};

}  // namespace velmora::testing
