#include "frmGenReport2.h"
#include "core/modCommon.h"
#include "platform/clock/Clock.h"
#include "platform/db/ErrorText.h"
#include "platform/ui/Ui.h"
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

using namespace zv::reports;
using namespace zv::ui;

frmGenReport2::frmGenReport2(QWidget *parent, zv::fw::FormServices services)
    : ReportFilterForm(parent, std::move(services)) {
    setObjectName(QStringLiteral("frmGenReport2"));
    cmbTargetMnth = pickList(QStringLiteral("cmbTargetMnth"), this);
    addMonths(cmbTargetMnth);
    cmbTargetMnth->setCurrentIndex(-1);
    addFilterRow(QStringLiteral("Month*"), cmbTargetMnth);
    addStatusOptions();
    addEmployeeRow();

    // Load
    m_selectionKey = false;
    m_passwordKey = true;
    setUpToolbars();
    m_formId = diarizedFormId(zv::clock::now());
    lblSelSortField->setText(QStringLiteral("Employee Name"));
    picSelFilter->show();
    imgDisable->hide();
    setWindowTitle(QStringLiteral(" Diarized Activities Report Filter"));
    if (cmbTargetMnth->currentIndex() < 0)
        cmbTargetMnth->setCurrentIndex(modCommon::GetServerDate().month() - 1);
    setMainCaption(QStringLiteral("ADMIN"), false);

    tabOnEnter(optBoth);
    keysOf(cmbTargetMnth)->press = [this](int &KeyAscii) { m_comboFilter.KeyPress(cmbTargetMnth, KeyAscii, false); };
    auto changed = [this] {
        m_comboFilter.Change(cmbTargetMnth, true);
        clearStatus();
    };
    connect(cmbTargetMnth, &QComboBox::editTextChanged, this, changed);
    connect(cmbTargetMnth, qOverload<int>(&QComboBox::activated), this, changed);
}

frmGenReport2::~frmGenReport2() {
    // A form deleted without being closed still takes its rows with it.
    if (!m_hasRows)
        return;
    try {
        deleteDiarized(db(), m_formId);
    } catch (const std::exception &) {
        // Nothing is left to tell it in: the rows carry this opening's ID
        // alone, and a later start deletes them.
    }
}

int frmGenReport2::ShowForm(qint64 employee, int month) {
    m_selectionList = QString::number(employee);
    if (month >= 1 && month <= 12)
        cmbTargetMnth->setCurrentIndex(month - 1);
    return exec();
}

void frmGenReport2::picSelFilter_Click(int Index) {
    if (!selectionButton(Index))
        return;
    m_selectionList = selectEmployees(EmployeeListOrder::KeyFirst, employeeChoiceByKey());
}

void frmGenReport2::tlbFooter_FooterClick(const QString &Key) { footerStep(Key, QStringLiteral("DB015")); }

DiarizedFilter frmGenReport2::filter() const {
    DiarizedFilter f;
    f.month = cmbTargetMnth->currentIndex() + 1;
    f.lastYear = diarizedLastYear(modCommon::gEndPeriod, zv::clock::today());
    f.status = optPlnd->isChecked()    ? Completion::Pending
               : optCpltd->isChecked() ? Completion::Completed
                                       : Completion::Both;
    // No employee chosen means every employee: no condition at all.
    f.employees = m_selectionList;
    return f;
}

int frmGenReport2::fillTempYear() {
    const int written = fillDiarized(db(), m_formId, filter());
    if (written > 0)
        m_hasRows = true;
    return written;
}

void frmGenReport2::deleteRows() {
    if (!m_hasRows)
        return;
    deleteDiarized(db(), m_formId);
    m_hasRows = false;
}

void frmGenReport2::Ok() {
    NormalPointerAtEnd pointer;
    if (cmbTargetMnth->currentIndex() < 0 && utility.CheckNullText(cmbTargetMnth, &tlbFooter, QStringLiteral("Month"), 0))
        return;
    int written = 0;   // by the data step; read once it has ended
    RunOutcome outcome = RunOutcome::NoRows;
    try {
        outcome = runReport(
            [this, &written] {
                return RowsStep([f = filter(), id = m_formId, &written](zv::db::Connection &c) {
                    written = fillDiarized(c, id, f);
                    if (written == 0)
                        return zv::db::Recordset();
                    return diarizedRows(c, id);
                });
            },
            QStringLiteral("DB001"),
            [this] {
                m_formulas.Add(QStringLiteral("Title"), optCpltd->isChecked()  ? QStringLiteral("Diarized Completed Activities")
                                                        : optPlnd->isChecked() ? QStringLiteral("Diarized Pending Activities")
                                                                               : QStringLiteral("Diarized Activities"));
                m_formulas.Add(QStringLiteral("Month"), cmbTargetMnth->currentText());
                // The titles of the five year columns.
                const QList<int> years = diarizedYears(filter().lastYear);
                for (int i = 0; i < years.size(); ++i)
                    m_formulas.Add(QStringLiteral("Year%1").arg(i + 1), QString::number(years.at(i)));
            },
            kTitle, kReportFile);
    } catch (...) {
        // Rows written before a later step failed stay until the form closes.
        m_hasRows = m_hasRows || written > 0;
        throw;
    }
    m_hasRows = m_hasRows || written > 0;
    // A stopped run leaves no rows behind, nor those of an earlier run.
    if (outcome == RunOutcome::Cancelled) {
        m_hasRows = true;   // the fill may have ended before Cancel came
        deleteRows();
    }
}

bool frmGenReport2::Form_QueryUnload() {
    // The rows go before the form does. A file another program holds keeps
    // the form open, to be closed again once it is free; no later try mends
    // a damaged file, so the form then closes all the same, its rows left to
    // the file's repair or a later start.
    try {
        deleteRows();
    } catch (const std::exception &e) {
        if (zv::db::isDamage(e)) {
            m_hasRows = false;
            unloadSoon();
        }
        throw;
    }
    return true;
}
