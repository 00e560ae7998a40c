// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/classroompage.h"
#include "classroom/classroomsnapshot.h"
#include "classroom/connectionguard.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <optional>

class QThread;

namespace kelmot {

class ClassroomServer;
struct ClassroomServerSettings;

// The classroom view as the window's thread sees it: switched on, it runs
// the server on a thread of its own, with a new access code; switched off,
// every connection ends at once. Snapshots handed to it reach the server
// only when they differ from the last one.
class ClassroomService : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 FirstPort = 8080;
    static constexpr quint16 LastPort = 8180;

    explicit ClassroomService(QObject* parent = nullptr);
    ~ClassroomService() override;

    struct Options {
        quint16 firstPort = FirstPort;
        quint16 lastPort = LastPort;
        ConnectionLimits limits;
        qint64 maxQueuedBytes = 1024 * 1024;
        // Only this address (tests: loopback); by default every IPv4 one.
        std::optional<QHostAddress> address;
        // Milliseconds of a monotonic clock for the guessing limit; tests
        // set their own (called on the server's thread).
        std::function<std::int64_t()> clock;
    };

    // Switches the view on: true when it listens. The texts are the
    // program's, in its language.
    bool start(const ClassroomTexts& texts, const Options& options);
    bool start(const ClassroomTexts& texts) { return start(texts, Options{}); }
    void stop();
    bool running() const { return server_ != nullptr; }

    quint16 port() const { return port_; }
    const QString& code() const { return code_; }
    // "http://192.0.2.7:8080/?code=123456" for every address pupils can reach.
    const QStringList& addresses() const { return addresses_; }
    int devices() const { return devices_; }

    void publish(const ClassroomSnapshot& snapshot);

    // The server itself, for tests and the benchmark on this thread's side:
    // only to be called through its own thread.
    ClassroomServer* server() const { return server_; }
    QThread* serverThread() const { return thread_; }

signals:
    void runningChanged(bool running);
    void devicesChanged(int devices);

private:
    ClassroomServer* listenOnItsThread(ClassroomServerSettings settings, const Options& options,
                                       quint16& port);

    QThread* thread_ = nullptr;
    ClassroomServer* server_ = nullptr;
    quint16 port_ = 0;
    QString code_;
    QStringList addresses_;
    int devices_ = 0;
    int generation_ = 0; // counts the servers started
    std::optional<ClassroomSnapshot> last_;
};

// Every IPv4 address of the machine's interfaces that are up, loopback left
// out unless there is no other.
QStringList classroomHostAddresses();

} // namespace kelmot
