#pragma once
// Saved design-time settings of our controls: named values with defaults. A
// value equal to its default is not stored, so a bag only holds what differs.
#include <QMap>
#include <QString>
#include <QVariant>

namespace shell {

class PropertyBag {
public:
    QVariant read(const QString& name, const QVariant& defaultValue) const
    {
        const auto it = m_values.constFind(name);
        return it == m_values.constEnd() ? defaultValue : it.value();
    }
    void write(const QString& name, const QVariant& value, const QVariant& defaultValue)
    {
        if (value == defaultValue)
            m_values.remove(name);
        else
            m_values.insert(name, value);
    }
    bool contains(const QString& name) const { return m_values.contains(name); }
    bool isEmpty() const { return m_values.isEmpty(); }

private:
    QMap<QString, QVariant> m_values;
};

}  // namespace shell
