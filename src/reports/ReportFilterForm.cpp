#include "ReportFilterForm.h"
#include "ReportSql.h"
#include "ReportStore.h"
#include "core/MDIZVS.h"
#include "core/modCommon.h"
#include "framework/FormKeys.h"
#include "platform/db/Dates.h"
#include "platform/report/FrmReportViewer.h"
#include "platform/ui/BoxGuards.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"
#include "platform/ui/WindowWait.h"
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QToolButton>
#include <QVBoxLayout>

using namespace zv::ui;

namespace zv::reports {

namespace {

const char *const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

QString periodText(const QString &period) {
    const QDate d = zv::db::fromDisplayDate(period);
    return d.isValid() ? zv::db::toDisplayDate(d) : period;
}

} // namespace

NormalPointerAtEnd::~NormalPointerAtEnd() { setMousePointer(0); }

ReportFilterForm::ReportFilterForm(QWidget *parent, zv::fw::FormServices services)
    : ReportForm(parent, std::move(services)) {
    fraSelection = new QGroupBox(QStringLiteral("Selection"), Frame1);
    fraSelection->setObjectName(QStringLiteral("fraSelection"));
    m_rows = new QFormLayout(fraSelection);
    auto *frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(fraSelection);
}

ReportFilterForm::~ReportFilterForm() = default;

void ReportFilterForm::addFilterRow(const QString &label, QWidget *field, QLabel **labelOut) {
    auto *l = new QLabel(label, fraSelection);
    l->setBuddy(field);
    field->setParent(fraSelection);
    m_rows->addRow(l, field);
    if (labelOut)
        *labelOut = l;
}

void ReportFilterForm::addFilterSpan(QWidget *widget) {
    widget->setParent(fraSelection);
    m_rows->addRow(widget);
}

QRadioButton *ReportFilterForm::option(const QString &name, const QString &caption) {
    auto *b = new QRadioButton(caption, fraSelection);
    b->setObjectName(name);
    return b;
}

void ReportFilterForm::addOptionRow(const QString &label, QRadioButton *first, QRadioButton *second,
                                    QRadioButton *both) {
    auto *row = new QWidget(fraSelection);
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    for (QRadioButton *b : {first, second, both}) {
        b->setParent(row);
        h->addWidget(b);
    }
    h->addStretch(1);
    both->setChecked(true);
    lblActvty = new QLabel(label, fraSelection);
    lblActvty->setObjectName(QStringLiteral("lblActvty"));
    m_rows->addRow(lblActvty, row);
}

void ReportFilterForm::addTypeOptions() {
    optOff = option(QStringLiteral("optOff"), QStringLiteral("Official"));
    optPernl = option(QStringLiteral("optPernl"), QStringLiteral("Personal"));
    optBoth = option(QStringLiteral("optBoth"), QStringLiteral("Both"));
    addOptionRow(QStringLiteral("Activity Type"), optOff, optPernl, optBoth);
}

void ReportFilterForm::addStatusOptions() {
    optPlnd = option(QStringLiteral("optPlnd"), QStringLiteral("Not Completed"));
    optCpltd = option(QStringLiteral("optCpltd"), QStringLiteral("Completed"));
    optBoth = option(QStringLiteral("optBoth"), QStringLiteral("Both"));
    addOptionRow(QStringLiteral("Activity Status"), optPlnd, optCpltd, optBoth);
}

void ReportFilterForm::addEmployeeRow() {
    auto *row = new QWidget(fraSelection);
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    picSelFilter = new QToolButton(row);
    picSelFilter->setObjectName(QStringLiteral("picSelFilter"));
    picSelFilter->setIcon(zv::ui::icon(QStringLiteral("Select")));
    picSelFilter->setAutoRaise(false);
    imgDisable = new QLabel(row);
    imgDisable->setObjectName(QStringLiteral("imgDisable"));
    imgDisable->setPixmap(zv::ui::icon(QStringLiteral("Select")).pixmap(16, 16, QIcon::Disabled));
    imgDisable->hide();
    h->addWidget(picSelFilter);
    h->addWidget(imgDisable);
    h->addStretch(1);
    lblSelSortField = new QLabel(QStringLiteral("Employee Name"), fraSelection);
    lblSelSortField->setObjectName(QStringLiteral("lblSelSortField"));
    m_rows->addRow(lblSelSortField, row);
    connect(picSelFilter, &QToolButton::clicked, this, [this] { tellingFailures([this] { picSelFilter_Click(0); }); });
}

void ReportFilterForm::offerSelectionIfAnyEmployee() {
    const bool anyEmployee = utility.RecordExists(QStringLiteral("Emp_Mast"));
    picSelFilter->setVisible(anyEmployee);
    imgDisable->setVisible(!anyEmployee);
}

void ReportFilterForm::Form_Activate() {
    try {
        readOnOpening();
        activate();
    } catch (...) {
        unloadSoon();
        throw;
    }
}

void ReportFilterForm::showFailure(const std::exception &e) {
    clearStatus();
    ReportForm::showFailure(e);
}

QComboBox *ReportFilterForm::pickList(const QString &name, QWidget *parent) {
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    return list;
}

void ReportFilterForm::addMonths(QComboBox *list) {
    for (int m = 1; m <= 12; ++m)
        list->addItem(monthName(m), m);
}

QString ReportFilterForm::monthName(int month) {
    return month >= 1 && month <= 12 ? QString::fromLatin1(kMonthNames[month - 1]) : QString();
}

zv::ui::KeyFunctions *ReportFilterForm::keysOf(QWidget *control) {
    m_controlKeys.push_back(std::make_unique<zv::ui::KeyFunctions>());
    zv::fw::keyPreviewOf(this)->setControlHandler(control, m_controlKeys.back().get());
    return m_controlKeys.back().get();
}

void ReportFilterForm::tabOnEnter(QWidget *control) {
    keysOf(control)->down = [control](int &KeyCode, int) {
        if (KeyCode == vbKey::Return) {
            KeyCode = 0;
            sendTab(control);
        }
    };
}

QString ReportFilterForm::companyName() { return firstCompanyName(db()); }

QString ReportFilterForm::chooseEmployees(const SelectionRequest &r) {
    m_selectionQuery = r.sql;
    const QString result = services().chooseEmployees ? services().chooseEmployees(r) : QString();
    activate();
    return result;
}

void ReportFilterForm::addMonthDays(int month, int year, const QString &keySuffix) {
    QString from, until;
    if (!monthBounds(month, year, from, until))
        return;
    const auto key = [&keySuffix](int day) { return QString::number(day) + keySuffix; };
    for (const QDate &holiday : holidaysIn(db(), from, until)) {
        const int day = holiday.day();
        // A date listed twice is one holiday.
        if (!m_formulas.Exists(key(day)))
            m_formulas.Add(key(day), QStringLiteral("(%1)").arg(day));
    }
    const int length = QDate(year, month, 1).daysInMonth();
    for (int d = 1; d <= length; ++d) {
        if (m_formulas.Exists(key(d)))
            continue;
        m_formulas.Add(key(d), zv::db::vbWeekday(QDate(year, month, d)) == 1 ? QStringLiteral("(%1)").arg(d)
                                                                              : QString::number(d));
    }
}

bool ReportFilterForm::selectionButton(int Index) {
    tlbFooter.setStatus(QString());
    tlbFooter.setSelectPicture(clsFooterToolBar::NoPicture);
    return Index == 0;
}

QString ReportFilterForm::selectEmployees(EmployeeListOrder order, const QString &sql) {
    SelectionRequest r;
    r.caption = QStringLiteral("Employee Name");
    r.sql = sql;
    r.current = m_selectionList;
    if (order == EmployeeListOrder::NameFirst) {
        r.returnMode = 0;
        r.keyColumn = 2;
        r.firstColumn = 0;
        r.secondColumn = 1;
        r.thirdColumn = -1;
        return chooseEmployees(r);
    }
    r.returnMode = 1;
    r.keyColumn = 0;
    r.firstColumn = 2;
    r.secondColumn = 1;
    r.thirdColumn = 1;
    QString list = chooseEmployees(r);
    return list.remove(QLatin1Char('[')).remove(QLatin1Char(']')).remove(QLatin1Char('\''));
}

bool ReportFilterForm::showReport(const QString &title, const QString &reportFile, const zv::db::Recordset &rows,
                                  const zv::report::FormulaDictionary &values) {
    bool shown = false;
    {
        zv::report::FrmReportViewer viewer(this, services().viewer);
        // The viewer's own pointer: the hourglass is for building the report.
        setMousePointer(0);
        shown = viewer.ShowReport(title, reportFile, rows, &values);
    }
    // Not shown, the viewer has told why; the form never lost the focus.
    if (!shown)
        endAction();
    activate();
    return shown;
}

ReportFilterForm::RunOutcome ReportFilterForm::runReport(const std::function<RowsStep()> &read,
                                                         const QString &noRowsCode,
                                                         const std::function<void()> &setValues, const QString &title,
                                                         const QString &reportFile) {
    if (m_running)
        return RunOutcome::AlreadyRunning;
    const QScopedValueRollback<bool> running(m_running, true);
    try {
        setMousePointer(11);
        const RowsStep rows = read();
        // Opened (or reopened) here: the worker must not open windows.
        zv::db::Connection &c = db();
        zv::db::Recordset rs;
        WaitOptions waiting;
        waiting.cancellable = true;
        waiting.onCancel = [&c] { c.interrupt(); };
        // The window's thread leaves the connection alone until the step has ended.
        if (runWhileWindowWaits(this, QStringLiteral("Reading the report's data ..."),
                                [&](WorkProgress &) { rs = rows(c); }, waiting) == WaitOutcome::Cancelled) {
            clearStatus();
            return RunOutcome::Cancelled;
        }
        if (rs.isEmpty()) {
            status(noRowsCode);
            return RunOutcome::NoRows;
        }
        m_formulas.RemoveAll();
        setValues();
        showReport(title, reportFile, rs, m_formulas);
        clearStatus();
        m_formulas.RemoveAll();
        return RunOutcome::Shown;
    } catch (...) {
        // "Report is being generated" no longer holds; the failure is told where the action began.
        m_formulas.RemoveAll();
        clearStatus();
        throw;
    }
}

void ReportFilterForm::everyEmployeeIfNone(zv::db::Connection &c, QString &employees) {
    if (employees.isEmpty())
        employees = allEmployeeKeys(c);
}

void ReportFilterForm::setMainCaption(const QString &who, bool withPeriod) {
    MDIZVS *main = MDIZVS::existingInstance();
    if (!main)
        return;
    QString caption = QStringLiteral("Zorvane 2.0 - ") + who;
    if (withPeriod)
        caption += QStringLiteral(" (From:") + periodText(modCommon::gStartPeriod) + QStringLiteral(" To:") +
                   periodText(modCommon::gEndPeriod) + QLatin1Char(')');
    main->setWindowTitle(caption);
}

void ReportFilterForm::Form_KeyDown(int &KeyCode, int Shift) {
    if (KeyCode == vbKey::F1 && Shift == vbShiftMask::Ctrl && m_selectionKey) {
        KeyCode = 0;
        if (picSelFilter && picSelFilter->isVisible())
            picSelFilter_Click(0);
        return;
    }
    ReportForm::Form_KeyDown(KeyCode, Shift);
}

} // namespace zv::reports
