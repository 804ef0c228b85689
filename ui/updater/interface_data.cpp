#include "ui/updater/interface_data.h"

namespace ui {
namespace {

InterfaceData interfaceData;
ProgressData progressData;

}  // namespace

InterfaceData& Interface() {
  return interfaceData;
}

ProgressData& Progress() {
  return progressData;
}

void ResetInterfaceDataForTests() {
  interfaceData = InterfaceData{};
  progressData = ProgressData{};
}

}  // namespace ui
