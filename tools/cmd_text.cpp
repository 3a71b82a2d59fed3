// kodrix-base text / roundtrip: the article pane's reading of an RTF file, from the command line.
#include "Command.h"
#include "ToolTexts.h"

#include "richtext/Rtf.h"
#include "store/FileErrors.h"

#include <QFile>
#include <QSaveFile>
#include <QTextDocument>

#include <optional>

namespace {

namespace texts = tool::texts;

std::optional<QByteArray> readWhole(const QString& cmd, const QString& path, int& status)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        status = tool::fail(cmd, texts::cannotOpenFile().arg(path, f.errorString()));
        return std::nullopt;
    }
    return f.readAll();
}

int runText(const QStringList& args)
{
    const QString cmd = QStringLiteral("text");
    if (args.size() != 1)
        return tool::fail(cmd, texts::oneRtfArgument());
    int status = 0;
    const auto bytes = readWhole(cmd, args.first(), status);
    if (!bytes)
        return status;
    QString text = richtext::plainText(*bytes);
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        text += u'\n';
    tool::out(text);
    return 0;
}

int runRoundtrip(const QStringList& args)
{
    const QString cmd = QStringLiteral("roundtrip");
    if (args.size() != 2)
        return tool::fail(cmd, texts::twoRtfArguments());
    int status = 0;
    const auto bytes = readWhole(cmd, args.at(0), status);
    if (!bytes)
        return status;
    // The article pane: read into a document, write it back as it stores the article.
    QTextDocument doc;
    richtext::readRtf(*bytes, &doc);
    const QByteArray out = richtext::writeRtf(&doc);
    QSaveFile f(args.at(1));
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size() || !f.commit())
        return tool::fail(cmd, texts::cannotWriteFile()
                                   .arg(args.at(1), store::writeFailureReason(args.at(1), out.size(), f.errorString())));
    return 0;
}

const tool::Registrar textCommand({
    QStringLiteral("text"),
    QStringLiteral("text FILE.rtf"),
    texts::helpText(),
    runText,
});

const tool::Registrar roundtripCommand({
    QStringLiteral("roundtrip"),
    QStringLiteral("roundtrip IN.rtf OUT.rtf"),
    texts::helpRoundtrip(),
    runRoundtrip,
});

}  // namespace
