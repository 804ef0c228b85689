#include "cli/watch_command.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <memory>
#include <string>

#include "cli/no_camera_report.h"
#include "device/session_info.h"
#include "device/vxVidHidCls.h"

namespace cli {
namespace {

using Clock = std::chrono::steady_clock;

// Waits without a limit are taken in pieces of this length.
constexpr uint32_t kUnboundedWaitMs = 60000;
// A year: past it a time-out means "none", which leaving --timeout out says already.
constexpr double kLongestTimeoutSeconds = 365.0 * 24 * 3600;

void PrintLine(CommandContext& context, const std::string& line) {
  std::fprintf(context.out, "%s\n", line.c_str());
  std::fflush(context.out);  // a person or a script reads along
}

// "notice: add hidraw /dev/hidraw3", leaving out what the system did not say.
std::string NoticeLine(const platform::DeviceNotice& notice) {
  std::string line = "notice:";
  for (const std::string* part : {&notice.action, &notice.subsystem, &notice.node}) {
    if (!part->empty()) line += " " + *part;
  }
  return line == "notice:" ? "notice: devices may have changed" : line;
}

// What `list` finds now, in one line.
std::string ListLine() {
  vxVidHidCls_Init();
  const int32_t count = vxVidHidCls_GetDevCount();
  std::string line = "list: ";
  if (count == 0) {
    line += NoCameraMessage();
  } else {
    line += "kind " + std::string(DeviceKindName(CurrentDeviceKind())) + ", count " +
            std::to_string(count);
    for (int32_t dev = 0; dev < count; ++dev) {
      uint8_t chipGen = 0;
      line += ", slot " + std::to_string(dev) + ": chip generation " +
              (vxVidHidCls_GetDevChipGen(dev, &chipGen) ? std::to_string(chipGen)
                                                        : std::string("unknown (camera busy)"));
    }
  }
  vxVidHidCls_Exit();
  return line;
}

class Deadline {
 public:
  explicit Deadline(const std::optional<double>& seconds) {
    if (seconds) {
      end_ = Clock::now() +
             std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(*seconds));
    }
  }
  bool Passed() const { return end_ && Clock::now() >= *end_; }
  // The wait to ask for: wanted, cut to what is left.
  uint32_t Cap(uint32_t wantedMs) const {
    if (!end_) return wantedMs;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*end_ - Clock::now());
    return static_cast<uint32_t>(std::clamp<int64_t>(left.count(), 0, wantedMs));
  }

 private:
  std::optional<Clock::time_point> end_;
};

void Watch(CommandContext& context, const WatchLimits& limits) {
  if (!context.PrepareDevices()) return;
  std::string error;
  std::unique_ptr<platform::DeviceNotifier> notifier = platform::CreateDeviceNotifier(error);
  if (!notifier) {
    std::fprintf(context.err, "tavelin-fw: cannot watch for device changes: %s\n", error.c_str());
    context.exitCode = kExitFailure;
    return;
  }
  RunWatch(context, *notifier, limits);
}

}  // namespace

void RunWatch(CommandContext& context, platform::DeviceNotifier& notifier,
              const WatchLimits& limits) {
  const Deadline deadline(limits.timeoutSeconds);
  PrintLine(context, ListLine());
  uint64_t notices = 0;
  platform::DeviceNotice notice;
  while (!(limits.count && notices >= *limits.count) && !deadline.Passed()) {
    if (!notifier.NextNotice(deadline.Cap(kUnboundedWaitMs), notice)) continue;
    // One burst: every notice until they have been quiet for the settling time.
    do {
      PrintLine(context, NoticeLine(notice));
      ++notices;
    } while (!deadline.Passed() && notifier.NextNotice(deadline.Cap(kWatchSettleMs), notice));
    PrintLine(context, ListLine());
  }
}

void AddWatchCommand(CLI::App& app, CommandContext& context) {
  CLI::App* watch = app.add_subcommand(
      "watch", "Show device changes as they come and what list finds after each");
  auto limits = std::make_shared<WatchLimits>();
  auto count = std::make_shared<uint64_t>(0);
  auto seconds = std::make_shared<double>(0);
  CLI::Option* countOption =
      watch->add_option("--count", *count, "Stop once N notices have come and been listed")
          ->check(CLI::Range(uint64_t{1}, std::numeric_limits<uint64_t>::max()));
  CLI::Option* timeoutOption = watch->add_option("--timeout", *seconds, "Stop after S seconds")
                                   ->check(CLI::Range(0.0, kLongestTimeoutSeconds));
  watch->callback([&context, limits, count, seconds, countOption, timeoutOption] {
    if (countOption->count() > 0) limits->count = *count;
    if (timeoutOption->count() > 0) limits->timeoutSeconds = *seconds;
    Watch(context, *limits);
  });
}

}  // namespace cli
