#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace pexor::fuzz {

// Reads one fuzz input from the front: single bytes, a double, text up to
// the next NUL byte, and the rest. Past the end every read gives zeros or
// nothing, so any input is a valid one.
class FuzzReader {
public:
    explicit FuzzReader(const QByteArray &data) : data_(data) {}

    std::uint8_t Byte();
    // Eight bytes as they stand in memory: every bit pattern, NaNs and
    // infinities included.
    double Double();
    // Up to the next NUL (which is skipped) or the end.
    QByteArray Field();
    QByteArray Rest();

    bool AtEnd() const { return pos_ >= data_.size(); }
    // Whether `count` NUL bytes lie ahead, so that many fields are there.
    bool HasFields(int count) const;

private:
    QByteArray data_;
    qsizetype pos_ = 0;
};

// Text the way a user or a file would hand it over: UTF-8, invalid bytes
// replaced.
QString Utf8(const QByteArray &bytes);
// Any sequence of UTF-16 code units, lone surrogates included.
QString Utf16(const QByteArray &bytes);

} // namespace pexor::fuzz
