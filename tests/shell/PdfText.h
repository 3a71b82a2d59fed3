#pragma once
// Reading a PDF back with poppler's tools, as a person would check a print.
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace shelltest {

inline bool pdfToolsInstalled()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty();
}

inline QString runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of pages first … last (all pages when first is 0).
inline QString pdfText(const QString& pdf, int first = 0, int last = 0)
{
    QStringList args{QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (first > 0)
        args << QStringLiteral("-f") << QString::number(first) << QStringLiteral("-l") << QString::number(last);
    return runTool(QStringLiteral("pdftotext"), args << pdf << QStringLiteral("-"));
}

inline int pdfPages(const QString& pdf)
{
    for (const QString& line : runTool(QStringLiteral("pdfinfo"), {pdf}).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// Pictures drawn in the file (pdfimages -list prints two header lines).
inline int pdfImageCount(const QString& pdf)
{
    const QStringList lines = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return int(lines.size()) - 2;
}

}  // namespace shelltest
