#pragma once
#include "platform/db/Recordset.h"
#include <QDialog>
#include <memory>

namespace zv::query {
class RecordsetGrid;
}

// Read-only list of the employees and the activities allocated to them on one
// day, from the monthly allocations the employees' program writes. The holiday
// master fills it with showActivity and then shows it modally.
class frmViewActivity : public QDialog {
    Q_OBJECT
public:
    explicit frmViewActivity(QWidget *parent = nullptr);
    ~frmViewActivity() override;

    // Lists each employee and activity description allocated on the day of
    // dateText (dd-MMM-yyyy) once, by employee name; the Plan Date column
    // repeats dateText. Does not show the window. False, with the grid empty,
    // when the text is not a date or the query failed (the failure told once).
    // Invokable by name, so the holiday master can call it through the form registry.
    Q_INVOKABLE bool showActivity(const QString &dateText);

    zv::query::RecordsetGrid *dgdActivity = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void bindColumns();

    std::shared_ptr<zv::db::Recordset> m_rs;
    bool m_placed = false;
};
