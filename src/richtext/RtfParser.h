#pragma once
// The RTF tokenizer and interpreter shared by the document reader and the plain-text fast
// path. It keeps the group stack (character and paragraph state, destination, \uc, code page)
// and hands a sink runs of text with their state plus paragraph, table and picture events.
// It is a template on the sink so the plain-text path pays nothing for formatting.
//
// Bounds that keep hostile input cheap: groups deeper than kMaxDepth are counted but not
// stacked (their content reads with the state of the deepest stacked group), numbers are
// clamped, \bin never reaches past the end, tables get at most kMaxColumns columns.
#include "Codepages.h"
#include "RtfKeywords.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace richtext::detail {

inline constexpr int kMaxDepth = 256;
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
    bool intbl = false;
    bool operator==(const ParaState&) const = default;
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
    int defaultFont = 0;
    int documentCodePage = 1252;

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
//   void paragraphEnd(const ParaState&);      \par: the paragraph just ended had these properties
//   void tableBegin(); void tableEnd();
//   void cellEnd(const ParaState&);           \cell: ends the cell's last paragraph too
//   void rowEnd(const std::vector<int>& cellx);
//   void image(const Picture&, const CharState&, const Tables&);
//   void finish(const ParaState&);            end of input: the last paragraph's properties
// Text reaches a sink already cleaned of characters a document cannot hold as text
// (controls other than tab, paragraph and frame separators, lone surrogates).
template <class Sink>
class Parser {
public:
    Parser(Sink& sink) : m_sink(sink) {}

    void parse(QByteArrayView input);
    const Tables& tables() const { return m_tables; }

private:
    enum class Dest : std::uint8_t { Text, Skip, FontTable, ColorTable, FieldInst, Pict, Upr };

    struct Group {
        CharState ch;
        ParaState pa;
        Dest dest = Dest::Text;
        std::uint8_t uc = 1;
        Dest outer = Dest::Text;  // what \ud restores inside \upr
        int codePage = 1252;
    };


    // Text and bytes.
    void prepareAppend();
    void putChar(char16_t c);
    void resolveSurrogate();
    void onByte(unsigned char b);
    void onUnicode(int value);
    void flushRun();
    void consumeSkip() { --m_ucSkip; }

    // Structure.
    void beginContent(bool forceTable);
    void endParagraph();
    void openGroup();
    void closeGroup();
    void controlWord(std::string_view name, bool hasParam, int param);
    void finishFontEntry();
    void flushFontBytes();
    void finishPicture();
    void skipGroup(const unsigned char*& p, const unsigned char* end);
    int codePageForFont(int font) const;
    void setFont(int font);
    void refreshTable();

    Group& g() { return m_stack.back(); }

    Sink& m_sink;
    Tables m_tables;
    std::vector<Group> m_stack;
    int m_overflow = 0;  // groups opened beyond kMaxDepth
    bool m_done = false;
    bool m_star = false;
    int m_ucSkip = 0;
    const std::array<char16_t, 256>* m_table = nullptr;  // for g().codePage, nullptr: DBCS
    int m_tableCp = -1;
    unsigned char m_lead = 0;

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
    };
    std::vector<Field> m_fields;
    Picture m_pict;
    int m_pictDepth = 0;
    int m_nibble = -1;
};

}  // namespace richtext::detail

#include "RtfParser_impl.h"
