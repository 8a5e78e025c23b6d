#pragma once
// Our stand-in for the current user's registry: keys holding named, typed values,
// kept in one JSON file under the user's configuration folder. Key paths and value
// names are matched without regard to case and keep the case they were written with.
// The keys every user's registry has (StandardKeys) exist from the start, so that
// values written only into existing keys land there as they would on a real desktop.
#include <QString>
#include <QStringList>
#include <optional>

namespace platform::registry {

enum class ValueType { String = 1, DWord = 4, ExpandString = 2, Binary = 3 };

struct Value {
    ValueType type = ValueType::String;
    QString text;       // String, ExpandString; Binary as hex
    quint32 number = 0; // DWord
    static Value Text(QString t) { return {ValueType::String, std::move(t), 0}; }
    static Value Number(quint32 n) { return {ValueType::DWord, {}, n}; }
};

// The user's configuration folder ($XDG_CONFIG_HOME, else ~/.config); tests point it elsewhere.
// Without a home (HOME unset or empty) it is the homeless folder, "" until one is set.
QString ConfigFolder();
void SetConfigFolder(const QString& folder); // empty restores the default
// Where the configuration goes when the user has no home; the start-up sets it.
void SetHomelessConfigFolder(const QString& folder);

// The store file: $ALMANORVIQUE_REGISTRY when set, else ConfigFolder()/Almanorvique/registry.json;
// "" while there is no configuration folder.
QString StorePath();
void SetStorePath(const QString& path); // empty restores the default

// "Control Panel\Desktop" and "Software\Microsoft\Windows\CurrentVersion\Run".
const QStringList& StandardKeys();

bool KeyExists(const QString& key);
bool CreateKey(const QString& key);
bool DeleteKey(const QString& key); // the key and every key below it

// std::nullopt when the key or the value is missing; an empty text is a value.
std::optional<Value> ReadValue(const QString& key, const QString& name);
// Fails when the key does not exist, unless createKey is set.
bool WriteValue(const QString& key, const QString& name, const Value& value, bool createKey = false);
bool DeleteValue(const QString& key, const QString& name);

// The per-application settings area, keyed by application name and section.
QString GetSetting(const QString& app, const QString& section, const QString& name,
                   const QString& defaultValue = QString());
bool SaveSetting(const QString& app, const QString& section, const QString& name, const QString& value);
bool DeleteSetting(const QString& app, const QString& section);
QString SettingsKey(const QString& app, const QString& section);

} // namespace platform::registry
