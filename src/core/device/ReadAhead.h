#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

// A second thread for the slow parts of a database read that do not need the
// parser: reading the next piece of the file and faulting in the memory the
// parse is about to fill. Run on another core, they overlap the parse instead
// of adding to it. A task touches only what its poster hands over to it, and
// the poster leaves that alone until the task has run.
class ReadAhead
{
public:
    using Ticket = std::uint64_t;

    ReadAhead();
    // Waits for the running task; tasks not yet started are dropped.
    ~ReadAhead();
    ReadAhead(const ReadAhead &) = delete;
    ReadAhead &operator=(const ReadAhead &) = delete;

    // A task someone will wait for: it runs before every background task not yet started.
    Ticket post(std::function<void()> task);
    // Returns once the posted task with the ticket has run; rethrows what it threw.
    void wait(Ticket ticket);
    // A task nobody waits for, run in order when no posted task is waiting; what it throws is dropped.
    void postBackground(std::function<void()> task);

private:
    void work();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_finished;
    std::deque<std::function<void()>> m_tasks;       // posted, in order
    std::deque<std::function<void()>> m_background;  // in order
    Ticket m_postedCount = 0;
    Ticket m_finishedCount = 0;  // posted tasks run: they run in order
    std::exception_ptr m_thrown;
    bool m_stopping = false;
    std::thread m_thread;  // last: starts once everything above is ready
};
