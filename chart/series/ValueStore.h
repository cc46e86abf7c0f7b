#pragma once

#include <cstddef>

namespace pexor {

// The numbers of one value list, end to end. Room is made by realloc, which
// can lengthen a block where it lies instead of copying it, and is left
// unset: every slot is written before it is read. A point added one at a
// time costs a comparison and a store, with no growth code in the caller.
class TValueStore {
public:
    TValueStore() = default;
    TValueStore(const TValueStore &) = delete;
    TValueStore &operator=(const TValueStore &) = delete;
    ~TValueStore();

    std::size_t Size() const { return size_; }
    std::size_t Capacity() const { return capacity_; }
    bool Empty() const { return size_ == 0; }
    double *Data() { return data_; }
    const double *Data() const { return data_; }
    double &operator[](std::size_t index) { return data_[index]; }
    double operator[](std::size_t index) const { return data_[index]; }
    double Back() const { return data_[size_ - 1]; }
    const double *begin() const { return data_; }
    const double *end() const { return data_ + size_; }

    void Append(double value) {
        MakeRoom();
        data_[size_++] = value;
    }
    // Append for a caller that knows there is room (Size() < Capacity()).
    void AppendInRoom(double value) { data_[size_++] = value; }
    // Room for one more value.
    void MakeRoom() {
        if (size_ == capacity_) [[unlikely]]
            Grow();
    }
    // Room for count values at least.
    void Reserve(std::size_t count);
    // Values added by a longer size are unset.
    void Resize(std::size_t count);
    void Insert(std::size_t index, double value);
    void Erase(std::size_t index);
    // Frees the storage, not only the values, and remembers how many there
    // were: filled again, the store grows to that many at once when a
    // sixty-fourth is back. A series cleared and refilled to its size then
    // copies a sixteenth of its values at most, where growing twice each
    // time copies about as many as it holds; one refilled with fewer
    // reserves no more than 64 times what it has.
    void Release();

private:
    // Twice the room, as a vector grows, or the size it had when released.
    [[gnu::noinline]] void Grow();
    void Reallocate(std::size_t capacity);

    double *data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    std::size_t sizeReleased_ = 0;
};

} // namespace pexor
