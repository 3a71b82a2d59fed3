#pragma once
// The turning logo: a 50 ms timer steps through the 30 frames of
// `IlsImgRuvLogo1` in `Image2`, one full turn every 1.5 seconds.
#include <QObject>
#include <QPixmap>

#include <vector>

class QLabel;
class QTimer;

namespace shell {

class LogoAnimation : public QObject {
    Q_OBJECT
public:
    static constexpr int IntervalMs = 50;
    explicit LogoAnimation(QLabel* image, QObject* parent = nullptr);

    // Shows picture n (1-based) of the frame list.
    void showPicture(int n);
    int shownPicture() const { return m_shown; }
    quint8 frame() const { return m_frame; }
    // One step (`TimRuvLogo_Timer`).
    void tick();
    QTimer* timer() const { return m_timer; }

private:
    QLabel* m_image;
    QTimer* m_timer;
    std::vector<QPixmap> m_frames;  // `IlsImgRuvLogo1`
    quint8 m_frame = 0;             // `LogoFrame`
    int m_shown = 0;
};

}  // namespace shell
