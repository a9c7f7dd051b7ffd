#pragma once
#include <QList>
#include <QPair>
#include <QString>

namespace zv::report {

// The formula values of a report request: text keys to text values, kept in
// the order they were added (the numbered formula mode reads them by
// position). Keys compare exactly; a key can be added once.
class FormulaDictionary {
public:
    // Adds a new key; throws 457 when the key is already there.
    void Add(const QString &key, const QString &value);
    bool Exists(const QString &key) const { return indexOf(key) >= 0; }
    // The value of key; "" when absent.
    QString Item(const QString &key) const;
    // Sets the value of key, adding it at the end when absent.
    void setItem(const QString &key, const QString &value);
    int Count() const { return m_items.size(); }
    const QString &keyAt(int position) const { return m_items.at(position).first; }
    const QString &valueAt(int position) const { return m_items.at(position).second; }
    QStringList Keys() const;
    void RemoveAll() { m_items.clear(); }

private:
    int indexOf(const QString &key) const;
    QList<QPair<QString, QString>> m_items;
};

} // namespace zv::report
