#pragma once
#include "FormBase.h"
#include "FormModes.h"
#include "HeaderToolbarBase.h"
#include "platform/db/Connection.h"
#include "platform/ui/KeyFilter.h"
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QVBoxLayout;

namespace zv::fw {

// What every data form shares on top of the form skeleton, whatever its
// header object: the field area, the key-press filters of its boxes, the row
// lock of the row being changed, Select through the general filter, help,
// and the delete and save questions.
//
// The single-table masters build on it through MasterForm, the header/detail
// forms through HeaderDetailForm; each of those wires its own header object.
class DataForm : public FormBase {
    Q_OBJECT
public:
    ~DataForm() override;

    using Mode = zv::fw::Mode;
    // The form's one record of its mode.
    Mode mode() const { return m_mode; }
    bool rowLocked() const { return m_lock != nullptr; }
    // An edit is open (an add or a modify; on header/detail forms also a line
    // entry): leaving the form asks the save question.
    virtual bool isEditing() const { return m_mode == Mode::Add || m_mode == Mode::Modify; }

protected:
    DataForm(const QString &caption, QWidget *parent, FormServices services);

    // Chooses a row through the general filter (the form's service) by screen
    // key: the texts of the chosen grid row, element 0 empty when nothing was chosen.
    QStringList ShowGeneralFilter(const QString &screenKey, const QString &joinCondition = QString()) const;

    template <class Header>
    void setUpToolbars(Header &header, const QStringList &headerKeys, bool withReset) {
        FormBase::setUpToolbars(header, headerKeys, FooterButtons{withReset});
        m_modeHeader = &header;
    }
    // Sets the mode; the header object's button code records it as well.
    void setMode(Mode mode);
    // The layout inside Frame1 for the form's fields.
    QVBoxLayout *fieldArea() const { return m_fieldArea; }

    // Runs the key presses of a text box through the key-press filter, in
    // one of its modes by name (zv::ui::KeyFilter::Text, ...).
    void filterKeys(QLineEdit *box, int mode, const QString &chars, bool flag = false);
    // Refuses every way of pasting into a line edit or an editable combo box
    // (paste keys, context menu, middle click, dropped text), so what reaches
    // it has passed its key rules. The clipboard itself is left alone.
    static void refusePaste(QWidget *box);

    // Row lock of the row being modified or deleted. False when another
    // connection holds it; any other failure (the connection will not open,
    // the lock file cannot be locked) reaches the caller with its own cause.
    bool takeRowLock(const QString &table, const QVariant &key);
    void releaseRowLock();

    // Help page of the form.
    void showHelp(const QString &topic);

    // "Yes" to a delete question (Yes and No, No the default, title "Question").
    static bool confirmDelete(const QString &prompt);
    // "Do you want to save the changes you made to '<subject>'?", asked on
    // leaving an edit; some of the questions have a blank before the mark.
    static QString saveChangesQuestion(const QString &subject, bool blankBeforeMark = false);

    // Leaving the form. Not editing, Esc ends it and the close box closes it.
    // Editing, the save question (Yes, No, Cancel; "Exit Confirmation"): at
    // Esc, Yes runs Ok and No runs Cancel, the form staying open; at the close
    // box, Yes closes once the edit was saved and No closes without saving.
    // The question's texts (the close-box wording may differ) and its icon:
    virtual QString escQuestion() const { return saveChangesQuestion(windowTitle()); }
    virtual QString closeQuestion() const { return escQuestion(); }
    virtual int saveQuestionIcon() const;
    virtual QString saveQuestionTitle() const { return QStringLiteral("Exit Confirmation"); }
    virtual void escYes() { tlbFooter_FooterClick(QStringLiteral("Ok")); }
    virtual void escNo() { tlbFooter_FooterClick(QStringLiteral("Cancel")); }
    // Cancel to the question, at Esc or at the close box: the edit goes on.
    virtual void saveQuestionCancelled() {}
    // Yes at the close box: true when the edit was saved and the form may close.
    virtual bool saveBeforeClose() { return false; }
    // No at the close box, before the form closes unsaved.
    virtual void closeWithoutSaving() {}
    void Form_KeyDown(int &KeyCode, int Shift) override;
    bool Form_QueryUnload() override;

    // Ends the form: withdraws the rights and releases the lock.
    void Form_Unload() override;

private:
    class BoxFilter;
    Mode m_mode = Mode::None;
    HeaderToolbarBase *m_modeHeader = nullptr;
    QVBoxLayout *m_fieldArea = nullptr;
    std::unique_ptr<zv::db::RowLock> m_lock;
    zv::ui::KeyFilter m_keyFilter;
    std::vector<std::unique_ptr<BoxFilter>> m_boxFilters;
};

inline const QString kDeleteRecord = QStringLiteral("Are you sure you want to delete this record?");

} // namespace zv::fw
