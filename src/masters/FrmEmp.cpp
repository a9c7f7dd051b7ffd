#include "FrmEmp.h"
#include "EmployeeStore.h"
#include "core/MDIZVS.h"
#include "core/frmCheckPswd.h"
#include "core/modCommon.h"
#include "framework/FormKeys.h"
#include "framework/TextRules.h"
#include "platform/db/ErrorText.h"
#include "platform/ui/KeyFilter.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

using namespace zv::ui;
using zv::db::DbError;
using zv::masters::EmployeeRow;
using zv::masters::EmployeeStore;
using zv::masters::NamedKey;

namespace {

const QString kTitle = QStringLiteral("Employee Master");
const QString kEnabledStyle = QStringLiteral("QLineEdit, QComboBox { background-color: #FFFFFF; "
                                             "lineedit-password-character: 42; }");
const QString kDisabledStyle = QStringLiteral("QLineEdit, QComboBox { background-color: #E0E0E0; "
                                              "lineedit-password-character: 42; }");

// The punctuation list without the backquote, which names and passwords may hold.
const QString &shortSet() {
    static const QString set = [] {
        QString s = punctuationList();
        s.remove(QLatin1Char('`'));
        return s;
    }();
    return set;
}

// An e-mail address needs "@", ".", "-", "_" and "+": the box refuses the rest of the list.
const QString &emailRefused() {
    static const QString set = [] {
        QString s = punctuationList();
        for (QChar c : QStringLiteral("@.-_+"))
            s.remove(c);
        return s;
    }();
    return set;
}

QString textOf(const QWidget *w) {
    if (auto *box = qobject_cast<const QLineEdit *>(w))
        return box->text();
    if (auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->currentText();
    return QString();
}

bool askAdminPassword(QWidget *parent) {
    QString text = kTitle;
    return frmCheckPswd::Ask(text, parent);
}

QLineEdit *lineBox(QWidget *parent, const char *name, int maxLength) {
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxLength(maxLength);
    return box;
}

// A caption in the grid's cell and its field in the cell to the right, spanning columns.
void addField(QGridLayout *grid, int row, int column, const QString &caption, QWidget *field, int span = 1) {
    grid->addWidget(new QLabel(caption, grid->parentWidget()), row, column);
    grid->addWidget(field, row, column + 1, 1, span);
}

QComboBox *comboBox(QWidget *parent, const char *name) {
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    // Matching what is typed with the list is the form's own: no completer,
    // and Enter never adds the text to the list.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->lineEdit()->setMaxLength(40);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(20);
    return combo;
}

} // namespace

FrmEmp::FrmEmp(QWidget *parent, zv::fw::FormServices services) : MasterForm(kTitle, parent, std::move(services)) {
    setObjectName(QStringLiteral("FrmEmp"));

    fraEmpDet = new QGroupBox(QStringLiteral("Employee Details"), Frame1);
    fraEmpDet->setObjectName(QStringLiteral("fraEmpDet"));
    txtEmpno = lineBox(fraEmpDet, "txtEmpno", 10);
    txtEmpName = lineBox(fraEmpDet, "txtEmpName", 40);
    cmbDesignation = comboBox(fraEmpDet, "cmbDesignation");
    CboDepartment = comboBox(fraEmpDet, "CboDepartment");
    txtemail = lineBox(fraEmpDet, "txtemail", 40);
    auto *emp = new QGridLayout(fraEmpDet);
    addField(emp, 0, 0, QStringLiteral("Employee No.*"), txtEmpno);
    addField(emp, 0, 2, QStringLiteral("Employee Name*"), txtEmpName);
    addField(emp, 1, 0, QStringLiteral("Designation*"), cmbDesignation);
    addField(emp, 1, 2, QStringLiteral("Department*"), CboDepartment);
    addField(emp, 2, 0, QStringLiteral("E-mail ID"), txtemail, 3);

    fraLoginDet = new QGroupBox(QStringLiteral("Login Details"), Frame1);
    fraLoginDet->setObjectName(QStringLiteral("fraLoginDet"));
    txtUserID = lineBox(fraLoginDet, "txtUserID", 8);
    txtEmpPassWord = lineBox(fraLoginDet, "txtEmpPassWord", 8);
    txtConfirmPassword = lineBox(fraLoginDet, "txtConfirmPassword", 8);
    txtEmpPassWord->setEchoMode(QLineEdit::Password);
    txtConfirmPassword->setEchoMode(QLineEdit::Password);
    auto *login = new QGridLayout(fraLoginDet);
    addField(login, 0, 0, QStringLiteral("Login Name*"), txtUserID);
    addField(login, 1, 0, QStringLiteral("Password*"), txtEmpPassWord);
    addField(login, 1, 2, QStringLiteral("Confirm Password*"), txtConfirmPassword);

    fieldArea()->addWidget(fraEmpDet);
    fieldArea()->addWidget(fraLoginDet);
    const QList<QWidget *> controls = entryControls();
    for (int i = 1; i < controls.size(); ++i)
        setTabOrder(controls[i - 1], controls[i]);
    resize(680, 380);

    // Load
    modCommon::gScreenTitle = kTitle;
    setUpToolbars({"Add", "Modify", "Delete", "Attachment", "Separator", "Select", "Refresh", "Separator", "Help",
                   "Exit"});
    filterKeys(txtEmpno, KeyFilter::LettersAndDigits, punctuationList(), true);
    filterKeys(txtEmpName, KeyFilter::Text, shortSet());
    filterKeys(txtemail, KeyFilter::Text, emailRefused());
    filterKeys(txtUserID, KeyFilter::LettersAndDigits, punctuationList());
    // The confirmation takes what the password takes, so any password can be confirmed;
    // the stored form holds 8-bit codes only.
    m_passwordKeys.press = [](int &k) {
        k = KeyFilter::filter(KeyFilter::TextWithoutBlanks, k, shortSet(), true);
        if (k >= 32 && !modCommon::CanEncodePassword(QString(QChar(char16_t(k)))))
            k = 0;
    };
    m_designationKeys.press = [this](int &k) { designationKeyPress(k); };
    m_departmentKeys.press = [this](int &k) { m_combos.KeyPress(CboDepartment, k); };
    KeyPreview *keys = zv::fw::keyPreviewOf(this);
    keys->setControlHandler(txtEmpPassWord, &m_passwordKeys);
    keys->setControlHandler(txtConfirmPassword, &m_passwordKeys);
    keys->setControlHandler(cmbDesignation, &m_designationKeys);
    keys->setControlHandler(CboDepartment, &m_departmentKeys);

    for (QWidget *w : controls) {
        refusePaste(w);
        if (auto *box = qobject_cast<QLineEdit *>(w))
            connect(box, &QLineEdit::textChanged, this, [this] { clearStatus(); });
    }
    for (QComboBox *combo : {cmbDesignation, CboDepartment})
        connect(combo, &QComboBox::editTextChanged, this, [this, combo] {
            m_combos.Change(combo, true);
            clearStatus();
        });
    connect(CboDepartment, &QComboBox::activated, this, [this] {
        m_combos.Change(CboDepartment, true);
        clearStatus();
    });

    tlbHeader.setAttachmentVisible(false);
    tlbHeader.setAttachmentEnable(false);
    tlbHeader.setHelpEnable(true);
    tlbHeader.setHelpVisible(true);
    utility.UsrSetValue();
    utility.ActivateHeaderToolBar(&tlbHeader);
    utility.ActivateFooterToolBar(&tlbFooter);
    m_currentKey.clear();
    UsrInitializeAllFields();
    UsrSetFieldsToDisableMode();
    tlbHeader.setAddEnable(true);
    tlbHeader.setModifyEnable(false);
    tlbHeader.setFilterEnable(true);
    tlbHeader.setDeleteEnable(false);
    tlbHeader.setRefreshEnable(false);
    clearStatus();
}

FrmEmp::~FrmEmp() = default;

QList<QWidget *> FrmEmp::entryControls() const {
    return {txtEmpno, txtEmpName, cmbDesignation, CboDepartment, txtemail, txtUserID, txtEmpPassWord, txtConfirmPassword};
}

QString FrmEmp::probeSql() const { return EmployeeStore::probeStatement(); }

QString FrmEmp::escQuestion() const {
    return saveChangesQuestion(modCommon::gScreenTitle);
}

int FrmEmp::saveQuestionIcon() const { return vbExclamation; }

bool FrmEmp::isOwnRecord() const {
    return !modCommon::gLoginUserID.isEmpty() && txtUserID->text().trimmed().toUpper() == modCommon::gLoginUserID;
}

// ---------------------------------------------------------------- field states

void FrmEmp::UsrInitializeAllFields() {
    for (QWidget *w : entryControls()) {
        if (auto *box = qobject_cast<QLineEdit *>(w))
            box->clear();
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            combo->setEditText(QString());
    }
}

void FrmEmp::UsrSetFieldsToModifyMode() {
    for (QWidget *w : entryControls()) {
        w->setEnabled(true);
        w->setStyleSheet(kEnabledStyle);
    }
}

void FrmEmp::UsrSetFieldsToAddMode() {
    UsrSetFieldsToModifyMode();
    txtEmpno->setFocus();
}

void FrmEmp::UsrSetFieldsToDisableMode() {
    for (QWidget *w : entryControls()) {
        w->setEnabled(false);
        w->setStyleSheet(kDisabledStyle);
    }
}

// ---------------------------------------------------------------- the two lists

namespace {
// Refills the list, keeping the typed text.
void fillList(QComboBox *combo, const QList<NamedKey> &rows) {
    const QString kept = combo->currentText();
    const QSignalBlocker block(combo);
    combo->clear();
    for (const NamedKey &row : rows)
        combo->addItem(row.name, row.key);
    combo->setCurrentIndex(-1);
    combo->setEditText(kept);
}
} // namespace

void FrmEmp::UsrFillDesignation() {
    fillList(cmbDesignation, store().designations());
    m_combos.Change(cmbDesignation, true);
}

void FrmEmp::UsrFillDepartment() {
    fillList(CboDepartment, store().departments());
    m_combos.Change(CboDepartment, true);
}

void FrmEmp::showLists(const QList<NamedKey> &designations, const QList<NamedKey> &departments) {
    fillList(cmbDesignation, designations);
    m_combos.Change(cmbDesignation, true);
    fillList(CboDepartment, departments);
    m_combos.Change(CboDepartment, true);
}

void FrmEmp::designationKeyPress(int &KeyAscii) {
    QLineEdit *edit = cmbDesignation->lineEdit();
    if (KeyAscii == 8 || KeyAscii == 27)
        return;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        sendTab(cmbDesignation);
        return;
    }
    if (KeyAscii < 32 || KeyAscii == 127)
        return;
    const QString text = edit->text();
    // What is left once the typed key replaces the selection.
    if (text.size() - edit->selectedText().size() >= 40) {
        KeyAscii = 0;
        return;
    }
    if (KeyAscii == ' ' && text.trimmed().isEmpty()) {
        KeyAscii = 0;
        return;
    }
    m_combos.KeyPress(cmbDesignation, KeyAscii);
}

// ---------------------------------------------------------------- loading the row

bool FrmEmp::UsrRefreshScreen() {
    // Everything is read before anything on screen changes.
    auto employees = store();
    const std::optional<EmployeeRow> row = employees.employee(keyValue().toLongLong());
    if (!row) {
        emptyView();
        status(QStringLiteral("ZVE034"));
        return false;
    }
    const QList<NamedKey> designations = employees.designations();
    const QList<NamedKey> departments = employees.departments();
    // An entry that is not in the list (gone since) shows its name, if any.
    const auto nameOf = [](const QList<NamedKey> &list, const QVariant &key,
                           const std::function<std::optional<QString>()> &name) {
        for (const NamedKey &k : list)
            if (QVariant(k.key) == key)
                return QString();
        return name().value_or(QString());
    };
    const QString designationName =
        nameOf(designations, row->designation, [&] { return employees.designationName(row->designation); });
    const QString departmentName =
        nameOf(departments, row->department, [&] { return employees.departmentName(row->department); });

    showLists(designations, departments);
    txtEmpno->setText(row->number);
    txtEmpName->setText(row->name);
    txtemail->setText(row->email);
    txtUserID->setText(row->loginName);
    txtEmpPassWord->setText(row->password);
    txtConfirmPassword->setText(row->password);
    const auto show = [](QComboBox *combo, const QVariant &key, const QString &name) {
        const int at = combo->findData(key);
        if (at >= 0)
            combo->setCurrentIndex(at);
        else
            combo->setEditText(name);
    };
    show(cmbDesignation, row->designation, designationName);
    show(CboDepartment, row->department, departmentName);
    if (txtEmpName->isEnabled())
        txtEmpName->setFocus();
    return true;
}

// ---------------------------------------------------------------- header

bool FrmEmp::headerKeyAllowed(const QString &Key) {
    if (Key == QLatin1String("Help") || probeTable())
        return true;
    UsrSetFieldsToDisableMode();
    showCorrupted();
    return false;
}

// Help must not end an edit.
void FrmEmp::help() { showHelpKeepingEdit(QStringLiteral("Html/EmployeeMaster.htm")); }

void FrmEmp::add() {
    // The lists are read before anything on screen changes.
    auto employees = store();
    const QList<NamedKey> designations = employees.designations();
    const QList<NamedKey> departments = employees.departments();
    setMode(Mode::Add);
    utility.ToolBarsForAdd(&tlbHeader, &tlbFooter);
    tlbFooter.setResetVisible(false);
    UsrInitializeAllFields();
    UsrSetFieldsToAddMode();
    showLists(designations, departments);
}

void FrmEmp::modify() {
    setMode(Mode::Modify);
    if (!rowExists()) {
        backToView(QStringLiteral("ZVE035"));
        return;
    }
    UsrRefreshScreen();
    if (!askAdminPassword(this)) {
        setMode(Mode::None);
        return;
    }
    DoEvents();
    // The row as it stands now that it is ours; it may have gone while the prompt was open.
    if (!lockForModify(EmployeeStore::table, [this] { return UsrRefreshScreen(); }))
        return;
    utility.ToolBarsForModify(&tlbHeader, &tlbFooter);
    tlbFooter.setResetVisible(false);
    UsrSetFieldsToModifyMode();
    m_ownRecord = isOwnRecord();
    if (txtEmpno->isEnabled())
        txtEmpno->setFocus();
}

bool FrmEmp::rowExists() { return store().exists(keyValue().toLongLong()); }

void FrmEmp::remove() {
    if (!rowExists()) {
        backToView();
        return;
    }
    if (UsrLockRecord()) {
        status(QStringLiteral("ZVE028"));
        setMode(Mode::None);
        return;
    }
    if (!UsrReferencedBy().isEmpty()) {
        releaseRowLock();
        status(QStringLiteral("ZVE030"));
        setMode(Mode::None);
        return;
    }
    UsrDeleteRecord();
}

QString FrmEmp::UsrReferencedBy() { return store().referencedBy(keyValue().toLongLong()); }

bool FrmEmp::UsrLockRecord() { return !takeRowLock(EmployeeStore::table, keyValue()); }

// Holds the row lock taken by Delete through the question and the password.
void FrmEmp::UsrDeleteRecord() {
    if (isOwnRecord()) {
        releaseRowLock();
        status(QStringLiteral("ZVE013"));
        return;
    }
    if (!confirmDelete(zv::fw::kDeleteRecord) || !askAdminPassword(this)) {
        releaseRowLock();
        return;
    }
    int deleted = 0;
    try {
        deleted = store().remove(keyValue().toLongLong());
    } catch (const DbError &e) {
        releaseRowLock();
        // Any other failure ends the key, told once by its boundary.
        if (e.number() != zv::db::err::RelatedRows)
            throw;
        UsrRefreshScreen();
        status(QStringLiteral("ZVE030"));
        return;
    }
    releaseRowLock();
    if (deleted == 0) {
        backToView();   // gone meanwhile: ZVE034
        return;
    }
    utility.ActivateHeaderToolBar(&tlbHeader);
    UsrInitializeAllFields();
    UsrSetFieldsToDisableMode();
    status(QStringLiteral("ZVE008"));
}

void FrmEmp::select() {
    const QStringList chosen = ShowGeneralFilter(QStringLiteral("EMP"), EmployeeStore::filterJoin());
    if (chosen.isEmpty() || chosen.at(0).isEmpty())
        return;
    // The hidden fifth column holds the employee's key. The form moves to it
    // only once its row has been read.
    const QString shown = m_currentKey;
    m_currentKey = QString::number(chosen.value(4).trimmed().toLongLong());
    try {
        if (!UsrRefreshScreen())
            return;
    } catch (...) {
        m_currentKey = shown;
        throw;
    }
    utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
}

// ---------------------------------------------------------------- footer

void FrmEmp::tlbFooter_FooterClick(const QString &Key) {
    if (Key == QLatin1String("Ok")) {
        ok();
    } else if (Key == QLatin1String("Cancel")) {
        if (mode() == Mode::Add) {
            cancelAdd();
            setMode(Mode::Select);
        } else if (mode() == Mode::Modify) {
            cancelModify();
            setMode(Mode::None);
        } else {
            setMode(Mode::Select);
        }
    }
}

// A save that fails keeps the form in its mode with the typed values.
bool FrmEmp::ok() {
    if (mode() == Mode::Add) {
        if (UsrValidateScreenFieldsAddMode() || !UsrInsertRecord())
            return false;
    } else if (mode() == Mode::Modify) {
        if (UsrValidateScreenFieldsModifyMode() || !UsrUpdateRecord())
            return false;
    }
    setMode(Mode::Select);
    return true;
}

bool FrmEmp::saveBeforeClose() { return ok(); }

void FrmEmp::cancelAdd() {
    emptyView();
    UsrSetFieldsToDisableMode();
}

void FrmEmp::cancelModify() {
    releaseRowLock();
    if (UsrRefreshScreen())
        utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
    UsrSetFieldsToDisableMode();
}

// ---------------------------------------------------------------- checks

void FrmEmp::refuse(QWidget *field, const QString &code, const QString &prefix, Text text) {
    status(code, prefix);
    if (!field->isEnabled())
        return;
    field->setFocus();
    if (auto *box = qobject_cast<QLineEdit *>(field); box && text == Text::Selected)
        box->selectAll();
}

bool FrmEmp::duplicate(QLineEdit *box, EmployeeStore::Unique field, const QString &prefix, bool modifying) {
    try {
        const auto except = modifying ? std::optional<qint64>(keyValue().toLongLong()) : std::nullopt;
        if (!store().taken(field, box->text(), except))
            return false;
    } catch (const std::exception &e) {
        // Unknown is never "free": the save ends, told as a failed save.
        saveFailed(e, [&] { modCommon::ShowErrorMessage(e); });
        return true;
    }
    status(QStringLiteral("ZVE006"), prefix);
    if (box->isEnabled()) {
        box->setFocus();
        box->selectAll();
    }
    return true;
}

bool FrmEmp::validate(bool modifying) {
    struct Required {
        QWidget *field;
        const char *code;
        const char *prefix;
    };
    // All blanks is no more a value than nothing: the row is stored trimmed.
    for (const Required &r : {Required{txtEmpno, "ZVE007", "Employee No."},
                              Required{txtEmpName, "ZVE007", "Employee Name"},
                              Required{cmbDesignation, "ZVE007", "Designation"},
                              Required{CboDepartment, "ZVE007", "Department"},
                              Required{txtUserID, "ZVE128", "Login Name"},
                              Required{txtEmpPassWord, "ZVE128", "Password"},
                              Required{txtConfirmPassword, "ZVE128", " Confirm Password"}}) {
        if (textOf(r.field).trimmed().isEmpty()) {
            refuse(r.field, QString::fromLatin1(r.code), QString::fromLatin1(r.prefix));
            return true;
        }
    }
    // The key rules keep quotes out already; what they cannot see is checked here.
    if (zv::fw::refuseInvalidCharacters({txtEmpno, txtEmpName, cmbDesignation->lineEdit(), CboDepartment->lineEdit(),
                                         txtemail, txtUserID, txtEmpPassWord, txtConfirmPassword},
                                        zv::fw::QuoteAndBar::Allowed))
        return true;
    // Only a department of the list can be stored.
    if (m_combos.Change(CboDepartment, false)) {
        refuse(CboDepartment, QStringLiteral("ZVE165"), QStringLiteral("Department"));
        return true;
    }
    if (txtUserID->text().trimmed().toUpper() == QLatin1String("ADMIN")) {
        refuse(txtUserID, QStringLiteral("ZVE166"), QString(), Text::Selected);
        return true;
    }
    if (utility.ChequePswdLengthTest(txtEmpPassWord, &tlbFooter, QString()))
        return true;
    if (txtEmpPassWord->text() != txtConfirmPassword->text()) {
        refuse(txtConfirmPassword, QStringLiteral("ZVE021"), QString(), Text::Selected);
        return true;
    }
    return duplicate(txtEmpno, EmployeeStore::Unique::Number, QStringLiteral("Employee No."), modifying) ||
           duplicate(txtEmpName, EmployeeStore::Unique::Name, QStringLiteral("Employee Name"), modifying) ||
           duplicate(txtUserID, EmployeeStore::Unique::LoginName,
                     modifying ? QStringLiteral(" Login Name") : QStringLiteral("Login Name"), modifying);
}

// ---------------------------------------------------------------- saves

EmployeeRow FrmEmp::rowToSave(const QString &password) {
    EmployeeRow row;
    // The designation of the list, or the name typed, found or added with the employee.
    const QString designation = cmbDesignation->currentText().trimmed();
    if (cmbDesignation->currentText() != designation)
        cmbDesignation->setEditText(designation);
    if (!m_combos.Change(cmbDesignation, false))
        row.designation = cmbDesignation->currentData().toLongLong();
    row.designationName = designation;
    row.department = departmentForSave();
    row.number = txtEmpno->text().trimmed();
    row.name = txtEmpName->text().trimmed();
    row.loginName = txtUserID->text().trimmed();
    row.password = password;
    row.email = txtemail->text().trimmed();
    return row;
}

QVariant FrmEmp::departmentForSave() {
    m_combos.Change(CboDepartment, false);
    const QVariant department = CboDepartment->currentData();
    if (!department.isValid())
        throw DbError(zv::db::err::GeneralFailure, QStringLiteral("No department is chosen."));
    return department;
}

bool FrmEmp::UsrInsertRecord() {
    const bool newDesignation = m_combos.Change(cmbDesignation, false);
    try {
        m_currentKey = QString::number(store().insert(rowToSave(txtEmpPassWord->text())).key);
    } catch (const std::exception &e) {
        saveFailed(e, QStringLiteral("ZVE004"));
        return false;
    }
    if (newDesignation)
        UsrFillDesignation();
    showSaved(QStringLiteral("ZVE003"));
    return true;
}

bool FrmEmp::UsrUpdateRecord() {
    const bool newDesignation = m_combos.Change(cmbDesignation, false);
    try {
        requireRowLock();
        if (!store().update(keyValue().toLongLong(), rowToSave(txtEmpPassWord->text().trimmed())))
            requireOneRowChanged(0);
    } catch (const std::exception &e) {
        saveFailed(e, QStringLiteral("ZVE004"));
        return false;
    }
    releaseRowLock();
    if (m_ownRecord) {
        // The logged-in user's own login name may have changed.
        modCommon::gLoginUserID = txtUserID->text().trimmed().toUpper();
        if (MDIZVS *main = MDIZVS::existingInstance())
            main->setWindowTitle(QStringLiteral("Zorvane - ") + txtEmpName->text().trimmed() + QLatin1Char('[') +
                                 txtUserID->text().trimmed() + QLatin1Char(']'));
    }
    if (newDesignation)
        UsrFillDesignation();
    utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
    UsrSetFieldsToDisableMode();
    DoEvents();
    status(QStringLiteral("ZVE002"));
    return true;
}
