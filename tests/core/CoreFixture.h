#pragma once
#include "core/FormRegistry.h"
#include "core/MDIZVS.h"
#include "core/modCommon.h"
#include "platform/db/Connection.h"
#include "platform/ui/MessageService.h"
#include "support/ProgramFolder.h"
#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

// A fresh program folder that the program points at, scripted message boxes,
// and an end-of-program handler that only counts.
class CoreTest : public ::testing::Test {
public:
    void SetUp() override {
        modCommon::ResetState();
        zv::forms::clearRegistry();
        folder = std::make_unique<ProgramFolder>();
        modCommon::setAppPath(folder->path());
        modCommon::setEndProgramHandler([this] { ++endCount; });
    }
    void TearDown() override {
        modCommon::ResetState();
        // Nothing queued by this test may run in the next one.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        zv::forms::clearRegistry();
        modCommon::setEndProgramHandler({});
        modCommon::setAppPath(QString());
        folder.reset();
    }

    // Runs one statement on a database file of the program folder.
    void execOn(const QString &path, const QString &sql, const QVariantList &params = {}) {
        zv::db::Connection c;
        c.open(path);
        c.execute(sql, params);
        c.close();
    }
    void damage(const QString &path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(4096, 'x'));
    }
    // Registers a form that records its creation and closes itself as soon as it is shown.
    void registerClosingForm(const QString &name, std::function<void(QDialog &)> onShow = {});

    QStringList promptsWithout(const QString &prompt) const {
        QStringList out = messages.prompts();
        out.removeAll(prompt);
        return out;
    }

    std::unique_ptr<ProgramFolder> folder;
    zv::ui::ScriptedMessageService messages;
    int endCount = 0;
    QStringList opened;   // names of the registered forms shown, in order
};

inline const QString kReminder = QStringLiteral("Please take Database backups regularly.");
