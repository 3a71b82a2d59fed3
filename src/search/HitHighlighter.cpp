#include "HitHighlighter.h"

#include "FoldedText.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <cstring>

namespace search {

namespace {

const QColor HitColour(255, 240, 120);      // a marker pen
const QColor CurrentColour(255, 170, 60);

// The occurrences in one block as [start, end) positions in its text. The text
// is first mapped as the plain text shows it (no-break space as a space, line
// break as "\n", pictures and soft hyphens left out), then folded unit by unit,
// remembering where each byte came from.
void findInBlock(const QTextBlock& block, const SearchTerms& terms, std::vector<std::pair<int, int>>& out)
{
    const QString text = block.text();
    QByteArray folded;
    std::vector<int> from;  // folded byte → index in text
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c == 0xFFFC || c == 0x00AD)
            continue;
        if (c == 0x00A0)
            c = u' ';
        else if (c == 0x2028)
            c = u'\n';
        qsizetype len = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            len = 2;
        const qsizetype before = folded.size();
        if (len == 2)
            appendFolded(folded, QStringView(text).mid(i, 2));
        else
            appendFolded(folded, QStringView(&c, 1));
        for (qsizetype b = before; b < folded.size(); ++b)
            from.push_back(int(i));
        i += len - 1;
    }
    for (const QByteArray& p : terms.patterns) {
        const char* base = folded.constData();
        qsizetype at = 0;
        while (at + p.size() <= folded.size()) {
            const void* hit = memmem(base + at, size_t(folded.size() - at), p.constData(), size_t(p.size()));
            if (!hit)
                break;
            const qsizetype b = static_cast<const char*>(hit) - base;
            const qsizetype last = b + p.size() - 1;
            // The last unit of the hit, a surrogate pair whole.
            int end = from[size_t(last)] + 1;
            if (end < text.size() && text[end].isLowSurrogate() && text[end - 1].isHighSurrogate())
                ++end;
            out.emplace_back(from[size_t(b)], end);
            at = b + p.size();
        }
    }
}

}  // namespace

HitHighlighter::HitHighlighter(QTextEdit* pane, QObject* parent) : QObject(parent), m_pane(pane) {}

void HitHighlighter::show(const SearchTerms& terms)
{
    m_hits.clear();
    m_current = -1;
    if (!m_pane)
        return;
    QTextDocument* doc = m_pane->document();
    std::vector<std::pair<int, int>> spans;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        spans.clear();
        findInBlock(b, terms, spans);
        std::sort(spans.begin(), spans.end());
        for (const auto& [start, end] : spans) {
            QTextCursor c(doc);
            c.setPosition(b.position() + start);
            c.setPosition(b.position() + end, QTextCursor::KeepAnchor);
            m_hits.push_back(c);
        }
    }
    if (m_hits.empty()) {
        apply();
        return;
    }
    next();
}

void HitHighlighter::clear()
{
    m_hits.clear();
    m_current = -1;
    apply();
}

void HitHighlighter::next()
{
    if (!m_pane || m_hits.empty())
        return;
    m_current = (m_current + 1) % int(m_hits.size());
    // The cursor goes to the hit's start without selecting it: a key typed next
    // must not replace the found word.
    QTextCursor at(m_pane->document());
    at.setPosition(m_hits[size_t(m_current)].selectionStart());
    m_pane->setTextCursor(at);
    m_pane->ensureCursorVisible();
    apply();
}

void HitHighlighter::apply()
{
    if (!m_pane)
        return;
    QList<QTextEdit::ExtraSelection> marks;
    marks.reserve(qsizetype(m_hits.size()));
    for (size_t i = 0; i < m_hits.size(); ++i) {
        QTextEdit::ExtraSelection s;
        s.cursor = m_hits[i];
        s.format.setBackground(int(i) == m_current ? CurrentColour : HitColour);
        marks.push_back(s);
    }
    m_pane->setExtraSelections(marks);
}

}  // namespace search
