#include "platform/MemoryStatus.h"

#include <QFile>
#include <QList>
#include <algorithm>
#include <sys/sysinfo.h>

namespace pexor {

namespace {

// A "Name:   1234 kB" line's value in bytes.
std::optional<std::uint64_t> MeminfoBytes(const QByteArray &line, const QByteArray &name) {
    if (!line.startsWith(name + ':'))
        return std::nullopt;
    const QList<QByteArray> fields = line.mid(name.size() + 1).simplified().split(' ');
    bool ok = false;
    const qulonglong value = fields.value(0).toULongLong(&ok);
    if (!ok)
        return std::nullopt;
    const QByteArray unit = fields.value(1).toLower();
    if (unit.isEmpty())
        return value;
    if (unit == "kb")
        return std::uint64_t(value) * 1024u;
    return std::nullopt;
}

} // namespace

int MemoryLoadOf(std::uint64_t total, std::uint64_t available) {
    if (total == 0)
        return 0;
    if (available > total)
        available = total;
    const std::uint64_t used = total - available;
    // Scaled in long double so that terabyte totals do not overflow.
    const long double share =
        static_cast<long double>(used) * 100.0L / static_cast<long double>(total);
    return static_cast<int>(share + 0.5L);
}

std::optional<MemoryStatus> MemoryStatusFromMeminfo(const QByteArray &text) {
    std::optional<std::uint64_t> total;
    std::optional<std::uint64_t> available;
    for (const QByteArray &line : text.split('\n')) {
        if (!total)
            total = MeminfoBytes(line, "MemTotal");
        if (!available)
            available = MeminfoBytes(line, "MemAvailable");
    }
    if (!total || !available || *total == 0)
        return std::nullopt;
    MemoryStatus status;
    status.TotalPhysical = *total;
    status.AvailablePhysical = std::min(*available, *total);
    status.MemoryLoad = MemoryLoadOf(status.TotalPhysical, status.AvailablePhysical);
    return status;
}

MemoryStatus ReadMemoryStatus() {
    QFile file(QStringLiteral("/proc/meminfo"));
    if (file.open(QIODevice::ReadOnly)) {
        // A proc file reports no size: read until the end.
        if (const auto status = MemoryStatusFromMeminfo(file.readAll()))
            return *status;
    }
    MemoryStatus status;
    struct sysinfo info {};
    if (sysinfo(&info) != 0)
        return status;
    const std::uint64_t unit = info.mem_unit == 0 ? 1 : info.mem_unit;
    status.TotalPhysical = std::uint64_t(info.totalram) * unit;
    status.AvailablePhysical = (std::uint64_t(info.freeram) + std::uint64_t(info.bufferram)) * unit;
    if (status.AvailablePhysical > status.TotalPhysical)
        status.AvailablePhysical = status.TotalPhysical;
    status.MemoryLoad = MemoryLoadOf(status.TotalPhysical, status.AvailablePhysical);
    return status;
}

} // namespace pexor
