#pragma once
#include "EmployeeStore.h"
#include "framework/FormServices.h"
#include "framework/MasterForm.h"
#include "platform/ui/ComboKeyFilter.h"

class QComboBox;
class QGroupBox;
class QLineEdit;

// The employees (Emp_Mast): who they are (number, name, designation,
// department, e-mail) and how they log on to the employees' program (login
// name and scrambled password). Modify and Delete ask for the administrator's
// password again; a designation typed that is not in the list is added to
// Desg_Mast with the employee.
class FrmEmp : public zv::fw::MasterForm {
    Q_OBJECT
public:
    explicit FrmEmp(QWidget *parent, zv::fw::FormServices services);
    ~FrmEmp() override;

    QGroupBox *fraEmpDet = nullptr;
    QGroupBox *fraLoginDet = nullptr;
    QLineEdit *txtEmpno = nullptr;
    QLineEdit *txtEmpName = nullptr;
    QComboBox *cmbDesignation = nullptr;
    QComboBox *CboDepartment = nullptr;
    QLineEdit *txtemail = nullptr;
    QLineEdit *txtUserID = nullptr;
    QLineEdit *txtEmpPassWord = nullptr;
    QLineEdit *txtConfirmPassword = nullptr;

public slots:
    void tlbFooter_FooterClick(const QString &Key) override;

protected:
    bool headerKeyAllowed(const QString &Key) override;
    QString probeSql() const override;
    QString escQuestion() const override;
    QString closeQuestion() const override { return escQuestion(); }
    int saveQuestionIcon() const override;
    bool saveBeforeClose() override;

    void UsrInitializeAllFields() override;
    void UsrSetFieldsToAddMode();
    void UsrSetFieldsToModifyMode();
    void UsrSetFieldsToDisableMode() override;
    // Loads the current row; false (view mode, ZVE034) when it has gone.
    bool UsrRefreshScreen();
    void UsrFillDesignation();
    void UsrFillDepartment();
    void showLists(const QList<zv::masters::NamedKey> &designations, const QList<zv::masters::NamedKey> &departments);
    // True when a check failed (its status shown, focus on its field).
    bool UsrValidateScreenFieldsAddMode() { return validate(false); }
    bool UsrValidateScreenFieldsModifyMode() { return validate(true); }
    // True when the row was written; ZVE004 and the edit kept otherwise.
    bool UsrInsertRecord();
    bool UsrUpdateRecord();
    // True when the row could not be locked (held by another user).
    bool UsrLockRecord();
    bool rowExists();
    void UsrDeleteRecord();
    // The first table that refers to the employee, or "".
    QString UsrReferencedBy();

private:
    void add() override;
    void modify() override;
    void remove() override;
    void select() override;
    void refresh() override { UsrRefreshScreen(); }
    void help() override;
    void cancelAdd();
    void cancelModify();
    bool ok();
    bool validate(bool modifying);
    bool duplicate(QLineEdit *box, zv::masters::EmployeeStore::Unique field, const QString &prefix, bool modifying);
    enum class Text { Kept, Selected };
    void refuse(QWidget *field, const QString &code, const QString &prefix = QString(), Text text = Text::Kept);
    // The row to write: the boxes' trimmed texts, the designation chosen
    // from the list or typed, the department of the list (throws when the
    // text names none).
    zv::masters::EmployeeRow rowToSave(const QString &password);
    // The key of the department chosen from the list; throws when the text names none.
    QVariant departmentForSave();
    bool isOwnRecord() const;
    QList<QWidget *> entryControls() const;
    static zv::masters::EmployeeStore store() { return zv::masters::EmployeeStore(db()); }

    void designationKeyPress(int &KeyAscii);

    zv::ui::ComboKeyFilter m_combos;
    zv::ui::KeyFunctions m_passwordKeys;
    zv::ui::KeyFunctions m_designationKeys;
    zv::ui::KeyFunctions m_departmentKeys;
    bool m_ownRecord = false;
};
