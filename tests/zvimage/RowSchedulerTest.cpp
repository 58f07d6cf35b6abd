// The row scheduler: every row once and every slot on one thread at a time, passes from several
// threads at once, and a band that throws or a stop ending the pass with false, never the process.
#include <gtest/gtest.h>
#include <windows.h>
#include <atomic>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>
#include "RowScheduler.h"

using namespace zvimage;

namespace {

// Counts what a pass did: rows run, slots in use, threads inside Run.
class CountingPass : public RowPass {
public:
    explicit CountingPass(long rows) : m_runs(std::max(1L, rows)) {}

    void Run(long first, long last, unsigned slot) override
    {
        ++m_inside;
        if (slot >= kSlots || m_busy[slot].exchange(true))
            m_clash = true;
        struct Leave {
            CountingPass& pass;
            unsigned slot;
            ~Leave()
            {
                if (slot < kSlots)
                    pass.m_busy[slot] = false;
                --pass.m_inside;
            }
        } leave{*this, slot};
        for (long y = first; y < last; ++y)
            ++m_runs[y];
        m_done += last - first;
        Band(first, slot);
    }

    // What a test adds to each band (a failure, a wait).
    virtual void Band(long, unsigned) {}

    static constexpr unsigned kSlots = 16;
    std::vector<std::atomic<int>> m_runs;
    std::atomic<bool> m_busy[kSlots] = {};
    std::atomic<bool> m_clash{false};
    std::atomic<int> m_inside{0};
    std::atomic<long> m_done{0};
};

// An empty string when every row ran once, no slot reached threads or ran on two threads at
// once, and nothing was still inside when the pass returned.
std::string CheckPass(long rows, unsigned threads, long minBand)
{
    CountingPass pass(rows);
    if (!RunRows(pass, rows, threads, minBand))
        return "the pass failed";
    if (pass.m_inside != 0)
        return "a thread was still inside";
    if (pass.m_clash)
        return "a slot was shared";
    for (long y = 0; y < rows; ++y)
        if (pass.m_runs[y] != 1)
            return "row " + std::to_string(y) + " ran " + std::to_string(pass.m_runs[y]) + " times";
    return {};
}

} // namespace

TEST(RowScheduler, EveryRowRunsOnceAndEverySlotOnOneThreadAtATime)
{
    const struct {
        long rows;
        unsigned threads;
        long minBand;
    } cases[] = {{0, 4, 1}, {1, 4, 1}, {7, 16, 1}, {1000, 1, 1}, {1000, 3, 1}, {1000, 16, 64}, {3001, 8, 5}, {200000, 8, 1}};
    // The same passes from three threads at once, so that they share the pool's workers.
    std::vector<std::string> faults(3 * std::size(cases));
    std::vector<std::thread> callers;
    for (size_t t = 0; t < 3; ++t)
        callers.emplace_back([&, t] {
            for (size_t n = 0; n < std::size(cases); ++n)
                faults[t * std::size(cases) + n] = CheckPass(cases[n].rows, cases[n].threads, cases[n].minBand);
        });
    for (auto& caller : callers)
        caller.join();
    for (size_t i = 0; i < faults.size(); ++i)
        EXPECT_EQ(faults[i], "") << "rows " << cases[i % std::size(cases)].rows << ", threads "
                                 << cases[i % std::size(cases)].threads;
}

TEST(RowScheduler, ABandThatThrowsFailsThePass)
{
    // A worker's band and the caller's own band: either failure ends the pass with false; the
    // other threads leave it before RunRows returns.
    for (const bool inWorker : {true, false}) {
        SCOPED_TRACE(inWorker ? "worker" : "caller");
        struct Failing : CountingPass {
            explicit Failing(bool worker) : CountingPass(4000), worker(worker) {}
            void Band(long, unsigned slot) override
            {
                if ((slot != 0) == worker) {
                    thrown = true;
                    throw std::bad_alloc();
                }
                // The other side holds its band until the failing side has taken one.
                const DWORD start = GetTickCount();
                while (!thrown && GetTickCount() - start < 10000)
                    Sleep(1);
            }
            bool worker;
            std::atomic<bool> thrown{false};
        } pass(inWorker);
        EXPECT_FALSE(RunRows(pass, 4000, 4));
        EXPECT_EQ(pass.m_inside, 0);
        EXPECT_TRUE(pass.thrown);
    }
    // The pool is still whole after the failures.
    EXPECT_EQ(CheckPass(5000, 4, 1), "");
}

TEST(RowScheduler, AStoppedPassSkipsTheBandsLeft)
{
    struct Stopping : CountingPass {
        Stopping() : CountingPass(100000) {}
        bool Stopped() const noexcept override { return m_done >= 500; }
    } pass;
    EXPECT_FALSE(RunRows(pass, 100000, 4));
    EXPECT_EQ(pass.m_inside, 0);
    EXPECT_GE(pass.m_done, 500);
    EXPECT_LT(pass.m_done, 100000);
}
