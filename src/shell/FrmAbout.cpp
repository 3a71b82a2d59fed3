#include "FrmAbout.h"

#include "ShellTexts.h"
#include "Pictures.h"
#include "Tolvu3DLine.h"

#include "store/AppFiles.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAccessibleName(text);
    return l;
}

}  // namespace

FrmAbout::FrmAbout(platform::Prompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(texts::aboutCaption());
    setModal(true);

    Image1 = label(this, "Image1", QString());
    Image1->setPixmap(shell::appIcon().pixmap(48, 48));
    Image1->setAccessibleName(texts::aboutTitle());
    Image2 = label(this, "Image2", QString());
    Image2->setPixmap(logoFrame(15));
    Image2->setAccessibleName(texts::aboutTitle());

    lblTitle = label(this, "lblTitle", texts::aboutTitle());
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblTitle->setFont(big);
    // `Form_Load`: the version as major.minor.revision.
    lblVersion = label(this, "lblVersion", texts::aboutVersion(QString::fromLatin1(store::ProgramVersion)));
    lblDescription = label(this, "lblDescription", texts::aboutDescription());
    lblDescription->setWordWrap(true);
    Label1 = label(this, "Label1", texts::aboutLegal());
    Label1->setWordWrap(true);
    QFont small = Label1->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    Label1->setFont(small);

    CmdOk = new QPushButton(texts::aboutOk(), this);
    CmdOk->setObjectName(QStringLiteral("CmdOk"));
    CmdOk->setAccessibleName(texts::aboutOk());
    CmdOk->setDefault(true);
    cmdSysInfo = new QPushButton(texts::aboutSysInfo(), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAccessibleName(QString(texts::aboutSysInfo()).remove(QLatin1Char('&')));
    auto* line = new Tolvu3DLine(this);
    line->setObjectName(QStringLiteral("Line1"));

    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addSpacing(8);
    text->addWidget(lblDescription);
    text->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(CmdOk);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Image2, 0, Qt::AlignTop);
    bottom->addWidget(Label1, 1);
    bottom->addSpacing(12);
    bottom->addLayout(buttons);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addSpacing(6);
    all->addWidget(line);
    all->addLayout(bottom);
    setMinimumWidth(520);

    connect(CmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &FrmAbout::cmdSysInfoClick);
}

void FrmAbout::cmdSysInfoClick() { m_sysInfo.start(m_prompter, windowTitle()); }

}  // namespace shell
