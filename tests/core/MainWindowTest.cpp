#include "CoreFixture.h"
#include "platform/help/Help.h"
#include "platform/help/HelpWindow.h"
#include <QAction>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QToolBar>

using namespace modCommon;
using zv::ui::vbNo;
using zv::ui::vbYes;
namespace names = zv::forms::names;

namespace {

const QStringList kAllForms = {
    names::frmDBPathSetting, names::frmBackup,       names::frmRestore,        names::frmChangePswd,
    names::frmParameter,     names::frmCompanySetup, names::frmDepartment,     names::frmDesignation,
    names::frmHolidayMaster, names::FrmEmp,          names::frmEmpMngrAssgn,   names::frmActvtyMast,
    names::frmLastGnrDateUpdation, names::frmGenReportDev3, names::frmGenReport, names::frmGenReport1,
    names::frmGenReportDev4};

class MainWindow : public CoreTest {
public:
    void registerAll() {
        for (const QString &n : kAllForms)
            registerClosingForm(n);
    }
    MDIZVS *window() { return MDIZVS::instance(); }
};

TEST_F(MainWindow, MenusAndToolbarAsDesigned) {
    registerAll();
    MDIZVS *w = window();
    QStringList top;
    for (QAction *a : w->menuBar()->actions())
        top << a->text();
    EXPECT_EQ(top, (QStringList{"&File", "&Master", "&Reports", "&Help"}));
    EXPECT_EQ(w->mnuhelp->menu(), nullptr);

    QStringList file;
    for (QAction *a : w->mnuSys->actions())
        file << (a->isSeparator() ? QStringLiteral("-") : a->text() + QLatin1Char('|') + a->shortcut().toString());
    EXPECT_EQ(file, (QStringList{"Sh&ow Production Database Path|Ctrl+O", "&Backup  Production Database|Ctrl+B",
                                 "&Restore Production Database|Ctrl+R", "Reset &Production Database|Ctrl+P",
                                 "&Change Admin Password|Ctrl+C", "Para&meter|Ctrl+M", "-", "E&xit|Ctrl+X"}));
    QStringList master;
    for (QAction *a : w->mnuMaster->actions())
        master << a->text() + QLatin1Char('|') + a->shortcut().toString();
    EXPECT_EQ(master, (QStringList{"Compa&ny Master|Ctrl+N", "&Department Master|Ctrl+D",
                                   "Desi&gnation Master|Ctrl+G", "&Holiday Master|Ctrl+H", "&Employee Master|Ctrl+E",
                                   "Emp&loyee Manager Relationship|Ctrl+L", "&Activity Master|Ctrl+A",
                                   "&Update Last Generation Date Details|Ctrl+U"}));
    QStringList reports;
    for (QAction *a : w->mnuReports->actions())
        reports << a->text() + QLatin1Char('|') + a->shortcut().toString();
    EXPECT_EQ(reports, (QStringList{"&Activity checklist for a month Report|F5",
                                    "A&ctivities with target date Report|F6",
                                    "Activity &Projector/Actuals planner Report|F7",
                                    "Ac&tivities with target date pending works Report|F8",
                                    "&Diarized Activities Report|"}));

    const QStringList keys = {"ShowDataBasePath", "BackUp Database", "Restore Database", "Reset Database",
                              "ChangePassword", "Parameter", "CmpnySetup", "Department", "Designation",
                              "Holiday Master", "EmpMaster", "Emp_Manager", "Activity Mast", "ULGDET", "Report1",
                              "Report2", "Report3", "Report4", "Help", "Exit"};
    ASSERT_EQ(w->TlbImage->actions().size(), 20);
    for (int pos = 1; pos <= 20; ++pos)
        EXPECT_EQ(w->button(pos)->data().toString(), keys.at(pos - 1)) << pos;
    EXPECT_EQ(w->button(1)->toolTip(), QStringLiteral("Show  Production Database Path"));
    EXPECT_EQ(w->button(20)->toolTip(), QStringLiteral("Exit Application"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Zorvane 2.0"));
}

// The enabling rule: on an invalid production database only the repair entries stay open.
TEST_F(MainWindow, EnablingRuleFollowsTheProductionDatabase) {
    registerAll();
    for (const bool invalid : {true, false}) {
        SCOPED_TRACE(invalid ? "invalid" : "valid");
        gDBInvalid = invalid;
        MDIZVS::releaseInstance();
        MDIZVS *w = window();
        EXPECT_EQ(w->mnuMaster->menuAction()->isEnabled(), !invalid);
        EXPECT_EQ(w->mnuReports->menuAction()->isEnabled(), !invalid);
        EXPECT_EQ(w->mnuShowDBPath->isEnabled(), !invalid);
        EXPECT_EQ(w->mnuBackup->isEnabled(), !invalid);
        EXPECT_EQ(w->mnuparameter->isEnabled(), !invalid);
        for (QAction *a : {w->mnuRestore, w->mnuSetUpDB, w->mnuChangePswd, w->mnuExit, w->mnuhelp})
            EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
        for (int pos = 1; pos <= 20; ++pos)
            EXPECT_EQ(w->button(pos)->isEnabled(), (pos >= 3 && pos <= 5) || !invalid) << pos;
    }
}

TEST_F(MainWindow, EntriesOfUnregisteredFormsAreDisabled) {
    registerClosingForm(names::frmDepartment);
    MDIZVS *w = window();
    EXPECT_TRUE(w->mnuDeptMast->isEnabled());
    EXPECT_TRUE(w->buttonByKey(QStringLiteral("Department"))->isEnabled());
    for (QAction *a : {w->mnucmpnysetup, w->mnuRestore, w->mnuShowDBPath, w->mnuACL, w->cmdULGD})
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    for (const char *key : {"CmpnySetup", "Restore Database", "Report2"})
        EXPECT_FALSE(w->buttonByKey(QString::fromLatin1(key))->isEnabled()) << key;
    // Entries without a form stay usable.
    EXPECT_TRUE(w->mnuExit->isEnabled());
    EXPECT_TRUE(w->mnuhelp->isEnabled());
    EXPECT_TRUE(w->buttonByKey(QStringLiteral("Help"))->isEnabled());
    EXPECT_TRUE(w->buttonByKey(QStringLiteral("Exit"))->isEnabled());
}

TEST_F(MainWindow, Caption) {
    EXPECT_EQ(MDIZVS::CaptionText(QStringLiteral("01-Apr-2026"), QStringLiteral("31-Mar-2027")),
              QStringLiteral("Zorvane 2.0 - ADMIN (From:01-Apr-2026 To:31-Mar-2027)"));
    EXPECT_EQ(MDIZVS::CaptionText(QString(), QString()), QStringLiteral("Zorvane 2.0 - ADMIN (From: To:)"));
    EXPECT_EQ(MDIZVS::CaptionText(QStringLiteral("1-apr-2026"), QStringLiteral("31-MAR-2027")),
              QStringLiteral("Zorvane 2.0 - ADMIN (From:01-Apr-2026 To:31-Mar-2027)"));

    // A period saved by the parameter form shows at the next activation.
    gStartPeriod = QStringLiteral("01-Apr-2026");
    gEndPeriod = QStringLiteral("31-Mar-2027");
    registerClosingForm(names::frmParameter, [](QDialog &) {
        gStartPeriod = QStringLiteral("01-Jan-2027");
        gEndPeriod = QStringLiteral("31-Dec-2027");
    });
    MDIZVS *w = window();
    w->show();
    w->Form_Activate();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Zorvane 2.0 - ADMIN (From:01-Apr-2026 To:31-Mar-2027)"));
    w->mnuparameter->trigger();
    EXPECT_EQ(opened, QStringList{names::frmParameter});
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Zorvane 2.0 - ADMIN (From:01-Jan-2027 To:31-Dec-2027)"));
}

TEST_F(MainWindow, ClockFormat) {
    EXPECT_EQ(MDIZVS::ClockText(QDateTime(QDate(2026, 12, 9), QTime(14, 5, 7))),
              QStringLiteral("09-Dec-2026 - 02:05:07 PM"));
    EXPECT_EQ(MDIZVS::ClockText(QDateTime(QDate(2027, 1, 1), QTime(0, 30, 0))),
              QStringLiteral("01-Jan-2027 - 12:30:00 AM"));
    MDIZVS *w = window();
    EXPECT_EQ(w->tmrStatusbarTime->interval(), 500);
    EXPECT_TRUE(w->tmrStatusbarTime->isActive());
    w->stberpPanel2->clear();
    w->tmrStatusbarTime_Timer();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d-[A-Z][a-z]{2}-\\d{4} - \\d\\d:\\d\\d:\\d\\d [AP]M$"))
                    .match(w->stberpPanel2->text())
                    .hasMatch())
        << w->stberpPanel2->text().toStdString();
}

TEST_F(MainWindow, BackupReminderOncePerRun) {
    MDIZVS *w = window();
    w->show();
    QCoreApplication::processEvents();
    w->Form_Activate();
    w->Form_Activate();
    EXPECT_EQ(messages.prompts().count(kReminder), 1);
    ASSERT_FALSE(messages.shown().isEmpty());
    EXPECT_EQ(messages.shown().front().title, QStringLiteral("Information"));
    EXPECT_EQ(messages.shown().front().buttons, zv::ui::vbInformation);
}

// Opens each child form modally, deletes it afterwards and releases the
// image-list form where the entry calls for it.
TEST_F(MainWindow, OpensRegisteredFormsModallyAndReleasesThem) {
    QList<QPointer<QDialog>> created;
    QMap<QString, QVariant> tags;
    for (const QString &n : kAllForms)
        zv::forms::registerForm(n, [&, n](QWidget *parent) {
            auto *d = new QDialog(parent);
            created << d;
            QTimer::singleShot(0, d, [&, d, n] {
                opened << n;
                EXPECT_TRUE(d->isModal() || d->windowModality() != Qt::NonModal);
                tags.insert(n + d->windowTitle(), d->property("Tag"));
                d->accept();
            });
            return d;
        });
    int imgListReleases = 0;
    zv::forms::registerRelease(names::frmImgList, [&] { ++imgListReleases; });
    MDIZVS *w = window();
    w->show();

    struct Case {
        const char *key;
        QString form;
        bool releasesImgList;
    };
    const Case cases[] = {
        {"ShowDataBasePath", names::frmDBPathSetting, false}, {"BackUp Database", names::frmBackup, false},
        {"Restore Database", names::frmRestore, false},       {"Reset Database", names::frmDBPathSetting, false},
        {"ChangePassword", names::frmChangePswd, false},      {"Parameter", names::frmParameter, true},
        {"CmpnySetup", names::frmCompanySetup, true},         {"Department", names::frmDepartment, true},
        {"Designation", names::frmDesignation, true},         {"Holiday Master", names::frmHolidayMaster, true},
        {"EmpMaster", names::FrmEmp, true},                   {"Emp_Manager", names::frmEmpMngrAssgn, true},
        {"Activity Mast", names::frmActvtyMast, true},        {"ULGDET", names::frmLastGnrDateUpdation, false},
        {"Report1", names::frmGenReportDev3, true},           {"Report2", names::frmGenReport, true},
        {"Report3", names::frmGenReport1, true},              {"Report4", names::frmGenReportDev4, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        opened.clear();
        const int releasesBefore = imgListReleases;
        gReportKey.clear();
        w->TlbImage_ButtonClick(w->buttonByKey(QString::fromLatin1(c.key)));
        EXPECT_EQ(opened, QStringList{c.form});
        ASSERT_FALSE(created.isEmpty());
        EXPECT_TRUE(created.last().isNull()) << "the form is deleted when it returns";
        EXPECT_EQ(imgListReleases - releasesBefore, c.releasesImgList ? 1 : 0);
        EXPECT_EQ(gReportKey, QString::fromLatin1(c.key) == QLatin1String("Report1") ? QStringLiteral("AChkLst")
                                                                                      : QString());
    }
    EXPECT_EQ(tags.value(names::frmDBPathSetting + QStringLiteral("Production Database Path")).toString(),
              QStringLiteral("1"));
    EXPECT_EQ(tags.value(names::frmDBPathSetting + QStringLiteral("Reset Production Database")).toString(),
              QStringLiteral("0"));
    EXPECT_EQ(messages.prompts().filter(QStringLiteral("exit")).size(), 0);
}

TEST_F(MainWindow, HelpWithoutHelpFile) {
    MDIZVS *w = window();
    messages.clear();
    w->buttonByKey(QStringLiteral("Help"))->trigger();
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Help not available")});
    // F1 on the window's keyboard target is Help too.
    messages.clear();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(w->pic, &f1);
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Help not available")});
}

TEST_F(MainWindow, HelpOpensTheStartPage) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZV_HELP_FILE), folder->file(QStringLiteral("Help/ZVA.qch"))));
    MDIZVS *w = window();
    messages.clear();
    w->mnuhelp->trigger();
    EXPECT_TRUE(messages.prompts().isEmpty());
    zv::help::HelpWindow *help = zv::help::currentWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->parentWidget(), nullptr);
    EXPECT_TRUE(help->currentUrl().toString().endsWith(QStringLiteral("Front_Index.htm"), Qt::CaseInsensitive))
        << help->currentUrl().toString().toStdString();
    delete help;
}

class MainWindowExit : public MainWindow {
public:
    void SetUp() override {
        MainWindow::SetUp();
        gDBPath = folder->productionDb();
        ASSERT_EQ(OpenMainConnection(), zv::db::OpenOutcome::Opened);
        ASSERT_EQ(OpenSystemDatabase(), zv::db::OpenOutcome::Opened);
        main = &MainConnection();
        sys = gSysConn;
    }
    const zv::db::Connection *main = nullptr;
    std::shared_ptr<zv::db::Connection> sys;
};

// Every way of closing asks; No keeps the program and both connections.
TEST_F(MainWindowExit, EveryWayOfClosingAsks) {
    const std::vector<std::pair<const char *, std::function<void(MDIZVS *)>>> ways = {
        {"close box", [](MDIZVS *w) { w->close(); }},
        {"Exit menu", [](MDIZVS *w) { w->mnuExit->trigger(); }},
        {"Exit button", [](MDIZVS *w) { w->TlbImage_ButtonClick(w->buttonByKey(QStringLiteral("Exit"))); }},
        {"cmdExit (Esc)", [](MDIZVS *w) { w->cmdExit->click(); }},
    };
    MDIZVS *w = window();
    w->show();
    QCoreApplication::processEvents();
    for (const auto &[name, way] : ways) {
        SCOPED_TRACE(name);
        messages.clear();
        messages.answer(vbNo);
        way(w);
        ASSERT_EQ(messages.shown().size(), 1);
        const zv::ui::ShownMessage &m = messages.shown().front();
        EXPECT_EQ(m.prompt, QStringLiteral("Do you want to exit from the Application?"));
        EXPECT_EQ(m.buttons, zv::ui::vbYesNo + zv::ui::vbQuestion + zv::ui::vbDefaultButton2);
        EXPECT_EQ(m.title, QStringLiteral("Exit Confirmation"));
        EXPECT_EQ(MDIZVS::existingInstance(), w);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(MainConnectionPath(), folder->productionDb());
        EXPECT_EQ(&MainConnection(), main);
        EXPECT_TRUE(sys->isOpen());
        EXPECT_EQ(endCount, 0);
    }
}

TEST_F(MainWindowExit, YesClosesBothConnectionsAndEnds) {
    MDIZVS *w = window();
    w->show();
    messages.answer(vbYes);
    w->close();
    EXPECT_EQ(endCount, 1);
    EXPECT_TRUE(MainConnectionPath().isEmpty());
    EXPECT_FALSE(gConnOpen);
    EXPECT_FALSE(sys->isOpen());
    EXPECT_EQ(gSysConn, nullptr);
    EXPECT_EQ(MDIZVS::existingInstance(), nullptr);
    EXPECT_FALSE(QFile::exists(zv::db::lockFilePath(folder->productionDb())));
}

} // namespace
