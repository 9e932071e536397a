#include "shell/quit_signals.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QtGlobal>
#include <array>
#include <cerrno>
#include <csignal>

namespace nib {

namespace {

constexpr std::array<int, 3> kQuitSignals = {SIGTERM, SIGINT, SIGHUP};

// [0] is written by the handler, [1] is read by the event loop. The pair
// stays open for the whole process: a handler running on another thread
// while it closed could write into whatever file took the number next.
int g_pipe[2] = {-1, -1};

extern "C" void OnQuitSignal(int signal_number) {
  // Only async-signal-safe calls here.
  const int saved_errno = errno;
  const unsigned char byte = static_cast<unsigned char>(signal_number);
  [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
  errno = saved_errno;
}

bool OpenPipe() {
  if (g_pipe[0] >= 0) return true;
  int fds[2] = {-1, -1};
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return false;
  // A full buffer must never block the handler, nor an empty one the reader.
  for (int fd : fds) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  g_pipe[0] = fds[0];
  g_pipe[1] = fds[1];
  return true;
}

void SetHandlers(void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = handler == SIG_DFL ? 0 : SA_RESTART;
  for (int number : kQuitSignals) ::sigaction(number, &action, nullptr);
}

}  // namespace

void QuitSignals::CatchEarly() {
  if (!OpenPipe()) {
    qWarning("Cannot catch quit signals: socketpair failed");
    return;
  }
  SetHandlers(OnQuitSignal);
}

bool QuitSignals::Pending() {
  if (g_pipe[1] < 0) return false;
  pollfd waiting = {g_pipe[1], POLLIN, 0};
  return ::poll(&waiting, 1, 0) == 1 && (waiting.revents & POLLIN) != 0;
}

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
  CatchEarly();
  if (g_pipe[1] < 0) return;
  // Level-triggered: a signal noted before this line is delivered as soon as
  // the event loop runs.
  notifier_ = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::ReadSignals);
}

QuitSignals::~QuitSignals() {
  SetHandlers(SIG_DFL);
  delete notifier_;
  // A later instance must not deliver what this one was made for.
  unsigned char byte = 0;
  while (g_pipe[1] >= 0 && ::read(g_pipe[1], &byte, 1) == 1) {
  }
}

void QuitSignals::ReadSignals() {
  unsigned char byte = 0;
  while (::read(g_pipe[1], &byte, 1) == 1) emit QuitRequested(byte);
}

}  // namespace nib
