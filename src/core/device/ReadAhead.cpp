#include "core/device/ReadAhead.h"

#include <utility>

ReadAhead::ReadAhead()
    : m_thread([this] { work(); })
{}

ReadAhead::~ReadAhead()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

ReadAhead::Ticket ReadAhead::post(std::function<void()> task)
{
    Ticket ticket = 0;
    {
        const std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
        ticket = ++m_postedCount;
    }
    m_wake.notify_one();
    return ticket;
}

void ReadAhead::postBackground(std::function<void()> task)
{
    {
        const std::lock_guard lock(m_mutex);
        m_background.push_back(std::move(task));
    }
    m_wake.notify_one();
}

void ReadAhead::wait(Ticket ticket)
{
    std::unique_lock lock(m_mutex);
    m_finished.wait(lock, [&] { return m_finishedCount >= ticket; });
    if (m_thrown)
        std::rethrow_exception(std::exchange(m_thrown, nullptr));
}

void ReadAhead::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [&] { return m_stopping || !m_tasks.empty() || !m_background.empty(); });
        if (m_stopping)
            return;
        const bool waitedFor = !m_tasks.empty();
        std::deque<std::function<void()>> &queue = waitedFor ? m_tasks : m_background;
        const std::function<void()> task = std::move(queue.front());
        queue.pop_front();
        lock.unlock();
        std::exception_ptr thrown;
        try {
            task();
        } catch (...) {
            thrown = std::current_exception();
        }
        lock.lock();
        if (waitedFor) {
            if (thrown && !m_thrown)
                m_thrown = thrown;
            ++m_finishedCount;
            m_finished.notify_all();
        }
    }
}
