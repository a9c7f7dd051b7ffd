// The Activity Master: the form, its modes, the toolbar dispatch, closing,
// and the activity header row. Detail lines, the frequency picker and the
// grid live in ActivityLines.cpp, FrequencyPicker.cpp and ActivityGrid.cpp.
#include "frmActvtyMast.h"
#include "FormParts.h"
#include "core/HelpTopic.h"
#include "core/MDIZVS.h"
#include "core/modCommon.h"
#include "dateinput/DateText.h"
#include "framework/FormKeys.h"
#include "framework/ImageList.h"
#include "framework/MasterForm.h"
#include "platform/db/Dates.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"
#include "query/RecordsetGrid.h"
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

using namespace zv::ui;
using zv::db::DbError;
using zv::dateinput::kMonthNameMask;
namespace err = zv::db::err;

namespace zv::activity {

namespace {
const QString kTitle = QStringLiteral("Activity Master");
const QString kSaveQuestion = QStringLiteral("Do you want to save the changes you made to 'Activity Master'?");
const QString kCorrupted = QStringLiteral("Production Database is corrupted. Please reset the Production Database");
const QString kDeleteQuestion = QStringLiteral("Are you sure you want to delete this record?");
const QString kDeleteWithEntries = QStringLiteral(
    "Are you sure you want to delete this record with Activity Projector/Actuals Planner Details?");
} // namespace

// ---------------------------------------------------------------- building

frmActvtyMast::frmActvtyMast(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmActvtyMast"));
    setWindowTitle(kTitle);
    auto *layout = new QVBoxLayout(this);
    tbHeader = new QToolBar(this);
    tbHeader->setObjectName(QStringLiteral("tbHeader"));
    layout->addWidget(tbHeader);

    auto *head = new QWidget(this);
    auto *grid = new QGridLayout(head);
    const auto addField = [&](int row, const QString &caption, QLineEdit *&box, const char *name, int maxLength) {
        box = new QLineEdit(head);
        box->setObjectName(QString::fromLatin1(name));
        box->setMaxLength(maxLength);
        grid->addWidget(new QLabel(caption, head), row, 0);
        grid->addWidget(box, row, 1);
    };
    addField(0, QStringLiteral("Date Of Entry*"), txtEntryDate, "txtEntryDate", 11);
    addField(1, QStringLiteral("Activity Description*"), txtActDesc, "txtActDesc", 100);
    addField(2, QStringLiteral("Remarks"), txtRemarks, "txtRemarks", 255);
    txtEntryDate->setMaximumWidth(twipsToPixels(1500));
    grid->setColumnStretch(1, 1);
    layout->addWidget(head);

    // The lines grid, with the detail frame laid over it.
    m_detailArea = new QWidget(this);
    m_detailArea->setObjectName(QStringLiteral("detailArea"));
    m_detailArea->setFixedHeight(twipsToPixels(6000));
    m_detailArea->installEventFilter(this);
    dgdAM = new zv::query::RecordsetGrid(m_detailArea);
    dgdAM->setObjectName(QStringLiteral("dgdAM"));
    fraDet = new QGroupBox(QStringLiteral("Schedule Details"), m_detailArea);
    fraDet->setObjectName(QStringLiteral("fraDet"));
    fraDet->setAutoFillBackground(true);
    fraDet->installEventFilter(this);
    layout->addWidget(m_detailArea, 1);

    const auto label = [this](const QString &text, int left, int top) {
        auto *l = new QLabel(text, fraDet);
        place(l, left, top, 1900, 315);
    };
    const auto dateBox = [this](const char *name, int left, int top) {
        auto *box = new QLineEdit(fraDet);
        box->setObjectName(QString::fromLatin1(name));
        box->setMaxLength(11);
        place(box, left, top, 1500, 315);
        return box;
    };
    const auto combo = [this](const char *name, int top, int width) {
        auto *c = new QComboBox(fraDet);
        c->setObjectName(QString::fromLatin1(name));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setCompleter(nullptr);
        c->setMaxVisibleItems(12);
        place(c, kFreqLeft, top, width, kFreqHeight);
        return c;
    };
    label(QStringLiteral("Activity Start Date*"), 240, 420);
    txtStartDate = dateBox("txtStartDate", 2160, 390);
    label(QStringLiteral("Activity End Date*"), 4200, 420);
    txtEndDate = dateBox("txtEndDate", 6000, 390);
    label(QStringLiteral("Department*"), 240, 840);
    cmbDept = combo("cmbDept", 810, kComboWidth);
    label(QStringLiteral("Responsible Person*"), 240, 1260);
    CmbResP = combo("CmbResP", 1230, kComboWidth);
    label(QStringLiteral("Assigned By"), 240, 1680);
    cmbAssignedBy = combo("cmbAssignedBy", 1650, kComboWidth);
    cmbAssignedBy->setEnabled(false);
    label(QStringLiteral("Frequency*"), 240, 2100);
    cmbFreq = combo("cmbFreq", kFreqTop, 3000);

    sstMnth = new QTabWidget(fraDet);
    sstMnth->setObjectName(QStringLiteral("sstMnth"));
    for (const char *tab : {"Month", "Week"})
        sstMnth->addTab(new QWidget, QString::fromLatin1(tab));
    sstAdhoc = new QTabWidget(fraDet);
    sstAdhoc->setObjectName(QStringLiteral("sstAdhoc"));
    sstAdhoc->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 2px 4px; min-width: 0px; }"));
    for (int m = 1; m <= 12; ++m)
        sstAdhoc->addTab(new QWidget, zv::db::monthAbbrev(m));
    for (QTabWidget *tabs : {sstMnth, sstAdhoc}) {
        place(tabs, kFreqLeft, kFreqTop + kFreqHeight + 40, kTabWidth, kTabHeight);
        tabs->hide();
    }
    PicMain = new PictureBox(fraDet);
    PicMain->setObjectName(QStringLiteral("PicMain"));
    PicMain->hide();
    place(fraDet, 180, 0, 13200, 5900);
    fraDet->hide();

    tbFooter = new QToolBar(this);
    tbFooter->setObjectName(QStringLiteral("tbFooter"));
    layout->addWidget(tbFooter);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    layout->addWidget(lblStatus);
    resize(twipsToPixels(13800), twipsToPixels(9900));

    Form_Load();
}

frmActvtyMast::~frmActvtyMast() {
    if (auto *kp = zv::fw::keyPreviewOf(this)) {
        kp->removeFormHandler(this);
        for (QWidget *w : std::initializer_list<QWidget *>{txtActDesc, txtRemarks, cmbDept, CmbResP, cmbFreq, PicMain})
            kp->setControlHandler(w, nullptr);
    }
    releaseLock();
}

namespace {
QAction *buttonOf(const QToolBar *bar, const QString &key) {
    for (QAction *a : bar->actions())
        if (a->objectName() == key)
            return a;
    return nullptr;
}
} // namespace

QAction *frmActvtyMast::headerButton(const QString &key) const { return buttonOf(tbHeader, key); }

QAction *frmActvtyMast::footerButton(const QString &key) const { return buttonOf(tbFooter, key); }

int frmActvtyMast::fraDetLeft() const { return pixelsToTwips(fraDet->x()); }

bool frmActvtyMast::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_detailArea && event->type() == QEvent::Resize) {
        dgdAM->setGeometry(m_detailArea->rect());
        fraDet->resize(m_detailArea->width() - 2 * twipsToPixels(180), m_detailArea->height());
    } else if (watched == fraDet && event->type() == QEvent::MouseButtonPress) {
        // The right button pushes the frame aside to look at the grid beneath.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
            m_fraLeft = pixelsToTwips(fraDet->x());
            m_fraTop = pixelsToTwips(fraDet->y());
            fraDet->move(twipsToPixels(-15000), fraDet->y());
            return true;
        }
    } else if (watched == fraDet && event->type() == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
            fraDet->move(twipsToPixels(m_fraLeft), twipsToPixels(m_fraTop));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------- loading

void frmActvtyMast::Form_Load() {
    modCommon::gScreenTitle = kTitle;
    dbOpen();

    tlbHeader.setformname(this);
    tlbHeader.setToolBarName(tbHeader);
    tlbHeader.setImageListName(frmImgList::ImgLstFooter());
    tlbHeader.LoadImages({"Add", "Modify", "Delete", "Select", "Attachment", "Separator", "DetailAdd", "DetailModify",
                          "DetailDelete", "Refresh", "Separator", "Print", "Help", "Exit"});

    tbFooter->addAction(QString())->setObjectName(QStringLiteral("Status"));   // a picture only
    auto *gap = new QWidget(tbFooter);
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    tbFooter->addWidget(gap);
    for (const char *key : {"Ok", "Cancel"})
        tbFooter->addAction(QString::fromLatin1(key))->setObjectName(QString::fromLatin1(key));
    footerButton(QStringLiteral("Ok"))->setToolTip(QStringLiteral("Ok - F9"));
    footerButton(QStringLiteral("Cancel"))->setToolTip(QStringLiteral("Cancel - F10"));
    tlbFooter.setToolBarName(tbFooter);
    tlbFooter.setformname(this);
    tlbFooter.setImageListName(footerImageList());
    tlbFooter.setLabelName(lblStatus);

    auto *keys = zv::fw::keyPreviewOf(this);
    m_entryDateBox.setTxtdate(txtEntryDate, keys);
    m_startDateBox.setTxtdate(txtStartDate, keys);
    m_endDateBox.setTxtdate(txtEndDate, keys);
    keys->addFormHandler(this);   // after header and footer: the form sees what they leave

    // The description and the remarks refuse the punctuation (quotes among it).
    const auto filtered = [this, keys](QLineEdit *box, bool enterPasses) {
        auto h = std::make_unique<zv::ui::KeyFunctions>();
        h->press = [this, box, enterPasses](int &KeyAscii) {
            if (enterPasses && KeyAscii == vbKey::Return)
                return;
            KeyAscii = KeyFilter.FilterKey(TextBox(box), 3, KeyAscii, punctuationList());
        };
        keys->setControlHandler(box, h.get());
        m_controlKeys.push_back(std::move(h));
    };
    filtered(txtActDesc, false);
    filtered(txtRemarks, true);

    // Combo boxes: typed text is matched against the list.
    const auto comboKeys = [this, keys](QComboBox *combo, std::function<void(int &, int)> down,
                                        std::function<void(int &)> press) {
        auto h = std::make_unique<zv::ui::KeyFunctions>();
        h->down = std::move(down);
        h->press = std::move(press);
        keys->setControlHandler(combo, h.get());
        m_controlKeys.push_back(std::move(h));
    };
    comboKeys(cmbDept, {}, [this](int &KeyAscii) { KeyAscii = ComboKeyFilter.KeyPress(cmbDept, KeyAscii); });
    comboKeys(CmbResP, {}, [this](int &KeyAscii) {
        KeyAscii = ComboKeyFilter.KeyPress(CmbResP, KeyAscii);
        listChanged(CmbResP);
    });
    comboKeys(
        cmbFreq,
        [](int &KeyCode, int) {
            if (KeyCode == vbKey::Delete)
                KeyCode = 0;
        },
        [this](int &KeyAscii) {
            if (KeyAscii == vbKey::Back) {
                KeyAscii = 0;
                return;
            }
            KeyAscii = ComboKeyFilter.KeyPress(cmbFreq, KeyAscii);
            cmbFreq_Change();
        });
    auto picKeys = std::make_unique<zv::ui::KeyFunctions>();
    picKeys->up = [this](int &KeyCode, int Shift) { PicMain_KeyUp(KeyCode, Shift); };
    keys->setControlHandler(PicMain, picKeys.get());
    m_controlKeys.push_back(std::move(picKeys));

    connect(&tlbHeader, &clsHeaderToolbar::HeaderClick, this, &frmActvtyMast::tlbHeader_HeaderClick);
    connect(&tlbFooter, &clsFooterToolBar::FooterClick, this, &frmActvtyMast::tlbFooter_FooterClick);
    for (QLineEdit *box : {txtEntryDate, txtActDesc, txtRemarks, txtStartDate, txtEndDate})
        connect(box, &QLineEdit::textChanged, this, [this] { clearStatus(); });
    for (QComboBox *list : {cmbDept, CmbResP}) {
        connect(list, &QComboBox::editTextChanged, this, [this, list] { listChanged(list); });
        connect(list, &QComboBox::activated, this, [this, list] { listChanged(list); });
    }
    connect(cmbFreq, &QComboBox::editTextChanged, this, [this] { cmbFreq_Change(); });
    connect(cmbFreq, &QComboBox::activated, this, [this] { cmbFreq_Change(); });
    connect(sstMnth, &QTabWidget::currentChanged, this, [this] { sstMnth_Click(); });
    connect(sstAdhoc, &QTabWidget::currentChanged, this, [this] { sstAdhoc_Click(); });
    connect(PicMain, &PictureBox::MouseDown, this,
            [this](int b, int s, double x, double y) { PicMain_MouseDown(b, s, x, y); });
    connect(dgdAM, &zv::query::RecordsetGrid::RowChosen, this, [this] { dgdAM_DblClick(); });
    connect(dgdAM, &zv::query::RecordsetGrid::MoveComplete, this, [this] { dgdAM_RowColChange(); });

    utility.UsrSetValue();
    utility.ActivateHeaderToolBar(&tlbHeader);
    utility.ActivateFooterToolBar(&tlbFooter);
    tlbHeader.setDetailAddEnable(false);
    tlbHeader.setDetailModifyEnable(false);
    tlbHeader.setDetailDeleteEnable(false);
    tlbHeader.setAttachmentVisible(false);
    tlbHeader.setAttachmentEnable(false);
    tlbHeader.setPrintVisible(false);
    tlbHeader.setPrintEnable(false);

    {
        SettingUp guard(m_settingUp);
        txtEntryDate->setText(kMonthNameMask);
        txtStartDate->setText(kMonthNameMask);
        txtEndDate->setText(kMonthNameMask);
    }
    DisableHeaderFields();

    if (MDIZVS *main = MDIZVS::existingInstance())
        main->setWindowTitle(MDIZVS::CaptionText(modCommon::gStartPeriod, modCommon::gEndPeriod));
}

void frmActvtyMast::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
    }
}

void frmActvtyMast::Form_Activate() {
    try {
        auto &c = db();
        c.query(QStringLiteral("SELECT Sys_Actvty_Num, Entry_Date, Actvty_Desc, Remk, Sys_Lock_Num "
                               "FROM Actvty_Mast WHERE 1=2"));
        c.query(QStringLiteral("SELECT Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Dept_Num, Sys_Emp_Num, Start_Date, "
                               "End_Date, Last_Gnrtd_Date, Sys_Const_Num, Assign_By FROM Actvty_Mast_Det WHERE 1=2"));
        c.query(QStringLiteral("SELECT Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Actvty_Freq_num, Mnth, Dow, Days "
                               "FROM Actvty_Mast_Freq WHERE 1=2"));
    } catch (const std::exception &) {
        MsgBox(kCorrupted, vbOKOnly + vbCritical, QStringLiteral("Error"));
        modCommon::gDBPath.clear();
        // Not from inside the showing: the dialog's own loop may not run yet.
        QTimer::singleShot(0, this, [this] { unload(); });
    }
}

bool frmActvtyMast::dbOpen() {
    if (!modCommon::gConnOpen || !modCommon::gConn || !modCommon::gConn->isOpen())
        modCommon::OpenDatabase();
    return modCommon::gConn && modCommon::gConn->isOpen();
}

zv::db::Connection &frmActvtyMast::db() {
    if (!dbOpen())
        throw DbError(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    return *modCommon::gConn;
}

void frmActvtyMast::status(const QString &code, const QString &prefix, const QString &suffix) {
    utility.DisplayStatus(code, &tlbFooter, prefix, suffix);
}

void frmActvtyMast::clearStatus() { utility.UsrClearFooter(&tlbFooter); }

void frmActvtyMast::releaseLock() {
    if (m_lock) {
        m_lock->release();
        m_lock.reset();
    }
}

// ---------------------------------------------------------------- keys and closing

void frmActvtyMast::Form_KeyDown(int &KeyCode, int Shift) {
    if (fraDet->x() < 0)
        fraDet->move(twipsToPixels(180), fraDet->y());
    if (KeyCode == vbKey::Escape) {
        KeyCode = 0;
        if (m_lineView) {
            tlbFooter_FooterClick(QStringLiteral("Cancel"));
            return;
        }
        m_closing1 = m_closing2 = true;
        if (Form_QueryUnload(0))
            unload();
        return;
    }
    if (KeyCode == vbKey::F2 && Shift == 4 && fraDet->isHidden()) {
        KeyCode = 0;
        tlbHeader_HeaderClick(QStringLiteral("Refresh"));
    }
}

bool frmActvtyMast::editing() const {
    switch (tlbHeader.H_ButtonKey()) {
    case 1:
    case 2:
    case 6:
    case 7:
    case 8:
        return true;
    default:
        return false;
    }
}

bool frmActvtyMast::Form_QueryUnload(int UnloadMode) {
    (void)UnloadMode;
    if (!editing()) {
        if (m_closing1)
            tlbHeader.setH_ButtonKey(0);
        return true;
    }
    const int answer = MsgBox(kSaveQuestion, vbYesNoCancel + vbExclamation, QStringLiteral("Exit Confirmation"));
    if (answer == vbYes) {
        if (m_closing1 && m_closing2) {
            // Esc: save and stay.
            m_closing1 = m_closing2 = false;
            tlbFooter_FooterClick(QStringLiteral("Ok"));
            return false;
        }
        if (m_headerMode.isEmpty() && m_detailMode.isEmpty())
            return true;
        // A save that is refused or fails keeps the form open with the reason shown.
        if (!footerOk()) {
            m_closing2 = true;
            return false;
        }
        return true;
    }
    if (answer == vbNo) {
        if (!m_closing1)
            return true;   // the close box: close without saving
        m_closing1 = m_closing2 = false;
        tlbFooter_FooterClick(QStringLiteral("Cancel"));
        return false;
    }
    m_closing1 = false;
    return false;
}

void frmActvtyMast::Form_Unload() {
    releaseLock();
    utility.UsrResetValue();
}

void frmActvtyMast::unload() {
    if (m_unloading)
        return;
    m_unloading = true;
    Form_Unload();
    done(QDialog::Rejected);
}

void frmActvtyMast::reject() {
    // Esc that reached the dialog itself: the form's own rules decide.
    int key = vbKey::Escape;
    Form_KeyDown(key, 0);
}

void frmActvtyMast::closeEvent(QCloseEvent *event) {
    if (m_unloading) {
        event->accept();
        return;
    }
    if (!Form_QueryUnload(0)) {
        event->ignore();
        return;
    }
    event->accept();
    m_unloading = true;
    Form_Unload();
    setResult(QDialog::Rejected);
    QDialog::done(QDialog::Rejected);
}

// ---------------------------------------------------------------- header dispatch

void frmActvtyMast::tlbHeader_HeaderClick(const QString &Key) {
    try {
        clearStatus();
        if (Key == QLatin1String("Add")) {
            m_headerMode = QStringLiteral("Add");
            m_activityKey = QStringLiteral("0");
            utility.ToolBarsForDetailsAdd(&tlbHeader, &tlbFooter);
            ClearFields();
            EnableHeaderForAdd();
            tlbHeader.setDetailAddEnable(false);
            tlbFooter.setResetVisible(false);
        } else if (Key == QLatin1String("Modify")) {
            headerModify();
        } else if (Key == QLatin1String("Delete")) {
            headerDelete();
        } else if (Key == QLatin1String("Select")) {
            headerSelect();
        } else if (Key == QLatin1String("DetailAdd")) {
            if (activityNum() == 0)
                return;
            m_detailMode = QStringLiteral("DetailAdd");
            m_lineKey = QStringLiteral("0");
            EnableDetailForAdd();
        } else if (Key == QLatin1String("DetailModify")) {
            headerDetailModify();
        } else if (Key == QLatin1String("DetailDelete")) {
            headerDetailDelete();
        } else if (Key == QLatin1String("Refresh")) {
            DisplayActivity();
        } else if (Key == QLatin1String("Help")) {
            if (fraDet->x() > 0)
                showHelp();
        } else if (Key == QLatin1String("Exit")) {
            m_closing1 = true;
            if (Form_QueryUnload(0))
                unload();
        }
    } catch (const DbError &e) {
        if (e.number() == err::GeneralFailure) {
            try {
                DisplayActivity();
            } catch (const std::exception &) {
                // the status below says what matters
            }
            status(QStringLiteral("ZVE028"));
            tlbHeader.setH_ButtonKey(0);
        } else {
            MsgBox(e.description() + QStringLiteral("\n") + QStringLiteral("Error"), vbCritical);
        }
    } catch (const std::exception &e) {
        MsgBox(QString::fromStdString(e.what()) + QStringLiteral("\nError"), vbCritical);
    }
}

void frmActvtyMast::activityGone(const QString &prefix) {
    releaseLock();
    ClearFields();
    DisableHeaderFields();
    m_activityKey = QStringLiteral("0");
    utility.ActivateHeaderToolBar(&tlbHeader);
    utility.ActivateFooterToolBar(&tlbFooter);
    status(QStringLiteral("ZVE034"), prefix);
    tlbHeader.setH_ButtonKey(0);
}

bool frmActvtyMast::activityExists() {
    return utility.RecordExists(QStringLiteral("Actvty_Mast"), QStringLiteral("WHERE Sys_Actvty_Num = ?"),
                                {activityNum()});
}

bool frmActvtyMast::activityFree(const QString &gonePrefix, const QString &lockedCode) {
    if (!activityExists()) {
        activityGone(gonePrefix);
        return false;
    }
    if (CheckHeaderLock()) {
        DisplayActivity();
        status(lockedCode);
        tlbHeader.setH_ButtonKey(0);
        return false;
    }
    return true;
}

void frmActvtyMast::headerModify() {
    if (!activityFree(QStringLiteral("Cannot modify."), QStringLiteral("ZVE027")))
        return;
    if (!rowLocked()) {   // the lock could not be tried: nothing is edited without it
        tlbHeader.setH_ButtonKey(0);
        return;
    }
    if (!activityExists()) {   // gone before the lock was ours
        activityGone(QStringLiteral("Cannot modify."));
        return;
    }
    m_headerMode = QStringLiteral("Modify");
    FillDetailGrid();
    utility.ToolBarsForDetailsAdd(&tlbHeader, &tlbFooter);
    EnableHeaderForModify();
}

void frmActvtyMast::headerDelete() {
    if (!activityFree(QStringLiteral("Cannot delete."), QStringLiteral("ZVE028")))
        return;
    // Only a test: the lock is given up before the question.
    const bool tested = rowLocked();
    releaseLock();
    if (!tested) {
        tlbHeader.setH_ButtonKey(0);
        return;
    }
    const bool withEntries = !gridText(4).trimmed().isEmpty();
    const int answer = MsgBox(withEntries ? kDeleteWithEntries : kDeleteQuestion,
                              vbYesNo + vbQuestion + vbDefaultButton2, QStringLiteral("Question"));
    tlbHeader.setH_ButtonKey(0);
    if (answer != vbYes)
        return;
    if (utility.RecordExists(QStringLiteral("Statry_Cmpltd_Entry"),
                             QStringLiteral("WHERE Sys_Actvty_Num = ? AND Cmpltd_Date IS NOT NULL"),
                             {activityNum()})) {
        status(QStringLiteral("ZVE014"));
        return;
    }
    DeleteHeader();
}

void frmActvtyMast::headerSelect() {
    const QStringList chosen = zv::fw::MasterForm::ShowGeneralFilter(QStringLiteral("ACTMASTAS"));
    if (chosen.isEmpty() || chosen.at(0).trimmed().isEmpty())
        return;
    m_activityKey = QString::number(chosen.at(0).trimmed().toLongLong());
    utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
    m_headerMode.clear();
    DisplayActivity();
}

void frmActvtyMast::headerDetailModify() {
    if (!activityFree(QStringLiteral("Cannot modify."), QStringLiteral("ZVE027")))
        return;
    const auto rs = dgdAM->recordset();
    if (!rowLocked() || !rs || rs->bof() || rs->eof()) {
        releaseLock();
        tlbHeader.setH_ButtonKey(0);
        return;
    }
    m_gridBookmark = rs->absolutePosition();
    EnableDetailForModify();
}

void frmActvtyMast::headerDetailDelete() {
    const qint64 line = gridText(1).toLongLong();
    if (line == 0) {
        tlbHeader.setH_ButtonKey(0);
        return;
    }
    const bool generated =
        utility.RecordExists(QStringLiteral("Actvty_Mast_Det"),
                             QStringLiteral("WHERE Sys_Actvty_Line_Num = ? AND Last_Gnrtd_Date IS NOT NULL"), {line});
    const int answer = MsgBox(generated ? kDeleteWithEntries : kDeleteQuestion,
                              vbYesNo + vbQuestion + vbDefaultButton2, QStringLiteral("Question"));
    tlbHeader.setH_ButtonKey(0);
    if (answer != vbYes)
        return;
    if (CheckHeaderLock()) {
        DisplayActivity();
        status(QStringLiteral("ZVE028"));
        return;
    }
    if (!rowLocked())
        return;
    if (utility.RecordExists(QStringLiteral("Statry_Cmpltd_Entry"),
                             QStringLiteral("WHERE Sys_Actvty_Line_Num = ? AND Cmpltd_Date IS NOT NULL"), {line})) {
        releaseLock();
        status(QStringLiteral("ZVE014"));
        return;
    }
    if (auto rs = dgdAM->recordset(); rs && !rs->bof() && !rs->eof())
        m_gridBookmark = rs->absolutePosition();
    m_detailMode = QStringLiteral("DetailDelete");
    // The line goes with its schedule entries and rule rows, or not at all;
    // the activity's lock is held until it is done.
    bool deleted = false;
    try {
        auto &c = db();
        zv::db::Transaction t(c);
        c.execute(QStringLiteral("DELETE FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Line_Num = ?"), {line});
        c.execute(QStringLiteral("DELETE FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = ?"), {line});
        deleted = c.execute(QStringLiteral("DELETE FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ? "
                                           "AND Sys_Actvty_Num = ?"),
                            {line, activityNum()}) == 1;
        if (deleted)
            t.commit();
    } catch (...) {
        releaseLock();
        m_detailMode.clear();
        throw;
    }
    releaseLock();
    FillDetailGrid();
    m_detailMode.clear();
    if (deleted)
        status(QStringLiteral("ZVE008"));
    else
        status(QStringLiteral("ZVE034"), QStringLiteral("Cannot delete."));
}

void frmActvtyMast::showHelp() { zv::core::ShowHelpTopic(this, QStringLiteral("HTML/ActivityMaster.htm")); }

// ---------------------------------------------------------------- footer dispatch

void frmActvtyMast::tlbFooter_FooterClick(const QString &Key) {
    fraDet->setTitle(QStringLiteral("Schedule Details"));
    if (Key == QLatin1String("Ok")) {
        footerOk();
        return;
    }
    try {
        footerCancel(Key);
    } catch (const std::exception &e) {
        modCommon::ShowErrorMessage(e);
    }
}

void frmActvtyMast::footerCancel(const QString &Key) {
    if (Key == QLatin1String("Cancel")) {
        if (m_detailMode == QLatin1String("DetailAdd")) {
            CancelModify();
            leaveDetail();
        } else if (m_detailMode == QLatin1String("DetailModify")) {
            CancelModify();
            releaseLock();
            m_lineView = false;
            leaveDetail();
        } else if (m_headerMode == QLatin1String("Add")) {
            CancelAdd();
            m_closing1 = false;
            m_headerMode.clear();
            tlbHeader.setH_ButtonKey(0);
        } else if (m_headerMode == QLatin1String("Modify")) {
            CancelModify();
            DisplayActivity();
            releaseLock();
            m_headerMode.clear();
            m_closing1 = false;
            tlbHeader.setH_ButtonKey(0);
        } else {
            m_closing1 = false;
            tlbHeader.setH_ButtonKey(5);
        }
    }
}

void frmActvtyMast::leaveDetail() {
    m_headerMode.clear();
    m_detailMode.clear();
    m_lineKey = QStringLiteral("0");
    tlbHeader.setH_ButtonKey(0);
}

bool frmActvtyMast::footerOk() {
    try {
        return footerOkSteps();
    } catch (const std::exception &e) {
        setMousePointer(0);
        modCommon::ShowErrorMessage(e);
    }
    return false;
}

bool frmActvtyMast::footerOkSteps() {
    if (m_detailMode == QLatin1String("DetailAdd")) {
        if (!okDetailAdd())
            return false;
    } else if (m_detailMode == QLatin1String("DetailModify")) {
        if (m_lineView) {
            m_lineView = false;
            CancelModify();
            FillDetailGrid();
            leaveDetail();
            return true;
        }
        if (!okDetailModify())
            return false;
    }
    if (m_headerMode == QLatin1String("Add")) {
        if (!okHeaderAdd())
            return false;
    } else if (m_headerMode == QLatin1String("Modify")) {
        if (!okHeaderModify())
            return false;
    }
    m_closing1 = false;
    tlbHeader.setH_ButtonKey(5);
    return true;
}

bool frmActvtyMast::savedAndRefilled(const QString &code) {
    releaseLock();
    DisableHeaderFields();
    m_headerMode.clear();
    m_detailMode.clear();
    FillDetailGrid();
    status(code);
    tlbHeader.setH_ButtonKey(0);
    return true;
}

bool frmActvtyMast::okDetailAdd() {
    if (!ValidateDetail() || !InsertDetail())
        return false;
    return savedAndRefilled(QStringLiteral("ZVE003"));
}

bool frmActvtyMast::okDetailModify() {
    if (!ValidateDetail())
        return false;
    // A line without generated entries is written anew (it gets a new key);
    // one with them keeps everything but its end date.
    const bool saved = cmbFreq->isEnabled() ? InsertDetail(lineNum()) : UpdateDetail();
    if (!saved)
        return false;
    releaseLock();
    DisableHeaderFields();
    // Refilled while still in the mode: the grid keeps the modified line current.
    FillDetailGrid();
    m_headerMode.clear();
    m_detailMode.clear();
    status(QStringLiteral("ZVE002"));
    tlbHeader.setH_ButtonKey(0);
    return true;
}

bool frmActvtyMast::okHeaderAdd() {
    if (!ValidateHeader() || !InsertHeader())
        return false;
    releaseLock();
    DisableHeaderFields();
    m_headerMode.clear();
    utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
    tlbHeader.setDetailAddEnable(true);
    status(QStringLiteral("ZVE003"));
    tlbHeader.setH_ButtonKey(0);
    return true;
}

bool frmActvtyMast::okHeaderModify() {
    if (!ValidateHeader() || !UpdateHeader())
        return false;
    return savedAndRefilled(QStringLiteral("ZVE002"));
}

// ---------------------------------------------------------------- mode routines

void frmActvtyMast::DisableHeaderFields() {
    for (QLineEdit *box : {txtEntryDate, txtActDesc, txtRemarks})
        setFieldEnabled(box, false);
    dgdAM->setVisible(true);
    dgdAM->setEnabled(true);
    fraDet->hide();
}

void frmActvtyMast::ClearFields() {
    SettingUp guard(m_settingUp);
    txtEntryDate->setText(kMonthNameMask);
    txtActDesc->clear();
    txtRemarks->clear();
    txtStartDate->setText(kMonthNameMask);
    txtEndDate->setText(kMonthNameMask);
    for (QComboBox *c : {cmbDept, CmbResP, cmbFreq}) {
        c->setCurrentIndex(-1);
        c->setEditText(QString());
    }
    dgdAM->setRecordset(nullptr);
}

void frmActvtyMast::EnableHeaderForAdd() {
    utility.ToolBarsForDetailsAdd(&tlbHeader, &tlbFooter);
    txtEntryDate->setText(zv::db::toDisplayDate(QDate::currentDate()));
    for (QLineEdit *box : {txtEntryDate, txtActDesc, txtRemarks})
        setFieldEnabled(box, true);
    txtEntryDate->setFocus();
    fraDet->hide();
    dgdAM->setVisible(true);
}

void frmActvtyMast::EnableHeaderForModify() {
    setFieldEnabled(txtRemarks, true);
    setFieldEnabled(txtActDesc, true);
    // The date of entry is fixed once schedule entries were generated for a line.
    const bool generated = utility.RecordExists(
        QStringLiteral("Actvty_Mast_Det"), QStringLiteral("WHERE Sys_Actvty_Num = ? AND Last_Gnrtd_Date IS NOT NULL"),
        {activityNum()});
    setFieldEnabled(txtEntryDate, !generated);
    if (!generated)
        txtEntryDate->setFocus();
    txtActDesc->setFocus();
    fraDet->hide();
    dgdAM->setVisible(true);
    dgdAM->setEnabled(false);
}

void frmActvtyMast::CancelAdd() {
    utility.ActivateHeaderToolBar(&tlbHeader);
    utility.ActivateFooterToolBar(&tlbFooter);
    ClearFields();
    fraDet->hide();
    m_activityKey = QStringLiteral("0");
    DisableHeaderFields();
}

void frmActvtyMast::CancelModify() {
    utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
    fraDet->hide();
    m_headerMode.clear();
    DisableHeaderFields();
    FillDetailGrid();
}

// ---------------------------------------------------------------- the activity header

bool frmActvtyMast::ValidateHeader() {
    try {
        m_entryDate = validateBox(txtEntryDate, false, QStringLiteral("Date Of Entry"));
        if (m_entryDate.isEmpty())
            return refuse(txtEntryDate, QStringLiteral("ZVE009"), QString(), QStringLiteral("Date"));
        if (m_entryDate == kMonthNameMask || m_entryDate == zv::dateinput::kMonthNameMaskSlashed)
            return refuse(txtEntryDate, QStringLiteral("ZVE128"), QStringLiteral("Date Of Entry"), QString());
        const QDate entry = zv::dateinput::dateOfValidated(m_entryDate);
        if (m_headerMode == QLatin1String("Modify")) {
            const QDate start = zv::db::fromDisplayDate(gridText(2));
            if (start.isValid() && start < entry)
                return refuse(txtEntryDate, QStringLiteral("ZVE019"), QStringLiteral("Date Of Entry"),
                              QStringLiteral("Activity Start Date"));
        }
        if (txtActDesc->text().trimmed().isEmpty())
            return refuse(txtActDesc, QStringLiteral("ZVE128"), QStringLiteral("Activity Description"), QString());
        if (entry > modCommon::GetServerDate())
            return refuse(txtEntryDate, QStringLiteral("ZVE019"), QStringLiteral("Date Of Entry"),
                          QStringLiteral("Current Date"));
        if (DescriptionExists()) {
            status(QStringLiteral("ZVE006"), QStringLiteral("This Record "));
            setMousePointer(0);
            return false;
        }
        return true;
    } catch (const DbError &e) {
        setMousePointer(0);
        MsgBox(QString::number(e.number()) + QStringLiteral("\n") + e.description() +
                   QStringLiteral(" In ValidateHeader "),
               vbCritical, QStringLiteral("Error"));
    }
    return false;
}

bool frmActvtyMast::DescriptionExists() {
    QString sql = QStringLiteral("SELECT 1 FROM Actvty_Mast WHERE trim(Actvty_Desc) = ? COLLATE NOCASE");
    QVariantList values{txtActDesc->text().trimmed()};
    if (activityNum() != 0) {
        sql += QStringLiteral(" AND Sys_Actvty_Num <> ?");
        values << activityNum();
    }
    return !db().query(sql + QStringLiteral(" LIMIT 1"), values).isEmpty();
}

bool frmActvtyMast::InsertHeader() {
    try {
        auto &c = db();
        // The row and its lock number together, or neither.
        zv::db::Transaction t(c);
        c.execute(QStringLiteral("INSERT INTO Actvty_Mast (Entry_Date, Actvty_Desc, Remk) VALUES (?, ?, ?)"),
                  {zv::db::dateParam(zv::dateinput::dateOfValidated(m_entryDate)), txtActDesc->text().trimmed(),
                   txtRemarks->text().trimmed()});
        const qint64 key = c.lastInsertId();
        c.execute(QStringLiteral("UPDATE Actvty_Mast SET Sys_Lock_Num = ? WHERE Sys_Actvty_Num = ?"), {key, key});
        t.commit();
        m_activityKey = QString::number(key);
        return true;
    } catch (const DbError &e) {
        m_detailMode.clear();
        if (e.number() == err::GeneralFailure)
            status(QStringLiteral("ZVE027"), QStringLiteral("This Record "));
        else
            MsgBox(e.description() + QStringLiteral("\nIn InsertHeader"), vbCritical, QStringLiteral("Error"));
    }
    return false;
}

bool frmActvtyMast::UpdateHeader() {
    try {
        if (!rowLocked())
            throw DbError(err::GeneralFailure, QStringLiteral("The activity is not locked for editing."));
        const int changed = db().execute(
            QStringLiteral("UPDATE Actvty_Mast SET Entry_Date = ?, Actvty_Desc = ?, Remk = ? WHERE Sys_Actvty_Num = ?"),
            {zv::db::dateParam(zv::dateinput::dateOfValidated(m_entryDate)), txtActDesc->text().trimmed(),
             txtRemarks->text().trimmed(), activityNum()});
        if (changed != 1)
            throw DbError(err::NoCurrentRecord,
                          QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
        DisableHeaderFields();
        return true;
    } catch (const DbError &e) {
        if (e.number() == err::GeneralFailure)
            status(QStringLiteral("ZVE006"), QStringLiteral("This Record "));
        else
            MsgBox(e.description() + QStringLiteral("\nIn Update Header"), vbCritical, QStringLiteral("Error"));
    }
    return false;
}

void frmActvtyMast::DisplayActivity() {
    if (activityNum() == 0)
        return;
    FillLastGnrtdDate();
    auto rs = db().query(QStringLiteral("SELECT Entry_Date, Actvty_Desc, Remk FROM Actvty_Mast WHERE Sys_Actvty_Num = ?"),
                         {activityNum()});
    if (!rs.isEmpty()) {
        rs.moveFirst();
        txtEntryDate->setText(zv::db::isoToDisplay(rs.text(QStringLiteral("Entry_Date"))));
        txtActDesc->setText(rs.text(QStringLiteral("Actvty_Desc")));
        txtRemarks->setText(rs.text(QStringLiteral("Remk")));
        FillDetailGrid();
    }
    CheckAssignBy();
}

// ---------------------------------------------------------------- PictureBox

PictureBox::PictureBox(QWidget *parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::clear(const QColor &background) {
    if (m_image.size() != size())
        m_image = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    m_image.fill(background);
    update();
}

void PictureBox::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.drawImage(0, 0, m_image);
}

void PictureBox::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    QImage resized(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    resized.fill(kPictureBack);
    {
        QPainter p(&resized);
        p.drawImage(0, 0, m_image);
    }
    m_image = resized;
}

void PictureBox::mousePressEvent(QMouseEvent *event) {
    int button = 0;
    if (event->button() == Qt::LeftButton)
        button = 1;
    else if (event->button() == Qt::RightButton)
        button = 2;
    else if (event->button() == Qt::MiddleButton)
        button = 4;
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier)
        shift |= 1;
    if (event->modifiers() & Qt::ControlModifier)
        shift |= 2;
    if (event->modifiers() & Qt::AltModifier)
        shift |= 4;
    setFocus(Qt::MouseFocusReason);
    emit MouseDown(button, shift, event->position().x() * 15.0, event->position().y() * 15.0);
}

} // namespace zv::activity
