#include "quiz/SettingsStore.h"

#include "model/CppSQLite3Exception.h"
#include "model/DataBase.h"

SettingsStore::SettingsStore(DataBase& db)
    : m_db(db)
{
}

QString SettingsStore::Text(const QString& name)
{
    try {
        return m_db.UserInfo(name);
    } catch (const CppSQLite3Exception&) {
        return QString();
    }
}

int SettingsStore::Int(const QString& name, int def)
{
    try {
        return m_db.UserInfoInt(name, def);
    } catch (const CppSQLite3Exception&) {
        return def;
    }
}

bool SettingsStore::Flag(const QString& name, bool def)
{
    return Int(name, def ? 1 : 0) != 0;
}

bool SettingsStore::SetText(const QString& name, const QString& value)
{
    try {
        return m_db.SetUserInfo(name, value) == 0;
    } catch (const CppSQLite3Exception&) {
        return false;
    }
}

bool SettingsStore::SetInt(const QString& name, int value)
{
    try {
        return m_db.SetUserInfoInt(name, value) == 0;
    } catch (const CppSQLite3Exception&) {
        return false;
    }
}

bool SettingsStore::SetFlag(const QString& name, bool value)
{
    return SetInt(name, value ? 1 : 0);
}
