#pragma once

#include "Geometry.h"

#include <string_view>

namespace platform {

// A control placed at an absolute position in its window's content area.
// Sizes below zero are shown as zero; positions may be negative.
class NativeControl {
public:
    virtual ~NativeControl() = default;
    virtual void setGeometry(Rect) = 0;
    virtual void setVisible(bool) = 0;
    virtual void setEnabled(bool) = 0;
    virtual void setTooltip(std::string_view) = 0;
};

class NativeButtonClient {
public:
    virtual void nativeButtonClicked() = 0;

protected:
    ~NativeButtonClient() = default;
};

class NativeButton : public NativeControl {
public:
    virtual void setCaption(std::string_view) = 0;
};

class NativeSeparator : public NativeControl { };

class NativeTextFieldClient {
public:
    // The user changed the text.
    virtual void nativeTextChanged(std::string_view text) = 0;

protected:
    ~NativeTextFieldClient() = default;
};

class NativeTextField : public NativeControl {
public:
    virtual void setText(std::string_view) = 0;
    virtual void setPassword(bool) = 0;
    virtual void setReadOnly(bool) = 0;
};

} // namespace platform
