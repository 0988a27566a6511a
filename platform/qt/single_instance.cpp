#include "platform/qt/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace platform {

namespace {

// Local sockets connect or refuse at once; these only bound a peer that hangs.
constexpr int ConnectTimeoutMs = 1000;
constexpr int WriteTimeoutMs = 1000;
constexpr qint64 LongestRequest = 64;

QString userId() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    const QString name = qEnvironmentVariable("USERNAME", qEnvironmentVariable("USER"));
    return name.isEmpty() ? QStringLiteral("user") : name;
#endif
}

QString safeForFileName(QString text) {
    for (QChar& c : text)
        if (!c.isLetterOrNumber() && c != u'.' && c != u'-' && c != u'_') c = u'_';
    return text;
}

}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent), serverName_(serverNameFor(key)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverNameFor(const QString& key) {
    // The user's private runtime folder keeps other users away from the socket; without one
    // the shared temporary folder is used and the user id in the name avoids clashes.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString folder = !runtime.isEmpty() && QFileInfo(runtime).isDir() ? runtime : QDir::tempPath();
    return QDir(folder).filePath(safeForFileName(key) + u'-' + userId());
}

SingleInstance::Role SingleInstance::claim(std::function<void()> onActivate) {
    onActivate_ = std::move(onActivate);
    if (askRunningCopy()) return Role::Second;
    if (listen()) return Role::First;
    if (server_->serverError() == QAbstractSocket::AddressInUseError) {
        // Either a copy started just now (it answers) or one crashed and left its socket
        // behind (nobody answers): then the socket is ours.
        if (askRunningCopy()) return Role::Second;
        QLocalServer::removeServer(serverName_);
        if (listen()) return Role::First;
    }
    error_ = tr("Cannot watch for other copies of the program (%1): %2").arg(serverName_, server_->errorString());
    return Role::Standalone;
}

bool SingleInstance::askRunningCopy() {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(ConnectTimeoutMs)) return false;
    socket.write(ActivateRequest);
    socket.waitForBytesWritten(WriteTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen() {
    if (!server_) {
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server_, &QLocalServer::newConnection, this, &SingleInstance::acceptRequests);
    }
    return server_->listen(serverName_);
}

void SingleInstance::acceptRequests() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The request may have arrived with the connection.
        if (socket->bytesAvailable() > 0) readRequest(socket);
    }
}

void SingleInstance::readRequest(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        // Anything longer than a request is not one of ours.
        if (socket->bytesAvailable() > LongestRequest) socket->abort();
        return;
    }
    const QByteArray request = socket->readLine(LongestRequest + 1);
    socket->disconnectFromServer();
    if (request == ActivateRequest && onActivate_) onActivate_();
}

}  // namespace platform
