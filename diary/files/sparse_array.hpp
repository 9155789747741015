#pragma once
// A fixed array whose elements take memory only once they are written to. A record has
// eleven group blocks and five option blocks, but a record of the archive holds only
// those that were in use when it was written (often two or three): holding every block
// in place made each slot of a table of tens of thousands of records several times the
// size of its text. Writing access (the non-const operator[]) makes the element, default-
// constructed, the first time; reading an element never made gives a default-constructed
// one. Copies are deep: a copy holds equal elements, made where the original has them.

#include <array>
#include <cstddef>
#include <memory>

namespace diary {

template <typename T, std::size_t N>
class SparseArray {
public:
    SparseArray() = default;
    SparseArray(const SparseArray& other) { *this = other; }
    SparseArray(SparseArray&&) noexcept = default;
    SparseArray& operator=(SparseArray&&) noexcept = default;
    ~SparseArray() = default;

    SparseArray& operator=(const SparseArray& other) {
        if (this == &other) return *this;
        for (std::size_t i = 0; i < N; ++i) {
            const std::unique_ptr<T>& from = other.slots_[i];
            std::unique_ptr<T>& to = slots_[i];
            if (!from) to.reset();
            else if (to) *to = *from;  // the element already made is reused
            else to = std::make_unique<T>(*from);
        }
        return *this;
    }

    // The element for writing: made at the first access.
    T& operator[](std::size_t i) {
        std::unique_ptr<T>& slot = slots_[i];
        if (!slot) slot = std::make_unique<T>();
        return *slot;
    }
    // The element for reading: one never made reads as a default-constructed element.
    const T& operator[](std::size_t i) const {
        const std::unique_ptr<T>& slot = slots_[i];
        return slot ? *slot : unset();
    }

    // True when element i was made (written to, or copied from one that was).
    bool holds(std::size_t i) const { return slots_[i] != nullptr; }
    static constexpr std::size_t size() { return N; }

private:
    static const T& unset() {
        static const T value{};
        return value;
    }

    std::array<std::unique_ptr<T>, N> slots_{};
};

}  // namespace diary
