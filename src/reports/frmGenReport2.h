#pragma once
#include "ReportFilterForm.h"
#include "DiarizedStore.h"
#include "platform/ui/ComboKeyFilter.h"

class QComboBox;

// Diarized activities: the schedule entries expected in one calendar month
// of the five years ending with the year in which the program's period ends,
// each with its completion date in the column of its year, copied into
// Temp_Year under this opening's ID and printed from there.
class frmGenReport2 : public zv::reports::ReportFilterForm {
    Q_OBJECT
public:
    explicit frmGenReport2(QWidget *parent, zv::fw::FormServices services);
    ~frmGenReport2() override;

    static inline const QString kTitle = QStringLiteral("Diarized Activities");
    static inline const QString kReportFile = QStringLiteral("Reports/Monthly.rpt");

    QComboBox *cmbTargetMnth = nullptr;

    // This opening's key of its Temp_Year rows.
    const QString &formId() const { return m_formId; }

    int ShowForm(qint64 employee, int month);

    // The filter the controls and the program's period describe.
    zv::reports::DiarizedFilter filter() const;
    // Replaces this opening's rows by those of the filter, all or none.
    // Returns the number of rows written; 0 leaves the earlier rows.
    int fillTempYear();

public slots:
    void tlbFooter_FooterClick(const QString &Key) override;
    void picSelFilter_Click(int Index) override;

protected:
    void Ok() override;
    bool Form_QueryUnload() override;

private:
    // Deletes this opening's rows, when it wrote any.
    void deleteRows();

    zv::ui::ComboKeyFilter m_comboFilter;
    QString m_formId;
    bool m_hasRows = false;   // this opening's rows are in Temp_Year
};
