// The Activity Master: the form, its modes, the toolbar dispatch, closing,
// the activity header and the saving of lines. The grid of lines, the detail
// frame and the frequency picker are parts of their own; the store holds the SQL.
#include "frmActvtyMast.h"
#include "platform/ui/ErrorBox.h"
#include "ActivityLayout.h"
#include "core/MDIZVS.h"
#include "core/modCommon.h"
#include "dateinput/DateText.h"
#include "framework/FormKeys.h"
#include "framework/TextRules.h"
#include "platform/clock/Clock.h"
#include "platform/db/Dates.h"
#include "platform/db/ErrorText.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace zv::ui;
using zv::db::DbError;
using zv::dateinput::kMonthNameMask;
namespace err = zv::db::err;

namespace zv::activity {

namespace {
const QString kTitle = QStringLiteral("Activity Master");
const QString kCorrupted = QStringLiteral("Production Database is corrupted. Please reset the Production Database");
const QString kDeleteQuestion = QStringLiteral("Are you sure you want to delete this record?");
const QString kDeleteWithEntries = QStringLiteral(
    "Are you sure you want to delete this record with Activity Projector/Actuals Planner Details?");
const QString kNoCurrentRecord =
    QStringLiteral("Either BOF or EOF is True, or the current record has been deleted.");
const QString kLineGone = QStringLiteral("The line no longer exists.");
// Schedule entries were generated for the line after it was shown.
const QString kLineGotEntries = QStringLiteral("ZVE177");
} // namespace

// ---------------------------------------------------------------- building

frmActvtyMast::frmActvtyMast(QWidget *parent, zv::fw::FormServices services)
    : HeaderDetailForm(kTitle, parent, std::move(services)) {
    setObjectName(QStringLiteral("frmActvtyMast"));
    modCommon::gScreenTitle = kTitle;

    auto *head = new QWidget(Frame1);
    auto *grid = new QGridLayout(head);
    const auto addField = [&](int row, const QString &caption, QLineEdit *&box, const char *name, int maxLength) {
        box = new QLineEdit(head);
        box->setObjectName(QString::fromLatin1(name));
        box->setMaxLength(maxLength);
        grid->addWidget(new QLabel(caption, head), row, 0);
        grid->addWidget(box, row, 1);
    };
    addField(0, QStringLiteral("Date Of Entry*"), txtEntryDate, "txtEntryDate", 11);
    addField(1, QStringLiteral("Activity Description*"), txtActDesc, "txtActDesc", 100);
    addField(2, QStringLiteral("Remarks"), txtRemarks, "txtRemarks", 255);
    txtEntryDate->setMaximumWidth(twipsToPixels(1500));
    grid->setColumnStretch(1, 1);
    fieldArea()->addWidget(head);

    // The lines grid, with the detail frame laid over it.
    m_detailArea = new QWidget(Frame1);
    m_detailArea->setObjectName(QStringLiteral("detailArea"));
    m_detailArea->setFixedHeight(twipsToPixels(6000));
    m_detailArea->installEventFilter(this);
    dgdAM = new ActivityGrid(m_detailArea);
    dgdAM->setObjectName(QStringLiteral("dgdAM"));
    fraDet = new ActivityLines([this] { return store(); },
                               [this](const QString &code, const QString &prefix, const QString &suffix) {
                                   status(code, prefix, suffix);
                               },
                               [this] { return txtEntryDate->text(); },
                               [this](const std::exception &e) { showFailure(e); }, m_detailArea);
    fraDet->installEventFilter(this);
    picker = fraDet->picker;
    txtStartDate = fraDet->txtStartDate;
    txtEndDate = fraDet->txtEndDate;
    cmbDept = fraDet->cmbDept;
    CmbResP = fraDet->CmbResP;
    cmbAssignedBy = fraDet->cmbAssignedBy;
    cmbFreq = fraDet->cmbFreq;
    fieldArea()->addWidget(m_detailArea, 1);
    resize(twipsToPixels(13800), twipsToPixels(9900));

    setUpToolbars({"Add", "Modify", "Delete", "Select", "Attachment", "Separator", "DetailAdd", "DetailModify",
                   "DetailDelete", "Refresh", "Separator", "Print", "Help", "Exit"},
                  false);
    auto *keys = zv::fw::keyPreviewOf(this);
    m_entryDateBox.setTxtdate(txtEntryDate, keys);
    fraDet->attachKeys(keys);
    // The description and the remarks refuse the punctuation (quotes among it);
    // what a paste brings is checked at Ok, and a paste too long is refused.
    for (QLineEdit *box : {txtActDesc, txtRemarks}) {
        filterKeys(box, KeyFilter::Text, punctuationList());
        zv::fw::refuseOverlongPaste(box);
    }

    for (QLineEdit *box : {txtEntryDate, txtActDesc, txtRemarks})
        connect(box, &QLineEdit::textChanged, this, [this] { clearStatus(); });
    connect(fraDet, &ActivityLines::edited, this, [this] { clearStatus(); });
    connect(dgdAM, &zv::query::RecordsetGrid::RowChosen, this, [this] { dgdAM_DblClick(); });
    connect(dgdAM, &zv::query::RecordsetGrid::MoveComplete, this, [this] { dgdAM_RowColChange(); });

    utility.UsrSetValue();
    utility.ActivateHeaderToolBar(&tlbHeader);
    utility.ActivateFooterToolBar(&tlbFooter);
    tlbHeader.setDetailAddEnable(false);
    tlbHeader.setDetailModifyEnable(false);
    tlbHeader.setDetailDeleteEnable(false);
    tlbHeader.setAttachmentVisible(false);
    tlbHeader.setAttachmentEnable(false);
    tlbHeader.setPrintVisible(false);
    tlbHeader.setPrintEnable(false);

    {
        const QSignalBlocker quiet(txtEntryDate);
        txtEntryDate->setText(kMonthNameMask);
    }
    fraDet->clearFields();
    DisableHeaderFields();

    if (MDIZVS *main = MDIZVS::existingInstance())
        main->setWindowTitle(MDIZVS::CaptionText(modCommon::gStartPeriod, modCommon::gEndPeriod));
}

frmActvtyMast::~frmActvtyMast() {
    if (auto *kp = zv::fw::keyPreviewOf(this))
        fraDet->detachKeys(kp);
}

int frmActvtyMast::fraDetLeft() const { return pixelsToTwips(fraDet->x()); }

bool frmActvtyMast::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_detailArea && event->type() == QEvent::Resize) {
        dgdAM->setGeometry(m_detailArea->rect());
        fraDet->resize(m_detailArea->width() - 2 * twipsToPixels(180), m_detailArea->height());
    } else if (watched == fraDet && event->type() == QEvent::MouseButtonPress) {
        // The right button pushes the frame aside to look at the grid beneath.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
            m_fraLeft = pixelsToTwips(fraDet->x());
            m_fraTop = pixelsToTwips(fraDet->y());
            fraDet->move(twipsToPixels(-15000), fraDet->y());
            m_fraAside = true;
            return true;
        }
    } else if (watched == fraDet && event->type() == QEvent::MouseButtonRelease) {
        // Only the release of the press that pushed it aside brings it back.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::RightButton && m_fraAside) {
            m_fraAside = false;
            fraDet->move(twipsToPixels(m_fraLeft), twipsToPixels(m_fraTop));
            return true;
        }
    }
    return HeaderDetailForm::eventFilter(watched, event);
}

// ---------------------------------------------------------------- loading

void frmActvtyMast::Form_Activate() {
    try {
        store().probe();
    } catch (const std::exception &e) {
        // Without its tables the form cannot work: it closes, whatever the cause.
        unloadSoon();
        // Only a damaged file or missing tables say the database needs a
        // reset; anything else (a file another program holds, which keeps its
        // path) is told as it is where the showing began.
        if (!zv::db::isDamage(e))
            throw;
        MsgBox(kCorrupted, vbOKOnly + vbCritical, QStringLiteral("Error"));
        modCommon::gDBPath.clear();
        endAction();
    }
}


ActivityStore frmActvtyMast::store() { return ActivityStore(db()); }

void frmActvtyMast::failed(const std::exception &e, const QString &where, bool withNumber) {
    setMousePointer(0);
    ErrorBox(e, withNumber ? zv::db::ErrorLayout::NumberFirstLf : zv::db::ErrorLayout::Description, vbCritical,
             QStringLiteral("Error"), where);
    endAction();
}

void frmActvtyMast::showFailure(const std::exception &e) {
    setMousePointer(0);
    ErrorBox(e, zv::db::ErrorLayout::Description, vbCritical, QString(), QStringLiteral("Error"));
}

// ---------------------------------------------------------------- keys and closing

void frmActvtyMast::Form_KeyDown(int &KeyCode, int Shift) {
    if (fraDet->x() < 0)
        fraDet->move(twipsToPixels(180), fraDet->y());
    if (KeyCode == vbKey::Escape && m_lineView) {
        KeyCode = 0;
        footerCancel();
        return;
    }
    if (KeyCode == vbKey::F2 && Shift == 4 && fraDet->isHidden()) {
        KeyCode = 0;
        tlbHeader_HeaderClick(QStringLiteral("Refresh"));
        return;
    }
    HeaderDetailForm::Form_KeyDown(KeyCode, Shift);
}

QString frmActvtyMast::escQuestion() const { return saveChangesQuestion(kTitle); }

bool frmActvtyMast::saveBeforeClose() {
    // A save that is refused keeps the form open with the reason shown; one
    // that fails reaches the close box's boundary, which keeps it open too.
    return !isEditing() || saveEdit();
}

// ---------------------------------------------------------------- header dispatch

void frmActvtyMast::tlbHeader_HeaderClick(const QString &Key) {
    clearStatus();
    HeaderDetailForm::tlbHeader_HeaderClick(Key);
}

void frmActvtyMast::add() {
    setMode(Mode::Add);
    m_activity = 0;
    utility.ToolBarsForDetailsAdd(&tlbHeader, &tlbFooter);
    ClearFields();
    EnableHeaderForAdd();
    tlbHeader.setDetailAddEnable(false);
    tlbFooter.setResetVisible(false);
}

void frmActvtyMast::activityGone(const QString &prefix) {
    releaseRowLock();
    ClearFields();
    DisableHeaderFields();
    m_activity = 0;
    utility.ActivateHeaderToolBar(&tlbHeader);
    utility.ActivateFooterToolBar(&tlbFooter);
    status(QStringLiteral("ZVE034"), prefix);
}

bool frmActvtyMast::activityFree(const QString &gonePrefix, const QString &lockedCode) {
    if (!store().exists(m_activity)) {
        activityGone(gonePrefix);
        return false;
    }
    if (CheckHeaderLock()) {
        DisplayActivity();
        status(lockedCode);
        return false;
    }
    return true;
}

void frmActvtyMast::modify() {
    if (!activityFree(QStringLiteral("Cannot modify."), QStringLiteral("ZVE027")))
        return;
    ActivityView view;
    bool generated = false;
    try {
        auto s = store();
        if (!s.exists(m_activity)) {   // gone before the lock was ours
            activityGone(QStringLiteral("Cannot modify."));
            return;
        }
        view = readLines(m_activity);
        generated = s.hasGeneratedLines(m_activity);
    } catch (...) {
        releaseRowLock();
        throw;
    }
    setMode(Mode::Modify);
    showLines(view);
    utility.ToolBarsForDetailsAdd(&tlbHeader, &tlbFooter);
    EnableHeaderForModify(generated);
}

void frmActvtyMast::remove() {
    if (!activityFree(QStringLiteral("Cannot delete."), QStringLiteral("ZVE028")))
        return;
    // Only a test: the lock is given up before the question.
    releaseRowLock();
    const auto current = dgdAM->current();
    const bool withEntries = current && current->lastGenerated.isValid();
    const int answer = MsgBox(withEntries ? kDeleteWithEntries : kDeleteQuestion,
                              vbYesNo + vbQuestion + vbDefaultButton2, QStringLiteral("Question"));
    if (answer != vbYes)
        return;
    if (store().hasCompletedEntries(m_activity)) {
        status(QStringLiteral("ZVE014"));
        return;
    }
    DeleteHeader();
}

void frmActvtyMast::select() {
    const QStringList chosen = ShowGeneralFilter(QStringLiteral("ACTMASTAS"));
    if (chosen.isEmpty() || chosen.at(0).trimmed().isEmpty())
        return;
    // The chosen activity becomes the form's only once it has been read: a
    // failed read leaves the form on the activity it shows.
    const qint64 key = chosen.at(0).trimmed().toLongLong();
    const ActivityView view = readActivity(key);
    if (!view.header) {   // deleted since the list was read
        activityGone(QString());
        return;
    }
    m_activity = key;
    utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
    setMode(Mode::None);
    showActivity(view);
}

void frmActvtyMast::detailAdd() {
    if (m_activity == 0)
        return;
    EnableDetailForAdd();
    m_line = 0;
}

void frmActvtyMast::detailModify() {
    if (!activityFree(QStringLiteral("Cannot modify."), QStringLiteral("ZVE027")))
        return;
    if (!dgdAM->current()) {
        releaseRowLock();
        return;
    }
    const int bookmark = dgdAM->position();
    try {
        EnableDetailForModify();
    } catch (...) {
        releaseRowLock();
        throw;
    }
    m_gridBookmark = bookmark;
}

void frmActvtyMast::detailDelete() {
    const auto current = dgdAM->current();
    if (!current)
        return;
    const qint64 line = current->line;
    const int answer = MsgBox(store().lineHasGenerated(line) ? kDeleteWithEntries : kDeleteQuestion,
                              vbYesNo + vbQuestion + vbDefaultButton2, QStringLiteral("Question"));
    if (answer != vbYes)
        return;
    if (CheckHeaderLock()) {
        DisplayActivity();
        status(QStringLiteral("ZVE028"));
        return;
    }
    const int keep = dgdAM->position();
    // The line goes with its schedule entries and rule rows, or not at all;
    // the activity's lock is held until it is done, whatever happens.
    bool deleted = false;
    try {
        if (store().lineHasCompletedEntries(line)) {
            releaseRowLock();
            status(QStringLiteral("ZVE014"));
            return;
        }
        deleted = store().deleteLine(m_activity, line);
    } catch (...) {
        releaseRowLock();
        throw;
    }
    releaseRowLock();
    FillDetailGrid(keep);
    if (deleted)
        status(QStringLiteral("ZVE008"));
    else
        status(QStringLiteral("ZVE034"), QStringLiteral("Cannot delete."));
}

void frmActvtyMast::help() {
    if (fraDet->x() > 0)
        showHelp(QStringLiteral("HTML/ActivityMaster.htm"));
}


// ---------------------------------------------------------------- footer dispatch

void frmActvtyMast::ok() { saveEdit(); }

void frmActvtyMast::cancel() {
    if (m_detailMode != DetailMode::None) {
        leaveLineEntry();
    } else if (mode() == Mode::Add) {
        CancelAdd();
        setMode(Mode::None);
    } else if (mode() == Mode::Modify) {
        // The stored values come back: read before the edit is given up.
        const ActivityView view = readActivity(m_activity);
        releaseRowLock();
        setMode(Mode::None);
        DisableHeaderFields();
        if (view.header)
            showActivity(view);
        else
            showLines(view);
    }
}

void frmActvtyMast::leaveDetail() {
    setMode(Mode::None);
    m_detailMode = DetailMode::None;
    m_line = 0;
}

void frmActvtyMast::leaveLineEntry() {
    // The lines as they now are, read before the entry is left.
    const ActivityView view = readLines(m_activity);
    const int keep = m_detailMode == DetailMode::DetailModify ? m_gridBookmark : 0;
    releaseRowLock();
    m_lineView = false;
    fraDet->setTitle(QStringLiteral("Schedule Details"));
    DisableHeaderFields();
    showLines(view, keep);
    leaveDetail();
}

bool frmActvtyMast::saveEdit() {
    if (m_detailMode == DetailMode::DetailAdd) {
        if (!okDetailAdd())
            return false;
    } else if (m_detailMode == DetailMode::DetailModify) {
        if (m_lineView) {
            leaveLineEntry();
            return true;
        }
        if (!okDetailModify())
            return false;
    }
    if (mode() == Mode::Add) {
        if (!okHeaderAdd())
            return false;
    } else if (mode() == Mode::Modify) {
        if (!okHeaderModify())
            return false;
    }
    return true;
}

bool frmActvtyMast::savedAndRefilled(const QString &code, int keep) {
    // The form takes its after-save state before anything that may fail: a
    // read failing after the write never leaves the saved edit open.
    releaseRowLock();
    DisableHeaderFields();
    setMode(Mode::None);
    m_detailMode = DetailMode::None;
    lineButtons();
    FillDetailGrid(keep);
    status(code);
    return true;
}

bool frmActvtyMast::ValidateDetail(qint64 except) {
    try {
        return fraDet->check(m_activity, except);
    } catch (const DbError &e) {
        failed(e, QStringLiteral("In ValidateDetail"), true);
    }
}

bool frmActvtyMast::okDetailAdd() {
    if (!ValidateDetail(0) || !InsertDetail())
        return false;
    return savedAndRefilled(QStringLiteral("ZVE003"), 0);
}

bool frmActvtyMast::okDetailModify() {
    if (!ValidateDetail(m_line))
        return false;
    // A line without generated entries is written anew (it gets a new key);
    // one with them keeps everything but its end date.
    const bool saved = fraDet->rewritable() ? InsertDetail(m_line) : UpdateDetail();
    if (!saved)
        return false;
    // The grid keeps the modified line current.
    return savedAndRefilled(QStringLiteral("ZVE002"), m_gridBookmark);
}

bool frmActvtyMast::okHeaderAdd() {
    if (!ValidateHeader() || !InsertHeader())
        return false;
    releaseRowLock();
    DisableHeaderFields();
    setMode(Mode::None);
    utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
    tlbHeader.setDetailAddEnable(true);
    status(QStringLiteral("ZVE003"));
    return true;
}

bool frmActvtyMast::okHeaderModify() {
    if (!ValidateHeader() || !UpdateHeader())
        return false;
    return savedAndRefilled(QStringLiteral("ZVE002"), 0);
}

// ---------------------------------------------------------------- mode routines

void frmActvtyMast::DisableHeaderFields() {
    for (QLineEdit *box : {txtEntryDate, txtActDesc, txtRemarks})
        setFieldEnabled(box, false);
    dgdAM->setVisible(true);
    dgdAM->setEnabled(true);
    fraDet->hide();
}

void frmActvtyMast::ClearFields() {
    {
        const QSignalBlocker quiet(txtEntryDate);
        txtEntryDate->setText(kMonthNameMask);
    }
    txtActDesc->clear();
    txtRemarks->clear();
    fraDet->clearFields();
    dgdAM->clearLines();
}

void frmActvtyMast::EnableHeaderForAdd() {
    utility.ToolBarsForDetailsAdd(&tlbHeader, &tlbFooter);
    txtEntryDate->setText(zv::db::toDisplayDate(zv::clock::today()));
    for (QLineEdit *box : {txtEntryDate, txtActDesc, txtRemarks})
        setFieldEnabled(box, true);
    txtEntryDate->setFocus();
    fraDet->hide();
    dgdAM->setVisible(true);
}

void frmActvtyMast::EnableHeaderForModify(bool generated) {
    setFieldEnabled(txtRemarks, true);
    setFieldEnabled(txtActDesc, true);
    // The date of entry is fixed once schedule entries were generated for a line.
    setFieldEnabled(txtEntryDate, !generated);
    if (!generated)
        txtEntryDate->setFocus();
    txtActDesc->setFocus();
    fraDet->hide();
    dgdAM->setVisible(true);
    dgdAM->setEnabled(false);
}

void frmActvtyMast::CancelAdd() {
    utility.ActivateHeaderToolBar(&tlbHeader);
    utility.ActivateFooterToolBar(&tlbFooter);
    ClearFields();
    fraDet->hide();
    m_activity = 0;
    DisableHeaderFields();
}

void frmActvtyMast::openLineEntry(DetailMode mode, const QDate &latestEnd, const ActivityLines::Lists &lists) {
    utility.ToolBarsForDetailsAdd(&tlbHeader, &tlbFooter);
    m_detailMode = mode;
    DisableHeaderFields();
    fraDet->startAdd(latestEnd, lists);
    dgdAM->setEnabled(false);
}

void frmActvtyMast::EnableDetailForAdd() {
    // Read whole before the form changes: a read that fails leaves it as it was.
    const QDate latestEnd = store().latestEnd(m_activity);
    const ActivityLines::Lists lists = fraDet->readLists();
    openLineEntry(DetailMode::DetailAdd, latestEnd, lists);
}

void frmActvtyMast::EnableDetailForModify() {
    const auto current = dgdAM->current();
    if (!current)
        return;
    // The line is read before the form takes it as its own.
    auto s = store();
    const ActivityLine line = s.line(current->line).value_or(*current);
    const bool generated = s.lineHasGenerated(current->line);
    const ActivityLines::Lists lists = fraDet->readLists();
    const ActivityLines::ShownLine shown = fraDet->readLine(line, generated, lists.frequencies);
    openLineEntry(DetailMode::DetailModify, QDate(), lists);
    m_line = current->line;
    fraDet->showLine(shown);
}

void frmActvtyMast::DisableDetail() {
    fraDet->lockFields();
    dgdAM->setEnabled(false);
    fraDet->show();
    fraDet->raise();
}

// ---------------------------------------------------------------- the activity header

bool frmActvtyMast::ValidateHeader() {
    const auto refuse = [this](QWidget *focus, const QString &code, const QString &prefix, const QString &suffix) {
        status(code, prefix, suffix);
        setMousePointer(0);
        if (focus->isEnabled() && focus->isVisible())
            focus->setFocus();
        return false;
    };
    // Whatever a paste brought: no quote, bar, control or invisible character.
    if (zv::fw::refuseInvalidCharacters({txtActDesc, txtRemarks})) {
        setMousePointer(0);
        return false;
    }
    try {
        const QString validated = m_checkDate.validateDate(
            txtEntryDate->text(),
            [this](const QString &code, const QString &prefix, const QString &suffix) { status(code, prefix, suffix); },
            QStringLiteral("dd-MMM-yyyy"), false, QString(), QStringLiteral("Date Of Entry"));
        if (validated.isEmpty())
            return refuse(txtEntryDate, QStringLiteral("ZVE009"), QString(), QStringLiteral("Date"));
        if (validated == kMonthNameMask || validated == zv::dateinput::kMonthNameMaskSlashed)
            return refuse(txtEntryDate, QStringLiteral("ZVE128"), QStringLiteral("Date Of Entry"), QString());
        m_entryDate = zv::dateinput::dateOfValidated(validated);
        if (mode() == Mode::Modify) {
            const auto current = dgdAM->current();
            if (current && current->start.isValid() && current->start < m_entryDate)
                return refuse(txtEntryDate, QStringLiteral("ZVE019"), QStringLiteral("Date Of Entry"),
                              QStringLiteral("Activity Start Date"));
        }
        if (txtActDesc->text().trimmed().isEmpty())
            return refuse(txtActDesc, QStringLiteral("ZVE128"), QStringLiteral("Activity Description"), QString());
        if (m_entryDate > modCommon::GetServerDate())
            return refuse(txtEntryDate, QStringLiteral("ZVE019"), QStringLiteral("Date Of Entry"),
                          QStringLiteral("Current Date"));
        if (store().descriptionTaken(txtActDesc->text(), m_activity)) {
            status(QStringLiteral("ZVE006"), QStringLiteral("This Record "));
            setMousePointer(0);
            return false;
        }
        return true;
    } catch (const DbError &e) {
        failed(e, QStringLiteral("In ValidateHeader"), true);
    }
}

bool frmActvtyMast::InsertHeader() {
    try {
        m_activity = store().insertHeader({0, m_entryDate, txtActDesc->text().trimmed(), txtRemarks->text().trimmed()});
        return true;
    } catch (const DbError &e) {
        saveFailed(e, [&] { failed(e, QStringLiteral("In InsertHeader")); });
    }
    return false;
}

bool frmActvtyMast::UpdateHeader() {
    try {
        if (!rowLocked())
            throw DbError(err::GeneralFailure, QStringLiteral("The activity is not locked for editing."));
        store().updateHeader({m_activity, m_entryDate, txtActDesc->text().trimmed(), txtRemarks->text().trimmed()});
        DisableHeaderFields();
        return true;
    } catch (const RowGone &) {
        failed(DbError(err::NoCurrentRecord, kNoCurrentRecord), QStringLiteral("In Update Header"));
    } catch (const DbError &e) {
        saveFailed(e, [&] { failed(e, QStringLiteral("In Update Header")); });
    }
    return false;
}

void frmActvtyMast::DisplayActivity() {
    if (m_activity == 0)
        return;
    showActivity(readActivity(m_activity));
}

frmActvtyMast::ActivityView frmActvtyMast::readLines(qint64 key) {
    auto s = store();
    ActivityView view;
    view.lines = s.lines(key);
    view.assigned = s.hasAssignedLines(key);
    return view;
}

frmActvtyMast::ActivityView frmActvtyMast::readActivity(qint64 key) {
    auto s = store();
    s.fillMissingLastGenerated(key);
    const auto row = s.header(key);
    ActivityView view = readLines(key);
    view.header = row;
    return view;
}

void frmActvtyMast::showActivity(const ActivityView &view) {
    if (view.header) {
        txtEntryDate->setText(zv::db::toDisplayDate(view.header->entryDate));
        txtActDesc->setText(view.header->description);
        txtRemarks->setText(view.header->remarks);
        showLines(view);
    }
    m_assignedLines = view.assigned;
    if (view.assigned)
        tlbHeader.setDeleteEnable(false);
}

// ---------------------------------------------------------------- lines

bool frmActvtyMast::InsertDetail(qint64 replaceLine) {
    Hourglass busy;
    try {
        m_line = store().writeLine(fraDet->input(m_activity), replaceLine);
        return true;
    } catch (const LineHasEntries &) {
        lineGotEntries();
    } catch (const ChoiceGone &gone) {
        fraDet->choiceGone(gone.department);
    } catch (const RowGone &) {
        failed(DbError(err::NoCurrentRecord, kLineGone), QStringLiteral("In InsertDetail"));
    } catch (const DbError &e) {
        saveFailed(e, [&] { failed(e, QStringLiteral("In InsertDetail")); });
    }
    return false;
}

void frmActvtyMast::lineGotEntries() {
    setMousePointer(0);
    // The end date stays open: the one typed is kept for the next Ok.
    const QString typedEnd = fraDet->txtEndDate->text();
    auto s = store();
    // The line's last generated date as its entries now give it.
    s.updateLastGenerated(m_line);
    // Everything shown is read before any of it is.
    const ActivityView view = readLines(m_activity);
    std::optional<ActivityLines::ShownLine> shown;
    if (const auto line = s.line(m_line))
        shown = fraDet->readLine(*line, true);
    showLines(view, m_gridBookmark);
    utility.ToolBarsForDetailsAdd(&tlbHeader, &tlbFooter);
    dgdAM->setEnabled(false);
    if (shown) {
        fraDet->showLine(*shown);
        fraDet->txtEndDate->setText(typedEnd);
    }
    status(kLineGotEntries);
}

bool frmActvtyMast::UpdateDetail() {
    try {
        store().updateLineEnd(m_activity, m_line, fraDet->endDate());
        DisableDetail();
        return true;
    } catch (const RowGone &) {
        failed(DbError(err::NoCurrentRecord, kLineGone), QStringLiteral("In Update Detail"));
    } catch (const DbError &e) {
        saveFailed(e, [&] { failed(e, QStringLiteral("In Update Detail")); });
    }
    return false;
}

// ---------------------------------------------------------------- grid, locks, deletion

void frmActvtyMast::FillDetailGrid(int keep) { showLines(readLines(m_activity), keep); }

void frmActvtyMast::showLines(const ActivityView &view, int keep) {
    dgdAM->showLines(view.lines, keep);
    m_assignedLines = view.assigned;
    lineButtons();
}

void frmActvtyMast::lineButtons() {
    utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
    tlbHeader.setDetailAddEnable(true);
    if (dgdAM->lines().isEmpty()) {
        tlbHeader.setDetailModifyEnable(false);
        tlbHeader.setDetailDeleteEnable(false);
    } else {
        detailButtonsByRow();
    }
    if (m_assignedLines)
        tlbHeader.setDeleteEnable(false);
}

// A line assigned by an employee is his to change: the administrator's
// detail buttons follow the current row.
void frmActvtyMast::detailButtonsByRow() {
    const auto current = dgdAM->current();
    const bool own = current && modCommon::gLoginEmpNum.toLongLong() == current->assignBy;
    tlbHeader.setDetailModifyEnable(own);
    tlbHeader.setDetailDeleteEnable(own);
}

void frmActvtyMast::dgdAM_RowColChange() {
    const auto current = dgdAM->current();
    if (!current)
        return;
    clearStatus();
    const bool byEmployee = current->assignBy != 0;
    tlbHeader.setDetailModifyEnable(!byEmployee);
    tlbHeader.setDetailDeleteEnable(!byEmployee);
}

void frmActvtyMast::dgdAM_DblClick() {
    if (!dgdAM->isEnabled() || !dgdAM->current())
        return;
    tellingFailures([this] {
        EnableDetailForModify();
        m_lineView = true;
        DisableDetail();
        picker->setPickable(false);
        fraDet->setTitle(QStringLiteral("View Schedule Details"));
    });
}

bool frmActvtyMast::CheckHeaderLock() { return !takeRowLock(QStringLiteral("Actvty_Mast"), m_activity); }

bool frmActvtyMast::DeleteHeader() {
    Hourglass busy;
    // The activity is held while it goes, so nobody edits it meanwhile.
    if (CheckHeaderLock()) {
        DisplayActivity();
        status(QStringLiteral("ZVE028"));
        return false;
    }
    bool deleted = false;
    try {
        deleted = store().deleteActivity(m_activity);
    } catch (const zv::db::RowHeld &) {   // a schedule entry another user holds
        releaseRowLock();
        DisplayActivity();
        status(QStringLiteral("ZVE028"));
        return false;
    } catch (const RowGone &) {
        releaseRowLock();
        activityGone(QStringLiteral("Cannot delete"));
        return false;
    } catch (const DbError &e) {
        releaseRowLock();
        if (e.number() != err::RelatedRows)
            throw;
        DisplayActivity();
        status(QStringLiteral("ZVE030"));
        return false;
    } catch (...) {
        releaseRowLock();
        throw;
    }
    releaseRowLock();
    if (!deleted) {
        status(QStringLiteral("ZVE014"));
        return false;
    }
    utility.ActivateHeaderToolBar(&tlbHeader);
    ClearFields();
    DisableHeaderFields();
    m_activity = 0;
    status(QStringLiteral("ZVE008"));
    return true;
}

} // namespace zv::activity
