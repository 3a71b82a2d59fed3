#include "PickerDialog.h"

#include "OrganiseTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace organise {

PickerDialog::PickerDialog(const QString& title, const QString& label, std::vector<QIcon> pictures, QWidget* parent)
    : QDialog(parent),
      m_tree(new catalogue::PathTree(this)),
      m_label(new QLabel(label, this)),
      m_text(new QLineEdit(this)),
      m_ok(new QPushButton(texts::ok(), this)),
      m_cancel(new QPushButton(texts::cancel(), this))
{
    setWindowTitle(title);
    setModal(true);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_tree->setObjectName(QStringLiteral("TvFolder"));
    m_text->setObjectName(QStringLiteral("TxtFolder"));
    m_ok->setObjectName(QStringLiteral("CmdOk"));
    m_cancel->setObjectName(QStringLiteral("CmdCancel"));
    m_tree->setAccessibleName(label);
    m_label->setBuddy(m_tree);
    m_text->setAccessibleName(texts::chosenPathName());
    m_tree->nodes()->setPictures(std::move(pictures));
    // The pickers' trees capitalise their nodes; the catalogue's never does.
    m_tree->nodes()->setCapitalising(true);

    m_ok->setDefault(true);
    m_ok->setEnabled(false);
    connect(m_text, &QLineEdit::textChanged, this, [this](const QString& t) { m_ok->setEnabled(!t.isEmpty()); });
    connect(m_tree, &catalogue::PathTree::nodeClicked, this,
            [this](catalogue::Node* node) { m_text->setText(node->fullPath()); });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &PickerDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    resize(360, 420);
}

QString PickerDialog::result() const { return m_text->text(); }

void PickerDialog::reject()
{
    m_text->clear();
    QDialog::reject();
}

}  // namespace organise
