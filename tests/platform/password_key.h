#pragma once
// A key file of the test's own (OMRIX_KEY_FILE, inherited) and passwords stored under it.

#include <stdlib.h>

#include <string>
#include <string_view>

#include "context/temp_folder.h"
#include "platform/password.h"

namespace omrix::testing {

class PasswordKey {
  public:
    PasswordKey() : file_(folder_.file("secret.key")) {
        ::setenv("OMRIX_KEY_FILE", file_.c_str(), 1);
        ready_ = platform::ensurePasswordKey().ok();
    }
    ~PasswordKey() { ::unsetenv("OMRIX_KEY_FILE"); }
    PasswordKey(const PasswordKey&) = delete;
    PasswordKey& operator=(const PasswordKey&) = delete;

    bool ready() const { return ready_; }
    const std::string& file() const { return file_; }
    std::string stored(std::string_view plain) const {
        util::Result<std::string> text = platform::encipherPassword(plain);
        return text ? text.value() : "<" + text.failure().text() + ">";
    }

  private:
    TempFolder folder_;
    std::string file_;
    bool ready_ = false;
};

}  // namespace omrix::testing
