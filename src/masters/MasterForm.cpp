#include "MasterForm.h"
#include "core/AdminForms.h"
#include "core/HelpTopic.h"
#include "core/modCommon.h"
#include "framework/FormKeys.h"
#include "framework/ImageList.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/VbKeys.h"
#include "query/frmGeneralFilter.h"
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

using namespace zv::ui;

namespace zv::masters {

namespace {

MasterForm::GeneralFilter &filterHook() {
    static MasterForm::GeneralFilter hook;
    return hook;
}

const QStringList &footerPictures() {
    static const QStringList keys = {"Ok",      "Cancel",      "Reset",    "Confirmation",
                                     "Warning", "Information", "Critical", "None"};
    return keys;
}

} // namespace

class MasterForm::BoxFilter : public zv::ui::KeyHandler {
public:
    BoxFilter(const zv::ui::KeyFilter &filter, QLineEdit *box, int mode, QString chars, bool flag)
        : m_filter(filter), m_box(box), m_mode(mode), m_chars(std::move(chars)), m_flag(flag) {}
    void KeyPress(int &KeyAscii) override {
        KeyAscii = m_filter.FilterKey(zv::ui::TextBox(m_box), m_mode, KeyAscii, m_chars, 0, 0, m_flag);
    }

private:
    const zv::ui::KeyFilter &m_filter;
    QLineEdit *m_box;
    int m_mode;
    QString m_chars;
    bool m_flag;
};

void MasterForm::setGeneralFilter(GeneralFilter filter) { filterHook() = std::move(filter); }

QStringList MasterForm::ShowGeneralFilter(const QString &screenKey, const QString &join) {
    if (filterHook())
        return filterHook()(screenKey);
    return zv::query::frmGeneralFilter::Show_Form(screenKey, join);
}

MasterForm::MasterForm(const QString &caption, QWidget *parent) : QDialog(parent), m_caption(caption) {
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    tbHeader = new QToolBar(this);
    tbHeader->setObjectName(QStringLiteral("tbHeader"));
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    m_fieldArea = new QVBoxLayout(Frame1);
    tbFooter = new QToolBar(this);
    tbFooter->setObjectName(QStringLiteral("tbFooter"));
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    layout->addWidget(tbHeader);
    layout->addWidget(Frame1, 1);
    layout->addWidget(tbFooter);
    layout->addWidget(lblStatus);
}

MasterForm::~MasterForm() {
    if (auto *kp = zv::fw::keyPreviewOf(this))
        kp->removeFormHandler(this);
    releaseRowLock();
}

void MasterForm::setUpToolbars(const QStringList &headerKeys) {
    tbFooter->addAction(QStringLiteral("Status"))->setObjectName(QStringLiteral("Status"));
    auto *gap = new QWidget(tbFooter);
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    tbFooter->addWidget(gap);
    for (const char *key : {"Ok", "Cancel", "Reset"}) {
        QAction *a = tbFooter->addAction(QString::fromLatin1(key));
        a->setObjectName(QString::fromLatin1(key));
    }
    footerButton(QStringLiteral("Ok"))->setToolTip(QStringLiteral("Ok - F9"));
    footerButton(QStringLiteral("Cancel"))->setToolTip(QStringLiteral("Cancel - F10"));
    footerButton(QStringLiteral("Reset"))->setToolTip(QStringLiteral("Reset"));

    tlbHeader.setformname(this);
    tlbHeader.setToolBarName(tbHeader);
    tlbHeader.setImageListName(frmImgList::ImgLstFooter());
    tlbHeader.LoadImages(headerKeys);

    tlbFooter.setToolBarName(tbFooter);
    tlbFooter.setformname(this);
    tlbFooter.setImageListName(std::make_shared<const ImageList>(footerPictures()));
    tlbFooter.setLabelName(lblStatus);

    // After header and footer: the form sees what they leave.
    zv::fw::keyPreviewOf(this)->addFormHandler(this);
    connect(&tlbHeader, &clsHeader::HeaderClick, this, &MasterForm::tlbHeader_HeaderClick);
    connect(&tlbFooter, &clsFooterToolBar::FooterClick, this, &MasterForm::tlbFooter_FooterClick);
}

QAction *MasterForm::headerButton(const QString &key) const {
    for (QAction *a : tbHeader->actions())
        if (a->objectName() == key)
            return a;
    return nullptr;
}

QAction *MasterForm::footerButton(const QString &key) const {
    for (QAction *a : tbFooter->actions())
        if (a->objectName() == key)
            return a;
    return nullptr;
}

bool MasterForm::isEditing() const { return !tlbHeader.ModifyEnable() && !tlbHeader.FilterEnable(); }

void MasterForm::status(const QString &code, const QString &prefix, const QString &suffix) {
    utility.DisplayStatus(code, &tlbFooter, prefix, suffix);
}

void MasterForm::filterKeys(QLineEdit *box, int mode, const QString &chars, bool flag) {
    m_boxFilters.push_back(std::make_unique<BoxFilter>(m_keyFilter, box, mode, chars, flag));
    zv::fw::keyPreviewOf(this)->setControlHandler(box, m_boxFilters.back().get());
}

void MasterForm::refusePaste(QWidget *box) {
    if (!box)
        return;
    zv::admin::refusePaste(box);
    // An editable combo box hands its keys to its line edit directly, past
    // that edit's event filters: the combo and the edit are both guarded.
    if (auto *combo = qobject_cast<QComboBox *>(box); combo && combo->lineEdit())
        zv::admin::refusePaste(combo->lineEdit());
}

bool MasterForm::dbOpen() {
    if (!modCommon::gConnOpen || !modCommon::gConn || !modCommon::gConn->isOpen())
        modCommon::OpenDatabase();
    return modCommon::gConn && modCommon::gConn->isOpen();
}

zv::db::Connection &MasterForm::db() {
    if (!dbOpen())
        throw zv::db::DbError(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    return *modCommon::gConn;
}

bool MasterForm::takeRowLock(const QString &table, const QVariant &key) {
    releaseRowLock();
    try {
        m_lock = db().lockRow(table, key);
        return true;
    } catch (const zv::db::DbError &) {
        m_lock.reset();
        return false;
    }
}

void MasterForm::releaseRowLock() {
    if (m_lock) {
        m_lock->release();
        m_lock.reset();
    }
}

void MasterForm::applyAdminRule(bool withModifyDelete) {
    tlbHeader.setAddEnable(modCommon::gIsAdmin);
    if (withModifyDelete || !modCommon::gIsAdmin) {
        tlbHeader.setModifyEnable(modCommon::gIsAdmin);
        tlbHeader.setDeleteEnable(modCommon::gIsAdmin);
    }
}

void MasterForm::showHelp(const QString &topic) { zv::core::ShowHelpTopic(this, topic); }

void MasterForm::unload() {
    if (m_unloading)
        return;
    m_unloading = true;
    Form_Unload();
    done(QDialog::Rejected);
}

void MasterForm::Form_Unload() {
    utility.UsrResetValue();
    releaseRowLock();
}

bool MasterForm::probeTable() {
    const QString sql = probeSql();
    if (sql.isEmpty())
        return true;
    try {
        db().query(sql);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

void MasterForm::showCorrupted() {
    MsgBox(kCorrupted, vbOKOnly + vbCritical, QStringLiteral("Error"));
    modCommon::gDBPath.clear();
    // Not from inside the showing: the dialog's own loop may not run yet.
    QTimer::singleShot(0, this, [this] { unload(); });
}

void MasterForm::Form_Activate() {
    if (!probeTable())
        showCorrupted();
}

void MasterForm::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
    }
}

int MasterForm::saveQuestionIcon() const { return vbQuestion; }

void MasterForm::Form_KeyDown(int &KeyCode, int Shift) {
    (void)Shift;
    if (KeyCode != vbKey::Escape)
        return;
    KeyCode = 0;
    if (!isEditing()) {
        unload();
        return;
    }
    const int answer = MsgBox(escQuestion(), vbYesNoCancel + saveQuestionIcon(), QStringLiteral("Exit Confirmation"));
    if (answer == vbYes)
        escYes();
    else if (answer == vbNo)
        escNo();
}

void MasterForm::reject() {
    // Esc that reached the dialog itself: the form's own rules decide.
    int key = vbKey::Escape;
    Form_KeyDown(key, 0);
}

void MasterForm::closeEvent(QCloseEvent *event) {
    if (m_unloading) {
        event->accept();
        return;
    }
    if (isEditing()) {
        const int answer =
            MsgBox(closeQuestion(), vbYesNoCancel + saveQuestionIcon(), QStringLiteral("Exit Confirmation"));
        if (answer == vbCancel || (answer == vbYes && !saveBeforeClose())) {
            event->ignore();
            return;
        }
    }
    event->accept();
    m_unloading = true;
    Form_Unload();
    setResult(QDialog::Rejected);
    QDialog::done(QDialog::Rejected);
}

} // namespace zv::masters
