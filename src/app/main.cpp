#include "core/AdminForms.h"
#include "core/modCommon.h"
#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvane"));
    zv::admin::registerForms();
    return modCommon::Main();
}
