// Every form the main window opens, and every key of it that reads or writes,
// against a production file another program holds: exclusively, or as a writer
// saving. Whatever the path, the user is told the file is in use, once for
// one key; it is never called corrupted or unsupported, no raw error number
// shows, nothing is written, and the same keys work once the lock is let go.
#include "activity/ActivityForms.h"
#include "core/AdminForms.h"
#include "core/FormRegistry.h"
#include "framework/FormBase.h"
#include "masters/MasterForms.h"
#include "reports/ReportForms.h"
#include "support/FormActions.h"
#include "support/HeldFile.h"
#include "support/Modal.h"
#include "support/OtherProgramLock.h"
#include "support/ProductionDbTest.h"
#include <QCryptographicHash>
#include <QFile>
#include <QPointer>
#include <QTimer>

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

struct Case {
    QString form;
    QString lockSql;
};

void PrintTo(const Case &c, std::ostream *os) { *os << c.form.toStdString() << " / " << c.lockSql.toStdString(); }

class HeldDatabase : public ProductionDbTest, public ::testing::WithParamInterface<Case> {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ProductionDbTest::SetUp());
        answers.viewer.modal = [](zv::report::FrmReportViewer &) {};
        zv::forms::clearRegistry();
        zv::admin::registerForms();
        zv::masters::registerForms(answers.forms());
        zv::activity::registerForms(answers.forms());
        zv::reports::registerForms(answers.forms());
        // A modal window a key opens (a list, a question of the form's own) is
        // closed as a user would who wants nothing of it.
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (QWidget *w = QApplication::activeModalWidget(); w && !w->property("zvUnderTest").toBool())
                endModal(w);
        });
        closer.start(20);
    }
    void TearDown() override {
        closer.stop();
        zv::forms::clearRegistry();
        ProductionDbTest::TearDown();
    }

    // Opens the form, presses every key it offers, each with Ok after it and
    // Cancel to leave, and checks what each press showed. Returns the presses made.
    int pressEveryKey(const QString &name, bool held) {
        messages.clear();
        QPointer<QDialog> form = zv::forms::createForm(name);
        if (!form) {
            ADD_FAILURE() << "not registered: " << name.toStdString();
            return 0;
        }
        form->setProperty("zvUnderTest", true);
        form->setAttribute(Qt::WA_DeleteOnClose, false);
        int presses = 0;
        auto check = [&](const QString &what) {
            SCOPED_TRACE(what.toStdString());
            int inUse = 0;
            for (const QString &p : messages.prompts()) {
                EXPECT_FALSE(misleadingForAHeldFile(p)) << p.toStdString();
                inUse += p.endsWith(kInUseEnd) ? 1 : 0;
            }
            EXPECT_LE(inUse, 1) << messages.prompts().join(QStringLiteral(" | ")).toStdString();
            if (!held)
                EXPECT_EQ(inUse, 0) << messages.prompts().join(QStringLiteral(" | ")).toStdString();
            messages.clear();
            ++presses;
        };
        showForm(*form);
        check(QStringLiteral("open"));
        auto *base = qobject_cast<zv::fw::FormBase *>(form.data());
        auto pressIfOffered = [&](QToolBar *tb, QAction *a, const QString &what) {
            if (!form || !form->isVisible() || !a || !a->isVisible() || !a->isEnabled())
                return;
            click(tb, a);
            check(what);
        };
        if (base) {
            for (const QString &k : kHeaderKeys) {
                pressIfOffered(base->tbHeader, base->headerButton(k), k);
                pressIfOffered(base->tbFooter, base->footerButton(QStringLiteral("Ok")), k + QStringLiteral(" Ok"));
                pressIfOffered(base->tbFooter, base->footerButton(QStringLiteral("Cancel")),
                               k + QStringLiteral(" Cancel"));
            }
            pressIfOffered(base->tbFooter, base->footerButton(QStringLiteral("Ok")), QStringLiteral("Ok"));
        }
        if (form) {
            form->done(QDialog::Rejected);
            delete form.data();
        }
        return presses;
    }

    QTimer closer;
};

TEST_P(HeldDatabase, IsToldInUseOnceAndNothingIsWritten) {
    const Case c = GetParam();
    const QString production = folder->productionDb();
    const QByteArray before = digest(production);
    {
        OtherProgramLock holder(production, c.lockSql);
        ASSERT_TRUE(holder.held()) << holder.output().constData();
        EXPECT_GT(pressEveryKey(c.form, true), 0);
        ASSERT_TRUE(holder.release());
    }
    EXPECT_EQ(digest(production), before) << "a held file was written";
    EXPECT_EQ(modCommon::gDBPath, production) << "a held file made the program forget the production database";
    // Let go: the same keys, and no word of a lock.
    pressEveryKey(c.form, false);
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
        for (const char *sql : {"BEGIN EXCLUSIVE", "BEGIN IMMEDIATE; UPDATE Parm SET DB_Check = DB_Check"})
            all.push_back({f, QString::fromLatin1(sql)});
    return all;
}

INSTANTIATE_TEST_SUITE_P(EveryForm, HeldDatabase, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case> &info) {
                             return info.param.form.toStdString() +
                                    (info.param.lockSql.startsWith(QLatin1String("BEGIN EXCLUSIVE")) ? "_Exclusive"
                                                                                                      : "_Writer");
                         });

} // namespace
