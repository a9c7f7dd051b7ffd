#include "ReportFixture.h"
#include "core/FormRegistry.h"
#include "reports/ReportForms.h"
#include "reports/frmGenReport2.h"
#include "support/OtherProgramLock.h"

#include <QCryptographicHash>
#include <QGuiApplication>
#include <QToolButton>
#include <QtEndian>
#include <atomic>
#include <memory>
#include <optional>

namespace {

const QString kExitQuestion = QStringLiteral("Do you want to exit?");
const QString kInUse = QStringLiteral("is in use by another program. Please try again when it is closed.");

// What the production file goes through while a report form is open: another
// program holding it in one of three ways, or garbage written over its pages.
struct Condition {
    const char *name;
    QString lockSql;   // empty: the file is damaged instead
    bool damaged() const { return lockSql.isEmpty(); }
};
const Condition kConditions[] = {
    {"Exclusive", QStringLiteral("BEGIN EXCLUSIVE")},
    {"Writer", QStringLiteral("BEGIN IMMEDIATE; UPDATE Cmpny_Mast SET Cmpny_Name = Cmpny_Name")},
    {"LongRead", QStringLiteral("BEGIN; SELECT count(*) FROM Emp_Mast")},
    {"Damaged", QString()},
};

// What one press led to, in order ("box:" and its text, "viewer", "busy"
// for the window shown while the data is read), and whether any statement
// failed on its way.
class PressWatch : public QObject, public zv::ui::ScriptedMessageService {
public:
    PressWatch() {
        qApp->installEventFilter(this);
        zv::db::Connection::setFailureObserver([this](const zv::db::DbError &) { ++m_failures; });
    }
    ~PressWatch() override {
        zv::db::Connection::setFailureObserver({});
        qApp->removeEventFilter(this);
    }
    void clear() {
        events.clear();
        m_failures = 0;
    }
    bool failed() const { return m_failures > 0; }
    int MsgBox(const QString &prompt, int buttons, const QString &title) override {
        events << QStringLiteral("box:") + prompt;
        return ScriptedMessageService::MsgBox(prompt, buttons, title);
    }

    QStringList events;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("BusyWindow"))
            events << QStringLiteral("busy");
        return false;
    }

private:
    std::atomic<int> m_failures{0};
};

QByteArray digest(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Garbage over every page but the first, whose change counter moves on so
// that no connection goes on reading the pages it has cached.
void damage(const QString &path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const QByteArray header = f.read(100);
    ASSERT_EQ(header.size(), 100);
    const int pageSize = qFromBigEndian<quint16>(header.constData() + 16) == 1
                             ? 65536
                             : qFromBigEndian<quint16>(header.constData() + 16);
    const qint64 pages = f.size() / pageSize;
    ASSERT_GT(pages, 2);
    for (qint64 page = 1; page < pages; ++page) {
        f.seek(page * pageSize);
        f.write(QByteArray(pageSize, char(0xA5)));
    }
    uchar counter[4];
    qToBigEndian<quint32>(qFromBigEndian<quint32>(header.constData() + 24) + 1, counter);
    f.seek(24);
    f.write(reinterpret_cast<const char *>(counter), 4);
}

// The production file held by another program or damaged, while a report
// form is open: every press of the form that meets a failure ends there and
// says so in exactly one box (the in-use box, or the form's own box for a
// damaged file), nothing after the failed step runs (no viewer, no reading
// window), the status line and the pointer are put back, nothing is written,
// and once the other program lets go the same form runs its report.
class HeldDatabase : public ReportTest {
public:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ReportTest::SetUp());
        // A row for every report in the month of today: each one has
        // something to show once the file is free.
        const QDate now = modCommon::GetServerDate();
        target(asha, "Due today", today(-9), today(0));
        const qint64 afm = insert("INSERT INTO actvty_mnth_hdr (Sys_Const_Num, Sys_Emp_Num, yr) VALUES (?, ?, ?)",
                                  {now.month(), asha, now.year()});
        insert("INSERT INTO actvty_mnth_det (Sys_Afm_Num, Actvty_Desc, Almnt_Date, Offcl_Persnl, Trans_Type, Day1) "
               "VALUES (?, 'Pay tax', ?, 'O', 'P', '*')",
               {afm, today()});
        const qint64 act = activity("Audit", today());
        entry(act, line(act, asha, 1, today()), asha, today());
        zv::forms::clearRegistry();
        zv::reports::registerForms(answers.forms());
        whileShown = [this] { watch.events << QStringLiteral("viewer"); };
        answers.chooser = [](const zv::fw::SelectionRequest &) { return QString(); };
    }
    void TearDown() override {
        zv::forms::clearRegistry();
        ReportTest::TearDown();
    }

    std::unique_ptr<zv::reports::ReportFilterForm> open(const QString &name) {
        std::unique_ptr<zv::reports::ReportFilterForm> form(
            qobject_cast<zv::reports::ReportFilterForm *>(zv::forms::createForm(name)));
        if (form)
            showForm(*form);
        return form;
    }
    // The other program takes the file, or the file is damaged.
    void apply(const Condition &c) {
        if (c.damaged()) {
            damage(folder->productionDb());
            return;
        }
        holder = std::make_unique<OtherProgramLock>(folder->productionDb(), c.lockSql);
        ASSERT_TRUE(holder->held()) << holder->output().constData();
    }
    void letGo() {
        if (holder)
            ASSERT_TRUE(holder->release());
        holder.reset();
    }
    // Whatever the press left for the event loop (a form closing itself) runs.
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    // The last press: one box when a statement failed on its way, none
    // otherwise (the exit question, answered No, is no failure's box).
    void expectToldOnce(const Condition &c, const std::string &where) {
        SCOPED_TRACE(where + " (" + watch.events.join(" | ").toStdString() + ")");
        QStringList boxes;
        int firstBox = -1;
        for (int i = 0; i < watch.events.size(); ++i) {
            const QString &e = watch.events.at(i);
            if (!e.startsWith(QLatin1String("box:")) || e.mid(4) == kExitQuestion)
                continue;
            boxes << e.mid(4);
            if (firstBox < 0)
                firstBox = i;
        }
        if (!watch.failed()) {
            EXPECT_EQ(boxes, QStringList());
            return;
        }
        ASSERT_EQ(boxes.size(), 1);
        for (const QString &after : watch.events.mid(firstBox + 1))
            EXPECT_FALSE(after == QLatin1String("viewer") || after == QLatin1String("busy")) << "went on after the box";
        if (c.damaged()) {
            EXPECT_TRUE(boxes.first().contains("malformed") || boxes.first().contains("corrupted"));
            EXPECT_FALSE(boxes.first().contains(kInUse));
        } else {
            EXPECT_TRUE(boxes.first().endsWith(kInUse));
        }
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the pointer stayed busy";
    }
    int workingRows() {
        return scalar("SELECT (SELECT count(*) FROM temp_mchklist) + (SELECT count(*) FROM Temp_Year)").toInt();
    }

    PressWatch watch;
    std::unique_ptr<OtherProgramLock> holder;
};

// The presses of a report form, those that may close it last.
const struct Press {
    const char *name;
    std::function<void(zv::reports::ReportFilterForm &)> press;
    bool closes;
} kPresses[] = {
    {"F9", [](zv::reports::ReportFilterForm &f) { key(f, Qt::Key_F9); }, false},
    {"Ok", [](zv::reports::ReportFilterForm &f) { ReportTest::clickFooter(f, "Ok"); }, false},
    {"Ctrl+F1", [](zv::reports::ReportFilterForm &f) { key(f, Qt::Key_F1, Qt::ControlModifier); }, false},
    {"F10", [](zv::reports::ReportFilterForm &f) { key(f, Qt::Key_F10); }, true},
    {"Esc", [](zv::reports::ReportFilterForm &f) { key(f, Qt::Key_Escape); }, true},
    {"close box", [](zv::reports::ReportFilterForm &f) { f.close(); }, true},
    {"Exit", [](zv::reports::ReportFilterForm &f) { click(f.tbHeader, f.headerButton("Exit")); }, true},
};

struct Case {
    QString form;
    Condition condition;
};
void PrintTo(const Case &c, std::ostream *os) { *os << c.form.toStdString() << " / " << c.condition.name; }

class EveryReportForm : public HeldDatabase, public ::testing::WithParamInterface<Case> {};

TEST_P(EveryReportForm, EveryPressThatFailsIsToldOnceAndEndsThere) {
    const Case c = GetParam();
    const QString production = folder->productionDb();
    std::unique_ptr<zv::reports::ReportFilterForm> form = open(c.form);
    ASSERT_NE(form, nullptr);
    ASSERT_NO_FATAL_FAILURE(apply(c.condition));
    const QByteArray before = digest(production);

    {
        // Opened now: a failed read of its loading closes it again.
        watch.clear();
        std::unique_ptr<zv::reports::ReportFilterForm> opened = open(c.form);
        settle();
        expectToldOnce(c.condition, "opening");
        if (watch.failed())
            EXPECT_TRUE(QTest::qWaitFor([&] { return !opened->isVisible(); })) << "a failed opening left the form open";
        else
            EXPECT_TRUE(opened->isVisible());
    }

    for (const Press &p : kPresses) {
        // Each press twice: the second is told as the first was.
        for (int round = 1; round <= 2 && form->isVisible(); ++round) {
            const std::string where = std::string(p.name) + ", press " + std::to_string(round);
            watch.clear();
            p.press(*form);
            settle();
            expectToldOnce(c.condition, where);
            if (watch.failed() && form->isVisible())
                EXPECT_EQ(form->tlbFooter.Status(), QString()) << where;
        }
    }
    EXPECT_EQ(digest(production), before) << "written while held or damaged";
    EXPECT_EQ(modCommon::gDBPath, production);
    if (c.condition.damaged())
        return;

    ASSERT_NO_FATAL_FAILURE(letGo());
    EXPECT_EQ(workingRows(), 0);
    if (!form->isVisible())
        form = open(c.form);
    watch.clear();
    shown = ShownReport();
    key(*form, Qt::Key_F9);
    EXPECT_EQ(shown.count, 1) << "F9 once let go";
    EXPECT_EQ(watch.events, QStringList({"busy", "viewer"})) << "F9 once let go";
}

std::vector<Case> cases() {
    zv::forms::clearRegistry();
    zv::reports::registerForms({});
    QStringList forms = zv::forms::registeredForms();
    zv::forms::clearRegistry();
    forms.sort();
    std::vector<Case> all;
    for (const QString &f : forms)
        for (const Condition &c : kConditions)
            all.push_back({f, c});
    return all;
}

INSTANTIATE_TEST_SUITE_P(HeldOrDamaged, EveryReportForm, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case> &info) {
                             return info.param.form.toStdString() + "_" + info.param.condition.name;
                         });

// The diarized report keeps its rows until it closes, and they go before it
// does: while another program holds the file, every key that closes it says
// so once and leaves it open with its rows; once let go, it closes and the
// rows are gone. A damaged file is told once and lets the form go.
TEST_F(HeldDatabase, TheDiarizedReportsRowsGoBeforeItCloses) {
    const Condition &held = kConditions[0], &damaged = kConditions[3];
    for (const Press &p : kPresses) {
        if (!p.closes)
            continue;
        const std::string where = p.name;
        std::unique_ptr<zv::reports::ReportFilterForm> form = open(zv::forms::names::frmGenReport2);
        shown = ShownReport();
        key(*form, Qt::Key_F9);
        ASSERT_EQ(shown.count, 1) << where;
        ASSERT_GT(workingRows(), 0) << where;

        ASSERT_NO_FATAL_FAILURE(apply(held));
        for (int round = 1; round <= 2; ++round) {
            watch.clear();
            p.press(*form);
            settle();
            ASSERT_TRUE(watch.failed()) << where;
            expectToldOnce(held, where + ", held");
            EXPECT_TRUE(form->isVisible()) << where;
        }
        ASSERT_NO_FATAL_FAILURE(letGo());
        EXPECT_GT(workingRows(), 0) << where;

        watch.clear();
        p.press(*form);
        settle();
        expectToldOnce(held, where + ", let go");
        EXPECT_FALSE(form->isVisible()) << where;
        EXPECT_EQ(workingRows(), 0) << where;
    }

    std::unique_ptr<zv::reports::ReportFilterForm> form = open(zv::forms::names::frmGenReport2);
    key(*form, Qt::Key_F9);
    ASSERT_GT(workingRows(), 0);
    ASSERT_NO_FATAL_FAILURE(apply(damaged));
    watch.clear();
    key(*form, Qt::Key_Escape);
    expectToldOnce(damaged, "Esc, damaged");
    EXPECT_TRUE(watch.failed());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); })) << "a damaged file kept the form open";
}

// The employee selection window meets the held file, tells it and ends the
// action: the form keeps its list and says nothing more (its activation, which
// would read the held file again, does not follow), whether the window was
// opened by Ctrl+F1 or by the button.
TEST_F(HeldDatabase, ASelectionWindowThatFailsEndsTheKeyThatOpenedIt) {
    const QString told = QStringLiteral("The selection could not be read.");
    answers.chooser = [&](const zv::fw::SelectionRequest &) -> QString {
        zv::ui::MsgBox(told, zv::ui::vbOKOnly + zv::ui::vbCritical, QString());
        zv::ui::endAction();
    };
    const QString kept = QString::number(ravi);
    for (const QString &name : zv::forms::registeredForms()) {
        std::unique_ptr<zv::reports::ReportFilterForm> form = open(name);
        form->setSelectionList(kept);
        ASSERT_NO_FATAL_FAILURE(apply(kConditions[0]));
        const bool hasCtrlF1 = name != zv::forms::names::frmGenReport2;
        const struct {
            const char *name;
            std::function<void()> press;
            bool opensSelection;
        } presses[] = {
            {"Ctrl+F1", [&] { key(*form, Qt::Key_F1, Qt::ControlModifier); }, hasCtrlF1},
            {"button", [&] { QTest::mouseClick(form->picSelFilter, Qt::LeftButton); }, true},
        };
        for (const auto &p : presses) {
            const std::string where = name.toStdString() + ", " + p.name;
            watch.clear();
            p.press();
            settle();
            EXPECT_EQ(watch.events, p.opensSelection ? QStringList{"box:" + told} : QStringList()) << where;
            EXPECT_EQ(form->selectionList(), kept) << where;
            EXPECT_TRUE(form->isVisible()) << where;
        }
        ASSERT_NO_FATAL_FAILURE(letGo());
    }
}

// The disk fills while a report writes its working rows: one box for the one
// failure, as the failure it is, and no half-written run left behind.
TEST_F(HeldDatabase, AFullDiskDuringTheFillIsOneBoxAndLeavesNoRows) {
    const struct {
        QString form, table;
    } reports[] = {
        {zv::forms::names::frmGenReportDev3, "temp_mchklist"},
        {zv::forms::names::frmGenReport2, "Temp_Year"},
    };
    auto &c = modCommon::MainConnection();
    for (const auto &r : reports) {
        const std::string where = r.form.toStdString();
        std::unique_ptr<zv::reports::ReportFilterForm> form = open(r.form);
        ASSERT_NE(form, nullptr) << where;
        // No page may be added to the file: the first row that needs one fails as on a full disk.
        const int pages = c.scalar("PRAGMA page_count").toInt();
        c.executeScript(QStringLiteral("PRAGMA max_page_count = %1; CREATE TEMP TRIGGER fill_up BEFORE INSERT ON main.%2 "
                                       "BEGIN UPDATE Cmpny_Mast SET Cmpny_Name = hex(zeroblob(100000)); END")
                            .arg(pages)
                            .arg(r.table));
        watch.clear();
        shown = ShownReport();
        key(*form, Qt::Key_F9);
        c.executeScript("DROP TRIGGER temp.fill_up; PRAGMA max_page_count = 1073741823");
        const QStringList boxes = watch.events.filter(QRegularExpression("^box:"));
        ASSERT_EQ(boxes.size(), 1) << where << ": " << watch.events.join(" | ").toStdString();
        const QString told = boxes.constFirst();
        EXPECT_TRUE(told.contains(QString::number(zv::db::err::DiskFull))) << where << ": " << told.toStdString();
        EXPECT_FALSE(told.contains("in use") || told.contains("corrupted")) << where << ": " << told.toStdString();
        EXPECT_EQ(shown.count, 0) << where;
        EXPECT_EQ(workingRows(), 0) << where;
        EXPECT_EQ(scalar("SELECT Cmpny_Name FROM Cmpny_Mast").toString(), "Zorvane Ltd") << where;

        watch.clear();
        key(*form, Qt::Key_F9);
        EXPECT_EQ(shown.count, 1) << where << ", F9 with room again";
        EXPECT_EQ(watch.events.filter(QRegularExpression("^box:")), QStringList()) << where << ", F9 with room again";
    }
}

} // namespace
