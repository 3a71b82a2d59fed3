#pragma once
// The terms of a search as typed into the box: cut at every ",", each piece
// trimmed of blanks; a piece empty before or after trimming finds nothing. Terms
// are alternatives, each found as a substring without regard to letter case.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace search {

struct SearchTerms {
    QStringList texts;                 // the trimmed terms, in the order typed
    std::vector<QByteArray> patterns;  // their folded forms (FoldedText.h)

    bool isEmpty() const { return patterns.empty(); }
    // Whether any term occurs in a folded text.
    bool matches(const char* text, qsizetype size) const;
};

SearchTerms parseTerms(const QString& boxText);

}  // namespace search
