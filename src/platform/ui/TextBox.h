#pragma once
#include <QPointer>
#include <QString>

class QLineEdit;

namespace zv::ui {

// The text-box properties the forms' key rules use, on a real QLineEdit, so
// that the same rules run on screen and in tests. Positions are 0-based
// character offsets. Setting SelStart clears the selection; setting SelLength
// selects from SelStart.
class TextBox {
public:
    explicit TextBox(QLineEdit *edit = nullptr) : m_edit(edit) {}
    QLineEdit *widget() const { return m_edit; }
    bool isNull() const { return m_edit.isNull(); }

    QString Text() const;
    void setText(const QString &text);
    int SelStart() const;
    void setSelStart(int pos);
    int SelLength() const;
    void setSelLength(int len);
    QString SelText() const;
    void setSelText(const QString &text);   // replaces the selection, caret after it
    int MaxLength() const;
    void setMaxLength(int len);             // 0 means no limit
    bool Enabled() const;
    void setEnabled(bool on);
    bool Visible() const;
    bool Locked() const;                    // read-only
    void setLocked(bool on);
    void SetFocus();

private:
    QPointer<QLineEdit> m_edit;
};

} // namespace zv::ui
