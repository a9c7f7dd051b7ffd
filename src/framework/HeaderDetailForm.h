#pragma once
#include "DataForm.h"
#include "framework/clsGeneralDetailHeader.h"
#include "framework/clsHeaderToolbar.h"
#include "platform/db/Recordset.h"
#include <QList>
#include <functional>
#include <memory>

class QLineEdit;
class QWidget;

namespace zv::fw {

// The grid of a form's lines as the header/detail base drives it: a
// recordset bound to it (nullptr: none), its current record the grid's row.
class LineView {
public:
    virtual ~LineView() = default;
    virtual void bindLines(std::shared_ptr<zv::db::Recordset> rs) = 0;
    virtual std::shared_ptr<zv::db::Recordset> boundLines() const = 0;
};

// What the header/detail masters share: on top of DataForm, the header object
// and the utility object of header/detail forms, the probe of their two
// tables, a grid of the lines bound to a recordset that keeps its place across
// a line delete, the boxes guarded by the key-press filter, the delete
// question, and the writes that put a header and its lines in one transaction.
//
// Each form tells its own buttons, modes, line entry and save questions.
class HeaderDetailForm : public DataForm {
    Q_OBJECT
public:
    ~HeaderDetailForm() override;

    clsHeaderToolbar tlbHeader;
    clsGeneralDetailHeader utility;

    // The line entry under way, by the header's button codes of the keys.
    using DetailMode = zv::fw::DetailMode;
    DetailMode detailMode() const { return m_detailMode; }
    bool isEditing() const override { return DataForm::isEditing() || m_detailMode != DetailMode::None; }

public slots:
    // The form's step for the key; a failure is told in the error message.
    void tlbHeader_HeaderClick(const QString &Key) override;
    // Ok and Cancel run the form's ok and cancel; a failure is told in the error message.
    void tlbFooter_FooterClick(const QString &Key) override;

protected:
    HeaderDetailForm(const QString &caption, QWidget *parent, FormServices services);

    FormUtilityBase &formUtility() override { return utility; }
    void setUpToolbars(const QStringList &headerKeys, bool withReset) {
        DataForm::setUpToolbars(tlbHeader, headerKeys, withReset);
    }

    QString statusText() const;

    // Runs every probe statement; on the first failure answers false, having
    // shown that the production database does not support the form when the
    // file is damaged or a table or column is missing, else the failure as it
    // is (another program holding the file is told as in use).
    bool probeTables(const QStringList &statements);
    // The activation's probe: on failure the form is unusable and unloads,
    // its close box asking nothing.
    bool probeOrUnload(const QStringList &statements);
    bool unusable() const { return m_unusable; }

    // A text box whose key presses pass the key-press filter. Pasting is
    // refused, so what reaches the box is what the filter let through; the
    // whole text is selected when the box takes the focus.
    void guardBox(QLineEdit *box, int mode, const QString &chars);

    // Binds the lines to the grid. The current row is the one at keep (1-based)
    // when there are that many rows, else the first row, or the last when
    // lastWhenShort. Answers whether there is a current row.
    static bool showLines(LineView *grid, std::shared_ptr<zv::db::Recordset> rs, int keep, bool lastWhenShort);
    static void clearLines(LineView *grid);
    static bool hasCurrentRow(const LineView *grid);
    // 1-based position of the current row, 0 without one.
    static int currentPosition(const LineView *grid);
    static void setHeightTwips(QWidget *widget, int twips);

    // Runs steps that belong together in one transaction: a failure undoes
    // them all, shows failureCode and answers false. Steps that find the
    // write must not happen (a re-check inside the transaction) throw Refused:
    // everything is undone and its status shown instead.
    struct Refused {
        QString code;
        QString prefix;
    };
    bool writeTogether(const std::function<void(zv::db::Connection &)> &steps,
                       const QString &failureCode = QStringLiteral("ZVE004"));

    virtual void ok() = 0;
    virtual void cancel() = 0;
    void footerOk() { tlbFooter_FooterClick(QStringLiteral("Ok")); }
    void footerCancel() { tlbFooter_FooterClick(QStringLiteral("Cancel")); }
    // No mode left before the form ends.
    void exitForm() override;

    DetailMode m_detailMode = DetailMode::None;

private:
    bool m_unusable = false;
};

inline const QString kUnsupported =
    QStringLiteral("Production Database doesn't Support, Please Reset The Production Database");

// Background colours of the boxes: open for typing, and locked (&HE0E0E0).
inline const QString kOpenBox = QStringLiteral("background-color: #FFFFFF;");
inline const QString kLockedBox = QStringLiteral("background-color: #E0E0E0;");

} // namespace zv::fw
