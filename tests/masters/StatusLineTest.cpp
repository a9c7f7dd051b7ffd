#include "MasterFixture.h"
#include "masters/frmDepartment.h"
#include "masters/frmHolidayMaster.h"
#include <QHelpEvent>
#include <QToolTip>

namespace {

class StatusLine : public MasterTest {};

// What the label's tooltip shows when the pointer rests on it; "" when none
// (the label leaves the event to its parent).
QString tooltipOf(QLabel *label) {
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), label->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(label, &help);
    return help.isAccepted() && QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

// A message longer than the status line is shortened, shown whole in its
// tooltip, and leaves the window as wide as it was; a short one shows as it is.
TEST_F(StatusLine, ALongMessageNeverWidensTheForm) {
    const qint64 year = insert("INSERT INTO Holday_List_Hdr (Fincl_Year) VALUES (2026)");
    answers.filter = [year](const QString &) { return QStringList{QString::number(year), "2026"}; };
    const struct {
        const char *name;
        std::function<zv::fw::FormBase *()> make;
    } forms[] = {
        {"department", [&] { return new frmDepartment(nullptr, answers.forms()); }},
        {"holiday list", [&] { return new frmHolidayMaster(nullptr, answers.forms()); }},
    };
    const QString longText = "ZVE006 - Department Name " + QString("Regional Accounts and Statutory Compliance ").repeated(4) +
                             "already exists";
    for (const auto &f : forms) {
        SCOPED_TRACE(f.name);
        std::unique_ptr<zv::fw::FormBase> form(f.make());
        showForm(*form);
        const int width = form->width();
        const int minimum = form->minimumSizeHint().width();

        form->tlbFooter.setStatus(longText);
        QCoreApplication::processEvents();
        EXPECT_EQ(form->width(), width);
        EXPECT_EQ(form->minimumSizeHint().width(), minimum);
        EXPECT_LE(form->lblStatus->width(), width);
        EXPECT_EQ(form->tlbFooter.Status(), longText);
        EXPECT_EQ(tooltipOf(form->lblStatus), longText);

        form->tlbFooter.setStatus("ZVE003 - Saved");
        QCoreApplication::processEvents();
        EXPECT_EQ(tooltipOf(form->lblStatus), "");
        EXPECT_EQ(form->width(), width);
    }
}
