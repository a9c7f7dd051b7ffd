#pragma once
#include "framework/FormKeys.h"
#include "framework/clsFooterToolBar.h"
#include "framework/clsGeneralDetailHeader.h"
#include "framework/clsGeneralHeader.h"
#include "framework/clsHeader.h"
#include "framework/clsHeaderToolbar.h"
#include "platform/db/DbError.h"
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPair>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWidget>

// The footer toolbar a form designs: "Status", an unkeyed placeholder, "Ok",
// "Cancel" and, when asked, "Reset".
inline void designFooter(QToolBar *tb, bool withReset) {
    tb->addAction(QStringLiteral("Status"))->setObjectName(QStringLiteral("Status"));
    auto *gap = new QWidget(tb);
    gap->setFixedWidth(40);
    tb->addWidget(gap);
    for (const char *key : {"Ok", "Cancel", "Reset"}) {
        if (!withReset && QLatin1String(key) == QLatin1String("Reset"))
            continue;
        QAction *a = tb->addAction(QString::fromLatin1(key));
        a->setObjectName(QString::fromLatin1(key));
    }
}

inline const QStringList &footerPictures() {
    static const QStringList keys = {"Ok",      "Cancel",      "Reset",    "Confirmation",
                                     "Warning", "Information", "Critical", "None"};
    return keys;
}

// A small data form built as the data forms are: header, footer and utility
// objects wired in their order, then the form's own key handler, which sees
// whatever the header and footer leave.
template <class Header, class Utility>
class TestForm : public QWidget, public zv::ui::KeyHandler {
public:
    explicit TestForm(const QStringList &headerKeys, bool withReset = true) {
        auto *layout = new QVBoxLayout(this);
        tbHeader = new QToolBar(this);
        txtName = new QLineEdit(this);
        tbFooter = new QToolBar(this);
        lblStatus = new QLabel(this);
        layout->addWidget(tbHeader);
        layout->addWidget(txtName);
        layout->addWidget(tbFooter);
        layout->addWidget(lblStatus);
        designFooter(tbFooter, withReset);

        header.setformname(this);
        header.setToolBarName(tbHeader);
        header.setImageListName(frmImgList::ImgLstFooter());
        header.LoadImages(headerKeys);

        footer.setToolBarName(tbFooter);
        footer.setformname(this);
        footer.setImageListName(std::make_shared<const ImageList>(footerPictures()));
        footer.setLabelName(lblStatus);

        try {
            utility.ActivateHeaderToolBar(&header);
        } catch (const zv::db::DbError &) {
            // A toolbar built without some of the view-mode buttons: the test sets them itself.
        }
        utility.ActivateFooterToolBar(&footer);
        utility.UsrSetValue();
        zv::fw::keyPreviewOf(this)->addFormHandler(this);

        QObject::connect(&header, &Header::HeaderClick, [this](const QString &key) {
            headerClicks << qMakePair(key, header.H_ButtonKey());
        });
        QObject::connect(&footer, &clsFooterToolBar::FooterClick, [this](const QString &key) { footerClicks << key; });
    }
    ~TestForm() override {
        if (auto *kp = zv::fw::keyPreviewOf(this))
            kp->removeFormHandler(this);
    }

    // The form's own key-down handling: records what reaches it (Shift, Ctrl
    // and Alt pressed on their own aside).
    void KeyDown(int &KeyCode, int Shift) override {
        (void)Shift;
        if (KeyCode != 0 && (KeyCode < 16 || KeyCode > 18))
            keysSeen << KeyCode;
    }

    QAction *button(QToolBar *tb, const QString &key) const {
        for (QAction *a : tb->actions())
            if (a->objectName() == key)
                return a;
        return nullptr;
    }
    void clear() {
        headerClicks.clear();
        footerClicks.clear();
        keysSeen.clear();
    }

    QToolBar *tbHeader;
    QToolBar *tbFooter;
    QLabel *lblStatus;
    QLineEdit *txtName;
    Header header;
    clsFooterToolBar footer;
    Utility utility;
    QList<QPair<QString, int>> headerClicks;   // key and H_ButtonKey when HeaderClick arrived
    QStringList footerClicks;
    QList<int> keysSeen;
};

using SingleForm = TestForm<clsHeader, clsGeneralHeader>;
using DetailForm = TestForm<clsHeaderToolbar, clsGeneralDetailHeader>;

inline const QStringList kMasterKeys = {"Add",    "Modify",  "Delete",    "Attachment", "Separator",
                                        "Select", "Refresh", "Separator", "Help",       "Exit"};
inline const QStringList kDetailKeys = {"Add",       "Modify",       "Delete",       "Attachment", "DetailAdd",
                                        "DetailModify", "DetailDelete", "Separator", "Sort",       "Find",
                                        "Select",    "Refresh",      "Print",        "Help",       "Exit"};
