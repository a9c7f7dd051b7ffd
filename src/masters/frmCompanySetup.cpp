#include "frmCompanySetup.h"
#include "CompanyStore.h"
#include "core/modCommon.h"
#include "framework/TextRules.h"
#include "platform/ui/MessageService.h"
#include "platform/db/ErrorText.h"
#include <QFormLayout>
#include <QLineEdit>
#include <optional>

using namespace zv::ui;
using zv::db::DbError;
using zv::masters::CompanyRow;
using zv::masters::CompanyStore;

namespace {

// The row's values, in the table's order, with their boxes' designs.
struct Field {
    QString CompanyRow::*value;
    const char *box;
    const char *label;
    int maxLength;
    int filterMode;
    QString chars;
};

const QList<Field> &fields() {
    static const QList<Field> list = {
        {&CompanyRow::name, "txtcmpnyname", "Company Name*", 50, KeyFilter::Text, punctuationList()},
        {&CompanyRow::addressLine1, "txtaddrline1", "Address", 40, KeyFilter::Text, punctuationList()},
        {&CompanyRow::addressLine2, "txtaddrline2", "", 40, KeyFilter::Text, punctuationList()},
        {&CompanyRow::city, "txtcity", "City", 40, KeyFilter::Text, punctuationList()},
        {&CompanyRow::state, "txtstate", "State", 40, KeyFilter::Text, punctuationList()},
        {&CompanyRow::country, "txtcountry", "Country", 40, KeyFilter::Text, punctuationList()},
        {&CompanyRow::zipCode, "txtzipcode", "Zip Code", 20, KeyFilter::Text, QString()},
        {&CompanyRow::phone, "txtphonenum", "Telephone Number", 20, KeyFilter::Digits, QStringLiteral("-+()")},
        {&CompanyRow::fax, "txtfaxnum", "Fax Number", 20, KeyFilter::Digits, QStringLiteral("-+()")},
        // A web address needs "." and "/": the box refuses only the backslash.
        {&CompanyRow::webSite, "txtweb", "Web Site", 80, KeyFilter::Text, QStringLiteral("\\")},
    };
    return list;
}

} // namespace

frmCompanySetup::frmCompanySetup(QWidget *parent, zv::fw::FormServices services)
    : MasterForm(QStringLiteral("Company Setup Master"), parent, std::move(services)) {
    setObjectName(QStringLiteral("frmCompanySetup"));
    auto *form = new QFormLayout;
    for (const Field &f : fields()) {
        auto *box = new QLineEdit(Frame1);
        box->setObjectName(QString::fromLatin1(f.box));
        box->setMaxLength(f.maxLength);
        form->addRow(QString::fromLatin1(f.label), box);
        m_boxes << box;
    }
    fieldArea()->addLayout(form);
    txtcmpnyname = m_boxes[0];
    txtaddrline1 = m_boxes[1];
    txtaddrline2 = m_boxes[2];
    txtcity = m_boxes[3];
    txtstate = m_boxes[4];
    txtcountry = m_boxes[5];
    txtzipcode = m_boxes[6];
    txtphonenum = m_boxes[7];
    txtfaxnum = m_boxes[8];
    txtweb = m_boxes[9];
    resize(560, 420);

    // Load
    setUpToolbars({"Add", "Modify", "Delete", "Attachment", "Separator", "Select", "Refresh", "Separator", "Help",
                   "Exit"});
    for (int i = 0; i < m_boxes.size(); ++i) {
        filterKeys(m_boxes[i], fields()[i].filterMode, fields()[i].chars);
        zv::fw::refuseOverlongPaste(m_boxes[i]);
    }
    utility.UsrSetValue();
    utility.ActivateHeaderToolBar(&tlbHeader);
    utility.ActivateFooterToolBar(&tlbFooter);
    tlbHeader.setAttachmentVisible(false);
    tlbHeader.setAttachmentEnable(false);
    tlbHeader.setFilterVisible(false);
    UsrSetFieldsToDisableMode();
}

frmCompanySetup::~frmCompanySetup() = default;

QString frmCompanySetup::probeSql() const { return CompanyStore::probeStatement(); }

QString frmCompanySetup::escQuestion() const {
    return saveChangesQuestion(QStringLiteral("Company Setup Master"));
}

void frmCompanySetup::Form_Activate() { UsrCheckTable(true); }

bool frmCompanySetup::UsrCheckTable(bool endWhenNotDamage) {
    // A failed open has told the user why.
    if (!dbOpen()) {
        UsrSetFieldsToDisableMode();
        unloadSoon();
        return false;
    }
    const bool read = readsOrEnd(
        [this] {
            if (!probeTable())
                throw DbError(zv::db::err::GeneralFailure, QStringLiteral("The table cannot be read."));
            UsrLoadCompany();
        },
        endWhenNotDamage);
    if (!read) {
        UsrSetFieldsToDisableMode();
        return false;
    }
    return true;
}

void frmCompanySetup::UsrLoadCompany() {
    const auto company = CompanyStore(db()).company();
    if (company) {
        tlbHeader.setAddVisible(false);
        tlbHeader.setModifyVisible(true);
        tlbHeader.setModifyEnable(true);
        tlbHeader.setDeleteVisible(false);
        tlbHeader.setRefreshVisible(true);
        tlbHeader.setRefreshEnable(true);
        tlbHeader.setHelpVisible(true);
        tlbHeader.setFilterVisible(false);
        tlbHeader.setExitEnable(true);
        UsrRefreshScreen();
        // The shown row's own key: a look-up by name could find another row.
        m_currentKey = QString::number(company->key);
    } else {
        tlbHeader.setAddVisible(true);
        tlbHeader.setModifyVisible(true);
        tlbHeader.setDeleteVisible(true);
        tlbHeader.setRefreshVisible(true);
        tlbHeader.setRefreshEnable(true);
        tlbHeader.setHelpVisible(true);
        tlbHeader.setExitEnable(true);
        tlbHeader.setFilterVisible(false);
    }
}

void frmCompanySetup::UsrInitializeAllFields() {
    for (QLineEdit *b : m_boxes)
        b->clear();
}

void frmCompanySetup::UsrSetFieldsToAddMode() {
    setFieldsOpen(m_boxes, true);
    txtcmpnyname->setFocus();
}

void frmCompanySetup::UsrSetFieldsToDisableMode() {
    setFieldsOpen(m_boxes, false);
}

void frmCompanySetup::UsrRefreshScreen() {
    const auto company = CompanyStore(db()).company();
    if (!company) {
        emptyView();
        return;
    }
    for (int i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setText((*company).*fields()[i].value);
}

// ---------------------------------------------------------------- header

bool frmCompanySetup::headerKeyAllowed(const QString &) {
    // Reloading would throw away what is being typed; only Help is reachable then.
    return isEditing() || UsrCheckTable(false);
}

void frmCompanySetup::add() {
    setMode(Mode::Add);
    utility.ToolBarsForAdd(&tlbHeader, &tlbFooter);
    UsrInitializeAllFields();
    UsrSetFieldsToAddMode();
}

void frmCompanySetup::help() { showHelpKeepingEdit(QStringLiteral("Html/Companydetails.htm")); }

bool frmCompanySetup::rowExists() { return CompanyStore(db()).exists(keyValue().toLongLong()); }

void frmCompanySetup::modify() {
    setMode(Mode::Modify);
    if (!rowExists()) {
        backToView(QStringLiteral("ZVE035"));
        return;
    }
    if (!lockForModify(CompanyStore::table, [this] { return rowExists(); }))
        return;
    utility.ToolBarsForModify(&tlbHeader, &tlbFooter);
    UsrRefreshScreen();
    UsrSetFieldsToAddMode();
}

// Delete is offered only when the row went from outside after a save; it
// finds nothing to delete and says so.
void frmCompanySetup::remove() {
    if (confirmDelete(zv::fw::kDeleteRecord) && !rowExists())
        backToView(QStringLiteral("ZVE011"));
}

// ---------------------------------------------------------------- footer

void frmCompanySetup::tlbFooter_FooterClick(const QString &Key) {
    if (Key == QLatin1String("Ok")) {
        if (mode() == Mode::Add) {
            if (UsrValidateScreenFieldsAddMode() || !UsrInsertRecord())
                return;
        } else if (mode() == Mode::Modify) {
            if (UsrValidateScreenFieldsModifyMode() || !UsrUpdateRecord())
                return;
        }
        setMode(Mode::Select);
    } else if (Key == QLatin1String("Cancel")) {
        if (mode() == Mode::Add) {
            emptyView();
            UsrSetFieldsToDisableMode();
        } else if (mode() == Mode::Modify) {
            UsrRefreshScreen();
            utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
            UsrSetFieldsToDisableMode();
            releaseRowLock();
        }
        setMode(Mode::Select);
    } else if (Key == QLatin1String("Reset")) {
        if (mode() == Mode::Add)
            UsrInitializeAllFields();
        else if (mode() == Mode::Modify)
            UsrRefreshScreen();
    }
}

bool frmCompanySetup::UsrValidateScreenFieldsAddMode() {
    if (txtcmpnyname->text().trimmed().isEmpty()) {
        status(QStringLiteral("ZVE128"), QStringLiteral("Company Name"));
        txtcmpnyname->setFocus();
        return true;
    }
    // A quote is a plain character of an address here.
    return zv::fw::refuseInvalidCharacters(m_boxes, zv::fw::QuoteAndBar::Allowed);
}

CompanyRow frmCompanySetup::boxValues() const {
    CompanyRow row;
    for (int i = 0; i < m_boxes.size(); ++i)
        row.*fields()[i].value = m_boxes[i]->text().trimmed();
    return row;
}

bool frmCompanySetup::UsrInsertRecord() {
    try {
        m_currentKey = QString::number(CompanyStore(db()).insert(boxValues()));
    } catch (const std::exception &e) {
        saveFailed(e, QStringLiteral("ZVE004"));
        return false;
    }
    // The row is written: the form leaves add mode whatever the reload does,
    // so a second Ok cannot add the company twice; a failed reload is shown.
    std::optional<zv::db::DbError> reloadFailed;
    try {
        UsrLoadCompany();
    } catch (const std::exception &e) {
        reloadFailed = zv::db::failureOf(e);
    }
    showSaved(QStringLiteral("ZVE003"));
    if (reloadFailed)
        showFailure(*reloadFailed);
    return true;
}

bool frmCompanySetup::UsrUpdateRecord() {
    try {
        requireRowLock();
        requireOneRowChanged(CompanyStore(db()).update(keyValue().toLongLong(), boxValues()));
    } catch (const std::exception &e) {
        saveFailed(e, QStringLiteral("ZVE035"));
        return false;
    }
    releaseRowLock();
    showSaved(QStringLiteral("ZVE002"));
    return true;
}

bool frmCompanySetup::saveBeforeClose() {
    if (mode() == Mode::Add)
        return !UsrValidateScreenFieldsAddMode() && UsrInsertRecord();
    if (mode() == Mode::Modify)
        return !UsrValidateScreenFieldsModifyMode() && UsrUpdateRecord();
    return true;
}
