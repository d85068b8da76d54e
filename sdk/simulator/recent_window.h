#pragma once

#include <algorithm>
#include <cstddef>
#include <deque>
#include <vector>

namespace nivaro_sim {

// The latest entries of a stream that may run for days: the files keep the whole of it,
// memory only enough for a test to read back what it just provoked.
template<typename Entry> class RecentWindow
{
public:
    static constexpr std::size_t capacity = 4096;

    void add(Entry entry)
    {
        if (entries.size() == capacity) {
            entries.pop_front();
        }
        entries.push_back(std::move(entry));
        ++added;
    }

    // The entries after the first `mark` ones, as far as they are still kept.
    std::vector<Entry> since(std::size_t mark) const
    {
        const std::size_t firstKept = added - entries.size();
        const std::size_t skipped
            = mark > firstKept ? std::min(mark - firstKept, entries.size()) : 0;
        return {entries.begin() + static_cast<std::ptrdiff_t>(skipped), entries.end()};
    }

    std::size_t count() const { return added; }

    void clear()
    {
        entries.clear();
        added = 0;
    }

private:
    std::deque<Entry> entries;
    std::size_t added = 0;
};

} // namespace nivaro_sim
