#pragma once
// The properties whose changes a backend is told about, so that it can mirror them.

namespace kv::ui {

enum class Property {
    Caption,
    Text,
    Geometry,
    Visible,
    Enabled,
    Tag,
    ToolTip,
    Font,
    ForeColor,
    BackColor,
    RightToLeft,
    MousePointer,
    Focus,
    TabOrder,
    Container,
    // forms
    WindowState,
    BorderStyle,
    TopMost,
    FullScreen,
    Owner,
    ZOrder,
    // controls
    Alignment,
    Value,
    Items,
    ListIndex,
    MaxLength,
    PasswordChar,
    Locked,
    MultiLine,
    Picture,
    Interval,
    Range,
    Style,
    Caret,
    // First number free for properties of control kinds defined elsewhere.
    FirstExtension = 1000
};

} // namespace kv::ui
