#pragma once
#include <QLineEdit>

namespace zv::ui {

// The program's password box: every character shows as "*", whatever mask
// the style in use would draw, and whatever style sheet the box is given.
class PasswordBox : public QLineEdit {
    Q_OBJECT
public:
    explicit PasswordBox(QWidget *parent = nullptr);

    static constexpr QChar kMask = QLatin1Char('*');
};

} // namespace zv::ui
