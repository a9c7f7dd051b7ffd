#include "AdminFixture.h"
#include "core/frmChangePswd.h"
#include "core/frmCheckPswd.h"
#include "core/frmLogin.h"
#include <QLineEdit>

// Every password box of the program masks with "*", as the login always did,
// also under a style sheet.
TEST_F(AdminTest, EveryPasswordBoxMasksWithStars) {
    frmLogin login;
    frmChangePswd change;
    frmCheckPswd check;
    const QList<QLineEdit *> boxes = {login.txtPassword, change.txtOldPswd, change.txtNewPswd, change.txtConfirmPswd,
                                      check.txtPassword};
    for (const QString sheet : {QString(), QStringLiteral("QLineEdit { background-color: #ffffe0; }")}) {
        for (QWidget *w : std::initializer_list<QWidget *>{&login, &change, &check}) {
            w->setStyleSheet(sheet);
            w->show();
        }
        for (QLineEdit *box : boxes) {
            SCOPED_TRACE((box->window()->objectName() + QLatin1Char('.') + box->objectName()).toStdString());
            box->setText(QStringLiteral("abc1"));
            EXPECT_EQ(box->displayText(), QStringLiteral("****"));
            EXPECT_EQ(box->text(), QStringLiteral("abc1"));
        }
    }
}
