#include "FilterDateBox.h"
#include "GeneralFilterQuery.h"
#include "dateinput/DateText.h"
#include "platform/db/Dates.h"
#include <QStyle>
#include <QStyleOptionFrame>

namespace zv::query {

FilterDateBox::FilterDateBox(QWidget *parent, zv::ui::KeyPreview *preview) : QLineEdit(parent) {
    m_mask.setTxtdate(this, preview);
}

bool FilterDateBox::isBlank() const {
    return text().isEmpty() || text() == zv::dateinput::kMonthNameMask;
}

QDate FilterDateBox::date() const {
    if (isBlank())
        return noDate();
    return zv::dateinput::text::dayMonthYear(text());
}

void FilterDateBox::setDate(const QDate &date) {
    if (!date.isValid() || date == noDate())
        setText(zv::dateinput::kMonthNameMask);
    else
        setText(zv::db::toDisplayDate(date));
}

int FilterDateBox::dateTextWidth() const {
    // The widest of every month's dates written with one digit throughout, and the blank mask.
    const QFontMetrics fm = fontMetrics();
    int text = fm.horizontalAdvance(zv::dateinput::kMonthNameMask);
    for (int m = 1; m <= 12; ++m) {
        for (char c = '0'; c <= '9'; ++c) {
            const QString d(2, QLatin1Char(c));
            text = qMax(text, fm.horizontalAdvance(d + QLatin1Char('-') + zv::db::monthAbbrev(m) + QLatin1Char('-') + d + d));
        }
    }
    // A line edit keeps 2 pixels either side of its text; and room for the caret.
    const int margins = textMargins().left() + textMargins().right() + 2 * 2 + 2;
    QStyleOptionFrame option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(text + margins, fm.height()), this).width();
}

} // namespace zv::query
