#include "ReportPreview.h"
#include "Report.h"
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace zv::report {

class ReportPreview::Page : public QWidget {
public:
    explicit Page(ReportPreview *preview) : QWidget(preview), m_preview(preview) {
        setObjectName(QStringLiteral("page"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setBackgroundRole(QPalette::Dark);
    }

protected:
    void paintEvent(QPaintEvent *event) override {
        QPainter p(this);
        p.fillRect(event->rect(), palette().color(QPalette::Dark));
        const QRect paper(QPoint(kMargin, kMargin), m_preview->pageSizeOnScreen());
        p.fillRect(paper, Qt::white);
        const Report *report = m_preview->m_report;
        const int page = m_preview->m_page;
        if (!report || page >= report->pageCount())
            return;
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        const double s = m_preview->m_zoom * m_preview->screenScale();
        p.setClipRect(paper);
        p.translate(paper.topLeft());
        p.scale(s, s);
        report->paintPage(p, page);
        p.end();
        emit m_preview->pageShown(page + 1);
    }

private:
    ReportPreview *m_preview;
};

ReportPreview::ReportPreview(QWidget *parent) : QScrollArea(parent) {
    setAlignment(Qt::AlignCenter);
    setWidgetResizable(false);
    setBackgroundRole(QPalette::Dark);
    m_pageWidget = new Page(this);
    m_pageWidget->resize(1, 1);
    setWidget(m_pageWidget);
    setFocusPolicy(Qt::StrongFocus);
}

void ReportPreview::setReport(const Report *report) {
    m_report = report;
    m_page = 0;
    updatePreview();
}

int ReportPreview::pageCount() const { return m_report ? m_report->pageCount() : 0; }

void ReportPreview::setCurrentPage(int page) {
    const int pages = pageCount();
    const int wanted = std::clamp(page, 1, std::max(1, pages)) - 1;
    if (wanted == m_page)
        return;
    m_page = wanted;
    verticalScrollBar()->setValue(0);
    m_pageWidget->update();
    emit previewChanged();
}

void ReportPreview::updatePreview() {
    m_page = std::clamp(m_page, 0, std::max(0, pageCount() - 1));
    applyZoom();
    m_pageWidget->update();
    emit previewChanged();
}

double ReportPreview::screenScale() const { return logicalDpiX() / 96.0; }

QSizeF ReportPreview::paperOnScreen() const {
    if (!m_report)
        return QSizeF();
    return m_report->paperSize() * screenScale();
}

QSize ReportPreview::pageSizeOnScreen() const {
    const QSizeF paper = paperOnScreen() * m_zoom;
    return QSize(std::max(1, qRound(paper.width())), std::max(1, qRound(paper.height())));
}

void ReportPreview::setZoomMode(ZoomMode mode) {
    m_mode = mode;
    applyZoom();
    emit previewChanged();
}

void ReportPreview::setZoomFactor(double factor) {
    m_mode = CustomZoom;
    m_zoom = std::clamp(factor, 0.1, 8.0);
    applyZoom();
    emit previewChanged();
}

void ReportPreview::applyZoom() {
    const QSizeF paper = paperOnScreen();
    if (paper.isEmpty())
        return;
    if (m_mode != CustomZoom) {
        // The room the viewport has without scroll bars; fit width leaves
        // room for the vertical bar when the page is taller than the window.
        const QSize room = maximumViewportSize() - QSize(2 * kMargin, 2 * kMargin);
        const double bar = verticalScrollBar()->sizeHint().width();
        double z = room.width() / paper.width();
        if (m_mode == FitToWidth && paper.height() * z > room.height())
            z = (room.width() - bar) / paper.width();
        if (m_mode == FitInView)
            z = std::min(z, room.height() / paper.height());
        m_zoom = std::max(0.05, z);
    }
    m_pageWidget->resize(pageSizeOnScreen() + QSize(2 * kMargin, 2 * kMargin));
    m_pageWidget->update();
}

bool ReportPreview::turnPage(bool forward) {
    QScrollBar *bar = verticalScrollBar();
    if (forward && bar->value() >= bar->maximum() && currentPage() < pageCount()) {
        setCurrentPage(currentPage() + 1);
        return true;
    }
    if (!forward && bar->value() <= bar->minimum() && currentPage() > 1) {
        setCurrentPage(currentPage() - 1);
        bar->setValue(bar->maximum());
        return true;
    }
    return false;
}

void ReportPreview::keyPressEvent(QKeyEvent *event) {
    if ((event->key() == Qt::Key_PageDown && turnPage(true)) || (event->key() == Qt::Key_PageUp && turnPage(false)))
        return;
    QScrollArea::keyPressEvent(event);
}

void ReportPreview::wheelEvent(QWheelEvent *event) {
    const int dy = event->angleDelta().y();
    if (dy != 0 && !(event->modifiers() & Qt::ControlModifier) && turnPage(dy < 0)) {
        event->accept();
        return;
    }
    QScrollArea::wheelEvent(event);
}

void ReportPreview::resizeEvent(QResizeEvent *event) {
    QScrollArea::resizeEvent(event);
    if (m_mode != CustomZoom)
        applyZoom();
}

} // namespace zv::report
