#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <new>

// Memory for the large arrays a database read fills once, front to back (the
// song list's text, its lines, the library's records). Where the system has
// transparent huge pages (Linux), a region of 2 MB or more is aligned to 2 MB
// and asked to be backed by them, so that filling it takes one page fault per
// 2 MB instead of one per 4 KB; elsewhere, and for smaller regions, it is
// ordinary heap memory. Both throw std::bad_alloc when the memory is not there.
void *allocateBulk(std::size_t bytes);
// Frees memory from allocateBulk; bytes is the size it was asked for.
void freeBulk(void *memory, std::size_t bytes) noexcept;

// Faults in the pages of fresh bulk memory without writing them (Linux 5.14 and
// later), so that the thread which then fills the memory does not wait for the
// system to clear each page. Leaves the memory's content as it is, so it may run
// on another thread while the memory is in use. False where the system cannot.
bool prefaultBulk(void *memory, std::size_t bytes) noexcept;

// While one lives, each region of a huge page or more that allocateBulk gives
// out on this thread is also told to `fresh`, e.g. to fault it in ahead of use.
class FreshBulkWatch
{
public:
    explicit FreshBulkWatch(std::function<void(void *, std::size_t)> fresh);
    ~FreshBulkWatch();
    FreshBulkWatch(const FreshBulkWatch &) = delete;
    FreshBulkWatch &operator=(const FreshBulkWatch &) = delete;

private:
    friend void *allocateBulk(std::size_t bytes);
    std::function<void(void *, std::size_t)> m_fresh;
    FreshBulkWatch *m_outer;
};

// The allocator of a vector kept in bulk memory.
template <typename T>
struct BulkAllocator
{
    using value_type = T;

    BulkAllocator() = default;
    template <typename U>
    BulkAllocator(const BulkAllocator<U> &)  // NOLINT(google-explicit-constructor): allocators convert
    {}

    T *allocate(std::size_t n)
    {
        if (n > std::numeric_limits<std::size_t>::max() / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T *>(allocateBulk(n * sizeof(T)));
    }
    void deallocate(T *memory, std::size_t n) noexcept { freeBulk(memory, n * sizeof(T)); }

    friend bool operator==(const BulkAllocator &, const BulkAllocator &) { return true; }
};
