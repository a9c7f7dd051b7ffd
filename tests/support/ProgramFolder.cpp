#include "ProgramFolder.h"
#include <QDir>
#include <QFile>
#include <stdexcept>

QString ProgramFolder::freshDir() { return QStringLiteral(ZV_FRESH_DIR); }

ProgramFolder::ProgramFolder() {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary program folder");
    QDir root(m_dir.path());
    for (const char *sub : {"SysData", "Data", "Reports", "Help"})
        root.mkpath(QString::fromLatin1(sub));
    for (const char *rel : {"SysData/ZV-SYS.mdb", "SysData/ZV-ORG.mdb", "Data/ZV-DATA.mdb"}) {
        const QString from = freshDir() + QLatin1Char('/') + QString::fromLatin1(rel);
        if (!QFile::copy(from, file(QString::fromLatin1(rel))))
            throw std::runtime_error(("cannot copy the built database " + from).toStdString());
        QFile::setPermissions(file(QString::fromLatin1(rel)),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
}

QString ProgramFolder::file(const QString &relative) const { return m_dir.path() + QLatin1Char('/') + relative; }
