#include "frmLastGnrDateUpdation.h"
#include "LastGeneratedDate.h"
#include "core/modCommon.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScopeGuard>
#include <QToolBar>
#include <QVBoxLayout>
#include <optional>

using namespace zv::ui;

namespace {
const QString kCaption = QStringLiteral("Update Last Generation Date Details");
const QString kBusyCaption = QStringLiteral("Updating Last Generation Date Details. Please Wait...");
const QString kInformation = QStringLiteral("Information");
const QString kHelpTopic = QStringLiteral("Html/LastGenerationDate.htm");

// Paints what changed without taking the user's clicks and keys: nothing may
// be pressed while the run holds its transaction.
void paintPending() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }
} // namespace

frmLastGnrDateUpdation::frmLastGnrDateUpdation(QWidget *parent)
    : AdminDialog(parent, QStringLiteral("frmLastGnrDateUpdation"), kCaption) {
    lblMsg = new QLabel(QStringLiteral("This utility will recalculate the last generated date for all the "
                                       "Activities.  ( P.N : This process will take few minutes )"),
                        this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblMsg->setWordWrap(true);
    lblMsg->setMinimumWidth(twipsToPixels(5400));
    pbar = new QProgressBar(this);
    pbar->setObjectName(QStringLiteral("pbar"));
    pbar->setRange(0, 1);
    pbar->setValue(0);
    pbar->hide();

    makeToolbar();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblMsg);
    layout->addWidget(pbar);
    layout->addWidget(tlbOkCancel.bar);
    previewKeys();
}

frmLastGnrDateUpdation::~frmLastGnrDateUpdation() = default;

void frmLastGnrDateUpdation::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    placeOnFirstShow();
}

void frmLastGnrDateUpdation::Form_KeyDown(int &KeyCode, int Shift) {
    // While a run is under way no key acts.
    if (m_running) {
        KeyCode = 0;
        return;
    }
    AdminDialog::Form_KeyDown(KeyCode, Shift);
}

void frmLastGnrDateUpdation::closeEvent(QCloseEvent *event) {
    if (m_running) {
        event->ignore();
        return;
    }
    unload(event);
}

void frmLastGnrDateUpdation::tlbOkCancel_ButtonClick(int index) {
    if (m_running)
        return;
    // Called from the buttons and the keys, each one action: a failure of the
    // run reaches it and is told there.
    switch (index) {
    case 1:
        UpdateLastGnrtdDate();
        break;
    case 2:
        close();
        break;
    case 3:
        zv::admin::showHelpTopic(this, kHelpTopic);
        break;
    default:
        break;
    }
}

void frmLastGnrDateUpdation::UpdateLastGnrtdDate() {
    if (m_running)
        return;
    if (MsgBox(QStringLiteral("Do you want to continue?"), vbYesNo + vbQuestion, kInformation) != vbYes)
        return;
    // A file that will not open has been told why; the action ends.
    zv::db::Connection &conn = modCommon::MainConnection();
    {
        m_running = true;
        setWindowTitle(kBusyCaption);
        std::optional<Hourglass> hourglass;
        hourglass.emplace();
        // However the run ends, the window is idle again before anything is told.
        const auto idle = qScopeGuard([&] {
            pbar->hide();
            tlbOkCancel.bar->show();
            setWindowTitle(kCaption);
            hourglass.reset();
            m_running = false;
        });
        paintPending();
        pbar->setRange(0, 1);
        pbar->setValue(0);
        pbar->show();
        tlbOkCancel.bar->hide();
        paintPending();
        // One transaction: a failure leaves every line as it was.
        m_sincePaint.start();
        zv::activity::RecalculateLastGnrtdDate(conn, [this](int done, int total) { showProgress(done, total); });
    }
    MsgBox(QStringLiteral("All the records updated successfully"), vbInformation, kInformation);
    close();
}

void frmLastGnrDateUpdation::showProgress(int done, int total) {
    // The bar repaints itself at once on every new value, so it takes one only
    // when the window is painted anyway: every 50 ms, and at the end.
    if (total != pbar->maximum())
        pbar->setRange(0, qMax(total, 1));
    if (done != total && !m_sincePaint.hasExpired(50))
        return;
    m_sincePaint.restart();
    pbar->setValue(done);
    paintPending();
}
