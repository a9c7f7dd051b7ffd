#pragma once
#include "ReportFilterForm.h"
#include "ReportStore.h"

// Pending activities with target date: every target-dated line that is due
// today or earlier and not completed, for the chosen employees, official,
// personal or both, in order of allotment date.
class frmGenReportDev4 : public zv::reports::ReportFilterForm {
    Q_OBJECT
public:
    explicit frmGenReportDev4(QWidget *parent, zv::fw::FormServices services);
    ~frmGenReportDev4() override;

    static inline const QString kTitle = QStringLiteral("Pending Activities with Target Date Report");
    static inline const QString kReportFile = QStringLiteral("Reports/actpending.rpt");

    // The filter the controls describe, due on or before today, and its statement.
    zv::reports::PendingFilter filter(const QDate &today) const;
    zv::reports::BoundSql reportQuery(const QDate &today) const;

public slots:
    void tlbFooter_FooterClick(const QString &Key) override;
    void picSelFilter_Click(int Index) override;

protected:
    void Ok() override;
    void readOnOpening() override { offerSelectionIfAnyEmployee(); }
};
