#include "TextRules.h"
#include "platform/ui/MessageService.h"
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>

namespace zv::fw {

bool isRefusedCharacter(char32_t c, QuoteAndBar quoteAndBar) {
    if (c == U'\'' || c == U'|')
        return quoteAndBar == QuoteAndBar::Refused;
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

qsizetype firstRefusedCharacter(QStringView text, QuoteAndBar quoteAndBar) {
    if (quoteAndBar == QuoteAndBar::Refused) {
        if (const qsizetype quote = text.indexOf(QLatin1Char('\'')); quote >= 0)
            return quote;
        if (const qsizetype bar = text.indexOf(QLatin1Char('|')); bar >= 0)
            return bar;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
        if (isRefusedCharacter(c, quoteAndBar))
            return i;
        if (c > 0xFFFF)
            ++i;
    }
    return -1;
}

bool refuseInvalidCharacters(QLineEdit *box, QuoteAndBar quoteAndBar) {
    const qsizetype at = firstRefusedCharacter(box->text(), quoteAndBar);
    if (at < 0)
        return false;
    zv::ui::MsgBox(kInvalidCharacters, zv::ui::vbInformation, QStringLiteral("Information"));
    const int length = box->text().at(at).isHighSurrogate() ? 2 : 1;
    box->setFocus();
    box->setSelection(int(at), length);
    return true;
}

bool refuseInvalidCharacters(const QList<QLineEdit *> &boxes, QuoteAndBar quoteAndBar) {
    for (QLineEdit *box : boxes)
        if (refuseInvalidCharacters(box, quoteAndBar))
            return true;
    return false;
}

QString overlongPasteMessage(int maxLength) {
    return QStringLiteral("The text is longer than the %1 characters this field takes.\r\n\r\nPlease re-enter")
        .arg(maxLength);
}

namespace {

class OverlongPasteGuard : public QObject {
public:
    explicit OverlongPasteGuard(QLineEdit *box) : QObject(box), m_box(box) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != m_box)
            return QObject::eventFilter(watched, event);
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste) && !m_box->isReadOnly())
                return refused(clipboardText(QClipboard::Clipboard), true);
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton && !m_box->isReadOnly() &&
                QGuiApplication::clipboard()->supportsSelection())
                return refused(clipboardText(QClipboard::Selection), false);
            break;
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            // A move inside the box keeps its length.
            if (drop->source() != m_box && drop->mimeData() && refused(drop->mimeData()->text(), false)) {
                drop->ignore();
                return true;
            }
            break;
        }
        case QEvent::ContextMenu:
            showMenu(static_cast<QContextMenuEvent *>(event)->globalPos());
            return true;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static QString clipboardText(QClipboard::Mode mode) { return QGuiApplication::clipboard()->text(mode); }

    // Shows the message when the text does not fit; true then.
    bool refused(const QString &text, bool replacesSelection) const {
        const int kept = m_box->text().size() - (replacesSelection ? m_box->selectedText().size() : 0);
        if (kept + text.size() <= m_box->maxLength())
            return false;
        zv::ui::MsgBox(overlongPasteMessage(m_box->maxLength()), zv::ui::vbInformation, QStringLiteral("Information"));
        return true;
    }

    // The box's own menu, its Paste checked first.
    void showMenu(const QPoint &at) {
        QPointer<QMenu> menu = m_box->createStandardContextMenu();
        // The menu's Paste is the action wired to the box's paste (by name or by pointer,
        // depending on the Qt version).
        for (QAction *action : menu->actions()) {
            if (!disconnect(action, SIGNAL(triggered()), m_box, SLOT(paste())) &&
                !disconnect(action, &QAction::triggered, m_box, &QLineEdit::paste))
                continue;
            connect(action, &QAction::triggered, m_box, [this] {
                if (!refused(clipboardText(QClipboard::Clipboard), true))
                    m_box->paste();
            });
        }
        menu->exec(at);
        delete menu;
    }

    QLineEdit *m_box;
};

} // namespace

void refuseOverlongPaste(QLineEdit *box) { box->installEventFilter(new OverlongPasteGuard(box)); }

} // namespace zv::fw
