#include "platform/MemoryStatus.h"

#include <gtest/gtest.h>

namespace pexor {
namespace {

TEST(MemoryStatus, FromMeminfoText) {
    const QByteArray text = "MemTotal:       16314512 kB\n"
                            "MemFree:         1024000 kB\n"
                            "MemAvailable:    4078628 kB\n"
                            "Buffers:          300000 kB\n";
    const auto status = MemoryStatusFromMeminfo(text);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->TotalPhysical, 16314512ull * 1024);
    EXPECT_EQ(status->AvailablePhysical, 4078628ull * 1024);
    EXPECT_EQ(status->MemoryLoad, 75); // 75.0000...% in use

    EXPECT_EQ(MemoryStatusFromMeminfo("MemTotal: 1000 kB\n"), std::nullopt);
    EXPECT_EQ(MemoryStatusFromMeminfo("MemAvailable: 1000 kB\n"), std::nullopt);
    EXPECT_EQ(MemoryStatusFromMeminfo("MemTotal: 0 kB\nMemAvailable: 0 kB\n"), std::nullopt);
    EXPECT_EQ(MemoryStatusFromMeminfo("MemTotal: lots kB\nMemAvailable: 5 kB\n"), std::nullopt);
    // Lines that only begin like the wanted ones are not taken for them.
    EXPECT_EQ(MemoryStatusFromMeminfo("MemTotalX: 10 kB\nMemAvailable: 5 kB\n"), std::nullopt);

    const auto over = MemoryStatusFromMeminfo("MemAvailable: 9000 kB\nMemTotal: 8000 kB\n");
    ASSERT_TRUE(over);
    EXPECT_EQ(over->AvailablePhysical, over->TotalPhysical);
    EXPECT_EQ(over->MemoryLoad, 0);
}

TEST(MemoryStatus, LoadRoundsToTheNearestWholePercent) {
    EXPECT_EQ(MemoryLoadOf(1000, 333), 67);
    EXPECT_EQ(MemoryLoadOf(1000, 336), 66);
    EXPECT_EQ(MemoryLoadOf(1000, 1000), 0);
    EXPECT_EQ(MemoryLoadOf(1000, 0), 100);
    EXPECT_EQ(MemoryLoadOf(0, 0), 0);
    EXPECT_EQ(MemoryLoadOf(1ull << 62, 1ull << 61), 50);
}

TEST(MemoryStatus, ThisMachine) {
    const MemoryStatus status = ReadMemoryStatus();
    EXPECT_GT(status.TotalPhysical, 0u);
    EXPECT_LE(status.AvailablePhysical, status.TotalPhysical);
    EXPECT_GE(status.MemoryLoad, 0);
    EXPECT_LE(status.MemoryLoad, 100);
}

} // namespace
} // namespace pexor
