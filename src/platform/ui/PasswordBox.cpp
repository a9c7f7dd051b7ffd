#include "PasswordBox.h"
#include <QProxyStyle>

namespace zv::ui {

namespace {

class MaskStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return PasswordBox::kMask.unicode();
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

PasswordBox::PasswordBox(QWidget *parent) : QLineEdit(parent) {
    setEchoMode(QLineEdit::Password);
    auto *style = new MaskStyle;
    style->setParent(this);
    setStyle(style);
}

} // namespace zv::ui
