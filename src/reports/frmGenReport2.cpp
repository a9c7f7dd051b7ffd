#include "frmGenReport2.h"
#include "core/modCommon.h"
#include "platform/db/Dates.h"
#include "platform/ui/Ui.h"
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QUuid>

using namespace zv::reports;
using namespace zv::ui;

namespace {

// The years that Temp_Year has a completion column for.
constexpr int kFirstYear = 2004;
constexpr int kLastYear = 2008;

QString yearColumns() {
    QString cols;
    for (int y = kFirstYear; y <= kLastYear; ++y)
        cols += QStringLiteral(", D%1").arg(y);
    return cols;
}

// The completion date in the column of its year.
QString yearValues() {
    QString values;
    for (int y = kFirstYear; y <= kLastYear; ++y)
        values += QStringLiteral(", CASE WHEN sc.Cmpltd_Date >= '%1-01-01' AND sc.Cmpltd_Date < '%2-01-01' "
                                 "THEN sc.Cmpltd_Date END")
                      .arg(y)
                      .arg(y + 1);
    return values;
}

} // namespace

frmGenReport2::frmGenReport2(QWidget *parent) : ReportFilterForm(parent) {
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
    // Rows of this opening alone: two openings in the same second still differ.
    m_formId = modCommon::GetTimeStampString() + QLatin1Char('-') + QUuid::createUuid().toString(QUuid::Id128).left(6);
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
    m_selectionList = selectEmployees(SelectionColumns::KeyFirst,
                                      QStringLiteral(" SELECT  em.Sys_emp_num, Emp_Shrt_Name,Emp_Name "
                                                     "FROM  emp_mast em  ORDER BY em.emp_Name "));
}

void frmGenReport2::tlbFooter_FooterClick(const QString &Key) { footerStep(Key, QStringLiteral("DB015")); }

int frmGenReport2::fillTempYear() {
    const int month = cmbTargetMnth->currentIndex() + 1;
    BoundSql q;
    q.add(QStringLiteral("INSERT INTO Temp_Year (Serl_Num, Start_Date, Emp_Name, Actvty_Desc") + yearColumns() +
              QStringLiteral(", Id) SELECT row_number() OVER (ORDER BY am.Actvty_Desc, sc.Expctd_Date, sc.Sys_Entry_Num), "
                             "sc.Expctd_Date, em.Emp_Name, am.Actvty_Desc") +
              yearValues() +
              QStringLiteral(", ? FROM Statry_Cmpltd_Entry sc "
                             "JOIN Actvty_Mast am ON am.Sys_Actvty_Num = sc.Sys_Actvty_Num "
                             "JOIN Actvty_Mast_Det amd ON amd.Sys_Actvty_Line_Num = sc.Sys_Actvty_Line_Num "
                             "JOIN Dept_Mast dm ON dm.Sys_Dept_Num = amd.Sys_Dept_Num "
                             "JOIN Emp_Mast em ON em.Sys_Emp_Num = sc.Sys_Emp_Num "
                             "WHERE CAST(strftime('%m', sc.Expctd_Date) AS INTEGER) = ? "
                             "AND sc.Expctd_Date >= ? AND sc.Expctd_Date < ?"),
          {m_formId, month, QStringLiteral("%1-01-01").arg(kFirstYear), QStringLiteral("%1-01-01").arg(kLastYear + 1)});
    addSelection(q, QStringLiteral("sc.Sys_Emp_Num"), m_selectionList);
    if (optCpltd->isChecked())
        q.add(QStringLiteral(" AND sc.Cmpltd_Date IS NOT NULL"));
    else if (optPlnd->isChecked())
        q.add(QStringLiteral(" AND sc.Cmpltd_Date IS NULL"));

    auto &c = db();
    zv::db::Transaction t(c);
    c.execute(QStringLiteral("DELETE FROM Temp_Year WHERE Id = ?"), {m_formId});
    const int rows = c.execute(q);
    if (rows == 0) {
        // Nothing found: the rows of the last run stay as they were.
        t.rollback();
        return 0;
    }
    t.commit();
    return rows;
}

void frmGenReport2::Ok() {
    NormalPointerAtEnd pointer;
    if (cmbTargetMnth->currentIndex() < 0 && utility.CheckNullText(cmbTargetMnth, &tlbFooter, QStringLiteral("Month"), 0))
        return;
    runReport(
        [this] {
            if (m_selectionList.isEmpty())
                m_selectionList =
                    employeeKeys(QStringLiteral(" SELECT  em.Sys_emp_num, Emp_Name, Emp_Shrt_Name  FROM  emp_mast em "));
            if (fillTempYear() == 0)
                return zv::db::Recordset();
            return db().query(QStringLiteral("SELECT * FROM Temp_Year WHERE Id = ? ORDER BY Serl_Num"), {m_formId});
        },
        QStringLiteral("DB001"),
        [this] {
            m_formulas.Add(QStringLiteral("Title"), optCpltd->isChecked()  ? QStringLiteral("Diarized Completed Activities")
                                                    : optPlnd->isChecked() ? QStringLiteral("Diarized Pending Activities")
                                                                           : QStringLiteral("Diarized Activities"));
            m_formulas.Add(QStringLiteral("Month"), cmbTargetMnth->currentText());
        },
        kTitle, kReportFile);
}

void frmGenReport2::Form_Unload() {
    try {
        db().execute(QStringLiteral("DELETE FROM Temp_Year WHERE Id = ?"), {m_formId});
    } catch (const std::exception &) {
        // The rows carry this opening's ID alone; nothing else reads them.
    }
}
