#include <unistd.h>

#include "platform/console.h"

namespace platform {

bool StandardInputIsTerminal() {
  return isatty(STDIN_FILENO) == 1;
}
bool StandardOutputIsTerminal() {
  return isatty(STDOUT_FILENO) == 1;
}
bool StandardErrorIsTerminal() {
  return isatty(STDERR_FILENO) == 1;
}

}  // namespace platform
