#pragma once
#include "MonthDateFilterForm.h"
#include "ReportStore.h"

// Activities with target date: the target-dated lines whose target date
// falls in a month of a year, or on one day, official, personal or both, for
// the chosen employees, in the chosen order.
class frmGenReport : public zv::reports::MonthDateFilterForm {
    Q_OBJECT
public:
    explicit frmGenReport(QWidget *parent, zv::fw::FormServices services);
    ~frmGenReport() override;

    static inline const QString kReportFile = QStringLiteral("Reports/ActivityTargetDate.rpt");

    // The filter the controls describe, its statement, and the report's title.
    zv::reports::TargetDateFilter filter() const;
    zv::reports::BoundSql reportQuery() const;
    QString reportTitle() const;
    bool reportShown() const { return m_reportShown; }

public slots:
    void tlbFooter_FooterClick(const QString &Key) override;
    void picSelFilter_Click(int Index) override;
    void Chckdat_Click() override;

protected:
    void Ok() override;
    void readOnOpening() override { offerSelectionIfAnyEmployee(); }
    bool Form_QueryUnload() override;
    void fillSortEntries() override;

private:
    bool m_reportShown = false;
};
