#pragma once
// `Status`: the status bar with its five panels: 1 "Готово", 2 under the
// progress bar, 3 the shown entry, 4 the clock (kept here), 5 the article count.
#include <QFrame>

class QLabel;
class QTimer;

namespace shell {

class StatusPanels : public QFrame {
    Q_OBJECT
public:
    static constexpr int PanelCount = 5;
    explicit StatusPanels(QWidget* parent = nullptr);

    // Panels are numbered from 1.
    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;
    void setPanelToolTip(int panel, const QString& text);
    QString panelToolTip(int panel) const;
    // The panel's place in the status bar, in pixels.
    QRect panelGeometry(int panel) const;

    QSize sizeHint() const override;

private:
    void tick();
    QLabel* m_panels[PanelCount];
    QTimer* m_clock;
};

}  // namespace shell
