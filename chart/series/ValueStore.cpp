#include "chart/series/ValueStore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace pexor {

TValueStore::~TValueStore() {
    std::free(data_);
}

void TValueStore::Reallocate(std::size_t capacity) {
    if (capacity > std::numeric_limits<std::size_t>::max() / sizeof(double))
        throw std::bad_alloc();
    // Doubles are copied by their bytes, which realloc keeps.
    void *moved = std::realloc(data_, capacity * sizeof(double));
    if (!moved)
        throw std::bad_alloc();
    data_ = static_cast<double *>(moved);
    capacity_ = capacity;
}

void TValueStore::Grow() {
    std::size_t capacity = std::max<std::size_t>(16, capacity_ * 2);
    if (sizeReleased_ > capacity && size_ >= sizeReleased_ / 64) {
        capacity = sizeReleased_;
        sizeReleased_ = 0;
    }
    Reallocate(capacity);
}

void TValueStore::Reserve(std::size_t count) {
    if (count > capacity_)
        Reallocate(count);
}

void TValueStore::Resize(std::size_t count) {
    Reserve(count);
    size_ = count;
}

void TValueStore::Insert(std::size_t index, double value) {
    MakeRoom();
    std::memmove(data_ + index + 1, data_ + index, (size_ - index) * sizeof(double));
    data_[index] = value;
    ++size_;
}

void TValueStore::Erase(std::size_t index) {
    std::memmove(data_ + index, data_ + index + 1, (size_ - index - 1) * sizeof(double));
    --size_;
}

void TValueStore::Release() {
    if (size_ > 0)
        sizeReleased_ = size_;
    std::free(data_);
    data_ = nullptr;
    size_ = 0;
    capacity_ = 0;
}

} // namespace pexor
