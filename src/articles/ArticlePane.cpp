#include "ArticlePane.h"

#include "richtext/Rtf.h"

#include <QMimeData>
#include <QMouseEvent>
#include <QTextCursor>
#include <QTextDocumentFragment>

namespace articles {

namespace {
const QString RtfMime = QStringLiteral("text/rtf");
const QString RtfMimeAlt = QStringLiteral("application/rtf");
}  // namespace

QByteArray rtfOf(const QMimeData* data)
{
    if (!data)
        return {};
    for (const QString& type : {RtfMime, RtfMimeAlt}) {
        if (data->hasFormat(type)) {
            const QByteArray rtf = data->data(type);
            if (richtext::looksLikeRtf(rtf))
                return rtf;
        }
    }
    return {};
}

ArticlePane::ArticlePane(QWidget* parent) : QTextEdit(parent)
{
    // What the clipboard carries is decided by RTF, not by the toolkit's HTML.
    setAcceptRichText(false);
}

QMimeData* ArticlePane::selectionMimeData() const { return articles::selectionMimeData(*this); }

QMimeData* selectionMimeData(const QTextEdit& view)
{
    auto* data = new QMimeData;
    const QTextCursor selection = view.textCursor();
    const QByteArray rtf = richtext::writeRtf(selection);
    data->setData(RtfMime, rtf);
    data->setData(RtfMimeAlt, rtf);
    // Paragraph marks as line breaks, not U+2029.
    data->setText(selection.selection().toPlainText());
    return data;
}

QMimeData* ArticlePane::createMimeDataFromSelection() const { return selectionMimeData(); }

bool ArticlePane::canInsertFromMimeData(const QMimeData* source) const
{
    // A picture alone is not text: pasting it changes nothing.
    return source && (!rtfOf(source).isEmpty() || source->hasText());
}

void ArticlePane::insertFromMimeData(const QMimeData* source)
{
    if (isReadOnly() || !source)
        return;
    QTextCursor at = textCursor();
    const QByteArray rtf = rtfOf(source);
    if (!rtf.isEmpty()) {
        at.beginEditBlock();
        richtext::insertRtf(rtf, at);
        at.endEditBlock();
    } else if (source->hasText()) {
        // Plain text stays text, even when it happens to begin with "{\rtf".
        at.insertText(source->text());
    } else {
        return;
    }
    setTextCursor(at);
    ensureCursorVisible();
}

void ArticlePane::mousePressEvent(QMouseEvent* event)
{
    QTextEdit::mousePressEvent(event);
    Q_EMIT mousePressed();
}

void ArticlePane::mouseReleaseEvent(QMouseEvent* event)
{
    QTextEdit::mouseReleaseEvent(event);
    Q_EMIT mouseReleased();
}

}  // namespace articles
