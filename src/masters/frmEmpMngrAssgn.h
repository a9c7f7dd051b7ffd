#pragma once
#include "LineGrid.h"
#include "platform/ui/MessageService.h"
#include "ManagerMappingStore.h"
#include "platform/ui/ComboKeyFilter.h"

class QComboBox;
class QGroupBox;
class QLineEdit;

// Which employees report to which manager: a mapping header per manager
// (Emp_Spvr_Mapg_Hdr) and one line per employee who reports to him
// (Emp_Spvr_Mapg_Det). A new mapping is written with its first line; a
// manager may be changed, keeping the mapping's number and lines; deleting
// the last line removes the mapping.
class frmEmpMngrAssgn : public zv::fw::HeaderDetailForm {
    Q_OBJECT
public:
    explicit frmEmpMngrAssgn(QWidget *parent, zv::fw::FormServices services);
    ~frmEmpMngrAssgn() override;

    QComboBox *cmbManager = nullptr;
    QLineEdit *txtmanagerdept = nullptr;
    zv::masters::LineGrid *dgGrid = nullptr;
    QGroupBox *fraDet = nullptr;
    QComboBox *cmbEmpName = nullptr;
    QLineEdit *txtDept = nullptr;
    QLineEdit *txtEmpDesig = nullptr;

    // Sys_Mapg_Num of the mapping shown; "0" when none.
    const QString &mappingNumber() const { return m_mappingNumber; }
    bool recordShown() const { return m_recordShown; }
    bool gridHasRows() const { return m_gridHasRows; }

public slots:
    void tlbHeader_HeaderClick(const QString &Key) override;
    void tlbFooter_FooterClick(const QString &Key) override;

protected:
    void Form_Activate() override;
    void Form_KeyDown(int &KeyCode, int Shift) override;
    // Esc and the close box ask the save question of an open line, or of an
    // add or modify while no line frame is open.
    bool isEditing() const override;
    QString escQuestion() const override;
    int saveQuestionIcon() const override { return zv::ui::vbExclamation; }
    void escNo() override;
    void saveQuestionCancelled() override;
    bool saveBeforeClose() override;
    void closeWithoutSaving() override { escNo(); }
    bool Form_QueryUnload() override;

private:
    class ComboKeys;

    // The manager list: employees who head no mapping (the kept key's own
    // mapping aside) and, while modifying, who are not among its lines.
    void UsrFillManagerList(qint64 keptKey);
    void showManagerList(const QList<zv::masters::EmployeeEntry> &rows);
    void UsrShowMapping();
    void UsrSetHeaderButtons();
    bool UsrDeleteMapping();
    void UsrChangeManager(qint64 manager);
    void UsrShowGrid();
    void UsrFillEmployeeList();
    void UsrOpenDetail();
    void UsrCloseDetail();
    void UsrRestoreManager();
    void UsrDeleteEmptyHeader();
    bool UsrCheckManager();

    void clearForm();
    void lockManager();
    void unlockManager();
    void openLineEntry();
    void select() override;
    void add() override;
    void modify() override;
    void remove() override;
    void refresh() override;
    void detailAdd() override;
    void detailDelete() override;
    void help() override;
    void ok() override;
    void okManagerChange();
    void saveLine();
    void cancel() override;
    void cmbManager_Change();
    void showManagerDepartment();
    void cmbEmpName_Change();
    void refuseMissing(const QString &prefix);
    bool headerExists();
    qint64 managerKey() const;
    QString managerText() const;
    // Selects the employee in the manager box (the list refilled for him when he is not in it).
    void showManager(qint64 employee);
    QVariant mapping() const { return m_mappingNumber.toLongLong(); }
    qint64 mappingKey() const { return m_mappingNumber.toLongLong(); }
    static zv::masters::ManagerMappingStore store() { return zv::masters::ManagerMappingStore(db()); }

    zv::ui::ComboKeyFilter m_comboKeys;
    std::unique_ptr<ComboKeys> m_managerKeys;
    std::unique_ptr<ComboKeys> m_employeeKeys;
    QString m_lastAction;
    QString m_mappingNumber = QStringLiteral("0");
    qint64 m_whereMapping = 0;   // the mapping of the last where clause
    QString m_oldManagerText;
    qint64 m_oldManagerKey = 0;
    bool m_recordShown = false;
    bool m_gridHasRows = false;
    bool m_saved = false;
    int m_gridPosition = 0;
};
