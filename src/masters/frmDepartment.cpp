#include "frmDepartment.h"

frmDepartment::frmDepartment(QWidget *parent)
    : NameMaster({.caption = QStringLiteral("Department Master"),
                  .rows = zv::masters::kDepartments,
                  .fieldCaption = QStringLiteral("Department Name"),
                  .boxName = QStringLiteral("txtDeptName"),
                  .screenKey = QStringLiteral("F011"),
                  .helpTopic = QStringLiteral("Html/Department.htm")},
                 parent),
      txtDeptName(txtName) {}

frmDesignation::frmDesignation(QWidget *parent)
    : NameMaster({.caption = QStringLiteral("Designation Master"),
                  .rows = zv::masters::kDesignations,
                  .fieldCaption = QStringLiteral("Designation Name"),
                  .boxName = QStringLiteral("txtDesgName"),
                  .screenKey = QStringLiteral("F012"),
                  .helpTopic = QStringLiteral("Html/Designation.htm")},
                 parent),
      txtDesgName(txtName) {}
