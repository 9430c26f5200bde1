// Tests of refused writes need a folder the process cannot write to. The test machines run as root,
// which ignores permission bits, so for the lifetime of this object the thread drops the capabilities
// that override them (they stay permitted and come back in the destructor). Use it around the code
// under test, after the read-only folder has been made with chmod.
#pragma once

#ifndef _WIN32
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace partwell::test {

#ifdef _WIN32
// Under Wine the process writes whatever the Unix user running it may, so no refusal can be made:
// the tests that need one are left out of the Windows run (tests/Windows.cmake) and this does nothing.
class HonourPermissions {
 public:
  HonourPermissions() {}  // user-provided, so that an object kept only for its scope is not "unused"
  ~HonourPermissions() {}
};
#else

class HonourPermissions {
 public:
  HonourPermissions() {
    __user_cap_header_struct head{_LINUX_CAPABILITY_VERSION_3, 0};
    if (syscall(SYS_capget, &head, saved_) != 0) return;
    __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
    lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
    active_ = syscall(SYS_capset, &head, lowered) == 0;
  }
  ~HonourPermissions() {
    if (!active_) return;
    __user_cap_header_struct head{_LINUX_CAPABILITY_VERSION_3, 0};
    syscall(SYS_capset, &head, saved_);
  }
  HonourPermissions(const HonourPermissions&) = delete;
  HonourPermissions& operator=(const HonourPermissions&) = delete;

 private:
  __user_cap_data_struct saved_[2]{};
  bool active_ = false;
};
#endif

}  // namespace partwell::test
