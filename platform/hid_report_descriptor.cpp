#include "platform/hid_report_descriptor.h"

#include <optional>

namespace platform {
namespace {

// Item types and tags of the short items (HID 1.11, section 6.2.2).
enum ItemType : uint8_t { kMain = 0, kGlobal = 1, kLocal = 2, kReserved = 3 };

enum MainTag : uint8_t {
  kInput = 0x8,
  kOutput = 0x9,
  kCollection = 0xA,
  kFeature = 0xB,
  kEndCollection = 0xC,
};

enum GlobalTag : uint8_t {
  kUsagePage = 0x0,
  kReportSize = 0x7,
  kReportId = 0x8,
  kReportCount = 0x9,
  kPush = 0xA,
  kPop = 0xB,
};

enum LocalTag : uint8_t { kUsage = 0x0, kUsageMinimum = 0x1, kUsageMaximum = 0x2 };

constexpr uint8_t kLongItemPrefix = 0xFE;
constexpr uint32_t kConstantFlag = 0x01;  // main item data bit 0: constant, else data
constexpr uint32_t kVariableFlag = 0x02;  // main item data bit 1: variable, else array
constexpr uint64_t kMaxReportBits = uint64_t{kHidMaxReportBytes} * 8;

// The global items that matter for counting; push and pop save and restore all of it.
struct GlobalState {
  uint16_t usagePage = 0;
  uint32_t reportSize = 0;
  uint32_t reportCount = 0;
  uint8_t reportId = 0;
};

// A usage as declared: a four-byte one names its page, a shorter one takes the page in force
// at the main item.
struct DeclaredUsage {
  uint32_t value = 0;
  bool extended = false;
};

struct ReportBits {
  uint8_t reportId = 0;
  uint64_t bits = 0;
};

// One usage or one usage range of the main item to come.
struct UsageEntry {
  bool isRange = false;
  DeclaredUsage first;
  DeclaredUsage last;  // ranges only
};

// The local items since the last main item.
struct LocalState {
  std::vector<UsageEntry> usages;
  std::optional<DeclaredUsage> minimum;
  std::optional<DeclaredUsage> maximum;

  // A minimum and a maximum make a range once both are there, in either order. A bound
  // without its partner counts as a range of that one usage.
  void CloseRange() {
    if (!minimum && !maximum) return;
    UsageEntry entry;
    entry.isRange = true;
    entry.first = minimum ? *minimum : *maximum;
    entry.last = maximum ? *maximum : *minimum;
    usages.push_back(entry);
    minimum.reset();
    maximum.reset();
  }
};

class Parser {
 public:
  Parser(const uint8_t* data, size_t size, HidDescriptorCaps& out, std::string& error)
      : data_(data), size_(size), out_(out), error_(error) {}

  bool Run() {
    out_ = {};
    error_.clear();
    size_t at = 0;
    while (at < size_) {
      const uint8_t prefix = data_[at];
      if (prefix == kLongItemPrefix) {
        // bDataSize and bLongItemTag follow, then the data; no long item tag is defined.
        if (size_ - at < 3) return Fail(at, "long item cut short");
        const size_t length = data_[at + 1];
        if (size_ - at - 3 < length) return Fail(at, "long item data cut short");
        at += 3 + length;
        continue;
      }
      const size_t dataLength = (prefix & 0x3) == 3 ? 4 : (prefix & 0x3);
      if (size_ - at - 1 < dataLength) return Fail(at, "item data cut short");
      uint32_t value = 0;
      for (size_t i = 0; i < dataLength; ++i) {
        value |= uint32_t{data_[at + 1 + i]} << (8 * i);
      }
      const auto type = static_cast<uint8_t>((prefix >> 2) & 0x3);
      const auto tag = static_cast<uint8_t>(prefix >> 4);
      bool ok = true;
      switch (type) {
        case kMain:
          ok = Main(tag, value, at);
          break;
        case kGlobal:
          ok = Global(tag, value, dataLength, at);
          break;
        case kLocal:
          Local(tag, value, dataLength);
          break;
        default:  // reserved item type: skipped
          break;
      }
      if (!ok) return false;
      at += 1 + dataLength;
    }
    if (collectionDepth_ != 0) return Fail(size_, "collection left open");
    HandOut(inputBits_, out_.input);
    HandOut(outputBits_, out_.output);
    HandOut(featureBits_, out_.feature);
    return true;
  }

 private:
  bool Fail(size_t at, const char* what) {
    error_ = std::string(what) + " at byte " + std::to_string(at);
    return false;
  }

  bool Global(uint8_t tag, uint32_t value, size_t dataLength, size_t at) {
    switch (tag) {
      case kUsagePage:
        global_.usagePage = static_cast<uint16_t>(value);
        break;
      case kReportSize:
        global_.reportSize = value;
        break;
      case kReportCount:
        global_.reportCount = value;
        break;
      case kReportId:
        // Report id 0 is reserved for descriptors without ids; the id travels in one byte.
        if (dataLength == 0 || value == 0 || value > 0xFF) return Fail(at, "bad report id");
        global_.reportId = static_cast<uint8_t>(value);
        break;
      case kPush:
        if (stack_.size() == kHidMaxPushDepth) return Fail(at, "push too deep");
        stack_.push_back(global_);
        break;
      case kPop:
        if (stack_.empty()) return Fail(at, "pop without push");
        global_ = stack_.back();
        stack_.pop_back();
        break;
      default:  // logical and physical extents, units: they do not change the count
        break;
    }
    return true;
  }

  void Local(uint8_t tag, uint32_t value, size_t dataLength) {
    const DeclaredUsage usage{value, dataLength == 4};
    switch (tag) {
      case kUsage:
        local_.CloseRange();
        local_.usages.push_back({false, usage, usage});
        break;
      case kUsageMinimum:
        if (local_.minimum) local_.CloseRange();
        local_.minimum = usage;
        if (local_.maximum) local_.CloseRange();
        break;
      case kUsageMaximum:
        if (local_.maximum) local_.CloseRange();
        local_.maximum = usage;
        if (local_.minimum) local_.CloseRange();
        break;
      default:  // designators, strings, delimiters
        break;
    }
  }

  bool Main(uint8_t tag, uint32_t value, size_t at) {
    local_.CloseRange();
    bool ok = true;
    switch (tag) {
      case kInput:
        ok = Field(out_.input, value, at);
        break;
      case kOutput:
        ok = Field(out_.output, value, at);
        break;
      case kFeature:
        ok = Field(out_.feature, value, at);
        break;
      case kCollection:
        ++collectionDepth_;
        break;
      case kEndCollection:
        if (collectionDepth_ == 0)
          ok = Fail(at, "end collection without collection");
        else
          --collectionDepth_;
        break;
      default:  // reserved main item
        break;
    }
    local_ = {};  // local items last until the next main item
    return ok;
  }

  bool Field(HidReportTypeCaps& type, uint32_t flags, size_t at) {
    // Both factors fit 32 bits, so the product fits 64 without overflow.
    const uint64_t bits = uint64_t{global_.reportSize} * global_.reportCount;
    ReportBits& report = ReportOf(type, global_.reportId);
    if (bits > kMaxReportBits || report.bits + bits > kMaxReportBits) {
      return Fail(at, "report too long");
    }
    report.bits += bits;

    if (global_.reportCount == 0) return true;
    const bool button = global_.reportSize == 1 || (flags & kVariableFlag) == 0;
    std::vector<HidCapability>& into = button ? type.caps.buttons : type.caps.values;
    if (local_.usages.empty()) {
      if ((flags & kConstantFlag) != 0) return true;  // padding
      HidCapability cap;
      cap.reportId = global_.reportId;
      cap.usagePage = global_.usagePage;
      into.push_back(cap);
      return true;
    }
    for (const UsageEntry& entry : local_.usages) {
      HidCapability cap;
      cap.reportId = global_.reportId;
      cap.isRange = entry.isRange;
      cap.usagePage = PageOf(entry.first);
      if (entry.isRange) {
        cap.usageMin = static_cast<uint16_t>(entry.first.value);
        cap.usageMax = static_cast<uint16_t>(entry.last.value);
      } else {
        cap.usage = static_cast<uint16_t>(entry.first.value);
      }
      into.push_back(cap);
    }
    return true;
  }

  uint16_t PageOf(const DeclaredUsage& usage) const {
    return usage.extended ? static_cast<uint16_t>(usage.value >> 16) : global_.usagePage;
  }

  // The bit count of (type, id), made at its first declaration.
  ReportBits& ReportOf(const HidReportTypeCaps& type, uint8_t reportId) {
    std::vector<ReportBits>& reports =
        &type == &out_.input ? inputBits_ : (&type == &out_.output ? outputBits_ : featureBits_);
    for (ReportBits& report : reports) {
      if (report.reportId == reportId) return report;
    }
    reports.push_back({reportId, 0});
    return reports.back();
  }

  static void HandOut(const std::vector<ReportBits>& bits, HidReportTypeCaps& type) {
    for (const ReportBits& report : bits) {
      type.reports.push_back({report.reportId, static_cast<uint32_t>((report.bits + 7) / 8)});
    }
  }

  const uint8_t* data_;
  size_t size_;
  HidDescriptorCaps& out_;
  std::string& error_;
  GlobalState global_;
  std::vector<GlobalState> stack_;
  LocalState local_;
  size_t collectionDepth_ = 0;
  // Reports are counted in bits and handed out in bytes once the descriptor has ended.
  std::vector<ReportBits> inputBits_;
  std::vector<ReportBits> outputBits_;
  std::vector<ReportBits> featureBits_;
};

}  // namespace

bool ParseHidReportDescriptor(const uint8_t* data, size_t size, HidDescriptorCaps& out,
                              std::string& error) {
  if (data == nullptr && size != 0) {
    error = "no descriptor data";
    return false;
  }
  return Parser(data, size, out, error).Run();
}

}  // namespace platform
