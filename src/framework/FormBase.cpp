#include "FormBase.h"
#include "platform/ui/ErrorBox.h"
#include "FormKeys.h"
#include "ImageList.h"
#include "core/modCommon.h"
#include "platform/ui/StatusLabel.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/VbKeys.h"
#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace zv::fw {

namespace {

QAction *buttonOf(const QToolBar *tb, const QString &key) {
    for (QAction *a : tb->actions())
        if (a->objectName() == key)
            return a;
    return nullptr;
}

} // namespace

FormBase::FormBase(const QString &caption, QWidget *parent, FormServices services)
    : QDialog(parent), m_services(std::move(services)) {
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    tbHeader = new QToolBar(this);
    tbHeader->setObjectName(QStringLiteral("tbHeader"));
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    tbFooter = new QToolBar(this);
    tbFooter->setObjectName(QStringLiteral("tbFooter"));
    lblStatus = new zv::ui::StatusLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    layout->addWidget(tbHeader);
    layout->addWidget(Frame1, 1);
    layout->addWidget(tbFooter);
    layout->addWidget(lblStatus);
}

FormBase::~FormBase() {
    if (auto *kp = keyPreviewOf(this))
        kp->removeFormHandler(this);
}

void FormBase::wireToolbars(HeaderToolbarBase &header, const QStringList &headerKeys, FooterButtons footer) {
    tbFooter->addAction(QString())->setObjectName(QStringLiteral("Status"));   // a picture only
    auto *gap = new QWidget(tbFooter);
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    tbFooter->addWidget(gap);
    QStringList keys{QStringLiteral("Ok"), QStringLiteral("Cancel")};
    if (footer.reset)
        keys << QStringLiteral("Reset");
    for (const QString &key : keys)
        tbFooter->addAction(key)->setObjectName(key);
    footerButton(QStringLiteral("Ok"))->setToolTip(QStringLiteral("Ok - F9"));
    footerButton(QStringLiteral("Cancel"))->setToolTip(QStringLiteral("Cancel - F10"));
    if (footer.reset)
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
    keyPreviewOf(this)->addFormHandler(this);
    keyPreviewOf(this)->setTeller([this](const std::exception &e) { showFailure(e); });
    connect(&tlbFooter, &clsFooterToolBar::FooterClick, this,
            [this](const QString &Key) { tellingFailures([&] { tlbFooter_FooterClick(Key); }); });
}

QAction *FormBase::headerButton(const QString &key) const { return buttonOf(tbHeader, key); }

QAction *FormBase::footerButton(const QString &key) const { return buttonOf(tbFooter, key); }

void FormBase::status(const QString &code, const QString &prefix, const QString &suffix) {
    formUtility().DisplayStatus(code, &tlbFooter, prefix, suffix);
}

bool FormBase::dbOpen() {
    if (modCommon::MainConnectionOpen())
        return true;
    // The open has told the user why; a form without its database ends.
    if (isVisible())
        unloadSoon();
    else
        unload();
    return false;
}

zv::db::Connection &FormBase::db() { return modCommon::MainConnection(); }

void FormBase::runHeaderKey(const QString &key) {
    static const QHash<QString, void (FormBase::*)()> steps = {
        {QStringLiteral("Add"), &FormBase::add},
        {QStringLiteral("Modify"), &FormBase::modify},
        {QStringLiteral("Delete"), &FormBase::remove},
        {QStringLiteral("Select"), &FormBase::select},
        {QStringLiteral("Refresh"), &FormBase::refresh},
        {QStringLiteral("DetailAdd"), &FormBase::detailAdd},
        {QStringLiteral("DetailModify"), &FormBase::detailModify},
        {QStringLiteral("DetailDelete"), &FormBase::detailDelete},
        {QStringLiteral("Help"), &FormBase::help},
        {QStringLiteral("Exit"), &FormBase::exitForm},
    };
    if (const auto step = steps.value(key))
        (this->*step)();
}

bool FormBase::tellingFailures(const std::function<void()> &step) {
    return zv::ui::runAction(step, [this](const std::exception &e) { showFailure(e); });
}

void FormBase::showFailure(const std::exception &e) { modCommon::ShowErrorMessage(e); }

void FormBase::saveFailed(const std::exception &e, const QString &code) {
    saveFailed(e, [&] { status(code); });
}

void FormBase::saveFailed(const std::exception &e, const std::function<void()> &otherwise) {
    if (zv::db::isInUse(e))
        zv::ui::InUseBox(zv::db::kSaveInUseSubject);
    else
        otherwise();
}

void FormBase::focusIfUsable(QWidget *control) {
    if (control && control->isEnabled() && control->isVisible())
        control->setFocus();
}

void FormBase::unload() {
    if (m_unloading)
        return;
    m_unloading = true;
    Form_Unload();
    done(QDialog::Rejected);
}

void FormBase::unloadSoon() {
    // Not from inside the showing: the dialog's own loop may not run yet.
    QTimer::singleShot(0, this, [this] { unload(); });
}

void FormBase::acceptClose(QCloseEvent *event) {
    event->accept();
    m_unloading = true;
    Form_Unload();
    setResult(QDialog::Rejected);
    QDialog::done(QDialog::Rejected);
}

int FormBase::exec() {
    if (m_unloading)
        return QDialog::Rejected;
    return QDialog::exec();
}

void FormBase::setVisible(bool visible) {
    if (visible && m_unloading)
        return;
    QDialog::setVisible(visible);
}

void FormBase::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        tellingFailures([this] { Form_Activate(); });
    }
}

void FormBase::closeEvent(QCloseEvent *event) {
    if (m_unloading) {
        event->accept();
        return;
    }
    bool mayClose = false;
    if (!tellingFailures([&] { mayClose = Form_QueryUnload(); }) || !mayClose) {
        event->ignore();
        return;
    }
    acceptClose(event);
}

void FormBase::reject() {
    int key = zv::ui::vbKey::Escape;
    tellingFailures([&] { Form_KeyDown(key, 0); });
}

} // namespace zv::fw
