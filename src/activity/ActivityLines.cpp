// The Activity Master's detail lines: the detail frame's states, its lists,
// the validation of a line, and its insert and update.
#include "FormParts.h"
#include "core/modCommon.h"
#include "dateinput/DateText.h"
#include "frmActvtyMast.h"
#include "platform/db/Dates.h"
#include "platform/ui/MessageService.h"
#include "query/RecordsetGrid.h"
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>

using namespace zv::ui;
using zv::db::DbError;
using zv::dateinput::kMonthNameMask;
namespace err = zv::db::err;

namespace zv::activity {

void frmActvtyMast::focusIfShown(QWidget *w) {
    if (w && w->isEnabled() && w->isVisible())
        w->setFocus();
}

bool frmActvtyMast::refuse(QWidget *focus, const QString &code, const QString &prefix, const QString &suffix) {
    status(code, prefix, suffix);
    setMousePointer(0);
    focusIfShown(focus);
    return false;
}

void frmActvtyMast::DisableDetail() {
    for (QWidget *w : std::initializer_list<QWidget *>{txtStartDate, txtEndDate, cmbDept, CmbResP, cmbFreq})
        setFieldEnabled(w, false);
    dgdAM->setEnabled(false);
    fraDet->show();
    fraDet->raise();
}

void frmActvtyMast::ClearDetail() {
    SettingUp guard(m_settingUp);
    txtStartDate->setText(kMonthNameMask);
    txtEndDate->setText(kMonthNameMask);
    for (QComboBox *c : {cmbDept, CmbResP, cmbFreq}) {
        c->setCurrentIndex(-1);
        c->setEditText(QString());
    }
}

void frmActvtyMast::EnableDetailForAdd() {
    utility.ToolBarsForDetailsAdd(&tlbHeader, &tlbFooter);
    m_detailMode = QStringLiteral("DetailAdd");
    DisableHeaderFields();
    {
        SettingUp guard(m_settingUp);
        FillDepartments();
        FillFrequencies();
        FillResponsiblePersons();
        cmbAssignedBy->setEditText(QStringLiteral("ADMIN"));
    }
    for (QWidget *w : std::initializer_list<QWidget *>{txtStartDate, txtEndDate, cmbDept, CmbResP, cmbFreq})
        setFieldEnabled(w, true);
    ClearDetail();
    SetNextStartDate();
    fraDet->move(twipsToPixels(180), fraDet->y());
    fraDet->setTitle(QStringLiteral("Schedule Details"));
    fraDet->show();
    fraDet->raise();
    dgdAM->setEnabled(false);
    PicMain->hide();
    PicMain->setEnabled(true);
    for (QTabWidget *tabs : {sstAdhoc, sstMnth}) {
        tabs->hide();
        tabs->setEnabled(true);
    }
    txtStartDate->setFocus();
}

void frmActvtyMast::EnableDetailForModify() {
    EnableDetailForAdd();
    utility.ToolBarsForDetailsAdd(&tlbHeader, &tlbFooter);
    m_detailMode = QStringLiteral("DetailModify");

    const qint64 line = gridText(1).toLongLong();
    m_activityKey = QString::number(gridText(0).toLongLong());
    m_lineKey = QString::number(line);
    {
        SettingUp guard(m_settingUp);
        txtStartDate->setText(gridText(2).isEmpty() ? kMonthNameMask : gridText(2));
        txtEndDate->setText(gridText(3).isEmpty() ? kMonthNameMask : gridText(3));
        // The line's own department, person and frequency by key: names need not be unique.
        auto rs = db().query(QStringLiteral("SELECT Sys_Dept_Num, Sys_Emp_Num, Sys_Const_Num, Assign_By "
                                            "FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?"),
                             {line});
        const auto choose = [](QComboBox *c, const QVariant &key, const QString &text) {
            int i = key.isNull() ? -1 : c->findData(key.toLongLong());
            if (i < 0)
                i = c->findText(text, Qt::MatchFixedString);
            c->setCurrentIndex(i);
            if (i < 0)
                c->setEditText(text);
        };
        QVariant dept, emp, freq;
        qint64 assignBy = gridText(8).toLongLong();
        if (!rs.isEmpty()) {
            rs.moveFirst();
            dept = rs.value(0);
            emp = rs.value(1);
            freq = rs.value(2);
            assignBy = rs.value(3).toLongLong();
        }
        choose(cmbFreq, freq, gridText(5));
        choose(cmbDept, dept, gridText(9));
        choose(CmbResP, emp, gridText(7));
        QString assigner;
        if (assignBy > 0)
            assigner = utility.GetCodeNum(QStringLiteral("Emp_Name"), assignBy, QStringLiteral("Sys_Emp_Num"),
                                          QStringLiteral("Emp_Mast"));
        cmbAssignedBy->setEditText(assigner.trimmed().isEmpty() ? QStringLiteral("ADMIN") : assigner);
    }
    PicMain->setEnabled(true);
    // Once schedule entries were generated only the end date may change.
    if (utility.RecordExists(QStringLiteral("Actvty_Mast_Det"),
                             QStringLiteral("WHERE Sys_Actvty_Line_Num = ? AND Last_Gnrtd_Date IS NOT NULL"), {line})) {
        for (QWidget *w : std::initializer_list<QWidget *>{txtStartDate, cmbDept, CmbResP, cmbFreq})
            setFieldEnabled(w, false);
        PicMain->setEnabled(false);
        sstMnth->setEnabled(false);
    }
    LoadFrequencyRule();
    focusIfShown(txtStartDate);
    if (!txtStartDate->isEnabled())
        focusIfShown(txtEndDate);
}

// ---------------------------------------------------------------- lists

// A list of names with their keys: the key in the first column, the name in the second.
void frmActvtyMast::fillList(QComboBox *list, const QString &sql) {
    list->clear();
    auto rs = db().query(sql);
    for (int i = 0; i < rs.recordCount(); ++i)
        list->addItem(rs.valueAt(i, 1).toString(), rs.valueAt(i, 0).toLongLong());
}

void frmActvtyMast::FillDepartments() {
    fillList(cmbDept, QStringLiteral("SELECT Sys_Dept_Num, Dept_Desc FROM Dept_Mast ORDER BY Dept_Desc"));
}

void frmActvtyMast::FillFrequencies() {
    cmbFreq->clear();
    for (const Frequency &f : frequencyList(db()))
        cmbFreq->addItem(f.desc, f.key);
}

void frmActvtyMast::FillResponsiblePersons() {
    fillList(CmbResP, QStringLiteral("SELECT Sys_Emp_Num, Emp_Name, Emp_Shrt_Name FROM Emp_Mast ORDER BY Emp_Name"));
}

// The department and the responsible person: typed text is matched against the list.
void frmActvtyMast::listChanged(QComboBox *list) {
    if (m_settingUp)
        return;
    ComboKeyFilter.Change(list, true);
    clearStatus();
}

// ---------------------------------------------------------------- validation

QString frmActvtyMast::validateBox(QLineEdit *box, bool required, const QString &caption) {
    return m_checkDate.validateDate(
        box->text(),
        [this](const QString &code, const QString &prefix, const QString &suffix) { status(code, prefix, suffix); },
        QStringLiteral("dd-MMM-yyyy"), required, QString(), caption);
}

DateField frmActvtyMast::dateField(const QString &validated) const {
    if (validated.isEmpty())
        return DateField::invalid();
    if (validated == kMonthNameMask || validated == zv::dateinput::kMonthNameMaskSlashed)
        return DateField::blank();
    const QDate d = zv::dateinput::dateOfValidated(validated);
    return d.isValid() ? DateField::valid(d) : DateField::invalid();
}

bool frmActvtyMast::ValidateDetailDates() {
    m_entryDate = validateBox(txtEntryDate, false, QStringLiteral("Date Of Entry"));
    m_startDate = validateBox(txtStartDate, true, QStringLiteral("Activity Start Date"));
    m_endDate = validateBox(txtEndDate, true, QStringLiteral("Activity End Date"));

    QDate periodStart, periodEnd;
    auto parm = db().query(QStringLiteral("SELECT Start_Period, End_Period FROM Parm ORDER BY rowid LIMIT 1"));
    if (!parm.isEmpty()) {
        parm.moveFirst();
        periodStart = zv::db::fromIsoDate(parm.text(QStringLiteral("Start_Period")));
        periodEnd = zv::db::fromIsoDate(parm.text(QStringLiteral("End_Period")));
    }
    QDate lastGenerated;
    if (m_detailMode == QLatin1String("DetailModify"))
        lastGenerated = zv::db::fromDisplayDate(gridText(4));

    const auto failure = checkLineDates(dateField(m_entryDate), dateField(m_startDate), dateField(m_endDate),
                                        periodStart, periodEnd, lastGenerated);
    if (failure)
        return refuse(failure->focus == DateFocus::StartDate ? txtStartDate : txtEndDate, failure->code,
                      failure->prefix, failure->suffix);
    SettingUp guard(m_settingUp);
    txtStartDate->setText(zv::db::toDisplayDate(dateField(m_startDate).date));
    txtEndDate->setText(zv::db::toDisplayDate(dateField(m_endDate).date));
    return true;
}

bool frmActvtyMast::ValidateDetail() {
    try {
        if (!ValidateDetailDates())
            return false;
        // A list's text must name one of its entries: that entry's key is stored.
        const auto chosen = [this](QComboBox *c) {
            const QString text = c->currentText().trimmed();
            if (text.isEmpty())
                return false;
            const int i = c->findText(text, Qt::MatchFixedString);
            if (i < 0)
                return false;
            if (c->currentIndex() != i) {
                SettingUp guard(m_settingUp);
                c->setCurrentIndex(i);
            }
            return true;
        };
        if (!chosen(cmbDept))
            return refuse(cmbDept, QStringLiteral("ZVE165"), QStringLiteral("Department"));
        if (!chosen(cmbFreq))
            return refuse(cmbFreq, QStringLiteral("ZVE119"), QStringLiteral("Frequency"));
        if (!chosen(CmbResP))
            return refuse(CmbResP, QStringLiteral("ZVE165"), QStringLiteral("Responsible Person"));

        const RuleKind kind = freqKind();
        const QDate start = dateField(m_startDate).date;
        if (kind != RuleKind::NoRule && ruleRows(cells, kind, monthlyShape(), start).isEmpty()) {
            const QString prefix = kind == RuleKind::AdHoc     ? QStringLiteral("At least any one of the Ad-Hoc Date")
                                   : kind == RuleKind::Monthly ? QStringLiteral("At least any one of the Monthly Date")
                                                               : QStringLiteral("At least any one of the Weekly Day");
            status(QStringLiteral("ZVE119"), prefix);
            setMousePointer(0);
            cmbFreq->setFocus();
            return false;
        }

        // Lines of one activity never share a day, bounds included.
        const QVariant s = zv::db::dateParam(start), e = zv::db::dateParam(dateField(m_endDate).date);
        QString sql = QStringLiteral("SELECT 1 FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ? AND ("
                                     "(? BETWEEN Start_Date AND End_Date) OR (? BETWEEN Start_Date AND End_Date) OR "
                                     "(Start_Date BETWEEN ? AND ?) OR (End_Date BETWEEN ? AND ?))");
        QVariantList values{activityNum(), s, e, s, e, s, e};
        if (m_detailMode == QLatin1String("DetailModify")) {
            sql += QStringLiteral(" AND Sys_Actvty_Line_Num <> ?");
            values << lineNum();
        }
        if (!db().query(sql + QStringLiteral(" LIMIT 1"), values).isEmpty())
            return refuse(txtEndDate, QStringLiteral("ZVE175"), QString());
        return true;
    } catch (const DbError &e) {
        setMousePointer(0);
        MsgBox(QString::number(e.number()) + QStringLiteral("\n") + e.description() + QStringLiteral(" In ValidateDetail"),
               vbCritical, QStringLiteral("Error"));
    }
    return false;
}

// ---------------------------------------------------------------- saving

bool frmActvtyMast::InsertDetail(qint64 replaceLine) {
    Hourglass busy;
    const RuleKind kind = freqKind();
    const MonthlyShape shape = monthlyShape();
    const QDate start = dateField(m_startDate).date;
    const DateField end = dateField(m_endDate);
    const QList<RuleRow> rows = ruleRows(cells, kind, shape, start);
    try {
        auto &c = db();
        // The line with its rule rows, or nothing: a rewrite that fails keeps the old line.
        zv::db::Transaction t(c);
        if (replaceLine != 0) {
            c.execute(QStringLiteral("DELETE FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = ?"), {replaceLine});
            if (c.execute(QStringLiteral("DELETE FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ? "
                                         "AND Sys_Actvty_Num = ?"),
                          {replaceLine, activityNum()}) != 1)
                throw DbError(err::NoCurrentRecord, QStringLiteral("The line no longer exists."));
        }
        c.execute(QStringLiteral("INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num, Sys_Dept_Num, Sys_Emp_Num, Start_Date, "
                                 "End_Date, Sys_Const_Num) VALUES (?, ?, ?, ?, ?, ?)"),
                  {activityNum(), cmbDept->currentData(), CmbResP->currentData(), zv::db::dateParam(start),
                   end.state == DateField::Valid ? zv::db::dateParam(end.date) : QVariant(),
                   cmbFreq->currentData()});
        const qint64 line = c.lastInsertId();
        insertRuleRows(c, activityNum(), line, kind, shape, rows);
        t.commit();
        m_lineKey = QString::number(line);
        return true;
    } catch (const DbError &e) {
        setMousePointer(0);
        MsgBox(e.description() + QStringLiteral("\nIn InsertDetail"), vbCritical, QStringLiteral("Error"));
    }
    return false;
}

bool frmActvtyMast::UpdateDetail() {
    try {
        const int changed = db().execute(QStringLiteral("UPDATE Actvty_Mast_Det SET End_Date = ? "
                                                        "WHERE Sys_Actvty_Num = ? AND Sys_Actvty_Line_Num = ?"),
                                         {zv::db::dateParam(dateField(m_endDate).date), activityNum(), lineNum()});
        if (changed != 1)
            throw DbError(err::NoCurrentRecord, QStringLiteral("The line no longer exists."));
        DisableDetail();
        return true;
    } catch (const DbError &e) {
        MsgBox(e.description() + QStringLiteral("\nIn Update Detail"), vbCritical, QStringLiteral("Error"));
    }
    return false;
}

} // namespace zv::activity
