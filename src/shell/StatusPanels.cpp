#include "StatusPanels.h"

#include "ShellTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTime>
#include <QTimer>

#include <algorithm>

namespace shell {

StatusPanels::StatusPanels(QWidget* parent) : QFrame(parent), m_clock(new QTimer(this))
{
    setObjectName(QStringLiteral("Status"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    // Fixed widths in character cells; panel 3 takes what is left.
    // Panel 1 holds "Только чтение" whole.
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
            if (i == PanelCount - 1)
                text = std::max(text, fontMetrics().horizontalAdvance(texts::articleCount() + QStringLiteral("9999999")));
            if (i == 0)
                text = std::max(text, fontMetrics().horizontalAdvance(texts::readOnlyPanel()));
            const QMargins m = l->contentsMargins();
            l->setFixedWidth(text + m.left() + m.right() + 2 * l->frameWidth() + 4);
        }
        row->addWidget(l, cells[i] > 0 ? 0 : 1);
        m_panels[i] = l;
    }
    m_panels[0]->setText(texts::ready());
    m_panels[0]->setToolTip(texts::ready());
    m_panels[3]->setAlignment(Qt::AlignCenter);
    tick();
    connect(m_clock, &QTimer::timeout, this, &StatusPanels::tick);
    m_clock->start(1000);
}

QSize StatusPanels::sizeHint() const
{
    return QSize(QFrame::sizeHint().width(), fontMetrics().height() + 10);
}

void StatusPanels::setPanelText(int panel, const QString& text)
{
    if (panel >= 1 && panel <= PanelCount)
        m_panels[panel - 1]->setText(text);
}

QString StatusPanels::panelText(int panel) const
{
    return panel >= 1 && panel <= PanelCount ? m_panels[panel - 1]->text() : QString();
}

void StatusPanels::setPanelToolTip(int panel, const QString& text)
{
    if (panel >= 1 && panel <= PanelCount)
        m_panels[panel - 1]->setToolTip(text);
}

QString StatusPanels::panelToolTip(int panel) const
{
    return panel >= 1 && panel <= PanelCount ? m_panels[panel - 1]->toolTip() : QString();
}

QRect StatusPanels::panelGeometry(int panel) const
{
    if (panel < 1 || panel > PanelCount)
        return {};
    // Before the first show the layout has not placed the panels yet.
    if (layout())
        layout()->activate();
    return m_panels[panel - 1]->geometry();
}

void StatusPanels::tick()
{
    const QString now = QTime::currentTime().toString(QStringLiteral("HH:mm"));
    if (m_panels[3]->text() != now)
        m_panels[3]->setText(now);
}

}  // namespace shell
