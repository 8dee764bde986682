#include "session_end.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

#include "form.h"

namespace fractions {

namespace {

int signal_pipe_write = -1;

// Async-signal-safe: one byte into the pipe, errno as it was.
extern "C" void OnEndSignal(int signal_number) {
  const int saved_errno = errno;
  const char byte = static_cast<char>(signal_number);
  [[maybe_unused]] const ssize_t written = ::write(signal_pipe_write, &byte, 1);
  errno = saved_errno;
}

}  // namespace

void CloseOnSessionEnd(QApplication& app, TForm1& form) {
  QObject::connect(
      &app, &QGuiApplication::commitDataRequest, &form,
      [&form](QSessionManager&) { form.CloseForSessionEnd(); }, Qt::DirectConnection);

  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0) {
    return;  // the signals then end the program as they would anyway
  }
  signal_pipe_write = ends[1];
  auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, &form);
  QObject::connect(notifier, &QSocketNotifier::activated, &form, [&form, read_end = ends[0]] {
    char bytes[16];
    while (::read(read_end, bytes, sizeof bytes) > 0) {
    }
    form.CloseForSessionEnd();
  });

  struct sigaction action = {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal_number : {SIGTERM, SIGHUP}) {
    ::sigaction(signal_number, &action, nullptr);
  }
}

}  // namespace fractions
