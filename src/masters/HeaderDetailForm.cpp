#include "HeaderDetailForm.h"
#include "core/AdminForms.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include "query/RecordsetGrid.h"
#include <QLabel>
#include <QLineEdit>

using namespace zv::ui;

namespace zv::masters {

HeaderDetailForm::HeaderDetailForm(const QString &caption, QWidget *parent) : DataForm(caption, parent) {}

HeaderDetailForm::~HeaderDetailForm() = default;

QString HeaderDetailForm::statusText() const { return tlbFooter.Status(); }

void HeaderDetailForm::tlbHeader_HeaderClick(const QString &Key) {
    tellingFailures([&] { runHeaderKey(Key); });
}

void HeaderDetailForm::tlbFooter_FooterClick(const QString &Key) {
    tellingFailures([&] {
        if (Key == QLatin1String("Ok"))
            ok();
        else if (Key == QLatin1String("Cancel"))
            cancel();
    });
}

void HeaderDetailForm::exitForm() {
    tlbHeader.setH_ButtonKey(0);
    unload();
}

bool HeaderDetailForm::probeTables(const QStringList &statements) {
    try {
        auto &c = db();
        for (const QString &sql : statements)
            c.query(sql);
        return true;
    } catch (const std::exception &) {
        MsgBox(kUnsupported, vbCritical, QStringLiteral("Information"));
        return false;
    }
}

bool HeaderDetailForm::probeOrUnload(const QStringList &statements) {
    if (probeTables(statements))
        return true;
    m_unusable = true;
    unloadSoon();
    return false;
}

void HeaderDetailForm::guardBox(QLineEdit *box, int mode, const QString &chars) {
    filterKeys(box, mode, chars);
    zv::admin::refusePaste(box);
    zv::admin::selectAllOnFocus(box);
}

LineGrid::LineGrid(QWidget *parent, const QString &name, QList<zv::query::GridColumn> columns,
                   QList<int> hiddenColumns)
    : RecordsetGrid(parent), m_columns(std::move(columns)), m_hidden(std::move(hiddenColumns)) {
    setObjectName(name);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    applyColumns();
}

void LineGrid::applyColumns() {
    gridModel()->setColumns(m_columns);
    for (int i = 0; i < m_columns.size(); ++i) {
        setColumnHidden(i, m_hidden.contains(i));
        if (m_columns.at(i).widthTwips > 0)
            setColumnWidth(i, twipsToPixels(m_columns.at(i).widthTwips));
    }
}

void LineGrid::bind(std::shared_ptr<zv::db::Recordset> rs) {
    setRecordset(std::move(rs));
    // A new recordset comes with plain columns: the designed ones again.
    applyColumns();
    syncCurrentRow();
}

bool HeaderDetailForm::showLines(LineGrid *grid, std::shared_ptr<zv::db::Recordset> rs, int keep,
                                 bool lastWhenShort) {
    if (rs && !rs->isEmpty()) {
        if (keep > 0 && keep <= rs->recordCount())
            rs->setAbsolutePosition(keep);
        else if (keep > 0 && lastWhenShort)
            rs->moveLast();
        else
            rs->moveFirst();
    }
    grid->bind(std::move(rs));
    return hasCurrentRow(grid);
}

void HeaderDetailForm::clearLines(LineGrid *grid) { grid->bind(nullptr); }

bool HeaderDetailForm::hasCurrentRow(const zv::query::RecordsetGrid *grid) {
    const auto rs = grid->recordset();
    return rs && !rs->bof() && !rs->eof();
}

int HeaderDetailForm::currentPosition(const zv::query::RecordsetGrid *grid) {
    const auto rs = grid->recordset();
    return rs ? rs->absolutePosition() : 0;
}

void HeaderDetailForm::setHeightTwips(QWidget *widget, int twips) { widget->setFixedHeight(twipsToPixels(twips)); }

bool HeaderDetailForm::writeTogether(const std::function<void(zv::db::Connection &)> &steps,
                                     const QString &failureCode) {
    try {
        auto &c = db();
        zv::db::Transaction t(c);
        steps(c);
        t.commit();
        return true;
    } catch (const Refused &r) {
        status(r.code, r.prefix);
        return false;
    } catch (const std::exception &) {
        status(failureCode);
        return false;
    }
}

} // namespace zv::masters
