#pragma once
// The updater's process-wide data, one copy shared by its dialogs: the language and the names
// chosen at start-up, the file buffer the detection reads the image into, the image identity
// and model kind of the last detection pass, and the progress of the running phase.

#include <array>
#include <cstdint>
#include <string>

#include "ui/camera_model.h"
#include "ui/language.h"

namespace ui {

inline constexpr size_t kFileBufferSize = 65536;

struct InterfaceData {
  Language language = kEnglish;
  std::string modelName;    // "TAVELIN Q2"
  std::string windowTitle;  // composed once at start-up
  std::array<uint8_t, kFileBufferSize> fileBuffer{};

  // Of the image the last detection pass found; 0 when it had none.
  uint16_t imageFwVersion = 0;
  uint16_t imagePid = 0;
  // Set by the camera's identity read; kept when a read fails.
  ModelKind modelKind = ModelKind::UserCodeLayout;
};

// Progress of the running phase, read and written on the user-interface thread only.
struct ProgressData {
  int totalBytes = 0;    // of the phase; the percent's divisor
  int percent = 0;       // 0 to 100 during a phase
  int armedPercent = 0;  // the percent timer 2 was last set for
  int drawnAngle = 0;    // degrees of the ring drawn; every detection pass resets it
};

InterfaceData& Interface();
ProgressData& Progress();

// Both back to their start values. Tests only.
void ResetInterfaceDataForTests();

}  // namespace ui
