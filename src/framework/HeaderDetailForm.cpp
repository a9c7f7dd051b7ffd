#include "HeaderDetailForm.h"
#include "platform/ui/BoxGuards.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include <QLabel>
#include <QLineEdit>

using namespace zv::ui;

namespace zv::fw {

HeaderDetailForm::HeaderDetailForm(const QString &caption, QWidget *parent, FormServices services)
    : DataForm(caption, parent, std::move(services)) {}

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
    setMode(Mode::None);
    unload();
}

bool HeaderDetailForm::probeTables(const QStringList &statements) {
    try {
        auto &c = db();
        for (const QString &sql : statements)
            c.query(sql);
        return true;
    } catch (const std::exception &e) {
        // A file another program holds is sound: told as it is, never as unsupported.
        if (zv::db::isDamage(e))
            MsgBox(kUnsupported, vbCritical, QStringLiteral("Information"));
        else
            showFailure(e);
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
    zv::ui::refusePaste(box);
    zv::ui::selectAllOnFocus(box);
}

bool HeaderDetailForm::showLines(LineView *grid, std::shared_ptr<zv::db::Recordset> rs, int keep,
                                 bool lastWhenShort) {
    if (rs && !rs->isEmpty()) {
        if (keep > 0 && keep <= rs->recordCount())
            rs->setAbsolutePosition(keep);
        else if (keep > 0 && lastWhenShort)
            rs->moveLast();
        else
            rs->moveFirst();
    }
    grid->bindLines(std::move(rs));
    return hasCurrentRow(grid);
}

void HeaderDetailForm::clearLines(LineView *grid) { grid->bindLines(nullptr); }

bool HeaderDetailForm::hasCurrentRow(const LineView *grid) {
    const auto rs = grid->boundLines();
    return rs && !rs->bof() && !rs->eof();
}

int HeaderDetailForm::currentPosition(const LineView *grid) {
    const auto rs = grid->boundLines();
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
    } catch (const std::exception &e) {
        saveFailed(e, failureCode);
        return false;
    }
}

} // namespace zv::fw
