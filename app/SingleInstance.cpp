#include "app/SingleInstance.h"

#include "platform/RuntimeFolder.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace vantrel {

namespace {

constexpr const char* markName = "Vantrel Pro";
constexpr QByteArrayView showRequest = "show\n";
constexpr int answerWaitMs = 1000;

} // namespace

QString singleInstanceMark() {
    return QString::fromStdString((runtimeFolder() / markName).string());
}

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance() = default;

bool SingleInstance::bringRunningCopyToFront() {
    QLocalSocket socket;
    socket.connectToServer(singleInstanceMark());
    if (!socket.waitForConnected(answerWaitMs)) {
        return false;
    }
    socket.write(showRequest.data(), showRequest.size());
    socket.waitForBytesWritten(answerWaitMs);
    // The running copy answers once its window is in front.
    socket.waitForReadyRead(answerWaitMs);
    return true;
}

void SingleInstance::announce(QWidget* window) {
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Nobody answered at start, so a mark left behind by a copy that crashed is stale.
    QLocalServer::removeServer(singleInstanceMark());
    if (!server_->listen(singleInstanceMark())) {
        return;
    }
    connect(server_.get(), &QLocalServer::newConnection, this, [this, window] {
        while (QLocalSocket* peer = server_->nextPendingConnection()) {
            connect(peer, &QLocalSocket::readyRead, peer, [peer, window] {
                peer->readAll();
                window->showNormal();
                window->raise();
                window->activateWindow();
                peer->write("shown\n");
                peer->disconnectFromServer();
            });
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
}

} // namespace vantrel
