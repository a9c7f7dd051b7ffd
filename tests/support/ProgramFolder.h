#pragma once
#include <QString>
#include <QTemporaryDir>

// A fresh program folder in a temporary directory: SysData/ZV-SYS.mdb,
// SysData/ZV-ORG.mdb and Data/ZV-DATA.mdb copied from the freshly built
// databases, plus empty Reports/ and Help/ folders. Removed with the object.
class ProgramFolder {
public:
    ProgramFolder();
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const;    // path() + "/" + relative
    QString systemDb() const { return file(QStringLiteral("SysData/ZV-SYS.mdb")); }
    QString templateDb() const { return file(QStringLiteral("SysData/ZV-ORG.mdb")); }
    QString productionDb() const { return file(QStringLiteral("Data/ZV-DATA.mdb")); }

    static QString freshDir();                        // where the build put the pristine databases

private:
    QTemporaryDir m_dir;
};
