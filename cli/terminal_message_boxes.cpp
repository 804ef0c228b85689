#include "cli/terminal_message_boxes.h"

#include <iostream>
#include <string>

namespace cli {

bool AskYesNo(std::FILE* err, const std::string& question) {
  std::fprintf(err, "%s [y/N] ", question.c_str());
  std::fflush(err);
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  return answer == "y" || answer == "Y" || answer == "yes" || answer == "YES";
}

transfer::MessageAnswer TerminalMessageBoxes::Show(transfer::TransferWindow*, std::string_view text,
                                                   std::string_view caption,
                                                   transfer::MessageButtons buttons,
                                                   transfer::MessageIcon) {
  shown_.emplace_back(text);
  const std::string line = std::string(caption) + ": " + std::string(text);
  if (buttons == transfer::MessageButtons::Ok) {
    std::fprintf(err_, "%s\n", line.c_str());
    return transfer::MessageAnswer::Ok;
  }
  if (assumeYes_) {
    std::fprintf(err_, "%s (--yes: OK)\n", line.c_str());
    return transfer::MessageAnswer::Ok;
  }
  if (!canAsk_) {
    std::fprintf(err_, "%s (no terminal to ask: Cancel)\n", line.c_str());
    return transfer::MessageAnswer::Cancel;
  }
  return AskYesNo(err_, line + " OK to go on?") ? transfer::MessageAnswer::Ok
                                                : transfer::MessageAnswer::Cancel;
}

}  // namespace cli
