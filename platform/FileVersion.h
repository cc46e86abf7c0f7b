#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace pexor {

// A four-part file version (major, minor, release, build).
struct FileVersion {
    std::uint16_t Major = 0;
    std::uint16_t Minor = 0;
    std::uint16_t Release = 0;
    std::uint16_t Build = 0;

    // "major.minor.release.build" in decimal.
    QString ToString() const;
    friend auto operator<=>(const FileVersion &, const FileVersion &) = default;
};

// The version a file carries. A shared library's version is the four numbers
// after ".so." in its real file name (symbolic links followed), so
// "libpexorhelp.so.4.74.9273.0" gives 4.74.9273.0. A missing file, a file of
// another kind, or a name without exactly four numbers of 16 bits has none.
std::optional<FileVersion> ReadFileVersion(const QString &path);

// The version a shared library's file name holds, by the rule above, without
// looking at the disk.
std::optional<FileVersion> FileVersionFromName(const QString &fileName);

} // namespace pexor
