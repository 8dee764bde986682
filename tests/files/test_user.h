#pragma once

#include <pwd.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace fractions::testing {

// A user of the machine made for a test suite and removed after it: the
// other user who plants links in a shared folder, the teacher who saves in
// a folder of root's. Only root can make one.
struct TestUser {
  std::string name;  // empty when none could be made
  uid_t uid = 0;
  gid_t gid = 0;

  static TestUser Make(const std::string& prefix) {
    TestUser user;
    if (::geteuid() != 0) {
      return user;
    }
    const std::string name = prefix + std::to_string(::getpid());
    if (std::system(("useradd -M -U -s /usr/sbin/nologin " + name).c_str()) != 0) {
      return user;
    }
    const passwd* entry = ::getpwnam(name.c_str());
    user = {name, entry->pw_uid, entry->pw_gid};
    return user;
  }

  void Remove() {
    if (!name.empty()) {
      std::system(("userdel " + name).c_str());
      name.clear();
    }
  }
};

}  // namespace fractions::testing
