#include "dateinput/clsDATEVALIDATE.h"
#include "dateinput/DateChecks.h"
#include "dateinput/MaskKeys.h"
#include "dateinput/MaskRules.h"
#include "platform/db/Dates.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"

using namespace zv::dateinput;
using namespace zv::dateinput::text;
namespace vbKey = zv::ui::vbKey;

clsDATEVALIDATE::clsDATEVALIDATE()
    : m_txtdate(kMonthNameMask, [this](int &KeyCode, int Shift) { txtdate_KeyDown(KeyCode, Shift); }),
      m_txtDateTime(kDateTimeMask, [this](int &KeyCode, int Shift) {
          dateTimeKeyDown(m_txtDateTime.box(), KeyCode, Shift);
      }) {}

clsDATEVALIDATE::~clsDATEVALIDATE() = default;

zv::ui::TextBox clsDATEVALIDATE::txtdate() const { return m_txtdate.box(); }
void clsDATEVALIDATE::setTxtdate(QLineEdit *box, zv::ui::KeyPreview *preview) { m_txtdate.hook(box, preview); }
zv::ui::TextBox clsDATEVALIDATE::txtDateTime() const { return m_txtDateTime.box(); }
void clsDATEVALIDATE::setTxtDateTime(QLineEdit *box, zv::ui::KeyPreview *preview) {
    m_txtDateTime.hook(box, preview);
}

void clsDATEVALIDATE::DisplayStatus(const QString &code, const StatusDisplay *Footer, const QString &prefix,
                                    const QString &suffix) {
    checks::show(Footer, code, prefix, suffix);
}

QString clsDATEVALIDATE::GetMonth(int MonthNumber) {
    const QString name = zv::db::monthAbbrev(MonthNumber);
    if (!name.isEmpty())
        return name;
    m_caret = 3;
    return QStringLiteral("___");
}

static const checks::Generation &monthName() {
    static const checks::Generation g{kMonthNameMask, kMonthNameDateTimeBlank, QStringLiteral("ZVE128"),
                                      QStringLiteral("ZVE129"), QStringLiteral("ZVE130")};
    return g;
}

static int asMonthNumber(const QString &digits) { return int(qMin<qint64>(numberOf(digits), 32767)); }

QString clsDATEVALIDATE::checkDate(const QString &t, const StatusDisplay *F, bool M, const QString &Y,
                                   const QString &C) {
    // The text itself never fails; what may is the status hook's read of the
    // message, and that failure is the caller's action's to end and tell.
    if (t == kMonthNameMask || t == kMonthNameMaskSlashed) {
        if (M)
            DisplayStatus(monthName().blankCode, F, C, QString());
        return monthName().blankDate;
    }
    const qint64 day = numberOf(digitsOf(chars(t, 1, 2)));
    QString month = digitsOf(chars(t, 4, 6));
    if (isWholeNumber(month))
        month = GetMonth(asMonthNumber(month));
    if (!calendarDate(1, month, QStringLiteral("2000")).isValid()) {
        DisplayStatus(monthName().invalidCode, F, QString(), QString());
        return {};
    }
    return checks::dateOf(monthName(), day, month, digitsOf(charsFrom(t, 8)), Y, F);
}

QString clsDATEVALIDATE::validateDate(const QString &DateText, const StatusDisplay &Footer, const QString &,
                                      bool Mandatory, const QString &MinYear, const QString &Caption) {
    return checkDate(DateText, &Footer, Mandatory, MinYear, Caption);
}

QString clsDATEVALIDATE::validateDateWithOutTBL(const QString &DateText, const QString &, bool,
                                                const QString &MinYear) {
    return checkDate(DateText, nullptr, false, MinYear, QString());
}

QString clsDATEVALIDATE::validateDateTime(const QString &DateTimeText, const StatusDisplay &Footer,
                                          const QString &DateFormat, bool Mandatory, const QString &MinYear,
                                          const QString &Caption) {
    // The time is the last 8 characters; the date what stands before it.
    const QString &t = DateTimeText;
    const QString timePart = t.right(8);
    QString datePart = t.left(qMax<qsizetype>(0, t.size() - 8));
    if (datePart.endsWith(QLatin1Char(' ')))
        datePart.chop(1);
    if (datePart == kNumericMask || datePart == kMonthNameMaskSlashed || datePart == kMonthNameMask) {
        if (Mandatory)
            DisplayStatus(monthName().blankCode, &Footer, Caption, QString());
        return monthName().blankDateTime;
    }
    // The date-and-time box writes the month as a number: dd/mm/yyyy.
    if (datePart.size() == 10 && datePart.at(2) == QLatin1Char('/') && datePart.at(5) == QLatin1Char('/'))
        datePart = datePart.left(2) + QLatin1Char('-') + datePart.mid(3, 2) + QStringLiteral("_-") + datePart.mid(6);
    const QString date = validateDate(datePart, Footer, DateFormat, Mandatory, MinYear, Caption);
    return checks::withTime(monthName(), date, timePart, &Footer, Caption);
}

QString clsDATEVALIDATE::GetDate(const QString &DateText) { return checks::getDate(DateText); }

QString clsDATEVALIDATE::validateTime(const QString &TimeText, const StatusDisplay &Footer, const QString &Caption) {
    return checks::validateTime(TimeText, &Footer, Caption, monthName().timeCode);
}

QString clsDATEVALIDATE::GetDateTime(const QString &DateTimeText) { return checks::getDateTime(DateTimeText); }

// ---------------------------------------------------------------------------
// The masked date box "__-___-____": day 0-1, "-" 2, month 3-5, "-" 6, year 7-10.

static QString withMonth(const QString &t, const QString &month) { return t.left(3) + month + t.mid(6); }

static bool isMonthNumber(const QString &twoChars) {
    if (twoChars.size() != 2 || !isWholeNumber(twoChars) || twoChars.trimmed() != twoChars)
        return false;
    const int m = twoChars.toInt();
    return m >= 1 && m <= 12;
}

// Unlike the numeric boxes' completions, these take whatever single
// character the day holds, and the year from the text's last four characters.
static QString completedDay(const QString &t) {
    const QString d = digitsOf(t.left(2));
    return d.size() == 1 ? QLatin1Char('0') + d + t.mid(2) : t;
}

static QString completedYear(const QString &t) {
    const QString y = digitsOf(t.right(4));
    static const char *const prefix[] = {"", "200", "20", "2", ""};
    if (y.isEmpty() || y.size() > 4)
        return t;
    return t.left(7) + QLatin1String(prefix[y.size()]) + y;
}

void clsDATEVALIDATE::txtdate_KeyDown(int &KeyCode, int Shift) {
    zv::ui::TextBox box = m_txtdate.box();
    if (rules::leadingKeys(box, KeyCode, Shift))
        return;
    m_caret = box.SelStart();
    const int selLength = box.SelLength();

    if (Shift == 1 && KeyCode == vbKey::Home) {
        static const rules::Selection home[] = {{3, 1}, {3, 2}, {3, 3}, {3, 4}, {7, 1}, {7, 2}, {7, 3}, {7, 4}};
        rules::selectBy(box, home, 4, m_caret, KeyCode);
        return;
    }
    if (Shift == 1 && KeyCode == vbKey::End) {
        static const rules::Selection end[] = {{0, 2}, {1, 1}, {3, 3}, {3, 3}, {4, 2}, {5, 1}};
        rules::selectBy(box, end, 0, m_caret, KeyCode);
        return;
    }
    if (Shift == 2 && (KeyCode == vbKey::Right || KeyCode == vbKey::Left)) {
        // A month typed as a number gets its name.
        const rules::Completion month = [this](const QString &t) {
            const QString m = digitsOf(t.mid(3, 3));
            return isWholeNumber(m) ? withMonth(t, GetMonth(asMonthNumber(m))) : t;
        };
        const rules::Jump right[] = {{0, 2, completedDay, 3}, {3, 6, month, 7}, {7, 16, completedYear, 11}};
        const rules::Jump left[] = {{0, 2, completedDay, 0}, {3, 6, month, 0}, {7, 16, completedYear, 3}};
        rules::jumpBy(box, right, left, m_caret, KeyCode);
        return;
    }
    const bool back = rules::backspaceAsDelete(KeyCode, m_caret, selLength);

    if (KeyCode != vbKey::Delete) {
        const int selStart = box.SelStart();
        const bool letter = KeyCode >= 65 && KeyCode <= 90;
        const bool digit = rules::isDigitKey(KeyCode);
        QChar ch;
        if (letter && selStart >= 3 && selStart <= 5) {
            ch = selStart == 3 ? QChar(KeyCode) : QChar(KeyCode).toLower();
        } else if (!digit) {
            return;   // caret keys and the like; typed characters are kept out by KeyPress
        } else {
            if (selStart == 2 || selStart == 6) {
                KeyCode = 0;
                return;
            }
            if (selLength != 0) {
                rules::typeOverSelection([this](int &k, int s) { txtdate_KeyDown(k, s); }, KeyCode, Shift);
                return;
            }
            ch = QChar(KeyCode);
        }
        QString t = box.Text();
        // A month that begins with a digit needs a second digit, not a letter.
        if (!digit && m_caret == 4 && (t.mid(3, 1) == QLatin1String("0") || t.mid(3, 1) == QLatin1String("1"))) {
            KeyCode = 0;
            return;
        }
        t = t.left(selStart) + ch + t.mid(selStart + 1);
        ++m_caret;

        const int typedAt = m_caret - 1;
        if (numberOf(t.mid(3, 3)) > 12) {
            t = withMonth(t, QStringLiteral("___"));
            m_caret = 3;
        } else if (digit && typedAt == 4) {
            if (isMonthNumber(t.mid(3, 2))) {
                t = withMonth(t, GetMonth(t.mid(3, 2).toInt()));
                m_caret = 7;
            } else {
                t = withMonth(t, QStringLiteral("___"));
                m_caret = 3;
            }
        } else if (digit && typedAt == 5 && t.mid(4, 1) != QLatin1String("_")) {
            if (ch != QLatin1Char('0')) {
                t = withMonth(t, GetMonth(ch.digitValue()));
                m_caret = 7;
            } else {
                t = withMonth(t, QStringLiteral("___"));
                m_caret = 3;
            }
        } else if (digit && typedAt == 3 && !isWholeNumber(t.mid(4, 2))) {
            if (ch == QLatin1Char('0') || ch == QLatin1Char('1')) {
                t = withMonth(t, QString(ch) + QStringLiteral("__"));
            } else {
                t = withMonth(t, GetMonth(ch.digitValue()));
                m_caret = 6;
            }
        }
        rules::writeTyped(box, t, m_caret, kMonthNameMask);
        KeyCode = 0;
        return;
    }

    // Delete, and Backspace turned into Delete: write the mask back.
    static const rules::Layout layout{kMonthNameMask, QStringLiteral("-"), nullptr, false};
    rules::deleteKey(box, layout, m_caret, selLength, back, Shift, KeyCode);
}
