#pragma once
// One running copy of the program per user. The first copy listens on a local socket named
// after the program and the user; a later copy connects, asks the first to come forward and
// learns that it must end. A socket left behind by a copy that crashed is taken over.

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;

namespace platform {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Role {
        First,       // this copy runs; it calls the activation callback when asked
        Second,      // another copy runs and has been asked to come forward: end now
        Standalone,  // the socket could not be set up: run without the guard (see error())
    };

    static constexpr const char* ActivateRequest = "activate\n";

    // `key` names the program ("wavix"); the socket's name adds the user's id.
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Finds out which copy this is. As the first copy, `onActivate` runs whenever a later
    // copy starts.
    Role claim(std::function<void()> onActivate);

    // The socket's name, or its full path when the user has a private runtime folder.
    const QString& serverName() const { return serverName_; }
    const QString& error() const { return error_; }

    static QString serverNameFor(const QString& key);

private:
    bool askRunningCopy();
    bool listen();
    void acceptRequests();
    void readRequest(QLocalSocket* socket);

    QString serverName_;
    QString error_;
    QLocalServer* server_ = nullptr;
    std::function<void()> onActivate_;
};

}  // namespace platform
