// One instance per user (see SingleInstance.h): the named mutex, owned for the whole run, and a
// QLocalServer on a socket in the per-user runtime folder.
#include "platform/gui/SingleInstance.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <utility>

#include "platform/base/NamedMutex.h"
#include "platform/base/Paths.h"

namespace vt {

namespace {

constexpr char kActivate[] = "activate\n";
// How long a second start keeps trying to reach a first one that is still starting up.
constexpr int kConnectPatienceMs = 5000;

bool AskToActivate(const QString& path) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < kConnectPatienceMs) {
    QLocalSocket socket;
    socket.connectToServer(path);
    if (socket.waitForConnected(500)) {
      socket.write(kActivate);
      const bool written = socket.waitForBytesWritten(1000);
      socket.disconnectFromServer();
      return written;
    }
    QThread::msleep(50);
  }
  return false;
}

}  // namespace

struct SingleInstance::Impl {
  NamedMutex mutex;
  std::unique_ptr<QLocalServer> server;
  std::function<void()> onActivate;
};

SingleInstance::SingleInstance() : impl_(std::make_unique<Impl>()) {}

SingleInstance::~SingleInstance() {
  if (impl_->server) impl_->server->close();
  impl_->server.reset();
  if (impl_->mutex.IsOpen()) impl_->mutex.Unlock();
  impl_->mutex.Close();
}

std::string SingleInstance::ServerPath(std::string_view windowClass) {
  std::string folder;
  if (!UserRuntimeFolder(&folder)) folder = "/tmp";
  return folder + "/" + std::string(windowClass) + ".socket";
}

SingleInstance::Outcome SingleInstance::Claim(std::string_view mutexName, std::string_view windowClass,
                                              std::function<void()> onActivate) {
  const QString path = QString::fromStdString(ServerPath(windowClass));
  bool existed = false;
  if (!impl_->mutex.Create(mutexName, &existed)) return Outcome::Failed;
  // The mutex is made owned: a start that finds it held, or its name open elsewhere, is a second one.
  const NamedMutex::WaitResult taken = existed ? NamedMutex::WaitResult::Timeout : impl_->mutex.Lock(0);
  if (taken == NamedMutex::WaitResult::Failed) {
    impl_->mutex.Close();
    return Outcome::Failed;
  }
  if (taken == NamedMutex::WaitResult::Timeout) {
    impl_->mutex.Close();
    AskToActivate(path);
    return Outcome::Another;
  }
  impl_->onActivate = std::move(onActivate);
  impl_->server = std::make_unique<QLocalServer>();
  impl_->server->setSocketOptions(QLocalServer::UserAccessOption);
  QLocalServer::removeServer(path);  // a socket left by an instance that crashed
  Impl* impl = impl_.get();
  QObject::connect(impl->server.get(), &QLocalServer::newConnection, [impl] {
    while (QLocalSocket* socket = impl->server->nextPendingConnection()) {
      QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      QObject::connect(socket, &QLocalSocket::readyRead, [impl, socket] {
        while (socket->canReadLine()) {
          if (socket->readLine() == kActivate && impl->onActivate) impl->onActivate();
        }
      });
    }
  });
  // Without the socket the program still runs alone; a second start then only gives up.
  impl_->server->listen(path);
  return Outcome::First;
}

}  // namespace vt
