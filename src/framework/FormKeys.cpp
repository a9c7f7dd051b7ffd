#include "FormKeys.h"
#include <QWidget>

namespace zv::fw {

zv::ui::KeyPreview *keyPreviewOf(QWidget *form) {
    if (!form)
        return nullptr;
    if (auto *existing = form->findChild<zv::ui::KeyPreview *>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    auto *preview = new zv::ui::KeyPreview(form);
    preview->setParent(form);
    return preview;
}

void FormKeyHook::attach(QWidget *form) {
    detach();
    m_preview = keyPreviewOf(form);
    if (m_preview)
        m_preview->addFormHandler(this);
}

void FormKeyHook::detach() {
    if (m_preview)
        m_preview->removeFormHandler(this);
    m_preview.clear();
}

} // namespace zv::fw
