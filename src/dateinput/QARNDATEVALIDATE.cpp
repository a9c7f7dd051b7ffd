#include "dateinput/QARNDATEVALIDATE.h"
#include "dateinput/DateChecks.h"
#include "platform/db/Dates.h"

using namespace zv::dateinput;
using namespace zv::dateinput::text;

void QARNDATEVALIDATE::DisplayStatus(const QString &code, const StatusDisplay &Footer, const QString &prefix,
                                     const QString &suffix) {
    checks::show(&Footer, code, prefix, suffix);
}

static const checks::Generation &numeric() {
    static const checks::Generation g{kNumericMask, kDateTimeMask, QStringLiteral("DB128"), QStringLiteral("DB129"),
                                      QStringLiteral("DB130")};
    return g;
}

QString QARNDATEVALIDATE::validateDate(const QString &DateText, const StatusDisplay &Footer,
                                       const QString &DateFormat, bool Mandatory, const QString &MinYear,
                                       const QString &Caption) {
    const QString &t = DateText;
    if (t == kNumericMaskDashed || t == kNumericMask) {
        if (Mandatory)
            DisplayStatus(numeric().blankCode, Footer, Caption, QString());
        return numeric().blankDate;
    }
    const qint64 first = numberOf(digitsOf(chars(t, 1, 2)));
    const qint64 second = numberOf(digitsOf(chars(t, 4, 5)));
    const bool monthFirst = DateFormat.startsWith(QLatin1String("MM")) || DateFormat.startsWith(QLatin1String("mm"));
    const qint64 day = monthFirst ? second : first;
    const qint64 month = monthFirst ? first : second;
    if (month < 1 || month > 12) {
        DisplayStatus(numeric().invalidCode, Footer, QString(), QString());
        return {};
    }
    return checks::dateOf(numeric(), day, zv::db::monthAbbrev(int(month)), digitsOf(charsFrom(t, 7)), MinYear,
                          &Footer);
}

QString QARNDATEVALIDATE::validateDateTime(const QString &DateTimeText, const StatusDisplay &Footer,
                                           const QString &DateFormat, bool Mandatory, const QString &MinYear,
                                           const QString &Caption) {
    const QString date = validateDate(DateTimeText.left(10), Footer, DateFormat, Mandatory, MinYear, Caption);
    return checks::withTime(numeric(), date, DateTimeText.right(8), &Footer, Caption);
}

QString QARNDATEVALIDATE::GetDate(const QString &DateText) { return checks::getDate(DateText); }

QString QARNDATEVALIDATE::validateTime(const QString &TimeText, const StatusDisplay &Footer, const QString &Caption) {
    return checks::validateTime(TimeText, &Footer, Caption, numeric().timeCode);
}

QString QARNDATEVALIDATE::GetDateTime(const QString &DateTimeText) { return checks::getDateTime(DateTimeText); }
