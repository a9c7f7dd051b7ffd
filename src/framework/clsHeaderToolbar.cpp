#include "clsHeaderToolbar.h"
#include "platform/ui/VbKeys.h"

QString clsHeaderToolbar::GetToolTip(const QString &key) {
    static const char *const tips[][2] = {
        {"Add", "Add - F2"},         {"Modify", "Modify - F3"},
        {"Delete", "Delete - F4"},   {"Filter", "Select - F8"},
        {"DetailAdd", "DetailAdd - F5"}, {"DetailModify", "DetailModify - F6"},
        {"DetailDelete", "DetailDelete - F7"}, {"Select", "Select - F8"},
        {"Format", "Format - F7"},   {"Refresh", "Refresh - F11"},
        {"Sort", "Sort"},            {"Find", "Find"},
        {"Print", "Print - F12"},    {"Help", "Help - F1"},
        {"Exit", "Exit - Esc"}};
    for (const auto &t : tips)
        if (key == QLatin1String(t[0]))
            return QString::fromLatin1(t[1]);
    return QString();
}

int clsHeaderToolbar::buttonCode(const QString &key, int previous) const {
    static const char *const codes[] = {"Add",       "Modify",       "Delete",      "Attachment",
                                        "Select",    "DetailAdd",    "DetailModify", "DetailDelete"};
    for (int i = 0; i < 8; ++i)
        if (key == QLatin1String(codes[i]))
            return i + 1;
    if (key == QLatin1String("Help"))
        return previous;
    return -1;
}

void clsHeaderToolbar::ParentForm_KeyDown(int &KeyCode, int Shift) {
    using namespace zv::ui;
    if (Shift != 0)
        return;
    static const struct {
        int code;
        const char *key;
    } hotKeys[] = {{vbKey::F1, "Help"},       {vbKey::F2, "Add"},          {vbKey::F3, "Modify"},
                   {vbKey::F4, "Delete"},     {vbKey::F8, "Select"},       {vbKey::F11, "Refresh"},
                   {vbKey::F5, "DetailAdd"},  {vbKey::F6, "DetailModify"}, {vbKey::F7, "DetailDelete"},
                   {vbKey::F12, "Print"}};
    for (const auto &hk : hotKeys) {
        if (KeyCode != hk.code)
            continue;
        // A button the form did not load counts as neither enabled nor visible.
        // F1 stays with the form too, which may show its help itself.
        hotKeyClick(QString::fromLatin1(hk.key), KeyCode, hk.code != vbKey::F1);
        return;
    }
}
