#define FUSE_USE_VERSION 35
#include "tests/hidraw_fuse/fuse_hidraw_server.h"

#include <fcntl.h>
#include <fuse_lowlevel.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace testing_support {
namespace {

constexpr fuse_ino_t kRootInode = FUSE_ROOT_ID;

FuseHidrawServer& ServerOf(fuse_req_t request) {
  return *static_cast<FuseHidrawServer*>(fuse_req_userdata(request));
}

struct stat AttributesOf(fuse_ino_t inode) {
  struct stat attributes {};
  attributes.st_ino = inode;
  attributes.st_uid = getuid();
  attributes.st_gid = getgid();
  if (inode == kRootInode) {
    attributes.st_mode = S_IFDIR | 0755;
    attributes.st_nlink = 2;
  } else {
    // A regular file: a character device would send its opens to a real driver instead.
    attributes.st_mode = S_IFREG | 0666;
    attributes.st_nlink = 1;
  }
  return attributes;
}

void DoLookup(fuse_req_t request, fuse_ino_t parent, const char* name) {
  if (parent != kRootInode) {
    fuse_reply_err(request, ENOENT);
    return;
  }
  const FuseHidrawServer::Reply found = ServerOf(request).Lookup(name);
  if (found.error != 0) {
    fuse_reply_err(request, found.error);
    return;
  }
  fuse_entry_param entry{};
  entry.ino = found.inode;
  entry.attr = AttributesOf(found.inode);
  // No caching: an unplug must be seen at once.
  entry.attr_timeout = 0;
  entry.entry_timeout = 0;
  fuse_reply_entry(request, &entry);
}

void DoGetattr(fuse_req_t request, fuse_ino_t inode, fuse_file_info*) {
  if (inode != kRootInode && !ServerOf(request).InodeExists(inode)) {
    fuse_reply_err(request, ENOENT);
    return;
  }
  const struct stat attributes = AttributesOf(inode);
  fuse_reply_attr(request, &attributes, 0);
}

void DoOpen(fuse_req_t request, fuse_ino_t inode, fuse_file_info* file) {
  const FuseHidrawServer::Reply opened = ServerOf(request).OpenInode(inode);
  if (opened.error != 0) {
    fuse_reply_err(request, opened.error);
    return;
  }
  file->direct_io = 1;
  file->nonseekable = 1;
  fuse_reply_open(request, file);
}

void DoRelease(fuse_req_t request, fuse_ino_t, fuse_file_info*) {
  fuse_reply_err(request, 0);
}

void DoIoctl(fuse_req_t request, fuse_ino_t inode, unsigned int command, void*, fuse_file_info*,
             unsigned, const void* in, size_t inLength, size_t outLength) {
  const bool set = _IOC_NR(command) == _IOC_NR(HIDIOCSFEATURE(0));
  const bool get = _IOC_NR(command) == _IOC_NR(HIDIOCGFEATURE(0));
  if (_IOC_TYPE(command) != 'H' || (!set && !get)) {
    fuse_reply_err(request, ENOTTY);
    return;
  }
  // Both requests read and write their buffer, so the kernel hands over and takes back the
  // size that the request number carries.
  const size_t length = _IOC_SIZE(command);
  std::vector<uint8_t> buffer(length, 0);
  std::memcpy(buffer.data(), in, std::min(inLength, length));
  const int result = ServerOf(request).Transfer(inode, set, buffer.data(), length);
  if (result < 0) {
    fuse_reply_err(request, -result);
    return;
  }
  fuse_reply_ioctl(request, result, buffer.data(), std::min(outLength, length));
}

const fuse_lowlevel_ops kOperations = [] {
  fuse_lowlevel_ops operations{};
  operations.lookup = DoLookup;
  operations.getattr = DoGetattr;
  operations.open = DoOpen;
  operations.release = DoRelease;
  operations.ioctl = DoIoctl;
  return operations;
}();

}  // namespace

FuseHidrawServer::~FuseHidrawServer() {
  Unmount();
}

bool FuseHidrawServer::Mount(const std::string& directory, std::string& error) {
  if (access("/dev/fuse", R_OK | W_OK) != 0) {
    error = std::string("/dev/fuse: ") + std::strerror(errno);
    return false;
  }
  char program[] = "tavelin-hidraw-fuse";
  char* arguments[] = {program, nullptr};
  fuse_args args = FUSE_ARGS_INIT(1, arguments);
  session_ = fuse_session_new(&args, &kOperations, sizeof kOperations, this);
  fuse_opt_free_args(&args);  // the session keeps what it needs of them
  if (session_ == nullptr) {
    error = "fuse_session_new failed";
    return false;
  }
  if (fuse_session_mount(session_, directory.c_str()) != 0) {
    error = "cannot mount FUSE on " + directory;
    fuse_session_destroy(session_);
    session_ = nullptr;
    return false;
  }
  if (pipe2(wake_, O_CLOEXEC) != 0) {
    error = std::string("pipe2: ") + std::strerror(errno);
    fuse_session_unmount(session_);
    fuse_session_destroy(session_);
    session_ = nullptr;
    return false;
  }
  loop_ = std::thread([session = session_, wake = wake_[0]] { Serve(session, wake); });
  return true;
}

void FuseHidrawServer::Serve(fuse_session* session, int wake) {
  // libfuse's own loop would block in a read that only closing the device ends, under the
  // reading thread's feet; this one also waits for the wake-up pipe.
  fuse_buf buffer{};
  for (;;) {
    pollfd ready[2] = {{fuse_session_fd(session), POLLIN, 0}, {wake, POLLIN, 0}};
    if (poll(ready, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (ready[1].revents != 0) break;
    if ((ready[0].revents & POLLIN) != 0) {
      const int received = fuse_session_receive_buf(session, &buffer);
      if (received == -EINTR) continue;
      if (received <= 0) break;
      fuse_session_process_buf(session, &buffer);
    } else if (ready[0].revents != 0) {
      break;  // the connection has ended
    }
  }
  std::free(buffer.mem);
}

void FuseHidrawServer::Unmount() {
  if (session_ == nullptr) return;
  const char stop = 1;
  if (write(wake_[1], &stop, 1) != 1) std::abort();  // the loop would never end
  if (loop_.joinable()) loop_.join();
  fuse_session_unmount(session_);
  fuse_session_destroy(session_);
  session_ = nullptr;
  close(wake_[0]);
  close(wake_[1]);
}

void FuseHidrawServer::AddNode(const std::string& name, FeatureHandler handler) {
  std::lock_guard<std::mutex> guard(lock_);
  Node& node = nodes_[name];
  // A replaced handler keeps the open files; a node plugged back is a new file, as a new
  // device node would be.
  if (node.inode == 0 || !node.present) node.inode = nextInode_++;
  node.handler = std::move(handler);
  node.present = true;
}

void FuseHidrawServer::RefuseOpens(const std::string& name, int error) {
  std::lock_guard<std::mutex> guard(lock_);
  nodes_[name].openError = error;
}

void FuseHidrawServer::RemoveNode(const std::string& name) {
  std::lock_guard<std::mutex> guard(lock_);
  auto found = nodes_.find(name);
  if (found != nodes_.end()) found->second.present = false;
}

FuseHidrawServer::Node* FuseHidrawServer::ByInode(uint64_t inode) {
  for (auto& [name, node] : nodes_) {
    if (node.inode == inode) return &node;
  }
  return nullptr;
}

FuseHidrawServer::Reply FuseHidrawServer::Lookup(const std::string& name) {
  std::lock_guard<std::mutex> guard(lock_);
  auto found = nodes_.find(name);
  if (found == nodes_.end() || !found->second.present || found->second.inode == 0) {
    return {ENOENT, 0};
  }
  return {0, found->second.inode};
}

FuseHidrawServer::Reply FuseHidrawServer::OpenInode(uint64_t inode) {
  std::lock_guard<std::mutex> guard(lock_);
  Node* node = ByInode(inode);
  if (node == nullptr || !node->present) return {ENODEV, 0};
  return {node->openError, inode};
}

bool FuseHidrawServer::InodeExists(uint64_t inode) {
  std::lock_guard<std::mutex> guard(lock_);
  Node* node = ByInode(inode);
  return node != nullptr && node->present;
}

int FuseHidrawServer::Transfer(uint64_t inode, bool set, uint8_t* buffer, size_t length) {
  FeatureHandler handler;
  {
    std::lock_guard<std::mutex> guard(lock_);
    Node* node = ByInode(inode);
    if (node == nullptr || !node->present) return -ENODEV;
    handler = node->handler;
  }
  return handler ? handler(set, buffer, length) : -EPIPE;
}

}  // namespace testing_support
