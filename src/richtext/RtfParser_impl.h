#pragma once
// Definitions of the Parser template (included by RtfParser.h only).
#include <algorithm>
#include <climits>

namespace richtext::detail {

inline int clampInt(long long v, long long lo, long long hi)
{
    return int(std::clamp(v, lo, hi));
}

inline bool isLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

inline int hexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

template <class Sink>
void Parser<Sink>::parse(QByteArrayView input)
{
    const auto* p = reinterpret_cast<const unsigned char*>(input.data());
    const auto* const end = p + input.size();
    m_stack.reserve(64);
    m_run.reserve(256);

    while (p < end && !m_done) {
        unsigned char c = *p;
        if (c == '{') {
            ++p;
            openGroup();
            continue;
        }
        if (c == '}') {
            ++p;
            closeGroup();
            continue;
        }
        if (m_stack.empty()) {  // bytes before the first "{"
            ++p;
            continue;
        }
        if (c == '\\') {
            ++p;
            if (p >= end)
                break;
            c = *p;
            if (isLetter(c)) {
                char name[33];
                int len = 0;
                while (p < end && isLetter(*p)) {
                    if (len < 32)
                        name[len++] = char(*p);
                    ++p;
                }
                bool hasParam = false;
                bool negative = false;
                long long value = 0;
                if (p < end && *p == '-' && p + 1 < end && *(p + 1) >= '0' && *(p + 1) <= '9') {
                    negative = true;
                    ++p;
                }
                int digits = 0;
                while (p < end && *p >= '0' && *p <= '9') {
                    if (digits < 11)
                        value = value * 10 + (*p - '0');
                    ++digits;
                    ++p;
                    hasParam = true;
                }
                if (p < end && *p == ' ')
                    ++p;
                const int param = clampInt(negative ? -value : value, INT32_MIN, INT32_MAX);
                const std::string_view word(name, size_t(len));
                if (word == "bin") {
                    const qsizetype n = hasParam && param > 0 ? std::min<qsizetype>(param, end - p) : 0;
                    if (m_ucSkip > 0)
                        --m_ucSkip;
                    if (g().dest == Dest::Pict)
                        m_pict.data.append(reinterpret_cast<const char*>(p),
                                           Sink::kImages ? n : std::min<qsizetype>(n, kMagicBytes));
                    p += n;
                    continue;
                }
                controlWord(word, hasParam, param);
            } else {
                ++p;
                if (c != '*')
                    m_atGroupStart = false;
                switch (c) {
                case '\'': {
                    const int hi = p < end ? hexValue(*p) : -1;
                    const int lo = p + 1 < end ? hexValue(*(p + 1)) : -1;
                    if (hi < 0 || lo < 0) {
                        if (hi >= 0)
                            ++p;
                        break;
                    }
                    p += 2;
                    const auto b = static_cast<unsigned char>(hi * 16 + lo);
                    if (b >= 0x20 && m_ucSkip == 0 && m_table && g().dest == Dest::Text && !g().ch.hidden) {
                        // Text in \'hh form is most of a Cyrillic article: straight to the run.
                        resolveSurrogate();
                        prepareAppend();
                        m_run.push_back((*m_table)[b]);
                    } else if (g().dest != Dest::Pict) {
                        onByte(b);
                    }
                    break;
                }
                case '\\': case '{': case '}':
                    if (m_ucSkip > 0)
                        --m_ucSkip;
                    else if (g().dest == Dest::FontTable)
                        onByte(c);
                    else
                        putChar(c);
                    break;
                case '\r': case '\n':
                    controlWord("par", false, 0);
                    break;
                case '*':
                    // Only a destination may be marked ignorable: "\\*\\cs13" in the middle of a
                    // group (OpenOffice writes that) is a plain control word.
                    m_star = m_atGroupStart;
                    break;
                case '~':
                    m_ucSkip > 0 ? consumeSkip() : putChar(0x00A0);
                    break;
                case '_':
                    m_ucSkip > 0 ? consumeSkip() : putChar(0x2011);
                    break;
                case '-':
                    m_ucSkip > 0 ? consumeSkip() : putChar(0x00AD);
                    break;
                case '\t':
                    controlWord("tab", false, 0);
                    break;
                default:
                    if (m_ucSkip > 0)
                        --m_ucSkip;
                    break;
                }
            }
            if (!m_stack.empty() && g().dest == Dest::Skip)
                skipGroup(p, end);
            continue;
        }
        if (c < 0x20) {
            ++p;
            if (c == '\t') {
                m_atGroupStart = false;
                onByte(c);
            }
            continue;
        }
        if (m_atGroupStart && c == '*' && end - p > 2 && p[1] == '\\' && isLetter(p[2])) {
            // "{*\\word": a destination whose backslash a writer lost; read as "{\\*\\word".
            ++p;
            m_star = true;
            continue;
        }
        m_atGroupStart = false;
        if (m_ucSkip == 0 && m_table && g().dest == Dest::Text && !g().ch.hidden && m_mbLen == 0) {
            // The hot loop: plain text in a single-byte code page.
            resolveSurrogate();
            prepareAppend();
            const auto& t = *m_table;
            while (p < end) {
                c = *p;
                if (c == '\\' || c == '{' || c == '}' || c < 0x20)
                    break;
                m_run.push_back(t[c]);
                ++p;
            }
            continue;
        }
        if (!Sink::kImages && g().dest == Dest::Pict && m_pict.data.size() >= kMagicBytes) {
            // Without pictures only their first bytes matter (is it one that is shown?).
            while (p < end && *p != '\\' && *p != '{' && *p != '}')
                ++p;
            continue;
        }
        ++p;
        onByte(c);
    }
    if (!m_stack.empty())
        resolveSurrogate();
    flushRun();
    if (!m_pendingLabel.empty() && !m_stack.empty())
        startParagraph(false, g().ch);
    m_sink.finish(m_stack.empty() ? m_lastPara : g().pa, m_tables);
}

template <class Sink>
void Parser<Sink>::prepareAppend()
{
    // The paragraph's first text: its label goes first. Decided here, where text arrives,
    // not where it is flushed, so that both sinks see the same paragraphs.
    if (!m_paraStarted && !m_labelDepth) [[unlikely]]
        startParagraph(false, g().ch);
    if (m_stateDirty) {
        if (Sink::kFormats && !m_run.empty() && !(m_runState == g().ch))
            flushRun();
        m_runState = g().ch;
        m_stateDirty = false;
    }
}

// A high surrogate half with no low half after it cannot be shown.
template <class Sink>
void Parser<Sink>::resolveSurrogate()
{
    if (m_pendingHigh) {
        m_pendingHigh = 0;
        prepareAppend();
        m_run.push_back(0xFFFD);
    }
}

template <class Sink>
void Parser<Sink>::putChar(char16_t c)
{
    switch (g().dest) {
    case Dest::Text:
        if (g().ch.hidden) {
            if (c > 0x20)
                m_lost |= LostHidden;
            return;
        }
        if (c < 0x20 && c != u'\t')
            return;
        if (c == 0x2029)
            c = 0x2028;
        else if (c == 0xFDD0 || c == 0xFDD1)
            c = 0xFFFD;
        // \uN writes a surrogate pair as two halves, possibly with a format change between
        // them; the high half waits here so that both paths pair it the same way.
        if (QChar::isHighSurrogate(c)) {
            resolveSurrogate();
            m_pendingHigh = c;
            return;
        }
        if (QChar::isLowSurrogate(c) && m_pendingHigh) {
            prepareAppend();
            m_run.push_back(std::exchange(m_pendingHigh, char16_t(0)));
            m_run.push_back(c);
            return;
        }
        resolveSurrogate();
        prepareAppend();
        m_run.push_back(QChar::isLowSurrogate(c) ? char16_t(0xFFFD) : c);
        break;
    case Dest::FieldInst:
        if (!m_fields.empty() && m_fields.back().inst.size() < 4096)
            m_fields.back().inst.append(QChar(c));
        break;
    case Dest::PnBefore:
    case Dest::PnAfter: {
        QString& t = g().dest == Dest::PnBefore ? m_pn.before : m_pn.after;
        if (c >= 0x20 && t.size() < 32)
            t.append(QChar(c));
        break;
    }
    default:
        break;
    }
}

template <class Sink>
void Parser<Sink>::putString(QStringView s)
{
    for (QChar ch : s)
        putChar(ch.unicode());
}

template <class Sink>
void Parser<Sink>::onByte(unsigned char b)
{
    if (m_ucSkip > 0) {
        --m_ucSkip;
        return;
    }
    switch (g().dest) {
    case Dest::Text:
    case Dest::FieldInst:
    case Dest::PnBefore:
    case Dest::PnAfter:
        if (b == '\t')
            putChar(u'\t');
        else if (!m_table)
            onMultiByte(b);
        else if (b >= 0x20)
            putChar((*m_table)[b]);
        break;
    case Dest::LevelText:
        if (b != ';') {
            if (!m_lists.empty() && m_level >= 0 && m_level < 9) {
                auto& text = m_lists.back().levels[size_t(m_level)].text;
                if (text.size() < 64)
                    text.push_back(-(int(b) + 1));
            }
        }
        break;
    case Dest::FontTable:
        if (b == ';')
            finishFontEntry();
        else if (m_fontName.size() + m_fontText.size() < 255)
            m_fontName.append(char(b));
        break;
    case Dest::ColorTable:
        if (b == ';') {
            if (m_tables.colors.size() < 4096)
                m_tables.colors.push_back(m_red < 0 && m_green < 0 && m_blue < 0
                                              ? QColor()
                                              : QColor(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0)));
            m_red = m_green = m_blue = -1;
        }
        break;
    case Dest::Pict:
        if (Sink::kImages || m_pict.data.size() < kMagicBytes) {
            const int v = hexValue(b);
            if (v >= 0) {
                if (m_nibble < 0) {
                    m_nibble = v;
                } else {
                    m_pict.data.append(char(m_nibble * 16 + v));
                    m_nibble = -1;
                }
            }
        }
        break;
    default:
        break;
    }
}

// A byte of a multi-byte page (East Asian double-byte pages, UTF-8): gathered until the
// character is whole. A UTF-8 sequence cut short reads as U+FFFD.
template <class Sink>
void Parser<Sink>::onMultiByte(unsigned char b)
{
    const int cp = g().codePage;
    if (m_mbLen > 0) {
        if (cp != kUtf8CodePage || (b & 0xC0) == 0x80) {
            m_mb[m_mbLen++] = b;
            if (m_mbLen == m_mbNeed) {
                m_mbLen = 0;
                putString(decodeMultiByte(cp, m_mb, m_mbNeed));
            }
            return;
        }
        m_mbLen = 0;
        putChar(0xFFFD);
    }
    const int n = sequenceLength(cp, b);
    if (n > 1) {
        m_mb[0] = b;
        m_mbLen = 1;
        m_mbNeed = n;
    } else if (b >= 0x80) {
        putString(decodeMultiByte(cp, &b, 1));
    } else if (b >= 0x20) {
        putChar(b);
    }
}

template <class Sink>
void Parser<Sink>::onUnicode(int value)
{
    if (value < 0)
        value += 65536;
    if (value < 0 || value > 0xFFFF)
        value = 0xFFFD;
    dropPartial();
    // Symbol and Wingdings glyphs arrive as U+F0xx (Windows' "symbol code page"): the
    // character the glyph shows. A list label's bullet is a Symbol one even when the writer
    // named a text font for the label.
    if (value >= 0xF020 && value <= 0xF0FF) {
        if (isSymbolPage(g().codePage) && m_table)
            value = (*m_table)[value - 0xF000];
        else if (m_labelDepth)
            value = (*singleByteTable(kSymbolFontCodePage))[value - 0xF000];
    }
    switch (g().dest) {
    case Dest::Text:
    case Dest::FieldInst:
    case Dest::PnBefore:
    case Dest::PnAfter:
        if (value == '\t' || value >= 0x20)
            putChar(char16_t(value));
        break;
    case Dest::LevelText:
        if (!m_lists.empty() && m_level >= 0 && m_level < 9) {
            auto& text = m_lists.back().levels[size_t(m_level)].text;
            if (text.size() < 64)
                text.push_back(value);
        }
        break;
    default:
        break;
    }
    m_ucSkip = g().uc;
}

template <class Sink>
void Parser<Sink>::flushRun()
{
    m_markInRun = false;
    if (m_run.empty())
        return;
    if (m_labelDepth && !m_paraStarted) {
        // A label belongs to the paragraph that follows it, whose properties come later.
        if (m_pendingLabel.size() < 16)
            m_pendingLabel.emplace_back(QString::fromUtf16(m_run.data(), qsizetype(m_run.size())), m_runState);
        m_run.clear();
        m_stateDirty = true;
        return;
    }
    beginContent(false);
    m_sink.text(QStringView(m_run.data(), qsizetype(m_run.size())), m_runState, m_tables);
    m_run.clear();
    m_stateDirty = true;
}

template <class Sink>
void Parser<Sink>::beginContent(bool forceTable)
{
    // Text of a shape anchored in a table cell stays in the cell, whatever its own paragraphs say.
    const bool want = forceTable || g().pa.intbl || (m_shapeTextDepth && m_shapeKeepsTable);
    if (want && !m_inTable) {
        m_sink.tableBegin();
        m_inTable = true;
        m_col = 0;
    } else if (!want && m_inTable) {
        m_sink.tableEnd();
        m_inTable = false;
    }
}

// The first content of a paragraph, or its end when it has none: its label goes first.
template <class Sink>
void Parser<Sink>::startParagraph(bool forceTable, const CharState& base)
{
    if (m_paraStarted)
        return;
    m_paraStarted = true;
    const ParaState& pa = g().pa;
    CharState st = base;
    st.link = 0;
    QString generated;
    // Counters run on for every list paragraph, labelled by the file or not.
    const bool wanted = m_pendingLabel.empty() && !m_labelSeen;
    if (pa.ls > 0)
        generated = listLabel(pa, st, wanted);
    else if (pa.pn > 0)
        generated = pnLabel(pa, st, wanted);
    if (!m_pendingLabel.empty()) {
        beginContent(forceTable);
        for (const auto& [text, state] : m_pendingLabel)
            m_sink.text(text, state, m_tables);
        m_pendingLabel.clear();
    } else if (!m_labelSeen && !generated.isEmpty()) {
        beginContent(forceTable);
        m_sink.text(generated, st, m_tables);
    }
}

template <class Sink>
void Parser<Sink>::paragraphDone()
{
    m_paraStarted = false;
    m_labelSeen = false;
    m_prevPnNumbered = m_pnNumbered;
    m_pnNumbered = false;
}

template <class Sink>
void Parser<Sink>::endParagraph()
{
    resolveSurrogate();
    flushRun();
    startParagraph(false, g().ch);
    beginContent(false);
    m_sink.paragraphEnd(g().pa, m_tables);
    paragraphDone();
}

template <class Sink>
void Parser<Sink>::openGroup()
{
    m_ucSkip = 0;
    dropPartial();
    m_star = false;
    m_atGroupStart = true;
    if (m_stack.empty()) {
        if (m_done)
            return;
        m_stack.push_back(Group{});
        refreshTable();
        return;
    }
    m_stack.push_back(m_stack.back());
}

template <class Sink>
void Parser<Sink>::closeGroup()
{
    m_ucSkip = 0;
    dropPartial();
    m_star = false;
    m_atGroupStart = false;
    if (m_stack.empty())
        return;
    if (m_stack.size() == 1) {
        resolveSurrogate();
        flushRun();
        m_lastPara = g().pa;
        m_stack.pop_back();
        m_done = true;  // what follows the document's final brace is not part of it
        return;
    }
    const Group popped = m_stack.back();
    const Group& parent = m_stack[m_stack.size() - 2];
    if (!m_run.empty() && !(popped.pa == parent.pa))
        flushRun();
    m_stack.pop_back();
    m_stateDirty = true;
    if (popped.dest == Dest::FontTable) {
        finishFontEntry();
        if (g().dest != Dest::FontTable)
            g().codePage = codePageForFont(g().ch.font);
    } else if (popped.dest == Dest::Pict && g().dest != Dest::Pict) {
        finishPicture();
    } else if (popped.dest == Dest::Pn && g().dest == Dest::Text) {
        finishPn();
    }
    while (!m_fields.empty() && m_fields.back().depth > int(m_stack.size())) {
        // A field other than a link or a symbol is kept as the text of its result only.
        const Field& f = m_fields.back();
        if (!f.resultSeen && !f.inst.trimmed().isEmpty())
            m_lost |= LostFields;
        m_fields.pop_back();
    }
    if (m_labelDepth > m_stack.size()) {
        resolveSurrogate();
        flushRun();  // the label's last run joins the pending label
        m_labelDepth = 0;
    }
    if (m_shapeTextDepth > m_stack.size())
        m_shapeTextDepth = 0;
    if (m_shapeDepth > m_stack.size())
        m_shapeDepth = 0;
    refreshTable();
}

template <class Sink>
void Parser<Sink>::skipGroup(const unsigned char*& p, const unsigned char* end)
{
    int depth = 1;
    while (p < end) {
        const unsigned char c = *p++;
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0) {
                closeGroup();
                return;
            }
        } else if (c == '\\' && p < end) {
            if (*p == 'b' && end - p > 3 && p[1] == 'i' && p[2] == 'n' && !isLetter(p[3])) {
                p += 3;
                long long n = 0;
                int digits = 0;
                while (p < end && *p >= '0' && *p <= '9') {
                    if (digits++ < 11)
                        n = n * 10 + (*p - '0');
                    ++p;
                }
                if (p < end && *p == ' ')
                    ++p;
                p += std::min<long long>(n, end - p);
            } else if (!isLetter(*p)) {
                ++p;  // \{ \} \\ and the like are not group boundaries
            }
        }
    }
}

template <class Sink>
int Parser<Sink>::codePageForFont(int font) const
{
    const FontInfo* f = m_tables.font(font < 0 ? m_tables.defaultFont : font);
    if (f && f->codePage >= 0)
        return f->codePage;
    return m_tables.documentCodePage;
}

template <class Sink>
void Parser<Sink>::refreshTable()
{
    if (m_stack.empty())
        return;
    const int cp = g().codePage;
    if (cp != m_tableCp) {
        m_tableCp = cp;
        m_table = singleByteTable(cp);
    }
}

template <class Sink>
void Parser<Sink>::finishFontEntry()
{
    if (!m_fontPending)
        return;
    m_fontPending = false;
    flushFontBytes();
    QString name = std::exchange(m_fontText, QString());
    name = name.trimmed();
    if (m_tables.font(m_fontNumber) || m_tables.fonts.size() >= 4096)
        return;
    m_tables.fonts.insert(m_fontNumber, FontInfo{name, codePageOfFont(name, m_fontCpg >= 0 ? m_fontCpg : m_fontCharsetCp)});
}

// Decodes the bytes of a font name gathered so far in the font's own code page.
template <class Sink>
void Parser<Sink>::flushFontBytes()
{
    if (m_fontName.isEmpty())
        return;
    const int cp = m_fontCpg >= 0 ? m_fontCpg : m_fontCharsetCp >= 0 ? m_fontCharsetCp : m_tables.documentCodePage;
    if (const auto* table = singleByteTable(cp)) {
        for (char b : std::as_const(m_fontName))
            m_fontText.append(QChar((*table)[static_cast<unsigned char>(b)]));
    } else {
        const auto* bytes = reinterpret_cast<const unsigned char*>(m_fontName.constData());
        for (qsizetype i = 0; i < m_fontName.size();) {
            const int n = int(std::min<qsizetype>(sequenceLength(cp, bytes[i]), m_fontName.size() - i));
            m_fontText += decodeMultiByte(cp, bytes + i, n);
            i += n;
        }
    }
    m_fontName.clear();
}

template <class Sink>
void Parser<Sink>::finishPicture()
{
    // Trust the bytes, not the control word: only real PNG and JPEG data is shown.
    PictKind kind = PictKind::Other;
    if (m_pict.kind != PictKind::Other && m_pict.data.startsWith("\x89PNG\r\n\x1a\n"))
        kind = PictKind::Png;
    else if (m_pict.kind != PictKind::Other && m_pict.data.startsWith("\xFF\xD8\xFF"))
        kind = PictKind::Jpeg;
    if (kind != PictKind::Other && !g().ch.hidden && g().dest == Dest::Text) {
        m_pict.kind = kind;
        resolveSurrogate();
        flushRun();
        startParagraph(false, g().ch);
        beginContent(false);
        m_sink.image(m_pict, g().ch, m_tables);
    } else if (kind == PictKind::Other && !g().ch.hidden && g().dest == Dest::Text) {
        m_lost |= LostPictures;  // WMF, EMF, bitmaps: not shown, so not written again
    }
    m_pict = Picture{};
    m_nibble = -1;
}

template <class Sink>
void Parser<Sink>::setFont(int font)
{
    g().ch.font = font;
    g().codePage = codePageForFont(font);
    refreshTable();
    m_stateDirty = true;
}

template <class Sink>
void Parser<Sink>::controlWord(std::string_view name, bool hasParam, int param)
{
    const bool star = m_star;
    m_star = false;
    m_atGroupStart = false;
    dropPartial();
    if (m_ucSkip > 0) {  // a control word stands for one character of a \uN fallback
        --m_ucSkip;
        return;
    }
    const KwInfo info = lookupKeyword(name);
    Group& grp = g();
    const auto flag = [&] { return !hasParam || param != 0; };

    if (destinationWord(info, grp, star, param))
        return;
    if (star) {  // an unknown destination that may be ignored
        grp.dest = Dest::Skip;
        return;
    }

    switch (grp.dest) {
    case Dest::FontTable:
        switch (info.kw) {
        case KwU:
            if (m_fontPending && m_fontName.size() + m_fontText.size() < 255) {
                flushFontBytes();
                const int v = param < 0 ? param + 65536 : param;
                m_fontText.append(QChar(char16_t(v >= 0x20 && v <= 0xFFFF ? v : 0xFFFD)));
            }
            m_ucSkip = grp.uc;
            break;
        case KwF:
            finishFontEntry();
            m_fontPending = true;
            m_fontNumber = param;
            m_fontCharsetCp = -1;
            m_fontCpg = -1;
            m_fontName.clear();
            m_fontText.clear();
            break;
        case KwFcharset:
            m_fontCharsetCp = codePageOfCharset(param);
            break;
        case KwCpg:
            m_fontCpg = param > 0 && param < 100000 ? canonicalCodePage(param) : -1;
            break;
        default:
            break;
        }
        return;
    case Dest::ColorTable:
        if (info.kw == KwRed)
            m_red = clampInt(param, 0, 255);
        else if (info.kw == KwGreen)
            m_green = clampInt(param, 0, 255);
        else if (info.kw == KwBlue)
            m_blue = clampInt(param, 0, 255);
        return;
    case Dest::Pict:
        switch (info.kw) {
        case KwPngBlip: m_pict.kind = PictKind::Png; break;
        case KwJpegBlip: m_pict.kind = PictKind::Jpeg; break;
        // A picture is never laid out larger than 44 inches, whatever the file claims.
        case KwPicw: m_pict.picw = clampInt(param, 0, 4224); break;
        case KwPich: m_pict.pich = clampInt(param, 0, 4224); break;
        case KwPicwGoal: m_pict.goalw = clampInt(param, 0, 63360); break;
        case KwPichGoal: m_pict.goalh = clampInt(param, 0, 63360); break;
        case KwScaleX: m_pict.scalex = clampInt(param, 1, 100); break;
        case KwScaleY: m_pict.scaley = clampInt(param, 1, 100); break;
        default: break;
        }
        return;
    case Dest::Pn:
        switch (info.kw) {
        case KwPnLvlBlt: m_pn.level = kPnBullet; break;
        case KwPnLvlBody: m_pn.level = 0; break;
        case KwPnLvlCont: m_pn.level = kPnContinue; break;
        case KwPnLvl: m_pn.level = clampInt(param, 1, 9); break;
        case KwPnDec: m_pn.nfc = 0; break;
        case KwPnUcRm: m_pn.nfc = 1; break;
        case KwPnLcRm: m_pn.nfc = 2; break;
        case KwPnUcLtr: m_pn.nfc = 3; break;
        case KwPnLcLtr: m_pn.nfc = 4; break;
        case KwPnStart: m_pn.start = clampInt(param, 0, 32767); break;
        case KwPnF:
            // The label's text is in the label's font (a bullet in Symbol, say).
            m_pn.font = param;
            grp.codePage = codePageForFont(param);
            refreshTable();
            break;
        case KwPnFs: m_pn.halfPoints = clampInt(param, 0, 3276); break;
        case KwPnCf: m_pn.fg = clampInt(param, 0, 65535); break;
        case KwPnB: m_pn.bold = flag(); break;
        case KwPnI: m_pn.italic = flag(); break;
        default: break;
        }
        return;
    case Dest::ListTable: {
        ListDef* list = m_lists.empty() ? nullptr : &m_lists.back();
        ListLevel* level = list && m_level >= 0 && m_level < 9 ? &list->levels[size_t(m_level)] : nullptr;
        switch (info.kw) {
        case KwListId:
            if (list && !m_listById.contains(param)) {
                list->id = param;
                m_listById.insert(param, int(m_lists.size() - 1));
            }
            break;
        case KwLevelNfc: if (level) level->nfc = clampInt(param, 0, 255); break;
        case KwLevelStartAt: if (level) level->start = clampInt(param, 0, 32767); break;
        case KwLevelFollow: if (level) level->follow = clampInt(param, 0, 2); break;
        case KwLevelLegal: if (level) level->legal = flag(); break;
        case KwLevelNoRestart: if (level) level->noRestart = flag(); break;
        case KwF: if (level) level->font = param; break;
        default: break;
        }
        return;
    }
    case Dest::LevelText:
        if (info.kw == KwU)
            onUnicode(param);
        return;
    case Dest::ListOverrides:
        if (info.kw == KwListId)
            m_overrideId = param;
        else if (info.kw == KwLs)
            m_overrideLs = param;
        if (m_overrideId && m_overrideLs && m_listIdOfLs.size() < 4096 && !m_listIdOfLs.contains(m_overrideLs))
            m_listIdOfLs.insert(m_overrideLs, m_overrideId);
        return;
    case Dest::Note:
        if (info.kw == KwFtnAlt && m_markInRun && m_run.size() == m_markEnd) {
            // An endnote: its own sequence, in lower-case roman numerals as Word numbers them.
            m_run.resize(m_markStart);
            --m_footnotes;
            for (QChar c : formatNumber(++m_endnotes, 2))
                m_run.push_back(c.unicode());
            m_markInRun = false;
        }
        return;
    case Dest::Skip:
    case Dest::Upr:
        return;
    case Dest::FieldInst:
    case Dest::PnBefore:
    case Dest::PnAfter:
        if (info.kw == KwU)
            onUnicode(param);
        else if (info.kw == KwChar)
            putChar(info.ch);
        else if (info.kw == KwTab && grp.dest == Dest::FieldInst)
            putChar(u'\t');
        else if (info.kw == KwLine && grp.dest == Dest::FieldInst)
            putChar(0x2028);
        return;
    case Dest::Text:
        break;
    }

    CharState& ch = grp.ch;
    ParaState& pa = grp.pa;
    switch (info.kw) {
    case KwPar:
    case KwSect:
        endParagraph();
        break;
    case KwLine: putChar(0x2028); break;
    case KwTab: putChar(u'\t'); break;
    case KwChar: putChar(info.ch); break;
    case KwU: onUnicode(param); break;
    case KwUc: grp.uc = std::uint8_t(clampInt(param, 0, 16)); break;
    case KwChftn:
        // The footnote's mark: its number (the footnote itself is not shown).
        resolveSurrogate();
        prepareAppend();  // a format change flushes the run before the mark, not after
        m_markStart = m_run.size();
        putString(QString::number(++m_footnotes));
        m_markEnd = m_run.size();
        m_markInRun = m_markEnd > m_markStart;
        break;
    case KwPlain: {
        const int link = ch.link;
        ch = CharState{};
        ch.link = link;
        setFont(-1);
        break;
    }
    case KwB: ch.bold = flag(); m_stateDirty = true; break;
    case KwI: ch.italic = flag(); m_stateDirty = true; break;
    case KwUl: ch.underline = flag(); m_stateDirty = true; break;
    case KwUlNone: ch.underline = false; m_stateDirty = true; break;
    case KwStrike: ch.strike = flag(); m_stateDirty = true; break;
    case KwV: ch.hidden = flag(); m_stateDirty = true; break;
    case KwSuper: ch.vertical = 1; m_stateDirty = true; break;
    case KwSub: ch.vertical = 2; m_stateDirty = true; break;
    case KwNoSuperSub: ch.vertical = 0; m_stateDirty = true; break;
    case KwF: setFont(hasParam ? param : -1); break;
    case KwFs: ch.halfPoints = hasParam ? clampInt(param, 2, 3276) : 24; m_stateDirty = true; break;
    case KwCf: ch.fg = clampInt(param, 0, 65535); m_stateDirty = true; break;
    case KwCb:
    case KwHighlight: ch.bg = clampInt(param, 0, 65535); m_stateDirty = true; break;
    case KwAnsiCpg:
        if (param > 0 && param < 100000) {
            m_tables.documentCodePage = canonicalCodePage(param);
            grp.codePage = codePageForFont(ch.font);
            refreshTable();
        }
        break;
    case KwAnsi: m_tables.documentCodePage = 1252; break;
    case KwMac: m_tables.documentCodePage = 10000; break;
    case KwPc: m_tables.documentCodePage = 437; break;
    case KwPca: m_tables.documentCodePage = 850; break;
    case KwDeff:
        m_tables.defaultFont = param;
        break;
    case KwDeftab:
        if (param > 0)
            m_tables.defaultTab = clampInt(param, 15, 31680);
        break;
    default:
        break;
    }
    switch (info.kw) {  // paragraph properties: the text so far belongs to the paragraph as it was
    case KwPard: flushRun(); pa = ParaState{}; m_tabKind = 0; break;
    case KwQl: pa.align = 0; break;
    case KwQr: pa.align = 1; break;
    case KwQc: pa.align = 2; break;
    case KwQj: pa.align = 3; break;
    case KwLi: pa.li = clampInt(param, -31680, 31680); break;
    case KwRi: pa.ri = clampInt(param, -31680, 31680); break;
    case KwFi: pa.fi = clampInt(param, -31680, 31680); break;
    case KwSb: pa.sb = clampInt(param, 0, 31680); break;
    case KwSa: pa.sa = clampInt(param, 0, 31680); break;
    case KwTqr: m_tabKind = 1; break;
    case KwTqc: m_tabKind = 2; break;
    case KwTqdec: m_tabKind = 3; break;
    case KwTx: addTab(pa, param); break;
    case KwLs: pa.ls = std::max(param, 0); break;
    case KwIlvl: pa.ilvl = clampInt(param, 0, 8); break;
    case KwIntbl: flushRun(); pa.intbl = true; break;
    case KwItap: flushRun(); pa.intbl = param > 0; break;
    case KwTrowd:
        flushRun();
        pa.intbl = true;
        m_cellx.clear();
        break;
    case KwCellx:
        if (m_cellx.size() < size_t(kMaxColumns))
            m_cellx.push_back(param);
        break;
    case KwCell:
        resolveSurrogate();
        flushRun();
        startParagraph(true, ch);
        beginContent(true);
        if (m_col + 1 >= kMaxColumns)
            m_sink.paragraphEnd(pa, m_tables);  // cells past the limit run on in the last one
        else
            m_sink.cellEnd(pa, m_tables);
        paragraphDone();
        ++m_col;
        break;
    case KwNestCell:
    case KwNestRow:
        // Nested tables are flattened: each nested cell is a paragraph of the outer cell.
        m_lost |= LostNestedTables;
        if (info.kw == KwNestCell)
            endParagraph();
        break;
    case KwRow:
        resolveSurrogate();
        flushRun();
        if (m_inTable) {
            m_sink.rowEnd(m_cellx);
            m_col = 0;
        }
        break;
    default:
        break;
    }
}

// Words that open a destination or mark a group; true when the word is dealt with.
template <class Sink>
bool Parser<Sink>::destinationWord(const KwInfo& info, Group& grp, bool star, int param)
{
    switch (info.kw) {
    case KwField: case KwFldinst: case KwFldrslt: case KwPictDest: case KwFontTbl: case KwColorTbl:
    case KwSkipDest: case KwTransparentDest: case KwUpr: case KwUd: case KwPn: case KwPnTxta: case KwPnTxtb:
    case KwPnText: case KwListText: case KwListTable: case KwListOverrideTable: case KwList:
    case KwListOverride: case KwListLevel: case KwLevelText: case KwShp: case KwShpTxt: case KwShpRslt:
    case KwObject: case KwDrawingObject: case KwFootnote:
        break;
    default:
        return false;
    }
    // Inside a picture only its own words count: a group within it is skipped whole, as the
    // plain-text path skips the whole picture.
    if (grp.dest == Dest::Pict) {
        grp.dest = Dest::Skip;
        return true;
    }
    const bool inText = grp.dest == Dest::Text;
    switch (info.kw) {
    case KwSkipDest:
        if (inText)
            m_lost |= info.ch;
        grp.dest = Dest::Skip;
        break;
    case KwTransparentDest:
        break;
    case KwFontTbl:
        grp.dest = Dest::FontTable;
        m_fontPending = false;
        break;
    case KwColorTbl:
        grp.dest = Dest::ColorTable;
        m_red = m_green = m_blue = -1;
        break;
    case KwField:
        if (inText && m_fields.size() < size_t(kMaxFields))
            m_fields.push_back(Field{QString(), int(m_stack.size())});
        break;
    case KwFldinst:
        grp.dest = m_fields.empty() || !inText ? Dest::Skip : Dest::FieldInst;
        break;
    case KwFldrslt:
        if (grp.dest == Dest::FieldInst || grp.dest == Dest::Upr)
            grp.dest = Dest::Skip;
        if (grp.dest == Dest::Text && !m_fields.empty()) {
            Field& field = m_fields.back();
            const QString inst = field.inst.trimmed();
            const QString target = hyperlinkTarget(inst);
            if (!target.isEmpty()) {
                field.resultSeen = true;
                if (m_tables.links.empty() || m_tables.links.back() != target)
                    m_tables.links.push_back(target);
                grp.ch.link = int(m_tables.links.size());
                m_stateDirty = true;
            } else if (const auto symbol = symbolField(inst)) {
                // The character is in the instruction; the result repeats it, if anything.
                field.resultSeen = true;
                emitSymbol(*symbol);
                grp.dest = Dest::Skip;
            }
        }
        break;
    case KwPictDest:
        if (inText) {
            grp.dest = Dest::Pict;
            m_pict = Picture{};
            m_nibble = -1;
        } else {
            grp.dest = Dest::Skip;
        }
        break;
    case KwUpr:
        grp.outer = grp.dest;
        grp.dest = Dest::Upr;
        break;
    case KwUd:
        if (grp.dest == Dest::Upr)
            grp.dest = grp.outer;
        break;
    case KwPnText:
    case KwListText:
        if (inText && !m_labelDepth && !m_paraStarted) {
            m_labelSeen = true;
            m_labelDepth = m_stack.size();
        }
        break;
    case KwPn:
        if (inText) {
            grp.dest = Dest::Pn;
            m_pn = PnDef{};
        } else {
            grp.dest = Dest::Skip;
        }
        break;
    case KwPnTxta:
    case KwPnTxtb:
        grp.dest = grp.dest != Dest::Pn ? Dest::Skip : info.kw == KwPnTxtb ? Dest::PnBefore : Dest::PnAfter;
        break;
    case KwListTable:
        grp.dest = inText ? Dest::ListTable : Dest::Skip;
        break;
    case KwListOverrideTable:
        grp.dest = inText ? Dest::ListOverrides : Dest::Skip;
        break;
    case KwList:
        // A list outside the list table (some writers repeat one) is not text.
        if (grp.dest == Dest::ListTable && m_lists.size() < 1024) {
            m_lists.emplace_back();
            m_level = -1;
        } else if (grp.dest != Dest::ListTable) {
            grp.dest = Dest::Skip;
        }
        break;
    case KwListLevel:
        if (grp.dest == Dest::ListTable)
            ++m_level;
        else
            grp.dest = Dest::Skip;
        break;
    case KwLevelText:
        grp.dest = grp.dest == Dest::ListTable && !m_lists.empty() ? Dest::LevelText : Dest::Skip;
        break;
    case KwListOverride:
        if (grp.dest == Dest::ListOverrides)
            m_overrideLs = m_overrideId = 0;
        else
            grp.dest = Dest::Skip;
        break;
    case KwShp:
        // A group of shapes has one result for all of them, after them.
        if (inText) {
            m_lost |= LostShapes;
            if (!m_shapeDepth) {
                m_shapeDepth = m_stack.size();
                m_shapeHadText = false;
            }
        }
        break;
    case KwShpTxt:
        // A text box's text reads where the shape is anchored.
        if (inText) {
            m_shapeHadText = true;
            if (!m_shapeTextDepth) {
                m_shapeTextDepth = m_stack.size();
                m_shapeKeepsTable = grp.pa.intbl;  // the paragraph's, not the sink's state: both see the same
            }
        } else {
            grp.dest = Dest::Skip;
        }
        break;
    case KwShpRslt:
        if (m_shapeHadText)
            grp.dest = Dest::Skip;  // the same text again, for readers that know no shapes
        break;
    case KwObject:
    case KwDrawingObject:
        if (inText)
            m_lost |= info.kw == KwObject ? LostObjects : LostShapes;
        break;
    case KwFootnote:
        if (inText) {
            m_lost |= LostFootnotes;
            grp.dest = Dest::Note;
        } else {
            grp.dest = Dest::Skip;
        }
        break;
    default:
        break;
    }
    (void)star;
    (void)param;
    return true;
}

template <class Sink>
void Parser<Sink>::finishPn()
{
    if (m_pns.empty() || !(m_pns.back() == m_pn)) {
        if (m_pns.size() >= 4096)
            return;
        m_pns.push_back(m_pn);
    }
    g().pa.pn = int(m_pns.size());
}

template <class Sink>
void Parser<Sink>::emitSymbol(const SymbolField& field)
{
    if (field.kind == SymbolField::Unicode) {
        putChar(char16_t(field.code));
        return;
    }
    if (field.kind == SymbolField::ShiftJis) {
        const unsigned char bytes[2] = {static_cast<unsigned char>(field.code >> 8),
                                        static_cast<unsigned char>(field.code & 0xFF)};
        putString(field.code > 0xFF ? decodeMultiByte(932, bytes, 2) : decodeMultiByte(932, bytes + 1, 1));
        return;
    }
    int cp = g().codePage;
    if (!field.font.isEmpty()) {
        // A symbol font by its name; another font by the charset of its first entry of that name.
        cp = codePageOfFont(field.font, -1);
        if (cp == -1) {
            cp = m_tables.documentCodePage;
            int first = INT_MAX;
            for (auto it = m_tables.fonts.cbegin(); it != m_tables.fonts.cend(); ++it)
                if (it.key() < first && it->name.compare(field.font, Qt::CaseInsensitive) == 0) {
                    first = it.key();
                    cp = it->codePage >= 0 ? it->codePage : m_tables.documentCodePage;
                }
        }
    }
    const auto* table = singleByteTable(cp);
    int code = field.code;
    if (code >= 0xF000 && code <= 0xF0FF && isSymbolPage(cp))
        code -= 0xF000;
    if (code > 0xFF || !table)
        putChar(char16_t(field.code));
    else if (code >= 0x20)
        putChar((*table)[code]);
}

template <class Sink>
void Parser<Sink>::addTab(ParaState& pa, int twips)
{
    const std::uint8_t kind = std::exchange(m_tabKind, std::uint8_t(0));
    const auto& current = m_tables.tabSets[size_t(pa.tabs)];
    if (current.size() >= 64)
        return;
    std::vector<TabStop> set = current;
    const TabStop stop{clampInt(twips, 0, 31680), kind};
    auto it = std::lower_bound(set.begin(), set.end(), stop,
                               [](const TabStop& a, const TabStop& b) { return a.twips < b.twips; });
    if (it != set.end() && it->twips == stop.twips)
        *it = stop;
    else
        set.insert(it, stop);
    const QByteArray key(reinterpret_cast<const char*>(set.data()), qsizetype(set.size() * sizeof(TabStop)));
    auto found = m_tabIndex.constFind(key);
    if (found != m_tabIndex.constEnd()) {
        pa.tabs = found.value();
        return;
    }
    if (m_tables.tabSets.size() >= 4096)
        return;
    m_tables.tabSets.push_back(std::move(set));
    pa.tabs = int(m_tables.tabSets.size() - 1);
    m_tabIndex.insert(key, pa.tabs);
}

// The label a rich-edit control shows for a \pn paragraph: the text before, the number, the
// text after, and a tab. Numbers run on over consecutive numbered paragraphs.
template <class Sink>
QString Parser<Sink>::pnLabel(const ParaState& pa, CharState& st, bool wanted)
{
    const PnDef& d = m_pns[size_t(pa.pn - 1)];
    if (d.level == kPnContinue) {
        m_pnNumbered = m_prevPnNumbered;
        return {};
    }
    if (d.font >= 0)
        st.font = d.font;
    if (d.halfPoints > 0)
        st.halfPoints = d.halfPoints;
    if (d.fg >= 0)
        st.fg = d.fg;
    st.bold = st.bold || d.bold;
    st.italic = st.italic || d.italic;
    if (d.level == kPnBullet)
        return (d.before.isEmpty() && d.after.isEmpty() ? QStringLiteral("\u2022") : d.before + d.after)
               + QLatin1Char('\t');
    const size_t level = size_t(d.level);
    if (!m_prevPnNumbered)
        m_pnCounters.fill(0);
    m_pnCounters[level] = m_pnCounters[level] ? m_pnCounters[level] + 1 : d.start;
    for (size_t k = level + 1; k < m_pnCounters.size(); ++k)
        m_pnCounters[k] = 0;
    m_pnNumbered = true;
    if (!wanted)
        return {};
    return d.before + formatNumber(m_pnCounters[level], d.nfc) + d.after + QLatin1Char('\t');
}

// The label Word shows for a paragraph of list \ls at level \ilvl: the level's text with each
// level placeholder replaced by that level's number.
template <class Sink>
QString Parser<Sink>::listLabel(const ParaState& pa, CharState& st, bool wanted)
{
    const auto id = m_listIdOfLs.constFind(pa.ls);
    if (id == m_listIdOfLs.constEnd())
        return {};
    const auto index = m_listById.constFind(id.value());
    if (index == m_listById.constEnd())
        return {};
    ListDef& list = m_lists[size_t(index.value())];
    const size_t lvl = size_t(std::clamp(pa.ilvl, 0, 8));
    const ListLevel& level = list.levels[lvl];
    list.counters[lvl] = list.counters[lvl] ? list.counters[lvl] + 1 : std::max(level.start, 0) + 1;
    for (size_t k = lvl + 1; k < 9; ++k)
        if (!list.levels[k].noRestart)
            list.counters[k] = 0;
    if (!wanted)
        return {};
    if (level.font >= 0)
        st.font = level.font;
    const QString text = levelText(level);
    QString out;
    if (level.nfc == 23 && std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 9; })) {
        out = QStringLiteral("\u2022");  // a bullet level written with a number's text (TextEdit)
    } else {
        for (QChar c : text) {
            const char16_t u = c.unicode();
            if (u < 9) {
                const ListLevel& other = list.levels[u];
                // Counters are kept one above the number, so that 0 means "not started".
                const int n = list.counters[u] ? list.counters[u] - 1 : other.start;
                out += formatNumber(n, level.legal && u < lvl ? 0 : other.nfc);
            } else {
                out += c;
            }
        }
    }
    if (out.isEmpty())
        return {};
    if (level.follow == 0)
        out += QLatin1Char('\t');
    else if (level.follow == 1)
        out += QLatin1Char(' ');
    return out;
}

// A level's text decoded in the level's font: characters, and the level numbers 0..8 where
// the placeholders are. Its first unit is its length.
template <class Sink>
QString Parser<Sink>::levelText(const ListLevel& level) const
{
    const int cp = codePageForFont(level.font);
    const auto* table = singleByteTable(cp);
    QString out;
    if (level.text.empty())
        return out;
    const int first = level.text.front();
    const size_t length = size_t(first < 0 ? -first - 1 : first);
    for (size_t i = 1; i < level.text.size() && i <= length; ++i) {
        int v = level.text[i];
        if (v < 0) {
            const auto b = static_cast<unsigned char>(-v - 1);
            if (b < 9)
                out += QChar(char16_t(b));
            else if (table)
                out += QChar((*table)[b]);
            else
                out += decodeMultiByte(cp, &b, 1);
            continue;
        }
        if (v >= 0xF020 && v <= 0xF0FF)
            v = (*singleByteTable(isSymbolPage(cp) ? cp : kSymbolFontCodePage))[v - 0xF000];
        if (v >= 0x20 || v < 9)
            out += QChar(char16_t(v));
    }
    return out;
}

template <class Sink>
QString Parser<Sink>::formatNumber(int n, int nfc)
{
    switch (nfc) {
    case 1:
    case 2: {
        if (n <= 0 || n >= 4000)
            return QString::number(n);
        static const std::pair<int, const char*> numerals[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"},
                                                               {100, "C"},  {90, "XC"},  {50, "L"},  {40, "XL"},
                                                               {10, "X"},   {9, "IX"},   {5, "V"},   {4, "IV"},
                                                               {1, "I"}};
        QString out;
        for (const auto& [value, text] : numerals)
            for (; n >= value; n -= value)
                out += QLatin1String(text);
        return nfc == 2 ? out.toLower() : out;
    }
    case 3:
    case 4: {
        if (n <= 0)
            return QString::number(n);
        const QChar letter(char16_t((nfc == 3 ? u'A' : u'a') + (n - 1) % 26));
        return QString(std::min((n - 1) / 26 + 1, 10), letter);
    }
    case 22:
        return n >= 0 && n < 10 ? QLatin1Char('0') + QString::number(n) : QString::number(n);
    case 23:
    case 255:
        return {};
    default:
        return QString::number(n);
    }
}

}  // namespace richtext::detail
