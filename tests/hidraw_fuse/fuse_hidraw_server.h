#pragma once
// A test-only FUSE file system that serves files standing for hidraw device nodes. Opening one
// and calling HIDIOCSFEATURE or HIDIOCGFEATURE on it goes through the kernel's ioctl path (the
// size and direction encoded in the request) to the node's handler here, so the hidraw code
// runs unchanged against whatever the handler answers, the simulated camera above all.
//
// The file system runs on a thread of its own; handlers run on that thread one at a time.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

struct fuse_session;

namespace testing_support {

// One feature transfer: set or get, buffer[0] the report id, length counting it. Returns the
// number of bytes the device took or sent, or -errno for a failed transfer.
using FeatureHandler = std::function<int(bool set, uint8_t* buffer, size_t length)>;

class FuseHidrawServer {
 public:
  FuseHidrawServer() = default;
  ~FuseHidrawServer();  // unmounts
  FuseHidrawServer(const FuseHidrawServer&) = delete;
  FuseHidrawServer& operator=(const FuseHidrawServer&) = delete;

  // Mounts on an existing empty directory; false, with the reason, when FUSE cannot mount
  // here (no /dev/fuse, no permission to mount).
  bool Mount(const std::string& directory, std::string& error);
  void Unmount();

  // Node operations may come before or after Mount, from any thread. Adding a node that is
  // there already replaces its handler; files opened on it stay open.
  void AddNode(const std::string& name, FeatureHandler handler);
  // Every open of the node fails with this errno (0: opens succeed again).
  void RefuseOpens(const std::string& name, int error);
  // The node disappears: it is no longer found, and every transfer on a file opened before
  // fails with ENODEV, as after an unplug.
  void RemoveNode(const std::string& name);

  // The FUSE side of the calls (internal).
  struct Node {
    FeatureHandler handler;
    int openError = 0;
    bool present = true;
    uint64_t inode = 0;
  };
  struct Reply {
    int error = 0;  // errno, 0 for success
    uint64_t inode = 0;
  };
  Reply Lookup(const std::string& name);
  Reply OpenInode(uint64_t inode);
  bool InodeExists(uint64_t inode);
  int Transfer(uint64_t inode, bool set, uint8_t* buffer, size_t length);

 private:
  Node* ByInode(uint64_t inode);
  // The request loop of the server thread, until a byte arrives on wake.
  static void Serve(fuse_session* session, int wake);

  std::mutex lock_;
  std::map<std::string, Node> nodes_;
  uint64_t nextInode_ = 2;  // 1 is the root directory
  fuse_session* session_ = nullptr;
  std::thread loop_;
  int wake_[2] = {-1, -1};  // a byte on the pipe ends the loop
};

}  // namespace testing_support
