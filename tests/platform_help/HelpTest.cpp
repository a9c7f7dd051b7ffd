#include "platform/help/Help.h"
#include "platform/help/HelpWindow.h"
#include "platform/ui/MessageService.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QWidget>
#include <memory>
#include <gtest/gtest.h>

using namespace zv;

namespace {

const QString kHelpFile = QStringLiteral(ZV_HELP_FILE);

class HelpTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (help::currentWindow())
            delete help::currentWindow();
    }
    ui::ScriptedMessageService messages;
};

// A help window of the module, with the built help file.
std::unique_ptr<help::HelpWindow> loadedWindow() {
    std::unique_ptr<help::HelpWindow> window(help::createWindow(nullptr));
    if (!window)
        ADD_FAILURE() << "help module not loaded: " << help::helpModule().toStdString();
    else if (!window->load(kHelpFile))
        ADD_FAILURE() << "built help file: " << kHelpFile.toStdString();
    else
        return window;
    return nullptr;
}

TEST_F(HelpTest, EveryFormsTopicIsAPageOfTheBuiltHelpFile) {
    const auto window = loadedWindow();
    ASSERT_TRUE(window);
    const QStringList forms = help::formsWithTopics();
    EXPECT_GE(forms.size(), 26);
    for (const QString &form : forms) {
        const QString topic = help::topicOfForm(form);
        const QUrl url = window->topicUrl(topic);
        EXPECT_TRUE(url.isValid()) << form.toStdString() << " -> " << topic.toStdString();
        EXPECT_FALSE(window->browser()->loadResource(QTextDocument::HtmlResource, url).toByteArray().isEmpty())
            << topic.toStdString();
    }
    EXPECT_TRUE(help::topicOfForm("frmImgList").isEmpty());
}

TEST_F(HelpTest, TopicsResolveWhateverTheirSeparatorsAndCase) {
    const auto window = loadedWindow();
    ASSERT_TRUE(window);
    const struct {
        const char *topic;
        const char *page;
    } cases[] = {
        {"Html\\Department.htm", "/Html/Department.htm"},
        {"HTML\\ActivityMaster.htm", "/Html/ActivityMaster.htm"},
        {"HTML\\Holiday.htm", "/Html/Holiday.htm"},
        {"Html/EmployeeMaster.htm", "/Html/EmployeeMaster.htm"},
        {"Html\\Back_Up.htm", "/Html/Back_Up.htm"},
        {"Front_Index.htm", "/Html/Front_Index.htm"},
    };
    for (const auto &c : cases) {
        const QUrl url = window->topicUrl(QString::fromLatin1(c.topic));
        EXPECT_TRUE(url.path().endsWith(QLatin1String(c.page))) << c.topic << " -> " << url.toString().toStdString();
    }
    EXPECT_FALSE(window->topicUrl("Html\\NoSuchPage.htm").isValid());
    EXPECT_FALSE(window->topicUrl("").isValid());
}

TEST_F(HelpTest, ShowTopicOpensTheFormsPageInTheHelpWindow) {
    QWidget form;
    ASSERT_TRUE(help::showTopic(&form, "Html\\Department.htm", kHelpFile));
    help::HelpWindow *window = help::currentWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->parentWidget(), &form) << "the form's own window, so a modal form does not block it";
    EXPECT_TRUE(window->currentUrl().path().endsWith("/Html/Department.htm"));
    EXPECT_EQ(window->currentTitle(), "Department Master");
    EXPECT_TRUE(window->browser()->toPlainText().contains("Department Name*"));
    EXPECT_TRUE(messages.shown().isEmpty());

    // A second topic reuses the window.
    ASSERT_TRUE(help::showTopic(&form, "HTML\\ActivityMaster.htm", kHelpFile));
    EXPECT_EQ(help::currentWindow(), window);
    EXPECT_EQ(window->currentTitle(), "Activity Master");

    // A topic the file lacks: the start page, with a note.
    ASSERT_TRUE(help::showTopic(&form, "Html\\Unknown.htm", kHelpFile));
    EXPECT_TRUE(window->currentUrl().path().endsWith("/Html/Front_Index.htm"));
    EXPECT_TRUE(window->browser()->toPlainText().contains("Html\\Unknown.htm"));
}

TEST_F(HelpTest, AMissingOrDamagedHelpFileGivesHelpNotAvailable) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("Help/ZVA.qch");
    const QString damaged = dir.filePath("ZVA.qch");
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a help file");
    f.close();

    for (const QString &file : {missing, damaged}) {
        messages.clear();
        EXPECT_FALSE(help::showTopic(nullptr, "Html\\Department.htm", file)) << file.toStdString();
        EXPECT_EQ(help::currentWindow(), nullptr);
        ASSERT_EQ(messages.shown().size(), 1);
        EXPECT_EQ(messages.shown().first().prompt, "Help not available");
        EXPECT_EQ(messages.shown().first().buttons, ui::vbInformation);
        EXPECT_EQ(messages.shown().first().title, "Information");
    }

    // The default file follows setHelpFile.
    help::setHelpFile(missing);
    messages.clear();
    EXPECT_FALSE(help::showTopic(nullptr, "Front_Index.htm"));
    EXPECT_EQ(messages.prompts(), QStringList{"Help not available"});
    help::setHelpFile(kHelpFile);
    EXPECT_TRUE(help::showTopic(nullptr, "Front_Index.htm"));
    EXPECT_EQ(help::currentWindow()->currentTitle(), "Zorvane Administrator - Help");
}

TEST_F(HelpTest, AHelpModuleThatCannotBeLoadedGivesHelpNotAvailable) {
    QTemporaryDir dir;
    const QString damaged = dir.filePath("zvhelp.so");
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a module");
    f.close();

    const QString builtModule = help::helpModule();
    for (const QString &module : {dir.filePath("missing.so"), damaged}) {
        help::setHelpModule(module);
        messages.clear();
        EXPECT_FALSE(help::showTopic(nullptr, "Html\\Department.htm", kHelpFile)) << module.toStdString();
        EXPECT_EQ(help::currentWindow(), nullptr);
        EXPECT_EQ(messages.prompts(), QStringList{"Help not available"});
    }

    // Help comes back with the module.
    help::setHelpModule(builtModule);
    messages.clear();
    EXPECT_TRUE(help::showTopic(nullptr, "Html\\Department.htm", kHelpFile));
    EXPECT_TRUE(messages.prompts().isEmpty());
}

} // namespace
