#pragma once
// One entry of a base written to a file as PDF, HTML or plain text (by the
// file's extension), through the layout that printing uses. The file appears
// whole or not at all.
#include "store/Result.h"

#include <QString>

#include <optional>

class QFont;

namespace shell {

enum class ExportFormat { Pdf, Html, Text };

struct ExportReport {
    ExportFormat format = ExportFormat::Pdf;
    int pages = 0;  // PDF only
};

class ArticleExport {
public:
    // The format that the extension of `path` asks for; nothing for any other.
    static std::optional<ExportFormat> formatOf(const QString& path);

    // The first row whose Path + "\" + Name equals `reference` without regard to
    // letter case (as see-also references name entries), written to `out`.
    static store::Result<ExportReport> exportEntry(const QString& basePath, const QString& reference,
                                                   const QString& out, const QFont& font);
};

}  // namespace shell
