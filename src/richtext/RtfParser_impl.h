#pragma once
// Definitions of the Parser template (included by RtfParser.h only).
#include <algorithm>

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
    m_stack.reserve(kMaxDepth + 1);
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
                    m_star = true;
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
            if (c == '\t')
                onByte(c);
            continue;
        }
        if (m_ucSkip == 0 && m_table && g().dest == Dest::Text && !g().ch.hidden && m_lead == 0) {
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
    m_sink.finish(m_stack.empty() ? m_lastPara : g().pa);
}

template <class Sink>
void Parser<Sink>::prepareAppend()
{
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
        if (g().ch.hidden)
            return;
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
    default:
        break;
    }
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
        if (b == '\t') {
            putChar(u'\t');
        } else if (m_table) {
            if (b >= 0x20 || b == 0)
                if (b)
                    putChar((*m_table)[b]);
        } else if (m_lead) {
            const QString s = decodeDoubleByte(g().codePage, m_lead, b);
            m_lead = 0;
            for (QChar ch : s)
                putChar(ch.unicode());
        } else if (b >= 0x80 && isLeadByte(g().codePage, b)) {
            m_lead = b;
        } else if (b >= 0x80) {
            const QString s = decodeDoubleByte(g().codePage, 0, b);
            for (QChar ch : s)
                putChar(ch.unicode());
        } else if (b >= 0x20) {
            putChar(b);
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

template <class Sink>
void Parser<Sink>::onUnicode(int value)
{
    if (value < 0)
        value += 65536;
    if (value < 0 || value > 0xFFFF)
        value = 0xFFFD;
    m_lead = 0;
    if (g().dest == Dest::Text || g().dest == Dest::FieldInst) {
        if (value == '\t' || value >= 0x20)
            putChar(char16_t(value));
    }
    m_ucSkip = g().uc;
}

template <class Sink>
void Parser<Sink>::flushRun()
{
    if (m_run.empty())
        return;
    beginContent(false);
    m_sink.text(QStringView(m_run.data(), qsizetype(m_run.size())), m_runState, m_tables);
    m_run.clear();
    m_stateDirty = true;
}

template <class Sink>
void Parser<Sink>::beginContent(bool forceTable)
{
    const bool want = forceTable || g().pa.intbl;
    if (want && !m_inTable) {
        m_sink.tableBegin();
        m_inTable = true;
        m_col = 0;
    } else if (!want && m_inTable) {
        m_sink.tableEnd();
        m_inTable = false;
    }
}

template <class Sink>
void Parser<Sink>::openGroup()
{
    m_ucSkip = 0;
    m_lead = 0;
    m_star = false;
    if (m_stack.empty()) {
        if (m_done)
            return;
        m_stack.push_back(Group{});
        refreshTable();
        return;
    }
    if (m_stack.size() >= size_t(kMaxDepth)) {
        ++m_overflow;
        return;
    }
    m_stack.push_back(m_stack.back());
}

template <class Sink>
void Parser<Sink>::closeGroup()
{
    m_ucSkip = 0;
    m_lead = 0;
    m_star = false;
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
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
    }
    while (!m_fields.empty() && m_fields.back().depth > int(m_stack.size()))
        m_fields.pop_back();
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
    m_tables.fonts.insert(m_fontNumber, FontInfo{name, m_fontCpg >= 0 ? m_fontCpg : m_fontCharsetCp});
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
        for (qsizetype i = 0; i < m_fontName.size(); ++i) {
            const auto b = static_cast<unsigned char>(m_fontName[i]);
            if (b >= 0x80 && isLeadByte(cp, b) && i + 1 < m_fontName.size())
                m_fontText += decodeDoubleByte(cp, b, static_cast<unsigned char>(m_fontName[++i]));
            else
                m_fontText += decodeDoubleByte(cp, 0, b);
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
        beginContent(false);
        m_sink.image(m_pict, g().ch, m_tables);
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
void Parser<Sink>::endParagraph()
{
    resolveSurrogate();
    flushRun();
    beginContent(false);
    m_sink.paragraphEnd(g().pa);
}

template <class Sink>
void Parser<Sink>::controlWord(std::string_view name, bool hasParam, int param)
{
    const bool star = m_star;
    m_star = false;
    m_lead = 0;
    if (m_ucSkip > 0) {  // a control word stands for one character of a \uN fallback
        --m_ucSkip;
        return;
    }
    const KwInfo info = lookupKeyword(name);
    Group& grp = g();
    const auto flag = [&] { return !hasParam || param != 0; };

    // Inside a picture only its own words count: a group within it is skipped whole, as the
    // plain-text path skips the whole picture.
    const bool destinationWord = info.kw == KwField || info.kw == KwFldinst || info.kw == KwFldrslt
                                 || info.kw == KwPictDest || info.kw == KwFontTbl || info.kw == KwColorTbl
                                 || info.kw == KwSkipDest || info.kw == KwTransparentDest || info.kw == KwUpr
                                 || info.kw == KwUd;
    if (grp.dest == Dest::Pict && (star || destinationWord)) {
        grp.dest = Dest::Skip;
        return;
    }

    // Destinations first: they decide how the rest of the group reads.
    switch (info.kw) {
    case KwSkipDest:
        grp.dest = Dest::Skip;
        return;
    case KwTransparentDest:
        return;
    case KwFontTbl:
        grp.dest = Dest::FontTable;
        m_fontPending = false;
        return;
    case KwColorTbl:
        grp.dest = Dest::ColorTable;
        m_red = m_green = m_blue = -1;
        return;
    case KwField:
        if (grp.dest == Dest::Text && m_fields.size() < size_t(kMaxFields))
            m_fields.push_back(Field{QString(), int(m_stack.size())});
        return;
    case KwFldinst:
        grp.dest = m_fields.empty() || grp.dest != Dest::Text ? Dest::Skip : Dest::FieldInst;
        return;
    case KwFldrslt:
        if (grp.dest == Dest::FieldInst || grp.dest == Dest::Upr)
            grp.dest = Dest::Skip;
        if (grp.dest == Dest::Text && !m_fields.empty()) {
            const QString target = hyperlinkTarget(m_fields.back().inst.trimmed());
            if (!target.isEmpty()) {
                if (m_tables.links.empty() || m_tables.links.back() != target)
                    m_tables.links.push_back(target);
                grp.ch.link = int(m_tables.links.size());
                m_stateDirty = true;
            }
        }
        return;
    case KwPictDest:
        if (grp.dest == Dest::Text) {
            grp.dest = Dest::Pict;
            m_pict = Picture{};
            m_nibble = -1;
        } else {
            grp.dest = Dest::Skip;
        }
        return;
    case KwUpr:
        grp.outer = grp.dest;
        grp.dest = Dest::Upr;
        return;
    case KwUd:
        if (grp.dest == Dest::Upr)
            grp.dest = grp.outer;
        return;
    default:
        break;
    }
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
            m_fontCpg = param > 0 && param < 100000 ? param : -1;
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
    case Dest::Skip:
    case Dest::Upr:
        return;
    case Dest::FieldInst:
        if (info.kw == KwU)
            onUnicode(param);
        else if (info.kw == KwChar)
            putChar(info.ch);
        else if (info.kw == KwTab)
            putChar(u'\t');
        else if (info.kw == KwLine)
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
            m_tables.documentCodePage = param;
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
    default:
        break;
    }
    switch (info.kw) {  // paragraph properties: the text so far belongs to the paragraph as it was
    case KwPard: flushRun(); pa = ParaState{}; break;
    case KwQl: pa.align = 0; break;
    case KwQr: pa.align = 1; break;
    case KwQc: pa.align = 2; break;
    case KwQj: pa.align = 3; break;
    case KwLi: pa.li = clampInt(param, -31680, 31680); break;
    case KwRi: pa.ri = clampInt(param, -31680, 31680); break;
    case KwFi: pa.fi = clampInt(param, -31680, 31680); break;
    case KwSb: pa.sb = clampInt(param, 0, 31680); break;
    case KwSa: pa.sa = clampInt(param, 0, 31680); break;
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
        beginContent(true);
        if (m_col + 1 >= kMaxColumns)
            m_sink.paragraphEnd(pa);  // cells past the limit run on in the last one
        else
            m_sink.cellEnd(pa);
        ++m_col;
        break;
    case KwNestCell:
    case KwNestRow:
        // Nested tables are flattened: each nested cell is a paragraph of the outer cell.
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

}  // namespace richtext::detail
