#pragma once
// The search data held in memory: each row's folded text by Id, with the Seq it
// was stored under, so that a search runs over memory rather than through the
// decryption of every page. Texts sit in large blocks; a replaced text leaves a
// hole that a compaction takes back once holes outweigh the texts.
#include <QByteArrayView>
#include <QtGlobal>

#include <memory>
#include <vector>

namespace search {

class SearchCache {
public:
    struct Entry {
        qint64 id;
        // > 0: the Seq it is stored under; 0: built in memory only; Stale: its
        // row was written since, the text is not to be trusted.
        qint64 seq;
        const char* text;
        qsizetype size;
    };

    static constexpr qint64 Stale = -1;

    // Puts the text of row id (replacing what it held).
    void put(qint64 id, qint64 seq, QByteArrayView text);
    // The row's text may have changed: it is no longer trusted (Stale).
    void invalidate(qint64 id);
    void remove(const std::vector<qint64>& sortedIds);
    void clear();

    // Entries in Id order (sorts first when puts came out of order).
    const std::vector<Entry>& entries();
    // The entry of row id, or null.
    const Entry* find(qint64 id);

    qsizetype textBytes() const { return m_live; }
    qsizetype count() const { return qsizetype(m_entries.size()); }

private:
    const char* store(QByteArrayView text);
    void sort();
    void compact();

    std::vector<Entry> m_entries;
    bool m_sorted = true;
    std::vector<std::unique_ptr<char[]>> m_blocks;
    qsizetype m_blockFree = 0;
    char* m_next = nullptr;
    qsizetype m_live = 0;    // bytes of texts in use
    qsizetype m_stored = 0;  // bytes taken in the blocks
};

}  // namespace search
