// Tests of dates in local time: a time zone set for the test's duration.  Only the C library's
// TZ rules can be set so; on Windows the system's zone is used and the object does nothing.
#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* rules) {
#ifndef _WIN32
    const char* old = std::getenv("TZ");
    hadOld_ = old != nullptr;
    if (old) old_ = old;
    setenv("TZ", rules, 1);
    tzset();
#else
    (void)rules;
#endif
  }
  ~ScopedTimeZone() {
#ifndef _WIN32
    if (hadOld_) setenv("TZ", old_.c_str(), 1);
    else unsetenv("TZ");
    tzset();
#endif
  }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  // True where the zone above is in force.
  static constexpr bool kSettable =
#ifndef _WIN32
      true;
#else
      false;
#endif

 private:
  std::string old_;
  bool hadOld_ = false;
};
