#pragma once
#include "FormKeys.h"
#include "ImageList.h"
#include <QObject>
#include <QPointer>
#include <QLabel>
#include <QToolBar>
#include <memory>

class QAction;

// Drives the footer a form designs: a toolbar whose buttons are keyed
// "Status" (the status picture), "Ok", "Cancel" and on some forms "Reset" (an
// unkeyed placeholder may sit after "Status"), and a status label. Clicks and
// the hot keys F9, F10, F12 (any shift state) become FooterClick(key), delivered
// before the click or key handling returns. The object owns none of the controls.
//
// Wiring, in this order: setToolBarName, setformname, setImageListName, setLabelName.
class clsFooterToolBar : public QObject {
    Q_OBJECT
public:
    // Status picture kinds (SelectPicture).
    enum Picture { Confirmation = 0, Warning = 1, Information = 2, Critical = 3, NoPicture = 4 };

    explicit clsFooterToolBar(QObject *parent = nullptr);
    ~clsFooterToolBar() override;

    void setToolBarName(QToolBar *toolbar);
    QToolBar *ToolBarName() const { return m_tlbFooter; }
    void setformname(QWidget *form);
    QWidget *formname() const { return m_parentForm; }
    // Keeps the list and dresses "Status" ("None"), "Ok", "Cancel", "Reset" in
    // that order; stops quietly at the first button or picture that is missing.
    void setImageListName(std::shared_ptr<const ImageList> images);
    std::shared_ptr<const ImageList> ImageListName() const { return m_images; }
    void setLabelName(QLabel *label);
    QLabel *LabelName() const { return m_label; }

    bool ResetVisible() const;                 // throws 35601 without a "Reset" button
    void setResetVisible(bool visible);        // ignores every failure
    int SelectPicture() const { return m_picture; }
    // Stores the kind first; kinds 0..4 then set the picture and the label colour
    // (red for warnings, black otherwise); other values change nothing else.
    void setSelectPicture(int kind);
    bool StatusVisible() const;
    void setStatusVisible(bool visible);
    QString Status() const;
    void setStatus(const QString &text);
    // Every item but "Status", placeholder and separators included.
    bool RightToolbarVisible() const;
    void setRightToolbarVisible(bool visible);
    // The toolbar as a whole; hot keys look only at each button's own state.
    bool Enabled() const;
    void setEnabled(bool enabled);

    // A click on a button (also used by the hot keys).
    void tlbFooter_ButtonClick(QAction *button);

signals:
    void FooterClick(const QString &Key);

private:
    void ParentForm_KeyDown(int &KeyCode, int Shift);
    QToolBar *toolbar() const;
    QLabel *label() const;
    void setButtonPicture(const QString &button, const QString &picture);

    QPointer<QToolBar> m_tlbFooter;
    QPointer<QWidget> m_parentForm;
    QPointer<QLabel> m_label;
    std::shared_ptr<const ImageList> m_images;
    int m_picture = 0;
    QMetaObject::Connection m_clicks;
    zv::fw::FormKeyHook m_keys;
};
