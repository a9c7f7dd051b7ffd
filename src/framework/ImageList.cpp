#include "ImageList.h"
#include "FrameworkErrors.h"
#include "platform/ui/Ui.h"

ImageList::ImageList() : m_keys(zv::ui::iconKeys()) {}

ImageList::ImageList(QStringList keys) : m_keys(std::move(keys)) {}

bool ImageList::contains(const QString &key) const { return m_keys.contains(key); }

QIcon ImageList::picture(const QString &key) const {
    QIcon found;
    if (contains(key))
        found = zv::ui::icon(key);
    if (found.isNull())
        zv::fw::raiseElementNotFound(key);
    return found;
}

namespace frmImgList {
std::shared_ptr<const ImageList> ImgLstFooter() {
    static const auto list = std::make_shared<const ImageList>();
    return list;
}

QIcon Picture(const QString &key) { return ImgLstFooter()->picture(key); }
} // namespace frmImgList

std::shared_ptr<const ImageList> footerImageList() {
    static const auto list = std::make_shared<const ImageList>(
        QStringList{"Ok", "Cancel", "Reset", "Confirmation", "Warning", "Information", "Critical", "None"});
    return list;
}
