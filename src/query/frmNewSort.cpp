#include "frmNewSort.h"
#include "platform/ui/ErrorBox.h"
#include "RecordsetGrid.h"
#include "platform/db/Recordset.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zv::query {

namespace {
QComboBox *makeList(const char *name, QWidget *parent) {
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(false);
    return c;
}
// The dialog's box for a failure: its description (a held file is the in-use box).
void tellHere(const std::exception &e) {
    zv::ui::ErrorBox(e, zv::db::ErrorLayout::Description, zv::ui::vbOKOnly + zv::ui::vbCritical,
                     QStringLiteral("Error"));
}

QGroupBox *frame(const QString &title, QWidget *content, QWidget *parent) {
    auto *g = new QGroupBox(title, parent);
    auto *l = new QVBoxLayout(g);
    l->addWidget(content);
    return g;
}
} // namespace

frmNewSort::frmNewSort(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmNewSort"));
    setWindowTitle(QStringLiteral("Sort"));
    setModal(true);

    cmbSort1 = makeList("cmbSort1", this);
    cmbSort2 = makeList("cmbSort2", this);
    cmbSort3 = makeList("cmbSort3", this);
    optAsc = new QRadioButton(QStringLiteral("Ascending"), this);
    optAsc->setObjectName(QStringLiteral("optAsc"));
    optDesc = new QRadioButton(QStringLiteral("Descending"), this);
    optDesc->setObjectName(QStringLiteral("optDesc"));
    optAsc->setChecked(true);
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setAutoDefault(false);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto *order = new QGroupBox(QStringLiteral("Order :"), this);
    auto *orderLayout = new QHBoxLayout(order);
    orderLayout->addWidget(optAsc);
    orderLayout->addWidget(optDesc);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame(QStringLiteral("Sort By :"), cmbSort1, this));
    layout->addWidget(frame(QStringLiteral("Then By :"), cmbSort2, this));
    layout->addWidget(frame(QStringLiteral("Then By :"), cmbSort3, this));
    layout->addWidget(order);
    layout->addLayout(buttons);

    setTabOrder(cmbSort1, cmbSort2);
    setTabOrder(cmbSort2, cmbSort3);
    setTabOrder(cmbSort3, optAsc);
    setTabOrder(optAsc, optDesc);
    setTabOrder(optDesc, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    for (QWidget *w : {static_cast<QWidget *>(cmbSort1), static_cast<QWidget *>(cmbSort2),
                       static_cast<QWidget *>(cmbSort3), static_cast<QWidget *>(optAsc),
                       static_cast<QWidget *>(optDesc)})
        w->installEventFilter(this);

    connect(cmdOK, &QPushButton::clicked, this, zv::ui::asAction([this] { cmdOK_Click(); }, &tellHere));
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    const int w = zv::ui::twipsToPixels(3960), h = zv::ui::twipsToPixels(4470);
    move(zv::ui::twipsToPixels(4100), zv::ui::twipsToPixels(3100));
    setFixedSize(qMax(w, sizeHint().width()), qMax(h, sizeHint().height()));
}

void frmNewSort::ShowForm(std::shared_ptr<zv::db::Recordset> rs, RecordsetGrid *grid) {
    m_fields.clear();
    for (QComboBox *c : {cmbSort1, cmbSort2, cmbSort3})
        c->clear();
    m_grid = grid;
    if (grid) {
        for (int i = 0; i < grid->columnCount(); ++i) {
            const QString caption = grid->columnCaption(i).trimmed();
            if (grid->isColumnHidden(i) || grid->currentText(i).isEmpty() || caption.isEmpty())
                continue;
            m_fields << grid->columnDataField(i);
            for (QComboBox *c : {cmbSort1, cmbSort2, cmbSort3})
                c->addItem(caption);
        }
    }
    for (QComboBox *c : {cmbSort1, cmbSort2, cmbSort3})
        c->setCurrentIndex(-1);
    m_rs = std::move(rs);
    exec();
    m_rs.reset();
    m_grid = nullptr;
}

QString frmNewSort::sortText() const {
    const QString order = optAsc->isChecked() ? QStringLiteral(" ASC") : QStringLiteral(" DESC");
    QString text;
    for (const QComboBox *c : {cmbSort1, cmbSort2, cmbSort3}) {
        const int k = c->currentIndex();
        if (k < 0 || k >= m_fields.size())
            continue;
        if (!text.isEmpty())
            text += QLatin1Char(',');
        text += QLatin1Char('[') + m_fields.at(k) + QLatin1Char(']') + order;
    }
    return text;
}

void frmNewSort::cmdOK_Click() {
    const QString text = sortText();
    if (text.isEmpty()) {
        zv::ui::MsgBox(QStringLiteral("Sorting field has to be selected"), zv::ui::vbOKOnly + zv::ui::vbInformation,
                       QStringLiteral("Information"));
        cmbSort1->setFocus();
        return;
    }
    if (m_rs) {
        // An order the recordset refuses ends the press before the dialog
        // closes: told, and the user chooses again.
        m_rs->sort(text);
        if (m_grid)
            m_grid->refresh();
    }
    accept();
}

bool frmNewSort::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(event);
        if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) {
            if (watched == optAsc || watched == optDesc)
                zv::ui::runAction([this] { cmdOK_Click(); }, &tellHere);
            else
                zv::ui::sendTab(static_cast<QWidget *>(watched));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zv::query
