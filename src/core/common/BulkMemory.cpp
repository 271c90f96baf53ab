#include "core/common/BulkMemory.h"

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <sys/mman.h>

#include <cstdint>
#endif

namespace {

thread_local FreshBulkWatch *t_watch = nullptr;

}  // namespace

FreshBulkWatch::FreshBulkWatch(std::function<void(void *, std::size_t)> fresh)
    : m_fresh(std::move(fresh))
    , m_outer(t_watch)
{
    t_watch = this;
}

FreshBulkWatch::~FreshBulkWatch()
{
    t_watch = m_outer;
}

#ifdef Q_OS_LINUX

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t roundedUp(std::size_t bytes)
{
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

}  // namespace

void *allocateBulk(std::size_t bytes)
{
    if (bytes < kHugePage)
        return ::operator new(bytes);
    const std::size_t size = roundedUp(bytes);
    if (size < bytes || size > std::numeric_limits<std::size_t>::max() - kHugePage)
        throw std::bad_alloc();
    // A huge page more than needed, so that an aligned region lies inside; the rest is given back.
    void *mapped = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned > start)
        ::munmap(mapped, aligned - start);
    if (const std::size_t tail = start + kHugePage - aligned; tail > 0)
        ::munmap(reinterpret_cast<void *>(aligned + size), tail);
    // Only a hint: where huge pages are off, the region is filled a small page at a time.
    ::madvise(reinterpret_cast<void *>(aligned), size, MADV_HUGEPAGE);
    if (t_watch) {
        // Telling is a help to the caller, not part of the allocation: it may fail.
        try {
            t_watch->m_fresh(reinterpret_cast<void *>(aligned), bytes);
        } catch (...) {
        }
    }
    return reinterpret_cast<void *>(aligned);
}

bool prefaultBulk(void *memory, std::size_t bytes) noexcept
{
#ifdef MADV_POPULATE_WRITE
    // Older systems answer EINVAL: then the memory is faulted in as it is filled.
    return ::madvise(memory, bytes, MADV_POPULATE_WRITE) == 0;
#else
    Q_UNUSED(memory);
    Q_UNUSED(bytes);
    return false;
#endif
}

void freeBulk(void *memory, std::size_t bytes) noexcept
{
    if (!memory)
        return;
    if (bytes < kHugePage)
        ::operator delete(memory);
    else
        ::munmap(memory, roundedUp(bytes));
}

#else

void *allocateBulk(std::size_t bytes)
{
    return ::operator new(bytes);
}

void freeBulk(void *memory, std::size_t) noexcept
{
    ::operator delete(memory);
}

bool prefaultBulk(void *, std::size_t) noexcept
{
    return false;
}

#endif
