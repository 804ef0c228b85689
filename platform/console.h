#pragma once
// Whether the tool talks to a person at a terminal or to a script.

namespace platform {

bool StandardInputIsTerminal();
bool StandardOutputIsTerminal();
bool StandardErrorIsTerminal();

}  // namespace platform
