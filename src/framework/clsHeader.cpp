#include "clsHeader.h"
#include "platform/ui/VbKeys.h"

QString clsHeader::GetToolTip(const QString &key) {
    static const struct {
        const char *key;
        const char *tip;
        bool hotKey;
    } tips[] = {{"Add", "Add - F2", true},         {"Modify", "Modify - F3", true},
                {"Delete", "Delete - F4", true},   {"Select", "Select - F8", true},
                {"Attachment", "Attachment - F7", false}, {"Refresh", "Refresh - F11", true},
                {"Help", "Help - F1", true},       {"Print", "Print - F12", false},
                {"Exit", "Exit - Esc", false}};
    for (const auto &t : tips) {
        if (key != QLatin1String(t.key))
            continue;
        if (t.hotKey && !m_loaded.contains(key))
            m_loaded << key;
        return QString::fromLatin1(t.tip);
    }
    return QString();
}

int clsHeader::buttonCode(const QString &key, int /*previous*/) const {
    static const char *const codes[] = {"Add", "Modify", "Delete", "Attachment", "Select", "Refresh"};
    for (int i = 0; i < 6; ++i)
        if (key == QLatin1String(codes[i]))
            return i + 1;
    return 0;
}

void clsHeader::ParentForm_KeyDown(int &KeyCode, int Shift) {
    using namespace zv::ui;
    if (Shift != 0)
        return;
    QString key;
    switch (KeyCode) {
    case vbKey::F1: key = QStringLiteral("Help"); break;
    case vbKey::F2: key = QStringLiteral("Add"); break;
    case vbKey::F3: key = QStringLiteral("Modify"); break;
    case vbKey::F4: key = QStringLiteral("Delete"); break;
    case vbKey::F8: key = QStringLiteral("Select"); break;
    case vbKey::F11: key = QStringLiteral("Refresh"); break;
    default: return;
    }
    if (!m_loaded.contains(key))
        return;
    hotKeyClick(key, KeyCode, true);
}
