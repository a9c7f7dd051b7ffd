#pragma once
#include "dateinput/DateText.h"
#include "dateinput/MaskedBox.h"
#include "platform/ui/TextBox.h"
#include <QString>

class QLineEdit;

namespace zv::ui { class KeyPreview; }

// The date-entry object of the forms: turns a text box into the masked date
// field "__-___-____" (07-Mar-2004) and validates dates and times, showing
// the coded status messages ZVE128, ZVE129 and ZVE130 through the status
// hook the caller passes (the form's utility object and footer). A failure
// of the hook (its read of the message) is let through: a date is never
// answered "not valid" from a read that failed.
class clsDATEVALIDATE {
public:
    clsDATEVALIDATE();
    ~clsDATEVALIDATE();
    clsDATEVALIDATE(const clsDATEVALIDATE &) = delete;
    clsDATEVALIDATE &operator=(const clsDATEVALIDATE &) = delete;

    // The hooked date box; setting another box moves the hooking, nullptr
    // releases it. preview: the form's key preview (see MaskedBox::hook).
    zv::ui::TextBox txtdate() const;
    void setTxtdate(QLineEdit *box, zv::ui::KeyPreview *preview = nullptr);
    // The hooked date-and-time box "__/__/____ __:__ _M".
    zv::ui::TextBox txtDateTime() const;
    void setTxtDateTime(QLineEdit *box, zv::ui::KeyPreview *preview = nullptr);

    using StatusDisplay = zv::dateinput::StatusDisplay;

    // Date and time: "5-Jan-2004 07:05 PM"; the blank "__/___/____ __:__ _M"
    // when no date is given; empty when refused (a message is shown). Reads
    // the date-and-time box's layout and also "dd-MMM-yyyy hh:mm AM".
    QString validateDateTime(const QString &DateTimeText, const StatusDisplay &Footer, const QString &DateFormat,
                             bool Mandatory, const QString &MinYear, const QString &Caption);
    // As validateDate, without any message.
    QString validateDateWithOutTBL(const QString &DateText, const QString &DateFormat, bool Mandatory,
                                   const QString &MinYear);
    // "05-Jan-2004" -> "5-Jan-2004"; the blank mask "__-___-____" when nothing
    // was typed (ZVE128 with the caption first when Mandatory); empty when the
    // text is no date (ZVE129 shown). MinYear empty means 1800. DateFormat
    // does not change how the text is read.
    QString validateDate(const QString &DateText, const StatusDisplay &Footer, const QString &DateFormat,
                         bool Mandatory, const QString &MinYear, const QString &Caption);
    // "05/01/2004" -> "'05-Jan-2004'"; "Null" when no date.
    QString GetDate(const QString &DateText);
    // "hh:mm AM"/"hh:mm PM"; "__:__ _M" for a blank time; empty when refused.
    // Every refusal with a message shows ZVE130 with the caption first.
    QString validateTime(const QString &TimeText, const StatusDisplay &Footer, const QString &Caption);
    // "'05-Jan-2004 07:05 PM'"; "NULL" when the text is no date.
    QString GetDateTime(const QString &DateTimeText);
    // 1 -> "Jan" ... 12 -> "Dec"; any other number "___" (and the date box's
    // caret position goes back to the start of the month).
    QString GetMonth(int MonthNumber);

private:
    QString checkDate(const QString &t, const StatusDisplay *F, bool M, const QString &Y, const QString &C);
    void DisplayStatus(const QString &code, const StatusDisplay *Footer, const QString &prefix,
                       const QString &suffix);
    void txtdate_KeyDown(int &KeyCode, int Shift);

    zv::dateinput::MaskedBox m_txtdate;
    zv::dateinput::MaskedBox m_txtDateTime;
    int m_caret = 0;   // the date box's caret position between the steps of one key
};
