#include "FrmSplash.h"

#include "Pictures.h"
#include "ShellTexts.h"

#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace shell {

namespace {
constexpr int RepaintEveryMs = 40;
}

FrmSplash::FrmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      Image1(new QLabel(this)),
      Label3(new QLabel(texts::splashLoading(), this)),
      LblBusi(new QLabel(texts::stepInit(), this)),
      LblNo(new QLabel(this)),
      Label4(new QLabel(texts::splashVersion(), this)),
      Timer(new QTimer(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Kodrix"));
    setWindowIcon(appIcon());
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(50);
    const QString white = QStringLiteral("color: white;");
    for (QLabel* l : {Label3, LblBusi, LblNo, Label4}) {
        l->setStyleSheet(white);
        l->setTextFormat(Qt::PlainText);
    }
    QFont big = Label3->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    Label3->setFont(big);
    Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    resize(440, 250);
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void FrmSplash::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int w = width(), h = height();
    Image1->setGeometry(0, 0, w, h);
    Image1->setPixmap(splashPicture(size()));
    const int line = fontMetrics().height() + 6;
    Label3->setGeometry(20, h - 3 * line - 16, w - 40, line + 4);
    LblBusi->setGeometry(20, h - 2 * line - 12, w - 40, line);
    LblNo->setGeometry(20, h - line - 12, w / 2, line);
    Label4->setGeometry(w / 2, h - line - 12, w / 2 - 20, line);
}

QString FrmSplash::step() const { return LblBusi->text(); }

void FrmSplash::setStep(const QString& step)
{
    LblBusi->setText(step);
    if (isVisible())
        LblBusi->repaint();
}

void FrmSplash::setProgress(const QString& text)
{
    m_progress = text;
    if (!m_lastPaint.isValid() || m_lastPaint.elapsed() >= RepaintEveryMs)
        flushProgress();
}

void FrmSplash::flushProgress()
{
    if (LblNo->text() != m_progress)
        LblNo->setText(m_progress);
    if (isVisible())
        LblNo->repaint();
    m_lastPaint.start();
}

}  // namespace shell
