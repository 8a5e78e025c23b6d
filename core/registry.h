#pragma once
// The registry layer: key handles and typed values of the current user's registry, over
// the platform's registry store. Failures come back as Windows error codes, as the
// callers expect; nothing here throws.
#include <QString>
#include <QVariant>
#include <QtGlobal>

namespace mduAPILib {

// The one root we keep; any open key handle may stand as a root too.
inline constexpr qint32 HKEY_CURRENT_USER = static_cast<qint32>(0x80000001u);

inline constexpr qint32 REG_SZ = 1;
inline constexpr qint32 REG_EXPAND_SZ = 2;
inline constexpr qint32 REG_BINARY = 3;
inline constexpr qint32 REG_DWORD = 4;

inline constexpr qint32 ERROR_SUCCESS = 0;
inline constexpr qint32 ERROR_FILE_NOT_FOUND = 2;
inline constexpr qint32 ERROR_INVALID_HANDLE = 6;
inline constexpr qint32 ERROR_INVALID_PARAMETER = 87;
inline constexpr qint32 ERROR_BADKEY = 1010;
inline constexpr qint32 ERROR_CANTWRITE = 1013;

// Opens an existing key below root; hKey receives the handle on success.
qint32 RegOpenKey(qint32 root, const QString& subKey, qint32& hKey);
// Opens the key below root, creating it when missing.
qint32 RegCreateKey(qint32 root, const QString& subKey, qint32& hKey);
qint32 RegCloseKey(qint32 hKey);

// Writes a text value into an existing key; a key that is missing or cannot be written
// leaves everything as it was.
void RegWriteString(qint32 rootKey, const QString& subKey, const QString& valueName, const QString& value);
// Creates or opens the key under the current user and writes the value with RegSetValueTyped.
void RegCreateAndSet(const QString& subKey, const QString& valueName, const QVariant& value, qint32 valueType);
// REG_SZ writes the value's text and answers the result. Other types are not written
// and answer ERROR_INVALID_PARAMETER, so that a value that was not stored never looks stored.
qint32 RegSetValueTyped(qint32 hKey, const QString& valueName, qint32 valueType, const QVariant& value);
// The text of a REG_SZ value, the decimal text of a REG_DWORD value; "" for a missing key
// or value and for every other type.
QString RegReadString(const QString& subKey, const QString& valueName);
// 0 with value = the text (REG_SZ) or the number as an unsigned 32-bit integer (REG_DWORD);
// the error code for a missing value, -1 for another type; value is left as it was
// unless the read succeeds.
qint32 RegQueryValue(qint32 hKey, const QString& valueName, QVariant& value);

} // namespace mduAPILib
