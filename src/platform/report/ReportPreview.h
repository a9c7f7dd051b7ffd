#pragma once
#include <QScrollArea>

namespace zv::report {

class Report;

// The preview of a report: one page at a time, painted when it is shown and
// only then, at a zoom that is a factor of the paper's real size on the
// screen (1.0 is 100 per cent) or follows the window (fit width, fit page).
class ReportPreview : public QScrollArea {
    Q_OBJECT
public:
    enum ZoomMode { CustomZoom, FitToWidth, FitInView };

    explicit ReportPreview(QWidget *parent = nullptr);

    // The report shown; nullptr shows nothing. The preview does not own it.
    void setReport(const Report *report);
    // The report's layout changed (pages added, laid out anew): the page
    // size and the current page are checked again and the page is repainted.
    void updatePreview();

    // Pages that can be shown: those laid out so far.
    int pageCount() const;
    // 1-based; 0 when there is no page.
    int currentPage() const { return pageCount() > 0 ? m_page + 1 : 0; }
    void setCurrentPage(int page);

    ZoomMode zoomMode() const { return m_mode; }
    void setZoomMode(ZoomMode mode);
    // The zoom now in force (also in the fit modes).
    double zoomFactor() const { return m_zoom; }
    // A fixed zoom (CustomZoom).
    void setZoomFactor(double factor);
    // The page at the zoom now in force, in the screen's pixels.
    QSize pageSizeOnScreen() const;
    // The paper at 100 per cent on this screen, in pixels.
    QSizeF paperOnScreen() const;
    // The room around a page.
    static constexpr int kMargin = 12;

signals:
    // A page (1-based) has been painted on the screen.
    void pageShown(int page);
    void previewChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Page Down (or the wheel) at the foot of a page goes on to the next
    // page, Page Up at its head back to the previous one.
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    class Page;
    void applyZoom();
    // Turns the page at the end of the scrolling; whether it did.
    bool turnPage(bool forward);
    double screenScale() const;

    const Report *m_report = nullptr;
    Page *m_pageWidget = nullptr;
    int m_page = 0;
    ZoomMode m_mode = CustomZoom;
    double m_zoom = 1.0;
};

} // namespace zv::report
