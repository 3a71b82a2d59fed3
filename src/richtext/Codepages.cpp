#include "Codepages.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QStringDecoder>

#include <memory>

namespace richtext::detail {

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 1: return -1;  // DEFAULT_CHARSET: whatever the document says
    case 2: return kSymbolCodePage;
    case 77: return 10000;
    // The Mac charsets; the East Asian ones are their Windows pages' variants.
    case 78: return 932;
    case 79: return 949;
    case 80: return 936;
    case 81: return 950;
    case 82: return 1361;
    case 83: return canonicalCodePage(10005);
    case 84: return canonicalCodePage(10004);
    case 85: return 10006;
    case 86: return 10081;
    case 87: return canonicalCodePage(10021);
    case 88: return 10029;
    case 89: return 10007;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return -1;
    }
}

int codePageOfFont(const QString& name, int declared)
{
    // Writers give the Symbol font the symbol charset, the ANSI one or none; any other charset
    // (our own writer's Cyrillic one, an East Asian one) says what the bytes really are.
    if (declared != -1 && declared != 1252 && declared != kSymbolCodePage)
        return declared;
    if (name.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0)
        return kSymbolFontCodePage;
    if (name.compare(QLatin1String("Wingdings"), Qt::CaseInsensitive) == 0)
        return kWingdingsCodePage;
    return declared;
}

int canonicalCodePage(int cp)
{
    switch (cp) {
    case 10001: return 932;    // Mac Japanese: Shift_JIS
    case 10002: return 950;    // Mac traditional Chinese: Big5
    case 10003: return 949;    // Mac Korean
    case 10008: return 936;    // Mac simplified Chinese: GB2312
    case 10017: return 10007;  // Mac Ukrainian: Mac Cyrillic but for two letters
    // Pages ICU lacks: the Windows page of the same script (letters in the same places for
    // Hebrew; an approximation for the others) or Mac Roman for its Latin variants.
    case 10004: return 1256;
    case 10005: return 1255;
    case 10021: return 874;
    case 10010: case 10079: case 10082: return 10000;
    default: return cp;
    }
}

bool isSymbolPage(int cp)
{
    return cp == kSymbolCodePage || cp == kSymbolFontCodePage || cp == kWingdingsCodePage;
}

static bool isMultiByte(int cp)
{
    return cp == 932 || cp == 936 || cp == 949 || cp == 950 || cp == 1361 || cp == kUtf8CodePage;
}

// ICU knows the Windows pages as windows-N, the OEM ones as IBMN and the Mac ones by name.
static QStringDecoder decoderFor(int cp)
{
    QByteArray name;
    switch (cp) {
    case 437: case 737: case 775: case 850: case 852: case 855: case 857: case 860:
    case 861: case 862: case 863: case 864: case 865: case 866: case 869:
        name = "IBM" + QByteArray::number(cp);
        break;
    case 10000: name = "macintosh"; break;
    case 10006: name = "x-mac-greek"; break;
    case 10007: name = "x-mac-cyrillic"; break;
    case 10029: name = "x-mac-centraleurroman"; break;
    case 10081: name = "x-mac-turkish"; break;
    case 1361: name = "johab"; break;
    case 20866: name = "KOI8-R"; break;
    case 21866: name = "KOI8-U"; break;
    case kUtf8CodePage: name = "UTF-8"; break;
    default:
        if (cp >= 28591 && cp <= 28605)
            name = "ISO-8859-" + QByteArray::number(cp - 28590);
        else
            name = "windows-" + QByteArray::number(cp);
        break;
    }
    QStringDecoder d(name.constData(), QStringConverter::Flag::Stateless);
    if (!d.isValid() && cp >= 10000)
        d = QStringDecoder(("windows-" + QByteArray::number(cp)).constData(), QStringConverter::Flag::Stateless);
    return d;
}

// A font of the symbol charset other than the two below: its bytes read as 1252, but for the
// ones list writers use for bullets, which map to the characters they look like.
static void patchSymbol(std::array<char16_t, 256>& t)
{
    t[0xB7] = 0x2022;  // bullet
    t[0xA7] = 0x25AA;  // small square (Wingdings-style lists)
    t[0xD8] = 0x27A2;  // arrowhead
    t[0xFC] = 0x2713;  // check mark
    t[0x6F] = u'o';
}

// The Symbol font's glyphs as Unicode characters (Greek letters, mathematical signs).
static void symbolFont(std::array<char16_t, 256>& t)
{
    static const char16_t from20[] = {
        0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B,
        0x002C, 0x2212, 0x002E, 0x002F, 0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
        0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F, 0x2245, 0x0391, 0x0392, 0x03A7,
        0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
        0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B,
        0x2234, 0x005D, 0x22A5, 0x005F, 0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
        0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3,
        0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C};
    static const char16_t fromA0[] = {
        0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194,
        0x2190, 0x2191, 0x2192, 0x2193, 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,
        0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135, 0x2111, 0x211C, 0x2118,
        0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
        0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4,
        0x21D0, 0x21D1, 0x21D2, 0x21D3, 0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,
        0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA, 0xF0F0, 0x232A, 0x222B, 0x2320,
        0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0xF0FF};
    for (int b = 0; b < 256; ++b)
        t[b] = b < 0x20 ? char16_t(b) : char16_t(0xF000 + b);  // no glyph known: as Windows passes it
    for (size_t i = 0; i < std::size(from20); ++i)
        t[0x20 + i] = from20[i];
    for (size_t i = 0; i < std::size(fromA0); ++i)
        t[0xA0 + i] = fromA0[i];
}

// The Wingdings glyphs that have a character in the Basic Multilingual Plane and that
// documents use: list bullets, check marks, pointing hands, circled digits, arrows.
static void wingdingsFont(std::array<char16_t, 256>& t)
{
    for (int b = 0; b < 256; ++b)
        t[b] = b < 0x20 ? char16_t(b) : char16_t(0xF000 + b);
    const std::pair<int, char16_t> known[] = {
        {0x20, 0x0020}, {0x22, 0x2702}, {0x23, 0x2701}, {0x29, 0x2706}, {0x36, 0x231B}, {0x3E, 0x2707},
        {0x3F, 0x270D}, {0x41, 0x270C}, {0x45, 0x261C}, {0x46, 0x261E}, {0x47, 0x261D}, {0x48, 0x261F},
        {0x4A, 0x263A}, {0x4C, 0x2639}, {0x4E, 0x2620}, {0x51, 0x2708}, {0x52, 0x263C}, {0x54, 0x2744},
        {0x56, 0x271E}, {0x58, 0x2720}, {0x59, 0x2721}, {0x5A, 0x262A}, {0x5B, 0x262F}, {0x5D, 0x2638},
        {0x6C, 0x25CF}, {0x6E, 0x25A0}, {0x6F, 0x25A1}, {0x71, 0x2751}, {0x72, 0x2752}, {0x73, 0x2B27},
        {0x74, 0x29EB}, {0x75, 0x25C6}, {0x76, 0x2756}, {0x77, 0x2B25}, {0x78, 0x2327}, {0x7A, 0x2318},
        {0x80, 0x24EA}, {0x8B, 0x24FF}, {0x9E, 0x00B7}, {0x9F, 0x2022}, {0xA0, 0x25AA}, {0xA1, 0x25CB},
        {0xA7, 0x25AA}, {0xA8, 0x25FB}, {0xAA, 0x2726}, {0xAB, 0x2605}, {0xAC, 0x2736}, {0xAD, 0x2734},
        {0xAE, 0x2739}, {0xAF, 0x2735}, {0xD8, 0x27A2}, {0xEF, 0x21E6}, {0xF0, 0x21E8}, {0xF1, 0x21E7},
        {0xF2, 0x21E9}, {0xF3, 0x2B04}, {0xF4, 0x21F3}, {0xFB, 0x2717}, {0xFC, 0x2713}, {0xFD, 0x2612},
        {0xFE, 0x2611}};
    for (const auto& [b, ch] : known)
        t[b] = ch;
    for (int i = 0; i < 10; ++i) {
        t[0x81 + i] = char16_t(0x2460 + i);  // circled digits one to ten
        t[0x8C + i] = char16_t(0x2776 + i);  // the same, negative
    }
    for (int i = 0; i < 12; ++i)
        t[0x5E + i] = char16_t(0x2648 + i);  // the zodiac
}

const std::array<char16_t, 256>* singleByteTable(int cp)
{
    if (isMultiByte(cp))
        return nullptr;
    static QMutex mutex;
    static QHash<int, std::shared_ptr<std::array<char16_t, 256>>> tables;
    QMutexLocker lock(&mutex);
    if (auto it = tables.constFind(cp); it != tables.constEnd())
        return it.value().get();
    auto table = std::make_shared<std::array<char16_t, 256>>();
    if (cp == kSymbolFontCodePage) {
        symbolFont(*table);
    } else if (cp == kWingdingsCodePage) {
        wingdingsFont(*table);
    } else {
        QStringDecoder d = decoderFor(cp == kSymbolCodePage ? 1252 : cp);
        if (!d.isValid())
            d = decoderFor(1252);
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString s = d.decode(QByteArrayView(&byte, 1));
            (*table)[b] = s.size() == 1 ? char16_t(s.at(0).unicode()) : char16_t(0xFFFD);
        }
        if (cp == kSymbolCodePage)
            patchSymbol(*table);
    }
    tables.insert(cp, table);
    return table.get();
}

int sequenceLength(int cp, unsigned char b)
{
    if (b < 0x80)
        return 1;
    switch (cp) {
    case kUtf8CodePage:
        return b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 1;
    case 932: return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC) ? 2 : 1;
    case 1361: return (b >= 0x84 && b <= 0xD3) || (b >= 0xD8 && b <= 0xF9) ? 2 : 1;
    default: return b >= 0x81 && b <= 0xFE ? 2 : 1;
    }
}

QString decodeMultiByte(int cp, const unsigned char* bytes, int length)
{
    static QMutex mutex;
    static QHash<int, std::shared_ptr<QStringDecoder>> decoders;
    QMutexLocker lock(&mutex);
    auto& d = decoders[cp];
    if (!d) {
        d = std::make_shared<QStringDecoder>(decoderFor(cp));
        if (!d->isValid())
            *d = decoderFor(1252);
    }
    return d->decode(QByteArrayView(reinterpret_cast<const char*>(bytes), length));
}

unsigned char encode1251(char16_t ch)
{
    if (ch < 0x80)
        return static_cast<unsigned char>(ch);
    // A flat reverse table: the writer asks once per character of every article.
    static const std::array<unsigned char, 65536> reverse = [] {
        std::array<unsigned char, 65536> map{};
        const auto* t = singleByteTable(1251);
        for (int b = 0x80; b < 256; ++b)
            if ((*t)[b] != 0xFFFD)
                map[(*t)[b]] = static_cast<unsigned char>(b);
        return map;
    }();
    return reverse[ch];
}

}  // namespace richtext::detail
