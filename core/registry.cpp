#include "registry.h"

#include "system/registry_store.h"

#include <map>

namespace mduAPILib {
namespace reg = platform::registry;

namespace {

// Open handles and the key path each one stands for.
struct Handles {
    std::map<qint32, QString> keys;
    qint32 next = 0x100;
};
Handles& OpenHandles()
{
    static Handles h;
    return h;
}

// The key path below root, or nothing when root is neither the current user nor an open handle.
bool KeyPath(qint32 root, const QString& subKey, QString& path)
{
    QString base;
    if (root != HKEY_CURRENT_USER) {
        const auto it = OpenHandles().keys.find(root);
        if (it == OpenHandles().keys.end())
            return false;
        base = it->second;
    }
    path = base.isEmpty() ? subKey : subKey.isEmpty() ? base : base + '\\' + subKey;
    return true;
}

const QString* PathOf(qint32 hKey)
{
    const auto it = OpenHandles().keys.find(hKey);
    return it == OpenHandles().keys.end() ? nullptr : &it->second;
}

qint32 NewHandle(const QString& path)
{
    Handles& h = OpenHandles();
    const qint32 handle = h.next++;
    h.keys.emplace(handle, path);
    return handle;
}

// Closes the handle when it goes out of scope.
struct KeyGuard {
    qint32 handle = 0;
    ~KeyGuard()
    {
        if (handle != 0)
            RegCloseKey(handle);
    }
};

} // namespace

qint32 RegOpenKey(qint32 root, const QString& subKey, qint32& hKey)
{
    QString path;
    if (!KeyPath(root, subKey, path))
        return ERROR_INVALID_HANDLE;
    if (path.isEmpty())
        return ERROR_BADKEY;
    if (!reg::KeyExists(path))
        return ERROR_FILE_NOT_FOUND;
    hKey = NewHandle(path);
    return ERROR_SUCCESS;
}

qint32 RegCreateKey(qint32 root, const QString& subKey, qint32& hKey)
{
    QString path;
    if (!KeyPath(root, subKey, path))
        return ERROR_INVALID_HANDLE;
    if (path.isEmpty())
        return ERROR_BADKEY;
    if (!reg::CreateKey(path))
        return ERROR_CANTWRITE;
    hKey = NewHandle(path);
    return ERROR_SUCCESS;
}

qint32 RegCloseKey(qint32 hKey) { return OpenHandles().keys.erase(hKey) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }

void RegWriteString(qint32 rootKey, const QString& subKey, const QString& valueName, const QString& value)
{
    KeyGuard key;
    if (RegOpenKey(rootKey, subKey, key.handle) != ERROR_SUCCESS)
        return;
    // The store writes through at once, so there is nothing left to flush.
    RegSetValueTyped(key.handle, valueName, REG_SZ, value);
}

void RegCreateAndSet(const QString& subKey, const QString& valueName, const QVariant& value, qint32 valueType)
{
    KeyGuard key;
    if (RegCreateKey(HKEY_CURRENT_USER, subKey, key.handle) != ERROR_SUCCESS)
        return;
    RegSetValueTyped(key.handle, valueName, valueType, value);
}

qint32 RegSetValueTyped(qint32 hKey, const QString& valueName, qint32 valueType, const QVariant& value)
{
    const QString* path = PathOf(hKey);
    if (!path)
        return ERROR_INVALID_HANDLE;
    if (valueType != REG_SZ)
        return ERROR_INVALID_PARAMETER;
    // Our store keeps the text itself; there is no terminating null to add or strip.
    return reg::WriteValue(*path, valueName, reg::Value::Text(value.toString())) ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

QString RegReadString(const QString& subKey, const QString& valueName)
{
    KeyGuard key;
    if (RegOpenKey(HKEY_CURRENT_USER, subKey, key.handle) != ERROR_SUCCESS)
        return {};
    QVariant value;
    if (RegQueryValue(key.handle, valueName, value) != ERROR_SUCCESS)
        return {};
    return value.toString();
}

qint32 RegQueryValue(qint32 hKey, const QString& valueName, QVariant& value)
{
    const QString* path = PathOf(hKey);
    if (!path)
        return ERROR_INVALID_HANDLE;
    const auto stored = reg::ReadValue(*path, valueName);
    if (!stored)
        return ERROR_FILE_NOT_FOUND;
    switch (stored->type) {
    case reg::ValueType::String:
        value = stored->text;
        return ERROR_SUCCESS;
    case reg::ValueType::DWord:
        // A double word is unsigned: 4000000000 stays 4000000000, not a negative number.
        value = stored->number;
        return ERROR_SUCCESS;
    default:
        return -1;
    }
}

} // namespace mduAPILib
