#pragma once
// `Status`: the status bar with its five panels (catalogue::StatusPanel): the
// message, the place under the progress bar, the shown entry, the clock (kept
// here) and the article count.
#include "catalogue/Controls.h"

#include <QFrame>
#include <QStringList>

class QLabel;
class QTimer;

namespace shell {

class StatusPanels : public QFrame {
    Q_OBJECT
public:
    explicit StatusPanels(QWidget* parent = nullptr);

    using Panel = catalogue::StatusPanel;
    void setPanelText(Panel panel, const QString& text);
    // Widens a fixed panel, if need be, so that each of `texts` shows whole:
    // the subsystems that write a panel name what they will write there.
    void fitPanelTo(Panel panel, const QStringList& texts);
    QString panelText(Panel panel) const;
    void setPanelToolTip(Panel panel, const QString& text);
    QString panelToolTip(Panel panel) const;
    // The panel's place in the status bar, in pixels.
    QRect panelGeometry(Panel panel) const;

    QSize sizeHint() const override;

private:
    void tick();
    QLabel* m_panels[catalogue::StatusPanelCount];
    QTimer* m_clock;
};

}  // namespace shell
