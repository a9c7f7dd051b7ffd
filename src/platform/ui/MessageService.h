#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// Every message box, question and file or folder chooser of the program goes
// through one service, so tests can answer them and read back what was shown.
namespace zv::ui {

enum VbMsgBoxStyle : int {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
    vbDefaultButton1 = 0, vbDefaultButton2 = 256, vbDefaultButton3 = 512
};
enum VbMsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

class MessageService {
public:
    virtual ~MessageService() = default;
    // buttons: a VbMsgBoxStyle sum. An empty title shows the application's title.
    virtual int MsgBox(const QString &prompt, int buttons = vbOKOnly, const QString &title = QString()) = 0;
    // Empty result: cancelled.
    virtual QString openFileName(const QString &caption, const QString &dir, const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &dir, const QString &filter) = 0;
    virtual QString existingDirectory(const QString &caption, const QString &dir) = 0;
};

// The service in force (real dialogs unless replaced).
MessageService &messages();
// Replaces the service; nullptr restores the real dialogs. Not owned.
void setMessageService(MessageService *service);

// Shortcut for messages().MsgBox(...).
int MsgBox(const QString &prompt, int buttons = vbOKOnly, const QString &title = QString());

// What a scripted service saw.
struct ShownMessage {
    QString kind;      // "MsgBox", "openFileName", "saveFileName", "existingDirectory"
    QString prompt;    // the prompt, or the caption of a chooser
    int buttons = 0;
    QString title;
    QString answer;    // the answer given, as text ("6" for vbYes, or the path)
};

// For tests: answers from a queue, records everything shown. A box with no
// queued answer gets its default button (vbOK, or the default of a question);
// a chooser with no queued answer is cancelled. It installs itself while alive.
class ScriptedMessageService : public MessageService {
public:
    ScriptedMessageService();
    ~ScriptedMessageService() override;

    void answer(int vbResult);              // next MsgBox answer
    void answerPath(const QString &path);   // next chooser answer ("" cancels)

    int MsgBox(const QString &prompt, int buttons, const QString &title) override;
    QString openFileName(const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter) override;
    QString existingDirectory(const QString &caption, const QString &dir) override;

    const QList<ShownMessage> &shown() const { return m_shown; }
    QStringList prompts() const;
    void clear() { m_shown.clear(); }

private:
    QString nextPath();
    QList<int> m_answers;
    QStringList m_paths;
    QList<ShownMessage> m_shown;
    MessageService *m_previous = nullptr;
};

} // namespace zv::ui
