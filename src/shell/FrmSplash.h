#pragma once
// `frmSplash`: the window shown while the program loads. It names the current
// step in `LblBusi` and the loading passes' progress ("i из n") in `LblNo`.
#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QTimer;

namespace shell {

class FrmSplash : public QWidget {
    Q_OBJECT
public:
    explicit FrmSplash(QWidget* parent = nullptr);

    // Names the step and paints it at once (no events are processed while loading).
    void setStep(const QString& step);
    // The passes call this for every row: the text is always kept, but painted
    // at most every few dozen milliseconds so that painting never slows the load.
    void setProgress(const QString& text);
    QString progress() const { return m_progress; }
    QString step() const;
    // Shows the last progress text (before the window goes away).
    void flushProgress();

    QLabel* Image1;
    QLabel* Label3;
    QLabel* LblBusi;
    QLabel* LblNo;
    QLabel* Label4;
    QTimer* Timer;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString m_progress;
    QElapsedTimer m_lastPaint;
};

}  // namespace shell
