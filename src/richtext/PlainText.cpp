#include "PlainText.h"

#include "Rtf.h"
#include "RtfParser.h"

#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace richtext {
namespace detail {

void appendShown(QString& out, QStringView text)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c != 0x00A0 && c != 0x2028 && c != 0xFFFC && c != 0x00AD)
            continue;
        out.append(text.mid(start, i - start));
        if (c == 0x00A0)
            out.append(QLatin1Char(' '));
        else if (c == 0x2028)
            out.append(QLatin1Char('\n'));
        start = i + 1;
    }
    out.append(text.mid(start));
}

QString decodePlainInput(const QByteArray& bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    auto utf8 = QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(view);
    if (utf8.hasError()) {
        const auto* t = singleByteTable(1251);
        text.clear();
        text.reserve(view.size());
        for (char b : view)
            text.append(QChar((*t)[static_cast<unsigned char>(b)]));
    }
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text.at(i).unicode();
        if (c == u'\r') {
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            c = u'\n';
        } else if (c == 0x2029) {
            c = u'\n';
        } else if (c == 0xFDD0 || c == 0xFDD1) {
            c = 0xFFFD;
        } else if (c < 0x20 && c != u'\t' && c != u'\n') {
            continue;
        }
        out.append(QChar(c));
    }
    return out;
}

namespace {

// Mirrors, event by event, the blocks that DocSink builds, so that the text is the same as
// plainText() of the document without building one.
class PlainSink {
public:
    static constexpr bool kFormats = false;
    static constexpr bool kImages = false;

    void text(QStringView s, const CharState&, const Tables&)
    {
        ensure();
        appendShown(m_inTable ? m_cell : m_out, s);
    }
    void paragraphEnd(const ParaState&, const Tables&)
    {
        ensure();
        m_pending = true;
    }
    void tableBegin()
    {
        m_pending = false;  // the table follows the previous paragraph directly
        m_inTable = true;
        m_cell.clear();
    }
    void tableEnd()
    {
        finishCell();
        m_inTable = false;
        m_out.append(QLatin1Char('\n'));  // the paragraph that always follows a table
        m_pending = false;
    }
    void cellEnd(const ParaState&, const Tables&)
    {
        ensure();
        finishCell();
    }
    void rowEnd(const std::vector<int>&) { finishCell(); }
    void image(const Picture&, const CharState&, const Tables&) { ensure(); }
    void finish(const ParaState&, const Tables&)
    {
        if (m_inTable)
            tableEnd();
    }

    QString take() { return std::move(m_out); }

private:
    void ensure()
    {
        if (m_pending) {
            (m_inTable ? m_cell : m_out).append(QLatin1Char('\n'));
            m_pending = false;
        }
    }
    void finishCell()
    {
        if (!m_cell.isEmpty()) {
            m_out.append(QLatin1Char('\n'));
            m_out.append(m_cell);
            m_cell.clear();
        }
        m_pending = false;
    }

    QString m_out;
    QString m_cell;
    bool m_pending = false;
    bool m_inTable = false;
};

void appendFrame(QString& out, QTextFrame* frame, bool& first);

void appendCell(QString& out, const QTextTableCell& cell)
{
    QString text;
    bool first = true;
    for (auto it = cell.begin(); !it.atEnd(); ++it) {
        if (QTextFrame* child = it.currentFrame()) {
            appendFrame(text, child, first);
        } else {
            if (!first)
                text.append(QLatin1Char('\n'));
            first = false;
            appendShown(text, it.currentBlock().text());
        }
    }
    if (!text.isEmpty()) {
        out.append(QLatin1Char('\n'));
        out.append(text);
    }
}

void appendFrame(QString& out, QTextFrame* frame, bool& first)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* child = it.currentFrame()) {
            if (auto* table = qobject_cast<QTextTable*>(child)) {
                for (int r = 0; r < table->rows(); ++r)
                    for (int c = 0; c < table->columns(); ++c) {
                        const QTextTableCell cell = table->cellAt(r, c);
                        if (cell.row() == r && cell.column() == c)
                            appendCell(out, cell);
                    }
                first = false;
            } else {
                appendFrame(out, child, first);
            }
        } else {
            if (!first)
                out.append(QLatin1Char('\n'));
            first = false;
            appendShown(out, it.currentBlock().text());
        }
    }
}

}  // namespace
}  // namespace detail

QString plainText(const QTextDocument* doc)
{
    QString out;
    if (!doc)
        return out;
    bool first = true;
    detail::appendFrame(out, doc->rootFrame(), first);
    return out;
}

QString plainText(const QByteArray& rtf)
{
    if (!looksLikeRtf(rtf)) {
        QString out;
        detail::appendShown(out, detail::decodePlainInput(rtf));
        return out;
    }
    detail::PlainSink sink;
    detail::Parser<detail::PlainSink> parser(sink);
    parser.parse(rtf);
    return sink.take();
}

}  // namespace richtext
