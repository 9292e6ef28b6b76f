#include "devsim/DataServer.h"

#include "device/sim/FrameIo.h"
#include "device/sim/UnixSocket.h"
#include "devsim/DeviceWatchers.h"
#include "devsim/Receiver.h"

#include <sys/socket.h>

namespace vantrel::devsim {

namespace {

bool answer(int fd, DeviceTransport& handle, const ReceivedFrame& frame) {
    switch (frame.kind) {
    case FrameKind::ControlRequest: {
        const auto request = decodeControlRequest(frame.body);
        if (!request) {
            return false;
        }
        ReplyBlock reply{};
        const ControlResult result = handle.control(request->code, request->block, reply);
        return sendAll(fd, encodeControlReply(result, reply));
    }
    case FrameKind::ReportRequest: {
        InputReport report{};
        const bool succeeded = handle.readReport(report);
        return sendAll(fd, encodeReportReply(succeeded, report));
    }
    default:
        // A client that sends what only the receiver sends is out of step: the handle ends.
        return false;
    }
}

// The watch lasts until the client hangs up; anything it sends is out of step and ends it too.
void watchDevice(int fd, const Receiver& receiver, DeviceWatchers& watchers) {
    watchers.watch(fd, receiver);
    receiveFrame(fd);
    watchers.unwatch(fd);
}

void serveConnection(int fd, Receiver& receiver, DeviceWatchers& watchers) {
    auto handle = receiver.open();
    if (!sendAll(fd, encodeHello(handle ? OpenOutcome::Opened : OpenOutcome::DeviceAbsent))) {
        return;
    }
    // A client turned away may still watch for the device to come.
    if (!handle) {
        if (const auto frame = receiveFrame(fd); frame && frame->kind == FrameKind::Watch) {
            watchDevice(fd, receiver, watchers);
        }
        return;
    }
    while (const auto frame = receiveFrame(fd)) {
        if (frame->kind == FrameKind::Watch) {
            handle->close();
            watchDevice(fd, receiver, watchers);
            return;
        }
        if (!answer(fd, *handle, *frame)) {
            break;
        }
    }
    handle->close();
}

} // namespace

DataServer::DataServer(std::shared_ptr<Receiver> receiver, DeviceWatchers& watchers)
    : receiver_(std::move(receiver)), watchers_(watchers) {
}

DataServer::~DataServer() {
    stop();
}

void DataServer::serve(UniqueFd connection) {
    std::lock_guard lock(mutex_);
    reapFinished();
    Connection& added = connections_.emplace_back();
    added.socket = std::move(connection);
    added.thread = std::thread([&added, receiver = receiver_, &watchers = watchers_] {
        serveConnection(added.socket.get(), *receiver, watchers);
        added.finished = true;
    });
}

void DataServer::stop() {
    std::lock_guard lock(mutex_);
    for (auto& connection : connections_) {
        ::shutdown(connection.socket.get(), SHUT_RDWR);
    }
    for (auto& connection : connections_) {
        connection.thread.join();
    }
    connections_.clear();
}

void DataServer::reapFinished() {
    for (auto it = connections_.begin(); it != connections_.end();) {
        if (!it->finished) {
            ++it;
            continue;
        }
        it->thread.join();
        it = connections_.erase(it);
    }
}

} // namespace vantrel::devsim
