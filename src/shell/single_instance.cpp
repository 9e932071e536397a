#include "shell/single_instance.h"

#include <sys/un.h>
#include <unistd.h>

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QtDebug>

namespace nib {
namespace {

// Qt keeps room for two NULs in a socket address.
constexpr qsizetype kMaxSocketPath = sizeof(sockaddr_un::sun_path) - 2;

// Only a hung program makes these run out; a live one answers at once.
constexpr int kConnectTimeoutMs = 5000;
constexpr int kStaleLockMs = 10000;
constexpr int kLockTimeoutMs = 15000;

// Each field carries its length, so no two different triples give the same
// bytes to hash.
void AddField(QByteArray& out, const QByteArray& field) {
  out += QByteArray::number(field.size());
  out += ':';
  out += field;
}

}  // namespace

SingleInstance::SingleInstance(const QString& settings_path, const QString& pet_name,
                               QObject* parent)
    : QObject(parent), path_(ServerPath(settings_path, pet_name)) {}

SingleInstance::~SingleInstance() {
  // Removes the socket file too.
  if (server_) server_->close();
}

QString SingleInstance::ServerPath(const QString& settings_path, const QString& pet_name) {
  QByteArray identity;
  AddField(identity, QByteArray::number(static_cast<qulonglong>(::getuid())));
  AddField(identity, QDir::cleanPath(settings_path).toUtf8());
  // The very bytes the store names the section with.
  AddField(identity, pet_name.toUtf8());
  // 128 bits: no two pets will ever meet.
  const QByteArray digest =
      QCryptographicHash::hash(identity, QCryptographicHash::Sha256).left(16).toHex();
  const QString file = QStringLiteral("nibbet-") + QString::fromLatin1(digest);

  // The runtime folder is the user's own and emptied at logout. The shared
  // temporary folder is the fallback, and the user id in the hash keeps
  // users apart there.
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  const QString path = runtime + u'/' + file;
  if (!runtime.isEmpty() && QFile::encodeName(path).size() <= kMaxSocketPath) return path;
  return QStringLiteral("/tmp/") + file;
}

QString SingleInstance::UserSettingsPath() {
  // QSettings' own rule for a user-scope INI file on this platform; the
  // store is not read, so a start that ends at once reads no pet.
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/Nibbet Simulator/Nibbet Simulator.ini");
}

bool SingleInstance::Claim() {
  // Asked again, it would find itself.
  if (server_) return true;
  // One start at a time asks and listens. Without this, a start could take
  // another one's socket, bound but not yet listening, for a leftover and
  // remove it, and both would run. A killed holder's lock is stale at once,
  // its process being gone.
  QLockFile lock(path_ + QStringLiteral(".lock"));
  // A holder keeps the lock only while it asks and listens, well under
  // this; an older lock was left empty by a start killed while taking it.
  lock.setStaleLockTime(kStaleLockMs);
  if (!lock.tryLock(kLockTimeoutMs)) {
    qWarning("Nibbet Simulator: cannot lock %s (error %d); going on without it",
             qUtf8Printable(lock.fileName()), static_cast<int>(lock.error()));
  }
  if (AskRunningToRaise()) return false;

  // Nobody answered, so a socket file there is a killed program's leftover.
  QLocalServer::removeServer(path_);
  server_ = new QLocalServer(this);
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::AnswerStarts);
  if (!server_->listen(path_)) {
    qWarning(
        "Nibbet Simulator: cannot listen on %s: %s; another start of this pet will "
        "not be noticed",
        qUtf8Printable(path_), qUtf8Printable(server_->errorString()));
  }
  return true;
}

bool SingleInstance::AskRunningToRaise() {
  QLocalSocket socket;
  socket.connectToServer(path_);
  if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
  // The running program takes it from its event loop; no need to wait.
  socket.abort();
  return true;
}

void SingleInstance::AnswerStarts() {
  while (QLocalSocket* start = server_->nextPendingConnection()) {
    connect(start, &QLocalSocket::disconnected, start, &QObject::deleteLater);
    emit RaiseRequested();
    // A start that waits learns the window is in front; one that has gone
    // already is no matter.
    start->write(kAnswer, sizeof(kAnswer) - 1);
    start->disconnectFromServer();
  }
}

}  // namespace nib
