// Arbitrary bytes as a HID report descriptor: the parser must stay inside the buffer, and what
// it accepts must hold together: every capability belongs to a report it also measured, no
// report is longer than the bound, and a second parse of the same bytes gives the same result.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/hid_report_descriptor.h"

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "hid_descriptor_fuzz: %s\n", what);
  std::abort();
}

bool Measured(const platform::HidReportTypeCaps& type, uint8_t reportId) {
  for (const platform::HidReportLength& report : type.reports) {
    if (report.reportId == reportId) return true;
  }
  return false;
}

bool SameCaps(const std::vector<platform::HidCapability>& a,
              const std::vector<platform::HidCapability>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].reportId != b[i].reportId || a[i].isRange != b[i].isRange ||
        a[i].usagePage != b[i].usagePage || a[i].usage != b[i].usage ||
        a[i].usageMin != b[i].usageMin || a[i].usageMax != b[i].usageMax) {
      return false;
    }
  }
  return true;
}

void CheckType(const platform::HidReportTypeCaps& type, const platform::HidReportTypeCaps& again) {
  for (const auto* caps : {&type.caps.buttons, &type.caps.values}) {
    for (const platform::HidCapability& cap : *caps) {
      Require(Measured(type, cap.reportId), "capability of a report that was not measured");
    }
  }
  for (size_t i = 0; i < type.reports.size(); ++i) {
    Require(type.reports[i].bytes <= platform::kHidMaxReportBytes, "report past the bound");
    for (size_t j = 0; j < i; ++j) {
      Require(type.reports[j].reportId != type.reports[i].reportId, "report measured twice");
    }
  }
  Require(SameCaps(type.caps.buttons, again.caps.buttons) &&
              SameCaps(type.caps.values, again.caps.values) &&
              type.reports.size() == again.reports.size(),
          "a second parse differs");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::HidDescriptorCaps caps;
  std::string error;
  const bool accepted = platform::ParseHidReportDescriptor(data, size, caps, error);
  platform::HidDescriptorCaps again;
  std::string againError;
  Require(platform::ParseHidReportDescriptor(data, size, again, againError) == accepted,
          "a second parse decides otherwise");
  if (!accepted) {
    Require(!error.empty() && error == againError, "refused without a steady reason");
    return 0;
  }
  CheckType(caps.input, again.input);
  CheckType(caps.output, again.output);
  CheckType(caps.feature, again.feature);
  return 0;
}
