#pragma once
#include "core/modCommon.h"
#include "platform/db/Connection.h"
#include "platform/ui/MessageService.h"
#include "support/ProgramFolder.h"
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <ostream>

// Readable failure output for texts.
static inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

// The program as the login leaves it, on a fresh program folder: the system
// connection open, the main connection open on the production database.
// Message boxes are scripted; ending the program is only counted.
class AdminTest : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;

    QString production() const { return folder->productionDb(); }
    QString templateDb() const { return folder->templateDb(); }
    QString systemDb() const { return folder->systemDb(); }

    // Marks a database file with a text, so copies can be told apart.
    static void stamp(const QString &path, const QString &text);
    // The mark of a database file ("" when unmarked); opened read-only.
    static QString stampOf(const QString &path);
    static QByteArray bytesOf(const QString &path);
    // Opens read-only and runs the identity query and the integrity check.
    static bool soundDatabase(const QString &path);
    // A file beside path whose name starts with a dot: a temporary copy left behind.
    static QStringList leftovers(const QString &folder);

    // Whether the main connection is open on the given file.
    static bool mainConnectionOn(const QString &path);

    std::unique_ptr<ProgramFolder> folder;
    zv::ui::ScriptedMessageService messages;
    int endCount = 0;
};

// The ways another program holds a database file: exclusively, as a writer
// with a change not yet committed, as a reader in the middle of a read.
inline const char *const kOtherProgramHolds[] = {
    "BEGIN EXCLUSIVE",
    "BEGIN IMMEDIATE; CREATE TABLE OtherProgram (x);",
    "BEGIN; SELECT count(*) FROM sqlite_master;",
};

// Message boxes scripted as ever, with whileAsked run as each box is shown
// (what another program does while the user reads it).
class AskingMessages : public zv::ui::ScriptedMessageService {
public:
    std::function<void(const QString &prompt)> whileAsked;
    int MsgBox(const QString &prompt, int buttons, const QString &title) override {
        if (whileAsked)
            whileAsked(prompt);
        return ScriptedMessageService::MsgBox(prompt, buttons, title);
    }
};

// Limits the size of files this process may write while alive, so a copy
// fails half-way like one that runs out of room.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    // Half the size of the file: a copy of it stops in the middle.
    static qint64 halfOf(const QString &path);
    ~FileSizeLimit();

private:
    unsigned long long m_soft = 0;
    void (*m_previous)(int) = nullptr;
};

// Leaves a hot rollback journal beside path: a child process starts writing a
// transaction large enough to spill into the file and dies without committing.
void leaveHotJournal(const QString &path);

// Sends one key press (and its release) to a widget, as typing does.
void typeKey(QWidget *target, int qtKey, const QString &text = QString());
void typeText(QWidget *target, const QString &text);
