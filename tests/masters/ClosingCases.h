#pragma once
#include "platform/ui/MessageService.h"
#include <gtest/gtest.h>
#include <ostream>
#include <string>

// Names each case of a parameterised test after its label.
struct ByLabel {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case> &info) const {
        return info.param.label;
    }
};

// The save question asked at Esc or at the close box during an edit, and its
// answer: whether the edit was saved, the form is still open and, when open,
// still editing.
struct EditClosing {
    const char *label;
    bool byEsc;
    int answer;
    bool saved, open, editing;
};
inline void PrintTo(const EditClosing &c, std::ostream *os) { *os << c.label; }

// Yes saves, No drops the edit, Cancel goes back to it; Esc keeps the form open.
inline auto editClosingCases() {
    using namespace zv::ui;
    return ::testing::Values(EditClosing{"EscYes", true, vbYes, true, true, false},
                             EditClosing{"EscNo", true, vbNo, false, true, false},
                             EditClosing{"EscCancel", true, vbCancel, false, true, true},
                             EditClosing{"CloseYes", false, vbYes, true, false, false},
                             EditClosing{"CloseNo", false, vbNo, false, false, false},
                             EditClosing{"CloseCancel", false, vbCancel, false, true, true});
}
