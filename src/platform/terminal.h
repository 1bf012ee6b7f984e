#pragma once
// What a command-line program needs to know about its standard streams.

namespace gw {

// True when standard error is a terminal (a progress line is drawn there only then).
bool StandardErrorIsTerminal();

// Windows consoles show the program's UTF-8 texts (the degree sign) only after switching their code page;
// elsewhere terminals already take UTF-8 and nothing happens.
void UseUtf8Console();

}  // namespace gw
