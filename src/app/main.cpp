#include "core/modCommon.h"
#include "masters/MasterForms.h"
#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvane"));
    zv::masters::registerForms();
    return modCommon::Main();
}
