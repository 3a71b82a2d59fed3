// RTF bytes → QTextDocument.
#include "PlainText.h"
#include "Rtf.h"
#include "RtfParser.h"

#include <QCryptographicHash>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>
#include <QUrl>

namespace richtext {
namespace detail {
namespace {

constexpr double kTwipsPerPixel = 15.0;  // 1440 twips an inch, 96 pixels an inch
constexpr qint64 kMaxColumnTwips = 31680;

// Builds the document at a cursor. A paragraph break is kept pending until more content
// follows, so the \par that ends an article's last paragraph adds no empty paragraph: what
// the writer writes reads back as the same blocks.
class DocSink {
public:
    static constexpr bool kFormats = true;
    static constexpr bool kImages = true;

    explicit DocSink(QTextCursor cursor) : m_cur(std::move(cursor)) {}

    void text(QStringView s, const CharState& st, const Tables& tables)
    {
        ensure();
        // The cursor keeps the format as an index into the document's format table; setting it
        // only when the state changes spares a format lookup per run.
        if (!m_formatSet || !(st == m_lastChar)) {
            m_cur.setCharFormat(charFormat(st, tables));
            m_formatSet = true;
        }
        m_cur.insertText(s.toString());
    }
    void paragraphEnd(const ParaState& pa)
    {
        ensure();
        m_cur.setBlockFormat(blockFormat(pa));
        m_pending = true;
    }
    void tableBegin()
    {
        m_pending = false;
        QTextTableFormat tf;
        tf.setBorder(1);
        tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        tf.setBorderCollapse(true);
        tf.setCellPadding(3);
        tf.setCellSpacing(0);
        m_table = m_cur.insertTable(1, 1, tf);
        m_row = 0;
        m_col = 0;
        m_rowPending = m_cellPending = false;
        m_widthsSet = false;
        m_cur = m_table->cellAt(0, 0).firstCursorPosition();
        m_formatSet = false;
    }
    void tableEnd()
    {
        if (!m_table)
            return;
        m_cur.setPosition(m_table->lastPosition() + 1);
        m_formatSet = false;
        m_table = nullptr;
        m_pending = false;
    }
    void cellEnd(const ParaState& pa)
    {
        ensure();
        m_cur.setBlockFormat(blockFormat(pa));
        m_cellPending = true;
    }
    void rowEnd(const std::vector<int>& cellx)
    {
        if (!m_table)
            return;
        if (!m_widthsSet && !cellx.empty()) {
            m_widthsSet = true;
            // One constraint per column, always: QTextTable::appendColumns copies the last one
            // and reads past the end of a shorter list.
            // A column is at most 22 inches wide, whatever its \cellx says.
            QList<QTextLength> widths;
            qint64 left = 0;
            for (int i = 0; i < m_table->columns(); ++i) {
                const qint64 w = size_t(i) < cellx.size() ? std::min<qint64>(cellx[size_t(i)] - left, kMaxColumnTwips) : 0;
                if (size_t(i) < cellx.size())
                    left = cellx[size_t(i)];
                widths << (w > 0 ? QTextLength(QTextLength::FixedLength, w / kTwipsPerPixel)
                                 : QTextLength(QTextLength::VariableLength, 0));
            }
            QTextTableFormat tf = m_table->format();
            tf.setColumnWidthConstraints(widths);
            m_table->setFormat(tf);
        }
        m_rowPending = true;
        m_cellPending = false;
        m_pending = false;
    }
    void image(const Picture& pict, const CharState&, const Tables&)
    {
        ensure();
        const QByteArray hash = QCryptographicHash::hash(pict.data, QCryptographicHash::Sha1).toHex();
        const QString name = QStringLiteral("rtfimage:%1.%2")
                                 .arg(QString::fromLatin1(hash), pict.kind == PictKind::Png ? QStringLiteral("png")
                                                                                            : QStringLiteral("jpg"));
        m_cur.document()->addResource(QTextDocument::ImageResource, QUrl(name), pict.data);
        QTextImageFormat f;
        f.setName(name);
        const double w = pict.goalw > 0 ? pict.goalw / kTwipsPerPixel : pict.picw;
        const double h = pict.goalh > 0 ? pict.goalh / kTwipsPerPixel : pict.pich;
        if (w > 0)
            f.setWidth(w * pict.scalex / 100.0);
        if (h > 0)
            f.setHeight(h * pict.scaley / 100.0);
        m_cur.insertImage(f);
        m_formatSet = false;
    }
    void finish(const ParaState& pa)
    {
        if (m_table)
            return;
        if (!m_pending)
            m_cur.setBlockFormat(blockFormat(pa));
    }

private:
    void ensure()
    {
        if (m_table) {
            if (m_rowPending) {
                m_table->appendRows(1);
                ++m_row;
                m_col = 0;
                m_cur = m_table->cellAt(m_row, 0).firstCursorPosition();
                m_rowPending = m_cellPending = m_pending = false;
                m_formatSet = false;
            } else if (m_cellPending) {
                ++m_col;
                if (m_col >= m_table->columns())
                    m_table->appendColumns(1);
                m_cur = m_table->cellAt(m_row, m_col).firstCursorPosition();
                m_cellPending = m_pending = false;
                m_formatSet = false;
            }
        }
        if (m_pending) {
            m_cur.insertBlock();
            m_pending = false;
            m_formatSet = false;
        }
    }

    const QTextCharFormat& charFormat(const CharState& st, const Tables& tables)
    {
        if (m_haveChar && st == m_lastChar)
            return m_char;
        QTextCharFormat f;
        const FontInfo* font = tables.font(st.font < 0 ? tables.defaultFont : st.font);
        if (font && !font->name.isEmpty())
            f.setFontFamilies(QStringList{font->name});
        f.setFontPointSize(st.halfPoints / 2.0);
        if (st.bold)
            f.setFontWeight(QFont::Bold);
        if (st.italic)
            f.setFontItalic(true);
        if (st.underline)
            f.setFontUnderline(true);
        if (st.strike)
            f.setFontStrikeOut(true);
        if (st.vertical)
            f.setVerticalAlignment(st.vertical == 1 ? QTextCharFormat::AlignSuperScript
                                                    : QTextCharFormat::AlignSubScript);
        if (const QColor c = tables.color(st.fg); c.isValid())
            f.setForeground(c);
        if (const QColor c = tables.color(st.bg); c.isValid())
            f.setBackground(c);
        if (st.link > 0 && size_t(st.link) <= tables.links.size()) {
            f.setAnchor(true);
            f.setAnchorHref(tables.links[size_t(st.link - 1)]);
        }
        m_char = f;
        m_lastChar = st;
        m_haveChar = true;
        return m_char;
    }

    static QTextBlockFormat blockFormat(const ParaState& pa)
    {
        QTextBlockFormat b;
        switch (pa.align) {
        case 1: b.setAlignment(Qt::AlignRight); break;
        case 2: b.setAlignment(Qt::AlignHCenter); break;
        case 3: b.setAlignment(Qt::AlignJustify); break;
        default: break;
        }
        if (pa.li)
            b.setLeftMargin(pa.li / kTwipsPerPixel);
        if (pa.ri)
            b.setRightMargin(pa.ri / kTwipsPerPixel);
        if (pa.fi)
            b.setTextIndent(pa.fi / kTwipsPerPixel);
        if (pa.sb)
            b.setTopMargin(pa.sb / kTwipsPerPixel);
        if (pa.sa)
            b.setBottomMargin(pa.sa / kTwipsPerPixel);
        return b;
    }

    QTextCursor m_cur;
    bool m_pending = false;
    QTextTable* m_table = nullptr;
    int m_row = 0, m_col = 0;
    bool m_rowPending = false, m_cellPending = false, m_widthsSet = false;
    QTextCharFormat m_char;
    CharState m_lastChar;
    bool m_haveChar = false;
    bool m_formatSet = false;  // the cursor's own format is m_char
};

void readInto(const QByteArray& rtf, QTextCursor& cursor)
{
    if (!looksLikeRtf(rtf)) {
        cursor.insertText(decodePlainInput(rtf));
        return;
    }
    DocSink sink(cursor);
    Parser<DocSink> parser(sink);
    parser.parse(rtf);
}

}  // namespace
}  // namespace detail

bool looksLikeRtf(const QByteArray& bytes)
{
    QByteArrayView v(bytes);
    if (v.startsWith("\xEF\xBB\xBF"))
        v = v.sliced(3);
    qsizetype i = 0;
    while (i < v.size() && (v[i] == ' ' || v[i] == '\t' || v[i] == '\r' || v[i] == '\n'))
        ++i;
    return v.sliced(i).startsWith("{\\rtf");
}

void readRtf(const QByteArray& rtf, QTextDocument* doc)
{
    if (!doc)
        return;
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextCursor cursor(doc);
    // One edit block: the document lays itself out and signals the change once, not per run.
    cursor.beginEditBlock();
    doc->clear();
    detail::readInto(rtf, cursor);
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(undo);
}

void insertRtf(const QByteArray& rtf, QTextCursor& at)
{
    QTextDocument* target = at.document();
    if (!target)
        return;
    QTextDocument scratch;
    scratch.setDefaultFont(target->defaultFont());
    readRtf(rtf, &scratch);
    for (QTextBlock b = scratch.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const QUrl url(f.toImageFormat().name());
            target->addResource(QTextDocument::ImageResource, url,
                                scratch.resource(QTextDocument::ImageResource, url));
        }
    at.insertFragment(QTextDocumentFragment(&scratch));
}

}  // namespace richtext
