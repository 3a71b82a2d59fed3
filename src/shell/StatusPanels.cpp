#include "StatusPanels.h"

#include "ShellTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTime>
#include <QTimer>

#include <algorithm>

namespace shell {

namespace {

// Where a panel sits in the row.
constexpr int slot(catalogue::StatusPanel panel) { return panel - 1; }

// The width of a sunken panel that shows a text `textWidth` pixels wide whole.
int panelWidth(const QLabel* l, int textWidth)
{
    const QMargins m = l->contentsMargins();
    return textWidth + m.left() + m.right() + 2 * l->frameWidth() + 4;
}

}  // namespace

StatusPanels::StatusPanels(QWidget* parent) : QFrame(parent), m_clock(new QTimer(this))
{
    setObjectName(QStringLiteral("Status"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    // Fixed widths in character cells; the entry's panel takes what is left.
    // The message panel holds "Только чтение" whole.
    constexpr int PanelCount = catalogue::StatusPanelCount;
    const int cells[PanelCount] = {14, 20, 0, 7, 16};
    for (int i = 0; i < PanelCount; ++i) {
        auto* l = new QLabel(this);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setContentsMargins(4, 0, 4, 0);
        l->setTextFormat(Qt::PlainText);
        if (cells[i] > 0) {
            // Digits and Cyrillic letters are wider than the average character:
            // the count panel is measured on its widest text (a base of millions),
            // panel 1 on "Только чтение".
            int text = fontMetrics().averageCharWidth() * cells[i];
            if (i == slot(catalogue::PanelArticles))
                text = std::max(text, fontMetrics().horizontalAdvance(catalogue::texts::articleCount(9999999)));
            if (i == slot(catalogue::PanelMessage))
                text = std::max(text, fontMetrics().horizontalAdvance(texts::readOnlyPanel()));
            l->setFixedWidth(panelWidth(l, text));
        }
        row->addWidget(l, cells[i] > 0 ? 0 : 1);
        m_panels[i] = l;
    }
    m_panels[slot(catalogue::PanelMessage)]->setText(texts::ready());
    m_panels[slot(catalogue::PanelMessage)]->setToolTip(texts::ready());
    m_panels[slot(catalogue::PanelClock)]->setAlignment(Qt::AlignCenter);
    tick();
    connect(m_clock, &QTimer::timeout, this, &StatusPanels::tick);
    m_clock->start(1000);
}

QSize StatusPanels::sizeHint() const
{
    return QSize(QFrame::sizeHint().width(), fontMetrics().height() + 10);
}

void StatusPanels::setPanelText(Panel panel, const QString& text)
{
    m_panels[slot(panel)]->setText(text);
}

void StatusPanels::fitPanelTo(Panel panel, const QStringList& texts)
{
    QLabel* l = m_panels[slot(panel)];
    if (l->minimumWidth() != l->maximumWidth())
        return;  // the panel that takes what is left
    int widest = 0;
    for (const QString& t : texts)
        widest = std::max(widest, l->fontMetrics().horizontalAdvance(t));
    const int width = panelWidth(l, widest);
    if (width > l->minimumWidth())
        l->setFixedWidth(width);
}

QString StatusPanels::panelText(Panel panel) const
{
    return m_panels[slot(panel)]->text();
}

void StatusPanels::setPanelToolTip(Panel panel, const QString& text)
{
    m_panels[slot(panel)]->setToolTip(text);
}

QString StatusPanels::panelToolTip(Panel panel) const
{
    return m_panels[slot(panel)]->toolTip();
}

QRect StatusPanels::panelGeometry(Panel panel) const
{
    // Before the first show the layout has not placed the panels yet.
    if (layout())
        layout()->activate();
    return m_panels[slot(panel)]->geometry();
}

void StatusPanels::tick()
{
    const QString now = QTime::currentTime().toString(QStringLiteral("HH:mm"));
    QLabel* clock = m_panels[slot(catalogue::PanelClock)];
    if (clock->text() != now)
        clock->setText(now);
}

}  // namespace shell
