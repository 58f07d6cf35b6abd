#include "PictureReadAhead.h"
#include <algorithm>
#include <new>
#include "LayerDocument.h"

CPictureReadAhead::CPictureReadAhead(std::vector<std::wstring> paths, bool keepSource, size_t ahead, unsigned threads)
    : m_paths(std::move(paths)), m_keepSource(keepSource), m_ahead(std::max<size_t>(ahead, 1)), m_slots(m_paths.size())
{
    const size_t count = std::min<size_t>(std::max(threads, 1u), std::min(m_ahead, m_paths.size()));
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
            picture = std::make_unique<ReadPicture>();
            if (CLayerDocument::ReadBackgroundLayer(m_paths[index].c_str(), m_keepSource, picture->layer))
                picture->undoStart = CLayerDocument::PrepareUndoStart(picture->layer);
            else
                picture.reset();
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
