// Every form the main window opens, with the real windows its keys open,
// against a production file another program holds (exclusively, as a writer
// with a change not committed, as a reader in the middle of a read, as a
// writer committing all the time) and against a damaged one. Each press is
// one action: a press that meets a failure says so in exactly one box (the
// in-use box for a held file, never "corrupted" or a raw number), also the
// second time, also inside a window a key opened; a press that meets none
// says nothing of the kind. Nothing is written to a held or damaged file, and
// the same keys work once the other program lets go.
#include "activity/ActivityForms.h"
#include "core/AdminForms.h"
#include "core/FormRegistry.h"
#include "framework/DataForm.h"
#include "framework/FormBase.h"
#include "masters/FormServices.h"
#include "masters/MasterForms.h"
#include "reports/ReportForms.h"
#include "support/FormActions.h"
#include "support/HeldFile.h"
#include "support/Organisation.h"
#include "support/OtherProgramLock.h"
#include "support/ProductionDbTest.h"
#include "support/Modal.h"
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>
#include <atomic>
#include <functional>
#include <map>
#include <memory>

namespace {

const QStringList kHeaderKeys = {QStringLiteral("Select"),    QStringLiteral("Refresh"),
                                 QStringLiteral("Add"),       QStringLiteral("Modify"),
                                 QStringLiteral("Delete"),    QStringLiteral("DetailAdd"),
                                 QStringLiteral("DetailModify"), QStringLiteral("DetailDelete")};

const QString kInUseEnd = QStringLiteral(" is in use by another program. Please try again when it is closed.");

QByteArray digest(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

enum class Hold { Exclusive, Writer, LongRead, BusyWriter, Damaged };

const char *holdName(Hold h) {
    switch (h) {
    case Hold::Exclusive: return "Exclusive";
    case Hold::Writer: return "Writer";
    case Hold::LongRead: return "LongRead";
    case Hold::BusyWriter: return "BusyWriter";
    case Hold::Damaged: return "Damaged";
    }
    return "";
}

// Another program holding the file the given way, from start() to stop().
class OtherProgram {
public:
    OtherProgram(QString path, Hold hold) : m_path(std::move(path)), m_hold(hold) {}
    bool start() {
        switch (m_hold) {
        case Hold::Exclusive:
            m_lock = std::make_unique<OtherProgramLock>(m_path, QStringLiteral("PRAGMA locking_mode=EXCLUSIVE; "
                                                                               "BEGIN EXCLUSIVE"));
            break;
        case Hold::Writer:
            m_lock = std::make_unique<OtherProgramLock>(
                m_path, QStringLiteral("BEGIN IMMEDIATE; UPDATE Parm SET DB_Check = DB_Check"));
            break;
        case Hold::LongRead:
            m_lock = std::make_unique<OtherProgramLock>(m_path,
                                                        QStringLiteral("BEGIN; SELECT count(*) FROM sqlite_master;"));
            break;
        case Hold::BusyWriter:
            m_lock = std::make_unique<OtherProgramLock>(
                m_path, QStringLiteral("BEGIN IMMEDIATE; UPDATE Parm SET DB_Check = DB_Check; COMMIT"),
                OtherProgramLock::Every{20});
            break;
        case Hold::Damaged:
            return true;
        }
        return m_lock->held();
    }
    bool stop() {
        if (!m_lock)
            return true;
        const bool ended = m_lock->release();
        m_lock.reset();
        return ended;
    }
    QByteArray output() const { return m_lock ? m_lock->output() : QByteArray(); }

private:
    QString m_path;
    Hold m_hold;
    std::unique_ptr<OtherProgramLock> m_lock;
};

// Garbage over every page after the first: the file still opens, none of its
// tables reads.
void damage(const QString &path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const QByteArray header = f.read(100);
    const int pageSize = (uchar(header.at(16)) << 8 | uchar(header.at(17))) == 1
                             ? 65536
                             : (uchar(header.at(16)) << 8 | uchar(header.at(17)));
    ASSERT_GT(f.size(), pageSize);
    QByteArray garbage(int(f.size()) - pageSize, '\0');
    QRandomGenerator rng(20261211);
    for (char &c : garbage)
        c = char(rng.bounded(256));
    f.seek(pageSize);
    f.write(garbage);
}

// How a user saves on each data form: the header keys of the edit, each
// followed by valid values in the boxes it opened, then Ok. The values reach
// the form's duplicate checks and its save. Every data form the registry
// knows has one.
using Fill = std::function<void(QDialog &)>;
struct Save {
    QStringList keys;
    Fill fill;
};

template <class W>
W *child(QDialog &form, const char *name) {
    auto *w = form.findChild<W *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void setText(QDialog &form, const char *box, const QString &text) {
    if (auto *b = child<QLineEdit>(form, box); b && b->isEnabled())
        b->setText(text);
}

void chooseFirst(QDialog &form, const char *combo) {
    if (auto *c = child<QComboBox>(form, combo); c && c->isEnabled() && c->count() > 0 && c->currentIndex() < 0)
        c->setCurrentIndex(0);
}

const std::map<QString, Save> &saves() {
    const QStringList add{QStringLiteral("Add")};
    static const std::map<QString, Save> table = {
        {QStringLiteral("frmDepartment"), {add, [](QDialog &f) { setText(f, "txtDeptName", QStringLiteral("Stores")); }}},
        {QStringLiteral("frmDesignation"), {add, [](QDialog &f) { setText(f, "txtDesgName", QStringLiteral("Keeper")); }}},
        {QStringLiteral("frmCompanySetup"),
         {add,
          [](QDialog &f) {
              setText(f, "txtcmpnyname", QStringLiteral("Held Works"));
              setText(f, "txtcity", QStringLiteral("Pune"));
          }}},
        {QStringLiteral("frmParameter"),
         {{QStringLiteral("Modify")},
          [](QDialog &f) { setText(f, "dtpStartPeriod", QStringLiteral("01-Apr-2027")); }}},
        {QStringLiteral("FrmEmp"),
         {add,
          [](QDialog &f) {
              setText(f, "txtEmpno", QStringLiteral("E900"));
              setText(f, "txtEmpName", QStringLiteral("HELD PERSON"));
              chooseFirst(f, "CboDepartment");
              chooseFirst(f, "cmbDesignation");
              setText(f, "txtemail", QStringLiteral("held@example.com"));
              setText(f, "txtUserID", QStringLiteral("HELD"));
              setText(f, "txtEmpPassWord", QStringLiteral("pass1"));
              setText(f, "txtConfirmPassword", QStringLiteral("pass1"));
          }}},
        {QStringLiteral("frmHolidayMaster"),
         {{QStringLiteral("DetailAdd")},
          [](QDialog &f) {
              setText(f, "dtpHolDate", QStringLiteral("15-Aug-2026"));
              setText(f, "txtHolidayDescription", QStringLiteral("Independence Day"));
          }}},
        {QStringLiteral("frmEmpMngrAssgn"),
         {{QStringLiteral("Add"), QStringLiteral("DetailAdd")},
          [](QDialog &f) {
              chooseFirst(f, "cmbManager");
              chooseFirst(f, "cmbEmpName");
          }}},
        {QStringLiteral("frmActvtyMast"),
         {add,
          [](QDialog &f) {
              setText(f, "txtActDesc", QStringLiteral("Held review"));
              setText(f, "txtRemarks", QStringLiteral("Weekly"));
          }}},
    };
    return table;
}

struct Case {
    QString form;
    Hold hold;
};

void PrintTo(const Case &c, std::ostream *os) { *os << c.form.toStdString() << " / " << holdName(c.hold); }

// Questions about deleting are answered Yes, so that a delete's own steps run;
// every other box gets its default.
class AnsweringMessages : public zv::ui::ScriptedMessageService {
public:
    int MsgBox(const QString &prompt, int buttons, const QString &title) override {
        if ((buttons & 7) == zv::ui::vbYesNo && prompt.contains(QLatin1String("delete"), Qt::CaseInsensitive))
            answer(zv::ui::vbYes);
        return ScriptedMessageService::MsgBox(prompt, buttons, title);
    }
};

class HeldDatabase : public ProductionDbTest, public ::testing::WithParamInterface<Case> {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ProductionDbTest::SetUp());
        seedOrganisation(other);
        // The real windows: the general filter, the selection list, the day
        // view, the report viewer (its print dialogs refused).
        zv::fw::FormServices services = zv::masters::formServices();
        services.viewer.printDialog = [](zv::report::PrintDialog, QPrinter &) { return false; };
        zv::forms::clearRegistry();
        zv::admin::registerForms();
        zv::masters::registerForms(services);
        zv::activity::registerForms(services);
        zv::reports::registerForms(services);
        zv::db::Connection::setFailureObserver([this](const zv::db::DbError &e) {
            const long n = e.number();
            if (n == zv::db::err::DatabaseInUse || zv::db::isDamage(e))
                m_failures.fetch_add(1);
        });
        QObject::connect(&m_watcher, &QTimer::timeout, [this] { onModal(); });
        m_watcher.start(20);
    }
    void TearDown() override {
        m_watcher.stop();
        zv::db::Connection::setFailureObserver({});
        zv::forms::clearRegistry();
        ProductionDbTest::TearDown();
    }


    // One press has ended: what it showed against what it met.
    void check(const QString &what) {
        SCOPED_TRACE(what.toStdString());
        const int failures = m_failures.exchange(0);
        QStringList boxes;
        for (const zv::ui::ShownMessage &m : said.shown())
            if (m.kind == QLatin1String("MsgBox") && (m.buttons & 7) == zv::ui::vbOKOnly)
                boxes << m.prompt;
        const std::string all = said.prompts().join(QStringLiteral(" | ")).toStdString();
        said.clear();
        ++m_presses;
        if (m_failing && failures > 0) {
            // A press that failed says so, once.
            EXPECT_EQ(boxes.size(), 1) << "met " << failures << " failure(s); shown: " << all;
            ++m_failedPresses;
        } else {
            EXPECT_LE(boxes.size(), 1) << "met " << failures << " failure(s); shown: " << all;
        }
        for (const QString &b : boxes) {
            if (m_hold != Hold::Damaged)
                EXPECT_FALSE(misleadingForAHeldFile(b)) << b.toStdString();
            if (!m_failing)
                EXPECT_FALSE(b.endsWith(kInUseEnd)) << b.toStdString();
        }
    }

    // A modal window a press opened (boxes are scripted and never show):
    // keys pressed inside it, each checked as its own press, then closed.
    void onModal() {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || w->property("zvUnderTest").toBool() || w->property("zvPressed").toBool())
            return;
        w->setProperty("zvPressed", true);
        QPointer<QWidget> modal(w);
        const QString title = w->windowTitle();
        check(m_current + QStringLiteral(", opening ") + title);
        auto press = [&](Qt::Key k, const QString &what) {
            if (!modal || !modal->isVisible())
                return;
            QWidget *target = QApplication::focusWidget();
            if (!target || target->window() != modal)
                target = modal;
            QTest::keyClick(target, k);
            check(title + QStringLiteral(": ") + what);
        };
        if (m_holdInsideModals) {
            // Taken while the window is open: the first press and the second
            // after its box both say why.
            if (!m_program->start()) {
                ADD_FAILURE() << m_program->output().constData();
                endModal(modal);
                return;
            }
            m_failing = true;
            press(Qt::Key_F9, QStringLiteral("F9 held"));
            press(Qt::Key_F9, QStringLiteral("F9 held, again"));
            m_failing = false;
            EXPECT_TRUE(m_program->stop());
            press(Qt::Key_F9, QStringLiteral("F9 let go"));
        } else {
            press(Qt::Key_F9, QStringLiteral("F9"));
            press(Qt::Key_F9, QStringLiteral("F9 again"));
        }
        press(Qt::Key_Escape, QStringLiteral("Esc"));
        if (modal && modal->isVisible())
            endModal(modal);
    }

    // Opens the form and presses every key it offers (a key, then Ok with
    // the edit's boxes filled, then Cancel), each checked. Returns the presses.
    int pressEveryKey(const QString &name) {
        said.clear();
        m_failures = 0;
        m_current = name + QStringLiteral(" opening");
        QPointer<QDialog> form = zv::forms::createForm(name);
        if (!form) {
            ADD_FAILURE() << "not registered: " << name.toStdString();
            return 0;
        }
        const int before = m_presses;
        form->setProperty("zvUnderTest", true);
        form->setAttribute(Qt::WA_DeleteOnClose, false);
        showForm(*form);
        check(QStringLiteral("open"));
        auto *base = qobject_cast<zv::fw::FormBase *>(form.data());
        auto *data = qobject_cast<zv::fw::DataForm *>(form.data());
        m_formBase = base != nullptr;
        auto pressIfOffered = [&](QToolBar *tb, QAction *a, const QString &what) {
            if (!form || !form->isVisible() || !a || !a->isVisible() || !a->isEnabled())
                return false;
            m_current = what;
            click(tb, a);
            check(what);
            return true;
        };
        if (base) {
            for (const QString &k : kHeaderKeys) {
                pressIfOffered(base->tbHeader, base->headerButton(k), k);
                if (form && data && data->isEditing())
                    if (const auto save = saves().find(name); save != saves().end())
                        save->second.fill(*form);
                pressIfOffered(base->tbFooter, base->footerButton(QStringLiteral("Ok")), k + QStringLiteral(" Ok"));
                pressIfOffered(base->tbFooter, base->footerButton(QStringLiteral("Cancel")),
                               k + QStringLiteral(" Cancel"));
            }
            pressIfOffered(base->tbFooter, base->footerButton(QStringLiteral("Ok")), QStringLiteral("Ok"));
            // The save as a user makes it, each key of it a press of its own.
            if (const auto save = saves().find(name); save != saves().end()) {
                for (const QString &k : save->second.keys)
                    if (pressIfOffered(base->tbHeader, base->headerButton(k), QStringLiteral("save: ") + k) && form)
                        save->second.fill(*form);
                pressIfOffered(base->tbFooter, base->footerButton(QStringLiteral("Ok")), QStringLiteral("save: Ok"));
                pressIfOffered(base->tbFooter, base->footerButton(QStringLiteral("Cancel")),
                               QStringLiteral("save: Cancel"));
            }
            if (form && form->isVisible()) {
                m_current = QStringLiteral("Ctrl+F1");
                key(*form, Qt::Key_F1, Qt::ControlModifier);
                check(m_current);
            }
        } else if (auto *bar = form->findChild<QToolBar *>(QStringLiteral("tlbOkCancel"))) {
            // An administration window: its OK.
            for (QAction *a : bar->actions())
                if (a->objectName() == QLatin1String("Ok"))
                    pressIfOffered(bar, a, QStringLiteral("OK"));
        }
        if (form) {
            form->done(QDialog::Rejected);
            delete form.data();
        }
        return m_presses - before;
    }

    // The form's save as a user makes it, on a free file: whether it wrote.
    bool saveWrites(const QString &name) {
        QPointer<QDialog> form = zv::forms::createForm(name);
        if (!form)
            return false;
        form->setProperty("zvUnderTest", true);
        form->setAttribute(Qt::WA_DeleteOnClose, false);
        showForm(*form);
        auto *base = qobject_cast<zv::fw::FormBase *>(form.data());
        const Save &save = saves().at(name);
        const QByteArray before = digest(folder->productionDb());
        for (const QString &k : save.keys) {
            QAction *a = base && form && form->isVisible() ? base->headerButton(k) : nullptr;
            if (!a || !a->isVisible() || !a->isEnabled()) {
                ADD_FAILURE() << k.toStdString() << " is not offered";
                break;
            }
            click(base->tbHeader, a);
            save.fill(*form);
        }
        if (form && base)
            click(base->tbFooter, base->footerButton(QStringLiteral("Ok")));
        const bool wrote = digest(folder->productionDb()) != before;
        if (form) {
            form->done(QDialog::Rejected);
            delete form.data();
        }
        m_failures = 0;
        return wrote;
    }

    AnsweringMessages said;
    QTimer m_watcher;
    std::atomic<int> m_failures{0};
    int m_presses = 0;
    int m_failedPresses = 0;
    bool m_failing = false;
    bool m_holdInsideModals = false;
    bool m_formBase = false;
    Hold m_hold = Hold::Exclusive;
    QString m_current;
    std::unique_ptr<OtherProgram> m_program;
};

TEST_P(HeldDatabase, EveryFailingPressSaysWhyOnceAndNothingIsWritten) {
    const Case c = GetParam();
    m_hold = c.hold;
    const QString production = folder->productionDb();
    m_program = std::make_unique<OtherProgram>(production, c.hold);

    // Held (or damaged) from the start.
    if (c.hold == Hold::Damaged) {
        modCommon::CloseMainConnection();
        other.close();
        damage(production);
    }
    const QByteArray before = digest(production);
    ASSERT_TRUE(m_program->start()) << m_program->output().constData();
    m_failing = true;
    EXPECT_GT(pressEveryKey(c.form), 0);
    m_failing = false;
    ASSERT_TRUE(m_program->stop());
    if (c.hold != Hold::BusyWriter)
        EXPECT_EQ(digest(production), before) << "a held or damaged file was written";
    if (c.hold == Hold::Damaged)
        return;
    EXPECT_EQ(modCommon::gDBPath, production) << "a held file made the program forget the production database";
    // A data form or report form meets an exclusive hold in its keys, and
    // one that saves meets any hold that stops a write (the administration
    // windows refuse a held file before reading it).
    const bool saves = ::saves().count(c.form) > 0;
    if (m_formBase && (c.hold == Hold::Exclusive || (saves && (c.hold == Hold::Writer || c.hold == Hold::LongRead))))
        EXPECT_GT(m_failedPresses, 0) << "no press met the hold";

    // Held only while a window a key opened is up.
    if (c.hold == Hold::Exclusive) {
        m_holdInsideModals = true;
        pressEveryKey(c.form);
        m_holdInsideModals = false;
    }

    // Let go: the same keys, and no word of a lock.
    pressEveryKey(c.form);
}

// Every data form's edit, filled as the test fills it, reaches a save that
// writes: the held runs above reach each form's save, not only its checks.
TEST_F(HeldDatabase, EveryDataFormsFilledEditReachesItsSave) {
    for (const QString &name : zv::forms::registeredForms()) {
        QScopedPointer<QDialog> probe(zv::forms::createForm(name));
        if (!qobject_cast<zv::fw::DataForm *>(probe.data()))
            continue;
        probe.reset();
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(saves().count(name)) << "no save for the form";
        said.clear();
        EXPECT_TRUE(saveWrites(name)) << "the save wrote nothing: "
                                      << said.prompts().join(QStringLiteral(" | ")).toStdString();
    }
}

std::vector<Case> cases() {
    // Every form the registry knows, as the program registers them.
    zv::forms::clearRegistry();
    zv::admin::registerForms();
    zv::masters::registerForms({});
    zv::activity::registerForms({});
    zv::reports::registerForms({});
    QStringList forms = zv::forms::registeredForms();
    zv::forms::clearRegistry();
    forms.sort();
    std::vector<Case> all;
    for (const QString &f : forms)
        for (Hold h : {Hold::Exclusive, Hold::Writer, Hold::LongRead, Hold::BusyWriter, Hold::Damaged})
            all.push_back({f, h});
    return all;
}

INSTANTIATE_TEST_SUITE_P(EveryForm, HeldDatabase, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case> &info) {
                             return info.param.form.toStdString() + "_" + holdName(info.param.hold);
                         });

} // namespace
