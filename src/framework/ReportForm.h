#pragma once
#include "FormBase.h"
#include "clsGeneralHeader.h"
#include "clsHeader.h"

namespace zv::fw {

// The report-form base on the form skeleton: a header that shows Exit only,
// the footer with Ok and Cancel, the footer's progress step, Esc and the
// exit question, the password change key, and failures shown in the report
// forms' box.
class ReportForm : public FormBase {
    Q_OBJECT
public:
    clsHeader tlbHeader;
    clsGeneralHeader utility;

public slots:
    // Exit closes the form (the form's exit question first).
    void tlbHeader_HeaderClick(const QString &Key) override;

protected:
    explicit ReportForm(QWidget *parent);

    FormUtilityBase &formUtility() override { return utility; }

    // Load, steps 1 to 5: the header shows Exit only, the footer Ok and Cancel.
    void setUpToolbars();

    // The footer buttons' progress step: status cleared, pending events let
    // run, code shown with "Report is ", hourglass, focus out and back.
    void progressStep(const QString &code);
    // Ok's work.
    virtual void Ok() = 0;
    // The footer of the forms that show their progress: the progress step
    // with progressCode, then Ok runs Ok(); Cancel clears the status and
    // closes the form. The pointer is normal again, except during Ok.
    void footerStep(const QString &Key, const QString &progressCode);

    // "Do you want to exit?" with Yes and No, No the default: whether Yes.
    static bool exitConfirmed(const QString &title);
    // Closes the form; ask false skips Form_QueryUnload.
    void unloadForm(bool ask = true);
    void exitForm() override { unloadForm(); }
    // Focus to a control when it is enabled and visible.
    static void focusIfAble(QWidget *w) { focusIfUsable(w); }

    // Esc closes the form; Ctrl+Home opens the password change where the
    // form has the key (m_passwordKey).
    void Form_KeyDown(int &KeyCode, int Shift) override;

    // An unexpected failure: error number, a line break and the description,
    // in a box with the program's title.
    void showFailure(const std::exception &e) override;

    bool m_passwordKey = false;
};

} // namespace zv::fw
