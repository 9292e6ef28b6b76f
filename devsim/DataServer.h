#pragma once

#include "device/sim/UniqueFd.h"

#include <atomic>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace vantrel::devsim {

class Receiver;

// Serves the data socket's connections, one thread each: every connection is one open handle on
// the receiver, for as long as the client keeps it.
class DataServer {
public:
    explicit DataServer(std::shared_ptr<Receiver> receiver);
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
    std::mutex mutex_;
    std::list<Connection> connections_;
};

} // namespace vantrel::devsim
