#include "devsim/Serve.h"

#include "device/sim/SimBusFolder.h"
#include "device/sim/UnixSocket.h"
#include "devsim/ControlChannel.h"
#include "devsim/ControlExecutor.h"
#include "devsim/DataServer.h"
#include "devsim/DevicePublisher.h"
#include "devsim/DeviceWatchers.h"
#include "devsim/DurableFile.h"
#include "devsim/LoopbackListener.h"
#include "devsim/ReceiverIdentity.h"
#include "devsim/StateFile.h"
#include "devsim/TraceFile.h"

#include <poll.h>
#include <sys/signalfd.h>
#include <sys/socket.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <vector>

namespace vantrel::devsim {

namespace {

int refuse(const std::string& problem) {
    std::cerr << "vantrel-devsim: " << problem << '\n';
    return 1;
}

// Signals are taken from a descriptor in the serving loop; every thread started later inherits
// the blocked set, so none of them is interrupted.
UniqueFd stopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return UniqueFd(::signalfd(-1, &signals, SFD_CLOEXEC));
}

void answerControl(int listener, Receiver& receiver, const ServingFacts& facts) {
    const UniqueFd connection(::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC));
    if (!connection.valid()) {
        return;
    }
    const auto words = receiveControlWords(connection.get());
    if (!words) {
        sendControlAnswer(connection.get(),
                          {ControlAnswer::Outcome::Refused, "the command did not arrive whole\n"});
        return;
    }
    const auto parsed = parseControlCommand(*words);
    if (!parsed.command) {
        sendControlAnswer(connection.get(), {ControlAnswer::Outcome::Refused, parsed.error + '\n'});
        return;
    }
    sendControlAnswer(connection.get(), {ControlAnswer::Outcome::Done,
                                         executeControlCommand(*parsed.command, receiver, facts)});
}

enum class DataLink { Local, Tcp };

void acceptData(int listener, DataServer& dataServer, DataLink link) {
    UniqueFd connection(::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC));
    if (!connection.valid()) {
        return;
    }
    if (link == DataLink::Tcp) {
        tuneForFrames(connection.get());
    }
    dataServer.serve(std::move(connection));
}

std::optional<std::string> writePortFile(const std::filesystem::path& file, std::uint16_t port) {
    const std::string text = std::to_string(port) + '\n';
    return replaceFileDurably(
        file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::optional<MemoryImage> startingMemory(const std::shared_ptr<StateFile>& stateFile) {
    if (!stateFile) {
        return factoryImage();
    }
    const StateFile::Loaded loaded = stateFile->load();
    if (loaded.outcome == StateFile::Loaded::Outcome::Corrupt) {
        std::cerr << "vantrel-devsim: the state file '" << stateFile->path().string()
                  << "' is not usable: " << loaded.problem
                  << ".\nIt was left as it is; move it away to start from factory content.\n";
        return std::nullopt;
    }
    return loaded.memory;
}

} // namespace

int serve(const ServeOptions& options) {
    const std::filesystem::path folder = simBusFolder();
    if (const auto problem = preparePrivateFolder(folder)) {
        return refuse(*problem);
    }
    const std::filesystem::path controlPath = controlSocketPath(folder, options.name);
    const std::filesystem::path dataPath = folder / dataSocketName(options.name);
    const std::filesystem::path portPath = folder / tcpPortFileName(options.name);
    if (connectUnixSocket(controlPath).valid()) {
        return refuse("a receiver named '" + options.name + "' is already serving in '" +
                      folder.string() + "'");
    }
    auto stateFile = options.stateFile ? std::make_shared<StateFile>(*options.stateFile) : nullptr;
    const auto memory = startingMemory(stateFile);
    if (!memory) {
        return 1;
    }
    std::shared_ptr<TraceFile> trace;
    if (options.traceFile) {
        trace = std::make_shared<TraceFile>(*options.traceFile);
        if (!trace->isOpen()) {
            return refuse("cannot write the trace file '" + options.traceFile->string() + "'");
        }
    }

    const UniqueFd signals = stopSignals();
    // What a receiver killed before left behind is of no use to anyone.
    std::error_code ignored;
    std::filesystem::remove(controlPath, ignored);
    std::filesystem::remove(dataPath, ignored);
    std::filesystem::remove(portPath, ignored);
    const UniqueFd dataListener = listenUnixSocket(dataPath);
    if (!signals.valid() || !dataListener.valid()) {
        return refuse("cannot open the data socket in '" + folder.string() + "'");
    }
    std::optional<LoopbackListener> tcpListener;
    if (options.tcpPort) {
        tcpListener = listenOnLoopback(*options.tcpPort);
        if (!tcpListener) {
            return refuse("cannot listen on 127.0.0.1:" + std::to_string(*options.tcpPort) + ": " +
                          std::strerror(errno));
        }
        if (const auto problem = writePortFile(portPath, tcpListener->port)) {
            return refuse("cannot write the port file: " + *problem);
        }
    }
    const std::string tcpAddress =
        tcpListener ? "127.0.0.1:" + std::to_string(tcpListener->port) : std::string();

    auto receiver = std::make_shared<Receiver>(
        ReceiverSettings{.mode = options.mode, .quality = options.quality, .memory = *memory});
    receiver->traceTo(trace, options.reportTrace);
    receiver->persistTo(stateFile);
    const SimDeviceDescriptor descriptor{interfacePathFor(options.hardwareIds, options.name),
                                         dataSocketName(options.name), options.hardwareIds};
    DevicePublisher publisher(folder / descriptorName(options.name), descriptor);
    DeviceWatchers watchers(descriptor);
    receiver->onPlugChange([&publisher, &watchers, &receiver = *receiver] {
        publisher.follow(receiver);
        watchers.follow(receiver);
    });
    publisher.follow(*receiver);
    // The control socket comes last: once it answers, the device is published and can be opened.
    const UniqueFd controlListener = listenUnixSocket(controlPath);
    if (!controlListener.valid()) {
        receiver->onPlugChange({});
        publisher.withdraw();
        std::filesystem::remove(portPath, ignored);
        return refuse("cannot open the control socket in '" + folder.string() + "'");
    }
    DataServer dataServer(receiver, watchers);
    const ServingFacts facts{options.name, folder.string(),
                             stateFile ? stateFile->path().string() : std::string(), tcpAddress};
    std::cout << "vantrel-devsim: receiver '" << options.name << "' serving in '" << folder.string()
              << "'" << (tcpAddress.empty() ? "" : " and on " + tcpAddress) << std::endl;

    std::vector<pollfd> watched{{signals.get(), POLLIN, 0},
                                {controlListener.get(), POLLIN, 0},
                                {dataListener.get(), POLLIN, 0}};
    if (tcpListener) {
        watched.push_back({tcpListener->socket.get(), POLLIN, 0});
    }
    for (;;) {
        if (::poll(watched.data(), watched.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (watched[0].revents != 0) {
            break;
        }
        if (watched[1].revents != 0) {
            answerControl(controlListener.get(), *receiver, facts);
        }
        if (watched[2].revents != 0) {
            acceptData(dataListener.get(), dataServer, DataLink::Local);
        }
        if (tcpListener && watched[3].revents != 0) {
            acceptData(tcpListener->socket.get(), dataServer, DataLink::Tcp);
        }
    }

    receiver->onPlugChange({});
    publisher.withdraw();
    receiver->unplug();
    dataServer.stop();
    std::filesystem::remove(controlPath, ignored);
    std::filesystem::remove(dataPath, ignored);
    std::filesystem::remove(portPath, ignored);
    std::cout << "vantrel-devsim: receiver '" << options.name << "' stopped" << std::endl;
    return 0;
}

} // namespace vantrel::devsim
