#include "FormServices.h"
#include "core/FormRegistry.h"
#include "query/frmGeneralFilter.h"
#include "query/frmSelection.h"
#include <QDialog>
#include <QMetaObject>
#include <memory>

namespace zv::masters {

namespace {

// The view of a day's allocations belongs to the activity forms, which this
// folder cannot include: it is opened by its registered name, and shown only
// when it found something to show.
void openRegisteredDayView(QWidget *owner, const QString &dateText) {
    std::unique_ptr<QDialog> view(zv::forms::createForm(zv::forms::names::frmViewActivity, owner));
    bool filled = false;
    if (view && QMetaObject::invokeMethod(view.get(), "showActivity", Qt::DirectConnection, Q_RETURN_ARG(bool, filled),
                                          Q_ARG(QString, dateText)) &&
        filled)
        view->exec();
}

} // namespace

zv::fw::FormServices formServices() {
    zv::fw::FormServices s;
    s.generalFilter = [](const QString &screenKey, const QString &join) {
        return zv::query::frmGeneralFilter::Show_Form(screenKey, join);
    };
    s.chooseEmployees = [](const zv::fw::SelectionRequest &r) {
        return zv::query::frmSelection::ShowValues(r.caption, r.sql, r.returnMode, r.current, r.keyColumn,
                                                   r.firstColumn, r.secondColumn, r.thirdColumn);
    };
    s.dayView = openRegisteredDayView;
    return s;
}

} // namespace zv::masters
