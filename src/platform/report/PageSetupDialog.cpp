#include "PageSetupDialog.h"
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zv::report {

PageSetupDialog::PageSetupDialog(const QPageLayout &layout, QWidget *parent) : QDialog(parent), m_layout(layout) {
    setObjectName(QStringLiteral("PageSetupDialog"));
    setWindowTitle(QStringLiteral("Printer Setup"));
    setModal(true);

    cboPaper = new QComboBox(this);
    cboPaper->setObjectName(QStringLiteral("cboPaper"));
    const QPageSize::PageSizeId sizes[] = {QPageSize::A4,     QPageSize::A3,    QPageSize::A5,
                                           QPageSize::Letter, QPageSize::Legal, QPageSize::B5};
    for (QPageSize::PageSizeId id : sizes)
        cboPaper->addItem(QPageSize::name(id), int(id));
    // A paper of the report that is not among these is offered as well.
    int current = cboPaper->findData(int(layout.pageSize().id()));
    if (current < 0) {
        cboPaper->addItem(layout.pageSize().name(), -1);
        current = cboPaper->count() - 1;
    }
    cboPaper->setCurrentIndex(current);

    auto *orientation = new QGroupBox(QStringLiteral("Orientation"), this);
    optPortrait = new QRadioButton(QStringLiteral("Portrait"), orientation);
    optPortrait->setObjectName(QStringLiteral("optPortrait"));
    optLandscape = new QRadioButton(QStringLiteral("Landscape"), orientation);
    optLandscape->setObjectName(QStringLiteral("optLandscape"));
    (layout.orientation() == QPageLayout::Landscape ? optLandscape : optPortrait)->setChecked(true);
    auto *row = new QHBoxLayout(orientation);
    row->addWidget(optPortrait);
    row->addWidget(optLandscape);

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Paper size:"), cboPaper);
    auto *main = new QVBoxLayout(this);
    main->addLayout(form);
    main->addWidget(orientation);
    main->addWidget(buttons);
}

QPageLayout PageSetupDialog::pageLayout() const {
    QPageLayout out = m_layout;
    out.setOrientation(optLandscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    const int id = cboPaper->currentData().toInt();
    out.setPageSize(id < 0 ? m_layout.pageSize() : QPageSize(QPageSize::PageSizeId(id)));
    return out;
}

} // namespace zv::report
