#pragma once
#include "framework/FormServices.h"
#include "framework/MasterForm.h"
#include "dateinput/clsDATEVALIDATE.h"

class QGroupBox;
class QLineEdit;

// The transaction period (the one row of Parm): a start date typed by the
// administrator and the end date derived from it, a year less a day later.
// After a save the program's period and the main window's caption follow.
class frmParameter : public zv::fw::MasterForm {
    Q_OBJECT
public:
    explicit frmParameter(QWidget *parent, zv::fw::FormServices services);
    ~frmParameter() override;

    QGroupBox *fraTransaction = nullptr;
    QLineEdit *dtpStartPeriod = nullptr;
    QLineEdit *dtpEndPeriod = nullptr;

    void usrdatevalidate();
    void UsrEnableButtons();
    void UsrSetFieldsToAddMode();
    void UsrSetFieldsToModifyMode();
    void SetFieldsToDisableMode();
    void CancelModify();

public slots:
    void tlbFooter_FooterClick(const QString &Key) override;

protected:
    QString probeSql() const override { return QString(); }
    void Form_Activate() override;
    QString escQuestion() const override;
    QString closeQuestion() const override { return escQuestion(); }
    void escYes() override;
    void escNo() override { CancelModify(); }
    bool saveBeforeClose() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void modify() override;
    void refresh() override { CancelModify(); }
    void help() override;
    bool UsrValidatePeriod();
    bool UsrSavePeriod();
    // The Ok handler's steps after the check; true when the period was saved.
    bool okAfterCheck();
    void dtpStartPeriod_Change();
    // The year rule and the end date; false (status shown) when the year is out of range.
    bool deriveEndDate();
    int startYear() const;
    bool startIsDate() const;

    clsDATEVALIDATE m_startDate;
    clsDATEVALIDATE m_endDate;
    clsDATEVALIDATE m_checkDate;
    QString m_validatedStart;
    bool m_invalidStart = false;
    bool m_inChange = false;
};
