#pragma once
#include <functional>

class QPrinter;

namespace zv::report {

class FrmReportViewer;

// The print and printer set-up dialogs of the viewer.
enum class PrintDialog { PrinterSetup, Print };

// What tests and benchmarks replace in a viewer, handed to it when it is made:
// the modal showing of a loaded report (the hook gets the viewer, all set up),
// and the print dialogs (the hook answers whether the dialog was accepted).
// Empty: the viewer shows itself and its dialogs.
struct ViewerHooks {
    std::function<void(FrmReportViewer &)> modal;
    std::function<bool(PrintDialog, QPrinter &)> printDialog;
};

} // namespace zv::report
