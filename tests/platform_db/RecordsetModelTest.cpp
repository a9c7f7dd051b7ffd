#include "platform/db/RecordsetModel.h"
#include "support/ModelCheck.h"
#include <gtest/gtest.h>

using namespace zv::db;

// Qt's model tester finds nothing wrong while the model is loaded, sorted,
// reset to other fields and emptied; the view's cells follow each step.
TEST(RecordsetModel, PassesTheModelTesterThroughLoadSortAndReset) {
    RecordsetModel model;
    ModelCheck check(&model);
    auto rs = std::make_shared<Recordset>(QStringList{"Code", "Name", "Join_Date"},
                                          QVector<Recordset::Row>{{1, "banana", "2026-03-01"},
                                                                  {2, "Apple", QVariant()},
                                                                  {3, "cherry", "2025-01-15"}});
    model.setRecordset(rs);
    model.setCaptions({"Code", "", "Joined"});
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Name");
    EXPECT_EQ(model.data(model.index(0, 2)).toString(), "01-Mar-2026");

    rs->sort("Name DESC");
    model.refresh();
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "cherry");
    EXPECT_EQ(model.data(model.index(2, 1)).toString(), "Apple");

    model.setRecordset(std::make_shared<Recordset>(QStringList{"Only"}, QVector<Recordset::Row>{}));
    EXPECT_EQ(model.columnCount(), 1);
    EXPECT_EQ(model.rowCount(), 0);
    model.setRecordset(nullptr);
    EXPECT_EQ(model.columnCount(), 0);
    EXPECT_FALSE(model.headerData(0, Qt::Horizontal).isValid());

    EXPECT_EQ(check.findings(), QStringList());
}

namespace {

// A table whose cells claim an alignment that is none.
class BadAlignment : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : 2; }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : 2; }
    QVariant data(const QModelIndex &, int role) const override {
        return role == Qt::TextAlignmentRole ? QVariant(0x7fff0000) : QVariant();
    }
};

} // namespace

// The check reports what the tester finds rather than passing everything.
TEST(RecordsetModel, TheModelCheckReportsAModelThatBreaksTheRules) {
    BadAlignment bad;
    ModelCheck check(&bad);
    EXPECT_FALSE(check.findings().isEmpty());
}
