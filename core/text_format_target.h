#pragma once
// What a font format is applied to: a label's font and text colour. The control model
// implements it, so that the font format itself stays free of any window code.
#include <QString>

namespace mduAlmanorvqueLib {

class TextFormatTarget {
public:
    virtual ~TextFormatTarget() = default;
    virtual void SetFontName(const QString& name) = 0;
    virtual void SetFontSize(double points) = 0;
    virtual void SetFontBold(bool on) = 0;
    virtual void SetFontItalic(bool on) = 0;
    virtual void SetFontUnderline(bool on) = 0;
    virtual void SetFontStrikethrough(bool on) = 0;
    virtual void SetForeColor(qint32 colour) = 0;
};

} // namespace mduAlmanorvqueLib
