#include "ReportFixture.h"
#include "reports/frmGenReport.h"
#include "reports/frmGenReport1.h"
#include "reports/frmGenReportDev4.h"

#include <QApplication>
#include <QKeyEvent>
#include <memory>

namespace {

// A quick tap: the key's release reaches the form while the key's action
// still runs (the progress step lets events through; a modal window of the
// action is open), before the key press itself has been delivered.
class OneActionPerKey : public ReportTest {
public:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ReportTest::SetUp());
        target(asha, "Due today", today(-9), today(0));
    }
    static QWidget *focusIn(QWidget &form) {
        QWidget *w = QApplication::focusWidget();
        return w && w->window() == &form ? w : &form;
    }
    // Press, with the release posted for the progress step or sent from
    // inside the window the action opens.
    void tap(QWidget &form, Qt::Key k, bool releaseInsideModal) {
        QWidget *target = focusIn(form);
        if (releaseInsideModal)
            whileModal = [target, k] { QTest::keyRelease(target, k); };
        else
            QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, k, Qt::NoModifier));
        QTest::keyPress(target, k);
        QCoreApplication::processEvents();
        whileModal = nullptr;
    }
    std::function<void()> whileModal;
};

// A message service that runs the test's step while a question is open.
class AskingService : public zv::ui::ScriptedMessageService {
public:
    explicit AskingService(std::function<void()> &during) : m_during(during) {}
    int MsgBox(const QString &prompt, int buttons, const QString &title) override {
        if (m_during)
            m_during();
        return ScriptedMessageService::MsgBox(prompt, buttons, title);
    }

private:
    std::function<void()> &m_during;
};

TEST_F(OneActionPerKey, F9OpensOneViewer) {
    whileShown = [this] {
        if (whileModal)
            whileModal();
    };
    const struct {
        const char *name;
        std::function<zv::reports::ReportFilterForm *()> make;
    } forms[] = {
        {"target date", [] { return new frmGenReport; }},
        {"pending works", [] { return new frmGenReportDev4; }},
    };
    for (const auto &f : forms) {
        for (bool insideModal : {false, true}) {
            std::unique_ptr<zv::reports::ReportFilterForm> form(f.make());
            showForm(*form);
            shown = ShownReport();
            tap(*form, Qt::Key_F9, insideModal);
            EXPECT_EQ(shown.count, 1) << f.name << (insideModal ? ", inside the viewer" : ", progress step");
        }
    }
}

TEST_F(OneActionPerKey, F10AsksToExitOnce) {
    AskingService asking(whileModal);
    const struct {
        const char *name;
        std::function<zv::reports::ReportFilterForm *()> make;
    } forms[] = {
        {"target date", [] { return new frmGenReport; }},
        {"planner", [] { return new frmGenReport1; }},
    };
    for (const auto &f : forms) {
        for (bool insideModal : {false, true}) {
            std::unique_ptr<zv::reports::ReportFilterForm> form(f.make());
            showForm(*form);
            asking.clear();
            asking.answer(zv::ui::vbNo);   // a second question would get its default, No, as well
            tap(*form, Qt::Key_F10, insideModal);
            EXPECT_EQ(asking.prompts(), QStringList{"Do you want to exit?"})
                << f.name << (insideModal ? ", inside the question" : ", progress step");
            EXPECT_TRUE(form->isVisible()) << f.name;
        }
    }
}

} // namespace
