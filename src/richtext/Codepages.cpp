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
    case 78: return 10001;
    case 79: return 10003;
    case 80: return 10008;
    case 81: return 10002;
    case 83: return 10005;
    case 84: return 10004;
    case 85: return 10006;
    case 86: return 10081;
    case 87: return 10021;
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

static bool isDoubleByte(int cp)
{
    return cp == 932 || cp == 936 || cp == 949 || cp == 950 || cp == 1361;
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
    case 10007: name = "x-mac-cyrillic"; break;
    case 1361: name = "johab"; break;
    default: name = "windows-" + QByteArray::number(cp); break;
    }
    QStringDecoder d(name.constData(), QStringConverter::Flag::Stateless);
    if (!d.isValid() && cp >= 10000)
        d = QStringDecoder(("windows-" + QByteArray::number(cp)).constData(), QStringConverter::Flag::Stateless);
    return d;
}

// The Symbol font's bytes have no Unicode code page; the ones list writers use for
// bullets map to the characters they look like, the rest read as 1252.
static void patchSymbol(std::array<char16_t, 256>& t)
{
    t[0xB7] = 0x2022;  // bullet
    t[0xA7] = 0x25AA;  // small square (Wingdings-style lists)
    t[0xD8] = 0x27A2;  // arrowhead
    t[0xFC] = 0x2713;  // check mark
    t[0x6F] = u'o';
}

const std::array<char16_t, 256>* singleByteTable(int cp)
{
    if (isDoubleByte(cp))
        return nullptr;
    static QMutex mutex;
    static QHash<int, std::shared_ptr<std::array<char16_t, 256>>> tables;
    QMutexLocker lock(&mutex);
    if (auto it = tables.constFind(cp); it != tables.constEnd())
        return it.value().get();
    auto table = std::make_shared<std::array<char16_t, 256>>();
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
    tables.insert(cp, table);
    return table.get();
}

bool isLeadByte(int cp, unsigned char b)
{
    switch (cp) {
    case 932: return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 1361: return (b >= 0x84 && b <= 0xD3) || (b >= 0xD8 && b <= 0xF9);
    default: return b >= 0x81 && b <= 0xFE;
    }
}

QString decodeDoubleByte(int cp, unsigned char lead, unsigned char trail)
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
    char bytes[2] = {char(lead), char(trail)};
    QString s = lead ? d->decode(QByteArrayView(bytes, 2)) : d->decode(QByteArrayView(bytes + 1, 1));
    return s;
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
