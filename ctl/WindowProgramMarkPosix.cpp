#include "ctl/WindowProgramMark.h"

#include "platform/RuntimeFolder.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace vantrel::ctl {

bool windowProgramRuns() {
    // The running program listens on its mark; one that ended may leave the socket file behind,
    // which then refuses the connection.
    const std::string path = (runtimeFolder() / "Vantrel Pro").string();
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) {
        return false;
    }
    const bool answered =
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return answered;
}

} // namespace vantrel::ctl
