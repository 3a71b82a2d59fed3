#include "ArticlePrinter.h"

#include "ArticleLayout.h"
#include "ShellTexts.h"

#include "catalogue/MainState.h"
#include "dialogs/CdlgEx.h"
#include "platform/Prompter.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace shell {

ArticlePrinter::ArticlePrinter(catalogue::MainState& state, QTextEdit* pane, dialogs::CommonDialogs& dialogs,
                               platform::Prompter& prompter, QWidget* owner)
    : QObject(owner), m_state(state), m_pane(pane), m_dialogs(dialogs), m_prompter(prompter), m_owner(owner)
{
}

ArticlePrinter::~ArticlePrinter() = default;

QPrinter& ArticlePrinter::printer()
{
    // Made on first use: asking the print system for its printers takes a while.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool ArticlePrinter::needsDestination()
{
    QPrinter& p = printer();
    if (p.outputFormat() == QPrinter::PdfFormat)
        return true;
    return !p.isValid();
}

QString ArticlePrinter::destinationName()
{
    QPrinter& p = printer();
    return p.outputFormat() == QPrinter::PdfFormat ? texts::pdfFile(p.outputFileName())
                                                   : texts::printerNamed(p.printerName());
}

void ArticlePrinter::printerSetup()
{
    dialogs::CdlgEx d(m_dialogs, m_prompter, m_state.appDir);
    d.hOwner = m_owner;
    d.showPrinter(printer());
}

bool ArticlePrinter::printArticle()
{
    // What the user typed last is part of what is printed.
    m_state.flushPendingEdits();
    if (!m_pane)
        return false;
    QTextDocument* doc = m_pane->document();
    if (doc->isEmpty()) {
        m_prompter.message(platform::MsgStyle::Warning, m_owner ? m_owner->windowTitle() : QString(),
                           texts::nothingToPrint());
        return false;
    }
    // The whole text is selected, as the print of the selection had it, and the
    // reader stays where he was in the article.
    QScrollBar* bar = m_pane->verticalScrollBar();
    const int scrolled = bar ? bar->value() : 0;
    QTextCursor all(doc);
    all.select(QTextCursor::Document);
    m_pane->setTextCursor(all);
    if (bar)
        bar->setValue(scrolled);

    QPrinter& p = printer();
    if (needsDestination()) {
        dialogs::CdlgEx d(m_dialogs, m_prompter, m_state.appDir);
        d.hOwner = m_owner;
        const bool chosen = d.showPrinter(p) == dialogs::Outcome::Confirmed;
        const bool toFile = p.outputFormat() == QPrinter::PdfFormat;
        if (!chosen || (toFile ? p.outputFileName().isEmpty() : !p.isValid())) {
            // Cancelling where a printer could have been chosen is the user's
            // choice; where there is none, the user learns why nothing printed.
            if (!chosen && !QPrinterInfo::availablePrinterNames().isEmpty())
                return false;
            m_prompter.message(platform::MsgStyle::Critical, m_owner ? m_owner->windowTitle() : QString(),
                               texts::noPrinter());
            return false;
        }
    }
    auto pages = ArticleLayout::print(*doc, p, destinationName());
    if (!pages) {
        m_prompter.message(platform::MsgStyle::Critical, m_owner ? m_owner->windowTitle() : QString(),
                           pages.message());
        return false;
    }
    return true;
}

}  // namespace shell
