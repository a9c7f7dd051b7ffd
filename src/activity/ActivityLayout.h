#pragma once
#include "platform/ui/Ui.h"
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

// The Activity Master's layout as designed (in twips) and the small
// placing helpers its source files share.
namespace zv::activity {

// The tab strips of the picker, in twips.
inline constexpr int kTabWidth = 5415;
inline constexpr int kTabHeight = 3105;

// The frequency combo and the department combo, in twips: the picker is
// placed by them.
inline constexpr int kFreqLeft = 2160;
inline constexpr int kFreqTop = 2070;
inline constexpr int kFreqHeight = 315;
inline constexpr int kComboWidth = 5340;

// The picture box's background, the form's colour.
inline const QColor kPictureBack(224, 224, 224);

// Places a control by twips, as the form was designed.
inline void place(QWidget *w, int left, int top, int width, int height) {
    w->setGeometry(zv::ui::twipsToPixels(left), zv::ui::twipsToPixels(top), zv::ui::twipsToPixels(width),
                   zv::ui::twipsToPixels(height));
}

// An editable field is white, a locked one disabled and grey.
inline void setFieldEnabled(QWidget *w, bool enabled) {
    w->setEnabled(enabled);
    const char *colour = enabled ? "#FFFFFF" : "#E0E0E0";
    if (qobject_cast<QComboBox *>(w))
        w->setStyleSheet(QStringLiteral("QComboBox { background-color: %1; }").arg(QLatin1String(colour)));
    else
        w->setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; }").arg(QLatin1String(colour)));
}

// Set while the form fills its own fields: their change handlers stay quiet.
class SettingUp {
public:
    explicit SettingUp(bool &flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~SettingUp() { m_flag = m_was; }
    SettingUp(const SettingUp &) = delete;
    SettingUp &operator=(const SettingUp &) = delete;

private:
    bool &m_flag;
    bool m_was;
};

} // namespace zv::activity
