#include "picture_handles.h"

#include <unordered_map>

namespace platform::pictures {
namespace {
std::unordered_map<quint32, QSize>& Table()
{
    static std::unordered_map<quint32, QSize> t;
    return t;
}
quint32 gNext = 1;
} // namespace

quint32 Register(QSize pixels)
{
    const quint32 h = gNext++;
    Table()[h] = pixels;
    return h;
}

void Release(quint32 handle) { Table().erase(handle); }

QSize SizeOf(quint32 handle)
{
    const auto it = Table().find(handle);
    return it == Table().end() ? QSize() : it->second;
}

} // namespace platform::pictures
