#include "ReportFilterForm.h"
#include "ReportSql.h"
#include "core/FormRegistry.h"
#include "core/MDIZVS.h"
#include "core/modCommon.h"
#include "framework/FormKeys.h"
#include "framework/ImageList.h"
#include "platform/db/Dates.h"
#include "platform/report/FrmReportViewer.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"
#include "query/frmSelection.h"
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace zv::ui;

namespace zv::reports {

namespace {

ReportFilterForm::EmployeeChooser &chooserHook() {
    static ReportFilterForm::EmployeeChooser hook;
    return hook;
}

const char *const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

QString periodText(const QString &period) {
    const QDate d = zv::db::fromDisplayDate(period);
    return d.isValid() ? zv::db::toDisplayDate(d) : period;
}

} // namespace

NormalPointerAtEnd::~NormalPointerAtEnd() { setMousePointer(0); }

void ReportFilterForm::setEmployeeChooser(EmployeeChooser chooser) { chooserHook() = std::move(chooser); }

ReportFilterForm::ReportFilterForm(QWidget *parent) : QDialog(parent) {
    // Report files are found under the program's folder as the rest of the program knows it.
    zv::report::setProgramFolderProvider([] { return modCommon::appPath(); });

    auto *layout = new QVBoxLayout(this);
    tbHeader = new QToolBar(this);
    tbHeader->setObjectName(QStringLiteral("tbHeader"));
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    fraSelection = new QGroupBox(QStringLiteral("Selection"), Frame1);
    fraSelection->setObjectName(QStringLiteral("fraSelection"));
    m_rows = new QFormLayout(fraSelection);
    auto *frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(fraSelection);
    tbFooter = new QToolBar(this);
    tbFooter->setObjectName(QStringLiteral("tbFooter"));
    lblStatus = new QLabel(QStringLiteral("Status Value"), this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    layout->addWidget(tbHeader);
    layout->addWidget(Frame1, 1);
    layout->addWidget(tbFooter);
    layout->addWidget(lblStatus);
    resize(480, 360);
}

ReportFilterForm::~ReportFilterForm() {
    if (auto *kp = zv::fw::keyPreviewOf(this))
        kp->removeFormHandler(this);
}

void ReportFilterForm::addFilterRow(const QString &label, QWidget *field, QLabel **labelOut) {
    auto *l = new QLabel(label, fraSelection);
    l->setBuddy(field);
    field->setParent(fraSelection);
    m_rows->addRow(l, field);
    if (labelOut)
        *labelOut = l;
}

void ReportFilterForm::addFilterSpan(QWidget *widget) {
    widget->setParent(fraSelection);
    m_rows->addRow(widget);
}

QRadioButton *ReportFilterForm::option(const QString &name, const QString &caption) {
    auto *b = new QRadioButton(caption, fraSelection);
    b->setObjectName(name);
    return b;
}

void ReportFilterForm::addOptionRow(const QString &label, QRadioButton *first, QRadioButton *second,
                                    QRadioButton *both) {
    auto *row = new QWidget(fraSelection);
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    for (QRadioButton *b : {first, second, both}) {
        b->setParent(row);
        h->addWidget(b);
    }
    h->addStretch(1);
    both->setChecked(true);
    lblActvty = new QLabel(label, fraSelection);
    lblActvty->setObjectName(QStringLiteral("lblActvty"));
    m_rows->addRow(lblActvty, row);
}

void ReportFilterForm::addTypeOptions() {
    optOff = option(QStringLiteral("optOff"), QStringLiteral("Official"));
    optPernl = option(QStringLiteral("optPernl"), QStringLiteral("Personal"));
    optBoth = option(QStringLiteral("optBoth"), QStringLiteral("Both"));
    addOptionRow(QStringLiteral("Activity Type"), optOff, optPernl, optBoth);
}

void ReportFilterForm::addStatusOptions() {
    optPlnd = option(QStringLiteral("optPlnd"), QStringLiteral("Not Completed"));
    optCpltd = option(QStringLiteral("optCpltd"), QStringLiteral("Completed"));
    optBoth = option(QStringLiteral("optBoth"), QStringLiteral("Both"));
    addOptionRow(QStringLiteral("Activity Status"), optPlnd, optCpltd, optBoth);
}

void ReportFilterForm::addEmployeeRow() {
    auto *row = new QWidget(fraSelection);
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    picSelFilter = new QToolButton(row);
    picSelFilter->setObjectName(QStringLiteral("picSelFilter"));
    picSelFilter->setIcon(zv::ui::icon(QStringLiteral("Select")));
    picSelFilter->setAutoRaise(false);
    imgDisable = new QLabel(row);
    imgDisable->setObjectName(QStringLiteral("imgDisable"));
    imgDisable->setPixmap(zv::ui::icon(QStringLiteral("Select")).pixmap(16, 16, QIcon::Disabled));
    imgDisable->hide();
    h->addWidget(picSelFilter);
    h->addWidget(imgDisable);
    h->addStretch(1);
    lblSelSortField = new QLabel(QStringLiteral("Employee Name"), fraSelection);
    lblSelSortField->setObjectName(QStringLiteral("lblSelSortField"));
    m_rows->addRow(lblSelSortField, row);
    connect(picSelFilter, &QToolButton::clicked, this, [this] { picSelFilter_Click(0); });
}

void ReportFilterForm::offerSelectionIfAnyEmployee() {
    bool anyEmployee = true;
    try {
        anyEmployee = utility.RecordExists(QStringLiteral("Emp_Mast"));
    } catch (const std::exception &) {
    }
    picSelFilter->setVisible(anyEmployee);
    imgDisable->setVisible(!anyEmployee);
}

QComboBox *ReportFilterForm::pickList(const QString &name, QWidget *parent) {
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    return list;
}

void ReportFilterForm::addMonths(QComboBox *list) {
    for (int m = 1; m <= 12; ++m)
        list->addItem(monthName(m), m);
}

QString ReportFilterForm::monthName(int month) {
    return month >= 1 && month <= 12 ? QString::fromLatin1(kMonthNames[month - 1]) : QString();
}

void ReportFilterForm::setUpToolbars() {
    tbFooter->addAction(QString())->setObjectName(QStringLiteral("Status"));   // a picture only
    auto *gap = new QWidget(tbFooter);
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    tbFooter->addWidget(gap);
    for (const char *key : {"Ok", "Cancel", "Reset"})
        tbFooter->addAction(QString::fromLatin1(key))->setObjectName(QString::fromLatin1(key));
    footerButton(QStringLiteral("Ok"))->setToolTip(QStringLiteral("Ok - F9"));
    footerButton(QStringLiteral("Cancel"))->setToolTip(QStringLiteral("Cancel - F10"));

    tlbHeader.setformname(this);
    tlbHeader.setToolBarName(tbHeader);
    tlbHeader.setImageListName(frmImgList::ImgLstFooter());
    tlbHeader.LoadImages({"Add", "Modify", "Delete", "Attachment", "Select", "Refresh", "Help", "Exit"});

    tlbFooter.setToolBarName(tbFooter);
    tlbFooter.setformname(this);
    tlbFooter.setImageListName(footerImageList());
    tlbFooter.setLabelName(lblStatus);

    utility.ActivateHeaderToolBar(&tlbHeader);
    utility.ActivateFooterToolBar(&tlbFooter);
    tlbHeader.setAddVisible(false);
    tlbHeader.setModifyVisible(false);
    tlbHeader.setDeleteVisible(false);
    tlbHeader.setAttachmentVisible(false);
    tlbHeader.setAttachmentEnable(false);
    tlbHeader.setFilterVisible(false);
    tlbHeader.setRefreshVisible(false);
    tlbHeader.setHelpVisible(false);
    tlbHeader.setExitEnable(true);
    tlbFooter.setRightToolbarVisible(true);
    tlbFooter.setResetVisible(false);

    // After header and footer: the form sees the keys they leave.
    zv::fw::keyPreviewOf(this)->addFormHandler(this);
    connect(&tlbHeader, &clsHeader::HeaderClick, this, &ReportFilterForm::tlbHeader_HeaderClick);
    connect(&tlbFooter, &clsFooterToolBar::FooterClick, this, &ReportFilterForm::tlbFooter_FooterClick);
}

QAction *ReportFilterForm::headerButton(const QString &key) const {
    for (QAction *a : tbHeader->actions())
        if (a->objectName() == key)
            return a;
    return nullptr;
}

QAction *ReportFilterForm::footerButton(const QString &key) const {
    for (QAction *a : tbFooter->actions())
        if (a->objectName() == key)
            return a;
    return nullptr;
}

void ReportFilterForm::tlbHeader_HeaderClick(const QString &Key) {
    if (Key == QLatin1String("Exit"))
        unloadForm();
}

void ReportFilterForm::status(const QString &code, const QString &prefix, const QString &suffix) {
    utility.DisplayStatus(code, &tlbFooter, prefix, suffix);
}

void ReportFilterForm::clearStatus() { utility.UsrClearFooter(&tlbFooter); }

void ReportFilterForm::progressStep(const QString &code) {
    clearStatus();
    DoEvents();
    DoEvents();
    status(code, QStringLiteral("Report is "));
    setMousePointer(11);
    // Out of the current control and back: what is being typed is taken.
    if (QWidget *w = QApplication::focusWidget(); w && w->window() == this) {
        sendTab(w);
        w->setFocus(Qt::BacktabFocusReason);
    }
    DoEvents();
}

void ReportFilterForm::focusIfAble(QWidget *w) {
    if (w && w->isEnabled() && w->isVisible())
        w->setFocus();
}

zv::ui::KeyFunctions *ReportFilterForm::keysOf(QWidget *control) {
    m_controlKeys.push_back(std::make_unique<zv::ui::KeyFunctions>());
    zv::fw::keyPreviewOf(this)->setControlHandler(control, m_controlKeys.back().get());
    return m_controlKeys.back().get();
}

namespace {
class SelectAllOnFocus : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::FocusIn)
            if (auto *box = qobject_cast<QLineEdit *>(watched))
                // After the focus handling, which places the caret itself.
                QTimer::singleShot(0, box, [box] { box->selectAll(); });
        return false;
    }
};
} // namespace

void ReportFilterForm::selectAllOnFocus(QLineEdit *box) { box->installEventFilter(new SelectAllOnFocus(box)); }

void ReportFilterForm::tabOnEnter(QWidget *control) {
    keysOf(control)->down = [control](int &KeyCode, int) {
        if (KeyCode == vbKey::Return) {
            KeyCode = 0;
            sendTab(control);
        }
    };
}

zv::db::Connection &ReportFilterForm::db() { return modCommon::MainConnection(); }

QString ReportFilterForm::companyName() {
    return db().scalar(QStringLiteral("SELECT Cmpny_Name FROM Cmpny_Mast ORDER BY Sys_Cmpny_Num LIMIT 1")).toString();
}

QString ReportFilterForm::employeeKeys(const QString &sql) {
    const zv::db::Recordset rs = db().query(sql);
    QStringList keys;
    for (int i = 0; i < rs.recordCount(); ++i)
        keys << rs.valueAt(i, 0).toString();
    return keys.join(QLatin1Char(','));
}

QString ReportFilterForm::chooseEmployees(const SelectionRequest &r) {
    m_selectionQuery = r.sql;
    QString result;
    if (chooserHook())
        result = chooserHook()(r);
    else
        result = zv::query::frmSelection::ShowValues(r.caption, r.sql, r.returnMode, r.current, r.keyColumn,
                                                     r.firstColumn, r.secondColumn, r.thirdColumn);
    Form_Activate();
    return result;
}

void ReportFilterForm::addMonthDays(int month, int year, const QString &keySuffix) {
    QString from, until;
    if (!monthBounds(month, year, from, until))
        return;
    const auto key = [&keySuffix](int day) { return QString::number(day) + keySuffix; };
    const zv::db::Recordset holidays = db().query(
        QStringLiteral("SELECT Holday_Date FROM Holday_List_Det WHERE Holday_Date >= ? AND Holday_Date < ? "
                       "ORDER BY Holday_Date"),
        {from, until});
    for (int i = 0; i < holidays.recordCount(); ++i) {
        const int day = zv::db::fromIsoDate(holidays.valueAt(i, 0).toString()).day();
        // A date listed twice is one holiday.
        if (!m_formulas.Exists(key(day)))
            m_formulas.Add(key(day), QStringLiteral("(%1)").arg(day));
    }
    const int length = QDate(year, month, 1).daysInMonth();
    for (int d = 1; d <= length; ++d) {
        if (m_formulas.Exists(key(d)))
            continue;
        m_formulas.Add(key(d), zv::db::vbWeekday(QDate(year, month, d)) == 1 ? QStringLiteral("(%1)").arg(d)
                                                                              : QString::number(d));
    }
}

bool ReportFilterForm::selectionButton(int Index) {
    tlbFooter.setStatus(QString());
    tlbFooter.setSelectPicture(clsFooterToolBar::NoPicture);
    return Index == 0;
}

QString ReportFilterForm::selectEmployees(SelectionColumns columns, const QString &sql) {
    SelectionRequest r;
    r.caption = QStringLiteral("Employee Name");
    r.sql = sql;
    r.current = m_selectionList;
    if (columns == SelectionColumns::NameFirst) {
        r.returnMode = 0;
        r.keyColumn = 2;
        r.firstColumn = 0;
        r.secondColumn = 1;
        r.thirdColumn = -1;
        return chooseEmployees(r);
    }
    r.returnMode = 1;
    r.keyColumn = 0;
    r.firstColumn = 2;
    r.secondColumn = 1;
    r.thirdColumn = 1;
    QString list = chooseEmployees(r);
    return list.remove(QLatin1Char('[')).remove(QLatin1Char(']')).remove(QLatin1Char('\''));
}

bool ReportFilterForm::showReport(const QString &title, const QString &reportFile, const zv::db::Recordset &rows,
                                  const zv::report::FormulaDictionary &values) {
    bool shown = false;
    {
        zv::report::FrmReportViewer viewer(this);
        // The viewer's own pointer: the hourglass is for building the report.
        setMousePointer(0);
        shown = viewer.ShowReport(title, reportFile, rows, &values);
    }
    Form_Activate();
    return shown;
}

void ReportFilterForm::showFailure(const std::exception &e) {
    setMousePointer(0);
    if (const auto *db = dynamic_cast<const zv::db::DbError *>(&e))
        MsgBox(QString::number(db->number()) + QLatin1Char('\r') + db->description(), vbOKOnly);
    else
        MsgBox(QString::number(zv::db::err::GeneralFailure) + QLatin1Char('\r') + QString::fromLocal8Bit(e.what()),
               vbOKOnly);
}

void ReportFilterForm::runReport(const std::function<zv::db::Recordset()> &rows, const QString &noRowsCode,
                                 const std::function<void()> &setValues, const QString &title,
                                 const QString &reportFile) {
    try {
        setMousePointer(11);
        const zv::db::Recordset rs = rows();
        if (rs.isEmpty()) {
            status(noRowsCode);
            return;
        }
        m_formulas.RemoveAll();
        setValues();
        showReport(title, reportFile, rs, m_formulas);
        clearStatus();
        m_formulas.RemoveAll();
    } catch (const std::exception &e) {
        m_formulas.RemoveAll();
        clearStatus();
        showFailure(e);
    }
}

void ReportFilterForm::footerStep(const QString &Key, const QString &progressCode) {
    progressStep(progressCode);
    if (Key == QLatin1String("Ok")) {
        Ok();
        return;
    }
    setMousePointer(0);
    if (Key == QLatin1String("Cancel")) {
        clearStatus();
        unloadForm();
    }
}

void ReportFilterForm::setMainCaption(const QString &who, bool withPeriod) {
    MDIZVS *main = MDIZVS::existingInstance();
    if (!main)
        return;
    QString caption = QStringLiteral("Zorvane 2.0 - ") + who;
    if (withPeriod)
        caption += QStringLiteral(" (From:") + periodText(modCommon::gStartPeriod) + QStringLiteral(" To:") +
                   periodText(modCommon::gEndPeriod) + QLatin1Char(')');
    main->setWindowTitle(caption);
}

void ReportFilterForm::Form_KeyDown(int &KeyCode, int Shift) {
    if (KeyCode == vbKey::F1 && Shift == vbShiftMask::Ctrl && m_selectionKey) {
        KeyCode = 0;
        if (picSelFilter && picSelFilter->isVisible())
            picSelFilter_Click(0);
    } else if (KeyCode == vbKey::Escape) {
        KeyCode = 0;
        unloadForm();
    } else if (KeyCode == vbKey::Home && Shift == vbShiftMask::Ctrl && m_passwordKey) {
        KeyCode = 0;
        zv::forms::showModal(zv::forms::names::frmChangePswd, this);
    }
}

bool ReportFilterForm::exitConfirmed(const QString &title) {
    return MsgBox(QStringLiteral("Do you want to exit?"), vbYesNo + vbQuestion + vbDefaultButton2, title) == vbYes;
}

void ReportFilterForm::unloadForm(bool ask) {
    if (m_unloading)
        return;
    if (ask && !Form_QueryUnload())
        return;
    m_unloading = true;
    Form_Unload();
    done(QDialog::Rejected);
}

void ReportFilterForm::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        Form_Activate();
    }
}

void ReportFilterForm::closeEvent(QCloseEvent *event) {
    if (m_unloading) {
        event->accept();
        return;
    }
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    m_unloading = true;
    Form_Unload();
    QDialog::done(QDialog::Rejected);
}

void ReportFilterForm::reject() {
    // Esc that reached the dialog itself: the form's own key rules decide.
    int key = vbKey::Escape;
    Form_KeyDown(key, 0);
}

} // namespace zv::reports
