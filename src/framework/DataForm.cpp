#include "DataForm.h"
#include <QComboBox>
#include "platform/ui/BoxGuards.h"
#include "core/HelpTopic.h"
#include "core/modCommon.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/VbKeys.h"
#include <QLineEdit>
#include <QVBoxLayout>

namespace zv::fw {

class DataForm::BoxFilter : public zv::ui::KeyHandler {
public:
    BoxFilter(const zv::ui::KeyFilter &filter, QLineEdit *box, int mode, QString chars, bool flag)
        : m_filter(filter), m_box(box), m_mode(mode), m_chars(std::move(chars)), m_flag(flag) {}
    void KeyPress(int &KeyAscii) override {
        KeyAscii = m_filter.FilterKey(zv::ui::TextBox(m_box), m_mode, KeyAscii, m_chars, 0, 0, m_flag);
    }

private:
    const zv::ui::KeyFilter &m_filter;
    QLineEdit *m_box;
    int m_mode;
    QString m_chars;
    bool m_flag;
};

QStringList DataForm::ShowGeneralFilter(const QString &screenKey, const QString &joinCondition) const {
    if (!services().generalFilter)
        return {QString(), QString()};
    return services().generalFilter(screenKey, joinCondition);
}

DataForm::DataForm(const QString &caption, QWidget *parent, FormServices services)
    : FormBase(caption, parent, std::move(services)) {
    m_fieldArea = new QVBoxLayout(Frame1);
}

DataForm::~DataForm() { releaseRowLock(); }

void DataForm::setMode(Mode mode) {
    m_mode = mode;
    if (m_modeHeader)
        m_modeHeader->setH_ButtonKey(int(mode));
}

void DataForm::refusePaste(QWidget *box) {
    if (!box)
        return;
    zv::ui::refusePaste(box);
    // An editable combo box hands its keys to its line edit directly, past
    // that edit's event filters: the combo and the edit are both guarded.
    if (auto *combo = qobject_cast<QComboBox *>(box); combo && combo->lineEdit())
        zv::ui::refusePaste(combo->lineEdit());
}

void DataForm::filterKeys(QLineEdit *box, int mode, const QString &chars, bool flag) {
    m_boxFilters.push_back(std::make_unique<BoxFilter>(m_keyFilter, box, mode, chars, flag));
    zv::fw::keyPreviewOf(this)->setControlHandler(box, m_boxFilters.back().get());
}

bool DataForm::takeRowLock(const QString &table, const QVariant &key) {
    releaseRowLock();
    try {
        m_lock = db().lockRow(table, key);
        return true;
    } catch (const zv::db::RowHeld &) {
        return false;
    }
}

void DataForm::releaseRowLock() {
    if (m_lock) {
        m_lock->release();
        m_lock.reset();
    }
}

void DataForm::showHelp(const QString &topic) { zv::core::ShowHelpTopic(this, topic); }

bool DataForm::confirmDelete(const QString &prompt) {
    return zv::ui::MsgBox(prompt, zv::ui::vbYesNo + zv::ui::vbQuestion + zv::ui::vbDefaultButton2,
                          QStringLiteral("Question")) == zv::ui::vbYes;
}

int DataForm::saveQuestionIcon() const { return zv::ui::vbQuestion; }

void DataForm::Form_KeyDown(int &KeyCode, int Shift) {
    (void)Shift;
    if (KeyCode != zv::ui::vbKey::Escape)
        return;
    KeyCode = 0;
    if (!isEditing()) {
        unload();
        return;
    }
    const int answer =
        zv::ui::MsgBox(escQuestion(), zv::ui::vbYesNoCancel + saveQuestionIcon(), saveQuestionTitle());
    if (answer == zv::ui::vbYes)
        escYes();
    else if (answer == zv::ui::vbNo)
        escNo();
    else
        saveQuestionCancelled();
}

bool DataForm::Form_QueryUnload() {
    if (!isEditing())
        return true;
    const int answer =
        zv::ui::MsgBox(closeQuestion(), zv::ui::vbYesNoCancel + saveQuestionIcon(), saveQuestionTitle());
    if (answer == zv::ui::vbCancel) {
        saveQuestionCancelled();
        return false;
    }
    if (answer == zv::ui::vbYes)
        return saveBeforeClose();
    closeWithoutSaving();
    return true;
}

QString DataForm::saveChangesQuestion(const QString &subject, bool blankBeforeMark) {
    return QStringLiteral("Do you want to save the changes you made to '") + subject +
           (blankBeforeMark ? QStringLiteral("' ?") : QStringLiteral("'?"));
}

void DataForm::Form_Unload() {
    formUtility().UsrResetValue();
    releaseRowLock();
}

} // namespace zv::fw
