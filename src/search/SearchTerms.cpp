#include "SearchTerms.h"

#include "FoldedText.h"

namespace search {

SearchTerms parseTerms(const QString& boxText)
{
    SearchTerms terms;
    for (const QString& piece : boxText.split(QLatin1Char(','))) {
        const QString term = piece.trimmed();
        if (term.isEmpty())
            continue;
        QByteArray pattern = folded(term);
        // The same term twice (in other letter cases too) is looked for once.
        if (std::find(terms.patterns.begin(), terms.patterns.end(), pattern) != terms.patterns.end())
            continue;
        terms.texts << term;
        terms.patterns.push_back(std::move(pattern));
    }
    return terms;
}

bool SearchTerms::matches(const char* text, qsizetype size) const
{
    for (const QByteArray& p : patterns)
        if (containsFolded(text, size, p))
            return true;
    return false;
}

}  // namespace search
