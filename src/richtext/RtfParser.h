#pragma once
// The RTF tokenizer and interpreter shared by the document reader and the plain-text fast
// path. It keeps the group stack (character and paragraph state, destination, \uc, code page)
// and hands a sink runs of text with their state plus paragraph, table and picture events.
// It is a template on the sink so the plain-text path pays nothing for formatting.
//
// Bounds that keep hostile input cheap: the group stack grows with the input (one entry per
// open brace, so memory stays proportional to it whatever the depth), numbers are clamped,
// \bin never reaches past the end, tables get at most kMaxColumns columns, and the tables of
// fonts, colours, lists and tab stops stop growing at a fixed size.
//
// List labels: a paragraph's label is the text of its \listtext or \pntext group. A list
// paragraph without one (files not written by Word or a rich-edit control) gets the label
// those programs would show, built from its \pn group or from the list table (\ls, \ilvl).
#include "Codepages.h"
#include "RtfKeywords.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QStringList>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace richtext::detail {

inline constexpr int kMaxColumns = 64;
inline constexpr int kMaxFields = 32;
inline constexpr int kMagicBytes = 8;  // enough of a picture to tell PNG and JPEG data

struct CharState {
    int font = -1;          // font number from the table, -1: the \deff font
    int halfPoints = 24;    // \fs, RTF's default 12 pt
    int fg = 0;             // colour table index, 0: automatic
    int bg = 0;
    int link = 0;           // 1-based index into Tables::links, 0: none
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    std::int8_t vertical = 0;  // 0 baseline, 1 superscript, 2 subscript
    bool operator==(const CharState&) const = default;
};

struct ParaState {
    int align = 0;  // 0 left, 1 right, 2 centre, 3 justified
    int li = 0, ri = 0, fi = 0, sb = 0, sa = 0;  // twips
    int tabs = 0;          // index into Tables::tabSets, 0: no tab stops of its own
    int ls = 0, ilvl = 0;  // list (\ls) and its level
    int pn = 0;            // 1-based index of its \pn numbering, 0: none
    bool intbl = false;
    bool operator==(const ParaState&) const = default;
};

struct TabStop {
    int twips = 0;
    std::uint8_t kind = 0;  // 0 left, 1 right, 2 centre, 3 decimal
    bool operator==(const TabStop&) const = default;
    auto operator<=>(const TabStop&) const = default;
};

struct FontInfo {
    QString name;
    int codePage = -1;  // -1: the document's
};

// Tables the sink needs to turn a CharState into a format.
struct Tables {
    QHash<int, FontInfo> fonts;  // by font number
    std::vector<QColor> colors;                   // index 0 is "auto" (invalid)
    std::vector<QString> links;
    std::vector<std::vector<TabStop>> tabSets{{}};  // index 0 is "none"
    int defaultFont = 0;
    int documentCodePage = 1252;
    int defaultTab = 720;  // \deftab, twips

    const FontInfo* font(int number) const
    {
        const auto it = fonts.constFind(number);
        return it == fonts.constEnd() ? nullptr : &it.value();
    }
    QColor color(int index) const
    {
        return index > 0 && size_t(index) < colors.size() ? colors[size_t(index)] : QColor();
    }
};

enum class PictKind : std::uint8_t { Other, Png, Jpeg };

struct Picture {
    PictKind kind = PictKind::Other;
    int picw = 0, pich = 0, goalw = 0, goalh = 0, scalex = 100, scaley = 100;
    QByteArray data;
};

// A sink has:
//   static constexpr bool kFormats, kImages;  whether it looks at CharState / picture data
//   void text(QStringView, const CharState&, const Tables&);
//   void paragraphEnd(const ParaState&, const Tables&);  \par: the paragraph just ended had these
//   void tableBegin(); void tableEnd();
//   void cellEnd(const ParaState&, const Tables&);       \cell: ends the cell's last paragraph too
//   void rowEnd(const std::vector<int>& cellx);
//   void image(const Picture&, const CharState&, const Tables&);
//   void finish(const ParaState&, const Tables&);        end of input: the last paragraph's
// Text reaches a sink already cleaned of characters a document cannot hold as text
// (controls other than tab, paragraph and frame separators, lone surrogates).
template <class Sink>
class Parser {
public:
    Parser(Sink& sink) : m_sink(sink) {}

    void parse(QByteArrayView input);
    const Tables& tables() const { return m_tables; }
    // What of the input a write of the document would not keep (Lost bits).
    std::uint16_t lost() const { return m_lost; }

private:
    enum class Dest : std::uint8_t {
        Text, Skip, FontTable, ColorTable, FieldInst, Pict, Upr,
        Pn, PnBefore, PnAfter,                 // a \pn group and its text before and after the number
        ListTable, LevelText, ListOverrides,   // Word's list table
        Note,                                  // a footnote: not shown, but it may say it is an endnote
    };

    struct Group {
        CharState ch;
        ParaState pa;
        Dest dest = Dest::Text;
        std::uint8_t uc = 1;
        Dest outer = Dest::Text;  // what \ud restores inside \upr
        int codePage = 1252;
    };


    // \pn: rich-edit paragraph numbering.
    struct PnDef {
        int level = 0;  // 0 numbered body, 1..9 outline level, kPnBullet, kPnContinue
        int nfc = 0;    // as \levelnfc: 0 decimal, 1/2 upper/lower roman, 3/4 upper/lower letter
        int start = 1;
        int font = -1, halfPoints = 0, fg = -1;
        bool bold = false, italic = false;
        QString before, after;
        bool operator==(const PnDef&) const = default;
    };
    static constexpr int kPnBullet = 10, kPnContinue = 11;

    // Word's list table: a list's levels, numbered by its \listid, reached through \ls.
    struct ListLevel {
        int nfc = 0, start = 1, follow = 0, font = -1;
        bool legal = false, noRestart = false;
        std::vector<int> text;  // \leveltext: >= 0 a character, < 0 the byte -(v + 1)
    };
    struct ListDef {
        int id = 0;
        std::array<ListLevel, 9> levels;
        std::array<int, 9> counters{};  // 0: not started
    };

    // Text and bytes.
    void prepareAppend();
    void putChar(char16_t c);
    void putString(QStringView s);
    void resolveSurrogate();
    void onByte(unsigned char b);
    void onMultiByte(unsigned char b);
    void onUnicode(int value);
    void flushRun();
    void consumeSkip() { --m_ucSkip; }
    void dropPartial() { m_mbLen = 0; }

    // Structure.
    void beginContent(bool forceTable);
    void startParagraph(bool forceTable, const CharState& base);
    void endParagraph();
    void paragraphDone();
    void openGroup();
    void closeGroup();
    void controlWord(std::string_view name, bool hasParam, int param);
    bool destinationWord(const KwInfo& info, Group& grp, bool star, int param);
    void finishFontEntry();
    void flushFontBytes();
    void finishPicture();
    void finishPn();
    void emitSymbol(const SymbolField& field);
    void addTab(ParaState& pa, int twips);
    void skipGroup(const unsigned char*& p, const unsigned char* end);
    int codePageForFont(int font) const;
    void setFont(int font);
    void refreshTable();

    // Labels.
    QString pnLabel(const ParaState& pa, CharState& st, bool wanted);
    QString listLabel(const ParaState& pa, CharState& st, bool wanted);
    QString levelText(const ListLevel& level) const;
    static QString formatNumber(int n, int nfc);

    Group& g() { return m_stack.back(); }

    Sink& m_sink;
    Tables m_tables;
    std::vector<Group> m_stack;
    bool m_done = false;
    bool m_star = false;
    bool m_atGroupStart = false;  // nothing but the opening brace read in this group yet
    int m_ucSkip = 0;
    const std::array<char16_t, 256>* m_table = nullptr;  // for g().codePage, nullptr: multi-byte
    int m_tableCp = -1;
    unsigned char m_mb[4] = {};  // the bytes of a multi-byte character read so far
    int m_mbLen = 0, m_mbNeed = 0;
    std::uint16_t m_lost = 0;

    // The run of text not yet handed to the sink and its state.
    std::u16string m_run;
    CharState m_runState;
    bool m_stateDirty = true;
    char16_t m_pendingHigh = 0;  // a high surrogate half waiting for its low half
    ParaState m_lastPara;

    // Table state.
    bool m_inTable = false;
    int m_col = 0;
    std::vector<int> m_cellx;

    // The paragraph being read: whether its content (and so its label) has begun, the label
    // runs its \listtext or \pntext group gave, held until the paragraph's own properties are
    // known, and the numbering of \pn paragraphs, which runs on over consecutive ones.
    bool m_paraStarted = false;
    bool m_labelSeen = false;
    size_t m_labelDepth = 0;  // stack size inside a label group, 0: not in one
    std::vector<std::pair<QString, CharState>> m_pendingLabel;
    bool m_prevPnNumbered = false;
    bool m_pnNumbered = false;
    std::array<int, 10> m_pnCounters{};
    std::vector<PnDef> m_pns;
    PnDef m_pn;
    std::vector<ListDef> m_lists;
    QHash<int, int> m_listById;     // \listid → index into m_lists
    QHash<int, int> m_listIdOfLs;   // \ls → \listid
    int m_level = -1;               // level of the last list being read, -1 before its first
    int m_overrideLs = 0, m_overrideId = 0;
    std::uint8_t m_tabKind = 0;
    QHash<QByteArray, int> m_tabIndex;  // a tab set's bytes → its index in Tables::tabSets

    // Shapes: their text is read where they stand; a shape's result repeats it for older readers.
    size_t m_shapeDepth = 0;      // stack size inside the outermost shape, 0: not in one
    size_t m_shapeTextDepth = 0;
    bool m_shapeKeepsTable = false;
    bool m_shapeHadText = false;
    // Footnote marks: footnotes and endnotes are numbered apart, and a note says which it is
    // only after its mark (\chftn{\footnote\ftnalt ...}), so the mark is mended then.
    int m_footnotes = 0, m_endnotes = 0;
    size_t m_markStart = 0, m_markEnd = 0;
    bool m_markInRun = false;

    // Destinations being collected.
    int m_fontNumber = -1;
    int m_fontCharsetCp = -1;
    int m_fontCpg = -1;
    QByteArray m_fontName;  // bytes not yet decoded
    QString m_fontText;
    bool m_fontPending = false;
    int m_red = -1, m_green = -1, m_blue = -1;
    struct Field {
        QString inst;
        int depth = 0;
        bool resultSeen = false;
    };
    std::vector<Field> m_fields;
    Picture m_pict;
    int m_pictDepth = 0;
    int m_nibble = -1;
};

}  // namespace richtext::detail

#include "RtfParser_impl.h"
