#pragma once
// CPictureReadAhead: reads a list of picture files, known in advance, into the background layers
// their documents start with, and stores their undo starting points, on worker threads and a few
// pictures ahead of the one taking them: the next pictures decode while the previous one is set
// up. At most `ahead` pictures are read or being read and not taken yet, which bounds the memory
// of a long list.
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include "HistoryStore.h"
#include "LayerInfo.h"

// A file's background layer and its undo starting point (CLayerDocument::OpenReadLayer).
struct ReadPicture {
    CLayerInfo layer;
    std::shared_ptr<PreparedPictures> undoStart;
};

class CPictureReadAhead {
public:
    // An `ahead` or `threads` of 0: as many as this machine allows now (DefaultThreads,
    // DefaultDepth).
    CPictureReadAhead(std::vector<std::wstring> paths, bool keepSource, size_t ahead = 0, unsigned threads = 0);
    // Reads no further; waits for the pictures being read.
    ~CPictureReadAhead();
    CPictureReadAhead(const CPictureReadAhead&) = delete;
    CPictureReadAhead& operator=(const CPictureReadAhead&) = delete;

    // The layer of the next file of the list, in the list's order, once it is read; null for a
    // file that did not read and past the end of the list.
    std::unique_ptr<ReadPicture> Take();
    // Pictures read or being read and not taken yet.
    size_t Pending() const;
    // Threads reading.
    size_t Threads() const { return m_threads.size(); }

    // Reading threads for a machine of `cores` processors: one less, which leaves one to the
    // window thread, at least one and at most kMaxThreads. Ten large photos open in about three
    // quarters of the time with four readers than with two on an idle machine; on a machine
    // that others keep busy, more readers only split the program's share of it.
    static unsigned ThreadsFor(unsigned cores);
    static constexpr unsigned kMaxThreads = 4;
    // Pictures read ahead by `threads` threads with `freeBytes` of memory free: two a thread, so
    // that none waits for the taker while it sets up a window, fewer when the free memory would
    // not hold them (a large photo takes about kBytesPerPicture once read), at least one.
    static size_t DepthFor(unsigned threads, uint64_t freeBytes);
    static constexpr uint64_t kBytesPerPicture = 160ull << 20;
    // The same for this machine, now.
    static unsigned DefaultThreads();
    static size_t DefaultDepth(unsigned threads);

private:
    enum class State { Waiting, Reading, Done };
    struct Slot {
        State state = State::Waiting;
        std::unique_ptr<ReadPicture> picture;
    };
    void Work();

    const std::vector<std::wstring> m_paths;
    const bool m_keepSource;
    const size_t m_ahead;
    std::vector<Slot> m_slots;
    size_t m_next = 0;    // the first file no thread has claimed
    size_t m_taken = 0;   // the first file not taken
    bool m_stop = false;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::thread> m_threads;
};
