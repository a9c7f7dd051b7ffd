#pragma once
#include <QLabel>

namespace zv::ui {

// A form's status line. A message longer than the line is shortened with an
// ellipsis and shown whole in its tooltip, so that a long message never
// widens the window. text() is always the whole message. With word wrap on,
// the message wraps as in a plain label; its width asks for no room either.
class StatusLabel : public QLabel {
    Q_OBJECT
public:
    explicit StatusLabel(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Whether the line shows the message shortened.
    bool isElided() const;

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    bool elides() const;
    QRect textRect() const;
};

} // namespace zv::ui
