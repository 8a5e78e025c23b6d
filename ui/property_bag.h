#pragma once
// User-control persistence: a bag of named values kept with a host window's stored
// layout. A value equal to its default is not stored; names ignore case. Each host window
// has one stored layout, a bag per control, read when the host is built.
#include "controls.h"

#include <QMetaType>
#include <QString>
#include <QVariant>
#include <map>

namespace platform {

class PropertyBag {
public:
    QVariant ReadProperty(const QString& name, const QVariant& defaultValue = {}) const;
    void WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue = {});
    bool Contains(const QString& name) const;
    QStringList Names() const; // lower case, sorted
    bool IsEmpty() const { return values_.empty(); }

    // One "name=type:value" line per entry; reading it back gives the same bag.
    QString ToText() const;
    static PropertyBag FromText(const QString& text);

private:
    std::map<QString, QVariant> values_; // by lower-case name
};

// Whether two bag values are the same (fonts by their attributes, pictures by content).
bool SameBagValue(const QVariant& a, const QVariant& b);

// The stored layout of one host window: its controls' bags by control name.
class HostLayout {
public:
    PropertyBag& Bag(const QString& control) { return bags_[control.toLower()]; }
    const PropertyBag* Find(const QString& control) const;
    QString ToText() const;
    static HostLayout FromText(const QString& text);
    bool Save(const QString& path) const;
    static HostLayout Load(const QString& path); // empty when there is no file

private:
    std::map<QString, PropertyBag> bags_;
};

// The layouts the program knows, by host window name; a host reads its own when it is
// built. A host without a stored layout gets an empty one.
HostLayout& StoredLayout(const QString& host);
void ForgetStoredLayouts();

// The font a container offers its controls: "MS Sans Serif" 8.25 points.
FontModel AmbientFont();

} // namespace platform

Q_DECLARE_METATYPE(platform::FontModel)
Q_DECLARE_METATYPE(platform::Picture)
