#include "KeyValueStore.h"

TKeyValueStore::Value TMemoryStore::Read(const QString& section, const QString& name) {
    const auto s = m_sections.constFind(section);
    if (s == m_sections.cend())
        return {};
    return s->value(name);
}

bool TMemoryStore::CreateSection(const QString& section) {
    if (m_sections.contains(section))
        return true;
    if (failCreateSection)
        return false;
    m_sections.insert(section, {});
    return true;
}

bool TMemoryStore::SetText(const QString& section, const QString& name, const QString& value) {
    if (failSetFor.contains(name) || !m_sections.contains(section))
        return false;
    m_sections[section][name] = {Value::Text, value};
    return true;
}

void TMemoryStore::PutText(const QString& section, const QString& name, const QString& value) {
    m_sections[section][name] = {Value::Text, value};
}

void TMemoryStore::PutNonText(const QString& section, const QString& name) {
    m_sections[section][name] = {Value::Unreadable, {}};
}

bool TMemoryStore::Has(const QString& section, const QString& name) const {
    return m_sections.value(section).contains(name);
}

QString TMemoryStore::TextOf(const QString& section, const QString& name) const {
    return m_sections.value(section).value(name).text;
}
