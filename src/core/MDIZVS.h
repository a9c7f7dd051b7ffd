#pragma once
#include <QDateTime>
#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QDialog;
class QLabel;
class QMdiArea;
class QMenu;
class QPushButton;
class QStatusBar;
class QTimer;
class QToolBar;

// The program's main window. Every other window is opened from here modally,
// one at a time, through the form registry (FormRegistry.h).
class MDIZVS : public QMainWindow {
    Q_OBJECT
public:
    // The default instance: created on first use, released by releaseInstance.
    static MDIZVS *instance();
    static MDIZVS *existingInstance();
    static void releaseInstance();

    // Menus and entries, named as the rest of the program knows them.
    QMenu *mnuSys = nullptr;
    QAction *mnuShowDBPath = nullptr;
    QAction *mnuBackup = nullptr;
    QAction *mnuRestore = nullptr;
    QAction *mnuSetUpDB = nullptr;
    QAction *mnuChangePswd = nullptr;
    QAction *mnuparameter = nullptr;
    QAction *mnusep = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuMaster = nullptr;
    QAction *mnucmpnysetup = nullptr;
    QAction *mnuDeptMast = nullptr;
    QAction *mnudesignation = nullptr;
    QAction *mnuHoliday = nullptr;
    QAction *mnuEmpMast = nullptr;
    QAction *mnuEmpMngrReln = nullptr;
    QAction *mnuActvtyMast = nullptr;
    QAction *cmdULGD = nullptr;
    QMenu *mnuReports = nullptr;
    QAction *mnuAChkLst = nullptr;
    QAction *mnuACL = nullptr;
    QAction *mnuStatComplStatusReport = nullptr;
    QAction *mnuPendingActivity = nullptr;
    QAction *mnuDiarized = nullptr;
    QAction *mnuhelp = nullptr;

    QToolBar *TlbImage = nullptr;
    QStatusBar *stberp = nullptr;
    QLabel *stberpPanel1 = nullptr;
    QLabel *stberpPanel2 = nullptr;
    QTimer *tmrStatusbarTime = nullptr;
    QMdiArea *mdiArea = nullptr;
    QWidget *pic = nullptr;
    QPushButton *cmdExit = nullptr;

    // Toolbar button by position, 1 to 20; null outside.
    QAction *button(int position) const;
    // Toolbar button by key; null when unknown.
    QAction *buttonByKey(const QString &key) const;

    // The enabling rule: the entries that need a sound production database
    // follow valid; every entry whose form is not registered stays disabled.
    void applyEnablingRule(bool valid);
    // Whether the form behind an entry or button is registered (true for entries without a form).
    bool formAvailable(QAction *entry) const;

    bool backupReminded() const { return mBackupReminded; }

    static QString CaptionText(const QString &startPeriod, const QString &endPeriod);
    // Shows the program's current period in the caption.
    void ShowPeriodCaption();
    static QString ClockText(const QDateTime &at);

public slots:
    void Form_Activate();
    void TlbImage_ButtonClick(QAction *button);
    void tmrStatusbarTime_Timer();

    void mnuShowDBPath_Click();
    void mnuBackup_Click();
    void mnuRestore_Click();
    void mnuSetUpDB_Click();
    void mnuChangePswd_Click();
    void mnuparameter_Click();
    void mnuExit_Click();
    void mnucmpnysetup_Click();
    void mnuDeptMast_Click();
    void mnudesignation_Click();
    void mnuHoliday_Click();
    void mnuEmpMast_Click();
    void mnuEmpMngrReln_Click();
    void mnuActvtyMast_Click();
    void cmdULGD_Click();
    void mnuAChkLst_Click();
    void mnuACL_Click();
    void mnuStatComplStatusReport_Click();
    void mnuPendingActivity_Click();
    void mnuDiarized_Click();
    void mnuhelp_Click();

protected:
    bool event(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    explicit MDIZVS(QWidget *parent = nullptr);
    ~MDIZVS() override;

    enum class Cleanup { ReleaseAll, ReleaseChild, UnloadOnly };
    void openChild(const QString &form, Cleanup cleanup, const std::function<void(QDialog &)> &prepare = {});
    void openPathForm(const QString &caption, int heightTwips, const QString &tag);
    QAction *addEntry(QMenu *menu, const QString &caption, const QKeySequence &shortcut, const QString &form,
                      void (MDIZVS::*slot)());
    void buildToolbar();
    void focusPic();

    bool mBackupReminded = false;
    QHash<QAction *, QString> m_formOf;           // entry or button -> form name
    QHash<QString, void (MDIZVS::*)()> m_slotOfKey;   // toolbar key -> the handler of the entry it acts as
    QList<QAction *> m_buttons;                   // toolbar buttons in position order
};
