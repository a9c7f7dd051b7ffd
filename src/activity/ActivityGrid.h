#pragma once
#include "ActivityStore.h"
#include "query/RecordsetGrid.h"
#include <QList>
#include <QStringList>
#include <optional>

namespace zv::activity {

// Sets the grid's columns; each is as wide as its twips width, or wider where
// its heading or the widest of samples (the texts a column may show, by
// column index) needs it at the grid's font. Columns under 100 twips hold keys
// and are hidden. The last shown column fills the rest of the grid; a scroll
// bar brings it into view when the columns are wider than the grid.
void setFittedColumns(zv::query::RecordsetGrid *grid, const QList<zv::query::GridColumn> &columns,
                      const QList<QStringList> &samples = {});

// The widest dates a date column shows: the 28th of every month.
QStringList widestDates();

// The Activity Master's grid of the lines of one activity. Its current row
// is the line the detail buttons act on.
class ActivityGrid : public zv::query::RecordsetGrid {
    Q_OBJECT
public:
    explicit ActivityGrid(QWidget *parent = nullptr);

    // Shows the lines; the current row is the one at keep (1-based) when
    // there are that many, else the last; the first when keep is 0.
    void showLines(const QList<ActivityLine> &lines, int keep = 0);
    void clearLines();
    const QList<ActivityLine> &lines() const { return m_lines; }
    // The line of the current row.
    std::optional<ActivityLine> current() const;
    // 1-based position of the current row, 0 without one.
    int position() const;

private:
    QList<ActivityLine> m_lines;
};

} // namespace zv::activity
