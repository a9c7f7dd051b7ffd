#include "HeaderToolbarBase.h"
#include "FrameworkErrors.h"
#include "ToolbarButtons.h"
#include "core/modCommon.h"
#include "platform/db/DbError.h"
#include <QAction>
#include <QToolBar>

using namespace zv::fw;

HeaderToolbarBase::HeaderToolbarBase(QObject *parent)
    : QObject(parent), m_keys([this](int &KeyCode, int Shift) { ParentForm_KeyDown(KeyCode, Shift); }) {}

HeaderToolbarBase::~HeaderToolbarBase() { disconnect(m_clicks); }

void HeaderToolbarBase::setToolBarName(QToolBar *toolbar) {
    disconnect(m_clicks);
    m_tlbHeader = toolbar;
    if (toolbar)
        m_clicks = connect(toolbar, &QToolBar::actionTriggered, this,
                           [this](QAction *a) { tlbHeader_ButtonClick(a); }, Qt::DirectConnection);
}

void HeaderToolbarBase::setformname(QWidget *form) {
    m_parentForm = form;
    m_keys.attach(form);
}

QToolBar *HeaderToolbarBase::toolbar() const {
    if (!m_tlbHeader)
        raiseObjectNotSet("header toolbar");
    return m_tlbHeader;
}

void HeaderToolbarBase::LoadImages(const QStringList &keys) {
    QToolBar *tb = toolbar();
    for (const QString &key : keys) {
        if (key == QLatin1String("Separator")) {
            tb->addSeparator();
            continue;
        }
        if (!m_images)
            raiseObjectNotSet("image list");
        const QIcon picture = m_images->picture(key);
        if (zv::fw::findButton(tb, key))
            raiseKeyNotUnique(key);
        // No text: a toolbar button would show it, and an action offers its text as tooltip.
        QAction *a = tb->addAction(picture, QString());
        a->setObjectName(key);
        a->setToolTip(GetToolTip(key));
        trackButton(a);
    }
}

QAction *HeaderToolbarBase::findButton(const QString &key) const { return zv::fw::findButton(toolbar(), key); }

bool HeaderToolbarBase::visibleOf(const char *key) const {
    return button(toolbar(), QString::fromLatin1(key))->isVisible();
}

void HeaderToolbarBase::setVisibleOf(const char *key, bool visible) {
    button(toolbar(), QString::fromLatin1(key))->setVisible(visible);
}

bool HeaderToolbarBase::enabledOf(const char *key) const {
    return isButtonEnabled(button(toolbar(), QString::fromLatin1(key)));
}

void HeaderToolbarBase::setEnabledOf(const char *key, bool enabled) {
    setButtonEnabled(button(toolbar(), QString::fromLatin1(key)), enabled);
}

void HeaderToolbarBase::trySetVisibleOf(const char *key, bool visible) {
    if (m_tlbHeader)
        if (QAction *a = zv::fw::findButton(m_tlbHeader, QString::fromLatin1(key)))
            a->setVisible(visible);
}

void HeaderToolbarBase::trySetEnabledOf(const char *key, bool enabled) {
    if (m_tlbHeader)
        if (QAction *a = zv::fw::findButton(m_tlbHeader, QString::fromLatin1(key)))
            setButtonEnabled(a, enabled);
}

void HeaderToolbarBase::tlbHeader_ButtonClick(QAction *button) {
    const QString key = buttonKey(button);
    m_buttonKey = buttonCode(key, m_buttonKey);
    raiseHeaderClick(key);
}

bool HeaderToolbarBase::hotKeyClick(const QString &key, int &KeyCode, bool consumeKey) {
    if (!m_tlbHeader)
        return false;
    QAction *a = zv::fw::findButton(m_tlbHeader, key);
    if (!a || !isButtonEnabled(a) || !a->isVisible())
        return false;
    if (consumeKey)
        KeyCode = 0;
    // The form's handler runs inside the key press; a failure it lets through
    // ends the key and is told where the key's action began (the key preview).
    tlbHeader_ButtonClick(a);
    return true;
}
