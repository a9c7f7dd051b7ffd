#include "MDIZVS.h"
#include "FormRegistry.h"
#include "modCommon.h"
#include "platform/clock/Clock.h"
#include "platform/db/Dates.h"
#include "platform/help/Help.h"
#include "HelpTopic.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QLocale>
#include <QMdiArea>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

using namespace zv::ui;
namespace names = zv::forms::names;

namespace {

MDIZVS *s_instance = nullptr;

const QString kCaption = QStringLiteral("Zorvane 2.0");

// The multiple-document area, showing the background picture.
class BackgroundArea : public QMdiArea {
public:
    using QMdiArea::QMdiArea;

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(viewport());
        const QRect r = viewport()->rect();
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0.0, QColor(0x1d, 0x3c, 0x5a));
        g.setColorAt(1.0, QColor(0x5c, 0x8d, 0xb8));
        p.fillRect(r, g);
        p.setRenderHint(QPainter::Antialiasing);
        QFont f = font();
        f.setPointSize(qMax(24, r.height() / 9));
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(255, 255, 255, 60));
        p.drawText(r.adjusted(0, 0, 0, -r.height() / 8), Qt::AlignCenter, QStringLiteral("Zorvane"));
        QFont s = font();
        s.setPointSize(qMax(10, r.height() / 40));
        p.setFont(s);
        p.setPen(QColor(255, 255, 255, 90));
        p.drawText(r.adjusted(0, r.height() / 5, 0, 0), Qt::AlignCenter,
                   QStringLiteral("Plans and follows up the recurring work of your organisation"));
    }
};

// A period string as the caption shows it: a date in dd-MMM-yyyy, other text as it is.
QString captionDate(const QString &period) {
    const QDate d = zv::db::fromDisplayDate(period.trimmed());
    return d.isValid() ? zv::db::toDisplayDate(d) : period;
}

} // namespace

MDIZVS *MDIZVS::instance() {
    if (!s_instance)
        s_instance = new MDIZVS;
    return s_instance;
}

MDIZVS *MDIZVS::existingInstance() { return s_instance; }

void MDIZVS::releaseInstance() {
    delete s_instance;
    s_instance = nullptr;
}

MDIZVS::MDIZVS(QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MDIZVS"));
    setWindowTitle(kCaption);
    resize(1000, 700);

    // Menus
    mnuSys = menuBar()->addMenu(QStringLiteral("&File"));
    mnuShowDBPath = addEntry(mnuSys, QStringLiteral("Sh&ow Production Database Path"), QKeySequence(Qt::CTRL | Qt::Key_O),
                             names::frmDBPathSetting, &MDIZVS::mnuShowDBPath_Click);
    mnuBackup = addEntry(mnuSys, QStringLiteral("&Backup  Production Database"), QKeySequence(Qt::CTRL | Qt::Key_B),
                         names::frmBackup, &MDIZVS::mnuBackup_Click);
    mnuRestore = addEntry(mnuSys, QStringLiteral("&Restore Production Database"), QKeySequence(Qt::CTRL | Qt::Key_R),
                          names::frmRestore, &MDIZVS::mnuRestore_Click);
    mnuSetUpDB = addEntry(mnuSys, QStringLiteral("Reset &Production Database"), QKeySequence(Qt::CTRL | Qt::Key_P),
                          names::frmDBPathSetting, &MDIZVS::mnuSetUpDB_Click);
    mnuChangePswd = addEntry(mnuSys, QStringLiteral("&Change Admin Password"), QKeySequence(Qt::CTRL | Qt::Key_C),
                             names::frmChangePswd, &MDIZVS::mnuChangePswd_Click);
    mnuparameter = addEntry(mnuSys, QStringLiteral("Para&meter"), QKeySequence(Qt::CTRL | Qt::Key_M),
                            names::frmParameter, &MDIZVS::mnuparameter_Click);
    mnusep = mnuSys->addSeparator();
    mnuExit = addEntry(mnuSys, QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_X), QString(),
                       &MDIZVS::mnuExit_Click);

    mnuMaster = menuBar()->addMenu(QStringLiteral("&Master"));
    mnucmpnysetup = addEntry(mnuMaster, QStringLiteral("Compa&ny Master"), QKeySequence(Qt::CTRL | Qt::Key_N),
                             names::frmCompanySetup, &MDIZVS::mnucmpnysetup_Click);
    mnuDeptMast = addEntry(mnuMaster, QStringLiteral("&Department Master"), QKeySequence(Qt::CTRL | Qt::Key_D),
                           names::frmDepartment, &MDIZVS::mnuDeptMast_Click);
    mnudesignation = addEntry(mnuMaster, QStringLiteral("Desi&gnation Master"), QKeySequence(Qt::CTRL | Qt::Key_G),
                              names::frmDesignation, &MDIZVS::mnudesignation_Click);
    mnuHoliday = addEntry(mnuMaster, QStringLiteral("&Holiday Master"), QKeySequence(Qt::CTRL | Qt::Key_H),
                          names::frmHolidayMaster, &MDIZVS::mnuHoliday_Click);
    mnuEmpMast = addEntry(mnuMaster, QStringLiteral("&Employee Master"), QKeySequence(Qt::CTRL | Qt::Key_E),
                          names::FrmEmp, &MDIZVS::mnuEmpMast_Click);
    mnuEmpMngrReln = addEntry(mnuMaster, QStringLiteral("Emp&loyee Manager Relationship"),
                              QKeySequence(Qt::CTRL | Qt::Key_L), names::frmEmpMngrAssgn, &MDIZVS::mnuEmpMngrReln_Click);
    mnuActvtyMast = addEntry(mnuMaster, QStringLiteral("&Activity Master"), QKeySequence(Qt::CTRL | Qt::Key_A),
                             names::frmActvtyMast, &MDIZVS::mnuActvtyMast_Click);
    cmdULGD = addEntry(mnuMaster, QStringLiteral("&Update Last Generation Date Details"),
                       QKeySequence(Qt::CTRL | Qt::Key_U), names::frmLastGnrDateUpdation, &MDIZVS::cmdULGD_Click);

    mnuReports = menuBar()->addMenu(QStringLiteral("&Reports"));
    mnuAChkLst = addEntry(mnuReports, QStringLiteral("&Activity checklist for a month Report"), QKeySequence(Qt::Key_F5),
                          names::frmGenReportDev3, &MDIZVS::mnuAChkLst_Click);
    mnuACL = addEntry(mnuReports, QStringLiteral("A&ctivities with target date Report"), QKeySequence(Qt::Key_F6),
                      names::frmGenReport, &MDIZVS::mnuACL_Click);
    mnuStatComplStatusReport = addEntry(mnuReports, QStringLiteral("Activity &Projector/Actuals planner Report"),
                                        QKeySequence(Qt::Key_F7), names::frmGenReport1,
                                        &MDIZVS::mnuStatComplStatusReport_Click);
    mnuPendingActivity = addEntry(mnuReports, QStringLiteral("Ac&tivities with target date pending works Report"),
                                  QKeySequence(Qt::Key_F8), names::frmGenReportDev4, &MDIZVS::mnuPendingActivity_Click);
    mnuDiarized = addEntry(mnuReports, QStringLiteral("&Diarized Activities Report"), QKeySequence(),
                           names::frmGenReport2, &MDIZVS::mnuDiarized_Click);

    // Help is a command on the menu bar itself.
    mnuhelp = menuBar()->addAction(QStringLiteral("&Help"));
    mnuhelp->setObjectName(QStringLiteral("mnuhelp"));
    connect(mnuhelp, &QAction::triggered, this, zv::ui::asAction([this] { mnuhelp_Click(); }));

    buildToolbar();

    // Background and the keyboard target below it.
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    mdiArea = new BackgroundArea(central);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->viewport()->installEventFilter(this);
    layout->addWidget(mdiArea, 1);
    pic = new QWidget(central);
    pic->setObjectName(QStringLiteral("pic"));
    pic->setFocusPolicy(Qt::StrongFocus);
    pic->setFixedHeight(1);
    pic->installEventFilter(this);
    layout->addWidget(pic);
    setCentralWidget(central);

    // Kept out of sight: it exists so that Esc has a button to press.
    cmdExit = new QPushButton(QStringLiteral("Command1"), pic);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setGeometry(-200, -200, 80, 24);
    cmdExit->installEventFilter(this);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, cmdExit, &QPushButton::click);

    // Status bar and clock
    stberp = statusBar();
    stberp->setObjectName(QStringLiteral("stberp"));
    stberpPanel1 = new QLabel(QStringLiteral("Zorvane - plans and follows up the recurring work of your organisation"));
    stberpPanel2 = new QLabel;
    stberpPanel2->setMinimumWidth(200);
    stberpPanel2->setAlignment(Qt::AlignCenter);
    stberp->addWidget(stberpPanel1, 1);
    stberp->addPermanentWidget(stberpPanel2);
    tmrStatusbarTime = new QTimer(this);
    tmrStatusbarTime->setInterval(500);
    connect(tmrStatusbarTime, &QTimer::timeout, this, &MDIZVS::tmrStatusbarTime_Timer);
    tmrStatusbarTime->start();
    tmrStatusbarTime_Timer();

    // Load
    s_instance = this;
    modCommon::EnableMainMenus();
    if (modCommon::MainConnectionIsOpen() && !modCommon::gDBInvalid)
        zv::ui::runAction([] { zv::forms::runStartupTasks(); });
}

MDIZVS::~MDIZVS() {
    if (s_instance == this)
        s_instance = nullptr;
}

QAction *MDIZVS::addEntry(QMenu *menu, const QString &caption, const QKeySequence &shortcut, const QString &form,
                          void (MDIZVS::*slot)()) {
    QAction *a = menu->addAction(caption);
    a->setShortcut(shortcut);
    if (!form.isEmpty())
        m_formOf.insert(a, form);
    // Each entry is one user action: a failure it meets ends it and is told.
    connect(a, &QAction::triggered, this, zv::ui::asAction([this, slot] { (this->*slot)(); }));
    return a;
}

void MDIZVS::buildToolbar() {
    TlbImage = addToolBar(QStringLiteral("TlbImage"));
    TlbImage->setObjectName(QStringLiteral("TlbImage"));
    TlbImage->setMovable(false);
    TlbImage->setIconSize(QSize(32, 32));
    struct Button {
        const char *key;
        const char *tooltip;
        QAction *acts;
        void (MDIZVS::*slot)();
    };
    const Button buttons[] = {
        {"ShowDataBasePath", "Show  Production Database Path", mnuShowDBPath, &MDIZVS::mnuShowDBPath_Click},
        {"BackUp Database", "Backup  Production Database", mnuBackup, &MDIZVS::mnuBackup_Click},
        {"Restore Database", "Restore  Production Database", mnuRestore, &MDIZVS::mnuRestore_Click},
        {"Reset Database", "Reset  Production Database", mnuSetUpDB, &MDIZVS::mnuSetUpDB_Click},
        {"ChangePassword", "Change Admin Password", mnuChangePswd, &MDIZVS::mnuChangePswd_Click},
        {"Parameter", "Parameter", mnuparameter, &MDIZVS::mnuparameter_Click},
        {"CmpnySetup", "Company Master", mnucmpnysetup, &MDIZVS::mnucmpnysetup_Click},
        {"Department", "Department Master", mnuDeptMast, &MDIZVS::mnuDeptMast_Click},
        {"Designation", "Designation Master", mnudesignation, &MDIZVS::mnudesignation_Click},
        {"Holiday Master", "Holiday Master", mnuHoliday, &MDIZVS::mnuHoliday_Click},
        {"EmpMaster", "Employee Master", mnuEmpMast, &MDIZVS::mnuEmpMast_Click},
        {"Emp_Manager", "Employee Manager Relationship", mnuEmpMngrReln, &MDIZVS::mnuEmpMngrReln_Click},
        {"Activity Mast", "Activity Master", mnuActvtyMast, &MDIZVS::mnuActvtyMast_Click},
        {"ULGDET", "Update Last Generation Date Details", cmdULGD, &MDIZVS::cmdULGD_Click},
        {"Report1", "Activity checklist for a month Report", mnuAChkLst, &MDIZVS::mnuAChkLst_Click},
        {"Report2", "Activities with target date Report", mnuACL, &MDIZVS::mnuACL_Click},
        {"Report3", "Activity Projector/Actuals planner Report", mnuStatComplStatusReport, &MDIZVS::mnuStatComplStatusReport_Click},
        {"Report4", "Activities with target date pending works Report", mnuPendingActivity, &MDIZVS::mnuPendingActivity_Click},
        {"Help", "Help", mnuhelp, &MDIZVS::mnuhelp_Click},
        {"Exit", "Exit Application", mnuExit, &MDIZVS::mnuExit_Click},
    };
    for (const Button &b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        QAction *a = TlbImage->addAction(zv::ui::icon(key), QString::fromLatin1(b.tooltip));
        a->setObjectName(key);
        a->setData(key);
        a->setToolTip(QString::fromLatin1(b.tooltip));
        if (m_formOf.contains(b.acts))
            m_formOf.insert(a, m_formOf.value(b.acts));
        m_slotOfKey.insert(key, b.slot);
        m_buttons.append(a);
    }
    connect(TlbImage, &QToolBar::actionTriggered, this,
            zv::ui::asAction([this](QAction *button) { TlbImage_ButtonClick(button); }));
}

QAction *MDIZVS::button(int position) const {
    return position >= 1 && position <= m_buttons.size() ? m_buttons.at(position - 1) : nullptr;
}

QAction *MDIZVS::buttonByKey(const QString &key) const {
    for (QAction *a : m_buttons)
        if (a->data().toString() == key)
            return a;
    return nullptr;
}

bool MDIZVS::formAvailable(QAction *entry) const {
    const auto it = m_formOf.constFind(entry);
    return it == m_formOf.constEnd() || zv::forms::isRegistered(*it);
}

void MDIZVS::applyEnablingRule(bool valid) {
    // Every entry first follows whether its form exists...
    for (auto it = m_formOf.constBegin(); it != m_formOf.constEnd(); ++it)
        it.key()->setEnabled(zv::forms::isRegistered(it.value()));
    // ...then those that need a sound production database follow the rule.
    mnuMaster->menuAction()->setEnabled(valid);
    mnuReports->menuAction()->setEnabled(valid);
    for (QAction *a : {mnuShowDBPath, mnuBackup, mnuparameter})
        a->setEnabled(valid && formAvailable(a));
    for (int pos = 1; pos <= m_buttons.size(); ++pos) {
        if (pos >= 3 && pos <= 5)
            continue;
        QAction *b = button(pos);
        b->setEnabled(valid && formAvailable(b));
    }
}

QString MDIZVS::CaptionText(const QString &startPeriod, const QString &endPeriod) {
    return kCaption + QStringLiteral(" - ADMIN") + QStringLiteral(" (From:") + captionDate(startPeriod) +
           QStringLiteral(" To:") + captionDate(endPeriod) + QStringLiteral(")");
}

QString MDIZVS::ClockText(const QDateTime &at) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(at, QStringLiteral("dd-MMM-yyyy - hh:mm:ss AP"));
}

bool MDIZVS::event(QEvent *e) {
    if (e->type() == QEvent::Show && !mBackupReminded) {
        // Without a window manager the first activation may never come; the
        // first showing counts as one.
        activateWindow();
        QTimer::singleShot(0, this, [this] {
            if (!mBackupReminded && isVisible())
                Form_Activate();
        });
    } else if (e->type() == QEvent::WindowActivate) {
        const bool result = QMainWindow::event(e);
        Form_Activate();
        return result;
    }
    return QMainWindow::event(e);
}

void MDIZVS::ShowPeriodCaption() { setWindowTitle(CaptionText(modCommon::gStartPeriod, modCommon::gEndPeriod)); }

void MDIZVS::Form_Activate() {
    ShowPeriodCaption();
    if (!mBackupReminded) {
        // Set first: the box itself deactivates and reactivates the window.
        mBackupReminded = true;
        MsgBox(QStringLiteral("Please take Database backups regularly."), vbInformation, QStringLiteral("Information"));
    }
    focusPic();
}

void MDIZVS::focusPic() {
    if (pic->isVisible() && pic->isEnabled())
        pic->setFocus(Qt::OtherFocusReason);
}

bool MDIZVS::eventFilter(QObject *watched, QEvent *e) {
    if (watched == pic && e->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(e);
        if (ke->key() == Qt::Key_F1) {
            zv::ui::runAction([this] { mnuhelp_Click(); });
            return true;
        }
    } else if (watched == cmdExit && e->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, this, &MDIZVS::focusPic);
    } else if (watched == mdiArea->viewport() && e->type() == QEvent::MouseButtonPress) {
        focusPic();
    }
    return QMainWindow::eventFilter(watched, e);
}

void MDIZVS::closeEvent(QCloseEvent *e) {
    const int answer = MsgBox(QStringLiteral("Do you want to exit from the Application?"),
                              vbYesNo + vbQuestion + vbDefaultButton2, QStringLiteral("Exit Confirmation"));
    if (answer != vbYes) {
        e->ignore();
        focusPic();
        return;
    }
    e->accept();
    modCommon::ReleaseConnections();
    tmrStatusbarTime->stop();
    if (s_instance == this) {
        s_instance = nullptr;
        deleteLater();
    }
    modCommon::EndProgram();
}

void MDIZVS::TlbImage_ButtonClick(QAction *button) {
    if (!button || !m_buttons.contains(button))
        return;
    // A key not in the table does nothing.
    if (const auto slot = m_slotOfKey.value(button->data().toString()))
        (this->*slot)();
}

void MDIZVS::tmrStatusbarTime_Timer() { stberpPanel2->setText(ClockText(zv::clock::now())); }

void MDIZVS::openChild(const QString &form, Cleanup cleanup, const std::function<void(QDialog &)> &prepare) {
    zv::forms::showModal(form, this, prepare);
    if (cleanup == Cleanup::ReleaseAll)
        zv::forms::release(names::frmImgList);
    Form_Activate();
}

void MDIZVS::openPathForm(const QString &caption, int heightTwips, const QString &tag) {
    openChild(names::frmDBPathSetting, Cleanup::UnloadOnly, [&](QDialog &d) {
        d.setWindowTitle(caption);
        d.resize(d.width(), twipsToPixels(heightTwips));
        d.setProperty("Tag", tag);
    });
}

void MDIZVS::mnuShowDBPath_Click() { openPathForm(QStringLiteral("Production Database Path"), 1335, QStringLiteral("1")); }
void MDIZVS::mnuSetUpDB_Click() { openPathForm(QStringLiteral("Reset Production Database"), 1725, QStringLiteral("0")); }
void MDIZVS::mnuBackup_Click() { openChild(names::frmBackup, Cleanup::ReleaseChild); }
void MDIZVS::mnuRestore_Click() { openChild(names::frmRestore, Cleanup::ReleaseChild); }
void MDIZVS::mnuChangePswd_Click() { openChild(names::frmChangePswd, Cleanup::ReleaseChild); }
void MDIZVS::mnuparameter_Click() { openChild(names::frmParameter, Cleanup::ReleaseAll); }
void MDIZVS::mnuExit_Click() { close(); }
void MDIZVS::mnucmpnysetup_Click() { openChild(names::frmCompanySetup, Cleanup::ReleaseAll); }
void MDIZVS::mnuDeptMast_Click() { openChild(names::frmDepartment, Cleanup::ReleaseAll); }
void MDIZVS::mnudesignation_Click() { openChild(names::frmDesignation, Cleanup::ReleaseAll); }

void MDIZVS::mnuHoliday_Click() { openChild(names::frmHolidayMaster, Cleanup::ReleaseAll); }

void MDIZVS::mnuEmpMast_Click() { openChild(names::FrmEmp, Cleanup::ReleaseAll); }
void MDIZVS::mnuEmpMngrReln_Click() { openChild(names::frmEmpMngrAssgn, Cleanup::ReleaseAll); }
void MDIZVS::mnuActvtyMast_Click() { openChild(names::frmActvtyMast, Cleanup::ReleaseAll); }
void MDIZVS::cmdULGD_Click() { openChild(names::frmLastGnrDateUpdation, Cleanup::UnloadOnly); }

void MDIZVS::mnuAChkLst_Click() {
    modCommon::gReportKey = QStringLiteral("AChkLst");
    openChild(names::frmGenReportDev3, Cleanup::ReleaseAll);
}

void MDIZVS::mnuACL_Click() { openChild(names::frmGenReport, Cleanup::ReleaseAll); }
void MDIZVS::mnuStatComplStatusReport_Click() { openChild(names::frmGenReport1, Cleanup::ReleaseAll); }
void MDIZVS::mnuPendingActivity_Click() { openChild(names::frmGenReportDev4, Cleanup::ReleaseAll); }
void MDIZVS::mnuDiarized_Click() { openChild(names::frmGenReport2, Cleanup::ReleaseAll); }

void MDIZVS::mnuhelp_Click() {
    // The start page, in a window of its own (no owner).
    zv::core::ShowHelpTopic(nullptr, QString::fromLatin1(zv::help::kStartTopic));
}
