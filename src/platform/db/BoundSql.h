#pragma once
#include <QString>
#include <QVariantList>

namespace zv::db {

// A statement being built with its bound values, in placeholder order.
// Typed text only ever travels in params, never in text.
struct BoundSql {
    QString text;
    QVariantList params;

    BoundSql &add(const QString &piece, const QVariantList &values = {}) {
        text += piece;
        params += values;
        return *this;
    }
    bool isEmpty() const { return text.isEmpty(); }
};

} // namespace zv::db
