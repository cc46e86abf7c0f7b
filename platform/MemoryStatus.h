#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace pexor {

// The machine's physical memory as the about box reports it.
struct MemoryStatus {
    std::uint64_t TotalPhysical = 0;     // bytes
    std::uint64_t AvailablePhysical = 0; // bytes
    int MemoryLoad = 0;                  // share in use, whole per cent 0..100
};

// Reads /proc/meminfo (MemTotal, MemAvailable); falls back on sysinfo(2) when
// that file cannot be read or lacks the two lines.
MemoryStatus ReadMemoryStatus();

// The status a /proc/meminfo text describes; none when MemTotal or
// MemAvailable is missing or MemTotal is zero.
std::optional<MemoryStatus> MemoryStatusFromMeminfo(const QByteArray &text);

// The share in use, rounded to the nearest whole per cent.
int MemoryLoadOf(std::uint64_t total, std::uint64_t available);

} // namespace pexor
