#include "dateinput/QARNDATEINPUT.h"
#include "dateinput/DateText.h"
#include "dateinput/MaskKeys.h"

using namespace zv::dateinput;

QARNDATEINPUT::QARNDATEINPUT()
    : m_txtdate(kNumericMask, [this](int &KeyCode, int Shift) { numericDateKeyDown(m_txtdate.box(), KeyCode, Shift); }),
      m_txtDateTime(kDateTimeMask,
                    [this](int &KeyCode, int Shift) { dateTimeKeyDown(m_txtDateTime.box(), KeyCode, Shift); }) {}

QARNDATEINPUT::~QARNDATEINPUT() = default;

zv::ui::TextBox QARNDATEINPUT::txtdate() const { return m_txtdate.box(); }
void QARNDATEINPUT::setTxtdate(QLineEdit *box, zv::ui::KeyPreview *preview) { m_txtdate.hook(box, preview); }
zv::ui::TextBox QARNDATEINPUT::txtDateTime() const { return m_txtDateTime.box(); }
void QARNDATEINPUT::setTxtDateTime(QLineEdit *box, zv::ui::KeyPreview *preview) {
    m_txtDateTime.hook(box, preview);
}
