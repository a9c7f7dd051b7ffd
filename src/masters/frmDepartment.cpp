#include "frmDepartment.h"

frmDepartment::frmDepartment(QWidget *parent, zv::fw::FormServices services)
    : NameMaster({QStringLiteral("Department Master"), QStringLiteral("Dept_Mast"), QStringLiteral("Sys_Dept_Num"),
                  QStringLiteral("Dept_Desc"), QStringLiteral("Department Name"), QStringLiteral("txtDeptName"),
                  QStringLiteral("F011"), QStringLiteral("Html/Department.htm"), true},
                 parent, std::move(services)),
      txtDeptName(txtName) {}

frmDesignation::frmDesignation(QWidget *parent, zv::fw::FormServices services)
    : NameMaster({QStringLiteral("Designation Master"), QStringLiteral("Desg_Mast"), QStringLiteral("Sys_Desg_Num"),
                  QStringLiteral("Desg_Name"), QStringLiteral("Designation Name"), QStringLiteral("txtDesgName"),
                  QStringLiteral("F012"), QStringLiteral("Html/Designation.htm"), false},
                 parent, std::move(services)),
      txtDesgName(txtName) {}
