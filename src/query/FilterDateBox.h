#pragma once
#include "dateinput/clsDATEVALIDATE.h"
#include <QDate>
#include <QLineEdit>

namespace zv::ui {
class KeyPreview;
}

namespace zv::query {

// A filter's date field: the program's masked date box "__-___-____", into
// which a whole date is typed ("07Mar2004" or "07032004" gives 07-Mar-2004).
class FilterDateBox : public QLineEdit {
    Q_OBJECT
public:
    // preview: the form's key preview, through which the box's keys pass.
    FilterDateBox(QWidget *parent, zv::ui::KeyPreview *preview);

    // The date typed: noDate() while the box is blank, an invalid date while
    // what is typed is not (yet) a date.
    QDate date() const;
    // noDate() or an invalid date blanks the box.
    void setDate(const QDate &date);
    bool isBlank() const;

    // The width that shows any date as dd-MMM-yyyy in the box's font.
    int dateTextWidth() const;

private:
    clsDATEVALIDATE m_mask;
};

} // namespace zv::query
