#pragma once
// Hashing and comparing texts without regard to letter case, for the hashes
// that find tree nodes and list items by name. Both fold each character the way
// QString::compare(…, Qt::CaseInsensitive) does, so equal texts hash alike.
#include <QString>
#include <QStringView>

#include <cstddef>
#include <string>

namespace catalogue {

// The case-folded form of one character. Latin and Cyrillic letters, nearly
// every character of a catalogue path, are folded inline; the rest asks Qt.
inline char32_t foldedChar(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
    if (c >= 0x410 && c <= 0x42F)  // А … Я
        return c + 0x20;
    if (c >= 0x430 && c <= 0x45F)  // а … я, ѐ … џ
        return c;
    if (c >= 0x400 && c <= 0x40F)  // Ѐ … Џ
        return c + 0x50;
    return QChar::toCaseFolded(c);
}

// Continues a case-blind hash over s[from, to): hashing a text in pieces gives
// the same value as hashing it whole, so the hashes of all prefixes of a path
// come from one pass over it.
constexpr size_t CaseHashSeed = 1469598103934665603ULL;
inline size_t caseHashContinue(size_t h, QStringView s, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to; ++i) {
        char32_t c = s[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < to && s[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), s[++i].unicode());
        h ^= foldedChar(c);
        h *= 1099511628211ULL;
    }
    return h;
}

// The case-folded form of a text in UTF-16: comparing two of these unit by
// unit orders texts exactly as QString::compare(…, Qt::CaseInsensitive) does
// (which also compares folded UTF-16 units, so a character beyond the BMP sorts
// before U+E000), without folding every character again in every comparison.
// Writes at out, which has room for 2 * s.size() units; returns the end.
inline char16_t* writeCaseFolded(QStringView s, char16_t* out)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        char32_t c = s[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), s[++i].unicode());
        c = foldedChar(c);
        if (QChar::requiresSurrogates(c)) {
            *out++ = QChar::highSurrogate(c);
            *out++ = QChar::lowSurrogate(c);
        } else {
            *out++ = char16_t(c);
        }
    }
    return out;
}

// Not noexcept on purpose: the standard containers then keep each element's
// hash, so growing the table never hashes the keys again.
struct CaseInsensitiveHash {
    using is_transparent = void;
    size_t operator()(QStringView s) const { return caseHashContinue(CaseHashSeed, s, 0, s.size()); }
    size_t operator()(const QString& s) const { return (*this)(QStringView(s)); }
};

struct CaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(QStringView a, QStringView b) const noexcept
    {
        return a.compare(b, Qt::CaseInsensitive) == 0;
    }
};

// A text with its case-blind hash, and a view with one: keys of a hash whose
// lookups already know the hash (every prefix of a path, hashed in one pass).
struct HashedText {
    QString text;
    size_t hash;
};
struct HashedView {
    QStringView text;
    size_t hash;
};
struct HashedTextHash {
    using is_transparent = void;
    size_t operator()(const HashedText& k) const noexcept { return k.hash; }
    size_t operator()(const HashedView& k) const noexcept { return k.hash; }
};
struct HashedTextEqual {
    using is_transparent = void;
    template <class A, class B>
    bool operator()(const A& a, const B& b) const noexcept
    {
        return a.hash == b.hash && QStringView(a.text).compare(QStringView(b.text), Qt::CaseInsensitive) == 0;
    }
};

}  // namespace catalogue
