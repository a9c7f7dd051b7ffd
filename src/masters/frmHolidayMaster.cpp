#include "frmHolidayMaster.h"
#include "HolidayStore.h"
#include "core/FormRegistry.h"
#include "core/modCommon.h"
#include "dateinput/DateText.h"
#include "framework/FormKeys.h"
#include "framework/ImageList.h"
#include "framework/TextRules.h"
#include "platform/db/Dates.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"
#include "query/RecordsetGrid.h"
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QFocusEvent>
#include <QMouseEvent>
#include <utility>

using namespace zv::ui;
using namespace zv::masters;
using namespace zv::fw;
using zv::dateinput::kMonthNameMask;
using zv::dateinput::kMonthNameMaskSlashed;

namespace {


const QString kFirstAllocationQuestion =
    QStringLiteral("Work has been allocated to some of the employees. Do you want to consider this as a holiday?");
const QString kLaterAllocationQuestion =
    QStringLiteral("Work has been allocated to some of the employees. Do you want to consider as a holiday?");
const QString kAllocatedDeleteQuestion =
    QStringLiteral("Activity already allocated for the day. Are you sure you want to delete this record?");

// Week days and month names are English whatever the locale.
QString weekDayName(const QDate &d) { return d.isValid() ? QLocale::c().dayName(d.dayOfWeek()) : QString(); }

bool isEmptyMask(const QString &text) { return text == kMonthNameMask || text == kMonthNameMaskSlashed; }

} // namespace

frmHolidayMaster::frmHolidayMaster(QWidget *parent, zv::fw::FormServices services)
    : HeaderDetailForm(QStringLiteral("Holiday Master"), parent, std::move(services)) {
    setObjectName(QStringLiteral("frmHolidayMaster"));

    auto *yearRow = new QHBoxLayout;
    auto *lblYear = new QLabel(QStringLiteral("Year*"), Frame1);
    txtYear = new QLineEdit(Frame1);
    txtYear->setObjectName(QStringLiteral("txtYear"));
    txtYear->setMaxLength(4);
    txtYear->setFixedWidth(twipsToPixels(900));
    yearRow->addWidget(lblYear);
    yearRow->addWidget(txtYear);
    yearRow->addStretch(1);
    fieldArea()->addLayout(yearRow);

    fieldArea()->addWidget(new QLabel(QStringLiteral("Holiday List*"), Frame1));
    dgdHolidayList = new LineGrid(Frame1, QStringLiteral("dgdHolidayList"),
                              {{QStringLiteral("Holday_Date"), QStringLiteral("Date"), QStringLiteral("DATETIME"), 1500},
                               {QStringLiteral("dayofweek"), QStringLiteral("Day"), QStringLiteral("TEXT"), 1600},
                               {QStringLiteral("Holday_Desc"), QStringLiteral("Description"), QStringLiteral("TEXT"), 5200},
                               {QStringLiteral("Sys_Holday_List_Line_Num"), QString(), QStringLiteral("INTEGER"), 0}},
                              {3});
    fieldArea()->addWidget(dgdHolidayList);

    fraDetail = new QGroupBox(QStringLiteral("Holiday Details"), Frame1);
    fraDetail->setObjectName(QStringLiteral("fraDetail"));
    auto *detail = new QFormLayout(fraDetail);
    auto *dateRow = new QHBoxLayout;
    dtpHolDate = new QLineEdit(fraDetail);
    dtpHolDate->setObjectName(QStringLiteral("dtpHolDate"));
    dtpHolDate->setFixedWidth(twipsToPixels(1500));
    txtWeekDay = new QLineEdit(fraDetail);
    txtWeekDay->setObjectName(QStringLiteral("txtWeekDay"));
    txtWeekDay->setReadOnly(true);
    txtWeekDay->setFocusPolicy(Qt::NoFocus);
    txtWeekDay->setFixedWidth(twipsToPixels(1500));
    picView = new QLabel(fraDetail);
    picView->setObjectName(QStringLiteral("picView"));
    picView->setPixmap(frmImgList::Picture(QStringLiteral("Holiday Master")).pixmap(20, 20));
    picView->setToolTip(QStringLiteral("Activities allocated on this day"));
    picView->setCursor(Qt::PointingHandCursor);
    dateRow->addWidget(dtpHolDate);
    dateRow->addWidget(txtWeekDay);
    dateRow->addWidget(picView);
    dateRow->addStretch(1);
    detail->addRow(QStringLiteral("Date*"), dateRow);
    txtHolidayDescription = new QLineEdit(fraDetail);
    txtHolidayDescription->setObjectName(QStringLiteral("txtHolidayDescription"));
    txtHolidayDescription->setMaxLength(50);
    detail->addRow(QStringLiteral("Description*"), txtHolidayDescription);
    fieldArea()->addWidget(fraDetail);
    setTabOrder(txtYear, dtpHolDate);
    setTabOrder(dtpHolDate, txtHolidayDescription);
    resize(660, 600);

    // Load
    if (!dbOpen())
        return;
    setUpToolbars({"Add", "Modify", "Delete", "Attachment", "DetailAdd", "DetailModify", "DetailDelete", "Separator",
                   "Sort", "Find", "Select", "Refresh", "Print", "Help", "Exit"},
                  false);
    guardBox(txtYear, KeyFilter::Digits, QString());
    guardBox(txtHolidayDescription, KeyFilter::Text, punctuationList());
    connect(txtYear, &QLineEdit::textChanged, this, [this] { clearStatus(); });
    connect(txtHolidayDescription, &QLineEdit::textChanged, this, [this] { clearStatus(); });
    connect(dtpHolDate, &QLineEdit::textChanged, this, [this] { dtpHolDate_Change(); });
    dtpHolDate->installEventFilter(this);
    picView->installEventFilter(this);

    utility.DisableControls(this);
    if (!probeTables(HolidayStore::probeStatements())) {
        unload();
        return;
    }
    fraDetail->setEnabled(false);
    setHeightTwips(dgdHolidayList, 5460);
    utility.ActivateHeaderToolBar(&tlbHeader);
    tlbHeader.setAddVisible(false);
    tlbHeader.setModifyVisible(false);
    tlbHeader.setDeleteVisible(false);
    tlbHeader.setAttachmentVisible(false);
    tlbHeader.setDetailModifyVisible(false);
    tlbHeader.setSortVisible(false);
    tlbHeader.setFindVisible(false);
    tlbHeader.setPrintVisible(false);
    resetFields();
    UsrDisableControls();
    tlbFooter.setSelectPicture(clsFooterToolBar::NoPicture);
    dtpHolDate->setText(kMonthNameMask);
    m_dateBox.setTxtdate(dtpHolDate, zv::fw::keyPreviewOf(this));

    // With no list at all there is nothing to choose: the form opens on the
    // current year, whose list its first line starts. Unread is no answer:
    // the form ends as a failed open does.
    bool anyList = false;
    if (!tellingFailures([&] { anyList = store().anyList(); })) {
        unload();
        return;
    }
    if (!anyList) {
        defaultHeaderState();
        utility.ActivateFooterToolBar(&tlbFooter);
        return;
    }
    // The filter opens before the form is seen; cancelling it, or a list that
    // cannot be read, closes the form.
    m_noListChosen = true;
    tellingFailures([this] { select(); });
    if (m_noListChosen)
        unload();
}

frmHolidayMaster::~frmHolidayMaster() = default;

void frmHolidayMaster::Form_Activate() {
    if (probeOrUnload(HolidayStore::probeStatements()))
        return;
    txtYear->setEnabled(false);
    dgdHolidayList->setEnabled(false);
}

// ---------------------------------------------------------------- field states

void frmHolidayMaster::UsrEnableControls() {
    txtYear->setEnabled(true);
    txtYear->setStyleSheet(kOpenBox);
    for (QLineEdit *box : {dtpHolDate, txtHolidayDescription}) {
        box->setEnabled(true);
        box->setVisible(true);
    }
    picView->setVisible(false);
    txtYear->setFocus();
}

void frmHolidayMaster::UsrDisableControls() {
    lockYear();
    for (QLineEdit *box : {dtpHolDate, txtHolidayDescription}) {
        box->setEnabled(false);
        box->setVisible(false);
    }
    picView->setVisible(false);
}

void frmHolidayMaster::lockYear() {
    txtYear->setEnabled(false);
    txtYear->setStyleSheet(kLockedBox);
}

void frmHolidayMaster::showListYear() {
    if (m_headerKey.toLongLong() <= 0)
        return;
    const QString year = listYear();
    if (!year.isEmpty())
        txtYear->setText(year);
}

void frmHolidayMaster::resetFields() {
    dtpHolDate->setStyleSheet(kOpenBox);
    dtpHolDate->setText(kMonthNameMask);
    txtYear->setText(hasCurrentRow(dgdHolidayList) ? QString()
                                                   : QString::number(modCommon::GetServerDate().year()));
    if (txtYear->isEnabled())
        txtYear->setStyleSheet(kOpenBox);
    txtHolidayDescription->clear();
    clearLines(dgdHolidayList);
    dgdHolidayList->setEnabled(hasCurrentRow(dgdHolidayList));
    focusIfUsable(txtYear);
}

void frmHolidayMaster::readList() {
    if (m_headerKey.trimmed().isEmpty()) {
        clearLines(dgdHolidayList);
    } else {
        QVector<zv::db::Recordset::Row> rows;
        for (const HolidayLine &line : store().lines(m_headerKey.toLongLong()))
            rows.append({line.isoDate, weekDayName(zv::db::fromIsoDate(line.isoDate)), line.description,
                         line.lineKey});
        // The grid's columns by name.
        auto rs = std::make_shared<zv::db::Recordset>(
            QStringList{QStringLiteral("Holday_Date"), QStringLiteral("dayofweek"), QStringLiteral("Holday_Desc"),
                        QStringLiteral("Sys_Holday_List_Line_Num")},
            rows);
        const int keep = m_detailMode == DetailMode::DetailDelete ? m_rowPosition : 0;
        showLines(dgdHolidayList, rs, keep, false);
    }
    m_listHasRows = hasCurrentRow(dgdHolidayList);
    dgdHolidayList->setEnabled(m_listHasRows);
}

void frmHolidayMaster::defaultHeaderState() {
    tlbHeader.setDetailAddVisible(true);
    tlbHeader.setDetailDeleteVisible(true);
    tlbHeader.setRefreshVisible(true);
    tlbHeader.setFilterVisible(true);
    tlbHeader.setHelpVisible(true);
    tlbHeader.setDetailAddEnable(true);
    tlbHeader.setDetailDeleteEnable(true);
    tlbHeader.setRefreshEnable(true);
    tlbHeader.setFilterEnable(true);
    tlbHeader.setHelpEnable(true);
    tlbHeader.setExitEnable(true);
    if (!hasCurrentRow(dgdHolidayList)) {
        tlbHeader.setDetailDeleteEnable(false);
        tlbHeader.setRefreshEnable(false);
    }
}

// ---------------------------------------------------------------- header

void frmHolidayMaster::help() { showHelp(QStringLiteral("HTML/Holiday.htm")); }

void frmHolidayMaster::select() {
    const QStringList chosen = ShowGeneralFilter(QStringLiteral("HOLDAY"));
    if (chosen.value(1).trimmed().isEmpty())
        return;
    // The form moves to the chosen list only once its lines have been read.
    const QString shown = m_headerKey;
    m_headerKey = QString::number(chosen.value(0).toLongLong());
    try {
        readList();
    } catch (...) {
        m_headerKey = shown;
        throw;
    }
    txtYear->setText(chosen.value(1));
    m_noListChosen = false;
    defaultHeaderState();
    utility.ActivateFooterToolBar(&tlbFooter);
}

void frmHolidayMaster::refresh() {
    if (m_headerKey.trimmed().isEmpty())
        m_headerKey = QStringLiteral("0");
    if (m_headerKey.toLongLong() > 0)
        txtYear->setText(listYear());
    readList();
    if (!hasCurrentRow(dgdHolidayList)) {
        tlbHeader.setDetailDeleteEnable(false);
        tlbHeader.setDetailModifyEnable(false);
        tlbHeader.setDeleteEnable(false);
        tlbHeader.setDetailAddEnable(true);
        tlbHeader.setRefreshEnable(false);
        status(QStringLiteral("ZVE034"));
    }
}

void frmHolidayMaster::detailAdd() {
    // The list is read before anything changes: a failed read leaves the form as it was.
    readList();
    m_detailMode = DetailMode::DetailAdd;
    UsrEnableControls();
    utility.ToolBarsForDetailsAdd(&tlbHeader, &tlbFooter);
    dgdHolidayList->refresh();
    // The year stays open: typing another year starts that year's list.
    fraDetail->setEnabled(true);
    setHeightTwips(dgdHolidayList, 4500);
    dtpHolDate->setText(kMonthNameMask);
    txtWeekDay->clear();
    m_enteredDate.clear();
    txtHolidayDescription->setStyleSheet(kOpenBox);
    txtHolidayDescription->clear();
    dgdHolidayList->setEnabled(false);
    dtpHolDate->setFocus();
}

void frmHolidayMaster::detailDelete() {
    m_detailMode = DetailMode::DetailDelete;
    struct EndOfDelete {
        DetailMode &mode;
        ~EndOfDelete() { mode = DetailMode::None; }
    } end{m_detailMode};
    const auto rs = dgdHolidayList->recordset();
    if (!hasCurrentRow(dgdHolidayList))
        return;
    const qint64 lineKey = rs->value(3).toLongLong();
    const QDate day = zv::db::fromIsoDate(rs->text(QStringLiteral("Holday_Date")));

    if (!store().listExists(m_headerKey.toLongLong())) {
        txtYear->clear();
        m_headerKey = QStringLiteral("0");
        readList();
        tlbHeader.setDetailDeleteEnable(false);
        tlbHeader.setRefreshEnable(false);
        tlbHeader.setDetailAddEnable(true);
        status(QStringLiteral("ZVE034"), QStringLiteral("Cannot delete,"));
        return;
    }
    const auto lineExists = [&] { return store().lineExists(m_headerKey.toLongLong(), lineKey); };
    if (!lineExists()) {
        refresh();
        status(QStringLiteral("ZVE034"));
        return;
    }
    if (!confirmDelete(workAllocated(day) ? kAllocatedDeleteQuestion : kDeleteRecord))
        return;
    if (!lineExists())
        return;
    // Held while the line goes: another copy of the form deleting from this list waits its turn.
    if (!takeRowLock(HolidayStore::headerTable, keyValue())) {
        status(QStringLiteral("ZVE028"));
        return;
    }
    m_rowPosition = currentPosition(dgdHolidayList);
    try {
        store().deleteLine(m_headerKey.toLongLong(), lineKey);
        readList();
    } catch (...) {
        releaseRowLock();
        throw;
    }
    defaultHeaderState();
    releaseRowLock();
    utility.ActivateFooterToolBar(&tlbFooter);
    status(QStringLiteral("ZVE008"));
}

// ---------------------------------------------------------------- footer

void frmHolidayMaster::ok() {
    if (lineOpen())
        saveLine();
    else
        yearCheck();
}

bool frmHolidayMaster::yearCheck() {
    const QString year = txtYear->text().trimmed();
    if (year.isEmpty())
        status(QStringLiteral("ZVE128"), QStringLiteral("Year"));
    else if (year.size() < 4)
        status(QStringLiteral("ZVE009"), QString(), QStringLiteral("Year"));
    else
        return true;
    focusIfUsable(txtYear);
    return false;
}

QDate frmHolidayMaster::enteredDate() const { return zv::dateinput::dateOfValidated(m_enteredDate); }

bool frmHolidayMaster::dateCheck() {
    const QString result = m_dateCheck.validateDate(
        dtpHolDate->text(),
        [this](const QString &code, const QString &prefix, const QString &suffix) { status(code, prefix, suffix); },
        QStringLiteral("dd-MMM-yyyy"), false, QString(), QStringLiteral("Holiday Date"));
    m_enteredDate = result;
    if (!result.isEmpty() && !isEmptyMask(result)) {
        m_dateInvalid = false;
        const QString shown = zv::db::toDisplayDate(enteredDate());
        if (dtpHolDate->text() != shown)
            dtpHolDate->setText(shown);
        m_enteredDate = result;   // the box's change forgets it
        return true;
    }
    if (isEmptyMask(result))
        status(QStringLiteral("ZVE128"), QStringLiteral("Holiday Date"));
    else
        status(QStringLiteral("ZVE009"), QString(), QStringLiteral("Date"));
    focusIfUsable(dtpHolDate);
    m_dateInvalid = true;
    return false;
}

// A failure is thrown: an unread year is no empty one.
QString frmHolidayMaster::listYear() { return store().yearOf(m_headerKey.toLongLong()).value_or(QString()); }

// A failure is thrown: the save or delete must not go on as if nothing were booked.
bool frmHolidayMaster::yearHasList(int year) { return store().yearHasList(year); }

bool frmHolidayMaster::workAllocated(const QDate &day) {
    if (!day.isValid())
        return false;
    return store().workAllocated(day);
}

frmHolidayMaster::Pass frmHolidayMaster::allocationPass(Question question) {
    const bool later = question == Question::Later;
    const QDate day = enteredDate();
    if (picView->isHidden()) {
        if (!workAllocated(day))
            return Pass::Go;
        // The first Ok only tells: the picture now opens the day's work.
        picView->setVisible(true);
        dtpHolDate->setFocus();
        status(QStringLiteral("ZVE041"));
        return Pass::Stop;
    }
    if (later ? !m_allocationConfirmed : m_allocationAsked)
        return Pass::Go;
    if (!workAllocated(day))
        return Pass::Go;
    if (!later)
        m_allocationAsked = true;
    if (MsgBox(later ? kLaterAllocationQuestion : kFirstAllocationQuestion, vbYesNo + vbQuestion + vbDefaultButton2,
               QStringLiteral("Question")) != vbYes) {
        footerCancel();
        return Pass::GivenUp;
    }
    if (!later)
        m_allocationConfirmed = false;
    return Pass::Go;
}

bool frmHolidayMaster::saveLine() {
    if (!yearCheck() || !dateCheck())
        return false;
    const QDate day = enteredDate();
    const int fiscalYear = txtYear->text().trimmed().toInt();
    if (day.year() != fiscalYear) {
        status(QStringLiteral("ZVE145"));
        dtpHolDate->setFocus();
        return false;
    }
    const QString description = txtHolidayDescription->text().trimmed();
    if (description.isEmpty()) {
        status(QStringLiteral("ZVE128"), QStringLiteral("Description"));
        focusIfUsable(txtHolidayDescription);
        return false;
    }
    if (zv::fw::refuseInvalidCharacters(txtHolidayDescription, zv::fw::QuoteAndBar::Allowed))
        return false;
    // A day is a holiday in one list only.
    if (store().isHoliday(day)) {
        status(QStringLiteral("ZVE006"), QStringLiteral("Holiday "));
        return false;
    }
    if (const Pass p = allocationPass(Question::First); p != Pass::Go)
        return p == Pass::GivenUp;
    if (yearHasList(fiscalYear)) {
        if (!dateCheck())
            return false;
        for (int pass = 0; pass < 2; ++pass)
            if (const Pass p = allocationPass(Question::Later); p != Pass::Go)
                return p == Pass::GivenUp;
    }

    // The year's header, when still missing, is written with its first line.
    qint64 listKey = 0;
    bool yearTaken = false;
    const bool written = writeTogether([&](zv::db::Connection &c) {
        switch (HolidayStore(c).saveLine(fiscalYear, day, description, listKey)) {
        case HolidayStore::LineSaved::Saved:
            break;
        case HolidayStore::LineSaved::YearTaken:
            yearTaken = true;
            break;
        case HolidayStore::LineSaved::DayInAnotherList:
            throw Refused{QStringLiteral("ZVE006"), QStringLiteral("Holiday ")};
        }
    });
    if (!written)
        return false;
    if (yearTaken) {
        m_headerKey = QStringLiteral("0");
        status(QStringLiteral("ZVE006"), QStringLiteral("Year"));
        return false;
    }
    m_headerKey = QString::number(listKey);
    readList();
    restoreViewAfterEntry();
    status(QStringLiteral("ZVE003"));
    m_allocationConfirmed = true;
    return true;
}

void frmHolidayMaster::restoreViewAfterEntry() {
    setHeightTwips(dgdHolidayList, 5460);
    fraDetail->setEnabled(false);
    m_detailMode = DetailMode::None;
    lockYear();
    defaultHeaderState();
    utility.ActivateFooterToolBar(&tlbFooter);
    dgdHolidayList->setEnabled(true);
    dgdHolidayList->setFocus();
}

void frmHolidayMaster::cancel() {
    const bool entry = lineOpen();
    if (entry) {
        fraDetail->setEnabled(false);
        txtHolidayDescription->clear();
        dtpHolDate->setText(kMonthNameMask);
        txtWeekDay->clear();
        m_enteredDate.clear();
    }
    readList();
    restoreViewAfterEntry();
    if (entry)
        showListYear();
    clearStatus();
}

// ---------------------------------------------------------------- date box and day view

void frmHolidayMaster::dtpHolDate_Change() {
    clearStatus();
    const QDate d = zv::db::fromDisplayDate(dtpHolDate->text());
    if (d.isValid()) {
        txtWeekDay->setText(weekDayName(d));
    } else {
        txtWeekDay->clear();
        m_enteredDate.clear();
    }
}

void frmHolidayMaster::showDayView() {
    clearStatus();
    QDate d = zv::db::fromDisplayDate(dtpHolDate->text());
    if (!d.isValid())
        d = enteredDate();
    if (d.isValid())
        if (services().dayView)
            services().dayView(this, zv::db::toDisplayDate(d));
    focusIfUsable(dtpHolDate);
}

bool frmHolidayMaster::eventFilter(QObject *watched, QEvent *event) {
    if (watched == dtpHolDate && event->type() == QEvent::FocusOut && lineOpen() &&
        !isEmptyMask(dtpHolDate->text())) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason)
            tellingFailures([this] { dateCheck(); });
    } else if (watched == picView) {
        if (event->type() == QEvent::MouseButtonPress) {
            picView->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            m_picViewPressed = true;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            picView->setFrameStyle(QFrame::NoFrame);
            // Only the release of a press it received opens the day view.
            const bool pressed = std::exchange(m_picViewPressed, false);
            if (pressed && picView->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint()))
                tellingFailures([this] { showDayView(); });
        }
    }
    return HeaderDetailForm::eventFilter(watched, event);
}

// ---------------------------------------------------------------- keys and closing

void frmHolidayMaster::Form_KeyDown(int &KeyCode, int Shift) {
    if (KeyCode == vbKey::F12) {
        KeyCode = 0;
        return;
    }
    if (KeyCode == 'F' && Shift == 2 && focusWidget() == dtpHolDate && !picView->isHidden()) {
        KeyCode = 0;
        showDayView();
        return;
    }
    DataForm::Form_KeyDown(KeyCode, Shift);
}

bool frmHolidayMaster::isEditing() const { return !unusable() && lineOpen(); }

QString frmHolidayMaster::closeQuestion() const {
    return QStringLiteral("Do you want to save the changes you have made to '") + windowTitle() +
           QStringLiteral("' ?");
}

void frmHolidayMaster::escNo() {
    footerCancel();
    clearStatus();
}

bool frmHolidayMaster::saveBeforeClose() {
    footerOk();
    DoEvents();
    // A line that failed a check stays on screen with its status.
    return !lineOpen();
}
