#include "FrmAdd.h"

#include "ArticleTexts.h"

#include "attachments/PackArchive.h"
#include "attachments/PackFiles.h"
#include "catalogue/MainState.h"
#include "catalogue/Texts.h"
#include "dialogs/CdlgEx.h"
#include "platform/Prompter.h"
#include "store/AppFiles.h"
#include "store/Record.h"
#include "store/Recordset.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace articles {

using namespace store;

namespace {

QPushButton* button(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return b;
}

// A label that names the control beside it, for screen readers too.
QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    buddy->setAccessibleName(QString(text).remove(QLatin1Char(':')).remove(QLatin1Char('&')));
    return l;
}

qint64 kbOf(const QString& path) { return QFileInfo(path).size() / 1024; }

}  // namespace

FrmAdd::FrmAdd(catalogue::MainState& state, WizardServices services, QWidget* parent)
    : QDialog(parent), m_state(state), m_s(std::move(services))
{
    setObjectName(QStringLiteral("FrmAdd"));
    setWindowTitle(texts::wizardCaption());
    setAccessibleName(texts::wizardCaption());
    setModal(true);
    buildPages();
}

FrmAdd::~FrmAdd() = default;

void FrmAdd::buildPages()
{
    auto* top = new QVBoxLayout(this);
    LblStep = new QLabel(texts::wizardCaption(), this);
    LblStep->setObjectName(QStringLiteral("LblStep"));
    QFont big = LblStep->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    LblStep->setFont(big);
    LblStepName = new QLabel(this);
    LblStepName->setObjectName(QStringLiteral("LblStepName"));
    top->addWidget(LblStep);
    top->addWidget(LblStepName);

    pages = new QStackedWidget(this);
    top->addWidget(pages, 1);

    // Page 1: properties.
    Pic1 = new QWidget;
    Pic1->setObjectName(QStringLiteral("Pic1"));
    auto* g = new QGridLayout(Pic1);
    TxtPath = new QLineEdit(Pic1);
    TxtPath->setObjectName(QStringLiteral("TxtPath"));
    CmdBrowse = button(texts::browse(), "CmdBrowse", Pic1);
    TxtName = new QLineEdit(Pic1);
    TxtName->setObjectName(QStringLiteral("TxtName"));
    g->addWidget(caption(texts::pathLabel(), TxtPath, Pic1), 0, 0);
    g->addWidget(TxtPath, 0, 1);
    g->addWidget(CmdBrowse, 0, 2);
    g->addWidget(caption(texts::nameLabel(), TxtName, Pic1), 1, 0);
    g->addWidget(TxtName, 1, 1, 1, 2);
    auto* types = new QButtonGroup(Pic1);
    const QString typeTexts[4] = {QString(), catalogue::texts::typeArticle(), catalogue::texts::typeProgram(),
                                  catalogue::texts::typeLink()};
    auto* typeRow = new QHBoxLayout;
    for (int i = 1; i <= 3; ++i) {
        OptType[i] = new QRadioButton(typeTexts[i], Pic1);
        OptType[i]->setObjectName(QStringLiteral("OptType%1").arg(i));
        OptType[i]->setAccessibleName(typeTexts[i]);
        types->addButton(OptType[i], i);
        typeRow->addWidget(OptType[i]);
        connect(OptType[i], &QRadioButton::clicked, this, [this, i] { optTypeClick(i); });
    }
    typeRow->addStretch(1);
    g->addLayout(typeRow, 2, 1, 1, 2);
    TxtPathLink = new QLineEdit(Pic1);
    TxtPathLink->setObjectName(QStringLiteral("TxtPathLink"));
    LblLink = caption(texts::linkLabel(), TxtPathLink, Pic1);
    LblLink->setObjectName(QStringLiteral("LblLink"));
    g->addWidget(LblLink, 3, 0);
    g->addWidget(TxtPathLink, 3, 1, 1, 2);
    g->setRowStretch(4, 1);
    pages->addWidget(Pic1);

    // Page 2: attached files.
    Pic2 = new QWidget;
    Pic2->setObjectName(QStringLiteral("Pic2"));
    auto* v2 = new QGridLayout(Pic2);
    LVFile = new QTreeWidget(Pic2);
    LVFile->setObjectName(QStringLiteral("LVFile"));
    LVFile->setRootIsDecorated(false);
    LVFile->setHeaderLabels({texts::fileColumn(), texts::sizeColumn()});
    LVFile->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    LVFile->setSortingEnabled(false);
    CmdAdd = button(texts::add(), "CmdAdd", Pic2);
    CmdDel = button(texts::remove(), "CmdDel", Pic2);
    LblSize = new QLabel(QStringLiteral("0"), Pic2);
    LblSize->setObjectName(QStringLiteral("LblSize"));
    v2->addWidget(caption(texts::filesLabel(), LVFile, Pic2), 0, 0, 1, 2);
    v2->addWidget(LVFile, 1, 0, 3, 1);
    v2->addWidget(CmdAdd, 1, 1);
    v2->addWidget(CmdDel, 2, 1);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(caption(texts::totalLabel(), LblSize, Pic2));
    sizeRow->addWidget(LblSize);
    sizeRow->addStretch(1);
    v2->addLayout(sizeRow, 4, 0, 1, 2);
    auto* notice = new QLabel(texts::filesNotice(), Pic2);
    notice->setWordWrap(true);
    v2->addWidget(notice, 5, 0, 1, 2);
    pages->addWidget(Pic2);

    // Page 3: see-also references.
    Pic3 = new QWidget;
    Pic3->setObjectName(QStringLiteral("Pic3"));
    auto* v3 = new QGridLayout(Pic3);
    LvSee = new QTreeWidget(Pic3);
    LvSee->setObjectName(QStringLiteral("LvSee"));
    LvSee->setRootIsDecorated(false);
    LvSee->setHeaderLabels({texts::bookmarkColumn()});
    CmdSeeAdd = button(texts::add(), "CmdSeeAdd", Pic3);
    CmdSeeDel = button(texts::remove(), "CmdSeeDel", Pic3);
    v3->addWidget(caption(texts::seeAlsoLabel(), LvSee, Pic3), 0, 0, 1, 2);
    v3->addWidget(LvSee, 1, 0, 3, 1);
    v3->addWidget(CmdSeeAdd, 1, 1);
    v3->addWidget(CmdSeeDel, 2, 1);
    pages->addWidget(Pic3);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    CmdGo = button(texts::ok(), "CmdGo", this);
    CmdGo->setDefault(true);
    CboCancel = button(texts::cancel(), "CboCancel", this);
    buttons->addWidget(CmdGo);
    buttons->addWidget(CboCancel);
    top->addLayout(buttons);

    // Typing goes from the path to the title, the type and the link; the
    // browse button comes after them.
    setTabOrder(TxtPath, TxtName);
    setTabOrder(TxtName, OptType[1]);
    setTabOrder(OptType[1], TxtPathLink);
    setTabOrder(TxtPathLink, CmdBrowse);
    setTabOrder(CmdBrowse, CmdGo);
    setTabOrder(CmdGo, CboCancel);

    connect(CmdGo, &QPushButton::clicked, this, &FrmAdd::cmdGoClick);
    connect(CboCancel, &QPushButton::clicked, this, &FrmAdd::cboCancelClick);
    connect(CmdBrowse, &QPushButton::clicked, this, &FrmAdd::cmdBrowseClick);
    connect(CmdAdd, &QPushButton::clicked, this, &FrmAdd::cmdAddClick);
    connect(CmdDel, &QPushButton::clicked, this, &FrmAdd::cmdDelClick);
    connect(CmdSeeAdd, &QPushButton::clicked, this, &FrmAdd::cmdSeeAddClick);
    connect(CmdSeeDel, &QPushButton::clicked, this, &FrmAdd::cmdSeeDelClick);
    resize(520, 360);
}

void FrmAdd::say(const QString& text, bool critical)
{
    if (m_s.prompter)
        m_s.prompter->message(critical ? platform::MsgStyle::Critical : platform::MsgStyle::Plain, windowTitle(), text);
}

void FrmAdd::resetControls()
{
    for (QLineEdit* e : {TxtPath, TxtName, TxtPathLink})
        e->clear();
    for (QWidget* w : {static_cast<QWidget*>(TxtPath), static_cast<QWidget*>(TxtName),
                       static_cast<QWidget*>(CmdBrowse)})
        w->setEnabled(true);
    for (int i = 1; i <= 3; ++i)
        OptType[i]->setEnabled(true);
    OptType[1]->setChecked(true);
    TxtPathLink->setEnabled(false);
    LblLink->setEnabled(false);
    LVFile->clear();
    LvSee->clear();
    LblSize->setText(QStringLiteral("0"));
    CmdGo->setText(texts::ok());
    m_committed = false;
    m_rowId = 0;
    m_kind = 0;
}

bool FrmAdd::run()
{
    if (!masterStep())
        return false;
    exec();
    return m_committed;
}

bool FrmAdd::masterStep()
{
    resetControls();
    Recordset* rs = m_state.rsBase.get();
    if (vStep != NewEntry) {
        if (!rs || rs->eof() || rs->bof())
            return false;
        m_rowId = rs->currentRowId();
    }
    switch (vStep) {
    case NewEntry:
        LblStepName->setText(texts::stepNew());
        pages->setCurrentWidget(Pic1);
        TxtPath->setFocus();
        break;
    case Files: {
        const QString fileList = rs->text(ColFileList);
        if (!fileList.trimmed().isEmpty()) {
            const QString data = AppFiles(m_state.appDir).dataFolder();
            const auto unpacked = attachments::unpackAll(rs->bytes(ColArchive), data);
            if (!unpacked) {
                say(unpacked.message());
                say(texts::cannotOpenWizard());
                return false;
            }
            // Only what this archive really wrote now, under a safe name: a name
            // missing from the archive would list (and later pack) whatever file
            // of that name another article left in the data folder.
            QSet<QString> written;
            for (const QString& p : unpacked->written)
                written.insert(QFileInfo(p).fileName());
            for (const QString& name : fileList.split(QLatin1Char(';'))) {
                if (name.isEmpty() || !written.contains(name) || !attachments::unsafeNameReason(name).isEmpty())
                    continue;
                addFileItem(QDir(data).filePath(name), name);
            }
        }
        LblStepName->setText(texts::stepFiles());
        pages->setCurrentWidget(Pic2);
        break;
    }
    case SeeAlso: {
        for (const QString& ref : rs->text(ColSeeAlso).split(QStringLiteral(";;")))
            if (!ref.isEmpty())
                new QTreeWidgetItem(LvSee, {ref});
        LblStepName->setText(texts::stepSeeAlso());
        pages->setCurrentWidget(Pic3);
        break;
    }
    case Properties: {
        LblStepName->setText(texts::stepProperties());
        pages->setCurrentWidget(Pic1);
        TxtName->setText(rs->text(ColName));
        TxtPath->setText(rs->text(ColPath));
        m_kind = rs->integer(ColKind);
        if (m_kind < 1 || m_kind > 3) {
            // Not a kind the options can show (a folder record, an installed
            // base's own pictures): nothing here may change it.
            for (QWidget* w : {static_cast<QWidget*>(CmdBrowse), static_cast<QWidget*>(TxtName),
                               static_cast<QWidget*>(TxtPath)})
                w->setEnabled(false);
            for (int i = 1; i <= 3; ++i)
                OptType[i]->setEnabled(false);
        } else {
            OptType[m_kind]->setChecked(true);
            optTypeClick(int(m_kind));
        }
        TxtPathLink->setText(rs->text(ColLinkTarget));
        break;
    }
    default:
        return false;
    }
    return true;
}

void FrmAdd::optTypeClick(int index)
{
    const bool link = index == 3;
    TxtPathLink->setEnabled(link);
    LblLink->setEnabled(link);
}

int FrmAdd::chosenType() const
{
    for (int i = 1; i <= 3; ++i)
        if (OptType[i]->isChecked())
            return i;
    return 1;
}

void FrmAdd::cmdBrowseClick()
{
    if (!m_s.pickFolder)
        return;
    if (const auto folder = m_s.pickFolder(this); folder && !folder->isEmpty())
        TxtPath->setText(*folder);
}

void FrmAdd::addFileItem(const QString& path, const QString& name)
{
    auto* item = new QTreeWidgetItem(LVFile, {path, QString::number(kbOf(path))});
    item->setData(0, Qt::UserRole, name);  // the tag: the name FileList will hold
}

void FrmAdd::cmdAddClick()
{
    if (!m_dialog && m_s.newDialog)
        m_dialog = m_s.newDialog();
    if (m_dialog) {
        dialogs::CdlgEx& d = *m_dialog;
        d.filter = texts::allFilesFilter();
        d.fileName.clear();
        if (!m_lastAddedFile.isEmpty())
            d.initDir = m_lastAddedFile;
        d.hOwner = this;
        d.showOpen();
        if (!d.fileName.isEmpty()) {
            const QString name = d.fileTitle.isEmpty() ? QFileInfo(d.fileName).fileName() : d.fileTitle;
            // A ";" would split the stored list into two names; a name the
            // archive cannot hold would fail the pack later.
            if (name.contains(QLatin1Char(';'))) {
                say(texts::semicolonInName(name));
            } else if (const QString why = attachments::unsafeNameReason(name); !why.isEmpty()) {
                say(texts::unsafeName(name, why));
            } else {
                m_lastAddedFile = d.fileName;
                addFileItem(d.fileName, name);
            }
        }
    }
    refreshFileSize();
}

void FrmAdd::cmdDelClick()
{
    if (QTreeWidgetItem* item = LVFile->currentItem(); item && item->isSelected())
        delete item;
    refreshFileSize();
}

void FrmAdd::refreshFileSize()
{
    qint64 total = 0;
    for (int i = 0; i < LVFile->topLevelItemCount(); ++i) {
        const double sum = double(total) + double(QFileInfo(LVFile->topLevelItem(i)->text(0)).size()) / 1024.0;
        // Rounded after each addition, a half to the even neighbour.
        total = qint64(std::nearbyint(sum));
    }
    LblSize->setText(QString::number(total));
    if (total > 200)
        say(texts::tooLarge(), false);
}

void FrmAdd::cmdSeeAddClick()
{
    if (!m_s.pickSeeAlso)
        return;
    if (const auto ref = m_s.pickSeeAlso(this); ref && !ref->isEmpty())
        new QTreeWidgetItem(LvSee, {*ref});
}

void FrmAdd::cmdSeeDelClick()
{
    if (QTreeWidgetItem* item = LvSee->currentItem(); item && item->isSelected())
        delete item;
}

void FrmAdd::cboCancelClick() { reject(); }

QString FrmAdd::normalisedPath(const QString& typed)
{
    QStringList parts;
    for (const QString& p : typed.split(QLatin1Char('\\')))
        if (!p.isEmpty())
            parts << p;
    return parts.join(QLatin1Char('\\'));
}

QString FrmAdd::joinedList(const QStringList& items)
{
    QString out;
    for (const QString& i : items)
        out += QLatin1Char(';') + i;
    return out;
}

bool FrmAdd::validate()
{
    if (normalisedPath(TxtPath->text()).isEmpty()) {
        say(texts::noFolder());
        return false;
    }
    if (TxtName->text().isEmpty()) {
        say(texts::noName());
        return false;
    }
    if (chosenType() == 3 && TxtPathLink->isEnabled() && TxtPathLink->text().trimmed().isEmpty()) {
        say(texts::noLink());
        return false;
    }
    return true;
}

void FrmAdd::cmdGoClick()
{
    if ((vStep == NewEntry || vStep == Properties) && !validate())
        return;
    Result<void> r;
    switch (vStep) {
    case NewEntry: r = commitNew(); break;
    case Files: r = commitFiles(); break;
    case SeeAlso: r = commitSeeAlso(); break;
    case Properties: r = commitProperties(); break;
    default: break;
    }
    if (!r) {
        // Nothing was stored; the wizard stays open with what was entered.
        say(r.message());
        return;
    }
    m_committed = true;
    accept();
}

Result<void> FrmAdd::commitNew()
{
    Recordset* rs = m_state.rsBase.get();
    if (!rs)
        return Error{texts::storeFailedFor(TxtName->text(), texts::baseNotOpen())};
    const int type = chosenType();
    rs->addNew();
    const QDateTime now = m_s.now ? m_s.now() : QDateTime::currentDateTime();
    Result<void> r;
    for (const auto& [column, value] : std::initializer_list<std::pair<int, QVariant>>{
             {ColPath, normalisedPath(TxtPath->text())},
             {ColName, TxtName->text()},
             {ColBody, QStringLiteral("\r\n")},
             {ColKind, type},
             {ColDeleted, QStringLiteral("0")},
             {ColFavorite, QStringLiteral("0")},
             {ColBaseName, userBaseName()},
             {ColAdded, now}}) {
        if (r)
            r = rs->setValue(column, value);
    }
    if (r && type == 3)
        r = rs->setValue(ColLinkTarget, TxtPathLink->text());
    if (r)
        r = rs->update();
    if (!r) {
        rs->cancelUpdate();
        return Error{texts::storeFailedFor(TxtName->text(), r.message())};
    }
    if (m_s.entryAdded)
        m_s.entryAdded(rs->recordCount());
    return {};
}

Result<void> FrmAdd::commitFiles()
{
    Recordset* rs = m_state.rsBase.get();
    if (!rs || !rs->moveToId(m_rowId))
        return Error{texts::storeFailedFor(QString(), texts::entryGone())};
    const QString entry = rs->text(ColName);
    QStringList paths, names;
    for (int i = 0; i < LVFile->topLevelItemCount(); ++i) {
        paths << LVFile->topLevelItem(i)->text(0);
        names << LVFile->topLevelItem(i)->data(0, Qt::UserRole).toString();
    }
    QByteArray archive = " ";
    QString fileList = QStringLiteral(" ");
    if (!paths.isEmpty()) {
        // A failed pack changes nothing: the old archive and its list stay together.
        auto packed = attachments::packPaths(paths);
        if (!packed)
            return packed.error();
        archive = *packed;
        fileList = joinedList(names);
    }
    Result<void> r = rs->edit();
    if (r)
        r = rs->setValue(ColArchive, archive);
    if (r)
        r = rs->setValue(ColFileList, fileList);
    if (r)
        r = rs->update();
    if (!r) {
        rs->cancelUpdate();
        return Error{texts::storeFailedFor(entry, r.message())};
    }
    return {};
}

Result<void> FrmAdd::commitSeeAlso()
{
    Recordset* rs = m_state.rsBase.get();
    if (!rs || !rs->moveToId(m_rowId))
        return Error{texts::storeFailedFor(QString(), texts::entryGone())};
    QString text;
    for (int i = 0; i < LvSee->topLevelItemCount(); ++i)
        text += LvSee->topLevelItem(i)->text(0) + QStringLiteral(";;");
    Result<void> r = rs->edit();
    if (r)
        r = rs->setValue(ColSeeAlso, text);
    if (r)
        r = rs->update();
    if (!r) {
        rs->cancelUpdate();
        return Error{texts::storeFailedFor(rs->text(ColName), r.message())};
    }
    return {};
}

Result<void> FrmAdd::commitProperties()
{
    Recordset* rs = m_state.rsBase.get();
    if (!rs || !rs->moveToId(m_rowId))
        return Error{texts::storeFailedFor(TxtName->text(), texts::entryGone())};
    EntryPlace before;
    before.path = rs->text(ColPath);
    before.name = rs->text(ColName);
    before.baseName = rs->text(ColBaseName);
    before.kind = rs->integer(ColKind);
    before.deleted = rs->flag(ColDeleted);
    before.favourite = rs->flag(ColFavorite);
    const bool typeShown = m_kind >= 1 && m_kind <= 3;
    const int type = chosenType();
    const QDateTime now = m_s.now ? m_s.now() : QDateTime::currentDateTime();
    // One update of one row. The entry leaves the recycle bin, as it always
    // did; its favourite mark stays.
    Result<void> r = rs->edit();
    for (const auto& [column, value] : std::initializer_list<std::pair<int, QVariant>>{
             {ColPath, normalisedPath(TxtPath->text())},
             {ColName, TxtName->text()},
             {ColDeleted, QStringLiteral("0")},
             {ColBaseName, userBaseName()},
             {ColAdded, now}}) {
        if (r)
            r = rs->setValue(column, value);
    }
    if (typeShown) {
        if (r)
            r = rs->setValue(ColKind, type);
        // A link turned into an article or a program stops being launched:
        // the target goes with the type.
        if (r)
            r = rs->setValue(ColLinkTarget, type == 3 ? QVariant(TxtPathLink->text()) : QVariant());
    }
    if (r)
        r = rs->update();
    if (!r) {
        rs->cancelUpdate();
        return Error{texts::storeFailedFor(before.name, r.message())};
    }
    if (m_s.entryChanged)
        m_s.entryChanged(rs->recordNumber(), before);
    return {};
}

}  // namespace articles
