#pragma once
#include "support/FormActions.h"
#include "activity/frmActvtyMast.h"
#include "framework/DataForm.h"
#include "platform/db/Dates.h"
#include "query/RecordsetGrid.h"
#include "support/ProductionDbTest.h"
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>
#include <string>

// The production database test (the second connection plays another user or
// the employees' program) with the transaction period 01-Apr-2024 to
// 31-Mar-2025, two departments and two employees.
using zv::activity::DetailMode;
using zv::activity::HeaderMode;

class ActivityTest : public ProductionDbTest {
public:
    // Sys_Const keys of the frequencies, in list order.
    static constexpr qint64 kAdhoc = 13, kDaily = 14, kMonthly = 15, kWeekly = 16;

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ProductionDbTest::SetUp());
        modCommon::gStartPeriod = "01-Apr-2024";
        modCommon::gEndPeriod = "31-Mar-2025";
        other.execute("UPDATE Parm SET Start_Period = '2024-04-01', End_Period = '2025-03-31'");
        accounts = insert("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Accounts')");
        stores = insert("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Stores')");
        const qint64 clerk = insert("INSERT INTO Desg_Mast (Desg_Name) VALUES ('Clerk')");
        asha = insert("INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num) VALUES ('E1', 'Asha', ?, ?)",
                      {clerk, accounts});
        ravi = insert("INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num) VALUES ('E2', 'Ravi', ?, ?)",
                      {clerk, stores});
    }
    void TearDown() override {
        form.reset();
        ProductionDbTest::TearDown();
    }

    int count(const QString &sql, const QVariantList &values = {}) { return scalar(sql, values).toInt(); }

    // Rows written as the employees' program or an earlier session would.
    qint64 activity(const QString &desc, const QString &entry = "2024-04-01") {
        const qint64 key = insert("INSERT INTO Actvty_Mast (Entry_Date, Actvty_Desc, Remk) VALUES (?, ?, '')", {entry, desc});
        other.execute("UPDATE Actvty_Mast SET Sys_Lock_Num = ? WHERE Sys_Actvty_Num = ?", {key, key});
        return key;
    }
    qint64 line(qint64 act, const QString &start, const QString &end, qint64 freq = kWeekly,
                const QVariant &lastGenerated = QVariant(), qint64 assignBy = 0) {
        const qint64 key = insert("INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num, Sys_Dept_Num, Sys_Emp_Num, Start_Date, "
                                  "End_Date, Last_Gnrtd_Date, Sys_Const_Num, Assign_By) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                                  {act, accounts, asha, start, end, lastGenerated, freq, assignBy});
        if (freq == kWeekly)
            other.execute("INSERT INTO Actvty_Mast_Freq (Sys_Actvty_Num, Sys_Actvty_Line_Num, DOW) VALUES (?, ?, 2)",
                          {act, key});
        return key;
    }
    void entry(qint64 act, qint64 ln, const QString &expected, const QVariant &completed = QVariant()) {
        other.execute("INSERT INTO Statry_Cmpltd_Entry (Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Emp_Num, Expctd_Date, "
                      "Cmpltd_Date) VALUES (?, ?, ?, ?, ?)",
                      {act, ln, asha, expected, completed});
    }
    // The rule rows of a line as "Mnth/Dow/Days" texts in the order written.
    QStringList rules(qint64 ln) {
        auto rs = other.query("SELECT Mnth || '/' || Dow || '/' || Days FROM Actvty_Mast_Freq "
                              "WHERE Sys_Actvty_Line_Num = ? ORDER BY Sys_Actvty_Freq_num",
                              {ln});
        QStringList out;
        for (int i = 0; i < rs.recordCount(); ++i)
            out << rs.valueAt(i, 0).toString();
        return out;
    }

    // ------------------------------------------------------------ the form
    void open() {
        form = std::make_unique<zv::activity::frmActvtyMast>(nullptr, answers.forms());
        form->show();
        QApplication::setActiveWindow(form.get());
        QApplication::processEvents();
    }
    // Select through the general filter, answered as the filter window would.
    void select(qint64 key) {
        answers.filter =
            [key](const QString &screenKey) {
                EXPECT_EQ(screenKey, "ACTMASTAS");
                return QStringList{QString::number(key), "", "", ""};
            };
        press(Qt::Key_F8);
    }
    // The form opened on the activity.
    void showActivity(qint64 key) {
        open();
        select(key);
        ASSERT_EQ(form->activityKey(), key);
    }
    // A key whose question is answered Yes.
    void confirmed(Qt::Key k) {
        messages.answer(zv::ui::vbYes);
        press(k);
    }
    // A key pressed where the focus is (the form when nothing in it has the focus).
    void press(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget *target = QApplication::focusWidget();
        if (!target || target->window() != form.get())
            target = form.get();
        QTest::keyClick(target, k, mods);
    }
    void clickHeader(const QString &key) { click(form->tbHeader, form->headerButton(key)); }
    void clickFooter(const QString &key) { click(form->tbFooter, form->footerButton(key)); }
    bool on(const QString &key) const {
        QAction *a = form->headerButton(key);
        return a && a->isEnabled() && a->isVisible();
    }
    QString statusCode() const { return form->lblStatus->text().left(6); }
    QString statusText() const { return form->lblStatus->text(); }

    // Typing into a box, as the user would: the focus first.
    void type(QWidget *box, const QString &text) {
        box->setFocus();
        QApplication::processEvents();
        if (auto *edit = qobject_cast<QLineEdit *>(box))
            edit->setCursorPosition(0);
        QTest::keyClicks(box, text);
    }
    // A masked date typed over the mask ("01apr2024").
    void typeDate(QLineEdit *box, const QString &text) { type(box, text); }
    // A frequency chosen by typing its first letter over the text.
    void chooseFrequency(const QString &letter) {
        form->cmbFreq->setFocus();
        QApplication::processEvents();
        form->cmbFreq->lineEdit()->selectAll();
        QTest::keyClicks(form->cmbFreq, letter);
    }
    void chooseByText(QComboBox *c, const QString &text) {
        c->setFocus();
        const int i = c->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        c->setCurrentIndex(i);
        emit c->activated(i);
    }
    // The cell whose top-left corner is at (x, y) twips, clicked in its middle.
    void clickCell(int x, int y) {
        const int half = form->picker->CellSize / 2;
        QTest::mouseClick(form->picker->PicMain, Qt::LeftButton, {}, QPoint((x + half) / 15, (y + half) / 15));
    }
    // Cells by grid: weekly (weekday k 1..7), "Month" tab (date), "Week" tab (ordinal, weekday), ad-hoc (date).
    void clickWeekday(int k) { clickCell(form->picker->GridLeft, form->picker->GridTop + (k - 1) * form->picker->RowPitch); }
    void clickDate(int date) {
        const auto *p = form->picker;
        clickCell(p->GridLeft + (date - 1) % 7 * p->ColPitch, p->GridTop + (date - 1) / 7 * p->RowPitch);
    }
    void clickNth(int ordinal, int weekday) {
        const auto *p = form->picker;
        clickCell(p->nthFirstCellLeft() + (weekday - 1) * p->ColPitch, p->GridTop + ordinal * p->RowPitch);
    }

    // DetailAdd with the dates typed (start only when given) and the frequency chosen.
    void beginLine(const QString &start, const QString &end, const QString &freqLetter) {
        press(Qt::Key_F5);
        ASSERT_EQ(form->lineMode(), DetailMode::DetailAdd);
        if (!start.isEmpty())
            typeDate(form->txtStartDate, start);
        typeDate(form->txtEndDate, end);
        chooseByText(form->cmbDept, "Accounts");
        chooseByText(form->CmbResP, "Asha");
        if (!freqLetter.isEmpty())
            chooseFrequency(freqLetter);
    }
    // A row of the lines grid clicked (or double-clicked) on its Start Date cell.
    QPoint rowPoint(int row) {
        const QModelIndex idx = form->dgdAM->model()->index(row, 2);
        return form->dgdAM->visualRect(idx).center();
    }
    void clickRow(int row) { QTest::mouseClick(form->dgdAM->viewport(), Qt::LeftButton, {}, rowPoint(row)); }
    void doubleClickRow(int row) {
        clickRow(row);
        QTest::mouseDClick(form->dgdAM->viewport(), Qt::LeftButton, {}, rowPoint(row));
    }
    QString cell(int row, int column) { return form->dgdAM->gridModel()->cellText(row, column); }
    int currentRow() {
        const auto rs = form->dgdAM->recordset();
        return rs ? rs->currentIndex() : -1;
    }

    qint64 newestLine() { return scalar("SELECT MAX(Sys_Actvty_Line_Num) FROM Actvty_Mast_Det").toLongLong(); }

    // Everything the activity forms may write.
    QString contents() {
        QString all;
        for (const char *table : {"Actvty_Mast", "Actvty_Mast_Det", "Actvty_Mast_Freq", "Statry_Cmpltd_Entry"}) {
            auto rs = other.query(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2").arg(QLatin1String(table)));
            for (int r = 0; r < rs.recordCount(); ++r) {
                for (int c = 0; c < rs.fieldCount(); ++c)
                    all += rs.valueAt(r, c).toString() + '|';
                all += '\n';
            }
        }
        return all;
    }
    // The boxes that tell a failure: every box but the questions the user
    // answers and the update's word of success.
    static inline const QString kUpdated = QStringLiteral("All the records updated successfully");
    QStringList told() const {
        QStringList out;
        for (const auto &m : messages.shown())
            if ((m.buttons & 7) == zv::ui::vbOKOnly && m.prompt != kUpdated)
                out << m.prompt;
        return out;
    }

    // Everything the form shows and where it stands, to compare before and
    // after a key that failed: it must leave the form as it was.
    std::string formState() const {
        const auto on = [](const QWidget *w) { return QString(w->isEnabled() ? "+" : "-"); };
        QStringList s{QString::number(int(form->headerMode())), QString::number(int(form->lineMode())),
                      QString::number(form->activityKey()), QString::number(form->lineKey()),
                      form->lineView() ? "view" : "", form->rowLocked() ? "locked" : ""};
        for (QLineEdit *box :
             {form->txtEntryDate, form->txtActDesc, form->txtRemarks, form->txtStartDate, form->txtEndDate})
            s << box->text() + on(box);
        for (QComboBox *c : {form->cmbDept, form->CmbResP, form->cmbFreq})
            s << c->currentText() + "#" + QString::number(c->currentIndex()) + on(c);
        s << (form->fraDet->isVisible() ? "frame " : "") + form->fraDet->title()
          << QString::number(int(form->picker->kind())) + (form->picker->PicMain->isVisible() ? " picker" : "")
          << "grid" + on(form->dgdAM) + QString::number(form->dgdAM->lines().size()) + "@" +
                 QString::number(form->dgdAM->position());
        for (QToolBar *bar : {form->tbHeader, form->tbFooter})
            for (QAction *a : bar->actions())
                if (!a->objectName().isEmpty())
                    s << a->objectName() + (a->isEnabled() ? "+" : "-") + (a->isVisible() ? "" : "h");
        s << form->lblStatus->text();
        return s.join('|').toStdString();
    }

    std::unique_ptr<zv::activity::frmActvtyMast> form;
    qint64 accounts = 0, stores = 0, asha = 0, ravi = 0;
};

inline const QString kDeleteQuestion = QStringLiteral("Are you sure you want to delete this record?");
inline const QString kDeleteWithEntries =
    QStringLiteral("Are you sure you want to delete this record with Activity Projector/Actuals Planner Details?");
inline const QString kSaveQuestion = QStringLiteral("Do you want to save the changes you made to 'Activity Master'?");
