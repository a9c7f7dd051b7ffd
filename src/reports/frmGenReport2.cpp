#include "frmGenReport2.h"
#include "core/modCommon.h"
#include "platform/clock/Clock.h"
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
    if (cmbTargetMnth->currentIndex() < 0) {
        try {
            cmbTargetMnth->setCurrentIndex(modCommon::GetServerDate().month() - 1);
        } catch (const std::exception &) {
            // No database date: Ok asks for the month.
        }
    }
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
    if (!unloading())
        Form_Unload();
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

int frmGenReport2::fillTempYear() { return fillDiarized(db(), m_formId, filter()); }

void frmGenReport2::Ok() {
    NormalPointerAtEnd pointer;
    if (cmbTargetMnth->currentIndex() < 0 && utility.CheckNullText(cmbTargetMnth, &tlbFooter, QStringLiteral("Month"), 0))
        return;
    const RunOutcome outcome = runReport(
        [this] {
            return RowsStep([f = filter(), id = m_formId](zv::db::Connection &c) {
                if (fillDiarized(c, id, f) == 0)
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
    // A stopped run leaves no rows behind, nor those of an earlier run.
    if (outcome == RunOutcome::Cancelled) {
        try {
            deleteDiarized(db(), m_formId);
        } catch (const std::exception &e) {
            showFailure(e);
        }
    }
}

void frmGenReport2::Form_Unload() {
    try {
        deleteDiarized(db(), m_formId);
    } catch (const std::exception &) {
        // The rows carry this opening's ID alone; nothing else reads them.
    }
}
