#include "las/ParseThreads.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include <sched.h>

namespace ORBAX_Geophysics {
namespace {

// The cores this process may run on: under `taskset -c 0` that is one, whatever the machine has.
unsigned allowed_cores()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0) {
        int n = CPU_COUNT(&set);
        if (n > 0)
            return static_cast<unsigned>(n);
    }
    unsigned n = std::thread::hardware_concurrency();
    return n ? n : 1;
}

struct Job {
    const std::function<void(std::size_t)>* task;
    std::size_t count;
    std::size_t next = 0;     // the first task nobody has taken
    std::size_t finished = 0; // tasks that have ended
    std::exception_ptr error;
};

// Workers take tasks from the oldest job that still has some; the job's own thread takes them too.
class Pool {
public:
    explicit Pool(unsigned workers)
    {
        for (unsigned i = 0; i < workers; ++i)
            std::thread([this] { work(); }).detach();
    }

    void run(std::size_t count, const std::function<void(std::size_t)>& task)
    {
        Job job;
        job.task = &task;
        job.count = count;
        std::unique_lock<std::mutex> lock(m_mutex);
        m_jobs.push_back(&job);
        m_wake.notify_all();
        // Help with this job until every task is taken, then wait for those still running.
        while (job.next < job.count)
            run_one(job, lock);
        m_done.wait(lock, [&] { return job.finished == job.count; });
        lock.unlock();
        if (job.error)
            std::rethrow_exception(job.error);
    }

private:
    // Takes the job's next task, runs it without the lock, and records its end.
    void run_one(Job& job, std::unique_lock<std::mutex>& lock)
    {
        const std::size_t index = job.next++;
        if (job.next == job.count)
            forget(&job);
        lock.unlock();
        std::exception_ptr error;
        try {
            (*job.task)(index);
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        if (error && !job.error)
            job.error = error;
        if (++job.finished == job.count)
            m_done.notify_all();
    }

    void forget(Job* job)
    {
        for (auto it = m_jobs.begin(); it != m_jobs.end(); ++it) {
            if (*it == job) {
                m_jobs.erase(it);
                return;
            }
        }
    }

    void work()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [&] { return !m_jobs.empty(); });
            run_one(*m_jobs.front(), lock);
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::deque<Job*> m_jobs; // jobs with tasks nobody has taken yet
};

Pool& pool()
{
    // Made on first use and never destroyed: its threads wait for work until the process ends.
    static Pool* shared = new Pool(parse_width() - 1);
    return *shared;
}

} // namespace

unsigned parse_width()
{
    static const unsigned width = allowed_cores();
    return width;
}

void run_parallel(std::size_t count, const std::function<void(std::size_t)>& task)
{
    if (count == 0)
        return;
    if (count == 1 || parse_width() == 1) {
        std::exception_ptr error;
        for (std::size_t i = 0; i < count; ++i) {
            try {
                task(i);
            } catch (...) {
                if (!error)
                    error = std::current_exception();
            }
        }
        if (error)
            std::rethrow_exception(error);
        return;
    }
    pool().run(count, task);
}

} // namespace ORBAX_Geophysics
