#pragma once
#include "MonthDateFilterForm.h"
#include "ReportStore.h"

// The activity projector/actuals planner: the schedule entries of a month or
// of one day, pending, completed or both, with the activity, the line's
// employee, department and assigner, and the month's calendar with holidays
// and Sundays in parentheses.
class frmGenReport1 : public zv::reports::MonthDateFilterForm {
    Q_OBJECT
public:
    explicit frmGenReport1(QWidget *parent, zv::fw::FormServices services);
    ~frmGenReport1() override;

    static inline const QString kTitle = QStringLiteral("Activity projector/Actuals planner");
    static inline const QString kReportFile = QStringLiteral("Reports/StatSR.rpt");

    // The filter the controls describe and its statement.
    zv::reports::PlannerFilter filter() const;
    zv::reports::BoundSql reportQuery() const;
    // The formula values for the current filter, in their order.
    void fillFormulas();
    const zv::report::FormulaDictionary &formulas() const { return m_formulas; }

public slots:
    void tlbFooter_FooterClick(const QString &Key) override;
    void picSelFilter_Click(int Index) override;
    void Chckdat_Click() override;

protected:
    void Ok() override;
    void activate() override;
    bool Form_QueryUnload() override;
    void fillSortEntries() override;
};
