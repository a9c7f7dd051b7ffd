#include "FormulaDictionary.h"
#include "ReportError.h"

namespace zv::report {

int FormulaDictionary::indexOf(const QString &key) const {
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items.at(i).first == key)
            return i;
    return -1;
}

void FormulaDictionary::Add(const QString &key, const QString &value) {
    if (Exists(key))
        throw ReportError(457, QStringLiteral("This key is already associated with an element of this collection"),
                          QStringLiteral("Dictionary"));
    m_items.append({key, value});
}

QString FormulaDictionary::Item(const QString &key) const {
    const int i = indexOf(key);
    return i < 0 ? QString() : m_items.at(i).second;
}

void FormulaDictionary::setItem(const QString &key, const QString &value) {
    const int i = indexOf(key);
    if (i < 0)
        m_items.append({key, value});
    else
        m_items[i].second = value;
}

QStringList FormulaDictionary::Keys() const {
    QStringList keys;
    for (const auto &item : m_items)
        keys << item.first;
    return keys;
}

} // namespace zv::report
