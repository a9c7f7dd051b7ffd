#include "clsGeneralDetailHeader.h"
#include "FrameworkErrors.h"
#include "clsFooterToolBar.h"
#include "clsHeaderToolbar.h"
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {
void requireBoth(clsHeaderToolbar *header, clsFooterToolBar *footer) {
    if (!header || !footer)
        zv::fw::raiseObjectNotSet(header ? "footer" : "header");
}

void footerForEditing(clsFooterToolBar *footer) {
    footer->setStatusVisible(true);
    footer->setRightToolbarVisible(true);
}
} // namespace

// The header steps shared by the editing modes, in the order the modes set them.
// Add, Modify, Delete, Select and Refresh are off in every editing mode.
void clsGeneralDetailHeader::setHeader(clsHeaderToolbar *header, EditingButtons enabled) {
    header->setAddEnable(false);
    header->setModifyEnable(false);
    header->setDeleteEnable(false);
    header->setAttachmentEnable(enabled.attachment);
    header->setFilterEnable(false);
    header->setRefreshEnable(false);
    header->setHelpEnable(true);
    header->setExitEnable(false);
    header->setDetailAddEnable(enabled.detailAdd);
}

void clsGeneralDetailHeader::ActivateHeaderToolBar(clsHeaderToolbar *header) {
    if (!header)
        zv::fw::raiseObjectNotSet("header");
    header->setAddEnable(m_addRight);
    header->setModifyEnable(false);
    header->setDeleteEnable(false);
    header->setFilterEnable(true);
    header->setRefreshEnable(false);
    header->setHelpEnable(true);
    header->setExitEnable(true);
    header->setAttachmentEnable(false);
    header->setDetailAddEnable(false);
    header->setDetailModifyEnable(false);
    header->setDetailDeleteEnable(false);
}

void clsGeneralDetailHeader::ToolBarsForFilter(clsHeaderToolbar *header, clsFooterToolBar *footer) {
    requireBoth(header, footer);
    header->setAddEnable(m_addRight);
    header->setModifyEnable(m_modifyRight);
    header->setDeleteEnable(m_deleteRight);
    header->setFilterEnable(true);
    header->setRefreshEnable(true);
    header->setHelpEnable(true);
    header->setExitEnable(true);
    header->setAttachmentEnable(false);
    header->setDetailAddEnable(false);
    header->setDetailModifyEnable(false);
    header->setDetailDeleteEnable(false);
    footer->setStatusVisible(true);
    footer->setRightToolbarVisible(false);
    clearStatus(footer);
}

void clsGeneralDetailHeader::ToolBarsForAdd(clsHeaderToolbar *header, clsFooterToolBar *footer) {
    requireBoth(header, footer);
    setHeader(header, {.attachment = true, .detailAdd = true});
    footerForEditing(footer);
    footer->setResetVisible(true);
    clearStatus(footer);
}

void clsGeneralDetailHeader::ToolBarsForModify(clsHeaderToolbar *header, clsFooterToolBar *footer) {
    requireBoth(header, footer);
    setHeader(header, {.attachment = true, .detailAdd = true});
    header->setDetailModifyEnable(true);
    header->setDetailDeleteEnable(true);
    footerForEditing(footer);
    clearStatus(footer);
}

void clsGeneralDetailHeader::ToolBarsForLock(clsHeaderToolbar *header, clsFooterToolBar *footer) {
    requireBoth(header, footer);
    setHeader(header, {.attachment = true, .detailAdd = true});
    header->setDetailModifyEnable(false);
    header->setDetailDeleteEnable(false);
    footerForEditing(footer);
    clearStatus(footer);
}

void clsGeneralDetailHeader::ToolBarsForDetailsAdd(clsHeaderToolbar *header, clsFooterToolBar *footer) {
    requireBoth(header, footer);
    setHeader(header, {});
    header->setDetailModifyEnable(false);
    header->setDetailDeleteEnable(false);
    footerForEditing(footer);
    clearStatus(footer);
}

void clsGeneralDetailHeader::DisableControls(QWidget *Container) {
    if (!Container)
        zv::fw::raiseObjectNotSet("form");
    static const QString grey = QStringLiteral("background-color: #e0e0e0;");
    const auto widgets = Container->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            QWidget *owner = edit->parentWidget();
            if (qobject_cast<QComboBox *>(owner) || qobject_cast<QAbstractSpinBox *>(owner))
                continue;   // the editor inside a combo box or date editor is its owner's business
            edit->setText(QString());
            edit->setEnabled(false);
            edit->setStyleSheet(grey);
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            combo->setEnabled(false);
            combo->setStyleSheet(grey);
        } else if (auto *check = qobject_cast<QCheckBox *>(w)) {
            check->setChecked(false);
            check->setEnabled(false);
        } else if (auto *option = qobject_cast<QRadioButton *>(w)) {
            // An exclusive group would refuse to clear its checked button.
            const bool exclusive = option->autoExclusive();
            option->setAutoExclusive(false);
            option->setChecked(false);
            option->setAutoExclusive(exclusive);
            option->setEnabled(false);
        } else if (auto *date = qobject_cast<QDateTimeEdit *>(w)) {
            date->setEnabled(false);
        } else if (auto *picture = qobject_cast<QLabel *>(w); picture && !picture->pixmap().isNull()) {
            picture->setVisible(false);
        }
    }
}

QVariant clsGeneralDetailHeader::GetCode(const QString &Field, const QVariant &Value, const QString &KeyField,
                                         const QString &Table, const QString &Query,
                                         const QVariantList &QueryParams) {
    QVariant v;
    if (!lookUp(Field, Value, KeyField, Table, Query, QueryParams, {}, v))
        return QString(QLatin1String(""));
    return v;
}
