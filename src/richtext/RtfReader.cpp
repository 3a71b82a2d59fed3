// RTF bytes → QTextDocument.
#include "ImageSize.h"
#include "PlainText.h"
#include "Rtf.h"
#include "RtfParser.h"

#include <QCryptographicHash>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>
#include <QUrl>

#include <optional>

namespace richtext {
namespace detail {
namespace {

constexpr double kTwipsPerPixel = 15.0;  // 1440 twips an inch, 96 pixels an inch
constexpr qint64 kMaxColumnTwips = 31680;
constexpr qint64 kDefaultColumnTwips = 2000;

// Builds the document at a cursor. A paragraph break is kept pending until more content
// follows, so the \par that ends an article's last paragraph adds no empty paragraph: what
// the writer writes reads back as the same blocks.
//
// A table is gathered whole and built when it ends: QTextTable finds a cell from the table's
// start after every change of its shape, so growing it row by row would cost time quadratic
// in its rows. Built at its final size, each cell is reached once, in order.
class DocSink {
public:
    static constexpr bool kFormats = true;
    static constexpr bool kImages = true;

    explicit DocSink(QTextCursor cursor) : m_cur(std::move(cursor)) {}

    void text(QStringView s, const CharState& st, const Tables& tables)
    {
        ensure();
        if (!m_haveChar || !(st == m_lastChar)) {
            charFormat(st, tables);
            ++m_formatSerial;
        }
        put(Item{Item::Text, s.toString(), m_char, m_formatSerial});
    }
    void paragraphEnd(const ParaState& pa, const Tables& tables)
    {
        ensure();
        put(Item{Item::Block, {}, blockFormat(pa, tables), 0});
        m_pending = true;
    }
    void tableBegin()
    {
        m_pending = m_rowPending = m_cellPending = false;
        m_table = Table{};
        m_table->rows.emplace_back(1);
        m_inTable = true;
    }
    void tableEnd()
    {
        if (!m_inTable)
            return;
        m_inTable = false;
        buildTable();
        m_pending = false;
    }
    void cellEnd(const ParaState& pa, const Tables& tables)
    {
        ensure();
        put(Item{Item::Block, {}, blockFormat(pa, tables), 0});
        m_cellPending = true;
    }
    void rowEnd(const std::vector<int>& cellx)
    {
        if (!m_inTable)
            return;
        if (m_table->cellx.empty())
            m_table->cellx = cellx;
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
        // Without a size in the file, the picture's own: what a write of it then states. The
        // size is kept in whole twips, as the writer writes it.
        const QSize px = imagePixelSize(pict.data);
        const double w = pict.goalw > 0 ? pict.goalw : (pict.picw > 0 ? pict.picw : px.width()) * kTwipsPerPixel;
        const double h = pict.goalh > 0 ? pict.goalh : (pict.pich > 0 ? pict.pich : px.height()) * kTwipsPerPixel;
        if (w > 0)
            f.setWidth(qRound(w * pict.scalex / 100.0) / kTwipsPerPixel);
        if (h > 0)
            f.setHeight(qRound(h * pict.scaley / 100.0) / kTwipsPerPixel);
        put(Item{Item::Image, {}, f, 0});
    }
    void finish(const ParaState& pa, const Tables& tables)
    {
        if (m_inTable) {
            tableEnd();
            return;
        }
        if (!m_pending)
            m_cur.setBlockFormat(blockFormat(pa, tables));
    }

private:
    // What goes into a table cell, kept until the table is built.
    struct Item {
        enum Kind : std::uint8_t { Text, Block, Break, Image } kind;
        QString text;
        QTextFormat format;  // Text: char format, Block: block format, Image: image format
        int serial = 0;      // Text: equal serials, equal formats
    };
    struct Table {
        std::vector<std::vector<std::vector<Item>>> rows;  // row → cell → items
        std::vector<int> cellx;                             // of the first row that ended
    };

    // Applies `item` at the cursor, or keeps it in the table's current cell.
    void put(Item&& item)
    {
        if (m_inTable) {
            m_table->rows.back().back().push_back(std::move(item));
            return;
        }
        apply(item);
    }

    void apply(const Item& item)
    {
        switch (item.kind) {
        case Item::Text:
            // The cursor keeps the format as an index into the document's format table; setting it
            // only when it changes spares a format lookup per run.
            if (item.serial != m_appliedSerial) {
                m_cur.setCharFormat(item.format.toCharFormat());
                m_appliedSerial = item.serial;
            }
            m_cur.insertText(item.text);
            break;
        case Item::Block:
            m_cur.setBlockFormat(item.format.toBlockFormat());
            break;
        case Item::Break:
            m_cur.insertBlock();
            m_appliedSerial = -1;
            break;
        case Item::Image:
            m_cur.insertImage(item.format.toImageFormat());
            m_appliedSerial = -1;
            break;
        }
    }

    void ensure()
    {
        if (m_inTable) {
            if (m_rowPending) {
                m_table->rows.emplace_back(1);
                m_rowPending = m_cellPending = m_pending = false;
            } else if (m_cellPending) {
                m_table->rows.back().emplace_back();
                m_cellPending = m_pending = false;
            }
        }
        if (m_pending) {
            put(Item{Item::Break, {}, {}, 0});
            m_pending = false;
        }
    }

    void buildTable()
    {
        Table t = std::move(*m_table);
        m_table.reset();
        int columns = 1;
        for (const auto& row : t.rows)
            columns = std::max(columns, int(row.size()));
        QTextTableFormat tf;
        tf.setBorder(1);
        tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        tf.setBorderCollapse(true);
        tf.setCellPadding(3);
        tf.setCellSpacing(0);
        // A column is at most 22 inches wide, whatever its \cellx says; one without a width of
        // its own gets the one the writer gives such a column.
        QList<QTextLength> widths;
        qint64 left = 0;
        for (int i = 0; i < columns; ++i) {
            qint64 w = 0;
            if (size_t(i) < t.cellx.size()) {
                w = std::min<qint64>(t.cellx[size_t(i)] - left, kMaxColumnTwips);
                left = t.cellx[size_t(i)];
            }
            widths << QTextLength(QTextLength::FixedLength, (w > 0 ? w : kDefaultColumnTwips) / kTwipsPerPixel);
        }
        tf.setColumnWidthConstraints(widths);
        QTextTable* table = m_cur.insertTable(int(t.rows.size()), columns, tf);
        for (size_t r = 0; r < t.rows.size(); ++r)
            for (size_t c = 0; c < t.rows[r].size(); ++c) {
                if (t.rows[r][c].empty())
                    continue;
                m_cur = table->cellAt(int(r), int(c)).firstCursorPosition();
                m_appliedSerial = -1;
                for (const Item& item : t.rows[r][c])
                    apply(item);
            }
        m_cur.setPosition(table->lastPosition() + 1);
        m_appliedSerial = -1;
    }

    void charFormat(const CharState& st, const Tables& tables)
    {
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
    }

    static QTextBlockFormat blockFormat(const ParaState& pa, const Tables& tables)
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
        // A hanging indent has a tab stop where the text hangs, as in rich-edit controls: a
        // label and a tab put the first line's text where the wrapped lines start.
        std::vector<TabStop> stops = size_t(pa.tabs) < tables.tabSets.size() ? tables.tabSets[size_t(pa.tabs)]
                                                                             : std::vector<TabStop>{};
        if (pa.fi < 0 && pa.li > 0
            && std::none_of(stops.begin(), stops.end(), [&](const TabStop& t) { return t.twips == pa.li; }))
            stops.insert(std::lower_bound(stops.begin(), stops.end(), TabStop{pa.li, 0},
                                          [](const TabStop& a, const TabStop& b) { return a.twips < b.twips; }),
                         TabStop{pa.li, 0});
        if (!stops.empty()) {
            QList<QTextOption::Tab> tabs;
            for (const TabStop& t : stops) {
                static const QTextOption::TabType types[] = {QTextOption::LeftTab, QTextOption::RightTab,
                                                             QTextOption::CenterTab, QTextOption::DelimiterTab};
                tabs << QTextOption::Tab(t.twips / kTwipsPerPixel, types[t.kind & 3],
                                         t.kind == 3 ? QChar(u'.') : QChar());
            }
            b.setTabPositions(tabs);
        }
        return b;
    }

    QTextCursor m_cur;
    bool m_pending = false;
    bool m_inTable = false;
    std::optional<Table> m_table;
    bool m_rowPending = false, m_cellPending = false;
    QTextCharFormat m_char;
    CharState m_lastChar;
    bool m_haveChar = false;
    int m_formatSerial = 0;
    int m_appliedSerial = -1;  // the serial of the cursor's own format
};

// Returns the document's default tab width in twips (\deftab).
int readInto(const QByteArray& rtf, QTextCursor& cursor)
{
    if (!looksLikeRtf(rtf)) {
        cursor.insertText(decodePlainInput(rtf));
        return Tables{}.defaultTab;
    }
    DocSink sink(cursor);
    Parser<DocSink> parser(sink);
    parser.parse(rtf);
    return parser.tables().defaultTab;
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
    const int defaultTab = detail::readInto(rtf, cursor);
    cursor.endEditBlock();
    // Tabs past the last stop go to the next multiple of the document's tab width.
    QTextOption option = doc->defaultTextOption();
    option.setTabStopDistance(defaultTab / detail::kTwipsPerPixel);
    doc->setDefaultTextOption(option);
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
    detail::copyPictures(scratch, scratch, *target);
    at.insertFragment(QTextDocumentFragment(&scratch));
}

}  // namespace richtext
