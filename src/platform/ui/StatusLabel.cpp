#include "StatusLabel.h"
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace zv::ui {

StatusLabel::StatusLabel(QWidget *parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, sizePolicy().verticalPolicy());
}

// The width is the window's to give: the message never asks for more.
QSize StatusLabel::sizeHint() const {
    QSize s = QLabel::sizeHint();
    s.setWidth(std::min(s.width(), minimumSizeHint().width()));
    return s;
}

QSize StatusLabel::minimumSizeHint() const {
    QSize s = QLabel::minimumSizeHint();
    const QMargins m = contentsMargins();
    s.setWidth(m.left() + m.right() + 2 * margin() + fontMetrics().horizontalAdvance(QStringLiteral("...")));
    return s;
}

bool StatusLabel::elides() const { return !wordWrap() && !text().isEmpty(); }

QRect StatusLabel::textRect() const {
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

bool StatusLabel::isElided() const {
    if (!elides())
        return false;
    return fontMetrics().horizontalAdvance(text()) > textRect().width();
}

bool StatusLabel::event(QEvent *e) {
    if (e->type() == QEvent::ToolTip && toolTip().isEmpty() && isElided()) {
        QToolTip::showText(static_cast<QHelpEvent *>(e)->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(e);
}

void StatusLabel::paintEvent(QPaintEvent *e) {
    if (!elides()) {
        QLabel::paintEvent(e);
        return;
    }
    QPainter p(this);
    drawFrame(&p);
    const QRect r = textRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, r.width());
    style()->drawItemText(&p, r, QStyle::visualAlignment(layoutDirection(), alignment()), palette(), isEnabled(),
                          shown, foregroundRole());
}

} // namespace zv::ui
