#include "Password.h"
#include <random>

namespace modCommon {

namespace {
// The key characters come from a generator that is never seeded, so every run
// draws the same sequence, as the stored values of earlier runs expect nothing else.
std::minstd_rand &keyGenerator() {
    static std::minstd_rand gen;
    return gen;
}
QChar drawKey() {
    std::uniform_int_distribution<int> dist(1, 10);
    return QChar(dist(keyGenerator()));
}
} // namespace

bool CanEncodePassword(const QString &plain) {
    for (QChar c : plain)
        if (c.unicode() + 10 > 255)
            return false;
    return true;
}

QString EncodePassword(const QString &plain) {
    const QChar k1 = drawKey();
    const QChar k2 = drawKey();
    QString out;
    out.reserve(plain.size() + 2);
    out.append(k1);
    for (int i = 0; i < plain.size(); ++i) {
        const int shift = (i % 2 == 0) ? k2.unicode() : k1.unicode();   // 1-based odd positions use k2
        out.append(QChar(plain.at(i).unicode() + shift));
    }
    out.append(k2);
    return out;
}

QString DecodePassword(const QString &stored) {
    if (stored.isEmpty())
        return QStringLiteral("");
    if (stored.size() < 2)
        return QString();
    const int k1 = stored.front().unicode();
    const int k2 = stored.back().unicode();
    QString out = QStringLiteral("");
    for (int i = 1; i < stored.size() - 1; ++i) {
        const int c = stored.at(i).unicode() - ((i % 2 == 1) ? k2 : k1);
        if (c < 0)
            return QString();
        out.append(QChar(c));
    }
    return out;
}

} // namespace modCommon
