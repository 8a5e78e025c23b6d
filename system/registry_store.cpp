#include "registry_store.h"
#include "whole_file_write.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace platform::registry {
namespace {

QString& ConfigOverride()
{
    static QString s;
    return s;
}
QString& StoreOverride()
{
    static QString s;
    return s;
}
QString& HomelessFolder()
{
    static QString s;
    return s;
}

QString NormaliseKey(QString key)
{
    key.replace('/', '\\');
    while (key.contains("\\\\"))
        key.replace("\\\\", "\\");
    while (key.startsWith('\\'))
        key.remove(0, 1);
    while (key.endsWith('\\'))
        key.chop(1);
    return key;
}

// Top level: key path -> object of value name -> {"type": n, "data": ...}
// damaged, when given, says whether the file is there but holds no store.
QJsonObject LoadFile(bool* damaged = nullptr)
{
    if (damaged)
        *damaged = false;
    QFile f(StorePath());
    if (!f.open(QIODevice::ReadOnly)) {
        // One that is there but cannot be read (owned by another user, a folder) is not
        // an empty store: writing a new one over it would drop every value it holds.
        if (damaged)
            *damaged = f.exists();
        return {};
    }
    const QByteArray bytes = f.readAll();
    const auto doc = QJsonDocument::fromJson(bytes);
    if (damaged)
        *damaged = f.error() != QFileDevice::NoError || (!doc.isObject() && !bytes.trimmed().isEmpty());
    return doc.isObject() ? doc.object() : QJsonObject();
}

// A store that cannot be read is the user's settings all the same: it is kept under a
// name of its own (never over an earlier one) before a new store replaces it.
void KeepDamagedStore()
{
    const QString path = StorePath();
    QString aside;
    for (int n = 1; aside.isEmpty() || QFileInfo::exists(aside); ++n)
        aside = path + QStringLiteral(".damaged") + (n > 1 ? QString::number(n) : QString());
    if (QFile::rename(path, aside))
        qWarning().noquote() << "Almanorvique: the settings store" << path << "could not be read; it was kept as"
                             << aside;
    else
        qWarning().noquote() << "Almanorvique: the settings store" << path << "could not be read nor kept aside";
}

QJsonObject Load()
{
    QJsonObject root = LoadFile();
    for (const QString& k : StandardKeys()) {
        bool present = false;
        for (auto it = root.begin(); it != root.end() && !present; ++it)
            present = it.key().compare(k, Qt::CaseInsensitive) == 0;
        if (!present)
            root.insert(k, QJsonObject());
    }
    return root;
}

bool Store(const QJsonObject& root)
{
    const QString path = StorePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    RemoveLeftoverTemporaries(path); // what a killed write left
    bool damaged = false;
    LoadFile(&damaged);
    if (damaged)
        KeepDamagedStore();
    if (WriteFileWhole(path, QJsonDocument(root).toJson(QJsonDocument::Indented)))
        return true;
    qWarning().noquote() << "Almanorvique: the settings store could not be written:" << LastWriteFailure();
    return false;
}

QString FindName(const QJsonObject& obj, const QString& name)
{
    for (auto it = obj.begin(); it != obj.end(); ++it)
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.key();
    return {};
}

bool IsBelow(const QString& candidate, const QString& key)
{
    return candidate.compare(key, Qt::CaseInsensitive) == 0 || candidate.startsWith(key + '\\', Qt::CaseInsensitive);
}

} // namespace

const QStringList& StandardKeys()
{
    static const QStringList keys{QStringLiteral("Control Panel\\Desktop"),
                                  QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run")};
    return keys;
}

QString ConfigFolder()
{
    if (!ConfigOverride().isEmpty())
        return ConfigOverride();
    // A relative XDG_CONFIG_HOME is to be ignored; an empty HOME would make "/.config".
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(xdg))
        return xdg;
    const QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty())
        return HomelessFolder();
    return home + "/.config";
}

void SetConfigFolder(const QString& folder) { ConfigOverride() = folder; }
void SetHomelessConfigFolder(const QString& folder) { HomelessFolder() = folder; }

QString StorePath()
{
    if (!StoreOverride().isEmpty())
        return StoreOverride();
    const QString env = qEnvironmentVariable("ALMANORVIQUE_REGISTRY");
    if (!env.isEmpty())
        return env;
    const QString config = ConfigFolder();
    return config.isEmpty() ? QString() : config + "/Almanorvique/registry.json";
}

void SetStorePath(const QString& path) { StoreOverride() = path; }

bool KeyExists(const QString& key) { return !FindName(Load(), NormaliseKey(key)).isEmpty(); }

bool CreateKey(const QString& key)
{
    const QString k = NormaliseKey(key);
    if (k.isEmpty())
        return false;
    QJsonObject root = Load();
    if (!FindName(root, k).isEmpty())
        return true;
    root.insert(k, QJsonObject());
    return Store(root);
}

bool DeleteKey(const QString& key)
{
    const QString k = NormaliseKey(key);
    QJsonObject root = Load();
    bool found = false;
    for (const QString& name : root.keys()) {
        if (IsBelow(name, k)) {
            root.remove(name);
            found = true;
        }
    }
    return found && Store(root);
}

std::optional<Value> ReadValue(const QString& key, const QString& name)
{
    const QJsonObject root = Load();
    const QString k = FindName(root, NormaliseKey(key));
    if (k.isEmpty())
        return std::nullopt;
    const QJsonObject values = root.value(k).toObject();
    const QString n = FindName(values, name);
    if (n.isEmpty())
        return std::nullopt;
    const QJsonObject v = values.value(n).toObject();
    Value out;
    out.type = static_cast<ValueType>(v.value("type").toInt(1));
    if (out.type == ValueType::DWord)
        out.number = static_cast<quint32>(v.value("data").toDouble());
    else
        out.text = v.value("data").toString();
    return out;
}

bool WriteValue(const QString& key, const QString& name, const Value& value, bool createKey)
{
    const QString nk = NormaliseKey(key);
    if (nk.isEmpty())
        return false;
    QJsonObject root = Load();
    QString k = FindName(root, nk);
    if (k.isEmpty()) {
        if (!createKey)
            return false;
        k = nk;
    }
    QJsonObject values = root.value(k).toObject();
    QString n = FindName(values, name);
    if (n.isEmpty())
        n = name;
    QJsonObject v;
    v.insert("type", static_cast<int>(value.type));
    if (value.type == ValueType::DWord)
        v.insert("data", static_cast<double>(value.number));
    else
        v.insert("data", value.text);
    values.insert(n, v);
    root.insert(k, values);
    return Store(root);
}

bool DeleteValue(const QString& key, const QString& name)
{
    QJsonObject root = Load();
    const QString k = FindName(root, NormaliseKey(key));
    if (k.isEmpty())
        return false;
    QJsonObject values = root.value(k).toObject();
    const QString n = FindName(values, name);
    if (n.isEmpty())
        return false;
    values.remove(n);
    root.insert(k, values);
    return Store(root);
}

QString SettingsKey(const QString& app, const QString& section)
{
    return "Software\\Application Settings\\" + app + "\\" + section;
}

QString GetSetting(const QString& app, const QString& section, const QString& name, const QString& defaultValue)
{
    const auto v = ReadValue(SettingsKey(app, section), name);
    if (!v)
        return defaultValue;
    return v->type == ValueType::DWord ? QString::number(v->number) : v->text;
}

bool SaveSetting(const QString& app, const QString& section, const QString& name, const QString& value)
{
    return WriteValue(SettingsKey(app, section), name, Value::Text(value), true);
}

bool DeleteSetting(const QString& app, const QString& section) { return DeleteKey(SettingsKey(app, section)); }

} // namespace platform::registry
