#include "clsFooterToolBar.h"
#include "FrameworkErrors.h"
#include "ToolbarButtons.h"
#include "core/modCommon.h"
#include "platform/db/DbError.h"
#include "platform/ui/VbKeys.h"
#include <QAction>
#include <QLabel>
#include <QToolBar>

using namespace zv::fw;

clsFooterToolBar::clsFooterToolBar(QObject *parent)
    : QObject(parent), m_keys([this](int &KeyCode, int Shift) { ParentForm_KeyDown(KeyCode, Shift); }) {}

clsFooterToolBar::~clsFooterToolBar() { disconnect(m_clicks); }

void clsFooterToolBar::setToolBarName(QToolBar *toolbar) {
    disconnect(m_clicks);
    m_tlbFooter = toolbar;
    if (!toolbar)
        return;
    m_clicks = connect(toolbar, &QToolBar::actionTriggered, this, &clsFooterToolBar::tlbFooter_ButtonClick,
                       Qt::DirectConnection);
    for (QAction *a : toolbar->actions())
        if (!a->isSeparator())
            trackButton(a);
}

void clsFooterToolBar::setformname(QWidget *form) {
    m_parentForm = form;
    m_keys.attach(form);
}

void clsFooterToolBar::setButtonPicture(const QString &buttonKey, const QString &pictureKey) {
    QAction *a = button(toolbar(), buttonKey);
    if (!m_images)
        raiseObjectNotSet("image list");
    a->setIcon(m_images->picture(pictureKey));
}

void clsFooterToolBar::setImageListName(std::shared_ptr<const ImageList> images) {
    m_images = std::move(images);
    try {
        setButtonPicture(QStringLiteral("Status"), QStringLiteral("None"));
        setButtonPicture(QStringLiteral("Ok"), QStringLiteral("Ok"));
        setButtonPicture(QStringLiteral("Cancel"), QStringLiteral("Cancel"));
        setButtonPicture(QStringLiteral("Reset"), QStringLiteral("Reset"));
    } catch (const zv::db::DbError &) {
        // A footer without "Reset" (or a picture) keeps what was dressed so far.
    }
}

void clsFooterToolBar::setLabelName(QLabel *label) { m_label = label; }

QToolBar *clsFooterToolBar::toolbar() const {
    if (!m_tlbFooter)
        raiseObjectNotSet("footer toolbar");
    return m_tlbFooter;
}

QLabel *clsFooterToolBar::label() const {
    if (!m_label)
        raiseObjectNotSet("status label");
    return m_label;
}

bool clsFooterToolBar::ResetVisible() const { return button(toolbar(), QStringLiteral("Reset"))->isVisible(); }

void clsFooterToolBar::setResetVisible(bool visible) {
    try {
        button(toolbar(), QStringLiteral("Reset"))->setVisible(visible);
    } catch (const zv::db::DbError &) {
        // Most footers have no "Reset"; the form utility objects set it on every form.
    }
}

void clsFooterToolBar::setSelectPicture(int kind) {
    m_picture = kind;
    static const char *const pictures[] = {"Confirmation", "Warning", "Information", "Critical"};
    if (kind < Confirmation || kind > NoPicture)
        return;
    QAction *status = button(toolbar(), QStringLiteral("Status"));
    if (kind == NoPicture) {
        status->setIcon(QIcon());
    } else {
        if (!m_images)
            raiseObjectNotSet("image list");
        status->setIcon(m_images->picture(QString::fromLatin1(pictures[kind])));
    }
    QLabel *l = label();
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, kind == Warning ? QColor(Qt::red) : QColor(Qt::black));
    l->setPalette(pal);
}

// The label's own visibility, whether or not the form is on screen yet.
bool clsFooterToolBar::StatusVisible() const { return !label()->isHidden(); }

void clsFooterToolBar::setStatusVisible(bool visible) { label()->setVisible(visible); }

QString clsFooterToolBar::Status() const { return label()->text(); }

void clsFooterToolBar::setStatus(const QString &text) { label()->setText(text); }

bool clsFooterToolBar::RightToolbarVisible() const {
    const auto items = toolbar()->actions();
    for (auto it = items.crbegin(); it != items.crend(); ++it)
        if (buttonKey(*it) != QLatin1String("Status"))
            return (*it)->isVisible();
    return false;
}

void clsFooterToolBar::setRightToolbarVisible(bool visible) {
    const auto items = toolbar()->actions();
    for (QAction *a : items)
        if (buttonKey(a) != QLatin1String("Status"))
            a->setVisible(visible);
}

bool clsFooterToolBar::Enabled() const { return toolbar()->isEnabled(); }

void clsFooterToolBar::setEnabled(bool enabled) { toolbar()->setEnabled(enabled); }

void clsFooterToolBar::tlbFooter_ButtonClick(QAction *button) { emit FooterClick(buttonKey(button)); }

void clsFooterToolBar::ParentForm_KeyDown(int &KeyCode, int /*Shift*/) {
    // Shift, Ctrl and Alt are not looked at: Shift+F9 is F9.
    static const struct {
        int code;
        const char *key;
    } hotKeys[] = {{zv::ui::vbKey::F9, "Ok"}, {zv::ui::vbKey::F10, "Cancel"}, {zv::ui::vbKey::F12, "Print"}};
    if (!m_tlbFooter)
        return;
    for (const auto &hk : hotKeys) {
        if (KeyCode != hk.code)
            continue;
        QAction *a = findButton(m_tlbFooter, QString::fromLatin1(hk.key));
        if (!a || !isButtonEnabled(a) || !a->isVisible())
            return;
        KeyCode = 0;   // before the click, so whatever sees the key afterwards sees it taken
        // A failure the form's handler lets through ends the key and is told
        // where the key's action began (the key preview).
        tlbFooter_ButtonClick(a);
        return;
    }
}
