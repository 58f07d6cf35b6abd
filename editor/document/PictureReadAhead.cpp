#include "PictureReadAhead.h"
#include <windows.h>
#include <algorithm>
#include <new>
#include "LayerDocument.h"
#include "OpenTimes.h"

unsigned CPictureReadAhead::ThreadsFor(unsigned cores)
{
    return std::clamp(cores > 1 ? cores - 1 : 1u, 1u, kMaxThreads);
}

size_t CPictureReadAhead::DepthFor(unsigned threads, uint64_t freeBytes)
{
    const uint64_t wanted = 2 * uint64_t(std::max(threads, 1u));
    return static_cast<size_t>(std::clamp<uint64_t>(freeBytes / kBytesPerPicture, 1, wanted));
}

unsigned CPictureReadAhead::DefaultThreads()
{
    SYSTEM_INFO system = {};
    ::GetSystemInfo(&system);
    return ThreadsFor(system.dwNumberOfProcessors);
}

size_t CPictureReadAhead::DefaultDepth(unsigned threads)
{
    MEMORYSTATUSEX memory = {sizeof memory};
    if (!::GlobalMemoryStatusEx(&memory))
        return DepthFor(threads, 0);
    // A 32-bit program runs out of address space before the machine runs out of memory.
    return DepthFor(threads, std::min(memory.ullAvailPhys, memory.ullAvailVirtual));
}

CPictureReadAhead::CPictureReadAhead(std::vector<std::wstring> paths, bool keepSource, size_t ahead, unsigned threads)
    : m_paths(std::move(paths)), m_keepSource(keepSource),
      m_ahead(ahead ? ahead : DefaultDepth(threads ? threads : DefaultThreads())), m_slots(m_paths.size())
{
    if (!threads)
        threads = DefaultThreads();
    const size_t count = std::min<size_t>(threads, std::min(m_ahead, m_paths.size()));
    for (size_t i = 0; i < count; ++i)
        m_threads.emplace_back(&CPictureReadAhead::Work, this);
}

CPictureReadAhead::~CPictureReadAhead()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

std::unique_ptr<ReadPicture> CPictureReadAhead::Take()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_taken >= m_slots.size())
        return nullptr;
    Slot& slot = m_slots[m_taken];
    m_changed.wait(lock, [&] { return slot.state == State::Done; });
    std::unique_ptr<ReadPicture> picture = std::move(slot.picture);
    ++m_taken;
    lock.unlock();
    // A place ahead is free again.
    m_changed.notify_all();
    return picture;
}

size_t CPictureReadAhead::Pending() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_next - m_taken;
}

void CPictureReadAhead::Work()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [&] { return m_stop || m_next >= m_slots.size() || m_next < m_taken + m_ahead; });
        if (m_stop || m_next >= m_slots.size())
            return;
        const size_t index = m_next++;
        m_slots[index].state = State::Reading;
        lock.unlock();
        std::unique_ptr<ReadPicture> picture;
        try {
            open_times::Scope timed("read", static_cast<int>(index));
            picture = std::make_unique<ReadPicture>();
            if (CLayerDocument::ReadBackgroundLayer(m_paths[index].c_str(), m_keepSource, picture->layer)) {
                open_times::Scope timedUndo("undo-start");
                picture->undoStart = CLayerDocument::PrepareUndoStart(picture->layer);
            } else {
                picture.reset();
            }
        } catch (const std::bad_alloc&) {
            // Reported as a file that did not read; the memory is free again for the next.
            picture.reset();
        }
        lock.lock();
        m_slots[index].picture = std::move(picture);
        m_slots[index].state = State::Done;
        m_changed.notify_all();
    }
}
