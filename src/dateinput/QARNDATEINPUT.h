#pragma once
#include "dateinput/MaskedBox.h"
#include "platform/ui/TextBox.h"

class QLineEdit;

namespace zv::ui { class KeyPreview; }

// The numeric date-entry object: turns a text box into the masked date field
// "__/__/____" (dd/mm/yyyy), and another into the date-and-time field
// "__/__/____ __:__ _M". It validates nothing (see QARNDATEVALIDATE).
class QARNDATEINPUT {
public:
    QARNDATEINPUT();
    ~QARNDATEINPUT();
    QARNDATEINPUT(const QARNDATEINPUT &) = delete;
    QARNDATEINPUT &operator=(const QARNDATEINPUT &) = delete;

    // Setting another box moves the hooking; nullptr releases it. preview:
    // the form's key preview (see MaskedBox::hook).
    zv::ui::TextBox txtdate() const;
    void setTxtdate(QLineEdit *box, zv::ui::KeyPreview *preview = nullptr);
    zv::ui::TextBox txtDateTime() const;
    void setTxtDateTime(QLineEdit *box, zv::ui::KeyPreview *preview = nullptr);

private:
    zv::dateinput::MaskedBox m_txtdate;
    zv::dateinput::MaskedBox m_txtDateTime;
};
