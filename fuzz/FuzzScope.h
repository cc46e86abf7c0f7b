#pragma once

#include "platform/DateUtil.h"
#include "platform/LocaleSettings.h"

namespace pexor::fuzz {

// The settings a check runs under, and those in force again after it, so
// that checks replayed among other tests leave nothing behind.
class ScopedLocale {
public:
    explicit ScopedLocale(const LocaleSettings &settings) : saved_(Locale()) {
        SetLocaleSettings(settings);
    }
    ~ScopedLocale() { SetLocaleSettings(saved_); }
    ScopedLocale(const ScopedLocale &) = delete;
    ScopedLocale &operator=(const ScopedLocale &) = delete;

private:
    LocaleSettings saved_;
};

// A fixed clock, so that a finding does not depend on the day it is replayed.
class ScopedClock {
public:
    explicit ScopedClock(TDateTime now) {
        SetClock([now] { return now; });
    }
    ~ScopedClock() { ResetClock(); }
    ScopedClock(const ScopedClock &) = delete;
    ScopedClock &operator=(const ScopedClock &) = delete;
};

} // namespace pexor::fuzz
