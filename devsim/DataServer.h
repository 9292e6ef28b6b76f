#pragma once

#include "device/sim/UniqueFd.h"

#include <atomic>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace vantrel::devsim {

class DeviceWatchers;
class Receiver;

// Serves the data connections, local or TCP, one thread each: every connection is one open handle
// on the receiver, for as long as the client keeps it, or a watch on the device.
class DataServer {
public:
    DataServer(std::shared_ptr<Receiver> receiver, DeviceWatchers& watchers);
    ~DataServer();
    DataServer(const DataServer&) = delete;
    DataServer& operator=(const DataServer&) = delete;

    void serve(UniqueFd connection);
    // Cuts every connection and waits for their threads.
    void stop();

private:
    struct Connection {
        UniqueFd socket;
        std::atomic<bool> finished{false};
        std::thread thread;
    };

    void reapFinished();

    std::shared_ptr<Receiver> receiver_;
    DeviceWatchers& watchers_;
    std::mutex mutex_;
    std::list<Connection> connections_;
};

} // namespace vantrel::devsim
