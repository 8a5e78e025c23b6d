#pragma once
// The combo box: a windowed control keeping its geometry in twips; its height follows its
// font. Style 0 is a drop-down combo with a text field, style 2 a drop-down list whose
// text is the selected entry's.
#include "controls.h"

#include <QPointer>
#include <QString>
#include <functional>

#include <QComboBox>
class QObject;

namespace platform {

enum ComboStyle { vbComboDropdown = 0, vbComboDropdownList = 2 };

class ComboBox {
public:
    ComboBox(QWidget* parent, QString name, int index = -1, int style = vbComboDropdownList);
    ~ComboBox();
    ComboBox(const ComboBox&) = delete;
    ComboBox& operator=(const ComboBox&) = delete;

    const QString& Name() const { return name_; }
    int Index() const { return index_; }
    int Style() const { return style_; }
    void SetStyle(int style);
    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const; // the font's, whatever was asked for
    void Move(float left, float top, float width, float height = -1);
    void SetLeft(float v) { Move(v, top_, width_); }
    void SetTop(float v) { Move(left_, v, width_); }
    void SetWidth(float v) { Move(left_, top_, v); }

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    void SetFont(const FontModel& f);
    const FontModel& Font() const { return font_; }

    void AddItem(const QString& item);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const;
    QString List(int index) const;
    // -1: no entry selected (a list then shows no text; a combo's text field empties).
    int ListIndex() const;
    void SetListIndex(int index);
    qint32 ItemData(int index) const;
    void SetItemData(int index, qint32 value);
    // A combo's text field; a list's selected entry (setting it selects an equal entry).
    QString Text() const;
    void SetText(const QString& t);
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);

    void SetFocus();
    bool HasFocus() const;
    void ZOrder(int position = 0);

    QString Tag;
    MouseHandlers Events;
    // The user chose an entry.
    std::function<void()> Click;
    // A key code set to 0 by KeyDown is not handled by the box.
    std::function<void(int&keyCode, int shift)> KeyDown, KeyUp;
    // Opening the drop-down list or another window is not losing the focus.
    std::function<void()> LostFocus;

    void CopyFrom(const ComboBox& other);
    QComboBox* Widget() const { return combo_; }

private:
    void Apply();
    QString name_;
    int index_;
    int style_;
    QPointer<QComboBox> combo_;
    QObject* filter_ = nullptr;
    float left_ = 0, top_ = 0, width_ = 1215;
    bool visible_ = true;
    FontModel font_;
};

} // namespace platform
