#pragma once
// A desktop session that ends (logout, a service manager stopping it) asks its programs to stop with SIGTERM;
// Ctrl+C in a terminal sends SIGINT. Either closes the window the ordinary way, so its settings are kept.

class QWidget;

namespace gw {

// Closes `window` (through its close event) when SIGTERM or SIGINT arrives. Call once; a no-op on Windows.
void CloseOnTerminationSignals(QWidget* window);

}  // namespace gw
