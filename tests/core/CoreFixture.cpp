#include "CoreFixture.h"
#include <QDialog>
#include <QTimer>

void CoreTest::registerClosingForm(const QString &name, std::function<void(QDialog &)> onShow) {
    zv::forms::registerForm(name, [this, name, onShow](QWidget *parent) {
        auto *d = new QDialog(parent);
        d->setObjectName(name);
        QTimer::singleShot(0, d, [this, d, name, onShow] {
            opened << name;
            if (onShow)
                onShow(*d);
            d->accept();
        });
        return d;
    });
}
