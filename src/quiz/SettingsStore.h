#pragma once

#include <QString>

class DataBase;

// Named settings in the user database, for callers that must never fail:
// a read that hits a database error gives the default, a write that hits
// one does nothing. A disabled user database reads every name as absent
// and ignores writes.
class SettingsStore {
public:
    explicit SettingsStore(DataBase& db);

    QString Text(const QString& name);
    int Int(const QString& name, int def);
    bool Flag(const QString& name, bool def);

    // True when the value was stored.
    bool SetText(const QString& name, const QString& value);
    bool SetInt(const QString& name, int value);
    bool SetFlag(const QString& name, bool value);

private:
    DataBase& m_db;
};
