#pragma once
// Hashing and comparing texts without regard to letter case, for the hashes
// that find tree nodes and list items by name. Both fold each character the way
// QString::compare(…, Qt::CaseInsensitive) does, so equal texts hash alike.
#include <QString>
#include <QStringView>

#include <cstddef>

namespace catalogue {

struct CaseInsensitiveHash {
    using is_transparent = void;
    size_t operator()(QStringView s) const noexcept
    {
        size_t h = 1469598103934665603ULL;
        const qsizetype n = s.size();
        for (qsizetype i = 0; i < n; ++i) {
            char32_t c = s[i].unicode();
            if (QChar::isHighSurrogate(c) && i + 1 < n && s[i + 1].isLowSurrogate())
                c = QChar::surrogateToUcs4(char16_t(c), s[++i].unicode());
            h ^= QChar::toCaseFolded(c);
            h *= 1099511628211ULL;
        }
        return h;
    }
    size_t operator()(const QString& s) const noexcept { return (*this)(QStringView(s)); }
};

struct CaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(QStringView a, QStringView b) const noexcept
    {
        return a.compare(b, Qt::CaseInsensitive) == 0;
    }
};

}  // namespace catalogue
