#include "shell/quit_signals.h"

#include <fcntl.h>
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

// [0] is written by the handler, [1] is read by the event loop.
int g_pipe[2] = {-1, -1};

extern "C" void OnQuitSignal(int signal_number) {
  // Only async-signal-safe calls here.
  const int saved_errno = errno;
  const unsigned char byte = static_cast<unsigned char>(signal_number);
  [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
  errno = saved_errno;
}

}  // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0) {
    qWarning("Cannot catch quit signals: socketpair failed");
    g_pipe[0] = g_pipe[1] = -1;
    return;
  }
  // A full buffer must never block the handler.
  ::fcntl(g_pipe[0], F_SETFL, ::fcntl(g_pipe[0], F_GETFL) | O_NONBLOCK);
  ::fcntl(g_pipe[1], F_SETFL, ::fcntl(g_pipe[1], F_GETFL) | O_NONBLOCK);
  notifier_ = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::ReadSignals);

  struct sigaction action = {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int number : kQuitSignals) ::sigaction(number, &action, nullptr);
}

QuitSignals::~QuitSignals() {
  struct sigaction action = {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int number : kQuitSignals) ::sigaction(number, &action, nullptr);
  delete notifier_;
  for (int& fd : g_pipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

void QuitSignals::ReadSignals() {
  unsigned char byte = 0;
  while (::read(g_pipe[1], &byte, 1) == 1) emit QuitRequested(byte);
}

}  // namespace nib
