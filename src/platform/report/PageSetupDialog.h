#pragma once
#include <QDialog>
#include <QPageLayout>

class QComboBox;
class QDialogButtonBox;
class QRadioButton;

namespace zv::report {

// The viewer's Printer Setup: the paper and its orientation for the preview,
// printing and export. It prints nothing and needs no printer; the margins
// of the layout it is given stay as they are.
class PageSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit PageSetupDialog(const QPageLayout &layout, QWidget *parent = nullptr);

    // The layout with the chosen paper and orientation.
    QPageLayout pageLayout() const;

    QComboBox *cboPaper = nullptr;
    QRadioButton *optPortrait = nullptr;
    QRadioButton *optLandscape = nullptr;
    QDialogButtonBox *buttons = nullptr;

private:
    QPageLayout m_layout;
};

} // namespace zv::report
