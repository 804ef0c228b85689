#pragma once
// Where the detection finds the firmware image: the first "*.bin" in the program's current
// directory.

#include <string>

namespace ui {

// The process's current directory; empty when it cannot be had.
std::string ProcessCurrentDirectory();

// The name of the first regular file in directory whose name ends in ".bin" in any case, in
// sorted order; empty when there is none.
std::string FindFirstFirmwareFile(const std::string& directory);

// directory and name joined with the platform's separator.
std::string JoinDirectory(const std::string& directory, const std::string& name);

}  // namespace ui
