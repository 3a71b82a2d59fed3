#pragma once
// How an article leaves the screen: one layout of the article's document for
// the printer and PDF files, and the same document as HTML (pictures inline)
// and as the pane's plain text.
#include "store/Result.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QFont;
class QPagedPaintDevice;
class QTextDocument;

namespace shell {

class ArticleLayout {
public:
    // The article as the pane shows it, read from its stored rich text.
    static std::unique_ptr<QTextDocument> fromRtf(const QByteArray& body, const QFont& font);

    // Paints the whole article onto the device's pages, the first page at once
    // (never a blank one before it); the number of pages. `destination` names
    // the printer or file in the message when the device refuses.
    static store::Result<int> print(const QTextDocument& article, QPagedPaintDevice& device,
                                    const QString& destination);

    // The article as a standalone HTML page titled `title`, its pictures inline
    // as data: addresses, so the page needs no other file.
    static QString html(const QTextDocument& article, const QString& title);

    // The article's text as the pane shows it (paragraphs and cells on lines).
    static QString text(const QTextDocument& article);

    // Blank paper around the text, inside the margins the device keeps itself.
    static constexpr double MarginMillimetres = 20.0;
};

}  // namespace shell
