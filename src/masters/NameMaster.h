#pragma once
#include "NameStore.h"
#include "framework/FormServices.h"
#include "framework/MasterForm.h"

class QLabel;
class QLineEdit;

namespace zv::masters {

// The table and texts of a master that keeps one name per row.
struct NameMasterSpec {
    QString caption;        // window title, quoted by the save question
    NameTable rows;         // the table of the names
    QString fieldCaption;   // "Department Name": the status prefix of the name checks
    QString boxName;        // "txtDeptName"
    QString screenKey;      // general filter key, "F011"
    QString helpTopic;      // "Html/Department.htm"
};

// A single-table master of one name field: view, add and modify modes; Add,
// Modify and Delete for the administrator only; Select through the general
// filter; the row locked from Modify or Delete until saved, cancelled or the
// form ends; names unique without regard to letter case and surrounding blanks.
class NameMaster : public zv::fw::MasterForm {
    Q_OBJECT
public:
    ~NameMaster() override;

    QLineEdit *txtName = nullptr;
    QLabel *lblCountryName = nullptr;
    const NameMasterSpec &spec() const { return m_spec; }

public slots:
    void tlbFooter_FooterClick(const QString &Key) override;

protected:
    NameMaster(NameMasterSpec spec, QWidget *parent, zv::fw::FormServices services);

    QString probeSql() const override;
    QString escQuestion() const override;
    QString closeQuestion() const override;
    bool saveBeforeClose() override;

    void UsrInitializeAllFields() override;
    void UsrSetFieldsToAddMode();
    void UsrSetFieldsToModifyMode() { UsrSetFieldsToAddMode(); }
    void UsrSetFieldsToDisableMode() override;
    // Shows the stored name of the current key; false (view mode, ZVE034) when it has gone.
    bool UsrRefreshScreen();
    // True when a check failed (its status shown).
    bool UsrValidateScreenFieldsAddMode();
    bool UsrValidateScreenFieldsModifyMode();
    // True when the row was written; ZVE004 / ZVE035 otherwise.
    bool UsrInsertRecord();
    bool UsrUpdateRecord();
    // True when the lock could not be taken.
    bool UsrLockRecord();
    bool UsrIsReferenced();
    bool rowExists();
    bool rowProtected();

private:
    void add() override;
    void modify() override;
    void remove() override;
    void select() override;
    void refresh() override { UsrRefreshScreen(); }
    void help() override;
    bool refuseInvalidCharacters();
    bool duplicateName(bool modifying);
    NameStore store() { return NameStore(db(), m_spec.rows); }

    NameMasterSpec m_spec;
};

} // namespace zv::masters
