// libFuzzer target for the RTF reader. Beyond "no crash, no leak, no hang" it checks the two
// properties the rest of the program leans on: the search's fast plain text equals the
// document's, and a second write of what we wrote changes nothing.
#include "richtext/Rtf.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

static void fail(const char* what, const QByteArray& a, const QByteArray& b)
{
    std::fprintf(stderr, "%s\n--- first\n%s\n--- second\n%s\n", what, a.constData(), b.constData());
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument doc;
    richtext::readRtf(input, &doc);
    const QString text = richtext::plainText(&doc);
    if (richtext::plainText(input) != text)
        fail("plain text differs", richtext::plainText(input).toUtf8(), text.toUtf8());

    const QByteArray first = richtext::writeRtf(&doc);
    QTextDocument again;
    richtext::readRtf(first, &again);
    const QByteArray second = richtext::writeRtf(&again);
    if (second != first)
        fail("second write differs", first, second);
    if (richtext::plainText(&again) != text)
        fail("text lost in the round trip", text.toUtf8(), richtext::plainText(&again).toUtf8());
    // What the editor asks before the first change; it must hold for any input too.
    const QStringList unkept = richtext::unkeptContent(input);
    if (unkept.size() > 9)
        fail("more kinds of loss than there are", input, unkept.join(u';').toUtf8());
    return 0;
}
