#include "SearchCache.h"

#include <algorithm>
#include <cstring>

namespace search {

namespace {
constexpr qsizetype BlockSize = 8 << 20;
}

const char* SearchCache::store(QByteArrayView text)
{
    const qsizetype n = text.size();
    if (n == 0)
        return nullptr;
    if (n > m_blockFree) {
        const qsizetype size = std::max(BlockSize, n);
        m_blocks.push_back(std::make_unique<char[]>(size_t(size)));
        m_next = m_blocks.back().get();
        m_blockFree = size;
    }
    char* at = m_next;
    std::memcpy(at, text.data(), size_t(n));
    m_next += n;
    m_blockFree -= n;
    m_stored += n;
    m_live += n;
    return at;
}

void SearchCache::put(qint64 id, qint64 seq, QByteArrayView text)
{
    if (m_sorted && !m_entries.empty() && id <= m_entries.back().id) {
        auto it = std::lower_bound(m_entries.begin(), m_entries.end(), id,
                                   [](const Entry& e, qint64 v) { return e.id < v; });
        if (it != m_entries.end() && it->id == id) {
            m_live -= it->size;
            *it = Entry{id, seq, store(text), text.size()};
            if (m_stored > 64 * 1024 * 1024 && m_stored > 2 * m_live)
                compact();
            return;
        }
        m_sorted = false;
    }
    m_entries.push_back(Entry{id, seq, store(text), text.size()});
}

void SearchCache::invalidate(qint64 id)
{
    if (!m_sorted)
        sort();
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), id, [](const Entry& e, qint64 v) { return e.id < v; });
    if (it != m_entries.end() && it->id == id)
        it->seq = Stale;
}

void SearchCache::remove(const std::vector<qint64>& sortedIds)
{
    if (sortedIds.empty())
        return;
    if (!m_sorted)
        sort();
    auto gone = sortedIds.begin();
    std::erase_if(m_entries, [&](const Entry& e) {
        while (gone != sortedIds.end() && *gone < e.id)
            ++gone;
        if (gone == sortedIds.end() || *gone != e.id)
            return false;
        m_live -= e.size;
        return true;
    });
}

void SearchCache::clear()
{
    m_entries.clear();
    m_blocks.clear();
    m_sorted = true;
    m_blockFree = 0;
    m_next = nullptr;
    m_live = 0;
    m_stored = 0;
}

void SearchCache::sort()
{
    // Stable, so that of two entries of one Id the later put wins.
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) { return a.id < b.id; });
    std::vector<Entry> unique;
    unique.reserve(m_entries.size());
    for (const Entry& e : m_entries) {
        if (!unique.empty() && unique.back().id == e.id) {
            m_live -= unique.back().size;
            unique.back() = e;
        } else {
            unique.push_back(e);
        }
    }
    m_entries = std::move(unique);
    m_sorted = true;
}

void SearchCache::compact()
{
    std::vector<std::unique_ptr<char[]>> old;
    old.swap(m_blocks);
    m_blockFree = 0;
    m_next = nullptr;
    m_live = 0;
    m_stored = 0;
    for (Entry& e : m_entries)
        e.text = store(QByteArrayView(e.text, e.size));
}

const std::vector<SearchCache::Entry>& SearchCache::entries()
{
    if (!m_sorted)
        sort();
    return m_entries;
}

const SearchCache::Entry* SearchCache::find(qint64 id)
{
    const auto& all = entries();
    auto it = std::lower_bound(all.begin(), all.end(), id, [](const Entry& e, qint64 v) { return e.id < v; });
    return it != all.end() && it->id == id ? &*it : nullptr;
}

}  // namespace search
