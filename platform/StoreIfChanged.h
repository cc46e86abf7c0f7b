#pragma once

namespace pexor {

// The first half of every property setter: store the value and say whether it
// changed, so the caller repaints or re-lays out only on a real change.
template <typename T> bool StoreIfChanged(T &field, const T &value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace pexor
