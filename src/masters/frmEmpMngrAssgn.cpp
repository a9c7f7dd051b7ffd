#include "frmEmpMngrAssgn.h"
#include "ManagerMappingStore.h"
#include "core/modCommon.h"
#include "framework/FormKeys.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"
#include "query/RecordsetGrid.h"
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

using namespace zv::ui;
using namespace zv::masters;
using namespace zv::fw;

namespace {

using zv::masters::EmployeeEntry;
using zv::masters::ManagerMappingStore;
using zv::masters::MappingLine;

// Fills a list box with employees: "name - designation", the employee key as item data.
void fillEmployees(QComboBox *box, const QList<EmployeeEntry> &rows) {
    box->clear();
    for (const EmployeeEntry &e : rows)
        box->addItem(e.name + QStringLiteral(" - ") + e.designation, e.key);
}

qint64 keyOf(const QComboBox *box) {
    return box->currentIndex() >= 0 ? box->currentData().toLongLong() : 0;
}

} // namespace

// Key presses of a list box pass the combo matching object.
class frmEmpMngrAssgn::ComboKeys : public zv::ui::KeyHandler {
public:
    ComboKeys(zv::ui::ComboKeyFilter &filter, QComboBox *box) : m_filter(filter), m_box(box) {}
    void KeyPress(int &KeyAscii) override { KeyAscii = m_filter.KeyPress(m_box, KeyAscii); }

private:
    zv::ui::ComboKeyFilter &m_filter;
    QComboBox *m_box;
};

frmEmpMngrAssgn::frmEmpMngrAssgn(QWidget *parent, zv::fw::FormServices services)
    : HeaderDetailForm(QStringLiteral("Employee Manager Relationship"), parent, std::move(services)) {
    setObjectName(QStringLiteral("frmEmpMngrAssgn"));

    auto *header = new QFormLayout;
    cmbManager = new QComboBox(Frame1);
    cmbManager->setObjectName(QStringLiteral("cmbManager"));
    cmbManager->setMinimumWidth(twipsToPixels(5000));
    txtmanagerdept = new QLineEdit(Frame1);
    txtmanagerdept->setObjectName(QStringLiteral("txtmanagerdept"));
    txtmanagerdept->setReadOnly(true);
    txtmanagerdept->setFocusPolicy(Qt::NoFocus);
    txtmanagerdept->setStyleSheet(kLockedBox);
    header->addRow(QStringLiteral("Manager Name*"), cmbManager);
    header->addRow(QStringLiteral("Department"), txtmanagerdept);
    fieldArea()->addLayout(header);

    dgGrid = new LineGrid(Frame1, QStringLiteral("dgGrid"),
                      {{QStringLiteral("Sys_Mapg_Num"), QString(), QStringLiteral("INTEGER"), 1634},
                       {QStringLiteral("Sys_Emp_Num"), QString(), QStringLiteral("INTEGER"), 1634},
                       {QStringLiteral("Emp_Name"), QStringLiteral("Employee Name"), QStringLiteral("TEXT"), 4804},
                       {QStringLiteral("Desg_Name"), QStringLiteral("Designation"), QStringLiteral("TEXT"), 3494},
                       {QStringLiteral("Sys_Mapg_Line_Num"), QString(), QStringLiteral("INTEGER"), 1634},
                       {QStringLiteral("Dept_Desc"), QStringLiteral("Department"), QStringLiteral("TEXT"), 3494}},
                      {0, 1, 4});
    setHeightTwips(dgGrid, 5280);
    fieldArea()->addWidget(dgGrid);

    fraDet = new QGroupBox(QStringLiteral("Employee Details"), Frame1);
    fraDet->setObjectName(QStringLiteral("fraDet"));
    auto *detail = new QFormLayout(fraDet);
    cmbEmpName = new QComboBox(fraDet);
    cmbEmpName->setObjectName(QStringLiteral("cmbEmpName"));
    txtDept = new QLineEdit(fraDet);
    txtDept->setObjectName(QStringLiteral("txtDept"));
    txtEmpDesig = new QLineEdit(fraDet);
    txtEmpDesig->setObjectName(QStringLiteral("txtEmpDesig"));
    for (QLineEdit *box : {txtDept, txtEmpDesig}) {
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setStyleSheet(kLockedBox);
    }
    detail->addRow(QStringLiteral("Employee Name*"), cmbEmpName);
    detail->addRow(QStringLiteral("Department"), txtDept);
    detail->addRow(QStringLiteral("Designation"), txtEmpDesig);
    fieldArea()->addWidget(fraDet);
    resize(840, 600);

    // Load
    if (!dbOpen())
        return;
    setUpToolbars({"Add", "Modify", "Delete", "Separator", "Select", "Attachment", "Separator", "DetailAdd",
                   "DetailModify", "DetailDelete", "Separator", "Refresh", "Print", "Help", "Exit"},
                  true);
    m_managerKeys = std::make_unique<ComboKeys>(m_comboKeys, cmbManager);
    m_employeeKeys = std::make_unique<ComboKeys>(m_comboKeys, cmbEmpName);
    zv::fw::keyPreviewOf(this)->setControlHandler(cmbManager, m_managerKeys.get());
    zv::fw::keyPreviewOf(this)->setControlHandler(cmbEmpName, m_employeeKeys.get());
    connect(cmbManager, &QComboBox::currentIndexChanged, this, [this] { cmbManager_Change(); });
    connect(cmbEmpName, &QComboBox::currentIndexChanged, this, [this] { cmbEmpName_Change(); });

    utility.UsrSetValue();
    utility.ActivateHeaderToolBar(&tlbHeader);
    utility.ActivateFooterToolBar(&tlbFooter);
    tlbFooter.setResetVisible(false);
    tlbHeader.setPrintVisible(false);
    tlbHeader.setPrintEnable(false);
    tlbHeader.setDetailModifyVisible(false);
    tlbHeader.setAttachmentVisible(false);
    tlbHeader.setAttachmentEnable(false);
    fraDet->setEnabled(false);
    // Without its list of managers the form has nothing to offer: it ends as a failed open does.
    if (!tellingFailures([this] {
            clearForm();
            UsrFillManagerList(0);
        })) {
        unload();
        return;
    }
    m_recordShown = false;
    UsrSetHeaderButtons();
    lockManager();
}

frmEmpMngrAssgn::~frmEmpMngrAssgn() = default;

void frmEmpMngrAssgn::Form_Activate() {
    probeOrUnload(ManagerMappingStore::probeStatements());
}

// ---------------------------------------------------------------- the manager box

qint64 frmEmpMngrAssgn::managerKey() const { return keyOf(cmbManager); }

QString frmEmpMngrAssgn::managerText() const { return cmbManager->currentText().trimmed(); }

void frmEmpMngrAssgn::UsrFillManagerList(qint64 keptKey) {
    // While the mapping is changed its own employees cannot become its manager.
    showManagerList(store().managerCandidates(
        keptKey, mode() == Mode::Modify ? std::optional<qint64>(mappingKey()) : std::nullopt));
}

void frmEmpMngrAssgn::showManagerList(const QList<EmployeeEntry> &rows) {
    const qint64 chosen = managerKey();
    // The same employee stays chosen: nothing changed for the box's handler.
    {
        QSignalBlocker quiet(cmbManager);
        fillEmployees(cmbManager, rows);
        cmbManager->setCurrentIndex(chosen ? cmbManager->findData(chosen) : -1);
    }
    if (managerKey() != chosen)
        showManagerDepartment();
}

void frmEmpMngrAssgn::showManager(qint64 employee) {
    if (cmbManager->findData(employee) < 0)
        UsrFillManagerList(employee);
    cmbManager->setCurrentIndex(cmbManager->findData(employee));
}

void frmEmpMngrAssgn::showManagerDepartment() {
    if (managerText().isEmpty())
        txtmanagerdept->clear();
    else
        txtmanagerdept->setText(store().departmentOf(managerKey()));
}

void frmEmpMngrAssgn::cmbManager_Change() {
    clearStatus();
    showManagerDepartment();
    // A new mapping's first line can be entered once its manager is chosen.
    if (mode() == Mode::Add && !managerText().isEmpty())
        tlbHeader.setDetailAddEnable(true);
}

void frmEmpMngrAssgn::lockManager() {
    cmbManager->setEnabled(false);
    cmbManager->setStyleSheet(kLockedBox);
    txtEmpDesig->setStyleSheet(kLockedBox);
    txtDept->setStyleSheet(kLockedBox);
    dgGrid->setEnabled(true);
    focusIfUsable(dgGrid);
}

void frmEmpMngrAssgn::unlockManager() {
    cmbManager->setEnabled(true);
    cmbManager->setStyleSheet(kOpenBox);
    dgGrid->setEnabled(true);
    cmbManager->setFocus();
}

void frmEmpMngrAssgn::clearForm() {
    m_mappingNumber = QStringLiteral("0");
    m_recordShown = false;
    m_gridHasRows = false;
    cmbManager->setCurrentIndex(-1);
    clearLines(dgGrid);
}

bool frmEmpMngrAssgn::UsrCheckManager() {
    if (!managerText().isEmpty())
        return true;
    status(QStringLiteral("ZVE007"), QStringLiteral("Manager Name"));
    focusIfUsable(cmbManager);
    return false;
}

bool frmEmpMngrAssgn::headerExists() {
    m_whereMapping = m_mappingNumber.toLongLong();
    return store().exists(mappingKey());
}

void frmEmpMngrAssgn::refuseMissing(const QString &prefix) {
    UsrShowMapping();
    status(QStringLiteral("ZVE034"), prefix);
    UsrSetHeaderButtons();
    setMode(Mode::None);
}

void frmEmpMngrAssgn::UsrShowMapping() {
    const auto manager = store().managerOf(mappingKey());
    if (!manager) {
        cmbManager->setCurrentIndex(-1);
        m_recordShown = false;
    } else {
        showManager(manager->key);
        m_recordShown = true;
    }
    UsrShowGrid();
}

void frmEmpMngrAssgn::UsrSetHeaderButtons() {
    const bool admin = modCommon::gIsAdmin;
    tlbHeader.setAddEnable(admin);
    tlbHeader.setModifyEnable(admin);
    tlbHeader.setDeleteEnable(admin);
    tlbHeader.setDetailAddEnable(admin);
    tlbHeader.setDetailDeleteEnable(admin);
    if (!admin)
        tlbHeader.setRefreshEnable(false);
    tlbHeader.setFilterEnable(true);
    tlbHeader.setExitEnable(true);
    if (m_recordShown) {
        tlbHeader.setRefreshEnable(true);
    } else {
        tlbHeader.setAddEnable(admin);
        tlbHeader.setModifyEnable(false);
        tlbHeader.setDeleteEnable(false);
        tlbHeader.setDetailAddEnable(false);
        tlbHeader.setDetailDeleteEnable(false);
    }
}

// ---------------------------------------------------------------- header

void frmEmpMngrAssgn::tlbHeader_HeaderClick(const QString &Key) {
    clearStatus();
    HeaderDetailForm::tlbHeader_HeaderClick(Key);
}

void frmEmpMngrAssgn::help() {
    // Help changes no mode: an edit stays open, a mapping only shown stays so.
    showHelp(QStringLiteral("Html/EmployeeManagerRelation.htm"));
}

void frmEmpMngrAssgn::select() {
    const QStringList chosen = ShowGeneralFilter(QStringLiteral("MNGREMP"), ManagerMappingStore::filterJoin());
    // The mapping's key decides: a manager without a login name is still a choice.
    if (chosen.value(3).trimmed().isEmpty()) {
        m_recordShown = !managerText().isEmpty();
        UsrSetHeaderButtons();
        return;
    }
    // The form moves to the chosen mapping only once it could be read.
    const QString shown = m_mappingNumber;
    m_mappingNumber = QString::number(chosen.value(3).trimmed().toLongLong());
    qint64 manager = 0;
    try {
        manager = store().managerKeyOf(mappingKey());
    } catch (...) {
        m_mappingNumber = shown;
        throw;
    }
    try {
        m_gridPosition = 0;
        clearLines(dgGrid);
        UsrFillManagerList(manager);
        UsrShowMapping();
    } catch (...) {
        // Half shown is no mapping to act on.
        clearForm();
        UsrSetHeaderButtons();
        throw;
    }
    fraDet->setEnabled(false);
    utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
    tlbHeader.setDetailAddEnable(true);
    tlbHeader.setDetailDeleteEnable(m_gridHasRows);
    tlbFooter.setResetVisible(false);
    m_lastAction = QStringLiteral("Select");
    UsrSetHeaderButtons();
}

void frmEmpMngrAssgn::add() {
    // Read before anything changes: a failed read leaves the mapping shown.
    const QList<EmployeeEntry> managers = store().managerCandidates(0, std::nullopt);
    utility.ToolBarsForAdd(&tlbHeader, &tlbFooter);
    tlbHeader.setDetailAddEnable(false);
    tlbHeader.setDetailDeleteEnable(false);
    tlbFooter.setResetVisible(false);
    fraDet->setEnabled(false);
    m_detailMode = DetailMode::None;
    clearForm();
    m_whereMapping = 0;
    unlockManager();
    setMode(Mode::Add);
    showManagerList(managers);
}

void frmEmpMngrAssgn::modify() {
    if (!headerExists()) {
        refuseMissing(QStringLiteral("Cannot Modify. "));
        return;
    }
    // Held until the change is saved or cancelled: nobody deletes the mapping meanwhile.
    if (!takeRowLock(ManagerMappingStore::headerTable, mapping())) {
        status(QStringLiteral("ZVE027"));
        setMode(Mode::None);
        return;
    }
    utility.ToolBarsForModify(&tlbHeader, &tlbFooter);
    tlbHeader.setDetailAddEnable(false);
    tlbHeader.setDetailDeleteEnable(false);
    cmbManager->setEnabled(true);
    cmbManager->setStyleSheet(kOpenBox);
    fraDet->setEnabled(false);
    setMode(Mode::Modify);
    m_oldManagerText = cmbManager->currentText();
    m_oldManagerKey = managerKey();
    UsrFillManagerList(m_oldManagerKey);
    dgGrid->setEnabled(false);
    cmbManager->setFocus();
}

void frmEmpMngrAssgn::remove() {
    if (!headerExists()) {
        refuseMissing(QStringLiteral("Cannot Delete. "));
        return;
    }
    if (!confirmDelete(QStringLiteral("Are you sure you want to delete the Manager as well as Employees?"))) {
        setMode(Mode::None);
        return;
    }
    if (!headerExists()) {
        refuseMissing(QStringLiteral("Cannot Delete. "));
        return;
    }
    UsrDeleteMapping();
    setMode(Mode::None);
}

bool frmEmpMngrAssgn::UsrDeleteMapping() {
    if (!takeRowLock(ManagerMappingStore::headerTable, mapping())) {
        status(QStringLiteral("ZVE028"));
        return false;
    }
    bool gone = false;
    // The lines and the header go together or not at all.
    const bool deleted = writeTogether(
        [&](zv::db::Connection &c) { gone = !ManagerMappingStore(c).deleteMapping(mappingKey()); }, QString());
    releaseRowLock();
    if (!deleted) {
        UsrShowMapping();
        status(QStringLiteral("ZVE030"));
        return false;
    }
    if (gone) {
        status(QStringLiteral("ZVE034"), QStringLiteral("Cannot delete."));
        return false;
    }
    utility.ActivateHeaderToolBar(&tlbHeader);
    clearForm();
    lockManager();
    status(QStringLiteral("ZVE008"));
    return true;
}

void frmEmpMngrAssgn::refresh() {
    m_lastAction = QStringLiteral("Refresh");
    releaseRowLock();
    UsrShowMapping();
    UsrSetHeaderButtons();
    setMode(Mode::None);
}

// ---------------------------------------------------------------- lines

void frmEmpMngrAssgn::UsrShowGrid() {
    QVector<zv::db::Recordset::Row> rows;
    for (const MappingLine &l : store().lines(mappingKey()))
        rows.append({l.mapping, l.employee, l.name, l.loginName, l.designation, l.lineKey, l.department});
    // The grid's columns by name.
    auto rs = std::make_shared<zv::db::Recordset>(
        QStringList{QStringLiteral("Sys_Mapg_Num"), QStringLiteral("Sys_Emp_Num"), QStringLiteral("Emp_Name"),
                    QStringLiteral("Emp_Shrt_Name"), QStringLiteral("Desg_Name"), QStringLiteral("Sys_Mapg_Line_Num"),
                    QStringLiteral("Dept_Desc")},
        rows);
    if (rs->isEmpty()) {
        m_gridHasRows = false;
        clearLines(dgGrid);
        tlbHeader.setDetailAddEnable(false);
        tlbHeader.setDetailDeleteEnable(false);
        if (m_lastAction == QLatin1String("Refresh")) {
            m_detailMode = DetailMode::None;
            if (managerText().isEmpty())
                utility.ActivateHeaderToolBar(&tlbHeader);
        }
        tlbHeader.setDetailAddEnable(!managerText().isEmpty());
        return;
    }
    m_gridHasRows = true;
    tlbHeader.setDetailAddEnable(true);
    tlbHeader.setDetailDeleteEnable(true);
    // After a line delete the row at the old place stays current, or the last row.
    const int keep = m_detailMode == DetailMode::DetailDelete ? m_gridPosition : 0;
    showLines(dgGrid, rs, keep, true);
}

void frmEmpMngrAssgn::UsrFillEmployeeList() {
    const qint64 chosen = keyOf(cmbEmpName);
    const auto rows = store().employeeCandidates(managerKey(), mappingKey());
    QSignalBlocker quiet(cmbEmpName);
    fillEmployees(cmbEmpName, rows);
    cmbEmpName->setCurrentIndex(chosen ? cmbEmpName->findData(chosen) : -1);
}

void frmEmpMngrAssgn::cmbEmpName_Change() {
    clearStatus();
    if (cmbEmpName->currentIndex() < 0) {
        txtEmpDesig->clear();
        txtDept->clear();
        return;
    }
    const auto details = store().designationAndDepartment(keyOf(cmbEmpName));
    txtEmpDesig->setText(details ? details->first : QString());
    txtDept->setText(details ? details->second : QString());
}

void frmEmpMngrAssgn::detailAdd() {
    m_whereMapping = m_mappingNumber.toLongLong();
    if (!UsrCheckManager())
        return;
    // A mapping on the screen may have gone meanwhile (a new one has nothing to check).
    if (mode() != Mode::Add) {
        if (!headerExists()) {
            refuseMissing(QStringLiteral("Cannot Add. "));
            return;
        }
        UsrShowMapping();
    }
    openLineEntry();
}

void frmEmpMngrAssgn::openLineEntry() {
    m_detailMode = DetailMode::DetailAdd;
    tlbHeader.setDetailAddEnable(false);
    tlbHeader.setDetailDeleteEnable(false);
    lockManager();
    UsrOpenDetail();
    setMode(Mode::Modify);
    utility.ToolBarsForDetailsAdd(&tlbHeader, &tlbFooter);
}

void frmEmpMngrAssgn::UsrOpenDetail() {
    setHeightTwips(dgGrid, 3900);
    fraDet->raise();
    fraDet->setEnabled(true);
    {
        QSignalBlocker quiet(cmbEmpName);
        cmbEmpName->setCurrentIndex(-1);
    }
    UsrFillEmployeeList();
    cmbEmpName->setEnabled(true);
    cmbEmpName->setStyleSheet(kOpenBox);
    txtEmpDesig->clear();
    txtDept->clear();
    dgGrid->setEnabled(false);
    focusIfUsable(cmbEmpName);
}

void frmEmpMngrAssgn::UsrCloseDetail() {
    setHeightTwips(dgGrid, 5280);
    fraDet->setEnabled(false);
    if (m_gridHasRows) {
        lockManager();
    } else {
        cmbManager->setEnabled(true);
        cmbManager->setStyleSheet(kOpenBox);
    }
    dgGrid->setEnabled(true);
    m_detailMode = DetailMode::None;
}

void frmEmpMngrAssgn::UsrRestoreManager() {
    if (m_gridHasRows) {
        cmbManager->setEnabled(false);
        cmbManager->setStyleSheet(kLockedBox);
        dgGrid->setEnabled(true);
        dgGrid->setFocus();
    } else {
        cmbManager->setEnabled(true);
        cmbManager->setStyleSheet(kOpenBox);
    }
}

void frmEmpMngrAssgn::UsrDeleteEmptyHeader() {
    if (m_whereMapping <= 0)
        return;
    writeTogether([&](zv::db::Connection &c) { ManagerMappingStore(c).deleteIfEmpty(m_whereMapping); });
}

void frmEmpMngrAssgn::detailDelete() {
    if (!UsrCheckManager())
        return;
    // A mapping without lines shows no line to delete.
    if (!hasCurrentRow(dgGrid))
        return;
    m_detailMode = DetailMode::DetailDelete;
    if (!headerExists()) {
        refuseMissing(QStringLiteral("Cannot Delete. "));
        return;
    }
    m_gridPosition = currentPosition(dgGrid);
    const qint64 employee = dgGrid->recordset()->value(1).toLongLong();
    const auto lineExists = [&] { return store().isLine(mappingKey(), employee); };
    if (!lineExists()) {
        refuseMissing(QStringLiteral("Cannot Delete. "));
        return;
    }
    if (confirmDelete(kDeleteRecord)) {
        DoEvents();
        if (!headerExists()) {
            refuseMissing(QStringLiteral("Cannot Delete. "));
            return;
        }
        store().deleteLine(mappingKey(), employee);
        UsrShowGrid();
        status(QStringLiteral("ZVE008"));
        m_gridPosition = 0;
    }
    UsrRestoreManager();
    if (!m_gridHasRows) {
        cmbManager->setEnabled(false);
        cmbManager->setStyleSheet(kLockedBox);
    }
    // A mapping left without lines goes, unless another user holds it.
    if (!store().hasLines(mappingKey()) && takeRowLock(ManagerMappingStore::headerTable, mapping())) {
        store().deleteHeader(mappingKey());
        releaseRowLock();
        cmbManager->setCurrentIndex(-1);
        tlbHeader.setModifyEnable(false);
        tlbHeader.setDeleteEnable(false);
        tlbHeader.setRefreshEnable(false);
        tlbHeader.setDetailAddEnable(false);
        status(QStringLiteral("ZVE008"));
    }
    setMode(Mode::None);
}

// ---------------------------------------------------------------- footer

void frmEmpMngrAssgn::tlbFooter_FooterClick(const QString &Key) {
    // A failure is told, never taken for a save.
    m_saved = false;
    HeaderDetailForm::tlbFooter_FooterClick(Key);
}

void frmEmpMngrAssgn::ok() {
    if (mode() == Mode::Modify && m_detailMode == DetailMode::None) {
        okManagerChange();
    } else if (mode() == Mode::Modify && m_detailMode == DetailMode::DetailAdd) {
        saveLine();
    } else if (mode() == Mode::Add && m_detailMode == DetailMode::None) {
        // A mapping is never saved without a line.
        if (UsrCheckManager())
            status(QStringLiteral("ZVE128"), QStringLiteral("Employee Details"));
    }
}

void frmEmpMngrAssgn::okManagerChange() {
    if (cmbManager->currentIndex() < 0) {
        status(QStringLiteral("ZVE007"), QStringLiteral("Manager Name"));
        focusIfUsable(cmbManager);
        return;
    }
    const qint64 k = managerKey();
    if (store().headsAnother(k, mappingKey())) {
        status(QStringLiteral("ZVE006"), QStringLiteral("Manager Name"));
        focusIfUsable(cmbManager);
        return;
    }
    if (!headerExists()) {
        // The mapping went meanwhile: the chosen manager starts a new one with its first line.
        releaseRowLock();
        m_mappingNumber = QStringLiteral("0");
        m_whereMapping = 0;
        openLineEntry();
        return;
    }
    if (store().isLine(mappingKey(), k)) {
        releaseRowLock();
        UsrShowMapping();
        lockManager();
        status(QStringLiteral("ZVE157"));
        dgGrid->setEnabled(true);
        UsrSetHeaderButtons();
        tlbFooter.setRightToolbarVisible(false);
        setMode(Mode::None);
        return;
    }
    if (k != m_oldManagerKey &&
        MsgBox(QStringLiteral("Manager Name '") + m_oldManagerText + QStringLiteral("' has been Changed to '") +
                   cmbManager->currentText() + QStringLiteral("'. Do you Want to Continue? "),
               vbYesNo + vbQuestion + vbDefaultButton2, QStringLiteral("Question")) != vbYes)
        return;
    UsrChangeManager(k);
}

void frmEmpMngrAssgn::UsrChangeManager(qint64 manager) {
    const bool changed = writeTogether([&](zv::db::Connection &c) {
        ManagerMappingStore mappings(c);
        // Checked again under the transaction: no manager heads two mappings.
        if (mappings.headsAnother(manager, mappingKey()))
            throw Refused{QStringLiteral("ZVE006"), QStringLiteral("Manager Name")};
        if (mappings.changeManager(mappingKey(), manager) != 1)
            throw Refused{QStringLiteral("ZVE034"), QStringLiteral("Cannot Modify. ")};
    });
    if (!changed)
        return;   // still modifying, the reason shown
    releaseRowLock();
    lockManager();
    UsrShowMapping();
    status(QStringLiteral("ZVE002"));
    m_saved = true;
    setMode(Mode::None);
    dgGrid->setEnabled(true);
    UsrSetHeaderButtons();
    tlbFooter.setRightToolbarVisible(false);
}

void frmEmpMngrAssgn::saveLine() {
    if (cmbEmpName->currentIndex() < 0) {
        status(QStringLiteral("ZVE007"), QStringLiteral("Employee Name"));
        focusIfUsable(cmbEmpName);
        return;
    }
    const qint64 employee = keyOf(cmbEmpName);
    const qint64 manager = managerKey();
    bool headsThis = false;
    qint64 savedMapping = 0;
    // A new mapping's header is written with its first line.
    const bool written = writeTogether([&](zv::db::Connection &c) {
        headsThis = ManagerMappingStore(c).saveLine(mappingKey(), manager, employee, savedMapping) ==
                    ManagerMappingStore::LineSaved::EmployeeIsManager;
    });
    if (!written)
        return;   // the entry stays open with the failure shown
    if (headsThis) {
        m_recordShown = true;
        UsrCloseDetail();
        lockManager();
        UsrShowMapping();
        status(QStringLiteral("ZVE158"));
        dgGrid->setEnabled(true);
        UsrSetHeaderButtons();
        tlbFooter.setRightToolbarVisible(false);
        return;
    }
    m_mappingNumber = QString::number(savedMapping);
    m_whereMapping = savedMapping;
    m_recordShown = true;
    m_saved = true;
    dgGrid->setEnabled(true);
    UsrCloseDetail();
    lockManager();
    UsrShowGrid();
    UsrSetHeaderButtons();
    tlbFooter.setRightToolbarVisible(false);
    setMode(Mode::None);
    status(QStringLiteral("ZVE003"));
}

void frmEmpMngrAssgn::cancel() {
    if (m_recordShown) {
        UsrCloseDetail();
        lockManager();
        releaseRowLock();
        utility.ActivateHeaderToolBar(&tlbHeader);
        utility.ActivateFooterToolBar(&tlbFooter);
        UsrShowMapping();
        UsrSetHeaderButtons();
        setMode(Mode::None);
    } else if ((mode() == Mode::Add || mode() == Mode::Modify) &&
               (m_detailMode == DetailMode::None || m_detailMode == DetailMode::DetailAdd)) {
        clearForm();
        UsrCloseDetail();
        lockManager();
        releaseRowLock();
        UsrDeleteEmptyHeader();
        utility.ActivateHeaderToolBar(&tlbHeader);
        utility.ActivateFooterToolBar(&tlbFooter);
        setMode(Mode::None);
    }
}

// ---------------------------------------------------------------- keys and closing

void frmEmpMngrAssgn::Form_KeyDown(int &KeyCode, int Shift) {
    if (KeyCode != vbKey::Escape)
        return;
    clearStatus();
    DataForm::Form_KeyDown(KeyCode, Shift);
}

bool frmEmpMngrAssgn::isEditing() const {
    if (unusable())
        return false;
    // The line frame is open exactly while a line is being entered.
    return m_detailMode != DetailMode::None || DataForm::isEditing();
}

QString frmEmpMngrAssgn::escQuestion() const {
    return saveChangesQuestion(m_detailMode != DetailMode::None ? QStringLiteral("Employee Details") : windowTitle());
}

void frmEmpMngrAssgn::escNo() {
    footerCancel();
    m_detailMode = DetailMode::None;
}

void frmEmpMngrAssgn::saveQuestionCancelled() {
    if (m_detailMode != DetailMode::None)
        focusIfUsable(cmbManager);
}

bool frmEmpMngrAssgn::saveBeforeClose() {
    footerOk();
    return m_saved;
}

bool frmEmpMngrAssgn::Form_QueryUnload() {
    clearStatus();
    return DataForm::Form_QueryUnload();
}
