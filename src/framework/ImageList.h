#pragma once
#include <QIcon>
#include <QString>
#include <QStringList>
#include <memory>

// The pictures a toolbar object puts on its buttons, found by key. A key the
// list does not hold, or one without a picture, fails with 35601: a picture
// asked for is never silently empty.
class ImageList {
public:
    // Every picture of the shared icon set.
    ImageList();
    // Only the given keys of the shared icon set.
    explicit ImageList(QStringList keys);

    bool contains(const QString &key) const;
    QIcon picture(const QString &key) const;      // throws 35601 when the key is missing
    const QStringList &keys() const { return m_keys; }

private:
    QStringList m_keys;
};

// A form's own footer pictures: Ok, Cancel, Reset and the status pictures.
std::shared_ptr<const ImageList> footerImageList();

// The image-list form's shared picture list (all toolbar keys), which header
// objects take their pictures from. Footers may use it too or a list of their own.
namespace frmImgList {
std::shared_ptr<const ImageList> ImgLstFooter();
// A picture of that list for a form's own picture box; fails (35601) on a key
// the list does not hold.
QIcon Picture(const QString &key);
}
