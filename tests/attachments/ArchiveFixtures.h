#pragma once
// Small archives built byte by byte, the way an archive from the field looks.
#include "attachments/PackArchive.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <deque>

namespace archivetest {

inline QByteArray header(const QByteArray& rest = QByteArray(56, ' '))
{
    return QByteArray(attachments::Magic) + rest.leftJustified(56, ' ', true);
}

inline QByteArray record(const QByteArray& a, const QByteArray& b, const QByteArray& c,
                         const QByteArray& name, const QByteArray& bytes)
{
    return a + b + c + a + name + c + bytes + b;
}

// A record with fixed separators that no test content uses.
inline QByteArray record(const QByteArray& name, const QByteArray& bytes)
{
    return record("\x01\xA1\xFE@A1", "\x02\xB2\xFE@B2", "\x03\xC3\xFE@C3", name, bytes);
}

inline QByteArray randomBytes(qsizetype n, quint32 seed)
{
    QRandomGenerator g(seed);
    QByteArray b(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        b[i] = char(g.bounded(256));
    return b;
}

inline QByteArray allByteValues(int repeat = 3)
{
    QByteArray b;
    for (int r = 0; r < repeat; ++r)
        for (int v = 0; v < 256; ++v)
            b.append(char(v));
    return b;
}

// Hands out the given separators in order, then fresh random ones.
struct ScriptedSeparators {
    std::deque<QByteArray> queue;
    int calls = 0;
    QByteArray operator()()
    {
        ++calls;
        if (queue.empty())
            return attachments::makeSeparator();
        QByteArray s = queue.front();
        queue.pop_front();
        return s;
    }
};

}  // namespace archivetest
