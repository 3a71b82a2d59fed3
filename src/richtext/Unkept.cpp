// What of an article a read followed by a write would not keep.
#include "RichTextTexts.h"
#include "Rtf.h"
#include "RtfParser.h"

namespace richtext {
namespace detail {
namespace {

// Takes nothing: the parser itself notes what it leaves out.
class NullSink {
public:
    static constexpr bool kFormats = false;
    static constexpr bool kImages = false;

    void text(QStringView, const CharState&, const Tables&) {}
    void paragraphEnd(const ParaState&, const Tables&) {}
    void tableBegin() {}
    void tableEnd() {}
    void cellEnd(const ParaState&, const Tables&) {}
    void rowEnd(const std::vector<int>&) {}
    void image(const Picture&, const CharState&, const Tables&) {}
    void finish(const ParaState&, const Tables&) {}
};

}  // namespace
}  // namespace detail

QStringList unkeptContent(const QByteArray& rtf)
{
    if (!looksLikeRtf(rtf))
        return {};
    detail::NullSink sink;
    detail::Parser<detail::NullSink> parser(sink);
    parser.parse(rtf);
    const std::uint16_t lost = parser.lost();
    QStringList out;
    const std::pair<std::uint16_t, QString> kinds[] = {
        {detail::LostFootnotes, texts::unkeptFootnotes()},   {detail::LostHeaders, texts::unkeptHeaders()},
        {detail::LostHidden, texts::unkeptHidden()},         {detail::LostComments, texts::unkeptComments()},
        {detail::LostPictures, texts::unkeptPictures()},     {detail::LostObjects, texts::unkeptObjects()},
        {detail::LostShapes, texts::unkeptShapes()},         {detail::LostFields, texts::unkeptFields()},
        {detail::LostNestedTables, texts::unkeptNestedTables()},
    };
    for (const auto& [bit, text] : kinds)
        if (lost & bit)
            out << text;
    return out;
}

}  // namespace richtext
