// The row scheduler. A pass is cut into bands that the calling thread and any idle workers take
// in turn from a shared counter; the caller waits only for workers that took part, so a pass
// never waits for a worker that has not started (as while the loader lock is held).
//
// The workers are made on first need and live until the process ends; nothing stops or joins
// them. A DLL hears of its unload only in DllMain, under the loader lock, where joining a
// thread deadlocks (the thread needs that lock to finish), and at process exit Windows has
// already ended every other thread by then. So the pool is never destroyed, nothing runs at
// unload, and the module pins itself so that no FreeLibrary can unmap the code the workers
// wait in. They use Win32 locks and condition variables, which wait without a server round
// trip under Wine.
#include "RowScheduler.h"
#include <algorithm>
#include <atomic>
#include <new>
#include <thread>
#include "Win32Owners.h"

namespace zvimage {

namespace {

constexpr unsigned kMaxThreads = 16;
// Waking the workers and collecting them costs some tens of microseconds; a pass over fewer
// pixels than this (a 362 x 362 picture) is done sooner by the caller alone.
constexpr uint64_t kParallelWork = uint64_t(1) << 17;
// Bands per thread: enough for threads that start late or are slowed by other programs to
// share the work evenly, few enough that the shared counter stays cold.
constexpr long kBandsPerThread = 8;
// The stack each worker reserves; passes keep their buffers on the heap.
constexpr SIZE_T kWorkerStack = 1 << 20;

unsigned Cores()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

struct Job {
    RowPass* pass;
    long rows, band;
    unsigned threads;
    std::atomic<long> next{0};
    std::atomic<bool> failed{false};
    // Under the pool's lock: slots handed out (the caller's included), workers still inside,
    // the next open job.
    unsigned joined = 1;
    unsigned inside = 0;
    Job* later = nullptr;

    bool Open() const { return joined < threads && next.load(std::memory_order_relaxed) < rows; }
};

// Takes bands until none is left, the pass is stopped or a band has failed.
void TakeBands(Job& job, unsigned slot) noexcept
{
    while (!job.failed.load(std::memory_order_relaxed) && !job.pass->Stopped()) {
        const long first = job.next.fetch_add(job.band, std::memory_order_relaxed);
        if (first >= job.rows)
            return;
        try {
            job.pass->Run(first, std::min(job.rows, first + job.band), slot);
        } catch (...) {
            job.failed = true;
        }
    }
}

class Pool {
public:
    // The process's pool, made and its workers started on the first call; null when there is
    // no memory for it.
    static Pool* Get() noexcept
    {
        static Pool* const pool = Make();
        return pool;
    }

    // Runs the job on the caller and whichever workers are idle; returns once none is inside.
    void Run(Job& job) noexcept
    {
        AcquireSRWLockExclusive(&m_lock);
        job.later = m_open;
        m_open = &job;
        ReleaseSRWLockExclusive(&m_lock);
        for (unsigned i = 1; i < job.threads; ++i)
            WakeConditionVariable(&m_opened);
        TakeBands(job, 0);
        AcquireSRWLockExclusive(&m_lock);
        Job** link = &m_open;
        while (*link != &job)
            link = &(*link)->later;
        *link = job.later;
        while (job.inside)
            SleepConditionVariableSRW(&m_left, &m_lock, INFINITE, 0);
        ReleaseSRWLockExclusive(&m_lock);
    }

private:
    Pool() = default;

    static Pool* Make() noexcept
    {
        Pool* pool = new (std::nothrow) Pool;
        if (!pool)
            return nullptr;
        HMODULE self;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCWSTR>(&Pool::Get), &self);
        // The first worker makes the others, so the caller pays for one thread start only.
        pool->Start(&Pool::FirstWorker);
        return pool;
    }

    void Start(LPTHREAD_START_ROUTINE main)
    {
        // Nothing joins a worker (see above), so its handle is let go at once.
        const win32::KernelHandle thread(CreateThread(nullptr, kWorkerStack, main, this, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    }

    static DWORD WINAPI FirstWorker(void* self)
    {
        Pool* pool = static_cast<Pool*>(self);
        const unsigned workers = std::max(2u, std::min(Cores(), kMaxThreads)) - 1;
        for (unsigned i = 1; i < workers; ++i)
            pool->Start(&Pool::Worker);
        pool->Serve();
        return 0;
    }

    static DWORD WINAPI Worker(void* self)
    {
        static_cast<Pool*>(self)->Serve();
        return 0;
    }

    void Serve() noexcept
    {
        AcquireSRWLockExclusive(&m_lock);
        for (;;) {
            Job* job = m_open;
            while (job && !job->Open())
                job = job->later;
            if (!job) {
                SleepConditionVariableSRW(&m_opened, &m_lock, INFINITE, 0);
                continue;
            }
            const unsigned slot = job->joined++;
            ++job->inside;
            ReleaseSRWLockExclusive(&m_lock);
            TakeBands(*job, slot);
            AcquireSRWLockExclusive(&m_lock);
            if (--job->inside == 0)
                WakeAllConditionVariable(&m_left);
        }
    }

    SRWLOCK m_lock = SRWLOCK_INIT;
    CONDITION_VARIABLE m_opened = CONDITION_VARIABLE_INIT;  // a job was opened
    CONDITION_VARIABLE m_left = CONDITION_VARIABLE_INIT;    // a worker left a job
    Job* m_open = nullptr;   // the jobs of the passes running now, newest first
};

} // namespace

unsigned PassThreads(uint64_t work)
{
    return work < kParallelWork ? 1 : std::min(Cores(), kMaxThreads);
}

bool RunRows(RowPass& pass, long rows, unsigned threads, long minBand)
{
    Job job;
    job.pass = &pass;
    job.rows = std::max(0L, rows);
    threads = std::clamp(threads, 1u, kMaxThreads);
    job.band = std::max({1L, minBand, job.rows / (static_cast<long>(threads) * kBandsPerThread)});
    job.threads = static_cast<unsigned>(std::min<long>(threads, (job.rows + job.band - 1) / job.band));
    Pool* pool = job.threads > 1 ? Pool::Get() : nullptr;
    if (pool)
        pool->Run(job);
    else
        TakeBands(job, 0);
    return !job.failed && !pass.Stopped();
}

void PrepareRows(uint64_t work)
{
    if (PassThreads(work) > 1)
        Pool::Get();
}

} // namespace zvimage
