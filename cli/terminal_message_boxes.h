#pragma once
// The engine's message boxes on the command line: notices go to stderr, questions are asked
// at the terminal. With --yes every question is answered OK; without a terminal to ask at,
// the cautious answer (Cancel) is given.

#include <cstdio>
#include <string>
#include <vector>

#include "transfer/transfer_window.h"

namespace cli {

class TerminalMessageBoxes final : public transfer::MessageBoxes {
 public:
  TerminalMessageBoxes(std::FILE* err, bool assumeYes, bool canAsk)
      : err_(err), assumeYes_(assumeYes), canAsk_(canAsk) {}

  transfer::MessageAnswer Show(transfer::TransferWindow* owner, std::string_view text,
                               std::string_view caption, transfer::MessageButtons buttons,
                               transfer::MessageIcon icon) override;

  // The texts shown, in order; the last is the reason a start was refused.
  const std::vector<std::string>& shown() const { return shown_; }

 private:
  std::FILE* err_;
  bool assumeYes_;
  bool canAsk_;
  std::vector<std::string> shown_;
};

// Asks a yes/no question at the terminal; only "y" or "yes" is a yes.
bool AskYesNo(std::FILE* err, const std::string& question);

}  // namespace cli
