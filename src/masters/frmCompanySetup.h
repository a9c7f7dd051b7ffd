#pragma once
#include "CompanyStore.h"
#include "framework/FormServices.h"
#include "framework/MasterForm.h"
#include <QList>

class QLineEdit;

// The organisation's own record (Cmpny_Mast): a single-record master. Add is
// offered only while the table has no row, Modify once it has one; there is
// no Select, and the form never deletes the row.
class frmCompanySetup : public zv::fw::MasterForm {
    Q_OBJECT
public:
    explicit frmCompanySetup(QWidget *parent, zv::fw::FormServices services);
    ~frmCompanySetup() override;

    QLineEdit *txtcmpnyname = nullptr;
    QLineEdit *txtaddrline1 = nullptr;
    QLineEdit *txtaddrline2 = nullptr;
    QLineEdit *txtcity = nullptr;
    QLineEdit *txtstate = nullptr;
    QLineEdit *txtcountry = nullptr;
    QLineEdit *txtzipcode = nullptr;
    QLineEdit *txtphonenum = nullptr;
    QLineEdit *txtfaxnum = nullptr;
    QLineEdit *txtweb = nullptr;
    // The ten boxes in the order of the table's columns.
    const QList<QLineEdit *> &boxes() const { return m_boxes; }

public slots:
    void tlbFooter_FooterClick(const QString &Key) override;

protected:
    bool headerKeyAllowed(const QString &Key) override;
    QString probeSql() const override;
    void Form_Activate() override;
    QString escQuestion() const override;
    QString closeQuestion() const override { return escQuestion(); }
    bool saveBeforeClose() override;

    // Connection, table probe and the single-company state; false after
    // closing the form on a damaged database.
    bool UsrCheckTable(bool endWhenNotDamage);
    void UsrLoadCompany();
    void UsrInitializeAllFields() override;
    void UsrSetFieldsToAddMode();
    void UsrSetFieldsToDisableMode() override;
    void UsrRefreshScreen();
    bool UsrValidateScreenFieldsAddMode();
    bool UsrValidateScreenFieldsModifyMode() { return UsrValidateScreenFieldsAddMode(); }
    bool UsrInsertRecord();
    bool UsrUpdateRecord();

private:
    void add() override;
    void modify() override;
    void remove() override;
    void refresh() override { UsrRefreshScreen(); }
    void help() override;
    bool rowExists();
    zv::masters::CompanyRow boxValues() const;

    QList<QLineEdit *> m_boxes;
};
