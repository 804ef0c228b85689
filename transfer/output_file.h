#pragma once
// An upload's output file: created or truncated in binary mode, written in one call, and only
// counted as written when every byte went out and the file closed cleanly.

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace transfer {

class OutputFile {
 public:
  explicit OutputFile(const char* path);
  ~OutputFile();  // closes a file that was not written, leaving it as it is
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool opened() const { return file_ != nullptr; }
  // Writes the bytes and closes the file; false when fewer went out or the close failed (a
  // buffered write that finds no room only fails there).
  bool WriteAndClose(const uint8_t* data, size_t length);

 private:
  std::FILE* file_;
};

}  // namespace transfer
