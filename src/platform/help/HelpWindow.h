#pragma once
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

class QHelpEngine;

namespace zv::help {

// A text browser that reads its pages out of the help engine.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QHelpEngine *engine, QWidget *parent = nullptr);
    QVariant loadResource(int type, const QUrl &name) override;

private:
    QHelpEngine *m_engine;
};

// The help window: contents on the left, the page on the right, Back,
// Forward and Home above. It reads one compiled help file through a help
// collection of its own in a temporary folder.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);
    ~HelpWindow() override;

    // Registers the help file; false when it is missing or not a help file.
    bool load(const QString &helpFilePath);
    const QString &helpFilePath() const { return m_helpFile; }

    // The page of a topic ("Html\Department.htm"); an invalid URL when the
    // file has no such page.
    QUrl topicUrl(const QString &topic) const;
    // Shows the topic, or the start page with a note when there is none.
    bool showTopic(const QString &topic);

    QUrl currentUrl() const;
    QString currentTitle() const;
    HelpBrowser *browser() const { return m_browser; }

private:
    QTemporaryDir m_collectionDir;
    QHelpEngine *m_engine = nullptr;
    HelpBrowser *m_browser = nullptr;
    QString m_helpFile;
    QString m_namespace;
    QList<QUrl> m_pages;
};

} // namespace zv::help
