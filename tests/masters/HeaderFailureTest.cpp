#include "MasterFixture.h"
#include "masters/frmDepartment.h"

using zv::ui::vbYes;

namespace {

// A header action whose database call fails shows the failure once in the
// program's error box; the form stays in view mode with no row lock held.
class HeaderFailureTest : public MasterTest {
public:
    int errorBoxes() const {
        int n = 0;
        for (const auto &m : messages.shown())
            n += m.prompt.startsWith("Error Number is ");
        return n;
    }
};

TEST_F(HeaderFailureTest, AFailedDeleteIsShownOnceAndTheFormStaysInView) {
    const struct {
        const char *name;
        std::function<zv::masters::NameMaster *()> make;
        QString table, column;
    } kinds[] = {
        {"department", [] { return new frmDepartment; }, "Dept_Mast", "Dept_Desc"},
        {"designation", [] { return new frmDesignation; }, "Desg_Mast", "Desg_Name"},
    };
    for (const auto &k : kinds) {
        const qint64 row = insert("INSERT INTO " + k.table + " (" + k.column + ") VALUES ('Stores')");
        other.execute("CREATE TRIGGER refuse_delete BEFORE DELETE ON " + k.table +
                      " BEGIN SELECT RAISE(ABORT, 'the disk refused the write'); END");
        std::unique_ptr<zv::masters::NameMaster> form(k.make());
        showForm(*form);
        zv::fw::DataForm::setGeneralFilter([row](const QString &) { return QStringList{QString::number(row), "Stores"}; });
        key(*form, Qt::Key_F8);
        messages.clear();
        messages.answer(vbYes);
        key(*form, Qt::Key_F4);

        EXPECT_EQ(errorBoxes(), 1) << k.name << ": " << messages.prompts().join(" | ").toStdString();
        EXPECT_FALSE(form->rowLocked()) << k.name;
        EXPECT_FALSE(form->isEditing()) << k.name;
        EXPECT_TRUE(on(*form, "Select")) << k.name;
        EXPECT_EQ(scalar("SELECT count(*) FROM " + k.table + " WHERE " + k.column + " = 'Stores'").toInt(), 1) << k.name;
        other.execute("DROP TRIGGER refuse_delete");
        other.execute("DELETE FROM " + k.table + " WHERE " + k.column + " = 'Stores'");
    }
}

} // namespace
