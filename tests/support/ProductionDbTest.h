#pragma once
// Header only: it uses the program's modCommon and message service, which
// the test executables that include it link, not zv_test_support.
#include "core/modCommon.h"
#include "platform/db/Connection.h"
#include "platform/report/FrmReportViewer.h"
#include "platform/ui/MessageService.h"
#include "support/ProgramFolder.h"
#include "support/TestServices.h"
#include <QString>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable Qt strings in failure messages.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

// A fresh program folder whose production database is the main connection,
// the administrator logged in, scripted message boxes, and a second
// connection, other, that writes the test's rows and plays another user or
// another program of the system on the same database. Forms made with
// answers.forms() ask the test for the general filter, the employee
// selection and the day view.
//
// A fixture that adds to SetUp calls ASSERT_NO_FATAL_FAILURE(ProductionDbTest::SetUp())
// first; one that adds to TearDown calls ProductionDbTest::TearDown() last.
class ProductionDbTest : public ::testing::Test {
public:
    void SetUp() override {
        modCommon::ResetState();
        folder = std::make_unique<ProgramFolder>();
        modCommon::setAppPath(folder->path());
        zv::report::setProgramFolder(folder->path());
        modCommon::gDBPath = folder->productionDb();
        modCommon::OpenDatabase();
        ASSERT_TRUE(modCommon::gConnOpen);
        modCommon::gIsAdmin = true;
        other.open(folder->productionDb());
    }
    void TearDown() override {
        other.close();
        modCommon::ResetState();
        modCommon::setAppPath(QString());
        zv::report::setProgramFolder(QString());
        folder.reset();
    }

    qint64 insert(const QString &sql, const QVariantList &values = {}) {
        other.execute(sql, values);
        return other.lastInsertId();
    }
    QVariant scalar(const QString &sql, const QVariantList &values = {}) { return other.scalar(sql, values); }

    std::unique_ptr<ProgramFolder> folder;
    zv::ui::ScriptedMessageService messages;
    // The windows of the layers above, answered by the test: forms under test
    // are made with answers.forms().
    TestServices answers;
    zv::db::Connection other;
};
