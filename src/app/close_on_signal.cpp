#include "app/close_on_signal.h"

#include <QWidget>

#ifndef _WIN32
#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>
#endif

namespace gw {

#ifdef _WIN32
void CatchTerminationSignals() {}
void CloseOnTerminationSignals(QWidget*) {}
#else
namespace {

int signalPipe[2] = {-1, -1};  // the handler writes to [0], the event loop reads [1]

// Only async-signal-safe work here: the event loop reads the byte and does the rest.
void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = write(signalPipe[0], &byte, 1);
}

}  // namespace

void CatchTerminationSignals() {
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;  // the default action stays
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

void CloseOnTerminationSignals(QWidget* window) {
  if (signalPipe[1] < 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, window);
  QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
    char byte = 0;
    [[maybe_unused]] const auto got = read(signalPipe[1], &byte, 1);
    window->close();
  });
}
#endif

}  // namespace gw
