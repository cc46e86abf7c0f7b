#include "fuzz/FuzzInput.h"

#include <cstring>

namespace pexor::fuzz {

std::uint8_t FuzzReader::Byte() {
    return AtEnd() ? 0 : static_cast<std::uint8_t>(data_[pos_++]);
}

double FuzzReader::Double() {
    unsigned char bytes[sizeof(double)] = {};
    for (unsigned char &b : bytes)
        b = Byte();
    double value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

QByteArray FuzzReader::Field() {
    const qsizetype nul = data_.indexOf('\0', pos_);
    const qsizetype end = nul < 0 ? data_.size() : nul;
    QByteArray field = data_.mid(pos_, end - pos_);
    pos_ = nul < 0 ? data_.size() : nul + 1;
    return field;
}

QByteArray FuzzReader::Rest() {
    QByteArray rest = data_.mid(pos_);
    pos_ = data_.size();
    return rest;
}

bool FuzzReader::HasFields(int count) const {
    qsizetype at = pos_;
    for (int i = 0; i < count; ++i) {
        at = data_.indexOf('\0', at);
        if (at < 0)
            return false;
        ++at;
    }
    return true;
}

QString Utf8(const QByteArray &bytes) {
    return QString::fromUtf8(bytes);
}

QString Utf16(const QByteArray &bytes) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    std::memcpy(text.data(), bytes.constData(), std::size_t(text.size()) * 2);
    return text;
}

} // namespace pexor::fuzz
