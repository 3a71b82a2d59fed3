#include "FoldedText.h"

#include "catalogue/CaseKey.h"

#include <QStringDecoder>

#include <cstring>
#include <memory>

namespace search {

namespace {

constexpr quint32 Escape = 0x80000000u;

// What each UTF-16 unit becomes: a single byte, or Escape with the folded unit.
class FoldTable {
public:
    FoldTable() : m_code(new quint32[0x10000])
    {
        // The 1251 byte of every character that folding leaves as it is.
        quint8 single[0x10000] = {};
        auto decode = QStringDecoder("windows-1251", QStringDecoder::Flag::Stateless);
        for (int b = 0x80; b <= 0xFF; ++b) {
            if (b >= 0xC0 && b <= 0xDF)
                continue;  // 1251's capitals: the escape bytes
            const char byte = char(b);
            const QString ch = decode(QByteArrayView(&byte, 1));
            if (ch.size() != 1 || ch[0].unicode() == 0xFFFD)
                continue;
            const char16_t u = ch[0].unicode();
            if (catalogue::foldedChar(u) == u)
                single[u] = quint8(b);
        }
        for (quint32 u = 0; u < 0x10000; ++u) {
            char32_t f = u;
            if (!QChar::isSurrogate(char32_t(u)))
                f = catalogue::foldedChar(char32_t(u));
            if (f > 0xFFFF)
                f = u;  // simple folding of the BMP stays in the BMP; never trust otherwise
            if (f < 0x80)
                m_code[u] = f;
            else if (single[f])
                m_code[u] = single[f];
            else
                m_code[u] = Escape | f;
        }
    }
    quint32 operator[](char16_t u) const { return m_code[u]; }

private:
    std::unique_ptr<quint32[]> m_code;
};

const FoldTable& table()
{
    static const FoldTable t;
    return t;
}

inline void appendEscaped(char*& out, char16_t u)
{
    *out++ = char(0xC0 | (u >> 12));
    *out++ = char(0xD0 | ((u >> 8) & 15));
    *out++ = char(0xD0 | ((u >> 4) & 15));
    *out++ = char(0xD0 | (u & 15));
}

}  // namespace

void appendFolded(QByteArray& out, QStringView text)
{
    const FoldTable& t = table();
    const qsizetype start = out.size();
    // At most four bytes a unit; trimmed afterwards.
    out.resize(start + 4 * text.size());
    char* p = out.data() + start;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            // A character beyond the BMP: folded as one, written as its two units.
            char32_t c = QChar::toCaseFolded(QChar::surrogateToUcs4(u, text[i + 1].unicode()));
            ++i;
            appendEscaped(p, QChar::highSurrogate(c));
            appendEscaped(p, QChar::lowSurrogate(c));
            continue;
        }
        const quint32 code = t[u];
        if (code & Escape)
            appendEscaped(p, char16_t(code));
        else
            *p++ = char(code);
    }
    out.resize(p - out.constData());
}

QByteArray folded(QStringView text)
{
    QByteArray out;
    appendFolded(out, text);
    return out;
}

bool containsFolded(const char* text, qsizetype size, const QByteArray& pattern)
{
    if (pattern.isEmpty() || size < pattern.size())
        return false;
    return memmem(text, size_t(size), pattern.constData(), size_t(pattern.size())) != nullptr;
}

}  // namespace search
