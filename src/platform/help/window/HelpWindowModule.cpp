// The help window's module: the only code of the program that uses the help
// engine. Loaded by zv::help::createWindow on the first help asked for.
#include "platform/help/Help.h"
#include "platform/help/HelpWindow.h"
#include <QAction>
#include <QFileInfo>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QKeySequence>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QThread>
#include <QToolBar>
#include <QVBoxLayout>

namespace zv::help {

namespace {

// A text browser that reads its pages out of the help engine.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine *engine, QWidget *parent) : QTextBrowser(parent), m_engine(engine) {
        setOpenExternalLinks(true);
    }

    QVariant loadResource(int type, const QUrl &name) override {
        if (name.scheme() == QLatin1String("qthelp"))
            return m_engine->fileData(name);
        return QTextBrowser::loadResource(type, name);
    }

private:
    QHelpEngine *m_engine;
};

// "HTML\Holiday.htm" -> "html/holiday.htm": the topics name pages with either
// separator and in any case.
QString normalised(const QString &path) {
    QString p = QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')).trimmed().toLower();
    while (p.startsWith(QLatin1Char('/')))
        p.remove(0, 1);
    return p;
}

class EngineHelpWindow : public HelpWindow {
public:
    explicit EngineHelpWindow(QWidget *parent);
    ~EngineHelpWindow() override;

    bool load(const QString &helpFilePath) override;
    QString helpFilePath() const override { return m_helpFile; }
    QUrl topicUrl(const QString &topic) const override;
    bool showTopic(const QString &topic) override;
    QUrl currentUrl() const override { return m_browser->source(); }
    QString currentTitle() const override { return m_browser->documentTitle(); }
    QTextBrowser *browser() const override { return m_browser; }

private:
    QTemporaryDir m_collectionDir;
    QHelpEngine *m_engine = nullptr;
    HelpBrowser *m_browser = nullptr;
    QString m_helpFile;
    QList<QUrl> m_pages;
};

EngineHelpWindow::EngineHelpWindow(QWidget *parent) : HelpWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Zorvane Help"));
    resize(900, 640);

    m_engine = new QHelpEngine(m_collectionDir.filePath(QStringLiteral("help.qhc")), this);
    m_engine->setReadOnly(false);   // the collection is our own, in a temporary folder
    m_engine->setUsesFilterEngine(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *tools = new QToolBar(this);
    layout->addWidget(tools);
    auto *splitter = new QSplitter(this);
    layout->addWidget(splitter, 1);
    QHelpContentWidget *contents = m_engine->contentWidget();
    splitter->addWidget(contents);
    m_browser = new HelpBrowser(m_engine, splitter);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 680});

    QAction *back = tools->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"),
                                     m_browser, &QTextBrowser::backward);
    QAction *forward = tools->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Forward"),
                                        m_browser, &QTextBrowser::forward);
    tools->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Contents"), this,
                     [this] { showTopic(QString::fromLatin1(kStartTopic)); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_engine->contentModel(), &QHelpContentModel::contentsCreated, contents,
            [contents] { contents->expandToDepth(0); });
    connect(contents, &QHelpContentWidget::linkActivated, m_browser, [this](const QUrl &url) { m_browser->setSource(url); });
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Zorvane Help") : QStringLiteral("Zorvane Help - ") + title);
    });
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &QWidget::close);
}

// The engine builds its contents and its index on threads of its own, and its
// models free what those threads still read when they are deleted: a window
// closed at once after it opened must let them finish first.
EngineHelpWindow::~EngineHelpWindow() {
    while (m_engine->indexModel()->isCreatingIndex() || m_engine->contentModel()->isCreatingContents())
        QThread::msleep(1);
}

bool EngineHelpWindow::load(const QString &helpFilePath) {
    if (!m_collectionDir.isValid() || !QFileInfo(helpFilePath).isFile())
        return false;
    if (!m_engine->setupData())
        return false;
    const QString ns = QHelpEngineCore::namespaceName(helpFilePath);
    if (ns.isEmpty() || !m_engine->registerDocumentation(helpFilePath))
        return false;
    m_helpFile = helpFilePath;
    m_pages = m_engine->files(ns, QString());
    if (m_pages.isEmpty())
        return false;
    m_engine->contentModel()->createContents(QString());
    return true;
}

QUrl EngineHelpWindow::topicUrl(const QString &topic) const {
    const QString wanted = normalised(topic);
    if (wanted.isEmpty())
        return QUrl();
    // A page's path inside the file is "<virtual folder>/<path as in the project>".
    QUrl byName;
    for (const QUrl &url : m_pages) {
        const QString path = normalised(url.path());
        if (path == wanted || path.endsWith(QLatin1Char('/') + wanted))
            return url;
        if (byName.isEmpty() && !wanted.contains(QLatin1Char('/')) &&
            path.section(QLatin1Char('/'), -1) == wanted)
            byName = url;
    }
    return byName;
}

bool EngineHelpWindow::showTopic(const QString &topic) {
    const QUrl url = topicUrl(topic);
    if (url.isValid()) {
        m_browser->setSource(url);
        return true;
    }
    const QUrl start = topicUrl(QString::fromLatin1(kStartTopic));
    if (start.isValid())
        m_browser->setSource(start);
    m_browser->append(QStringLiteral("<hr><p><i>The topic \"%1\" is not in the help file.</i></p>")
                          .arg(topic.toHtmlEscaped()));
    return false;
}

} // namespace

} // namespace zv::help

extern "C" Q_DECL_EXPORT zv::help::HelpWindow *zv_help_new_window(QWidget *parent) {
    return new zv::help::EngineHelpWindow(parent);
}
