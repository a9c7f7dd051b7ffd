#include "DataForm.h"
#include <QComboBox>
#include "core/AdminForms.h"
#include "core/HelpTopic.h"
#include "core/modCommon.h"
#include "framework/FormKeys.h"
#include "framework/ImageList.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/VbKeys.h"
#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace zv::fw {

namespace {

DataForm::GeneralFilter &filterHook() {
    static DataForm::GeneralFilter hook;
    return hook;
}

DataForm::RealGeneralFilter &realFilter() {
    static DataForm::RealGeneralFilter filter;
    return filter;
}

QAction *buttonOf(const QToolBar *tb, const QString &key) {
    for (QAction *a : tb->actions())
        if (a->objectName() == key)
            return a;
    return nullptr;
}

} // namespace

class DataForm::BoxFilter : public zv::ui::KeyHandler {
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

void DataForm::setGeneralFilter(GeneralFilter filter) { filterHook() = std::move(filter); }

void DataForm::setRealGeneralFilter(RealGeneralFilter filter) { realFilter() = std::move(filter); }

QStringList DataForm::ShowGeneralFilter(const QString &screenKey, const QString &joinCondition) {
    if (filterHook())
        return filterHook()(screenKey);
    if (realFilter())
        return realFilter()(screenKey, joinCondition);
    return {QString(), QString()};
}

DataForm::DataForm(const QString &caption, QWidget *parent) : QDialog(parent) {
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

DataForm::~DataForm() {
    if (auto *kp = zv::fw::keyPreviewOf(this))
        kp->removeFormHandler(this);
    releaseRowLock();
}

void DataForm::wireToolbars(HeaderToolbarBase &header, const QStringList &headerKeys, bool withReset) {
    tbFooter->addAction(QString())->setObjectName(QStringLiteral("Status"));   // a picture only
    auto *gap = new QWidget(tbFooter);
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    tbFooter->addWidget(gap);
    QStringList keys{QStringLiteral("Ok"), QStringLiteral("Cancel")};
    if (withReset)
        keys << QStringLiteral("Reset");
    for (const QString &key : keys)
        tbFooter->addAction(key)->setObjectName(key);
    footerButton(QStringLiteral("Ok"))->setToolTip(QStringLiteral("Ok - F9"));
    footerButton(QStringLiteral("Cancel"))->setToolTip(QStringLiteral("Cancel - F10"));
    if (withReset)
        footerButton(QStringLiteral("Reset"))->setToolTip(QStringLiteral("Reset"));

    header.setformname(this);
    header.setToolBarName(tbHeader);
    header.setImageListName(frmImgList::ImgLstFooter());
    header.LoadImages(headerKeys);

    tlbFooter.setToolBarName(tbFooter);
    tlbFooter.setformname(this);
    tlbFooter.setImageListName(footerImageList());
    tlbFooter.setLabelName(lblStatus);
    // After header and footer: the form sees what they leave.
    zv::fw::keyPreviewOf(this)->addFormHandler(this);
    connect(&tlbFooter, &clsFooterToolBar::FooterClick, this, &DataForm::tlbFooter_FooterClick);
}

QAction *DataForm::headerButton(const QString &key) const { return buttonOf(tbHeader, key); }

QAction *DataForm::footerButton(const QString &key) const { return buttonOf(tbFooter, key); }

void DataForm::refusePaste(QWidget *box) {
    if (!box)
        return;
    zv::admin::refusePaste(box);
    // An editable combo box hands its keys to its line edit directly, past
    // that edit's event filters: the combo and the edit are both guarded.
    if (auto *combo = qobject_cast<QComboBox *>(box); combo && combo->lineEdit())
        zv::admin::refusePaste(combo->lineEdit());
}

void DataForm::filterKeys(QLineEdit *box, int mode, const QString &chars, bool flag) {
    m_boxFilters.push_back(std::make_unique<BoxFilter>(m_keyFilter, box, mode, chars, flag));
    zv::fw::keyPreviewOf(this)->setControlHandler(box, m_boxFilters.back().get());
}

bool DataForm::dbOpen() { return modCommon::MainConnectionOpen(); }

zv::db::Connection &DataForm::db() { return modCommon::MainConnection(); }

bool DataForm::takeRowLock(const QString &table, const QVariant &key) {
    releaseRowLock();
    try {
        m_lock = db().lockRow(table, key);
        return true;
    } catch (const zv::db::DbError &) {
        m_lock.reset();
        return false;
    }
}

void DataForm::releaseRowLock() {
    if (m_lock) {
        m_lock->release();
        m_lock.reset();
    }
}

void DataForm::showHelp(const QString &topic) { zv::core::ShowHelpTopic(this, topic); }

void DataForm::runHeaderKey(const QString &key) {
    static const QHash<QString, void (DataForm::*)()> steps = {
        {QStringLiteral("Add"), &DataForm::add},
        {QStringLiteral("Modify"), &DataForm::modify},
        {QStringLiteral("Delete"), &DataForm::remove},
        {QStringLiteral("Select"), &DataForm::select},
        {QStringLiteral("Refresh"), &DataForm::refresh},
        {QStringLiteral("DetailAdd"), &DataForm::detailAdd},
        {QStringLiteral("DetailDelete"), &DataForm::detailDelete},
        {QStringLiteral("Help"), &DataForm::help},
        {QStringLiteral("Exit"), &DataForm::exitForm},
    };
    if (const auto step = steps.value(key))
        (this->*step)();
}

void DataForm::tellingFailures(const std::function<void()> &step) {
    try {
        step();
    } catch (const std::exception &e) {
        modCommon::ShowErrorMessage(e);
    }
}

bool DataForm::confirmDelete(const QString &prompt) {
    return zv::ui::MsgBox(prompt, zv::ui::vbYesNo + zv::ui::vbQuestion + zv::ui::vbDefaultButton2,
                          QStringLiteral("Question")) == zv::ui::vbYes;
}

QString DataForm::saveChangesQuestion(const QString &subject, bool blankBeforeMark) {
    return QStringLiteral("Do you want to save the changes you made to '") + subject +
           (blankBeforeMark ? QStringLiteral("' ?") : QStringLiteral("'?"));
}

void DataForm::focusIfUsable(QWidget *control) {
    if (control->isEnabled() && control->isVisible())
        control->setFocus();
}

void DataForm::unload() {
    if (m_unloading)
        return;
    m_unloading = true;
    Form_Unload();
    done(QDialog::Rejected);
}

void DataForm::unloadSoon() {
    // Not from inside the showing: the dialog's own loop may not run yet.
    QTimer::singleShot(0, this, [this] { unload(); });
}

void DataForm::acceptClose(QCloseEvent *event) {
    event->accept();
    m_unloading = true;
    Form_Unload();
    setResult(QDialog::Rejected);
    QDialog::done(QDialog::Rejected);
}

int DataForm::exec() {
    if (m_unloading)
        return QDialog::Rejected;
    return QDialog::exec();
}

void DataForm::setVisible(bool visible) {
    if (visible && m_unloading)
        return;
    QDialog::setVisible(visible);
}

void DataForm::status(const QString &code, const QString &prefix, const QString &suffix) {
    formUtility().DisplayStatus(code, &tlbFooter, prefix, suffix);
}

void DataForm::Form_Unload() {
    formUtility().UsrResetValue();
    releaseRowLock();
}

void DataForm::reject() {
    int key = zv::ui::vbKey::Escape;
    Form_KeyDown(key, 0);
}

void DataForm::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
    }
}

} // namespace zv::fw
