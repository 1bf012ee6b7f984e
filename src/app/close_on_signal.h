#pragma once
// A desktop session that ends (logout, a service manager stopping it) asks its programs to stop with SIGTERM;
// Ctrl+C in a terminal sends SIGINT. Either closes the window the ordinary way, so its settings are kept.

class QWidget;

namespace gw {

// Catches SIGTERM and SIGINT from here on; call first thing in main, so that a signal that arrives while
// the window is still being made is kept for it. A no-op on Windows.
void CatchTerminationSignals();

// Closes `window` (through its close event) for each caught signal, as soon as the event loop runs.
void CloseOnTerminationSignals(QWidget* window);

}  // namespace gw
