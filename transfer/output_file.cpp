#include "transfer/output_file.h"

namespace transfer {

OutputFile::OutputFile(const char* path) : file_(std::fopen(path, "wb")) {}

OutputFile::~OutputFile() {
  if (file_ != nullptr) std::fclose(file_);
}

bool OutputFile::WriteAndClose(const uint8_t* data, size_t length) {
  if (file_ == nullptr) return false;
  const size_t written = length == 0 ? 0 : std::fwrite(data, 1, length, file_);
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  return written == length && closed;
}

}  // namespace transfer
