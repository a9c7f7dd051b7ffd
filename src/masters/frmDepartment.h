#pragma once
#include "NameMaster.h"

// The departments (Dept_Mast). Rows marked Edit_Allow = 1 are protected.
class frmDepartment : public zv::masters::NameMaster {
    Q_OBJECT
public:
    explicit frmDepartment(QWidget *parent, zv::fw::FormServices services);
    QLineEdit *txtDeptName = nullptr;
};

// The designations (Desg_Mast): the same master over another table, without
// protected rows.
class frmDesignation : public zv::masters::NameMaster {
    Q_OBJECT
public:
    explicit frmDesignation(QWidget *parent, zv::fw::FormServices services);
    QLineEdit *txtDesgName = nullptr;
};
