#include "ActivityFixture.h"
#include "core/FormRegistry.h"
#include "core/MDIZVS.h"
#include "activity/ActivityForms.h"
#include "platform/help/Help.h"
#include "platform/help/HelpWindow.h"
#include "support/Modal.h"
#include <QFile>
#include <QTimer>

using zv::ui::vbCancel;
using zv::ui::vbNo;
using zv::ui::vbYes;

namespace {

class Closing : public ActivityTest {
public:
    void startAdd() {
        press(Qt::Key_F2);
        typeDate(form->txtEntryDate, "01apr2024");
    }
};

// Esc while editing asks the save question and never closes the form: Cancel stays,
// No cancels, Yes saves or shows why not. Esc in view closes it.
TEST_F(Closing, EscAsksWhileEditing) {
    open();
    startAdd();
    messages.answer(vbCancel);
    press(Qt::Key_Escape);
    ASSERT_EQ(messages.prompts(), QStringList{kSaveQuestion});
    EXPECT_EQ(messages.shown().at(0).title, "Exit Confirmation");
    EXPECT_EQ(messages.shown().at(0).buttons, zv::ui::vbYesNoCancel + zv::ui::vbExclamation);
    EXPECT_EQ(form->headerMode(), HeaderMode::Add);

    messages.answer(vbYes);   // no description yet
    press(Qt::Key_Escape);
    EXPECT_EQ(statusCode(), "ZVE128");
    EXPECT_EQ(form->headerMode(), HeaderMode::Add);
    EXPECT_TRUE(form->isVisible());

    type(form->txtActDesc, "Audit");
    messages.answer(vbYes);
    press(Qt::Key_Escape);
    EXPECT_EQ(statusCode(), "ZVE003");
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast WHERE Actvty_Desc = 'Audit'"), 1);
    EXPECT_TRUE(form->isVisible());

    press(Qt::Key_F3);
    form->txtActDesc->setText("Changed");
    messages.answer(vbNo);
    press(Qt::Key_Escape);
    EXPECT_EQ(form->headerMode(), HeaderMode::None);
    EXPECT_EQ(form->txtActDesc->text(), "Audit");
    EXPECT_TRUE(form->isVisible());

    messages.clear();
    press(Qt::Key_Escape);
    EXPECT_TRUE(messages.prompts().isEmpty());
    EXPECT_FALSE(form->isVisible());
}

// The close box in Add: Yes with a refused save keeps the form open with the reason;
// No closes without saving.
TEST_F(Closing, CloseBoxInAdd) {
    open();
    startAdd();
    messages.answer(vbYes);
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(statusCode(), "ZVE128");
    EXPECT_TRUE(statusText().contains("Activity Description"));

    type(form->txtActDesc, "Audit");
    messages.answer(vbNo);
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast"), 0);
}

// A line opened by a double click is only shown; Esc returns to view without a question.
TEST_F(Closing, LineViewAndEsc) {
    const qint64 act = activity("Audit");
    const qint64 ln = line(act, "2024-05-01", "2024-05-31", kMonthly);
    other.execute("INSERT INTO Actvty_Mast_Freq (Sys_Actvty_Num, Sys_Actvty_Line_Num, Days, DOW) VALUES (?, ?, 2, 3)",
                  {act, ln});
    open();
    select(act);
    doubleClickRow(0);
    ASSERT_TRUE(form->lineView());
    EXPECT_EQ(form->fraDet->title(), "View Schedule Details");
    EXPECT_TRUE(form->fraDet->isVisible());
    for (QWidget *w : std::initializer_list<QWidget *>{form->txtStartDate, form->txtEndDate, form->cmbDept,
                                                       form->CmbResP, form->cmbFreq, form->picker->PicMain, form->picker->sstMnth})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    // The nth-weekday rule opens the "Week" tab with its cell picked.
    EXPECT_EQ(form->picker->sstMnth->currentIndex(), 1);
    EXPECT_EQ(form->picker->cells.MonthWeekCells[1][2], 1);
    EXPECT_FALSE(form->rowLocked());

    press(Qt::Key_Escape);
    EXPECT_TRUE(messages.prompts().isEmpty());
    EXPECT_FALSE(form->lineView());
    EXPECT_FALSE(form->fraDet->isVisible());
    EXPECT_EQ(form->lineMode(), DetailMode::None);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(rules(ln), QStringList{"0/3/2"});

    // Alt+F2 refreshes while the frame is hidden.
    other.execute("UPDATE Actvty_Mast SET Remk = 'Again' WHERE Sys_Actvty_Num = ?", {act});
    press(Qt::Key_F2, Qt::AltModifier);
    EXPECT_EQ(form->txtRemarks->text(), "Again");
}

// Master menu, Activity Master: the registered form opens modally and Esc closes it.
TEST_F(Closing, FromTheMainWindow) {
    zv::forms::clearRegistry();
    zv::activity::registerForms(answers.forms());
    MDIZVS *main = MDIZVS::instance();
    main->applyEnablingRule(true);
    ASSERT_TRUE(main->mnuActvtyMast->isEnabled());
    QString title;
    onModal<zv::activity::frmActvtyMast>([&](zv::activity::frmActvtyMast *f) {
        title = f->windowTitle();
        QTest::keyClick(f, Qt::Key_Escape);
    });
    main->mnuActvtyMast->trigger();
    EXPECT_EQ(title, "Activity Master");
    EXPECT_EQ(modCommon::gScreenTitle, "Activity Master");
    EXPECT_EQ(main->windowTitle(), MDIZVS::CaptionText("01-Apr-2024", "31-Mar-2025"));
    zv::forms::clearRegistry();
}

TEST_F(Closing, HelpOpensTheFormsPage) {
    open();
    press(Qt::Key_F1);
    EXPECT_EQ(messages.prompts(), QStringList{"Help not available"});
    messages.clear();
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZV_HELP_FILE), folder->file("Help/ZVA.qch")));
    press(Qt::Key_F1);
    EXPECT_TRUE(messages.prompts().isEmpty());
    zv::help::HelpWindow *help = zv::help::currentWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->currentUrl().toString().endsWith("ActivityMaster.htm", Qt::CaseInsensitive))
        << help->currentUrl().toString().toStdString();
    delete help;
}

} // namespace
