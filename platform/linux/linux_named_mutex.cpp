#include "platform/linux/linux_named_mutex.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <map>
#include <mutex>
#include <thread>

namespace platform::linux_backend {
namespace {

using SteadyClock = std::chrono::steady_clock;

// Takes or drops an OFD lock on one byte; non-blocking unless wait is set.
bool SetByteLock(int fd, off_t byte, short type, bool wait) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = byte;
  lock.l_len = 1;
  lock.l_pid = 0;
  for (;;) {
    if (fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock) == 0) return true;
    if (errno != EINTR) return false;
  }
}

constexpr off_t kOwnershipByte = 0;
constexpr off_t kPresenceByte = 1;

// One per name per process, shared by all handles of that name.
struct Entry {
  std::string path;
  int fd = -1;
  std::mutex lock;
  std::condition_variable released;
  std::thread::id owner;
  unsigned recursion = 0;

  ~Entry() {
    if (fd >= 0) close(fd);
  }
};

struct Registry {
  std::mutex lock;
  std::map<std::string, std::weak_ptr<Entry>> entries;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

// Opens the lock file and takes the presence lock; created tells whether no other handle
// anywhere had it open.
std::shared_ptr<Entry> OpenEntry(const std::string& path, bool& created) {
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  fchmod(fd, 0666);  // the umask must not keep other users' processes out
  auto entry = std::make_shared<Entry>();
  entry->path = path;
  entry->fd = fd;
  created = SetByteLock(fd, kPresenceByte, F_WRLCK, false);
  // Downgrading (or waiting out another opener's brief exclusive hold) leaves a shared lock.
  if (!SetByteLock(fd, kPresenceByte, F_RDLCK, true)) return nullptr;
  return entry;
}

class LinuxNamedMutex final : public NamedMutex {
 public:
  explicit LinuxNamedMutex(std::shared_ptr<Entry> entry) : entry_(std::move(entry)) {}

  ~LinuxNamedMutex() override {
    std::lock_guard<std::mutex> guard(entry_->lock);
    if (entry_->owner == std::this_thread::get_id() && heldHere_ > 0) {
      entry_->recursion -= std::min(entry_->recursion, heldHere_);
      if (entry_->recursion == 0) DropOwnership();
    }
  }

  bool Wait(uint32_t timeoutMs) override {
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    const auto self = std::this_thread::get_id();
    std::unique_lock<std::mutex> guard(entry_->lock);
    for (;;) {
      if (entry_->owner == self) {
        ++entry_->recursion;
        ++heldHere_;
        return true;
      }
      if (entry_->owner == std::thread::id()) {
        if (SetByteLock(entry_->fd, kOwnershipByte, F_WRLCK, false)) {
          entry_->owner = self;
          entry_->recursion = 1;
          ++heldHere_;
          return true;
        }
        if (errno != EAGAIN && errno != EACCES) return false;
        // Another process owns it: poll, since a file lock has no timed wait.
        const auto now = SteadyClock::now();
        if (now >= deadline) return false;
        entry_->released.wait_until(guard, std::min(deadline, now + std::chrono::milliseconds(1)));
        continue;
      }
      // Another thread of this process owns it.
      if (entry_->released.wait_until(guard, deadline) == std::cv_status::timeout &&
          entry_->owner != std::thread::id()) {
        return false;
      }
    }
  }

  bool Release() override {
    std::lock_guard<std::mutex> guard(entry_->lock);
    if (entry_->owner != std::this_thread::get_id() || entry_->recursion == 0) return false;
    if (heldHere_ > 0) --heldHere_;
    if (--entry_->recursion == 0) DropOwnership();
    return true;
  }

 private:
  void DropOwnership() {
    SetByteLock(entry_->fd, kOwnershipByte, F_UNLCK, false);
    entry_->owner = std::thread::id();
    entry_->released.notify_all();
  }

  std::shared_ptr<Entry> entry_;
  unsigned heldHere_ = 0;  // waits through this handle not yet released
};

std::string SanitisedFileName(const std::string& name) {
  std::string out = "tavelin-mutex-";
  for (char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.';
    out += plain ? c : '_';
  }
  return out;
}

}  // namespace

LinuxNamedMutexFactory::LinuxNamedMutexFactory(std::string directory)
    : directory_(std::move(directory)) {
  if (directory_.empty()) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    directory_ = (runtime != nullptr && *runtime != '\0') ? runtime : "/tmp";
  }
}

std::string LinuxNamedMutexFactory::LockFilePath(const std::string& name) const {
  return directory_ + "/" + SanitisedFileName(name);
}

std::unique_ptr<NamedMutex> LinuxNamedMutexFactory::CreateOrOpen(const std::string& name,
                                                                 bool& alreadyExisted) {
  const std::string path = LockFilePath(name);
  Registry& registry = TheRegistry();
  std::lock_guard<std::mutex> guard(registry.lock);
  if (auto existing = registry.entries[path].lock()) {
    alreadyExisted = true;
    return std::make_unique<LinuxNamedMutex>(std::move(existing));
  }
  bool created = false;
  auto entry = OpenEntry(path, created);
  if (!entry) return nullptr;
  alreadyExisted = !created;
  registry.entries[path] = entry;
  return std::make_unique<LinuxNamedMutex>(std::move(entry));
}

}  // namespace platform::linux_backend
