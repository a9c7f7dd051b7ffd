#include "frmDepartment.h"

frmDepartment::frmDepartment(QWidget *parent)
    : NameMaster({QStringLiteral("Department Master"), QStringLiteral("Dept_Mast"), QStringLiteral("Sys_Dept_Num"),
                  QStringLiteral("Dept_Desc"), QStringLiteral("Department Name"), QStringLiteral("txtDeptName"),
                  QStringLiteral("F011"), QStringLiteral("Html/Department.htm"), true},
                 parent),
      txtDeptName(txtName) {}

frmDesignation::frmDesignation(QWidget *parent)
    : NameMaster({QStringLiteral("Designation Master"), QStringLiteral("Desg_Mast"), QStringLiteral("Sys_Desg_Num"),
                  QStringLiteral("Desg_Name"), QStringLiteral("Designation Name"), QStringLiteral("txtDesgName"),
                  QStringLiteral("F012"), QStringLiteral("Html/Designation.htm"), false},
                 parent),
      txtDesgName(txtName) {}
