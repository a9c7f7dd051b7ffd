#include "platform/ui/MessageService.h"
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QtDebug>

namespace zv::ui {

namespace {

MessageService *g_override = nullptr;

// The buttons of each button set, in the order the box shows them.
QList<int> buttonsOf(int style) {
    switch (style & 7) {
    case vbOKCancel: return {vbOK, vbCancel};
    case vbAbortRetryIgnore: return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel: return {vbYes, vbNo, vbCancel};
    case vbYesNo: return {vbYes, vbNo};
    case vbRetryCancel: return {vbRetry, vbCancel};
    default: return {vbOK};
    }
}

int defaultOf(int style) {
    const QList<int> buttons = buttonsOf(style);
    const int index = (style & 0x300) >> 8;   // vbDefaultButton1..3 -> 0..2
    return index < buttons.size() ? buttons.at(index) : buttons.first();
}

QMessageBox::StandardButton standardButton(int vbResult) {
    switch (vbResult) {
    case vbOK: return QMessageBox::Ok;
    case vbCancel: return QMessageBox::Cancel;
    case vbAbort: return QMessageBox::Abort;
    case vbRetry: return QMessageBox::Retry;
    case vbIgnore: return QMessageBox::Ignore;
    case vbYes: return QMessageBox::Yes;
    case vbNo: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QString titleOr(const QString &title) {
    if (!title.isEmpty())
        return title;
    const QString display = QGuiApplication::applicationDisplayName();
    return display.isEmpty() ? QCoreApplication::applicationName() : display;
}

// Accepts Qt filters as they are and turns "Text (*.x)|*.x|..." pairs into Qt's form.
QString qtFilter(const QString &filter) {
    if (!filter.contains(QLatin1Char('|')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = QString(parts.at(i + 1)).replace(QLatin1Char(';'), QLatin1Char(' '));
        out << (parts.at(i).contains(QLatin1Char('(')) ? parts.at(i)
                                                        : parts.at(i) + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return out.join(QStringLiteral(";;"));
}

QWidget *dialogParent() { return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                                   : QApplication::activeWindow(); }

class RealMessageService : public MessageService {
public:
    int MsgBox(const QString &prompt, int buttons, const QString &title) override {
        QMessageBox box(dialogParent());
        box.setTextFormat(Qt::PlainText);
        // Prompts end their lines in CR, CR LF or LF; a label breaks on LF alone.
        box.setText(QString(prompt).replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n'));
        box.setWindowTitle(titleOr(title));
        box.setIcon(iconOf(buttons));
        const QList<int> set = buttonsOf(buttons);
        for (int vb : set)
            box.addButton(standardButton(vb));
        box.setDefaultButton(standardButton(defaultOf(buttons)));
        // Esc answers Cancel where the box has one, and OK on a box with OK alone.
        if (set.contains(vbCancel))
            box.setEscapeButton(standardButton(vbCancel));
        else if (set.size() == 1)
            box.setEscapeButton(standardButton(set.first()));
        box.exec();
        QAbstractButton *clicked = box.clickedButton();
        const QMessageBox::StandardButton which = clicked ? box.standardButton(clicked) : QMessageBox::NoButton;
        for (int vb : set)
            if (standardButton(vb) == which)
                return vb;
        // Closed without a button: the way out that the box offers.
        if (set.contains(vbCancel))
            return vbCancel;
        if (set.contains(vbNo))
            return vbNo;
        return set.contains(vbIgnore) ? vbIgnore : set.first();
    }
    QString openFileName(const QString &caption, const QString &dir, const QString &filter) override {
        return QFileDialog::getOpenFileName(dialogParent(), caption, dir, qtFilter(filter));
    }
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter) override {
        return QFileDialog::getSaveFileName(dialogParent(), caption, dir, qtFilter(filter));
    }
    QString existingDirectory(const QString &caption, const QString &dir) override {
        return QFileDialog::getExistingDirectory(dialogParent(), caption, dir);
    }
};

RealMessageService &realService() {
    static RealMessageService service;
    return service;
}

} // namespace

MessageService &messages() { return g_override ? *g_override : realService(); }

void setMessageService(MessageService *service) { g_override = service; }

int MsgBox(const QString &prompt, int buttons, const QString &title) {
    return messages().MsgBox(prompt, buttons, title);
}

ScriptedMessageService::ScriptedMessageService() : m_previous(g_override) { setMessageService(this); }

ScriptedMessageService::~ScriptedMessageService() {
    if (g_override == this)
        setMessageService(m_previous);
}

void ScriptedMessageService::answer(int vbResult) { m_answers.append(vbResult); }

void ScriptedMessageService::answerPath(const QString &path) { m_paths.append(path); }

int ScriptedMessageService::MsgBox(const QString &prompt, int buttons, const QString &title) {
    int result = defaultOf(buttons);
    if (!m_answers.isEmpty()) {
        result = m_answers.takeFirst();
        if (!buttonsOf(buttons).contains(result))
            qWarning("ScriptedMessageService: answer %d is not a button of the box \"%s\"", result,
                     qPrintable(prompt));
    }
    m_shown.append({QStringLiteral("MsgBox"), prompt, buttons, titleOr(title), QString::number(result)});
    return result;
}

QString ScriptedMessageService::nextPath() { return m_paths.isEmpty() ? QString() : m_paths.takeFirst(); }

QString ScriptedMessageService::openFileName(const QString &caption, const QString &, const QString &) {
    const QString path = nextPath();
    m_shown.append({QStringLiteral("openFileName"), caption, 0, caption, path});
    return path;
}

QString ScriptedMessageService::saveFileName(const QString &caption, const QString &, const QString &) {
    const QString path = nextPath();
    m_shown.append({QStringLiteral("saveFileName"), caption, 0, caption, path});
    return path;
}

QString ScriptedMessageService::existingDirectory(const QString &caption, const QString &) {
    const QString path = nextPath();
    m_shown.append({QStringLiteral("existingDirectory"), caption, 0, caption, path});
    return path;
}

QStringList ScriptedMessageService::prompts() const {
    QStringList out;
    for (const ShownMessage &m : m_shown)
        out << m.prompt;
    return out;
}

} // namespace zv::ui
